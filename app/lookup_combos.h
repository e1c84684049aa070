#pragma once
// The data-aware lookup combo as the program's windows set it up.
#include <span>

class QWidget;
class TDataSource;
class TwwDBLookupCombo;
class TwwTable;

// A combo that opens on typing and keeps to its list (the list style then
// leaves the text typeable), showing Columns of Table ("Field\twidth\ttitle"
// or plain field names) found by LookupField, and writing DataField of Source.
TwwDBLookupCombo* MakeLookupCombo(QWidget* parent, const char* name, TwwTable* table, const char* lookupField,
                                  std::span<const char* const> columns, TDataSource* source, const char* dataField);
