#pragma once
// A table's primary key holds each key once, an empty field being one value
// like any other. SQLite lets NULL stand beside NULL in a unique key, so two
// rows whose keys differ only in an empty field would both be stored, and a
// search by key could not tell them apart. A row written with an empty key
// field is therefore looked for among the stored rows first; the usual write,
// whose key is filled in, costs nothing more.
#include "platform/engine/field_types.h"
#include <vector>

struct TKeyProbe {
    std::vector<bool> InKey;   // per column: part of the primary key
    std::vector<int> Columns;  // the key's columns, in the key's order; empty without a primary key
    // Finds another row holding a key: binds each key column's stored value,
    // then the row id to pass over (null for none).
    QString Sql;
};

TKeyProbe KeyProbeFor(const TTableDesc& desc);
