#include "platform/ui/custom_grid.h"
#include "platform/ui/inplace_edit.h"
#include "tests/support/qt_print.h"
#include "tests/ui/test_application.h"
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {

// A string grid in miniature: cells kept in a map, drawn as text, with the
// notifications the grid sends recorded for the tests.
class TTextGrid : public TCustomGrid {
public:
    explicit TTextGrid(QWidget* parent = nullptr) : TCustomGrid(parent)
    {
        SetColCount(6);
        SetRowCount(100);
        SetDefaultColWidth(50);
        SetDefaultRowHeight(20);
        resize(330, 230);
    }
    std::map<std::pair<int, int>, QString> cells;
    std::vector<std::pair<int, int>> moves;
    std::vector<std::pair<int, int>> rowMoves;
    int widthChanges = 0;
    int topLeftChanges = 0;
    QString mask;
    QString Cell(int col, int row) const
    {
        const auto it = cells.find({col, row});
        return it == cells.end() ? QString() : it->second;
    }

protected:
    void DrawCell(int col, int row, const QRect& rect, TGridDrawState) override
    {
        const auto it = cells.find({col, row});
        if (it != cells.end())
            Canvas().TextRect(rect, rect.left() + 2, rect.top() + 2, it->second);
    }
    QString GetEditText(int col, int row) override
    {
        const auto it = cells.find({col, row});
        return it == cells.end() ? QString() : it->second;
    }
    void SetEditText(int col, int row, const QString& value) override { cells[{col, row}] = value; }
    QString GetEditMask(int, int) override { return mask; }
    void ColumnMoved(int from, int to) override { moves.emplace_back(from, to); }
    void RowMoved(int from, int to) override { rowMoves.emplace_back(from, to); }
    void ColWidthsChanged() override { ++widthChanges; }
    void TopLeftChanged() override { ++topLeftChanges; }
};

class GridTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        other.move(0, 240);
        window.resize(340, 280);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        grid.setFocus();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &grid;
        QTest::keyClick(target, key, modifiers);
    }
    QWidget window;
    TTextGrid& grid = *new TTextGrid(&window);
    QLineEdit& other = *new QLineEdit(&window);
};

} // namespace

TEST_F(GridTest, ArrowsHomeEndAndPagesMoveTheCurrentCellAndKeepItInView)
{
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 2);
    Key(Qt::Key_End);
    EXPECT_EQ(grid.Col(), 5);
    Key(Qt::Key_Home);
    EXPECT_EQ(grid.Col(), 1);
    Key(Qt::Key_Left);
    EXPECT_EQ(grid.Col(), 1) << "the fixed column is never current";

    const int page = grid.VisibleRowCount();
    ASSERT_GT(page, 3);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(grid.Row(), 2 + page);
    EXPECT_GE(grid.Row(), grid.TopRow());
    EXPECT_LT(grid.Row(), grid.TopRow() + grid.VisibleRowCount());
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.Row(), 99);
    EXPECT_EQ(grid.Col(), 5);
    EXPECT_EQ(grid.TopRow() + grid.VisibleRowCount() - 1, 99);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(grid.Row(), 99 - page);
    EXPECT_GE(grid.Row(), grid.TopRow());
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.TopRow(), 1);
    EXPECT_GT(grid.topLeftChanges, 0);
}

TEST_F(GridTest, EditorOpensOnTypingWritesBackAndEscapeRestores)
{
    grid.SetOptions(grid.Options() | goEditing);
    grid.cells[{1, 1}] = QStringLiteral("old");
    grid.cells[{2, 3}] = QStringLiteral("x");
    QTest::keyClicks(&grid, QStringLiteral("ab"));
    ASSERT_TRUE(grid.EditorMode());
    TInplaceEdit* editor = grid.InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->geometry(), grid.CellRect(1, 1));
    EXPECT_EQ(grid.Cell(1, 1), QStringLiteral("ab"));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(grid.Cell(1, 1), QStringLiteral("old"));
}

