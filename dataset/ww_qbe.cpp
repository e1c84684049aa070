#include "dataset/ww_qbe.h"
#include "dataset/text_helpers.h"
#include "dataset/ww_table.h"
#include "platform/db/db_errors.h"
#include "platform/db/memory_cursor.h"
#include "platform/rtl/presenter.h"

TwwQBE::TwwQBE(TComponent* owner)
    : TEngineDataSet(owner),
      recordFilter_(*this, *this, OnFilterEscape, [this](auto test) { return AddRecordFilter(std::move(test)); },
                    [this](int handle) { RemoveRecordFilter(handle); })
{
    // A query-by-example has no mask check before post.
    SetValidateWithMask(false);
}

TwwQBE::~TwwQBE() = default;

void TwwQBE::SetQBE(TStrings* lines)
{
    if (lines != &qbe_) {
        if (lines)
            qbe_.Assign(*lines);
        else
            qbe_.Clear();
    }
    if (Active()) {
        Close();
        Open();
    }
}

std::unique_ptr<TEngineCursor> TwwQBE::CreateHandle()
{
    if (qbe_.Count() == 0) DatabaseError(DbText::NoSql());
    return RunQBE();
}

std::unique_ptr<TEngineCursor> TwwQBE::RunQBE()
{
    const QString text = JoinLines(qbe_, false);
    const THourglass hourglass;
    const std::unique_ptr<TResultSet> answer = EngineDatabase().Query(text);
    return TMemoryCursor::FromResultSet(*answer);
}

void TwwQBE::DoOnCalcFields()
{
    CalculateLookupFields(*this);
    TEngineDataSet::DoOnCalcFields();
}

bool TwwQBE::IsSequenced() const
{
    return !recordFilter_.Assigned() && TEngineDataSet::IsSequenced();
}

void TwwQBE::DataEvent(TDataEvent event, const TDataEventInfo& info)
{
    TEngineDataSet::DataEvent(event, info);
    recordFilter_.AfterDataEvent(event);
}

int TwwQBE::GetNextRecords()
{
    const int read = TEngineDataSet::GetNextRecords();
    recordFilter_.AfterFetch();
    return read;
}
