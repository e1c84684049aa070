#include "platform/ui/custom_grid.h"
#include "platform/ui/inplace_edit.h"
#include "tests/ui/test_application.h"
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {

// A string grid in miniature: cells kept in a map, drawn as text, with the
// notifications the grid sends recorded for the tests.
class TTextGrid : public TCustomGrid {
public:
    TTextGrid()
    {
        SetColCount(6);
        SetRowCount(100);
        SetDefaultColWidth(50);
        SetDefaultRowHeight(20);
        resize(330, 230);
    }
    std::map<std::pair<int, int>, QString> cells;
    std::vector<std::pair<int, int>> moves;
    int widthChanges = 0;
    int topLeftChanges = 0;
    QString mask;

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
    void ColWidthsChanged() override { ++widthChanges; }
    void TopLeftChanged() override { ++topLeftChanges; }
};

class GridTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        grid.show();
        grid.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &grid;
        QTest::keyClick(target, key, modifiers);
    }
    TTextGrid grid;
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
