#include "platform/db/fields.h"
#include "platform/db/db_errors.h"
#include "platform/rtl/format.h"
#include "platform/rtl/format_settings.h"
#include "platform/rtl/whole_characters.h"
#include <QRegularExpression>
#include <cmath>
#include <limits>

using enum TFieldType;

namespace {

bool IsTextValue(const QVariant& value)
{
    return value.typeId() == QMetaType::QString;
}

// A text field's value is a text already (or null): handed out without the
// variant's general conversion, which every read of a text would pay.
QString VariantText(const QVariant& value)
{
    if (!value.isValid()) return {};   // an empty field: a record holds no other null
    if (value.metaType() == QMetaType::fromType<QString>()) return *static_cast<const QString*>(value.constData());
    return value.toString();
}

// "h:mm[:ss] [AM|PM]" in the settings' time separator.
TDateTime StrToTime(const QString& text)
{
    const TFormatSettings& settings = FormatSettings();
    const QString separator = QRegularExpression::escape(QString(settings.TimeSeparator));
    const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2})%1(\\d{1,2})(?:%1(\\d{1,2}))?\\s*(\\S*)\\s*$").arg(separator));
    const QRegularExpressionMatch match = pattern.match(text);
    TDateTime result = 0;
    if (match.hasMatch()) {
        int hour = match.captured(1).toInt();
        const QString suffix = match.captured(4);
        bool valid = true;
        if (!suffix.isEmpty()) {
            const bool pm = suffix.compare(settings.TimePMString, Qt::CaseInsensitive) == 0;
            valid = hour >= 1 && hour <= 12 && (pm || suffix.compare(settings.TimeAMString, Qt::CaseInsensitive) == 0);
            hour = hour % 12 + (pm ? 12 : 0);
        }
        if (valid && TryEncodeTime(hour, match.captured(2).toInt(), match.captured(3).toInt(), 0, result))
            return result;
    }
    throw EConvertError(QStringLiteral("%1 is not a valid time").arg(QuotedInput(text)));
}

TDateTime StrToDateTime(const QString& text)
{
    const QString trimmed = text.trimmed();
    const int blank = trimmed.indexOf(QLatin1Char(' '));
    if (blank < 0) return StrToDate(trimmed);
    return StrToDate(trimmed.left(blank)) + StrToTime(trimmed.mid(blank + 1));
}

TDateTime VariantToDateTime(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate: return QDateToDateTime(value.toDate());
    case QMetaType::QTime: return QTimeToDateTime(value.toTime());
    case QMetaType::QDateTime: return QDateTimeToDateTime(value.toDateTime());
    case QMetaType::QString: return StrToDateTime(value.toString());
    default: return value.toDouble();
    }
}

} // namespace

// ---- TStringField

TStringField::TStringField(TComponent* owner, int size)
    : TField(owner, ftString, size)
{
}

QString TStringField::AsString() const { return VariantText(Data()); }

void TStringField::SetAsString(const QString& text) { SetValue(text); }

// A text longer than the field is cut to its size, never inside a
// character; an empty text is no value.
QVariant TStringField::ToStored(const QVariant& value) const
{
    QString text = value.toString();
    if (Size() > 0 && text.size() > Size()) text = LeftWholeCharacters(text, Size());
    return text.isEmpty() ? QVariant() : QVariant(text);
}

int TStringField::AsInteger() const { return int(StrToInt(AsString())); }
void TStringField::SetAsInteger(int value) { SetAsString(IntToStr(value)); }
double TStringField::AsFloat() const { return StrToFloat(AsString()); }
void TStringField::SetAsFloat(double value) { SetAsString(FloatToStr(value)); }

bool TStringField::AsBoolean() const
{
    const QString text = AsString();
    return !text.isEmpty() && QStringLiteral("TtYy").contains(text.at(0));
}

void TStringField::SetAsBoolean(bool value) { SetAsString(value ? QStringLiteral("T") : QStringLiteral("F")); }
TDateTime TStringField::AsDateTime() const { return StrToDateTime(AsString()); }
void TStringField::SetAsDateTime(TDateTime value) { SetAsString(DateTimeToStr(value)); }

// ---- TBlobField, TMemoField

