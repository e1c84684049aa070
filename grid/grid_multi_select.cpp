// TwwDBGrid: the list of selected records of a grid with dgMultiSelect.
// Ctrl (or Shift) and a click select or unselect the clicked record; with
// msoShiftSelect, Shift and a click select every record between the last
// click and this one; with msoAutoUnselect a plain click selects the clicked
// record alone. OnMultiSelectRecord may refuse any change.
#include "dataset/controls_disabled.h"
#include "dataset/property_reflection.h"
#include "dataset/mask_settings.h"
#include "dataset/control_type_settings.h"
#include "grid/ww_db_grid.h"
#include "platform/db/data_source.h"

int TwwDBGrid::SelectedIndex()
{
    const TDataSet* dataSet = DataSet();
    const TBookmark bookmark = dataSet ? dataSet->GetBookmark() : TBookmark();
    if (!bookmark) return -1;
    for (size_t i = 0; i < selectedList_.size(); ++i)
        if (CompareDataSetBookmarks(*dataSet, selectedList_[i], bookmark) == 0) return int(i);
    return -1;
}

bool TwwDBGrid::IsSelectedRecord()
{
    return DataLink().Active() && SelectedIndex() >= 0;
}

void TwwDBGrid::InvalidateCurrentRow()
{
    if (Row() >= TitleOffset() && Row() < RowCount()) InvalidateRow(Row());
}

void TwwDBGrid::SelectRecord()
{
    if (!DataLink().Active()) return;
    DataSet()->CheckBrowseMode();
    if (DataSet()->IsEmpty() || SelectedIndex() >= 0) return;
    bool accept = true;
    if (OnMultiSelectRecord) OnMultiSelectRecord(*this, true, accept);
    if (!accept) return;
    selectedList_.push_back(DataSet()->GetBookmark());
    InvalidateCurrentRow();
}

void TwwDBGrid::UnselectRecord()
{
    if (!DataLink().Active()) return;
    const int index = SelectedIndex();
    if (index < 0) return;
    bool accept = true;
    if (OnMultiSelectRecord) OnMultiSelectRecord(*this, false, accept);
    if (!accept) return;
    selectedList_.erase(selectedList_.begin() + index);
    InvalidateCurrentRow();
}

void TwwDBGrid::UnselectAll()
{
    selectedList_.clear();
    InvalidateGrid();
}

bool TwwDBGrid::HighlightCell(int dataCol, int dataRow, const QString& value, TGridDrawState state)
{
    // The cell is drawn with its row's record current.
    if (Options() & dgMultiSelect) return IsSelectedRecord();
    return TwwCustomDBGrid::HighlightCell(dataCol, dataRow, value, state);
}

void TwwDBGrid::MultiSelectClick(Qt::KeyboardModifiers shift)
{
    const bool shiftKey = shift & Qt::ShiftModifier;
    const TBookmark clicked = DataSet()->GetBookmark();
    if (shiftKey && (multiSelectOptions_ & msoShiftSelect) && shiftAnchor_) {
        SelectRange(shiftAnchor_, clicked);
        return;
    }
    if (shiftKey || (shift & Qt::ControlModifier)) {
        if (IsSelectedRecord()) UnselectRecord();
        else SelectRecord();
    } else if (multiSelectOptions_ & msoAutoUnselect) {
        UnselectAll();
        SelectRecord();
    }
    shiftAnchor_ = clicked;
}

// Every record from one bookmark to the other, whichever comes first in the
// dataset's order, ends up selected; the grid keeps showing what it showed.
void TwwDBGrid::SelectRange(const TBookmark& from, const TBookmark& to)
{
    TDataSet& dataSet = *DataSet();
    dataSet.CheckBrowseMode();
    if (!dataSet.BookmarkValid(from) || !dataSet.BookmarkValid(to)) return;
    const TBookmark clicked = dataSet.GetBookmark();
    {
        const TControlsDisabled quiet(dataSet);
        // Walk forward from one end; when the walk runs out, the range runs the other way.
        auto reaches = [&dataSet](const TBookmark& start, const TBookmark& end) {
            dataSet.GotoBookmark(start);
            while (!dataSet.Eof() && CompareDataSetBookmarks(dataSet, dataSet.GetBookmark(), end) != 0) dataSet.Next();
            return !dataSet.Eof();
        };
        const TBookmark first = reaches(from, to) ? from : to;
        const TBookmark last = first == from ? to : from;
        dataSet.GotoBookmark(first);
        for (;;) {
            SelectRecord();
            if (CompareDataSetBookmarks(dataSet, dataSet.GetBookmark(), last) == 0) break;
            dataSet.Next();
            if (dataSet.Eof()) break;
        }
        dataSet.GotoBookmark(clicked);
    }
    InvalidateGrid();
}
