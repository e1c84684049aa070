#include "platform/rtl/decimal_digits.h"
#include <cstdio>
#include <cstdlib>

namespace {

void TrimTrailingZeros(TDecimalDigits& number)
{
    qsizetype n = number.digits.size();
    while (n > 0 && number.digits[n - 1] == QLatin1Char('0')) --n;
    number.digits.truncate(n);
    if (number.digits.isEmpty()) number.exponent = 0;
}

} // namespace

QString TDecimalDigits::IntegerDigits() const
{
    if (exponent <= 0) return {};
    QString result = digits.left(exponent);
    if (result.size() < exponent) result += QString(exponent - result.size(), QLatin1Char('0'));
    return result;
}

QString TDecimalDigits::FractionDigits(int minCount) const
{
    QString result;
    if (!digits.isEmpty()) {
        if (exponent < 0) result = QString(-exponent, QLatin1Char('0')) + digits;
        else result = digits.mid(exponent);
    }
    if (result.size() < minCount) result += QString(minCount - result.size(), QLatin1Char('0'));
    return result;
}

TDecimalDigits DecimalDigitsOf(double value, int significant)
{
    TDecimalDigits number;
    if (value == 0) return number;
    // Far more digits than a double holds, then our own rounding: printf would
    // round an exact half to even.
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%.40e", value);
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') number.digits += QLatin1Char(*p);
    number.exponent = (*p == 'e' ? std::atoi(p + 1) : 0) + 1;
    TrimTrailingZeros(number);
    return RoundToDecimals(number, significant - number.exponent);
}

TDecimalDigits RoundToDecimals(TDecimalDigits number, int decimals)
{
    const qsizetype keep = static_cast<qsizetype>(number.exponent) + decimals;
    if (keep >= number.digits.size()) return number;
    if (keep < 0) return {};
    const bool roundUp = number.digits[keep] >= QLatin1Char('5');
    number.digits.truncate(keep);
    if (roundUp) {
        qsizetype i = keep - 1;
        while (i >= 0 && number.digits[i] == QLatin1Char('9')) number.digits[i--] = QLatin1Char('0');
        if (i >= 0) {
            number.digits[i] = QChar(number.digits[i].unicode() + 1);
        } else {
            number.digits.prepend(QLatin1Char('1'));
            ++number.exponent;
        }
    }
    TrimTrailingZeros(number);
    return number;
}

QString GroupThousands(const QString& digits, QChar separator)
{
    QString result;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) result += separator;
        result += digits[i];
    }
    return result;
}
