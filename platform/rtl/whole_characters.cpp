#include "platform/rtl/whole_characters.h"
#include <algorithm>

QString LeftWholeCharacters(QStringView text, qsizetype limit)
{
    qsizetype length = std::clamp<qsizetype>(limit, 0, text.size());
    if (length > 0 && length < text.size() && text[length - 1].isHighSurrogate() && text[length].isLowSurrogate())
        --length;
    return text.left(length).toString();
}