TEST_F(GridTest, TabStepsThroughTabStopsAndWrapsRowsOnlyWithGoTabs)
{
    Key(Qt::Key_Tab);
    EXPECT_TRUE(other.hasFocus()) << "without goTabs Tab leaves the grid";
    grid.setFocus();
    grid.SetOptions(grid.Options() | goTabs);
    grid.SetTabStops(3, false);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.Col(), 4) << "column 3 has no tab stop";
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.Col(), 5);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 2);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid.Col(), 5);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_TRUE(grid.hasFocus());
}

TEST_F(GridTest, ShiftArrowsExtendTheRangeSelectionFromItsAnchor)
{
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 2, 2}));
    Key(Qt::Key_Down);
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 3, 2, 3}));
}

TEST_F(GridTest, DraggingHeadersMovesColumnsAndRowsAndDraggingTheirEdgesSizesThem)
{
    grid.SetOptions(grid.Options() | goColMoving | goColSizing);
    grid.SetColWidths(2, 70);
    grid.widthChanges = 0;
    QWidget* view = grid.viewport();
    const QRect title2 = grid.CellRect(2, 0);
    const QRect title4 = grid.CellRect(4, 0);
    QTest::mousePress(view, Qt::LeftButton, {}, title2.center());
    QTest::mouseMove(view, title4.center());
    QTest::mouseRelease(view, Qt::LeftButton, {}, title4.center());
    ASSERT_EQ(grid.moves.size(), 1u);
    EXPECT_EQ(grid.moves[0], std::make_pair(2, 4));
    EXPECT_EQ(grid.ColWidths(4), 70) << "the width travels with the column";

    // The line right of column 1 is at its right edge plus the line width.
    const QRect title1 = grid.CellRect(1, 0);
    const QPoint edge(title1.right() + 1, title1.center().y());
    QTest::mousePress(view, Qt::LeftButton, {}, edge);
    QTest::mouseMove(view, edge + QPoint(25, 0));
    QTest::mouseRelease(view, Qt::LeftButton, {}, edge + QPoint(25, 0));
    EXPECT_EQ(grid.ColWidths(1), 75);
    EXPECT_EQ(grid.widthChanges, 1);
    EXPECT_TRUE(grid.moves.size() == 1u) << "sizing is no move";

    // Rows likewise, by the fixed column.
    grid.SetOptions(grid.Options() | goRowMoving | goRowSizing);
    grid.SetRow(2);
    const QPoint header2 = grid.CellRect(0, 2).center();
    const QPoint header5 = grid.CellRect(0, 5).center();
    QTest::mousePress(view, Qt::LeftButton, {}, header2);
    QTest::mouseMove(view, header5);
    QTest::mouseRelease(view, Qt::LeftButton, {}, header5);
    ASSERT_EQ(grid.rowMoves.size(), 1u);
    EXPECT_EQ(grid.rowMoves[0], std::make_pair(2, 5));
    EXPECT_EQ(grid.Row(), 5) << "the current row travels with its row";
    const QRect header1 = grid.CellRect(0, 1);
    const QPoint rowEdge(header1.center().x(), header1.bottom() + 1);
    QTest::mousePress(view, Qt::LeftButton, {}, rowEdge);
    QTest::mouseMove(view, rowEdge + QPoint(0, 10));
    QTest::mouseRelease(view, Qt::LeftButton, {}, rowEdge + QPoint(0, 10));
    EXPECT_EQ(grid.RowHeights(1), 30);
    EXPECT_EQ(grid.RowHeights(2), 20);
}

TEST_F(GridTest, ClickingACellMakesItCurrentAndMouseCoordMapsBack)
{
    const QRect cell = grid.CellRect(3, 4);
    EXPECT_EQ(grid.MouseCoord(cell.center().x(), cell.center().y()), (TGridCoord{3, 4}));
    EXPECT_EQ(grid.MouseCoord(-5, 3), (TGridCoord{-1, 0}));
    EXPECT_EQ(grid.MouseCoord(cell.center().x(), 5000), (TGridCoord{3, -1}));
    int clicks = 0;
    grid.OnClick = [&](QObject*) { ++clicks; };
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(clicks, 1);
    grid.SetTopRow(50);
    EXPECT_TRUE(grid.CellRect(3, 4).isEmpty()) << "a scrolled-away cell has no rectangle";
    EXPECT_EQ(grid.BoxRect(1, 0, 2, 0), grid.CellRect(1, 0).united(grid.CellRect(2, 0)));
}

