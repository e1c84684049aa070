#pragma once
// The option sets and event types of the lookup combo and lookup list.
#include "grid/ww_grid_types.h"
#include <QString>
#include <functional>

class QObject;
class TDataSet;

enum TwwDBLookupListOption : unsigned { loColLines = 1u << 0, loRowLines = 1u << 1, loTitles = 1u << 2 };
using TwwDBLookupListOptions = unsigned;

enum TwwDBLookupComboStyle { csDropDown, csDropDownList };

enum TwwSeqSearchOption : unsigned { ssoEnabled = 1u << 0, ssoCaseSensitive = 1u << 1 };
using TwwSeqSearchOptions = unsigned;

// FillTable is the dataset of the combo's data source, or null without one.
using TNotifyCloseUpEvent =
    std::function<void(QObject* sender, TDataSet* lookupTable, TDataSet* fillTable, bool modified)>;
// The typed text matches no row; Accept (true on entry) keeps the text.
using TNotInListEvent =
    std::function<void(QObject* sender, TDataSet* lookupTable, const QString& newValue, bool& accept)>;
