#pragma once
// A number as decimal digits and an exponent: value = 0.d1d2d3... x 10^exponent.
// The number formats round on these digits, half away from zero, so that
// 0.125 shows as 0.13 whatever the binary rounding mode.
#include <QString>

struct TDecimalDigits {
    QString digits;     // significant digits without trailing zeros; empty for zero
    int exponent = 0;

    bool IsZero() const { return digits.isEmpty(); }
    QString IntegerDigits() const;                 // empty when below 1
    QString FractionDigits(int minCount) const;    // padded with zeros to minCount
};

// The digits of a non-negative finite value, rounded to `significant` digits.
TDecimalDigits DecimalDigitsOf(double value, int significant);
// The same number rounded to `decimals` places after the point.
TDecimalDigits RoundToDecimals(TDecimalDigits number, int decimals);

// Integer digits with the thousands separator between groups of three.
QString GroupThousands(const QString& digits, QChar separator);
