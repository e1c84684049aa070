#include "platform/engine/column_values.h"
#include "platform/engine/nocase_collation.h"
#include "platform/rtl/exceptions.h"
#include <QRegularExpression>
#include <cmath>
#include <limits>

TDeclaredType ParseDeclaredType(const QString& declared) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([A-Za-z_][A-Za-z_0-9 ]*?)\\s*(?:\\(\\s*(\\d+)\\s*(?:,\\s*(\\d+)\\s*)?\\))?\\s*$"));
    const QRegularExpressionMatch match = pattern.match(declared);
    if (!match.hasMatch()) return {};
    const QStringList words = match.captured(1).toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const int size = match.captured(2).toInt();
    auto has = [&](std::initializer_list<const char*> names) {
        for (const char* name : names)
            if (words.contains(QLatin1String(name))) return true;
        return false;
    };
    using enum TFieldType;
    if (has({"MEMO"})) return {ftMemo, size};
    if (has({"CHARACTER", "CHAR", "VARCHAR", "ALPHA", "STRING"})) return {ftString, size > 0 ? size : 255};
    if (has({"TEXT", "CLOB"})) return {ftMemo, size};
    if (has({"BLOB", "GRAPHIC", "BINARY"})) return {ftBlob, 0};
    if (has({"NUMERIC", "DECIMAL", "BCD"})) return {ftBCD, 0};
    if (has({"MONEY", "CURRENCY"})) return {ftCurrency, 0};
    if (has({"TIMESTAMP", "DATETIME"})) return {ftDateTime, 0};
    if (has({"DATE"})) return {ftDate, 0};
    if (has({"TIME"})) return {ftTime, 0};
    if (has({"FLOAT", "DOUBLE", "REAL", "NUMBER"})) return {ftFloat, 0};
    if (has({"SMALLINT", "SHORT"})) return {ftSmallint, 0};
    if (has({"WORD"})) return {ftWord, 0};
    if (has({"AUTOINC"})) return {ftAutoInc, 0};
    if (has({"INTEGER", "INT", "LONG", "LONGINT"})) return {ftInteger, 0};
    if (has({"LOGICAL", "BOOLEAN", "BOOL"})) return {ftBoolean, 0};
    return {};
}

QString DeclaredTypeFor(const TColumnDesc& column) {
    using enum TFieldType;
    switch (column.Type) {
    case ftString: return QStringLiteral("VARCHAR(%1)").arg(column.Size > 0 ? column.Size : 255);
    case ftMemo: return column.Size > 0 ? QStringLiteral("TEXT MEMO(%1)").arg(column.Size) : QStringLiteral("TEXT MEMO");
    case ftBlob: return QStringLiteral("BLOB");
    case ftDate: return QStringLiteral("DATE");
    case ftTime: return QStringLiteral("TIME");
    case ftDateTime: return QStringLiteral("TIMESTAMP");
    case ftFloat: return QStringLiteral("FLOAT");
    case ftCurrency: return QStringLiteral("REAL MONEY");
    case ftBCD: return QStringLiteral("REAL NUMERIC");
    case ftSmallint: return QStringLiteral("SMALLINT");
    // Not INTEGER: an INTEGER primary key would become SQLite's row id.
    case ftInteger: return QStringLiteral("INT");
    case ftWord: return QStringLiteral("WORD");
    case ftAutoInc: return QStringLiteral("AUTOINC");
    case ftBoolean: return QStringLiteral("LOGICAL");
    case ftUnknown: break;
    }
    throw EDatabaseError(QStringLiteral("Field \"%1\" has no type").arg(column.Name));
}

bool IsTextType(TFieldType type) { return type == TFieldType::ftString || type == TFieldType::ftMemo; }

QString IsoDate(const QDate& date) {
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) return date.toString(Qt::ISODate);
    // Written by hand: every posted date passes here.
    char text[11];
    const int year = date.year(), month = date.month(), day = date.day();
    text[0] = char('0' + year / 1000);
    text[1] = char('0' + year / 100 % 10);
    text[2] = char('0' + year / 10 % 10);
    text[3] = char('0' + year % 10);
    text[4] = text[7] = '-';
    text[5] = char('0' + month / 10);
    text[6] = char('0' + month % 10);
    text[8] = char('0' + day / 10);
    text[9] = char('0' + day % 10);
    text[10] = 0;
    return QString::fromLatin1(text, 10);
}