TBlobField::TBlobField(TComponent* owner, int size)
    : TField(owner, ftBlob, size)
{
}

TBlobField::TBlobField(TComponent* owner, TFieldType type, int size)
    : TField(owner, type, size)
{
}

QString TBlobField::AsString() const { return QString::fromUtf8(Data().toByteArray()); }

void TBlobField::SetAsString(const QString& text) { SetValue(text.toUtf8()); }

QVariant TBlobField::ToStored(const QVariant& value) const
{
    const QByteArray bytes = IsTextValue(value) ? value.toString().toUtf8() : value.toByteArray();
    return bytes.isEmpty() ? QVariant() : QVariant(bytes);
}

// A grid shows the kind of the field, in lower case while it is empty.
QString TBlobField::FormatText(bool) const
{
    const QString name = DataType() == ftMemo ? QStringLiteral("(MEMO)") : QStringLiteral("(BLOB)");
    return IsNull() ? name.toLower() : name;
}

TMemoField::TMemoField(TComponent* owner, int size)
    : TBlobField(owner, ftMemo, size)
{
}

QString TMemoField::AsString() const { return VariantText(Data()); }

void TMemoField::SetAsString(const QString& text) { SetValue(text); }

QVariant TMemoField::ToStored(const QVariant& value) const
{
    const QString text = value.typeId() == QMetaType::QByteArray ? QString::fromUtf8(value.toByteArray())
                                                                 : value.toString();
    return text.isEmpty() ? QVariant() : QVariant(text);
}

// ---- TDateTimeField, TDateField, TTimeField

TDateTimeField::TDateTimeField(TComponent* owner)
    : TField(owner, ftDateTime, 0)
{
}

TDateTimeField::TDateTimeField(TComponent* owner, TFieldType type)
    : TField(owner, type, 0)
{
}

void TDateTimeField::SetDisplayFormat(const QString& format)
{
    displayFormat_ = format;
    Changed();
}

TDateTime TDateTimeField::AsDateTime() const
{
    const QVariant& value = Data();
    return value.isNull() ? 0 : VariantToDateTime(value);
}

void TDateTimeField::SetAsDateTime(TDateTime value) { SetValue(value); }

QString TDateTimeField::AsString() const { return FormatText(false); }

void TDateTimeField::SetAsString(const QString& text)
{
    if (text.trimmed().isEmpty())
        Clear();
    else
        SetAsDateTime(StrToDateTime(text));
}

QVariant TDateTimeField::ToStored(const QVariant& value) const
{
    if (IsTextValue(value) && value.toString().trimmed().isEmpty()) return {};
    return DateTimeToQDateTime(VariantToDateTime(value));
}

QString TDateTimeField::DefaultFormat() const
{
    return {};
}

QString TDateTimeField::FormatText(bool displayText) const
{
    if (IsNull()) return {};
    const TDateTime value = AsDateTime();
    QString format = displayText ? displayFormat_ : QString();
    if (format.isEmpty()) format = DefaultFormat();
    return format.isEmpty() ? DateTimeToStr(value) : FormatDateTime(format, value);
}

int TDateTimeField::DefaultDisplayWidth() const
{
    return DataType() == ftDateTime ? 18 : 10;
}

TDateField::TDateField(TComponent* owner)
    : TDateTimeField(owner, ftDate)
{
}

void TDateField::SetAsString(const QString& text)
{
    if (text.trimmed().isEmpty())
        Clear();
    else
        SetAsDateTime(StrToDate(text.trimmed()));
}

QVariant TDateField::ToStored(const QVariant& value) const
{
    if (IsTextValue(value)) {
        const QString text = value.toString().trimmed();
        return text.isEmpty() ? QVariant() : QVariant(DateTimeToQDate(StrToDate(text)));
    }
    return DateTimeToQDate(VariantToDateTime(value));
}

QString TDateField::DefaultFormat() const
{
    return FormatSettings().ShortDateFormat;
}

TTimeField::TTimeField(TComponent* owner)
    : TDateTimeField(owner, ftTime)
{
}

void TTimeField::SetAsString(const QString& text)
{
    if (text.trimmed().isEmpty())
        Clear();
    else
        SetAsDateTime(StrToTime(text));
}

