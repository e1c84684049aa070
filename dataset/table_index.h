#pragma once
// The index that orders a table now: named by IndexName, given by
// IndexFieldNames, or the primary index.
#include "platform/db/table.h"

// Null when the order is no index of the table (field names without a matching index).
const TIndexDef* CurrentIndexDef(TTable& table);
bool IndexCaseInsensitive(TTable& table);
bool IndexDescending(TTable& table);
