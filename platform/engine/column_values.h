#pragma once
// How field values are stored: declared column types that read back as field
// types, and the conversion between typed values and SQLite's storage form
// (dates as ISO text, logicals 0/1, empty values NULL).
#include "platform/engine/field_types.h"
#include <QDate>
#include <QDateTime>
#include <QTime>

struct TDeclaredType {
    TFieldType Type = TFieldType::ftUnknown;
    int Size = 0;          // characters of a text or memo
};

// Reads a declared type ("character(30)", "VARCHAR(30)", "TEXT MEMO(25)", "REAL NUMERIC(10,2)",
// "SMALLINT", "DATE", ...); ftUnknown when it names none of the engine's types.
TDeclaredType ParseDeclaredType(const QString& declared);
// The declared type the engine writes for a column; its SQLite affinity keeps
// texts as text and floating-point values as REAL.
QString DeclaredTypeFor(const TColumnDesc& column);

bool IsTextType(TFieldType type);   // ftString and ftMemo

QString IsoDate(const QDate& date);
QDate ParseIsoDate(const QString& text);      // the date of "YYYY-MM-DD..."; invalid when it is none
QString IsoTime(const QTime& time);           // HH:MM:SS, .zzz when there are milliseconds
QString IsoDateTime(const QDateTime& dateTime);

// A value bound as a statement parameter, where no column says its type.
QVariant ParameterToStorage(const QVariant& value);
// A value written into a column: checked against the column's type and size.
// EDatabaseError naming the table and field when it does not fit.
QVariant ColumnToStorage(const QVariant& value, const TColumnDesc& column, const QString& table);
// A stored value read back as the column's type (see field_types.h).
QVariant StorageToValue(const QVariant& stored, TFieldType type);

// SQLite's ordering of two storage values: NULL first, then numbers, texts
// (binary, or NOCASE_U when noCase), blobs.
int CompareStorage(const QVariant& a, const QVariant& b, bool noCase);
