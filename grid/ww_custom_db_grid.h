#pragma once
// TwwCustomDBGrid: the data-aware grid on which every record list stands.
//
// Columns: with UseTFields the dataset's visible fields, else the lines of
// Selected (field TAB width in characters TAB title, "~" between title
// lines). Rows: the grid shows the records of its data link's window, which
// is exactly as many records as fit; scrolling moves the dataset, never the
// grid, so nothing but the visible records is ever read. The vertical scroll
// bar tells where the current record lies in the dataset (0..200 on a
// sequenced dataset, 0..4 otherwise).
//
// Editing goes through the in-place editor TwwInplaceEdit, which checks typed
// characters against the field's picture mask.
#include "grid/indicator_pictures.h"
#include "grid/ww_grid_data_link.h"
#include "grid/ww_grid_types.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/custom_grid.h"
#include <QPointer>
#include <optional>

class TDataSource;
class TwwIButton;
class TwwInplaceEdit;

class TwwCustomDBGrid : public TCustomGrid {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    friend class TwwGridDataLink;
    friend class TwwInplaceEdit;

public:
    explicit TwwCustomDBGrid(QWidget* parent = nullptr);
    ~TwwCustomDBGrid() override;

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const { return link_.DataSet(); }

    // The column list when UseTFields is off; the grid writes widths and
    // column moves back into it.
    TStrings& Selected() { return selected_; }
    const TStrings& Selected() const { return selected_; }
    bool UseTFields() const { return useTFields_; }
    void SetUseTFields(bool on);

    TFont& TitleFont() { return titleFont_; }
    TColor TitleColor() const { return titleColor_; }
    void SetTitleColor(TColor color);
    TAlignment TitleAlignment() const { return titleAlignment_; }
    void SetTitleAlignment(TAlignment alignment);
    int TitleLines() const { return titleLines_; }
    void SetTitleLines(int lines);          // below 1: ignored
    bool TitleButtons() const { return titleButtons_; }
    void SetTitleButtons(bool on);
    int RowHeightPercent() const { return rowHeightPercent_; }
    void SetRowHeightPercent(int percent);  // below 1: 100
    TIndicatorColorType IndicatorColor() const { return indicatorColor_; }
    void SetIndicatorColor(TIndicatorColorType color);

    TwwDBGridOptions Options() const { return options_; }
    void SetOptions(TwwDBGridOptions options);
    TwwDBGridKeyOptions KeyOptions() const { return keyOptions_; }
    void SetKeyOptions(TwwDBGridKeyOptions options) { keyOptions_ = options; }
    bool EditCalculated() const { return editCalculated_; }
    void SetEditCalculated(bool on) { editCalculated_ = on; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on) { readOnly_ = on; }
    bool ShowHorzScrollBar() const;
    void SetShowHorzScrollBar(bool on);
    bool ShowVertScrollBar() const { return showVertScrollBar_; }
    void SetShowVertScrollBar(bool on);
    // The button over the indicator column's title cell, or null; the title
    // row is at least as high as the button.
    TwwIButton* IndicatorButton() const;
    void SetIndicatorButton(TwwIButton* button);
    // The indicator column's width in pixels.
    int IndicatorWidth() const { return indicatorWidth_; }
    void SetIndicatorWidth(int width);

    // The field of a data column (0 = first data column); null when none.
    TField* GetColField(int dataCol) const;
    // The field of the current column.
    TField* SelectedField() const;
    int TitleOffset() const { return titleOffset_; }
    int IndicatorOffset() const { return indicatorOffset_; }
    TwwGridDataLink& DataLink() { return link_; }

    // Re-reads the columns, widths and row heights.
    virtual void LayoutChanged();

    TCalcCellColorsEvent OnCalcCellColors;
    TCalcTitleAttributesEvent OnCalcTitleAttributes;
    TTitleButtonClickEvent OnTitleButtonClick;
    TNotifyEvent OnColEnter, OnColExit, OnTopRowChanged;
    TDrawDataCellEvent OnDrawDataCell;
    TCheckValueEvent OnCheckValue;
    TColumnMovedEvent OnColumnMoved;

protected:
    // ---- Following the dataset (through the data link).
    virtual void LinkActive(bool active);
    virtual void DataChanged();
    virtual void Scroll(int distance);
    virtual void RecordChanged(TField* field);
    // Writes the editor's text into the current field.
    virtual void UpdateData();
    void InvalidateIndicator();
    virtual void DoTopRowChanged();
    virtual bool DataSetCanModify() const;

    // ---- Layout.
    virtual void BuildFieldMap();
    virtual void SetColumnAttributes();
    void UpdateRowCount();
    void UpdateRowHeights();
    // The current row follows the link's active record.
    void FollowActiveRecord();
    // How many data columns the layout shows.
    int DataColumnCount() const;
    // The title of a data column as drawn and measured.
    QString ColumnTitle(int dataCol, const TField& field) const;

