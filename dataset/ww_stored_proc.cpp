#include "dataset/ww_stored_proc.h"
#include "dataset/ww_table.h"
#include "platform/db/memory_cursor.h"
#include "platform/rtl/presenter.h"

TwwStoredProc::TwwStoredProc(TComponent* owner)
    : TEngineDataSet(owner),
      recordFilter_(*this, *this, OnFilterEscape, [this](auto test) { return AddRecordFilter(std::move(test)); },
                    [this](int handle) { RemoveRecordFilter(handle); },
                    TwwRecordFilter::IgnoreOptions)
{
}

TwwStoredProc::~TwwStoredProc() = default;

void TwwStoredProc::SetStoredProcName(const QString& name)
{
    CheckInactive();
    storedProcName_ = name;
}

std::unique_ptr<TEngineCursor> TwwStoredProc::CreateHandle()
{
    const THourglass hourglass;
    const std::unique_ptr<TResultSet> answer = EngineDatabase().Query(QStringLiteral("execute ") + storedProcName_);
    return TMemoryCursor::FromResultSet(*answer);
}

void TwwStoredProc::DoBeforePost()
{
    TEngineDataSet::DoBeforePost();
    CheckMasksBeforePost(*this);
}

void TwwStoredProc::DoOnCalcFields()
{
    CalculateLookupFields(*this);
    TEngineDataSet::DoOnCalcFields();
}

bool TwwStoredProc::IsSequenced() const
{
    return !recordFilter_.Assigned() && TEngineDataSet::IsSequenced();
}
