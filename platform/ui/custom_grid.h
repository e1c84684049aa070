#pragma once
// TCustomGrid: the class library's base grid, a QAbstractScrollArea that paints
// its own cells. Columns and rows are numbered from 0; the first FixedCols
// columns and FixedRows rows stay put while the others scroll. All rectangles
// are in the coordinates of the viewport, the grid's client area.
//
// Only the cells in view are ever measured or painted, so a grid of a million
// rows costs what a grid of ten does: row heights are kept only once one of
// them differs from DefaultRowHeight.
//
// A derived grid draws through DrawCell, decides on moves in SelectCell, feeds
// and reads its in-place editor through GetEditText/SetEditText, and may give
// the vertical scroll bar a meaning of its own (UpdateScrollRange and
// ScrollBarAction).
#include "platform/rtl/exceptions.h"
#include "platform/ui/canvas.h"
#include "platform/ui/grid_axis.h"
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <functional>
#include <vector>

class TInplaceEdit;

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;

enum TGridDrawStateFlag : unsigned { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2 };
using TGridDrawState = unsigned;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
    bool operator==(const TGridRect&) const = default;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TGridBorderStyle { bsNone, bsSingle };

// The scroll-bar actions, as the class library reports them to a grid.
enum class TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom };

enum class TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

class EInvalidGridOperation : public Exception { public: using Exception::Exception; };

class TCustomGrid : public QAbstractScrollArea {
    Q_OBJECT
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE SetFixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE SetGridLineWidth)
    Q_PROPERTY(int Col READ Col WRITE SetCol)
    Q_PROPERTY(int Row READ Row WRITE SetRow)
    Q_PROPERTY(int LeftCol READ LeftCol WRITE SetLeftCol)
    Q_PROPERTY(int TopRow READ TopRow WRITE SetTopRow)
    friend class TInplaceEdit;

public:
    // Five columns and five rows of 64 by 24 pixels, one fixed column and row,
    // all lines, range selection and both scroll bars. Counts, fixed counts and
    // indexes outside the grid raise EInvalidGridOperation.
    explicit TCustomGrid(QWidget* parent = nullptr);
    ~TCustomGrid() override;

    int ColCount() const { return static_cast<int>(colWidths_.size()); }
    void SetColCount(int count);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int count);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int count);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int count);

    int DefaultColWidth() const { return defaultColWidth_; }
    // Also gives every column this width.
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    // Also gives every row this height.
    void SetDefaultRowHeight(int height);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int width);
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    bool TabStops(int col) const;
    void SetTabStops(int col, bool on);

    // The current cell. Setting it asks SelectCell and scrolls it into view.
    int Col() const { return current_.X; }
    void SetCol(int col);
    int Row() const { return current_.Y; }
    void SetRow(int row);
    // The first scrollable column and row in view.
    int LeftCol() const { return topLeft_.X; }
    void SetLeftCol(int col);
    int TopRow() const { return topLeft_.Y; }
    void SetTopRow(int row);
    // Scrollable columns and rows wholly in view (at least one while any exists).
    int VisibleColCount() const;
    int VisibleRowCount() const;

    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions options);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& selection);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    TGridBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TGridBorderStyle style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor color);
    // The grid's font; its changes reach FontChanged.
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    // With it on, the grid fills each cell before DrawCell and draws the focus rectangle.
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool on) { defaultDrawing_ = on; }
    // The canvas of the paint in progress; outside a paint it measures only.
    TCanvas& Canvas() { return canvas_; }
    TGridState GridState() const { return gridState_; }

    // Rectangle of a cell, or of a block of cells, as far as it is in view;
    // empty when it is out of view.
    QRect CellRect(int col, int row) const;
    QRect BoxRect(int left, int top, int right, int bottom) const;
    // The cell under a point of the client area; X or Y is -1 where the point
    // lies beyond the columns or the rows.
    TGridCoord MouseCoord(int x, int y) const;

    void InvalidateCell(int col, int row);
    void InvalidateRow(int row);
    void InvalidateCol(int col);
    void InvalidateGrid();

    // The in-place editor: EditorMode turns it on and off for the current cell.
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool on);
    void ShowEditor();
    void HideEditor();
    // Reloads the editor's text from GetEditText and places it again.
    void InvalidateEditor();
    TInplaceEdit* InplaceEditor() const { return editor_; }

    // Makes (Col, Row) current (when SelectCell allows), collapsing the
    // selection to it with MoveAnchor and scrolling it into view with Show.
    void MoveColRow(int col, int row, bool moveAnchor, bool show);
    void MoveColumn(int fromIndex, int toIndex);
    void MoveRow(int fromIndex, int toIndex);

    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender)> OnDblClick;
    std::function<void(QObject* sender)> OnEnter;
    std::function<void(QObject* sender)> OnExit;
    std::function<void(QObject* sender)> OnTopLeftChanged;
    std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)> OnKeyUp;
    std::function<void(QObject* sender, QChar& key)> OnKeyPress;

    QSize sizeHint() const override;

