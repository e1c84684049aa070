#pragma once
// Closing a period: the months between the close date in force and a new
// month end are added up once more from their transactions and kept for good,
// and the new close date is stored. The summary rows of the months still open
// keep their values and become the open rows of the new close date, so that
// the next rebuild of the open period replaces each of them exactly once.
#include "platform/rtl/datetime.h"
#include <QString>

// The main window's rebuild of the open period on the close date in force:
// "where TransactionDate > "mm/dd/yyyy"" selects the transactions after it,
// "where Closedate = "mm/dd/yyyy"" the summary rows stamped with it.
QString OpenPeriodSourceFilter(TDateTime closeDate);
QString OpenPeriodTargetFilter(TDateTime closeDate);

// "where TransactionDate > "mm/dd/yyyy"  and TransactionDate <= "mm/dd/yyyy"":
// the transactions of the range being closed, dates with literal slashes.
QString ClosedRangeSourceFilter(TDateTime oldClose, TDateTime newClose);
// Selects the summary, bill and chart rows of the months that hold a day of
// the range (oldClose, newClose], by their PeriodYear and PeriodMonth.
QString ClosedMonthsTargetFilter(TDateTime oldClose, TDateTime newClose);

// Moves the close date from ADm1's CurrentCloseDate to newClose (later than
// it): rebuilds the closed months' summaries, bills and chart rows stamped
// with the old close date, stamps the rows of the later months with the new
// one, stores the new close date and leaves the summaries marked out of date
// only when they were and something after newClose is left to rebuild. One
// transaction under the hourglass: on a failure the tables, the close date and
// the mark stay as they were, the tables show them so, and the error
// propagates.
void ClosePeriod(TDateTime newClose);
