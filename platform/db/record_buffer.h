#pragma once
// One record as the dataset holds it between the engine and its fields.
#include "platform/db/db_types.h"
#include "platform/engine/field_types.h"
#include <vector>

struct TRecordBuffer {
    TBookmark Bookmark;            // empty for a row not yet stored
    TRecordValues Values;          // the engine's columns, in column order
    std::vector<QVariant> Calc;    // calculated and lookup fields, by calc slot
    std::vector<bool> Assigned;    // key buffers: the columns given a value
};