protected:
    // Painting: Paint draws the lines and every cell in view through DrawCell.
    virtual void Paint();
    virtual void DrawCell(int col, int row, const QRect& rect, TGridDrawState state);

    // May (Col, Row) become current?
    virtual bool SelectCell(int col, int row);
    virtual void TopLeftChanged();
    virtual void ColumnMoved(int fromIndex, int toIndex);
    virtual void RowMoved(int fromIndex, int toIndex);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void FontChanged();
    virtual void Click();
    virtual void DblClick();
    virtual void DoEnter();
    virtual void DoExit();

    // The in-place editor's hooks.
    virtual TInplaceEdit* CreateEditor();
    virtual bool CanEditShow();
    virtual bool CanEditModify();
    virtual bool CanEditAcceptKey(QChar key);
    virtual int GetEditLimit();
    virtual QString GetEditMask(int col, int row);
    virtual QString GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const QString& value);
    // Writes the editor's text back through SetEditText.
    void UpdateText();

    // Input, in client coordinates; the Qt events arrive here.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyUp(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar& key);

    // Scroll bars: ranges and positions follow the grid's counts and its top
    // left cell; a derived grid that scrolls something else replaces these
    // (and, when ScrollBars leaves the vertical bar out, sets its policy itself).
    // ScrollBarAction receives every user action on a bar; the bar then shows
    // whatever value the grid has set.
    virtual void UpdateScrollRange();
    virtual void UpdateScrollPos();
    virtual void ScrollBarAction(Qt::Orientation orientation, TScrollCode code, int position);
    // The base ranges of each bar (columns and rows from the top left cell), for
    // a derived UpdateScrollRange that replaces only one of them.
    void UpdateHorizontalScrollRange();
    void UpdateVerticalScrollRange();
    // The last LeftCol and TopRow that still fill the view.
    int MaxLeftCol() const;
    int MaxTopRow() const;

    // While the selection timer runs (60 ms), a mouse held past an edge of the
    // cells scrolls and selects towards it; mouse-up stops it.
    void StartSelectionTimer();
    void StopSelectionTimer();

    // Moves the pixels of the scrollable rows by Pixels (down when positive)
    // and repaints only the strip that comes into view; fixed rows stay.
    void ScrollRows(int pixels);
    // Moves the current cell (clamped to the scrollable cells), asking
    // SelectCell, and scrolls it into view.
    void FocusCell(int col, int row, bool moveAnchor);
    bool IsActiveControl() const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    TGridAxis ColAxis() const;
    TGridAxis RowAxis() const;

    void MoveCurrent(int col, int row, bool moveAnchor, bool show);
    void MoveTopLeft(int col, int row);
    void ClampInView(int col, int row);
    int LastVisibleRow() const;
    void UpdateEdit();
    void PlaceEditor();
    void HideEditorWidget();
    void PaintLines(const QRect& area);
    void PaintMoveAndSizeMarks();
    void HandleScrollBarAction(Qt::Orientation orientation, int action);
    void HandleScrollBarRelease(Qt::Orientation orientation);
    void InvalidateSelection(const TGridRect& old);
    void ExtentsChanged();
    void CheckCoord(int col, int row) const;
    void FocusChanged(QWidget* old, QWidget* now);
    void ReturnFocus();
    void SelectionTimerTick();
    void RestoreEditorText();

    std::vector<int> colWidths_;
    std::vector<bool> tabStops_;
    std::vector<int> rowHeights_;   // empty while every row has the default height
    int rowCount_ = 0;
    int fixedCols_ = 0;
    int fixedRows_ = 0;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    TGridCoord current_;
    TGridCoord anchor_;
    TGridCoord topLeft_;
    TGridOptions options_ = 0;
    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    TGridBorderStyle borderStyle_ = TGridBorderStyle::bsSingle;
    TColor color_ = clWindow;
    TColor fixedColor_ = clBtnFace;
    TFont font_;
    bool defaultDrawing_ = true;
    TCanvas canvas_;

    TInplaceEdit* editor_ = nullptr;
    bool editorMode_ = false;
    TGridCoord editorCell_{-1, -1};

    TGridState gridState_ = TGridState::gsNormal;
    int moveIndex_ = -1;      // column or row being moved or sized
    int movePos_ = -1;        // where it would go; or the sizing line's position
    int sizingStart_ = 0;     // the sized column's or row's left or top edge
    QPoint mousePos_;
    QBasicTimer selectionTimer_;
    QString editorOriginal_;   // the cell's text when the editor took it
    bool focusInside_ = false; // the focus is on the grid, its editor or a control over a cell
    bool returningFocus_ = false; // a refused exit gives the keys back to the grid
    QRect paintRect_;          // the part of the client area being painted
};
