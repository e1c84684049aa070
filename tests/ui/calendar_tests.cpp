#include "platform/ui/calendar.h"
#include "platform/ui/spin_edit.h"
#include "platform/rtl/exceptions.h"
#include "tests/support/qt_print.h"
#include "tests/support/scoped_format_settings.h"
#include "tests/ui/test_application.h"
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CalendarTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        calendar.resize(178, 119);
        calendar.SetStartOfWeek(1);
        calendar.SetCalendarDate(EncodeDate(2026, 3, 16) + 0.75);
        calendar.OnChange = [this](QObject*) { ++changes; };
        calendar.show();
        calendar.setFocus();
    }
    QString Week(int row) const
    {
        QStringList cells;
        for (int col = 0; col < 7; ++col)
            cells << calendar.GetCellText(col, row);
        return cells.join(' ');
    }

    ScopedFormatSettings settings;
    TCalendar calendar;
    int changes = 0;
};

TEST_F(CalendarTest, ShowsTheMonthInWeeksFromTheFirstWeekdayAndPicksDaysByMouseAndKeys)
{
    EXPECT_EQ(calendar.CalendarDate(), EncodeDate(2026, 3, 16));   // whole days
    EXPECT_EQ(Week(0), "Mon Tue Wed Thu Fri Sat Sun");
    // 1 March 2026 is a Sunday: alone in the first week.
    EXPECT_EQ(Week(1), "      1");
    EXPECT_EQ(Week(6), "30 31     ");
    EXPECT_EQ(calendar.Col(), 0);
    EXPECT_EQ(calendar.Row(), 4);
    EXPECT_EQ(calendar.ColWidths(0), (calendar.viewport()->width() - 6) / 7);

    QTest::mouseClick(calendar.viewport(), Qt::LeftButton, {}, calendar.CellRect(0, 1).center());   // empty
    EXPECT_EQ(changes, 0);
    QTest::mouseClick(calendar.viewport(), Qt::LeftButton, {}, calendar.CellRect(4, 2).center());
    EXPECT_EQ(calendar.Day(), 6);
    QTest::keyClick(&calendar, Qt::Key_Up);   // into the empty start of the first week: refused
    EXPECT_EQ(calendar.Day(), 6);
    QTest::keyClick(&calendar, Qt::Key_Down);
    EXPECT_EQ(calendar.Day(), 13);
    EXPECT_EQ(changes, 2);

    // Sunday first: the whole month moves one column on.
    calendar.SetStartOfWeek(0);
    EXPECT_EQ(Week(1), "1 2 3 4 5 6 7");
    EXPECT_EQ(calendar.Col(), 5);
    EXPECT_THROW(calendar.SetStartOfWeek(7), ERangeError);
    EXPECT_EQ(calendar.StartOfWeek(), 0);

    calendar.SetMonth(2);
    EXPECT_EQ(Week(4), "22 23 24 25 26 27 28");
    EXPECT_EQ(Week(5), "      ");
    calendar.SetReadOnly(true);
    QTest::keyClick(&calendar, Qt::Key_Right);
    EXPECT_EQ(calendar.Day(), 13);
}

TEST(SpinEditTest, WithoutItsEditorTheValueOnlyStepsWithinTheRange)
{
    TestApplication();
    TSpinEdit spin;
    spin.SetMinValue(1900);
    spin.SetMaxValue(2099);
    spin.SetValue(2098);
    QList<int> seen;
    spin.OnChange = [&](QObject*) { seen << spin.Value(); };
    spin.SetEditorEnabled(false);
    spin.show();
    spin.setFocus();
    QTest::keyClicks(&spin, "1");
    EXPECT_EQ(spin.Value(), 2098);
    QTest::keyClick(&spin, Qt::Key_Up);
    QTest::keyClick(&spin, Qt::Key_Up);   // at the top already
    spin.SetValue(1000);                  // the nearer end
    EXPECT_EQ(seen, QList<int>({2099, 1900}));

    spin.SetEditorEnabled(true);
    spin.SetMaxLength(4);
    spin.findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(&spin, "20455");
    EXPECT_EQ(spin.Value(), 2045);
}

} // namespace
