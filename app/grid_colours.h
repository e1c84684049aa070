#pragma once
// The colours in which every grid of the program paints its rows and its
// sort titles, and the width of the report's period columns: program-wide
// values copied from the configuration record, so that the legend window's
// choices reach all grids at once.
#include "platform/rtl/datetime.h"
#include "platform/ui/colors.h"
#include <QString>
#include <optional>
#include <span>

class TDataSet;

extern TColor GridColorNormal;
extern TColor GridColorPosted;
extern TColor GridColorLoan;
extern TColor GridColorRecurring;
extern TColor GridColorDouble;
extern TColor GridColorASort;
extern TColor GridColorDSort;
extern qint16 ReportColumnWidth;
// The direction in which a title click sorts the transaction grids.
extern bool SortDescending;

// Copies the seven colours and GridSize1 from the configuration record.
// A new database leaves them empty: an empty colour takes the legend's
// default for it, and an empty width that of the grids' money columns; the
// record itself is not changed.
void LoadGridColoursFrom(const TDataSet& config);

// The legend's default of a configuration colour field ("ColorPosted").
TColor DefaultGridColour(const QString& field);

// The brush of a transaction row: posted rows (dated on or before the close
// date) first, then ordinary rows, then rows a loan, recurring or
// multiple-entry process made; nullopt leaves the grid's own brush.
std::optional<TColor> TransactionRowColour(const TDataSet& row, TDateTime closeDate);

// A column of a transaction grid and the indexes its title sorts by; an
// empty descending name means the column sorts ascending only.
struct TSortIndex {
    const char* Field;
    const char* Ascending;
    const char* Descending = "";
};

// The index a title click on field sorts by; empty for a column without one.
QString SortIndexFor(std::span<const TSortIndex> sorts, const QString& field, bool descending);

// The colour of field's title while indexName is in force: the ascending or
// the descending sort colour when the index is one of the column's, else nullopt.
std::optional<TColor> SortTitleColour(std::span<const TSortIndex> sorts, const QString& field,
                                      const QString& indexName);
