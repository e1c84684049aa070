#pragma once
// Incremental search: moves a TwwTable to the key the user is typing, or with
// NarrowSearch narrows it to the keys that begin with the typed text.
#include <QString>

class TTable;

// KeyFieldIndex is the position (from 0) of the searched field in the current
// index; the fields before it keep the current record's values. False when
// the table cannot be searched or the text is no value of the key's type;
// otherwise whether the table stands on a record.
bool IncrementalSearch(TTable& table, const QString& text, int keyFieldIndex);
