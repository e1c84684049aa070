#pragma once
// The summary rows the chart adds up, by summary and month: each row's id
// and total, in row id order. Held between two runs of the summaries, it
// lets the later run add the changed months up without reading each summary
// through for them.
#include <QtGlobal>
#include <map>
#include <utility>
#include <vector>

class TChartMonths {
public:
    void Clear();
    // summary is the chart column the rows add to (0 to 3); a row of that id
    // in the month is replaced.
    void Put(int summary, int year, int month, qint64 rowId, double total);
    void Remove(int summary, int year, int month, qint64 rowId);
    // The month's rows of the summary added up in row id order, as SQL's sum
    // adds them up reading the table through; false when it has none.
    bool Total(int summary, int year, int month, double& total) const;

private:
    using TRows = std::vector<std::pair<qint64, double>>;   // by row id
    std::map<std::pair<int, int>, TRows> months_[4];
};
