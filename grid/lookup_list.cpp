#include "grid/lookup_list.h"
#include "dataset/property_reflection.h"
#include "dataset/mask_settings.h"
#include "dataset/control_type_settings.h"
#include "dataset/locate.h"
#include "dataset/text_compare.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/presenter.h"
#include <QScrollBar>

namespace {

constexpr char kDuplicateSource[] = "Unable to use duplicate DataSource and LookupSource";
constexpr int ScrollBarLast = 4;

}  // namespace

TwwDBLookupList::TwwDBLookupList(QWidget* parent) : TwwCustomDBGrid(parent)
{
    SetOptions(dgRowSelect);
    resize(121, 97);
    fieldLink_.OnDataChange = [this] { FieldDataChange(); };
    fieldLink_.OnUpdateData = [this] { FieldUpdateData(); };
    fieldLink_.OnActiveChange = [this] { FieldActiveChange(); };
    TwwCustomDBGrid::SetDataSource(&lookupSource_);
}

TwwDBLookupList::~TwwDBLookupList()
{
    fieldLink_.OnDataChange = nullptr;
    fieldLink_.OnUpdateData = nullptr;
    fieldLink_.OnActiveChange = nullptr;
    TwwCustomDBGrid::SetDataSource(nullptr);
}

void TwwDBLookupList::SetLookupTable(TDataSet* table)
{
    if (table && OwnerSource() && OwnerSource()->DataSet() == table)
        throw EInvalidOperation(QString::fromLatin1(kDuplicateSource));
    if (table == lookupSource_.DataSet()) return;
    binding_.Unbind();
    chosenRow_ = -1;
    lookupSource_.SetDataSet(table);
    LayoutChanged();
}

void TwwDBLookupList::SetLookupField(const QString& names)
{
    lookupField_ = names;
    binding_.Unbind();
    LayoutChanged();
}

void TwwDBLookupList::SetDataSource(TDataSource* source)
{
    if (source && LookupTable() && source->DataSet() == LookupTable())
        throw EInvalidOperation(QString::fromLatin1(kDuplicateSource));
    fieldLink_.SetDataSource(source);
}

void TwwDBLookupList::SetDataField(const QString& name)
{
    fieldLink_.SetFieldName(name);
}

void TwwDBLookupList::SetLookupOptions(TwwDBLookupListOptions options)
{
    lookupOptions_ = options;
    TwwDBGridOptions gridOptions = dgRowSelect;
    if (options & loColLines) gridOptions |= dgColLines;
    if (options & loRowLines) gridOptions |= dgRowLines;
    if (options & loTitles) gridOptions |= dgTitles;
    titleRows_ = (options & loTitles) ? 1 : 0;
    SetOptions(gridOptions);
}

void TwwDBLookupList::BindLookupFields(bool report)
{
    const TDataSource* owner = OwnerSource();
    binding_.Bind(LookupTable(), lookupField_, Selected(), owner ? owner->DataSet() : nullptr, OwnerField(), report);
}

// ---- Values.

bool TwwDBLookupList::LocateValue(const QString& value)
{
    TDataSet* table = LookupTable();
    if (!table || !table->Active() || !binding_.Bound() || value.isEmpty() || table->IsEmpty()) return false;
    TField& field = *binding_.LookupField(0);
    if (field.AsString() == value) return true;
    // On an index that leads with the lookup fields the row is a key seek away.
    auto* wwTable = qobject_cast<TwwTable*>(table);
    if (wwTable && wwTable->IndexFieldCount() > 0 && !wwTable->HasMasterLink() &&
        SameTextNoCase(wwTable->IndexFields(0)->FieldName(), field.FieldName())) {
        QStringList key{value};
        for (int i = 1; i < binding_.LookupFieldCount() && i < wwTable->IndexFieldCount() &&
                        SameTextNoCase(wwTable->IndexFields(i)->FieldName(), binding_.LookupField(i)->FieldName());
             ++i)
            key << binding_.Value(i);
        return wwTable->FindKeyByLookupValues(key);
    }
    if (wwTable && SeekOnKeyIndex(*wwTable, value)) return true;
    return FindFieldValueRecord(true, *table, field.FieldName(), lmWholeValue, caseSensitive_, value);
}

