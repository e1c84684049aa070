#include "dataset/ww_table.h"
#include "dataset/text_helpers.h"
#include "dataset/control_type_settings.h"
#include "dataset/field_text.h"
#include "dataset/incremental_search.h"
#include "dataset/intl.h"
#include "dataset/locate.h"
#include "dataset/text_compare.h"
#include "dataset/filter_install.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/memory_cursor.h"
#include "platform/rtl/presenter.h"

TwwTable::TwwTable(TComponent* owner)
    : TTable(owner),
      recordFilter_(*this, *this, OnFilterEscape, [this](auto test) { return AddRecordFilter(std::move(test)); },
                    [this](int handle) { RemoveRecordFilter(handle); })
{
}

TwwTable::~TwwTable() = default;

void TwwTable::SetTableName(const QString& name)
{
    TTable::SetTableName(name);
    if (!name.isEmpty()) query_.Clear();
}

void TwwTable::SetQuery(TStrings* lines)
{
    if (Active()) Close();
    if (lines && lines->Count() > 0) {
        TTable::SetTableName(QString());
        SetIndexFieldNames(QString());
        SetMasterSource(nullptr);
        SetMasterFields(QString());
    }
    if (lines == &query_) return;
    if (lines)
        query_.Assign(*lines);
    else
        query_.Clear();
}

bool TwwTable::IsSQLBased() const
{
    const TDatabase* database = Database();
    return database && database->IsSQLBased();
}

bool TwwTable::IsDBaseTable() const
{
    return TableType() == ttDBase || TableName().endsWith(QLatin1String(".DBF"), Qt::CaseInsensitive);
}

bool TwwTable::IsParadoxTable() const
{
    if (TableType() == ttParadox) return true;
    const QString name = TableName().toLower();
    return TableType() == ttDefault && name.contains(QLatin1String(".db")) && name.endsWith(QLatin1Char('b'));
}

bool TwwTable::CanModify() const
{
    // A query's answer is read-only.
    return query_.Count() == 0 && TTable::CanModify();
}

bool TwwTable::HasMasterLink() const
{
    return MasterSource() != nullptr && !MasterFields().isEmpty();
}

// ---- Cursor.

std::unique_ptr<TEngineCursor> TwwTable::CreateHandle()
{
    if (query_.Count() == 0) return TTable::CreateHandle();
    // QBE text keeps its lines; the engine, which runs SQL only, refuses it
    // with its own error.
    const QString text = JoinLines(query_, queryLanguage_ == QLatin1String("SQL"));
    const THourglass hourglass;
    const std::unique_ptr<TResultSet> answer = EngineDatabase().Query(text);
    return TMemoryCursor::FromResultSet(*answer);
}

void TwwTable::OpenCursor()
{
    if (query_.Count() > 0) {
        const QString firstWord = query_[0].trimmed().section(QLatin1Char(' '), 0, 0).toLower();
        queryLanguage_ = firstWord == QLatin1String("query") ? QStringLiteral("QBE") : QStringLiteral("SQL");
    }
    TTable::OpenCursor();
}

void TwwTable::CloseCursor()
{
    FreeLookupTables();
    TTable::CloseCursor();
}

void TwwTable::InitFieldDefs()
{
    if (query_.Count() == 0)
        TTable::InitFieldDefs();
    else
        TEngineDataSet::InitFieldDefs();
}

void TwwTable::DoBeforePost()
{
    TTable::DoBeforePost();
    CheckMasksBeforePost(*this);
}

void TwwTable::DoOnCalcFields()
{
    CalculateLookupFields(*this);
    TTable::DoOnCalcFields();
}

// ---- Filters.

void TwwTable::SetwwFilter(TStrings* lines)
{
    if (lines != &wwFilter_) {
        if (lines)
            wwFilter_.Assign(*lines);
        else
            wwFilter_.Clear();
    }
    if (!Active()) return;
    CheckBrowseMode();
    if (!InstallExpressionFilter(JoinFilterLines(wwFilter_), *this, Cursor(), expressionFilter_)) {
        MessageDlg(QStringLiteral("Fail to set filter"), TMsgDlgType::mtWarning, mbOK);
        return;
    }
    CursorViewChanged();
}

