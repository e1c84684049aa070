#include "dataset/filter_install.h"
#include "dataset/filter_compiler.h"
#include "platform/engine/cursor.h"
#include "platform/rtl/exceptions.h"

QString JoinFilterLines(const TStrings& lines)
{
    QString expression;
    for (int i = 0; i < lines.Count(); ++i) {
        QString line = lines[i];
        while (line.endsWith(u' ') || line.endsWith(u'\t')) line.chop(1);
        if (line.isEmpty()) continue;
        expression += expression.isEmpty() ? line : QStringLiteral(" AND (") + line + QStringLiteral(")");
    }
    return expression;
}

bool InstallExpressionFilter(const QString& text, const TDataSet& dataSet, TEngineCursor* cursor, int& filterHandle)
{
    if (!cursor) {
        filterHandle = 0;
        return true;
    }
    if (text.isEmpty()) {
        if (filterHandle != 0) cursor->DropFilter(filterHandle);
        filterHandle = 0;
        return true;
    }
    const QByteArray expression = CompileFilterExpression(text, dataSet);
    if (expression.isEmpty()) return false;
    // The engine checks the tree against the table before it drops the old filter.
    int added = 0;
    try {
        added = cursor->AddFilter(expression);
    } catch (const EDatabaseError&) {
        return false;
    }
    if (filterHandle != 0) cursor->DropFilter(filterHandle);
    filterHandle = added;
    return true;
}