// The table is in another order (the shown field's, for typing): a second
// cursor on the lookup field's index finds the row, and the table goes to it
// by its bookmark, instead of reading every row before it. Not found there,
// the caller reads the rows: the second cursor may not know a row added since.
bool TwwDBLookupList::SeekOnKeyIndex(TwwTable& table, const QString& value)
{
    if (table.HasMasterLink() || HasQueryLines(&table)) return false;
    const TIndexDef* index = table.FindIndexForFields(binding_.LookupField(0)->FieldName());
    // An exact key on a case-sensitive index is also a match without regard
    // to case; the other way round it is not.
    if (!index || (caseSensitive_ && index->CaseInsensitive())) return false;
    if (!keyFinder_ || keyFinder_->TableName() != table.TableName() ||
        keyFinder_->DatabaseName() != table.DatabaseName() || keyFinder_->IndexName() != index->Name) {
        keyFinder_ = std::make_unique<TwwTable>();
        keyFinder_->SetDatabaseName(table.DatabaseName());
        keyFinder_->SetTableName(table.TableName());
        keyFinder_->SetIndexName(index->Name);
        keyFinder_->SetReadOnly(true);
        keyFinder_->Open();
    }
    if (!keyFinder_->FindKeyByLookupValues({value})) return false;
    const TBookmark row = keyFinder_->GetBookmark();
    if (!table.BookmarkValid(row)) return false;
    table.GotoBookmark(row);
    return true;
}

void TwwDBLookupList::SetValue(const QString& value)
{
    binding_.SetValue(0, value);
    TDataSet* table = LookupTable();
    if (!table || !table->Active()) return;
    if (!binding_.Bound()) BindLookupFields(false);
    if (!binding_.Bound()) return;
    chosenRow_ = -1;
    found_ = LocateValue(value);
    if (found_) {
        binding_.ReadCurrentRow();
    } else if (!binding_.DisplayIsLookup()) {
        binding_.SetDisplayValue(QString());
    } else {
        binding_.SetDisplayValue(value);
    }
    viewport()->update();
}

bool TwwDBLookupList::MayTakeValue() const
{
    return !listReadOnly_ && (!fieldLink_.DataSource() || fieldLink_.Editing());
}

void TwwDBLookupList::EditRecord()
{
    if (!listReadOnly_ && fieldLink_.DataSource() && fieldLink_.Field()) fieldLink_.Edit();
}

void TwwDBLookupList::RowValuesToOwner()
{
    if (MayTakeValue() && binding_.Bound() && !LookupTable()->IsEmpty()) {
        if (fieldLink_.Editing()) fieldLink_.Modified();
        binding_.ReadCurrentRow();
        found_ = true;
    }
    if (OnClick) OnClick(this);
}

// The base grid's click on every move of the current cell is no pick: the
// list's OnClick fires for picks only (RowValuesToOwner).
void TwwDBLookupList::Click() {}

// ---- The field link of a list of its own.

void TwwDBLookupList::FieldDataChange()
{
    const TRefreshScope refreshing(*this);
    SetValue(fieldLink_.Field() ? fieldLink_.Field()->AsString() : QString());
}

void TwwDBLookupList::FieldUpdateData()
{
    TField* field = fieldLink_.Field();
    if (!field || field->AsString() == binding_.Value(0)) return;
    if (binding_.Value(0).isEmpty())
        field->Clear();
    else
        field->SetAsString(binding_.Value(0));
}

void TwwDBLookupList::FieldActiveChange()
{
    if (fieldLink_.Active() && lookupSource_.DataSet() && lookupSource_.DataSet()->Active()) FieldDataChange();
}

// ---- Layout.

void TwwDBLookupList::BuildFieldMap()
{
    BindLookupFields(false);
    TwwCustomDBGrid::BuildFieldMap();
    // A table that shows no field shows them all.
    if (UseTFields() && DataLink().FieldCount() == 0 && DataSet())
        for (int i = 0; i < DataSet()->FieldCount(); ++i) DataLink().AddMapping(DataSet()->Fields(i)->FieldName());
}

