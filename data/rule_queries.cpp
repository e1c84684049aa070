#include "data/rule_queries.h"
#include "platform/db/field.h"
#include "platform/db/query.h"

namespace {

void Prepare(TQuery& query, const QStringList& lines, const TRuleParams& params) {
    query.Close();
    query.SQL()->Clear();
    for (const QString& line : lines)
        query.SQL()->Add(line);
    for (const auto& [name, value] : params)
        query.ParamByName(name)->SetValue(value);
}

}  // namespace

QVariant QueryValue(TQuery& query, const QStringList& lines, const TRuleParams& params) {
    Prepare(query, lines, params);
    query.Open();
    QVariant value;
    if (!query.IsEmpty())
        value = query.Fields(0)->Value();
    query.Close();
    return value;
}

qint64 QueryCount(TQuery& query, const QStringList& lines, const TRuleParams& params) {
    const QVariant value = QueryValue(query, lines, params);
    return value.isNull() ? 0 : value.toLongLong();
}

void ExecuteStatement(TQuery& query, const QStringList& lines, const TRuleParams& params) {
    Prepare(query, lines, params);
    query.ExecSQL();
    query.Close();
}
