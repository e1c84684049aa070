#include "data/run_guards.h"
#include "platform/rtl/exceptions.h"

TRowKept::TRowKept(TDataSet& dataSet) : dataSet_(dataSet), bookmark_(dataSet.GetBookmark())
{
    dataSet_.DisableControls();
}

TRowKept::~TRowKept()
{
    try {
        if (dataSet_.Active() && dataSet_.BookmarkValid(bookmark_))
            dataSet_.GotoBookmark(bookmark_);
    } catch (const Exception&) {
        // The row went with an undone run; the dataset stays where the refresh left it.
    }
    dataSet_.EnableControls();
}

TOpenedForRun::TOpenedForRun(TDataSet& table) : table_(table), opened_(!table.Active())
{
    if (opened_)
        table_.Open();
}

TOpenedForRun::~TOpenedForRun()
{
    if (opened_)
        table_.Close();
}
