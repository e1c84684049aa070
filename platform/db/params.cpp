#include "platform/db/params.h"
#include "platform/db/db_errors.h"
#include <cmath>

void TParam::SetAsDateTime(TDateTime value)
{
    if (value == std::floor(value))
        SetValue(DateTimeToQDate(value));
    else
        SetValue(DateTimeToQDateTime(value));
}

void TParam::SetAsDate(TDateTime value)
{
    SetValue(DateTimeToQDate(value));
}

TParam& TParams::Items(int index)
{
    if (index < 0 || index >= Count()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return items_[size_t(index)];
}

const TParam& TParams::Items(int index) const
{
    return const_cast<TParams*>(this)->Items(index);
}

TParam* TParams::FindParam(const QString& name)
{
    for (TParam& param : items_)
        if (param.Name().compare(name, Qt::CaseInsensitive) == 0) return &param;
    return nullptr;
}

TParam* TParams::ParamByName(const QString& name)
{
    TParam* param = FindParam(name);
    if (!param) DatabaseError(DbText::ParamNotFound(name));
    return param;
}

void TParams::Rebuild(const QStringList& names)
{
    std::deque<TParam> rebuilt;
    for (const QString& name : names) {
        bool known = false;
        for (const TParam& param : rebuilt) known = known || param.Name().compare(name, Qt::CaseInsensitive) == 0;
        if (known) continue;
        const TParam* old = FindParam(name);
        rebuilt.push_back(old ? *old : TParam(name));
    }
    items_ = std::move(rebuilt);
}

QStringList ParseSqlParams(const QString& sql)
{
    QStringList names;
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(':')) {
            if (i + 1 < sql.size() && sql.at(i + 1) == QLatin1Char(':')) {
                ++i;
                continue;
            }
            int end = i + 1;
            while (end < sql.size() && (sql.at(end).isLetterOrNumber() || sql.at(end) == QLatin1Char('_'))) ++end;
            if (end > i + 1) names << sql.mid(i + 1, end - i - 1);
            i = end - 1;
        }
    }
    return names;
}
