#pragma once
// TwwDBGrid: the grid the windows place. It accepts only the library's
// datasets, can freeze data columns at the left (FixedCols), and draws the
// three-dimensional cell edges.
//
// Its cells may be edited by other controls (grid_in_cell_controls.cpp):
// an edit or lookup combo of the form that the dataset's ControlType line
// names is borrowed and laid over the current cell; a "CheckBox" line makes
// the column toggle between its checked and unchecked values. With
// dgMultiSelect it keeps a list of selected records (grid_multi_select.cpp),
// and memo fields open in the memo dialog (grid_memo_cells.cpp).
#include "grid/grid_in_cell_types.h"
#include "grid/memo_dialog.h"
#include "grid/ww_custom_db_grid.h"
#include "platform/ui/custom_edit.h"
#include <QPointer>
#include <memory>
#include <vector>

class TBorrowedControl;

class TwwDBGrid : public TwwCustomDBGrid {
    Q_OBJECT
public:
    explicit TwwDBGrid(QWidget* parent = nullptr);
    ~TwwDBGrid() override;

    // Data columns frozen at the left, besides the indicator column.
    int FixedCols() const { return frozenCols_; }
    void SetFixedCols(int count);

    TwwEditControlOptions EditControlOptions() const { return editControlOptions_; }
    void SetEditControlOptions(TwwEditControlOptions options) { editControlOptions_ = options; }
    TwwMultiSelectOptions MultiSelectOptions() const { return multiSelectOptions_; }
    void SetMultiSelectOptions(TwwMultiSelectOptions options) { multiSelectOptions_ = options; }
    TMemoAttributes MemoAttributes() const { return memoAttributes_; }
    void SetMemoAttributes(TMemoAttributes attributes);

    // ---- Multi-select: the bookmarks of the selected records, in the order chosen.
    const std::vector<TBookmark>& SelectedList() const { return selectedList_; }
    bool IsSelectedRecord();
    void SelectRecord();
    void UnselectRecord();
    void UnselectAll();

    // The in-cell control over the current cell, or null.
    TCustomEdit* InCellControl() const { return control_.data(); }
    // The memo dialog for the current cell's field.
    void OpenMemoDialog();

    TMultiSelectRecordEvent OnMultiSelectRecord;
    TMemoOpenEvent OnMemoOpen;
    TMemoCloseEvent OnMemoClose;

protected:
    void LinkActive(bool active) override;
    void SetColumnAttributes() override;
    TColor GetFieldColor(int col) const override;
    void DrawCell(int col, int row, const QRect& rect, TGridDrawState state) override;
    void Paint() override;
    bool CanEditShowControl(int col, int row) override;
    bool CanEditShow() override;
    QString GetFieldCellText(int dataCol) override;
    bool HighlightCell(int dataCol, int dataRow, const QString& value, TGridDrawState state) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void HideControl() override;

private:
    // After a cell, with DefaultDrawing: the three-dimensional cell edges.
    void DrawCellLines(int col, int row, const QRect& rect, TGridDrawState state);
    // Refuses a dataset that is not the library's, and tidies the settings
    // of one that is.
    void CheckDataSet();

    // ---- In-cell controls.
    // The edit a ControlType line of the field names; null when none is found.
    TCustomEdit* FindCellControl(const TField& field);
    // The control of a column's cells, borrowed from its form on first use.
    TCustomEdit* CellControl(int col);
    // The column's control when it is already borrowed; null otherwise.
    TCustomEdit* LentCellControl(int col);
    void BorrowCellControl(TCustomEdit& control, const TField& field);
    void PrepareCellControls();
    void ReleaseCellControls();
    void PlaceCellControl();
    // Keys of the in-cell control that leave the cell.
    void CellControlKeyDown(int& key, Qt::KeyboardModifiers shift);
    bool CellEditable() const;
    // ---- Check boxes.
    bool IsCheckBoxCell(int col);
    void ToggleCheckBox();
    // ---- Memo cells.
    bool IsMemoCell(int col);
    // ---- Multi-select.
    int SelectedIndex();
    // A left click on a data row with dgMultiSelect.
    void MultiSelectClick(Qt::KeyboardModifiers shift);
    void SelectRange(const TBookmark& from, const TBookmark& to);
    void InvalidateCurrentRow();

    int frozenCols_ = 0;
    bool checkingDataSet_ = false;
    TwwEditControlOptions editControlOptions_ = ecoSearchOwnerForm;
    TwwMultiSelectOptions multiSelectOptions_ = 0;
    TMemoAttributes memoAttributes_ = DefaultMemoAttributes;
    std::vector<TBookmark> selectedList_;
    TBookmark shiftAnchor_;
    std::vector<std::unique_ptr<TBorrowedControl>> borrowed_;
    QPointer<TCustomEdit> control_;
    bool placingControl_ = false;
};
