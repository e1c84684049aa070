#pragma once
// Translates a statement of the system's SQL dialect into SQLite's: string
// constants in double quotes, "mm/dd/yyyy" date constants, table names with a
// ".DB" extension, True/False, Paradox column types and per-table index names.
// It knows statements and the catalogue's column types, nothing of any
// application.
#include "platform/engine/field_types.h"
#include <optional>

// What the translator may ask of the database: a column's type, so that a date
// constant compared with a text field stays text.
class TSqlCatalogue {
public:
    virtual ~TSqlCatalogue() = default;
    virtual std::optional<TFieldType> ColumnType(const QString& table, const QString& column) const = 0;
};

enum class TStatementKind { Select, Insert, Update, Delete, CreateTable, CreateIndex, DropTable };

struct TTranslatedStatement {
    TStatementKind Kind = TStatementKind::Select;
    QString Sql;            // SQLite text; parameters as "?" in the order given
    QStringList Tables;     // tables named, without extension, in order of appearance
    bool ChangesSchema() const {
        return Kind == TStatementKind::CreateTable || Kind == TStatementKind::CreateIndex ||
               Kind == TStatementKind::DropTable;
    }
};

// EDatabaseError with a text naming the statement when it is not accepted.
TTranslatedStatement TranslateStatement(const QString& text, const TSqlCatalogue* catalogue = nullptr);

// SQLite's index names are global; an index of the engine is stored as
// "<table>__<index>" and presented under its own name.
QString IndexStorageName(const QString& table, const QString& index);
QString IndexNameFromStorage(const QString& table, const QString& storageName);

QString QuoteIdentifier(const QString& name);     // "name", for SQLite
