// The grid's columns, widths, titles and rows from Selected, the rows it
// reads, its scroll bar, and the column moves and widths it writes back.
#include "platform/db/table.h"
#include "grid/ww_ibutton.h"
#include "tests/grid/grid_fixture.h"
#include <QFontMetrics>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

int TextWidth(const TFont& font, const QString& text) { return QFontMetrics(font.Font()).horizontalAdvance(text); }
int LineHeight(const TFont& font) { return QFontMetrics(font.Font()).height(); }

} // namespace

TEST_F(GridTest, ColumnsWidthsTitlesAndRowsComeFromSelected)
{
    grid->SetTitleLines(2);
    ShowGrid({"Code\t4\tCode", "Missing\t5\tGone", "Descr\tabc\tDescription~of item", "Amount\t10"});

    // The line of a field the table lacks is gone for good; a width that is no
    // number gives the field's display width and the line stays.
    ASSERT_EQ(grid->Selected().Count(), 3);
    EXPECT_EQ(grid->Selected()[1], QStringLiteral("Descr\tabc\tDescription~of item"));
    ASSERT_EQ(grid->ColCount(), 4);

    const TFont& font = grid->Font();
    const int zero = TextWidth(font, QStringLiteral("0"));
    const TFont& titleFont = grid->TitleFont();
    EXPECT_EQ(grid->ColWidths(0), 11);
    EXPECT_EQ(grid->ColWidths(1), std::max(4 * zero, TextWidth(titleFont, QStringLiteral("Code"))) + 4);
    // A two-line title is as wide as its wider line.
    EXPECT_EQ(grid->ColWidths(2),
              std::max(table->FieldByName("Descr")->DisplayWidth() * zero,
                       TextWidth(titleFont, QStringLiteral("Description"))) + 4);
    // Without a title piece the field's label still counts for the width.
    EXPECT_EQ(grid->ColWidths(3), std::max(10 * zero, TextWidth(titleFont, QStringLiteral("Amount"))) + 4);

    const int line = LineHeight(font);
    EXPECT_EQ(grid->DefaultRowHeight(), line + 3);
    EXPECT_EQ(grid->RowHeights(0), LineHeight(titleFont) * 2 + 4);
    grid->SetTitleLines(0);
    EXPECT_EQ(grid->TitleLines(), 2);
    grid->SetRowHeightPercent(150);
    EXPECT_EQ(grid->DefaultRowHeight(), (line + 3) * 150 / 100);
    grid->SetRowHeightPercent(0);
    EXPECT_EQ(grid->RowHeightPercent(), 100);
    EXPECT_EQ(grid->DefaultRowHeight(), (line + 3) * 150 / 100);

    // The grid holds exactly the records that fit, and moves the dataset.
    const int visible = grid->VisibleRowCount();
    ASSERT_GT(visible, 3);
    EXPECT_EQ(grid->DataLink().BufferCount(), visible);
    EXPECT_EQ(grid->RowCount(), visible + 1);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(table->RecNo(), 1 + visible);
    EXPECT_EQ(grid->Row(), 1 + grid->DataLink().ActiveRecord());
    EXPECT_EQ(grid->verticalScrollBar()->maximum(), 200);
    EXPECT_EQ(grid->verticalScrollBar()->value(), visible * 200 / 29);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Field("Code"), QStringLiteral("0030"));
    EXPECT_EQ(grid->verticalScrollBar()->value(), 200);
    EXPECT_EQ(grid->Row(), grid->RowCount() - 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(1, 1));
    EXPECT_EQ(Field("Code"), QString::number(30 - visible + 1).rightJustified(4, u'0'));

    // The bar follows the record through every kind of move.
    const auto expected = [&] { return table->Bof() ? 0 : table->Eof() ? 200 : (table->RecNo() - 1) * 200 / 29; };
    for (const auto& [key, modifiers] : std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>{
             {Qt::Key_Up, {}}, {Qt::Key_Up, {}}, {Qt::Key_PageUp, {}}, {Qt::Key_Down, {}},
             {Qt::Key_Down, Qt::ControlModifier}, {Qt::Key_PageDown, {}}, {Qt::Key_Home, Qt::ControlModifier},
             {Qt::Key_Down, {}}, {Qt::Key_PageDown, {}}, {Qt::Key_Up, {}}}) {
        Key(key, modifiers);
        EXPECT_EQ(grid->verticalScrollBar()->value(), expected()) << "after key " << key;
    }

    // The wheel moves through the records, past the rows in view.
    const int before = table->RecNo();
    const QPoint at = CellCentre(2, 2);
    QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), {}, QPoint(0, -360), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &wheel);
    EXPECT_EQ(table->RecNo(), before + 3);
    EXPECT_EQ(grid->verticalScrollBar()->value(), expected());
}