namespace {

// Counts the cells it is asked to draw.
class TCountingGrid : public TCustomGrid {
public:
    explicit TCountingGrid(QWidget* parent) : TCustomGrid(parent) {}
    int drawn = 0;
    std::vector<int> rowsDrawn;

protected:
    void DrawCell(int, int row, const QRect&, TGridDrawState) override
    {
        ++drawn;
        rowsDrawn.push_back(row);
    }
};

// Gives the vertical scroll bar a range of its own, as a grid over a dataset does.
class TOwnScrollGrid : public TCustomGrid {
public:
    explicit TOwnScrollGrid(QWidget* parent) : TCustomGrid(parent) {}
    std::vector<TScrollCode> codes;

protected:
    void UpdateScrollRange() override
    {
        TCustomGrid::UpdateScrollRange();
        verticalScrollBar()->setRange(0, 200);
        UpdateScrollPos();
    }
    void UpdateScrollPos() override
    {
        TCustomGrid::UpdateScrollPos();
        verticalScrollBar()->setValue(position);
    }
    void ScrollBarAction(Qt::Orientation orientation, TScrollCode code, int pos) override
    {
        if (orientation != Qt::Vertical)
            return TCustomGrid::ScrollBarAction(orientation, code, pos);
        codes.push_back(code);
        position = code == TScrollCode::scLineDown ? 100 : 0;
        UpdateScrollPos();
    }

public:
    int position = 0;
};

} // namespace

