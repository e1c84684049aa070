#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/format_settings.h"
#include <charconv>
#include <cmath>
#include <limits>

// Integers and floating-point numbers to and from text.

namespace {

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QString TrimBlanks(const QString& text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return text.mid(b, e - b);
}

// The value of an ASCII digit in the base, or -1.
int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (base == 16 && u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (base == 16 && u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

// FloatToStr rounds the largest doubles up to fifteen digits, past the
// largest double ("1.79769313486232E308"). Such a text, above the largest
// double by no more than that rounding, reads back as the largest double:
// what the program writes it reads again.
bool ReadsAsLargestDouble(const QByteArray& plain, double& value)
{
    long double wide = 0;
    const auto [end, error] = std::from_chars(plain.constData(), plain.constData() + plain.size(), wide);
    if (error != std::errc() || end != plain.constData() + plain.size()) return false;
    const long double magnitude = std::fabs(wide);
    if (magnitude <= std::numeric_limits<double>::max() || magnitude > 1.79769313486232e308L) return false;
    value = wide < 0 ? std::numeric_limits<double>::lowest() : std::numeric_limits<double>::max();
    return true;
}

} // namespace

QString IntToStr(qint64 value)
{
    return QString::number(value);
}

// Leading blanks, an optional sign, then decimal digits, or hexadecimal after
// "$" or "0x".
bool TryStrToInt(const QString& text, qint64& result)
{
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    int base = 10;
    if (i < text.size() && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == QLatin1Char('0')
               && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return false;
    quint64 magnitude = 0;
    const quint64 limit = negative ? quint64(1) << 63 : (quint64(1) << 63) - 1;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0 || magnitude > (limit - digit) / base) return false;
        magnitude = magnitude * base + digit;
    }
    result = negative ? static_cast<qint64>(0 - magnitude) : static_cast<qint64>(magnitude);
    return true;
}

qint64 StrToInt(const QString& text)
{
    qint64 result = 0;
    if (!TryStrToInt(text, result))
        throw EConvertError(QStringLiteral("%1 is not a valid integer value").arg(QuotedInput(text)));
    return result;
}

qint64 StrToIntDef(const QString& text, qint64 def)
{
    qint64 result = 0;
    return TryStrToInt(text, result) ? result : def;
}

// General format: up to 15 significant digits, plain notation while the
// number has at most 15 integer digits and is at least 0.0001, else d.dddE+x.
QString FloatToStr(double value)
{
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    const TDecimalDigits number = DecimalDigitsOf(std::fabs(value), 15);
    if (number.IsZero()) return QStringLiteral("0");
    const QChar point = FormatSettings().DecimalSeparator;
    QString text;
    if (number.exponent > 15 || number.exponent < -3) {
        text = number.digits.left(1);
        if (number.digits.size() > 1) text += point + number.digits.mid(1);
        text += QLatin1Char('E') + QString::number(number.exponent - 1);
    } else {
        text = number.IntegerDigits();
        if (text.isEmpty()) text = QStringLiteral("0");
        const QString fraction = number.FractionDigits(0);
        if (!fraction.isEmpty()) text += point + fraction;
    }
    return value < 0 ? QLatin1Char('-') + text : text;
}

// Blanks around, an optional sign, digits with at most one decimal separator
// (the settings' one), an optional exponent.
bool TryStrToFloat(const QString& text, double& result)
{
    const QString s = TrimBlanks(text);
    const QChar point = FormatSettings().DecimalSeparator;
    QByteArray plain;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) plain += char(s[i++].unicode());
    int digits = 0;
    bool seenPoint = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) { plain += char(c.unicode()); ++digits; }
        else if (c == point && !seenPoint) { plain += '.'; seenPoint = true; }
        else break;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) plain += char(s[i++].unicode());
        int expDigits = 0;
        for (; i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9'); ++i, ++expDigits)
            plain += char(s[i].unicode());
        if (expDigits == 0) return false;
    }
    if (i != s.size()) return false;
    bool ok = false;
    double value = plain.toDouble(&ok);
    if ((!ok || !std::isfinite(value)) && !ReadsAsLargestDouble(plain, value)) return false;
    result = value;
    return true;
}

double StrToFloat(const QString& text)
{
    double result = 0;
    if (!TryStrToFloat(text, result)) NotAFloatError(text);
    return result;
}

void NotAFloatError(const QString& text)
{
    throw EConvertError(QStringLiteral("%1 is not a valid floating point value").arg(QuotedInput(text)));
}
