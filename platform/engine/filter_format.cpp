#include "platform/engine/filter_format.h"

namespace FilterFormat {

bool EncodeBcd(const QString& digits, bool negative, int places, std::array<char, kBcdSize>& out)
{
    if (digits.isEmpty() || digits.size() > kBcdPrecision || places < 0 || places > digits.size()) return false;
    out.fill(0);
    out[0] = char(kBcdPrecision);
    out[1] = char(places | (negative ? 0x80 : 0));
    // Right-aligned in the precision: leading zeros fill the front.
    const int lead = kBcdPrecision - int(digits.size());
    for (int i = 0; i < digits.size(); ++i) {
        const int digit = digits[i].unicode() - '0';
        if (digit < 0 || digit > 9) return false;
        const int nibble = lead + i;
        out[size_t(2 + nibble / 2)] = char(out[size_t(2 + nibble / 2)] | (nibble % 2 ? digit : digit << 4));
    }
    return true;
}

bool DecodeBcd(const char* bcd, double& value)
{
    const int precision = static_cast<unsigned char>(bcd[0]);
    const int places = bcd[1] & 0x7f;
    if (precision == 0 || precision > kBcdPrecision || places > precision) return false;
    QString text;
    for (int nibble = 0; nibble < precision; ++nibble) {
        const unsigned char byte = static_cast<unsigned char>(bcd[2 + nibble / 2]);
        const int digit = nibble % 2 ? byte & 0x0f : byte >> 4;
        if (digit > 9) return false;
        if (nibble == precision - places) text += QLatin1Char('.');
        text += QChar(u'0' + digit);
    }
    bool ok = false;
    value = text.toDouble(&ok);
    if ((bcd[1] & 0x80) != 0) value = -value;
    return ok;
}

} // namespace FilterFormat