void TwwDBLookupList::SetColumnAttributes()
{
    TwwCustomDBGrid::SetColumnAttributes();
    // A hidden list keeps its columns as laid out: the drop-down takes its
    // width from them, and fits them to itself once it shows.
    const int last = ColCount() - 1;
    if (last < 0 || !isVisible()) return;
    const int line = (lookupOptions_ & loColLines) ? 1 : 0;
    int leading = 0;
    for (int col = 0; col < last; ++col) leading += ColWidths(col) + line;
    const int client = viewport()->width();
    // The last column ends at the list's right edge: no empty strip is left
    // beside it, and a column laid out wider (its characters in the list's
    // font, or a list narrowed by its scroll bar) is not cut off there. Its
    // own line counts too, or the list would scroll sideways by that pixel.
    if (last == 0 || leading < client - 15) SetColWidths(last, client - leading - line);
}

void TwwDBLookupList::LinkActive(bool active)
{
    // A closed table's fields are gone.
    if (!active) binding_.Unbind();
    TwwCustomDBGrid::LinkActive(active);
    if (active && fieldLink_.Active()) FieldDataChange();
}

// A detail lookup table that followed its master (the owner's record moved
// on) holds the new master's rows only now: the owner looks its value up
// again in them. The library's own searches move the table too, and so does
// the owner's look-up; neither is taken for the master's move.
void TwwDBLookupList::DataChanged()
{
    TwwCustomDBGrid::DataChanged();
    auto* table = qobject_cast<TTable*>(LookupTable());
    if (!table || table->MasterFields().isEmpty() || table->State() != dsBrowse || OwnerField().isEmpty()) return;
    auto* wwTable = qobject_cast<TwwTable*>(table);
    if (!wwTable) {
        ShowMessage(QStringLiteral("LookupTable on a detail table is only supported when using a TwwTable as the LookupTable!"));
        return;
    }
    if (wwTable->SearchNesting() > 0 || refreshing_ > 0) return;
    const TRefreshScope refreshing(*this);
    ShowOwnerValue();
}

// Also told when the scroll bar comes or goes: the viewport's width changed.
void TwwDBLookupList::resizeEvent(QResizeEvent* event)
{
    TwwCustomDBGrid::resizeEvent(event);
    if (isVisible()) SetColumnAttributes();
}

void TwwDBLookupList::showEvent(QShowEvent* event)
{
    TwwCustomDBGrid::showEvent(event);
    SetColumnAttributes();
}

// ---- Drawing.

bool TwwDBLookupList::HighlightCell(int dataCol, int dataRow, const QString& value, TGridDrawState state)
{
    TDataSet* table = LookupTable();
    if (!table || !table->Active() || !binding_.Bound())
        return TwwCustomDBGrid::HighlightCell(dataCol, dataRow, value, state);
    bool highlight;
    if (Picking() && MayTakeValue()) {
        highlight = state & gdSelected;
    } else {
        // The drawing made the row current for reading: compare its values.
        highlight = binding_.CurrentRowMatches();
    }
    if (highlight) chosenRow_ = dataRow;
    return highlight;
}

void TwwDBLookupList::InvalidateChosenRow()
{
    if (chosenRow_ >= 0) InvalidateRow(chosenRow_ + titleRows_);
}

void TwwDBLookupList::Paint()
{
    TwwCustomDBGrid::Paint();
    if (hasFocus() && chosenRow_ >= 0 && ColCount() > 0) {
        const int row = chosenRow_ + titleRows_;
        Canvas().DrawFocusRect(BoxRect(0, row, ColCount() - 1, row));
    }
}

void TwwDBLookupList::Scroll(int distance)
{
    TwwCustomDBGrid::Scroll(distance);
    if (!isVisible() || chosenRow_ < 0) return;
    chosenRow_ -= distance;
    if (chosenRow_ < 0 || chosenRow_ >= VisibleRowCount()) chosenRow_ = -1;
}

// ---- The vertical scroll bar.