QDate ParseIsoDate(const QString& text) {
    if (text.size() < 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-')) return {};
    auto number = [&](int from, int count) {
        int value = 0;
        for (int i = from; i < from + count; ++i) {
            const int digit = text[i].unicode() - '0';
            if (digit < 0 || digit > 9) return -1;
            value = value * 10 + digit;
        }
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 0 || month < 0 || day < 0) return {};
    return QDate(year, month, day);
}

QString IsoTime(const QTime& time) {
    return time.toString(time.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
}

QString IsoDateTime(const QDateTime& dateTime) {
    return IsoDate(dateTime.date()) + QLatin1Char(' ') + IsoTime(dateTime.time());
}

namespace {

bool IsInteger(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Long: case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

bool IsNumber(const QVariant& v) {
    return IsInteger(v) || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

QDateTime ParseIsoDateTime(QString text) {
    if (text.size() == 10) text += QStringLiteral(" 00:00:00");
    text.replace(QLatin1Char(' '), QLatin1Char('T'));
    return QDateTime::fromString(text, Qt::ISODateWithMs);
}

[[noreturn]] void WrongType(const QVariant& value, const TColumnDesc& column, const QString& table) {
    throw EDatabaseError(QStringLiteral("Value \"%1\" does not fit field \"%2\" of table %3")
                             .arg(value.toString(), column.Name, table));
}

QVariant IntegerToStorage(const QVariant& value, const TColumnDesc& column, const QString& table) {
    bool ok = false;
    qlonglong number = 0;
    if (IsInteger(value) || value.typeId() == QMetaType::Bool) {
        number = value.toLongLong(&ok);
    } else if (IsNumber(value)) {
        const double d = value.toDouble();
        ok = std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9.2e18;
        number = qlonglong(d);
    } else if (value.typeId() == QMetaType::QString) {
        if (value.toString().trimmed().isEmpty()) return {};
        number = value.toString().trimmed().toLongLong(&ok);
    }
    if (!ok) WrongType(value, column, table);
    qlonglong low = std::numeric_limits<qint32>::min(), high = std::numeric_limits<qint32>::max();
    if (column.Type == TFieldType::ftSmallint) low = -32768, high = 32767;
    if (column.Type == TFieldType::ftWord) low = 0, high = 65535;
    if (number < low || number > high)
        throw EDatabaseError(QStringLiteral("Value %1 is out of range for field \"%2\" of table %3")
                                 .arg(number).arg(column.Name, table));
    return number;
}

QVariant FloatToStorage(const QVariant& value, const TColumnDesc& column, const QString& table) {
    bool ok = false;
    double number = 0;
    if (IsNumber(value)) {
        number = value.toDouble(&ok);
    } else if (value.typeId() == QMetaType::QString) {
        if (value.toString().trimmed().isEmpty()) return {};
        number = value.toString().trimmed().toDouble(&ok);
    }
    if (!ok || !std::isfinite(number)) WrongType(value, column, table);
    return number;
}

QVariant DateToStorage(const QVariant& value, const TColumnDesc& column, const QString& table) {
    using enum TFieldType;
    QDateTime stamp;
    switch (value.typeId()) {
    case QMetaType::QDate: {
        // Straight to text: a QDateTime in local time costs a time-zone lookup.
        const QDate date = value.toDate();
        if (!date.isValid() || column.Type == ftTime) return {};
        return column.Type == ftDate ? IsoDate(date) : IsoDate(date) + QStringLiteral(" 00:00:00");
    }
    case QMetaType::QDateTime: stamp = value.toDateTime(); break;
    case QMetaType::QTime:
        if (column.Type != ftTime) WrongType(value, column, table);
        return value.toTime().isValid() ? QVariant(IsoTime(value.toTime())) : QVariant();
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        if (text.isEmpty()) return {};
        if (column.Type == ftTime) {
            const QTime time = QTime::fromString(text, Qt::ISODateWithMs);
            if (!time.isValid()) WrongType(value, column, table);
            return IsoTime(time);
        }
        stamp = ParseIsoDateTime(text);
        if (!stamp.isValid()) WrongType(value, column, table);
        break;
    }
    default:
        WrongType(value, column, table);
    }
    if (!stamp.isValid() || !stamp.date().isValid()) return {};
    if (column.Type == ftDate) return IsoDate(stamp.date());
    if (column.Type == ftTime) return IsoTime(stamp.time());
    return IsoDateTime(stamp);
}

}  // namespace

QVariant ParameterToStorage(const QVariant& value) {
    if (value.isNull()) return {};
    switch (value.typeId()) {
    case QMetaType::Bool: return qlonglong(value.toBool() ? 1 : 0);
    case QMetaType::QDate: return IsoDate(value.toDate());
    case QMetaType::QTime: return IsoTime(value.toTime());
    case QMetaType::QDateTime: return IsoDateTime(value.toDateTime());
    case QMetaType::Double: case QMetaType::Float: return value.toDouble();
    case QMetaType::QByteArray: return value.toByteArray();
    default:
        if (IsInteger(value)) return value.toLongLong();
        return value.toString();
    }
}

QVariant ColumnToStorage(const QVariant& value, const TColumnDesc& column, const QString& table) {
    using enum TFieldType;
    if (value.isNull()) return {};
    switch (column.Type) {
    case ftString:
    case ftMemo: {
        if (value.typeId() == QMetaType::QByteArray) WrongType(value, column, table);
        const QString text = value.toString();
        if (text.isEmpty()) return {};
        if (column.Type == ftString && column.Size > 0 && text.size() > column.Size)
            throw EDatabaseError(QStringLiteral("Text too long for field \"%1\" of table %2: %3 characters, at most %4")
                                     .arg(column.Name, table).arg(text.size()).arg(column.Size));
        // Stored as UTF-8, half of a character would become U+FFFD and a NUL
        // would end the text for some readers: refused rather than stored changed.
        if (!text.isValidUtf16() || text.contains(QChar(0)))
            throw EDatabaseError(QStringLiteral("Text for field \"%1\" of table %2 holds a character that cannot be "
                                                "stored (half of a character or NUL)")
                                     .arg(column.Name, table));
        return text;
    }
    case ftBlob: {
        const QByteArray bytes = value.typeId() == QMetaType::QString ? value.toString().toUtf8() : value.toByteArray();
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    case ftDate:
    case ftTime:
    case ftDateTime:
        return DateToStorage(value, column, table);
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return FloatToStorage(value, column, table);
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
        return IntegerToStorage(value, column, table);
    case ftBoolean:
        if (value.typeId() == QMetaType::Bool || IsInteger(value)) return qlonglong(value.toLongLong() != 0);
        WrongType(value, column, table);
    case ftUnknown:
        break;
    }
    return ParameterToStorage(value);
}

QVariant StorageToValue(const QVariant& stored, TFieldType type) {
    using enum TFieldType;
    if (stored.isNull()) return {};
    switch (type) {
    case ftString:
    case ftMemo:
        return stored.toString();
    case ftBlob:
        return stored.typeId() == QMetaType::QString ? stored.toString().toUtf8() : stored.toByteArray();
    case ftDate: {
        const QDate date = ParseIsoDate(stored.toString());
        return date.isValid() ? QVariant(date) : QVariant();
    }
    case ftTime: {
        const QTime time = QTime::fromString(stored.toString(), Qt::ISODateWithMs);
        return time.isValid() ? QVariant(time) : QVariant();
    }
    case ftDateTime: {
        const QDateTime stamp = ParseIsoDateTime(stored.toString());
        return stamp.isValid() ? QVariant(stamp) : QVariant();
    }
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return stored.toDouble();
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc: {
        const qlonglong number = stored.toLongLong();
        if (number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max())
            return int(number);
        return number;
    }
    case ftBoolean:
        return stored.toLongLong() != 0;
    case ftUnknown:
        break;
    }
    return stored;
}

namespace {
int StorageRank(const QVariant& v) {
    if (v.isNull()) return 0;
    if (IsNumber(v)) return 1;
    if (v.typeId() == QMetaType::QByteArray) return 3;
    return 2;
}
}  // namespace

int CompareStorage(const QVariant& a, const QVariant& b, bool noCase) {
    const int rankA = StorageRank(a), rankB = StorageRank(b);
    if (rankA != rankB) return rankA < rankB ? -1 : 1;
    switch (rankA) {
    case 1: {
        if (IsInteger(a) && IsInteger(b)) {
            const qlonglong x = a.toLongLong(), y = b.toLongLong();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case 2: {
        if (noCase) return CompareTextNoCase(a.toString(), b.toString());
        const int c = a.toString().toUtf8().compare(b.toString().toUtf8());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    case 3: {
        const int c = a.toByteArray().compare(b.toByteArray());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    default:
        return 0;
    }
}
