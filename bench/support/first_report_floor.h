#pragma once
// The first report after a post done directly in SQLite, as the floor of the
// program's: the summaries of the open period brought up to date and the
// bank account and item report built from them. The first time on a
// connection every open transaction is added up; afterwards only the months
// whose transactions changed, which triggers of the connection's own log, and
// only the summary, bill and chart rows that differ from the stored ones are
// written.
#include <sqlite3.h>

struct TFirstReportWork {
    long long Added = 0;     // transactions added up
    long long Written = 0;   // summary, bill and chart rows inserted, updated or deleted
    bool AddedAll = false;   // every open transaction was added up
    int ReportRows = 0;      // rows of the report table, its grand total included
};

// In one transaction on db, the open period being the months after the close
// date stored in PConfig1: the summaries, bills and chart rows brought to
// what a rebuild of that period writes, the logs started again and the mark
// of the data updated cleared, when it is set; then, in a second, the report
// table TempBnk1 made again from the bank summary (a column per month, a row
// per account and item with their names, the grand total, an index per
// column) and its first screenful read in account order.
TFirstReportWork FirstReportLikeWork(sqlite3* db);

// Ends the logs on db: the next work adds up every open transaction again.
void EndFirstReportLogs(sqlite3* db);
