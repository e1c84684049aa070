#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/format.h"
#include "platform/rtl/format_settings.h"
#include <cmath>

// FormatFloat: display formats of up to three sections "positive;negative;zero".
// In a section "0" is a digit always shown, "#" a digit shown when significant,
// the first "." the decimal separator, any "," turns on thousands grouping,
// quoted text is literal and every other character is copied.

namespace {

QStringList SplitSections(const QString& format)
{
    QStringList sections{QString()};
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.append(QString());
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

struct SectionLayout {
    int integerMin = 0;     // integer digits always shown (from the first "0")
    int fractionMin = 0;    // fraction digits always shown (up to the last "0")
    int fractionMax = 0;    // fraction digit placeholders
    bool thousands = false;
};

SectionLayout ScanSection(const QString& section)
{
    SectionLayout layout;
    QChar quote;
    bool afterPoint = false, seenZero = false;
    int integerPlaces = 0;
    for (const QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
            continue;
        }
        switch (c.unicode()) {
        case '"': case '\'': quote = c; break;
        case '.': afterPoint = true; break;
        case ',': layout.thousands = true; break;
        case '0': case '#':
            if (afterPoint) {
                ++layout.fractionMax;
                if (c == QLatin1Char('0')) layout.fractionMin = layout.fractionMax;
            } else {
                seenZero = seenZero || c == QLatin1Char('0');
                if (seenZero) ++integerPlaces;
            }
            break;
        default: break;
        }
    }
    layout.integerMin = integerPlaces;
    return layout;
}

// Writes the section with the number's text in place of its placeholders: the
// integer part where the first placeholder (or the point) stands, the
// separator and fraction at the point.
QString Render(const QString& section, const QString& integer, const QString& fraction, bool negative)
{
    const QChar point = FormatSettings().DecimalSeparator;
    QString result;
    QChar quote;
    bool numberWritten = false, pointWritten = false;
    for (const QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
            else result += c;
            continue;
        }
        switch (c.unicode()) {
        case '"': case '\'': quote = c; break;
        case ',': break;
        case '0': case '#': case '.':
            if (!numberWritten) {
                if (negative) result += QLatin1Char('-');
                result += integer;
                numberWritten = true;
            }
            if (c == QLatin1Char('.') && !pointWritten) {
                if (!fraction.isEmpty()) result += point + fraction;
                pointWritten = true;
            }
            break;
        default: result += c; break;
        }
    }
    return result;
}

} // namespace

QString FormatFloat(const QString& format, double value)
{
    if (format.isEmpty() || !std::isfinite(value)) return FloatToStr(value);
    const QStringList sections = SplitSections(format);

    // Round with the positive section's layout first: a value that rounds to
    // zero is shown as zero, without a sign.
    SectionLayout layout = ScanSection(sections[0]);
    TDecimalDigits number = RoundToDecimals(DecimalDigitsOf(std::fabs(value), 18), layout.fractionMax);
    QString section = sections[0];
    bool sign = false;
    if (number.IsZero()) {
        if (sections.size() > 2 && !sections[2].isEmpty()) section = sections[2];
    } else if (value < 0) {
        if (sections.size() > 1 && !sections[1].isEmpty()) section = sections[1];
        else sign = true;
    }
    if (section != sections[0]) {
        layout = ScanSection(section);
        number = RoundToDecimals(DecimalDigitsOf(std::fabs(value), 18), layout.fractionMax);
    }

    QString integer = number.IntegerDigits();
    if (integer.size() < layout.integerMin)
        integer.prepend(QString(layout.integerMin - integer.size(), QLatin1Char('0')));
    if (layout.thousands) integer = GroupThousands(integer, FormatSettings().ThousandSeparator);
    return Render(section, integer, number.FractionDigits(layout.fractionMin), sign);
}
