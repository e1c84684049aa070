#pragma once
// The full summary rebuild done directly in SQLite, as the floor of the
// program's rebuild: the same rows written, with no engine in between.
#include <sqlite3.h>

// In one transaction on db: for each of the four summaries one scan of its
// transactions with the totals per codes and month in a hash map, its rows
// deleted and written again; the communication bills and the chart rows
// rewritten from the new totals; one commit. Leaves the tables exactly as a
// full rebuild of the program does.
void RebuildLikeWork(sqlite3* db);

// The tables a full rebuild writes.
inline constexpr const char* kRebuiltTables[] = {"MthBnk1a", "MthTel1a", "MthInc1a", "MthExp1a", "MthTel2a", "TeeData1"};