// The bar tells whether the current row is the first, the last or one
// between: its exact place would mean counting the rows before it at every
// step of a search through a large reference table.
void TwwDBLookupList::UpdateScrollRange()
{
    TwwCustomDBGrid::UpdateScrollRange();
    QScrollBar* bar = verticalScrollBar();
    if (verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) return;
    if (bar->maximum() != ScrollBarLast) bar->setRange(0, ScrollBarLast);
    UpdateScrollPos();
}

void TwwDBLookupList::UpdateScrollPos()
{
    TDataSet* table = LookupTable();
    if (!table || !table->Active() || verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) {
        TCustomGrid::UpdateScrollPos();
        return;
    }
    const int position = table->Bof() ? 0 : table->Eof() ? ScrollBarLast : ScrollBarLast / 2;
    QScrollBar* bar = verticalScrollBar();
    if (bar->value() != position) {
        const QSignalBlocker blocker(bar);
        bar->setValue(position);
    }
}

// The list moves the lookup table itself, also as a drop-down that never
// takes the focus.
void TwwDBLookupList::ScrollBarAction(Qt::Orientation orientation, TScrollCode code, int position)
{
    TDataSet* table = LookupTable();
    if (orientation != Qt::Vertical || !table || !table->Active()) {
        TwwCustomDBGrid::ScrollBarAction(orientation, code, position);
        return;
    }
    switch (code) {
    case TScrollCode::scLineUp: table->Prior(); break;
    case TScrollCode::scLineDown: table->Next(); break;
    case TScrollCode::scPageUp: table->MoveBy(-VisibleRowCount()); break;
    case TScrollCode::scPageDown: table->MoveBy(VisibleRowCount()); break;
    case TScrollCode::scTop: table->First(); break;
    case TScrollCode::scBottom: table->Last(); break;
    case TScrollCode::scPosition:
        chosenRow_ = -1;
        if (position <= 0)
            table->First();
        else if (position >= ScrollBarLast)
            table->Last();
        else
            table->MoveBy(position < ScrollBarLast / 2 ? -VisibleRowCount() : VisibleRowCount());
        break;
    case TScrollCode::scTrack: break;
    }
    UpdateScrollPos();
}

// ---- Input.

void TwwDBLookupList::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    switch (key) {
    case Qt::Key_Insert:
        key = 0;
        return;
    case Qt::Key_Escape:
        fieldLink_.Reset();
        key = 0;
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        EditRecord();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && !MayTakeValue()) {
            key = 0;
            return;
        }
        // The first key from a chosen row that is not the current one only
        // makes it current: the keys move on from what the user sees.
        if (chosenRow_ >= 0 && chosenRow_ != DataLink().ActiveRecord() && DataSet()) {
            DataSet()->MoveBy(chosenRow_ - DataLink().ActiveRecord());
            key = 0;
            return;
        }
        break;
    default:
        break;
    }
    keyDownInProgress_ = true;
    struct TReset {
        bool& flag;
        ~TReset() { flag = false; }
    } reset{keyDownInProgress_};
    TwwCustomDBGrid::KeyDown(key, shift);
    if (MayTakeValue() && binding_.Bound() && !LookupTable()->IsEmpty()) {
        binding_.ReadCurrentRow();
        if (fieldLink_.Editing()) fieldLink_.Modified();
    }
}

void TwwDBLookupList::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (focusPolicy() != Qt::NoFocus && !hasFocus()) setFocus(Qt::MouseFocusReason);
    const TGridCoord cell = MouseCoord(x, y);
    if (button == Qt::LeftButton && binding_.Bound() && cell.Y >= titleRows_) {
        EditRecord();
        mouseSelecting_ = true;
    }
    TwwCustomDBGrid::MouseDown(button, shift, x, y);
}

void TwwDBLookupList::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TwwCustomDBGrid::MouseUp(button, shift, x, y);
    if (!mouseSelecting_) return;
    mouseSelecting_ = false;
    if (Row() >= titleRows_) RowValuesToOwner();
}

void TwwDBLookupList::DoEnter()
{
    TwwCustomDBGrid::DoEnter();
    InvalidateChosenRow();
}

void TwwDBLookupList::DoExit()
{
    fieldLink_.UpdateRecord();
    TwwCustomDBGrid::DoExit();
    InvalidateChosenRow();
}