QVariant TTimeField::ToStored(const QVariant& value) const
{
    if (IsTextValue(value)) {
        const QString text = value.toString().trimmed();
        return text.isEmpty() ? QVariant() : QVariant(DateTimeToQTime(StrToTime(text)));
    }
    return DateTimeToQTime(VariantToDateTime(value));
}

QString TTimeField::DefaultFormat() const
{
    return FormatSettings().LongTimeFormat;
}

// ---- TNumericField

TNumericField::TNumericField(TComponent* owner, TFieldType type)
    : TField(owner, type, 0)
{
}

void TNumericField::SetDisplayFormat(const QString& format)
{
    displayFormat_ = format;
    Changed();
}

void TNumericField::SetEditFormat(const QString& format)
{
    editFormat_ = format;
    Changed();
}

// ---- integers

TIntegerField::TIntegerField(TComponent* owner)
    : TIntegerField(owner, ftInteger, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())
{
}

TIntegerField::TIntegerField(TComponent* owner, TFieldType type, int minValue, int maxValue)
    : TNumericField(owner, type), minValue_(minValue), maxValue_(maxValue)
{
}

int TIntegerField::AsInteger() const { return Data().toInt(); }

QString TIntegerField::AsString() const
{
    const QVariant& value = Data();
    return value.isNull() ? QString() : IntToStr(value.toLongLong());
}

void TIntegerField::SetAsString(const QString& text)
{
    if (text.trimmed().isEmpty())
        Clear();
    else
        SetValue(StrToInt(text.trimmed()));
}

void TIntegerField::SetAsInteger(int value) { SetValue(value); }

void TIntegerField::SetAsFloat(double value) { SetValue(qRound64(value)); }

QVariant TIntegerField::ToStored(const QVariant& value) const
{
    qint64 number = 0;
    if (IsTextValue(value)) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty()) return {};
        number = StrToInt(text);
    } else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        number = qRound64(value.toDouble());
    } else {
        bool ok = false;
        number = value.toLongLong(&ok);
        if (!ok) DatabaseError(DbText::FieldTypeMismatch(DisplayName()));
    }
    if (number < minValue_ || number > maxValue_)
        throw ERangeError(DbText::FieldRangeError(IntToStr(number), DisplayName(), IntToStr(minValue_), IntToStr(maxValue_)));
    return int(number);
}

QString TIntegerField::FormatText(bool displayText) const
{
    if (IsNull()) return {};
    const QString format = displayText || EditFormat().isEmpty() ? DisplayFormat() : EditFormat();
    return format.isEmpty() ? AsString() : FormatFloat(format, AsInteger());
}

bool TIntegerField::IsValidChar(QChar ch) const
{
    return ch.isDigit() || ch == QLatin1Char('+') || ch == QLatin1Char('-');
}

TSmallintField::TSmallintField(TComponent* owner)
    : TIntegerField(owner, ftSmallint, -32768, 32767)
{
}

TWordField::TWordField(TComponent* owner)
    : TIntegerField(owner, ftWord, 0, 65535)
{
}

TAutoIncField::TAutoIncField(TComponent* owner)
    : TIntegerField(owner, ftAutoInc, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())
{
}

// ---- floats

TFloatField::TFloatField(TComponent* owner)
    : TNumericField(owner, ftFloat)
{
}

TFloatField::TFloatField(TComponent* owner, TFieldType type)
    : TNumericField(owner, type)
{
}

double TFloatField::AsFloat() const { return Data().toDouble(); }

int TFloatField::AsInteger() const { return int(std::lround(AsFloat())); }

QString TFloatField::AsString() const
{
    const QVariant& value = Data();
    return value.isNull() ? QString() : FloatToStr(value.toDouble());
}

// The text goes to the field as typed, so that a refusal quotes it.
void TFloatField::SetAsString(const QString& text)
{
    if (text.trimmed().isEmpty())
        Clear();
    else
        SetValue(text);
}

void TFloatField::SetAsFloat(double value) { SetValue(value); }

