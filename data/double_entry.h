#pragma once
// Posting a multiple entry: every dated amount of the entry that lies after
// the close date goes to every one of its account lines, as a generated row
// of the line's transaction table. A run is all or nothing: it runs in one
// database transaction and on an error leaves the tables, and the datasets on
// them, as they were before the error propagates. The rows go through the
// tables' own rules (serials within their own account, required items, the
// closed period, the summaries mark).
class TADm1;
class TADm3;
class TQuery;

// Replaces the rows that earlier transfers of the current header of
// TblDbl1a wrote after the close date (in the bank, income, expense and
// communication tables) by one row per account line and open dated amount;
// rows of the closed period are neither removed nor added. query runs the
// deletes. The hourglass shows while it runs; the lines and amounts keep
// their current rows, and a target table that was closed is closed again.
// Returns the number of rows written.
int TransferDoubleEntry(TADm1& dm1, TADm3& dm3, TQuery& query);
