#pragma once
// The first report after a post done directly in SQLite, as the floor of the
// program's: the summaries of the open period brought up to date (each
// summary's transactions added up in one pass, only the rows that differ
// from the stored ones written, the bills and chart rows the same way) and
// the bank account and item report built from them.
#include <sqlite3.h>

struct TFirstReportWork {
    long long Added = 0;     // transactions added up
    long long Written = 0;   // summary, bill and chart rows inserted, updated or deleted
    int ReportRows = 0;      // rows of the report table, its grand total included
};

// In one transaction on db, the open period being the months after the close
// date stored in PConfig1: the summaries, bills and chart rows brought to
// what a rebuild of that period writes and the mark of the data updated
// cleared, when it is set; then, in a second, the report table TempBnk1 made
// again from the bank summary (a column per month, a row per account and
// item with their names, the grand total, an index per column) and its first
// screenful read in account order.
TFirstReportWork FirstReportLikeWork(sqlite3* db);
