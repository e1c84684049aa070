#include "widgets/year_calendar.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "tests/support/scoped_format_settings.h"
#include "tests/ui/test_application.h"
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Collects the areas painted on a widget.
class TPaintSpy : public QObject {
public:
    QRegion Painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            Painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

class YearCalTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        grid.resize(559, 256);
        grid.SetStartOfWeek(0);
        grid.SetCalendarDate(EncodeDate(2025, 1, 1));
        grid.OnClick = [this](QObject*) { events << "click"; };
        grid.OnChange = [this](QObject*) { events << "change"; };
        grid.show();
        grid.setFocus();
    }

    void ClickCell(int col, int row)
    {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(col, row).center());
    }
    QString Shown() const { return FormatDateTime(QStringLiteral("yyyy-mm-dd"), grid.CalendarDate()); }

    ScopedFormatSettings settings;
    TYearCal grid;
    QStringList events;
};

TEST_F(YearCalTest, LaysOutTheYearInWeekdayColumnsAndFillsItsClientArea)
{
    EXPECT_EQ(grid.GetCellText(0, 0), "2025");
    QStringList header;
    for (int col = 1; col <= 8; ++col)
        header << grid.GetCellText(col, 0);
    EXPECT_EQ(header.join(""), "SMTWTFSS");
    EXPECT_EQ(grid.GetCellText(0, 1), "Jan");
    EXPECT_EQ(grid.GetCellText(0, 12), "Dec");
    // 1 January 2025 is a Wednesday: column 4; the current cell stands on it.
    EXPECT_EQ(grid.GetCellText(3, 1), "");
    EXPECT_EQ(grid.GetCellText(4, 1), "1");
    EXPECT_EQ(grid.Col(), 4);
    EXPECT_EQ(grid.Row(), 1);
    // February 2025 starts on a Saturday; March 2025 too, and runs to 31 in column 37.
    EXPECT_EQ(grid.GetCellText(7, 2), "1");
    EXPECT_EQ(grid.GetCellText(37, 3), "31");
    EXPECT_EQ(grid.GetCellText(36, 2), "");

    // Monday first: every column moves one weekday on.
    grid.SetStartOfWeek(1);
    EXPECT_EQ(grid.GetCellText(1, 0), "M");
    EXPECT_EQ(grid.GetCellText(3, 1), "1");
    EXPECT_EQ(grid.Col(), 3);

    const int width = grid.viewport()->width();
    const int height = grid.viewport()->height();
    const int line = grid.GridLineWidth();
    EXPECT_EQ(grid.ColWidths(0) + 37 * (grid.ColWidths(1) + line), width);
    EXPECT_EQ(grid.RowHeights(0) + 12 * (grid.RowHeights(1) + line), height);
    EXPECT_GE(grid.ColWidths(0), grid.Canvas().TextWidth("Sep"));
}

TEST_F(YearCalTest, TheKeyboardMovesOnlyBetweenDaysAndEachMoveSetsTheDate)
{
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(Shown(), "2025-01-02");
    QTest::keyClick(&grid, Qt::Key_Down);   // 2 January's column is empty in February
    EXPECT_EQ(Shown(), "2025-01-02");
    QTest::keyClick(&grid, Qt::Key_Left);
    QTest::keyClick(&grid, Qt::Key_Left);   // before the first: an empty cell
    EXPECT_EQ(Shown(), "2025-01-01");
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Down);   // Saturday 4 January -> Saturday 1 February
    EXPECT_EQ(Shown(), "2025-02-01");
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(Shown(), "2025-01-04");
    EXPECT_EQ(events.count("change"), 7);   // one per move that landed on a day

    grid.SetReadOnly(true);
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(Shown(), "2025-01-04");
    // Setting the date still moves the current cell.
    grid.SetCalendarDate(EncodeDate(2025, 1, 10));
    EXPECT_EQ(grid.Col(), 13);
}

TEST_F(YearCalTest, ClicksOnDaysPickTheDateOthersChangeNothing)
{
    ClickCell(3, 1);    // empty
    ClickCell(0, 5);    // month label
    ClickCell(10, 0);   // weekday initial
    EXPECT_EQ(Shown(), "2025-01-01");
    EXPECT_TRUE(events.isEmpty());

    // 15 July 2025: July begins on a Tuesday (offset 2), so day 15 is column 17.
    ClickCell(17, 7);
    EXPECT_EQ(Shown(), "2025-07-15");
    EXPECT_EQ(events, QStringList({"click", "change"}));
}

TEST_F(YearCalTest, DateElementsChangeOnlyIntoRealDates)
{
    grid.SetCalendarDate(EncodeDate(2025, 1, 31));
    events.clear();
    EXPECT_THROW(grid.SetMonth(2), EConvertError);
    EXPECT_EQ(Shown(), "2025-01-31");
    grid.SetMonth(13);
    grid.SetDay(0);
    grid.SetYear(2025);
    EXPECT_TRUE(events.isEmpty());

    grid.SetCalendarDate(EncodeDate(2025, 4, 10));
    events.clear();
    grid.SetDay(31);   // April has 30 days
    EXPECT_EQ(Shown(), "2025-04-10");
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(grid.UseCurrentDate());
    grid.SetDay(30);
    EXPECT_FALSE(grid.UseCurrentDate());
    grid.SetYear(2024);
    EXPECT_EQ(Shown(), "2024-04-30");
    EXPECT_EQ(grid.GetCellText(0, 0), "2024");
    EXPECT_EQ(events.count("change"), 2);
    EXPECT_EQ(grid.GetDateElement(4), -1);
}

TEST_F(YearCalTest, AMoveWithinTheYearRepaintsTwoCellsAChangeOfYearAll)
{
    TPaintSpy spy;
    grid.viewport()->installEventFilter(&spy);
    QCoreApplication::processEvents();
    spy.Painted = {};
    grid.SetCalendarDate(EncodeDate(2025, 6, 10));
    QCoreApplication::processEvents();
    // The old and the new current cell, each with its grid lines.
    const QRegion cells = QRegion(grid.CellRect(4, 1).adjusted(0, 0, 1, 1))
                          + QRegion(grid.CellRect(grid.Col(), grid.Row()).adjusted(0, 0, 1, 1));
    EXPECT_FALSE(spy.Painted.isEmpty());
    EXPECT_TRUE((spy.Painted - cells).isEmpty());

    spy.Painted = {};
    grid.SetYear(2026);
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.Painted.boundingRect(), grid.viewport()->rect());
}

} // namespace
