#pragma once
// Field types and the table and index descriptors the engine keeps in its catalogue.
#include <QString>
#include <QStringList>
#include <QList>
#include <QVariant>
#include <vector>

enum class TFieldType {
    ftUnknown, ftString, ftMemo, ftBlob, ftDate, ftTime, ftDateTime, ftFloat, ftCurrency,
    ftBCD, ftSmallint, ftInteger, ftWord, ftAutoInc, ftBoolean,
};

struct TColumnDesc {
    QString Name;
    TFieldType Type = TFieldType::ftString;
    int Size = 0;          // characters for ftString and ftMemo, else 0
    bool Required = false;
};

struct TIndexDesc {
    QString Name;          // per table; empty for the primary index
    QStringList Fields;
    bool Primary = false;
    bool Unique = false;
    bool CaseInsensitive = false;
    bool Descending = false;
};

struct TTableDesc {
    QString Name;          // without extension
    std::vector<TColumnDesc> Columns;
    std::vector<TIndexDesc> Indexes;   // the primary index, when there is one, first
    QString Password;      // set only when describing a table to create; empty: not protected

    int ColumnIndex(const QString& name) const;      // case-insensitive, -1 when absent
    const TIndexDesc* FindIndex(const QString& name) const;   // case-insensitive
};

// Values travel as QVariant: QString (text, memo), QByteArray (blob), QDate,
// QTime, QDateTime, double (float, currency, BCD), int or qlonglong (integers),
// bool (logical); a null QVariant for an empty field. A record is implicitly
// shared: a dataset's copy of the cursor's row costs no copy of its values
// until one of them is written.
using TRecordValues = QList<QVariant>;

// Table name without a ".db" extension, any case kept.
QString StripTableExtension(const QString& name);
