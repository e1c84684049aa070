#pragma once
// The statements of the table rules: counts, largest codes, sums and updates
// run on a scratch query. Values are always bound as parameters (":Name" in
// the text, in the order given), never pasted into the statement.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>
#include <vector>

class TQuery;

using TRuleParams = std::vector<std::pair<QString, QVariant>>;

// Closes query, sets its text and parameters and opens it; returns the first
// column of the first row (a null QVariant when the result is empty or null)
// and closes the query again.
QVariant QueryValue(TQuery& query, const QStringList& lines, const TRuleParams& params = {});
// The first column as a count; 0 when empty.
qint64 QueryCount(TQuery& query, const QStringList& lines, const TRuleParams& params = {});
// Runs a statement that returns no rows.
void ExecuteStatement(TQuery& query, const QStringList& lines, const TRuleParams& params = {});
