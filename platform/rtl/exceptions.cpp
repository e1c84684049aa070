#include "platform/rtl/exceptions.h"

void Abort()
{
    throw EAbort(QStringLiteral("Operation aborted"));
}

QString QuotedInput(const QString& text)
{
    constexpr qsizetype shown = 40;
    const QString quoted = text.size() > shown ? text.left(shown) + QStringLiteral("...") : text;
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