bool TwwTable::IsSequenced() const
{
    return !recordFilter_.Assigned() && JoinFilterLines(wwFilter_).isEmpty() && TTable::IsSequenced();
}

// Each new cursor gets the expression filter; the record filter goes on with
// the dataset's own record tests.
void TwwTable::ActivateCursor()
{
    TTable::ActivateCursor();
    expressionFilter_ = 0;
    const QString expression = JoinFilterLines(wwFilter_);
    if (!expression.isEmpty() && !InstallExpressionFilter(expression, *this, Cursor(), expressionFilter_))
        MessageDlg(QStringLiteral("Fail to set filter"), TMsgDlgType::mtWarning, mbOK);
}

void TwwTable::DataEvent(TDataEvent event, const TDataEventInfo& info)
{
    TTable::DataEvent(event, info);
    recordFilter_.AfterDataEvent(event);
}

int TwwTable::GetNextRecords()
{
    const int read = TTable::GetNextRecords();
    recordFilter_.AfterFetch();
    return read;
}

bool TwwTable::ScanRecords(bool fromFirst, const TRecordMatch& match)
{
    UpdateCursorPos();
    const std::optional<qint64> found = ScanEngineCursor(*Cursor(), fromFirst, match, [this] { UpdateCursorPos(); });
    if (!found) return false;
    GotoBookmark(*found);
    return true;
}

// ---- Searches.

bool TwwTable::SearchByText(const QString& text, int keyFieldIndex)
{
    const TSearchScope searching(*this);
    return IncrementalSearch(*this, text, keyFieldIndex);
}

bool TwwTable::LocateByFieldValue(const QString& value, const QString& fieldName, int mode, bool caseSensitive)
{
    const TSearchScope searching(*this);
    return LocateFieldValue(*this, value, fieldName, mode, caseSensitive);
}

bool TwwTable::CarriesValues(const QStringList& values)
{
    if (IsEmpty()) return false;
    for (int i = 0; i < values.size(); ++i)
        if (!SameTextNoCase(IndexFields(i)->AsString(), values[i])) return false;
    return true;
}

bool TwwTable::FindKeyByLookupValues(const QStringList& values)
{
    if (IndexFieldCount() == 0) return false;
    if (values.size() > IndexFieldCount()) {
        MessageDlg(QStringLiteral("Table ") + Name() + QStringLiteral(": FindKey has too many lookup values for index ") +
                       IndexName(),
                   TMsgDlgType::mtWarning, mbOK);
        return false;
    }
    const TSearchScope searching(*this);
    if (IsSQLBased() && syncSQLByRange_) return FindKeyOnSqlDatabase(values);
    if (narrowSearch_) CancelRange();
    if (CarriesValues(values)) return true;
    for (int i = 0; i < values.size(); ++i)
        if (!IsValidFieldSearchText(IndexFields(i), values[i])) return false;
    return FindKey(std::vector<QVariant>(values.begin(), values.end()));
}

// On a database server a table is positioned by narrowing it to the key:
// seeking in a large answer would fetch every row before it.
bool TwwTable::FindKeyOnSqlDatabase(const QStringList& values)
{
    if (CarriesValues(values) && (!rangeEndSet_ || lookupSearch_)) return true;
    if (values.first().isEmpty()) {
        CancelRangeOrReopen();
        return false;
    }
    ApplyTextRange(values, lookupSearch_ ? values : QStringList());
    First();
    return CarriesValues(values);
}

void TwwTable::ApplyTextRange(const QStringList& start, const QStringList& end)
{
    SetRangeStart();
    for (int i = 0; i < start.size(); ++i) IndexFields(i)->SetAsString(start[i]);
    SetRangeEnd();
    for (int i = 0; i < end.size(); ++i) IndexFields(i)->SetAsString(end[i]);
    ApplyRange();
    rangeEndSet_ = !end.isEmpty();
}

void TwwTable::CancelRangeOrReopen()
{
    rangeEndSet_ = false;
    if (GlobalIntl().ReopenOnCancelRange() && IsSQLBased()) {
        TStringList layout;
        BuildSelectedFromFields(this, layout);
        CancelRange();
        Close();
        Open();
        ApplySelectedToFields(*this, layout);
    } else {
        CancelRange();
    }
}
