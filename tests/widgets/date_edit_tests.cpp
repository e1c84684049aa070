#include "widgets/date_edit.h"
#include "platform/db/data_source.h"
#include "platform/rtl/format.h"
#include "tests/db/db_test_env.h"
#include "tests/support/qt_print.h"
#include "tests/support/scripted_presenter.h"
#include "tests/ui/keyboard_away.h"
#include "tests/ui/test_application.h"
#include "widgets/month_calendar_form.h"
#include "widgets/year_calendar.h"
#include "widgets/year_calendar_form.h"
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// A window with a date edit on the "Opened" date of a bank, and an edit
// after it in tab order.
class DateEditTest : public DbTest {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    void SetUp() override
    {
        DbTest::SetUp();
        SetClock([] { return EncodeDate(2026, 3, 16) + 0.5; });
        CreateBanks();
        AddBank("B1", "First", QDate(2024, 2, 29));
        AddBank("B2", "Second");
        AddBank("B3", "Third", QDate(2025, 4, 30));
        table = NewTable("Pbanks");
        table->Open();
        source.SetDataSet(table);
        window.resize(300, 120);
        dateEdit = new TVrDateEdit(&window);
        dateEdit->move(20, 30);
        dateEdit->SetDataSource(&source);
        dateEdit->SetDataField("Opened");
        next = new QLineEdit(&window);
        next->move(20, 70);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override { SetClock({}); }

    // Runs Step once the pop-up that Open opens is active, then lets Open return.
    template <class TPopUp> void InPopUp(TPopUp*& global, const std::function<void()>& open,
                                         const std::function<void(TPopUp&)>& step)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ASSERT_NE(global, nullptr);
            TPopUp& popUp = *global;
            EXPECT_TRUE(QTest::qWaitForWindowActive(&popUp));
            step(popUp);
            ran = true;
            if (popUp.isVisible())   // a failed step must not leave the loop running
                popUp.SetModalResult(99);
        });
        open();
        EXPECT_TRUE(ran);
        EXPECT_EQ(global, nullptr);
    }

    static void ClickCell(TCalendarGrid& calendar, int col, int row)
    {
        QTest::mouseClick(calendar.viewport(), Qt::LeftButton, {}, calendar.CellRect(col, row).center());
    }
    static QString Iso(TDateTime value) { return FormatDateTime("yyyy-mm-dd", value); }
    QString FieldText() const { return Iso(table->FieldByName("Opened")->AsDateTime()); }

    TTable* table = nullptr;
    TDataSource source;
    QWidget window;
    TVrDateEdit* dateEdit = nullptr;
    QLineEdit* next = nullptr;
};

