#include "data/chart_months.h"
#include <algorithm>

namespace {

auto Place(std::vector<std::pair<qint64, double>>& rows, qint64 rowId) {
    return std::lower_bound(rows.begin(), rows.end(), rowId, [](const auto& row, qint64 id) { return row.first < id; });
}

}  // namespace

void TChartMonths::Clear() {
    for (auto& months : months_)
        months.clear();
}

void TChartMonths::Put(int summary, int year, int month, qint64 rowId, double total) {
    TRows& rows = months_[summary][{year, month}];
    if (rows.empty() || rows.back().first < rowId) {   // rows read in row id order come last
        rows.emplace_back(rowId, total);
        return;
    }
    const auto place = Place(rows, rowId);
    if (place != rows.end() && place->first == rowId)
        place->second = total;
    else
        rows.insert(place, {rowId, total});
}

void TChartMonths::Remove(int summary, int year, int month, qint64 rowId) {
    const auto found = months_[summary].find({year, month});
    if (found == months_[summary].end())
        return;
    TRows& rows = found->second;
    const auto place = Place(rows, rowId);
    if (place != rows.end() && place->first == rowId)
        rows.erase(place);
    if (rows.empty())
        months_[summary].erase(found);
}

bool TChartMonths::Total(int summary, int year, int month, double& total) const {
    const auto found = months_[summary].find({year, month});
    if (found == months_[summary].end())
        return false;
    total = 0.0;
    for (const auto& row : found->second)
        total += row.second;
    return true;
}
