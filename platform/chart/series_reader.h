#pragma once
// Reads the points of the series that share one dataset in a single walk over
// its rows. The walk is hidden from the dataset's controls (a bound grid does
// not follow it) and the dataset is left on the row it was on.
#include <vector>

class TChartSeries;
class TDataSet;

class TSeriesReader {
public:
    // Raises the dataset's error for a field name it does not have, before
    // anything moves.
    static void Read(TDataSet& dataSet, const std::vector<TChartSeries*>& series);
};
