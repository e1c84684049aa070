#include "dataset/ww_query.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include <algorithm>

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

bool FieldsMapToIndex(const TwwQuery& query, const QString& fieldList, bool caseSensitive)
{
    const TEngineCursor* cursor = query.Cursor();
    const QStringList names = SplitFieldNames(fieldList);
    if (!query.Active() || !cursor || names.isEmpty()) return false;
    QStringList fields;
    for (const QString& name : names) {
        const TField* field = query.FindField(name);
        if (!field) return false;
        fields << field->FieldName();
    }
    TIndexDefs indexes;
    indexes.Assign(cursor->Desc());
    for (int i = 0; i < indexes.Count(); ++i) {
        const QStringList indexFields = indexes[i].FieldList();
        if (indexes[i].CaseInsensitive() == caseSensitive || indexFields.size() < fields.size()) continue;
        if (std::equal(fields.begin(), fields.end(), indexFields.begin(),
                       [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }))
            return true;
    }
    return false;
}
