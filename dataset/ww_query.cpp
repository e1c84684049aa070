#include "dataset/ww_query.h"
#include "dataset/ww_table.h"

TwwQuery::TwwQuery(TComponent* owner)
    : TQuery(owner),
      recordFilter_(*this, *this, OnFilterEscape, [this](auto test) { return AddRecordFilter(std::move(test)); },
                    [this](int handle) { RemoveRecordFilter(handle); })
{
}

TwwQuery::~TwwQuery() = default;

void TwwQuery::DoBeforePost()
{
    TQuery::DoBeforePost();
    CheckMasksBeforePost(*this);
}

void TwwQuery::DoOnCalcFields()
{
    CalculateLookupFields(*this);
    TQuery::DoOnCalcFields();
}

bool TwwQuery::IsSequenced() const
{
    return !recordFilter_.Assigned() && TQuery::IsSequenced();
}

void TwwQuery::DataEvent(TDataEvent event, const TDataEventInfo& info)
{
    TQuery::DataEvent(event, info);
    recordFilter_.AfterDataEvent(event);
}

int TwwQuery::GetNextRecords()
{
    const int read = TQuery::GetNextRecords();
    recordFilter_.AfterFetch();
    return read;
}

bool TwwQuery::ScanRecords(bool fromFirst, const TRecordMatch& match)
{
    UpdateCursorPos();
    const std::optional<qint64> found = ScanEngineCursor(*Cursor(), fromFirst, match, [this] { UpdateCursorPos(); });
    if (!found) return false;
    GotoBookmark(*found);
    return true;
}
