// A navigator's buttons never take the keyboard, but a row begun or edited
// with one is where the next keys go: into the list (or first control) that
// shows the navigator's data in its window, not into the list the keyboard
// happened to be in.
#include "app/loans_form.h"
#include "app/references_form.h"
#include "grid/ww_db_grid.h"
#include "platform/ui/menus.h"
#include "tests/app/schedule_dialog_fixture.h"
#include <QWindow>

namespace {

// A click as the desktop delivers it: through the window, to the button.
void ClickButton(TDBNavigator* navigator, TNavigateBtn button)
{
    QWidget* target = navigator->Button(button);
    QTest::mouseClick(target->window()->windowHandle(), Qt::LeftButton, {},
                      target->mapTo(target->window(), target->rect().center()));
    QApplication::processEvents();
}

class NavigatorKeyboardTest : public ScheduleDialogTest {
protected:
    void AddRows(TEngineDatabase& db) override
    {
        Put(db, "TrnLon1a", {{"LoanCode", "0000000001"}, {"LoanDetails", "Car Loan"}, {"LoanType", "B"},
                             {"StartDate", QDate(2026, 3, 15)}, {"FinishDate", QDate(2026, 4, 14)}, {"Duration", 1},
                             {"LoanAmount", 100.0}, {"InterestAmount", 0.0}, {"TotalPaybackAmount", 0.0},
                             {"Approved", false}});
    }
};

TEST_F(NavigatorKeyboardTest, TheCardSectionsInsertTakesTheTypingFromBankNames)
{
    ShowWindow();
    bool opened = false;
    // Once the window is up: its first list of the Bank Details page has the keyboard.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        TFrmRefrences* refs = FrmRefrences;
        if (!refs || !refs->isVisible() || QApplication::activeModalWidget() != refs)
            return;
        poll.stop();
        opened = QTest::qWaitForWindowActive(refs);
        EXPECT_EQ(QApplication::focusWidget(), refs->wwDBGrid5);
        ClickButton(refs->Sections()[2].EditNavigator, nbInsert);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Amex"));
        ClickButton(refs->Sections()[2].EditNavigator, nbPost);
        refs->Exit1->Action()->trigger();
    });
    poll.start(0);
    QMetaObject::invokeMethod(window->Banks1->Action(), &QAction::trigger, Qt::QueuedConnection);
    QApplication::processEvents();
    poll.stop();
    Reactivate();
    EXPECT_TRUE(opened);
    EXPECT_EQ(Rows(QStringLiteral("select BankDesc from Pbanks order by BankCode")),
              (QStringList{"First Bank", "Harbour Bank"}));
    EXPECT_EQ(Rows(QStringLiteral("select CardName from PCCards order by CardCode")),
              (QStringList{"Current Account", "Amex"}));
    EXPECT_TRUE(presenter.errors.empty()) << presenter.errors.front().toStdString();
}

TEST_F(NavigatorKeyboardTest, TheSchedulesInsertTakesTheTypingFromTheLoansList)
{
    ShowDialog(new TFrmLoans);
    ClickTab(dialog->PageControl1, 1);
    dialog->wwDBGrid1->setFocus();
    QApplication::processEvents();

    ClickButton(dialog->DBNavigator4, nbInsert);
    ASSERT_EQ(Lines().State(), dsInsert);
    // The line's number, its date and its amount, as the user types a line.
    for (const char* text : {"1", "04152026"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(text));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("50"));
    ClickButton(dialog->DBNavigator4, nbPost);

    EXPECT_EQ(Lines().State(), dsBrowse);
    EXPECT_EQ(Rows(QStringLiteral("select LoanTranSerialNum, TransactionDate, PaybackAmount from TrnLon1b")),
              QStringList{"1 2026-04-15 50"});
    EXPECT_EQ(Rows(QStringLiteral("select LoanDetails from TrnLon1a")), QStringList{"Car Loan"});

    // Edit, from the loans list again: the keys go to the line.
    dialog->wwDBGrid1->setFocus();
    QApplication::processEvents();
    ClickButton(dialog->DBNavigator4, nbEdit);
    ASSERT_EQ(Lines().State(), dsEdit);
    QWidget* keyboard = QApplication::focusWidget();
    EXPECT_TRUE(keyboard == dialog->wwDBGrid2 || dialog->wwDBGrid2->isAncestorOf(keyboard));
    EXPECT_TRUE(presenter.errors.empty()) << presenter.errors.front().toStdString();
}

}  // namespace
