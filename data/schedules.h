#pragma once
// Schedules of loans and recurring transactions: making a header's monthly
// lines and transferring its open lines into a transaction table. Each run is
// all or nothing: it is checked before anything changes, runs in one database
// transaction, and on an error leaves the tables and the datasets on them as
// they were before the error propagates. The rows go through the tables' own
// rules (codes, required items, the closed period, the summaries mark).
#include "platform/rtl/datetime.h"
#include <QString>
#include <functional>
#include <vector>

class TADm1;
class TDataSet;
class TQuery;
struct THeaderTable;

// Replaces the lines of the current header of table by one line of amount at
// each date. A date inside the closed period refuses the run (the
// closed-period box, then the silent abort) before the old lines go. query
// runs the delete. The header's total is the sum of the new lines.
void CreateSchedule(TADm1& dm, const THeaderTable& table, TQuery& query, const std::vector<TDateTime>& dates,
                    double amount);

// Where a header's lines go: the transaction table and what a line writes
// into a new row of it besides the date, the header's code and External.
struct TTransferTarget {
    const char* Component;   // "TblTranBank1"
    const char* Table;       // "TrnBnk1a"
    std::function<void(TDataSet& row, const TDataSet& line)> Fill;
    // For a table kept per account: the account field and the header's
    // account. An approved header's account is frozen, so its earlier rows
    // stand in that account alone, and naming it lets their removal seek on
    // the table's key instead of reading every account's rows.
    QString AccountField = {};
    QString Account = {};
};

// Replaces the rows that earlier transfers of the current header wrote after
// the close date by its lines dated after the close date; rows of the closed
// period are neither removed nor added. The rows are written through a dataset
// of the run's own that carries the target table's events; the target table,
// when open, is refreshed afterwards. The hourglass shows while it runs and the
// lines keep their current row. Returns the number of rows written.
int TransferSchedule(TADm1& dm, const THeaderTable& table, TQuery& query, const TTransferTarget& target);