TEST_F(GridTest, AMillionRowsPaintOnlyTheCellsInViewAndScrollPaintsOnlyTheNewRow)
{
    TCountingGrid big(&window);
    big.SetColCount(4);
    big.SetRowCount(1'000'000);
    big.SetDefaultRowHeight(20);
    big.resize(250, 200);
    big.show();
    QApplication::processEvents();
    big.drawn = 0;
    big.grab();
    const int rowsInView = big.VisibleRowCount() + 2;   // the title row and a partly shown one
    EXPECT_LE(big.drawn, rowsInView * 4);
    EXPECT_GE(big.drawn, (rowsInView - 1) * 4);

    big.setFocus();
    QTest::keyClick(&big, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(big.Row(), 999'999);
    EXPECT_EQ(big.TopRow() + big.VisibleRowCount() - 1, 999'999);

    big.SetTopRow(500'000);
    QApplication::processEvents();
    big.drawn = 0;
    big.rowsDrawn.clear();
    big.SetTopRow(500'001);
    QApplication::processEvents();
    ASSERT_GT(big.drawn, 0);
    EXPECT_LE(big.drawn, 2 * 4) << "only the rows that came into view";
    for (int row : big.rowsDrawn)
        EXPECT_GE(row, 500'001 + big.VisibleRowCount() - 1);
}

TEST_F(GridTest, ADerivedGridOwnsTheVerticalScrollBar)
{
    TOwnScrollGrid own(&window);
    own.SetRowCount(1000);
    own.resize(200, 150);
    own.show();
    QApplication::processEvents();
    QScrollBar* bar = own.verticalScrollBar();
    EXPECT_EQ(bar->maximum(), 200);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(own.codes.size(), 1u);
    EXPECT_EQ(own.codes[0], TScrollCode::scLineDown);
    EXPECT_EQ(bar->value(), 100) << "the grid's position, not the bar's step";
    EXPECT_EQ(own.TopRow(), 1) << "the base grid did not scroll on its own";
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(own.codes.back(), TScrollCode::scTop);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(GridTest, MaskedEditorTypesThroughTheCellMaskAndF2EnterToggleIt)
{
    grid.SetOptions(grid.Options() | goEditing);
    grid.mask = QStringLiteral("!99/99/0000;1;_");
    grid.cells[{1, 1}] = QStringLiteral("01/02/2020");
    Key(Qt::Key_F2);
    TInplaceEdit* editor = grid.InplaceEditor();
    ASSERT_TRUE(editor && editor->isVisible());
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->EditText(), QStringLiteral("01/02/2020"));
    editor->SetSelStart(3);
    QTest::keyClicks(editor, QStringLiteral("x11"));
    EXPECT_EQ(editor->EditText(), QStringLiteral("01/11/2020"));
    EXPECT_EQ(grid.Cell(1, 1), QStringLiteral("01/11/2020")) << "each change reaches SetEditText";
    Key(Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(grid.hasFocus());
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->EditText(), QStringLiteral("__/__/____")) << "the editor took the new cell";
    Key(Qt::Key_Up);
    EXPECT_FALSE(editor->isVisible()) << "moving away closes the editor";
    EXPECT_EQ(grid.Row(), 1);

    grid.SetOptions(grid.Options() | goTabs);
    Key(Qt::Key_F2);
    ASSERT_TRUE(editor->hasFocus());
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.Col(), 2) << "Tab in the editor steps to the next cell";
    EXPECT_TRUE(grid.hasFocus());
}

TEST_F(GridTest, AlwaysShownEditorFollowsTheCurrentCell)
{
    grid.cells[{2, 1}] = QStringLiteral("b");
    grid.SetOptions(grid.Options() | goAlwaysShowEditor);
    EXPECT_TRUE(grid.Options() & goEditing);
    TInplaceEdit* editor = grid.InplaceEditor();
    ASSERT_TRUE(editor && editor->isVisible());
    Key(Qt::Key_Right);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->Text(), QStringLiteral("b"));
    EXPECT_EQ(editor->geometry(), grid.CellRect(2, 1));
    grid.SetTopRow(30);
    EXPECT_FALSE(editor->isVisible()) << "a cell out of view hides its editor";
    grid.SetTopRow(1);
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(GridTest, SelectedCellsPaintInTheHighlightColours)
{
    grid.SetOptions(grid.Options() | goRowSelect);
    grid.SetColor(clWhite);
    grid.SetRow(3);
    const QImage image = grid.viewport()->grab().toImage();
    const QRect selected = grid.CellRect(2, 3);
    const QRect plain = grid.CellRect(2, 5);
    EXPECT_EQ(image.pixelColor(selected.center()), ToQColor(clHighlight));
    EXPECT_EQ(image.pixelColor(plain.center()), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(grid.CellRect(0, 3).center()), ToQColor(clBtnFace)) << "fixed cells stay";
}

TEST_F(GridTest, ScrolledPixelsAndRepaintedStripsMakeTheSamePictureAsAFullPaint)
{
    for (int row = 1; row < 100; ++row)
        grid.cells[{1 + row % 5, row}] = QString::number(row);
    QApplication::processEvents();
    // Each key's painting reaches the screen before the next key.
    auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Key(key, modifiers);
        QApplication::processEvents();
    };
    press(Qt::Key_PageDown);
    for (int i = 0; i < 14; ++i)
        press(Qt::Key_Down);
    press(Qt::Key_Up, Qt::ControlModifier);
    press(Qt::Key_Up, Qt::ControlModifier);
    ASSERT_GT(grid.TopRow(), 3);
    // What the screen shows, built up by scrolls and partial repaints...
    const QRect area(grid.viewport()->mapTo(&window, QPoint(0, 0)), grid.viewport()->size());
    const QImage shown = window.screen()->grabWindow(window.winId()).toImage().copy(area);
    // ...against the viewport painted whole.
    const QImage whole = grid.viewport()->grab().toImage();
    ASSERT_EQ(shown.size(), whole.size());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32), whole.convertToFormat(QImage::Format_RGB32));
}
