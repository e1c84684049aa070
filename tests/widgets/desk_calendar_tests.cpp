#include "widgets/desk_calendar.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/ui/menus.h"
#include "tests/data/accounts_fixture.h"
#include "tests/support/qt_print.h"
#include "tests/ui/test_application.h"
#include "platform/rtl/format.h"
#include <QTest>

namespace {

// The configuration of a fresh accounts database, and the view menu's item.
class DeskCalendarTest : public AccountsTest {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    void SetStartDayOfWeek(int day)
    {
        adm1->TblConfig->Edit();
        StartDayOfWeek()->SetAsInteger(day);
        adm1->TblConfig->Post();
    }
    TField* StartDayOfWeek() const { return adm1->TblConfig->FieldByName("StartDayOfWeek"); }

    // What the view menu does when its item becomes checked.
    TQueltCalMonthform& ShowCalendar()
    {
        viewItem.SetChecked(true);
        QueltCalMonthform = new TQueltCalMonthform(Application, StartDayOfWeek(), &viewItem);
        QueltCalMonthform->Show();
        QueltCalMonthform->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(QueltCalMonthform.data()));
        return *QueltCalMonthform;
    }

    TMenuItem viewItem{nullptr, "&Calendar"};
};

TEST_F(DeskCalendarTest, OpensOnTodayWithTheConfiguredWeekAndClosesByOkClearingTheMenuCheck)
{
    SetStartDayOfWeek(1);
    TQueltCalMonthform& calendar = ShowCalendar();
    EXPECT_EQ(calendar.Caption(), "Calendar");
    EXPECT_TRUE(calendar.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(calendar.isModal());
    EXPECT_EQ(calendar.Calendar1->StartOfWeek(), 1);
    EXPECT_EQ(calendar.Calendar1->GetCellText(0, 0), "Mon");
    // Monday 16 March 2026 stands in the first column.
    EXPECT_EQ(calendar.Calendar1->Col(), 0);
    EXPECT_EQ(calendar.Label1->Caption(), "Mon, 16, Mar, 2026");
    EXPECT_EQ(calendar.RadioGroup2->ItemIndex(), 2);
    EXPECT_EQ(calendar.SpinEdit1->Value(), 2026);
    EXPECT_FALSE(calendar.BitBtn2->isVisible());

    // Leafing through it picks nothing; the label follows.
    QTest::keyClick(calendar.Calendar1, Qt::Key_Down);
    EXPECT_EQ(calendar.Label1->Caption(), "Mon, 23, Mar, 2026");
    QTest::mouseClick(calendar.BitBtn3, Qt::LeftButton);
    EXPECT_EQ(calendar.Label1->Caption(), "Mon, 16, Mar, 2026");

    QTest::mouseClick(calendar.BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(calendar.isVisible());
    EXPECT_FALSE(viewItem.Checked());

    // The next check makes a new calendar; the hidden one lives on with the application.
    const QPointer<TQueltCalMonthform> first = &calendar;
    TQueltCalMonthform& second = ShowCalendar();
    EXPECT_NE(&second, first.data());
    EXPECT_TRUE(first);
    second.close();   // the close box does the same as OK
    EXPECT_FALSE(second.isVisible());
    EXPECT_FALSE(viewItem.Checked());
    delete first.data();
    delete QueltCalMonthform.data();
}

TEST_F(DeskCalendarTest, AFirstWeekdayOutOfRangeIsReportedAndTheFormsOwnKept)
{
    SetStartDayOfWeek(7);
    TQueltCalMonthform& calendar = ShowCalendar();
    ASSERT_EQ(presenter.errors.size(), 1u);
    EXPECT_EQ(presenter.errors[0], "Range check error");
    EXPECT_EQ(calendar.Calendar1->StartOfWeek(), 6);
    EXPECT_EQ(calendar.Calendar1->GetCellText(0, 0), "Sat");
    delete QueltCalMonthform.data();
    EXPECT_TRUE(QueltCalMonthform.isNull());
}

} // namespace