// A typed text beyond the bound is refused as no number: kept, it would show
// as another number than the one typed, or overflow the sums of the book. The
// program's own values (sums, totals) are not bounded, only kept finite.
QVariant TFloatField::ToStored(const QVariant& value) const
{
    if (IsTextValue(value)) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty()) return {};
        const double number = StrToFloat(text);
        if (std::fabs(number) > MaxTypedAmount) NotAFloatError(text);
        return number;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok) DatabaseError(DbText::FieldTypeMismatch(DisplayName()));
    if (!std::isfinite(number)) NotAFloatError(FloatToStr(number));
    return number;
}

// The edit text falls back on the display format, as a grid's editor shows
// the value the way the cell did when no edit format is given.
QString TFloatField::FormatText(bool displayText) const
{
    if (IsNull()) return {};
    QString format = displayText || EditFormat().isEmpty() ? DisplayFormat() : EditFormat();
    if (format.isEmpty()) format = displayText ? DefaultDisplayFormat() : DefaultEditFormat();
    return format.isEmpty() ? AsString() : FormatFloat(format, AsFloat());
}

bool TFloatField::IsValidChar(QChar ch) const
{
    return ch.isDigit() || ch == QLatin1Char('+') || ch == QLatin1Char('-') || ch == QLatin1Char('e') ||
           ch == QLatin1Char('E') || ch == FormatSettings().DecimalSeparator;
}

TCurrencyField::TCurrencyField(TComponent* owner)
    : TFloatField(owner, ftCurrency)
{
}

QString TCurrencyField::DefaultDisplayFormat() const { return QStringLiteral(",0.00"); }
QString TCurrencyField::DefaultEditFormat() const { return QStringLiteral("0.00"); }

TBCDField::TBCDField(TComponent* owner)
    : TFloatField(owner, ftBCD)
{
}

// ---- TBooleanField

TBooleanField::TBooleanField(TComponent* owner)
    : TField(owner, ftBoolean, 0)
{
}

bool TBooleanField::AsBoolean() const { return Data().toBool(); }

void TBooleanField::SetAsBoolean(bool value) { SetValue(value); }

QString TBooleanField::AsString() const
{
    const QVariant& value = Data();
    if (value.isNull()) return {};
    return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
}

// Any beginning of "True" or "False", in any case.
void TBooleanField::SetAsString(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        Clear();
    else if (QStringLiteral("False").startsWith(trimmed, Qt::CaseInsensitive))
        SetAsBoolean(false);
    else if (QStringLiteral("True").startsWith(trimmed, Qt::CaseInsensitive))
        SetAsBoolean(true);
    else
        DatabaseError(QStringLiteral("%1 is not a valid boolean value for field '%2'").arg(QuotedInput(text), DisplayName()));
}

QVariant TBooleanField::ToStored(const QVariant& value) const
{
    if (IsTextValue(value)) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty()) return {};
        if (QStringLiteral("False").startsWith(text, Qt::CaseInsensitive)) return false;
        if (QStringLiteral("True").startsWith(text, Qt::CaseInsensitive)) return true;
        DatabaseError(QStringLiteral("%1 is not a valid boolean value for field '%2'").arg(QuotedInput(text), DisplayName()));
    }
    return value.toBool();
}

QString TBooleanField::FormatText(bool) const
{
    return AsString();
}

TField* CreateFieldOfType(TFieldType type, TComponent* owner, int size)
{
    switch (type) {
    case ftString: return new TStringField(owner, size > 0 ? size : 20);
    case ftMemo: return new TMemoField(owner, size);
    case ftBlob: return new TBlobField(owner, size);
    case ftDate: return new TDateField(owner);
    case ftTime: return new TTimeField(owner);
    case ftDateTime: return new TDateTimeField(owner);
    case ftFloat: return new TFloatField(owner);
    case ftCurrency: return new TCurrencyField(owner);
    case ftBCD: return new TBCDField(owner);
    case ftSmallint: return new TSmallintField(owner);
    case ftInteger: return new TIntegerField(owner);
    case ftWord: return new TWordField(owner);
    case ftAutoInc: return new TAutoIncField(owner);
    case ftBoolean: return new TBooleanField(owner);
    case ftUnknown: break;
    }
    DatabaseError(QStringLiteral("Unknown field type"));
}