    // ---- Drawing.
    void Paint() override;
    void DrawCell(int col, int row, const QRect& rect, TGridDrawState state) override;
    virtual bool HighlightCell(int dataCol, int dataRow, const QString& value, TGridDrawState state);
    virtual void DoCalcCellColors(TField* field, TGridDrawState state, bool highlight, TFont& font, TBrush& brush);
    virtual void DoCalcTitleAttributes(const QString& fieldName, TFont& font, TBrush& brush, TAlignment& alignment);
    virtual void DoTitleButtonClick(const QString& fieldName);
    virtual TColor GetFieldColor(int col) const;
    virtual QString GetFieldCellText(int dataCol);
    virtual void DrawCheckBox(const QRect& rect, bool checked);
    // The cell is drawn as a control (a check box, a picture) and takes no text editor.
    virtual bool CanEditShowControl(int col, int row);
    bool LastBrushWasWhite() const { return whiteBrush_; }
    bool CellDrewOwnEdge() const { return ownEdge_; }
    bool FocusRectDrawn() const { return focusDrawn_; }

    // ---- Editing and keys.
    TInplaceEdit* CreateEditor() override;
    bool CanEditShow() override;
    bool CellTakesEditor();
    bool CanEditModify() override;
    bool CanEditAcceptKey(QChar key) override;
    int GetEditLimit() override;
    QString GetEditMask(int col, int row) override;
    QString GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const QString& value) override;
    bool SelectCell(int col, int row) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void DoExit() override;
    void Click() override;
    void ColumnMoved(int fromIndex, int toIndex) override;
    void ColWidthsChanged() override;
    void FontChanged() override;
    void UpdateScrollRange() override;
    void UpdateScrollPos() override;
    void ScrollBarAction(Qt::Orientation orientation, TScrollCode code, int position) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    // Hooks of the in-cell controls (a descendant's): hide the control in use.
    virtual void HideControl() {}

    // The editor, when it is the grid's own.
    TwwInplaceEdit* WwEditor() const;

private:
    struct TLayoutLock;
    bool CanLayout() const;
    // Down and Up: false when the current record stayed (at either end).
    bool MoveToNextRecord();
    bool MoveToPriorRecord();
    // Steps to the next (or prior) column with a tab stop, wrapping to the
    // next (or prior) record.
    void StepColumn(bool forward);
    void GoToColumn(int dataCol);
    // Leaving a column whose text fails its mask: false keeps the column.
    bool CanLeaveColumn();
    void ScrollDataRows(int distance, int oldRow);
    void DeleteWithConfirmation();
    void CancelEdit();
    bool FreshInsert() const;
    void ApplyOptionsToBase();
    int ScrollBarPosition();
    void DrawTitleCell(int dataCol, const QRect& rect, TGridDrawState state);
    // Fills a title cell and writes its title, with the button edge of title buttons.
    void DrawTitleText(const QRect& rect, int dataCol, const QString& title, TAlignment alignment);
    void DrawIndicatorCell(int dataRow, const QRect& rect);
    void DrawDataCell(int dataCol, int dataRow, const QRect& rect, TGridDrawState state);
    // True when the cell was drawn as a control: a check box or a picture.
    bool DrawControlCell(int col, int row, const QRect& rect, TGridDrawState state);
    void DrawPicture(const QRect& rect, QImage picture, const QString& parameters);
    void DrawCellText(const QRect& rect, const QString& text, TAlignment alignment, int yOffset, bool wordWrap);

    TwwGridDataLink link_{*this};
    TStringList selected_;
    bool useTFields_ = true;
    TFont titleFont_;
    TColor titleColor_ = clBtnFace;
    TAlignment titleAlignment_ = taLeftJustify;
    int titleLines_ = 1;
    bool titleButtons_ = false;
    int rowHeightPercent_ = 100;
    TIndicatorColorType indicatorColor_ = icBlack;
    TwwDBGridOptions options_ = DefaultGridOptions;
    TwwDBGridKeyOptions keyOptions_ = DefaultGridKeyOptions;
    bool editCalculated_ = false;
    bool readOnly_ = false;
    bool showVertScrollBar_ = true;
    QPointer<TwwIButton> indicatorButton_;

    int titleOffset_ = 1;
    int indicatorOffset_ = 1;
    int indicatorWidth_ = 11;
    int titleButtonOffset_ = 2;
    int layoutLock_ = 0;
    bool inLayout_ = false;
    bool inRowCountUpdate_ = false;
    bool followingDataSet_ = false;
    bool columnMovedByMouse_ = false;
    bool colEnterPending_ = false;    // a column was left: the new one is entered when the move is done
    bool titleFontFollowsFont_ = true;
    bool assigningTitleFont_ = false;
    QString lastEditText_;
    // The current record's number, followed through scrolls: counting the
    // records before it is a walk, done once after each jump.
    std::optional<int> recNo_;
    int pressedTitleCol_ = -1;
    bool whiteBrush_ = false;
    bool ownEdge_ = false;
    bool focusDrawn_ = false;
};
