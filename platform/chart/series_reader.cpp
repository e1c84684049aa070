#include "platform/chart/series_reader.h"
#include "platform/chart/chart_series.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"

namespace {

// The fields one series reads; null where the series names none.
struct TSeriesFields {
    TChartSeries* Series;
    TField* Label;
    TField* X;
    TField* Y;
};

TField* SourceField(const TDataSet& dataSet, const QString& name)
{
    return name.isEmpty() ? nullptr : dataSet.FieldByName(name);
}

// Controls disabled and the current row kept for as long as the walk lasts,
// however it ends.
class TDataSetWalk {
public:
    explicit TDataSetWalk(TDataSet& dataSet)
        : dataSet_(dataSet), bookmark_(dataSet.GetBookmark())
    {
        dataSet_.DisableControls();
    }
    ~TDataSetWalk()
    {
        try {
            if (dataSet_.BookmarkValid(bookmark_)) dataSet_.GotoBookmark(bookmark_);
            else dataSet_.First();
        } catch (...) {
            // The row went while the points were read: the dataset stays where the walk left it.
        }
        dataSet_.EnableControls();
    }
    TDataSetWalk(const TDataSetWalk&) = delete;
    TDataSetWalk& operator=(const TDataSetWalk&) = delete;

private:
    TDataSet& dataSet_;
    const TBookmark bookmark_;
};

} // namespace

void TSeriesReader::Read(TDataSet& dataSet, const std::vector<TChartSeries*>& series)
{
    // A record being edited stays so (the walk would post it); the series keep their points.
    if (dataSet.Active() && dataSet.State() != dsBrowse) return;
    for (TChartSeries* one : series) one->points_.clear();
    if (!dataSet.Active()) return;

    std::vector<TSeriesFields> readers;
    for (TChartSeries* one : series) {
        if (one->YValuesSource().isEmpty()) continue;
        readers.push_back({one, SourceField(dataSet, one->XLabelsSource()), SourceField(dataSet, one->XValuesSource()),
                           SourceField(dataSet, one->YValuesSource())});
    }
    if (readers.empty()) return;

    const TDataSetWalk walk(dataSet);
    int row = 0;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next(), ++row) {
        for (const TSeriesFields& reader : readers) {
            TChartPoint point;
            point.X = reader.X ? reader.X->AsFloat() : row;
            point.Y = reader.Y->AsFloat();
            if (reader.Label) point.Label = reader.Label->AsString();
            reader.Series->points_.push_back(std::move(point));
        }
    }
}
