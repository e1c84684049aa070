#include "dataset/ww_query.h"
#include "dataset/ww_table.h"

TwwQuery::TwwQuery(TComponent* owner) : TQuery(owner) {}

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

bool TwwQuery::ScanRecords(bool fromFirst, const TRecordMatch& match)
{
    UpdateCursorPos();
    const std::optional<qint64> found = ScanEngineCursor(*Cursor(), fromFirst, match, [this] { UpdateCursorPos(); });
    if (!found) return false;
    GotoBookmark(*found);
    return true;
}