TEST_F(DateEditTest, MonthPopUpByMouseKeepsTheDayValidAndWritesTheField)
{
    EXPECT_EQ(dateEdit->size(), QSize(123, 24));
    EXPECT_EQ(dateEdit->Edit()->geometry(), QRect(1, 1, 83, 22));
    EXPECT_EQ(dateEdit->MonthButton()->geometry(), QRect(83, 1, 20, 22));
    EXPECT_EQ(dateEdit->YearButton()->geometry(), QRect(102, 1, 20, 22));

    InPopUp<TCalMonthform>(CalMonthform, [&] { QTest::mouseClick(dateEdit->MonthButton(), Qt::LeftButton); },
                           [&](TCalMonthform& popUp) {
        EXPECT_EQ(popUp.pos(), dateEdit->mapToGlobal(QPoint(0, 24)));
        EXPECT_EQ(table->State(), dsEdit);
        EXPECT_EQ(popUp.Calendar1->StartOfWeek(), 0);
        EXPECT_EQ(popUp.Calendar1->GetCellText(0, 0), "Sun");
        EXPECT_EQ(popUp.Label1->Caption(), "Thu, 29, Feb, 2024");
        EXPECT_EQ(popUp.RadioGroup2->ItemIndex(), 1);
        EXPECT_EQ(popUp.SpinEdit1->Value(), 2024);
        for (int month = 0; month < 12; ++month) {   // each month's caption shows whole beside its circle
            const QRadioButton* button = popUp.RadioGroup2->Button(month);
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect caption = button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
            EXPECT_GE(caption.width(), button->fontMetrics().horizontalAdvance(button->text())) << month;
        }

        // 2025 has no 29 February: the day becomes the 28th.
        QTest::keyClick(popUp.SpinEdit1, Qt::Key_Up);
        EXPECT_EQ(popUp.Label1->Caption(), "Fri, 28, Feb, 2025");
        // Every month change lands on the 28th at most: 31 January -> 28 March.
        QTest::mouseClick(popUp.RadioGroup2->Button(0), Qt::LeftButton);
        ASSERT_EQ(popUp.Calendar1->GetCellText(5, 5), "31");
        ClickCell(*popUp.Calendar1, 5, 5);
        EXPECT_EQ(popUp.Label1->Caption(), "Fri, 31, Jan, 2025");
        QTest::mouseClick(popUp.RadioGroup2->Button(2), Qt::LeftButton);
        EXPECT_EQ(Iso(popUp.Calendar1->CalendarDate()), "2025-03-28");
        // 5 March 2025: March begins on a Saturday, so the 5th is Wednesday of the second week.
        EXPECT_EQ(popUp.Calendar1->GetCellText(3, 2), "5");
        ClickCell(*popUp.Calendar1, 3, 2);
        EXPECT_EQ(popUp.Label1->Caption(), "Wed, 05, Mar, 2025");
        QTest::mouseClick(popUp.BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(FieldText(), "2025-03-05");
    EXPECT_EQ(table->State(), dsEdit);   // the window that owns the source posts
    EXPECT_EQ(window.focusWidget(), next);   // the focus moves on to the next control
    table->Post();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Pbanks WHERE Opened = '2025-03-05' AND BankCode = 'B1'"), 1);
}

TEST_F(DateEditTest, UpOrDownInTheEditOpensTheMonthPopUpWhichTheKeyboardWorks)
{
    dateEdit->SetFocus();
    const QString before = dateEdit->Edit()->text();
    InPopUp<TCalMonthform>(CalMonthform, [&] { QTest::keyClick(dateEdit->Edit(), Qt::Key_Down); },
                           [&](TCalMonthform& popUp) {
        EXPECT_TRUE(popUp.Calendar1->hasFocus());
        QTest::keyClick(popUp.Calendar1, Qt::Key_Up);     // a week back
        QTest::keyClick(popUp.Calendar1, Qt::Key_Left);   // a day back
        EXPECT_EQ(popUp.Label1->Caption(), "Wed, 21, Feb, 2024");
        QTest::keyClick(popUp.Calendar1, Qt::Key_Return);
    });
    EXPECT_EQ(dateEdit->Edit()->text(), "02/21/2024");
    EXPECT_NE(before, dateEdit->Edit()->text());

    // Escape cancels: the field keeps its value, the record stays in edit mode.
    table->Post();
    dateEdit->SetFocus();
    InPopUp<TCalMonthform>(CalMonthform, [&] { QTest::keyClick(dateEdit->Edit(), Qt::Key_Up); },
                           [&](TCalMonthform& popUp) {
        QTest::keyClick(popUp.Calendar1, Qt::Key_Right);
        QTest::keyClick(popUp.Calendar1, Qt::Key_Escape);
    });
    EXPECT_EQ(FieldText(), "2024-02-21");
    EXPECT_EQ(table->State(), dsEdit);
}

TEST_F(DateEditTest, PopUpsStartOnTodayForAnEmptyFieldAndOnTheFieldsDayOtherwise)
{
    table->Next();   // B2: no date
    InPopUp<TCalYearForm>(CalYearForm, [&] { QTest::mouseClick(dateEdit->YearButton(), Qt::LeftButton); },
                          [&](TCalYearForm& popUp) {
        EXPECT_EQ(Iso(popUp.Calendar1->CalendarDate()), "2026-03-16");
        EXPECT_EQ(popUp.Label1->Caption(), "Mon, 16, Mar, 2026");
        QTest::mouseClick(popUp.BitBtn2, Qt::LeftButton);
    });
    EXPECT_TRUE(table->FieldByName("Opened")->IsNull());

    table->Next();   // B3: 30 April stays the 30th on opening
    InPopUp<TCalMonthform>(CalMonthform, [&] { QTest::mouseClick(dateEdit->MonthButton(), Qt::LeftButton); },
                           [&](TCalMonthform& popUp) {
        EXPECT_EQ(Iso(popUp.Calendar1->CalendarDate()), "2025-04-30");
        EXPECT_EQ(popUp.RadioGroup2->ItemIndex(), 3);
        QTest::mouseClick(popUp.BitBtn3, Qt::LeftButton);   // today; the pop-up stays
        EXPECT_TRUE(popUp.isVisible());
        EXPECT_EQ(popUp.Label1->Caption(), "Mon, 16, Mar, 2026");
        QTest::mouseClick(popUp.BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(FieldText(), "2026-03-16");
}

TEST_F(DateEditTest, YearPopUpPicksADayOfAnyMonthAndYear)
{
    InPopUp<TCalYearForm>(CalYearForm, [&] { QTest::mouseClick(dateEdit->YearButton(), Qt::LeftButton); },
                          [&](TCalYearForm& popUp) {
        auto& grid = static_cast<TYearCal&>(*popUp.Calendar1);
        EXPECT_EQ(popUp.Caption(), "Yearly Calendar");
        EXPECT_EQ(grid.StartOfWeek(), 0);
        EXPECT_EQ(grid.GetCellText(0, 0), "2024");
        EXPECT_EQ(grid.GetCellText(grid.Col(), grid.Row()), "29");
        EXPECT_EQ(grid.Row(), 2);
        // Back a year: 29 February becomes the 28th; then a double click on
        // 14 November 2023 (a Tuesday; November begins on a Wednesday) confirms.
        QTest::keyClick(popUp.SpinEdit1, Qt::Key_Down);
        EXPECT_EQ(popUp.Label1->Caption(), "Tue, 28, Feb, 2023");
        const QPoint day = grid.CellRect(17, 11).center();
        EXPECT_EQ(grid.GetCellText(17, 11), "14");
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, day);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, day);
    });
    EXPECT_EQ(FieldText(), "2023-11-14");
}

} // namespace

namespace {

// A date typed that no calendar has is refused where it is typed: one box
// says why, the focus and the typing stay, and the field keeps its date.
TEST_F(DateEditTest, AnImpossibleTypedDateSaysWhyOnceAndKeepsTheTyping)
{
    ScriptedPresenter presenter;
    dateEdit->SetFocus();
    QApplication::processEvents();
    TDBEdit* edit = dateEdit->Edit();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("31022020"));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(presenter.errors, std::vector<QString>{QStringLiteral("'31022020' is not a valid date")});
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(edit->text(), QStringLiteral("31022020"));
    EXPECT_EQ(FieldText(), QStringLiteral("2024-02-29"));

    // A box taking the keyboard from the window says nothing more.
    TakeKeyboardAwayAndBack(window);
    EXPECT_EQ(presenter.errors.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(edit->text(), QStringLiteral("31022020"));

    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("02/27/2020"));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
    table->Post();
    EXPECT_EQ(presenter.errors.size(), 1u);
    auto rows = Engine().Query(QStringLiteral("select Opened from Pbanks where BankCode = 'B1'"));
    ASSERT_TRUE(rows->Next());
    EXPECT_EQ(rows->Value(0).toDate(), QDate(2020, 2, 27));
}

} // namespace