// A button in the grid's corner takes the indicator column's title cell: the
// column is as wide as the button less its edge, the title row as high, and
// the titles stand in the middle of the taller row.
TEST_F(GridTest, AnIndicatorButtonSizesTheCornerCellAndCentresTheTitles)
{
    ShowGrid({"Code\t4\tCode", "Descr\t20\tDescription"});
    const int titleHeight = grid->RowHeights(0);
    // The first pixel row of the Code title's text.
    const auto titleTop = [&] {
        const QImage shot = Grab();
        const QRect cell = grid->CellRect(1, 0);
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left() + 2; x < cell.right() - 1; ++x)
                if (qGray(shot.pixel(x, y)) < 100) return y;
        return -1;
    };
    const int plainTop = titleTop();
    ASSERT_GE(plainTop, 0);

    auto* button = new TwwIButton(grid);
    button->SetBounds(4, 6, 13, titleHeight + 6);
    QApplication::processEvents();
    EXPECT_EQ(grid->IndicatorButton(), button);
    EXPECT_EQ(button->geometry(), QRect(0, 0, 13, titleHeight + 6));
    EXPECT_EQ(grid->ColWidths(0), 12);
    // With row lines, the title row and its line are as high as the button.
    EXPECT_EQ(grid->RowHeights(0), titleHeight + 5);
    EXPECT_EQ(button->geometry(), grid->CellRect(0, 0).adjusted(0, 0, 1, 1));
    EXPECT_EQ(titleTop(), plainTop + 3);
    button->SetBounds(0, 0, 17, titleHeight + 6);
    EXPECT_EQ(grid->ColWidths(0), 16);
    EXPECT_EQ(grid->CellRect(1, 0).left(), 17);

    // Without grid lines the row is one pixel higher than the button, and the
    // button's lower edge is drawn below it.
    grid->SetOptions(grid->Options() & ~(dgRowLines | dgColLines));
    QApplication::processEvents();
    EXPECT_EQ(grid->RowHeights(0), titleHeight + 7);
    const QImage shot = Grab();
    const int top = grid->CellRect(0, 1).top();
    EXPECT_EQ(shot.pixel(5, top), ToQColor(clBtnHighlight).rgb());
    EXPECT_EQ(shot.pixel(5, top - 1), ToQColor(clBtnShadow).rgb());

    delete button;
    EXPECT_EQ(grid->IndicatorButton(), nullptr);
}

TEST_F(GridTest, ResizedAndMovedColumnsAreWrittenBackToSelected)
{
    // A font whose "0" is 7 pixels wide.
    QFont font = grid->Font().Font();
    for (int pixels = 8; pixels < 20 && QFontMetrics(font).horizontalAdvance(u'0') != 7; ++pixels)
        font.setPixelSize(pixels);
    ASSERT_EQ(QFontMetrics(font).horizontalAdvance(u'0'), 7);
    grid->Font().SetFont(font);
    grid->SetTitleButtons(true);
    std::vector<std::pair<int, int>> moves;
    grid->OnColumnMoved = [&](QObject*, int from, int to) { moves.emplace_back(from, to); };
    int clicks = 0;
    grid->OnTitleButtonClick = [&](QObject*, const QString&) { ++clicks; };
    ShowGrid({"Code\t4\tCode", "Descr\t12\tDescription", "Amount\t8\tAmount\textra"});

    // Dragging the right edge of the first column's title to 75 pixels.
    const QRect code = grid->CellRect(1, 0);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, QPoint(code.right() + 1, code.center().y()));
    QTest::mouseMove(grid->viewport(), QPoint(code.left() + 75, code.center().y()));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, QPoint(code.left() + 75, code.center().y()));
    EXPECT_EQ(grid->ColWidths(1), 75);
    EXPECT_EQ(grid->Selected()[0], QStringLiteral("Code\t10\tCode"));
    // Pieces after the title are dropped when the widths are written.
    EXPECT_EQ(grid->Selected()[2], QStringLiteral("Amount\t8\tAmount"));

    // Dragging the third column's title onto the first.
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, CellCentre(3, 0));
    QTest::mouseMove(grid->viewport(), CellCentre(1, 0));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, CellCentre(1, 0));
    ASSERT_EQ(grid->Selected().Count(), 3);
    EXPECT_TRUE(grid->Selected()[0].startsWith(QStringLiteral("Amount\t")));
    EXPECT_TRUE(grid->Selected()[1].startsWith(QStringLiteral("Code\t10")));
    EXPECT_TRUE(grid->Selected()[2].startsWith(QStringLiteral("Descr\t")));
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 0}}));
    EXPECT_EQ(grid->GetColField(0)->FieldName(), QStringLiteral("Amount"));
    EXPECT_EQ(grid->ColWidths(2), 10 * 7 + 4);
    EXPECT_EQ(clicks, 0);
}

TEST_F(GridTest, AGridRefusesADataSetThatIsNotTheLibrarys)
{
    TTable plain;
    plain.SetDatabaseName(table->DatabaseName());
    plain.SetTableName(QStringLiteral("Trans"));
    plain.Open();
    TDataSource plainSource;
    plainSource.SetDataSet(&plain);
    grid->SetDataSource(&plainSource);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("wwGrid must use an Vantrel compatible TDataSet."));
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(grid->DataSource(), nullptr);
    EXPECT_FALSE(grid->DataLink().Active());
}

TEST_F(GridTest, OnAFilteredTableTheBarTellsOnlyTheEndsAndTheMiddle)
{
    table->OnFilterRecord = [](TDataSet& dataSet, bool& accept) {
        accept = dataSet.FieldByName(QStringLiteral("Posted"))->AsString() == QStringLiteral("T");
    };
    table->SetFiltered(true);
    ShowGrid({"Code\t4\tCode", "Descr\t20\tDescription"});
    EXPECT_EQ(grid->verticalScrollBar()->maximum(), 4);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(Field("Code"), QStringLiteral("0004"));
    EXPECT_EQ(grid->verticalScrollBar()->value(), 2);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 4);
    EXPECT_EQ(Field("Code"), QStringLiteral("0030"));
}
