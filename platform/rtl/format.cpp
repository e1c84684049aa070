#include "platform/rtl/format.h"
#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format_settings.h"
#include <algorithm>
#include <cmath>
#include <vector>

// Format: the printf-style directives %[-][width][.precision]type, where type
// is d, s, f, n, g, e or x (either case), and %% for a percent sign.

namespace {

struct Directive {
    bool leftAlign = false;
    int width = -1;
    int precision = -1;
    QChar type;
    QString text;   // the directive as written, for error texts
};

[[noreturn]] void Incompatible(const Directive& d)
{
    throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(d.text));
}

bool IsIntegral(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Char: case QMetaType::SChar: case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool IsFloating(const QVariant& v)
{
    return IsIntegral(v) || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

bool IsText(const QVariant& v)
{
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QChar
        || v.typeId() == QMetaType::QByteArray;
}

// Digits of an integer with at least `precision` of them; the sign goes before the zeros.
QString IntegerText(qint64 value, int precision)
{
    const bool negative = value < 0;
    QString digits = QString::number(negative ? -static_cast<quint64>(value) : static_cast<quint64>(value));
    if (precision > digits.size()) digits = QString(precision - digits.size(), QLatin1Char('0')) + digits;
    return negative ? QLatin1Char('-') + digits : digits;
}

QString FixedText(double value, int decimals, bool thousands)
{
    const TFormatSettings& fs = FormatSettings();
    const TDecimalDigits dec = RoundToDecimals(DecimalDigitsOf(std::abs(value), 18), decimals);
    QString integer = dec.IntegerDigits();
    if (integer.isEmpty()) integer = QStringLiteral("0");
    if (thousands) integer = GroupThousands(integer, fs.ThousandSeparator);
    QString text = integer;
    if (decimals > 0) text += fs.DecimalSeparator + dec.FractionDigits(decimals);
    return (value < 0 && !dec.IsZero()) ? QLatin1Char('-') + text : text;
}

QString ScientificText(double value, int precision)
{
    if (precision < 1 || precision > 18) precision = 15;
    const TDecimalDigits dec = DecimalDigitsOf(std::abs(value), precision);
    QString mantissa = dec.digits.isEmpty() ? QStringLiteral("0") : dec.digits.left(1);
    QString rest = dec.digits.mid(1);
    rest += QString(precision - 1 - rest.size(), QLatin1Char('0'));
    if (!rest.isEmpty()) mantissa += FormatSettings().DecimalSeparator + rest;
    const int exponent = dec.digits.isEmpty() ? 0 : dec.exponent - 1;
    const QString expText = QStringLiteral("%1").arg(std::abs(exponent), 3, 10, QLatin1Char('0'));
    const QString text = mantissa + QLatin1Char('E') + (exponent < 0 ? QLatin1Char('-') : QLatin1Char('+')) + expText;
    return value < 0 ? QLatin1Char('-') + text : text;
}

QString Convert(const Directive& d, const QVariant& arg)
{
    switch (d.type.toLower().unicode()) {
    case 'd':
        if (!IsIntegral(arg)) Incompatible(d);
        return IntegerText(arg.toLongLong(), d.precision);
    case 'x': {
        if (!IsIntegral(arg)) Incompatible(d);
        QString hex = QString::number(arg.toULongLong(), 16).toUpper();
        if (d.precision > hex.size()) hex = QString(d.precision - hex.size(), QLatin1Char('0')) + hex;
        return hex;
    }
    case 's': {
        if (!IsText(arg)) Incompatible(d);
        const QString text = arg.toString();
        return d.precision >= 0 ? text.left(d.precision) : text;
    }
    case 'f':
        if (!IsFloating(arg)) Incompatible(d);
        return FixedText(arg.toDouble(), d.precision >= 0 ? d.precision : 2, false);
    case 'n':
        if (!IsFloating(arg)) Incompatible(d);
        return FixedText(arg.toDouble(), d.precision >= 0 ? d.precision : 2, true);
    case 'g':
        if (!IsFloating(arg)) Incompatible(d);
        return FloatToStr(arg.toDouble());
    case 'e':
        if (!IsFloating(arg)) Incompatible(d);
        return ScientificText(arg.toDouble(), d.precision);
    default:
        Incompatible(d);
    }
}

// Widths and precisions beyond this are no layout anyone means; refused
// before they overflow or ask for a string of gigabytes.
constexpr int MaxWidth = 1024;

// The number at I, or MaxWidth + 1 for any larger one.
int ReadNumber(const QString& format, qsizetype& i)
{
    int n = 0;
    while (i < format.size() && format[i].isDigit()) n = std::min(n * 10 + format[i++].digitValue(), MaxWidth + 1);
    return n;
}

} // namespace

QString Format(const QString& format, std::initializer_list<QVariant> args)
{
    const std::vector<QVariant> values(args);
    QString result;
    std::size_t next = 0;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c != QLatin1Char('%')) { result += c; ++i; continue; }
        const qsizetype start = i++;
        if (i < format.size() && format[i] == QLatin1Char('%')) { result += c; ++i; continue; }
        Directive d;
        if (i < format.size() && format[i] == QLatin1Char('-')) { d.leftAlign = true; ++i; }
        if (i < format.size() && format[i].isDigit()) d.width = ReadNumber(format, i);
        if (i < format.size() && format[i] == QLatin1Char('.')) { ++i; d.precision = ReadNumber(format, i); }
        if (i < format.size()) d.type = format[i++];
        d.text = format.mid(start, i - start);
        if (d.type.isNull() || d.width > MaxWidth || d.precision > MaxWidth) Incompatible(d);
        if (next >= values.size())
            throw EConvertError(QStringLiteral("No argument for format '%1'").arg(d.text));
        QString text = Convert(d, values[next++]);
        if (d.width > text.size()) {
            const QString pad(d.width - text.size(), QLatin1Char(' '));
            text = d.leftAlign ? text + pad : pad + text;
        }
        result += text;
    }
    return result;
}
