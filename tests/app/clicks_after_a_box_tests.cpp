// A click refused through its box does nothing else, and nothing after it:
// the user lets go of the mouse while the box is up (the window behind is
// blocked and never sees that release), answers the box, mends the value,
// and the next click is whole. A press still held when the box goes keeps
// being swallowed, release and all.
#include "app/loans_form.h"
#include "tests/app/schedule_dialog_fixture.h"
#include "tests/support/real_boxes.h"
#include <QCursor>
#include <QToolButton>
#include <QWindow>

namespace {

class ClicksAfterABoxTest : public ScheduleDialogTest {
protected:
    // Loans enough to fill the list past its bottom.
    void AddRows(TEngineDatabase& db) override
    {
        for (int loan = 1; loan <= 30; ++loan)
            Put(db, "TrnLon1a", {{"LoanCode", QStringLiteral("%1").arg(loan, 10, 10, QLatin1Char('0'))},
                                 {"LoanDetails", QStringLiteral("Loan %1").arg(loan)}, {"LoanType", "B"},
                                 {"StartDate", QDate(2026, 3, 15)}, {"FinishDate", QDate(2026, 4, 14)},
                                 {"Duration", 1}, {"LoanAmount", 100.0}, {"InterestAmount", 0.0},
                                 {"TotalPaybackAmount", 0.0}, {"Approved", false}});
    }

    TFrmLoans& Loans() { return static_cast<TFrmLoans&>(*dialog); }
    QString CurrentLoan() { return Header().FieldByName(QStringLiteral("LoanCode"))->AsString(); }

    // Edit (or Auto Edit) on the current loan, 1.2.3 typed into Loan Amount and the mouse
    // pressed on Loan Description: the box refuses the amount and is
    // answered with Enter. Let go of while the box was up, the release went
    // to the blocked window, as a desktop delivers it; still held, it comes
    // after the box, to the control pressed.
    void PressAwayFromABadAmount(bool heldThroughTheBox)
    {
        if (dialog->DBNavigator2->VisibleButtons().Contains(nbEdit))
            Click(dialog->DBNavigator2, nbEdit);
        TDBEdit* amount = Loans().DBEdit5;
        amount->setFocus();
        QApplication::processEvents();
        amount->selectAll();
        QTest::keyClicks(amount, QStringLiteral("1.2.3"));

        QWidget* description = dialog->DBEdit1;
        const QPoint at = description->rect().center();
        const size_t before = boxes.errors.size();
        if (heldThroughTheBox) {
            QTest::mousePress(description, Qt::LeftButton, {}, at);
            QTest::mouseRelease(description, Qt::LeftButton, {}, at);
        } else {
            QWindow* behind = dialog->windowHandle();
            const QPoint inWindow = description->mapTo(dialog.get(), at);
            boxes.WhileUp([behind, inWindow](QMessageBox&) { QTest::mouseRelease(behind, Qt::LeftButton, {}, inWindow); });
            QTest::mousePress(behind, Qt::LeftButton, {}, inWindow);
        }
        QApplication::processEvents();
        ASSERT_EQ(boxes.errors.size(), before + 1);
        EXPECT_EQ(boxes.errors.back(), QStringLiteral("'1.2.3' is not a valid floating point value"));
        ASSERT_EQ(QApplication::focusWidget(), amount);

        amount->selectAll();
        QTest::keyClicks(amount, QStringLiteral("1000"));
    }

    // A click as the desktop delivers it: through the window, to whatever lies under the point.
    void ClickAt(QWidget* widget, QPoint at)
    {
        const QPoint inWindow = widget->mapTo(dialog.get(), at);
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, inWindow);
        QApplication::processEvents();
    }

    RealBoxes boxes;
};

TEST_F(ClicksAfterABoxTest, TheClickAfterARefusedClickIsWhole)
{
    ShowDialog(new TFrmLoans);
    Header().Locate(QStringLiteral("LoanCode"), QStringLiteral("0000000003"));

    // A button clicks.
    PressAwayFromABadAmount(false);
    QToolButton* post = dialog->DBNavigator2->Button(nbPost);
    ClickAt(post, post->rect().center());
    EXPECT_EQ(Header().State(), dsBrowse);
    EXPECT_FALSE(post->isDown());
    EXPECT_EQ(Rows(QStringLiteral("select LoanAmount from TrnLon1a where LoanCode = \"0000000003\"")),
              QStringList{"1000"});

    // A check box toggles.
    PressAwayFromABadAmount(false);
    ClickAt(dialog->CBoxBankTran, QPoint(6, dialog->CBoxBankTran->height() / 2));
    EXPECT_TRUE(dialog->CBoxBankTran->Checked());
    EXPECT_FALSE(dialog->CBoxBankTran->isDown());

    // A row of the list is chosen, and stays chosen when the mouse goes on
    // past the list with no button held.
    PressAwayFromABadAmount(false);
    TwwDBGrid* list = dialog->wwDBGrid1;
    const QRect row = list->CellRect(1, 2);
    ClickAt(list->viewport(), row.center());
    const QString chosen = CurrentLoan();
    EXPECT_EQ(Header().State(), dsBrowse);
    EXPECT_NE(chosen, QStringLiteral("0000000003"));
    QCursor::setPos(list->viewport()->mapToGlobal(QPoint(row.center().x(), list->viewport()->height() + 4)));
    QTest::qWait(300);
    EXPECT_EQ(CurrentLoan(), chosen);
    EXPECT_EQ(boxes.BoxCount(), 3);
}

TEST_F(ClicksAfterABoxTest, APressStillHeldWhenTheBoxGoesIsSwallowedWithItsRelease)
{
    ShowDialog(new TFrmLoans);
    QWidget* description = dialog->DBEdit1;
    struct TReleaseCount : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            count += event->type() == QEvent::MouseButtonRelease ? 1 : 0;
            return false;
        }
    } releases;
    description->installEventFilter(&releases);

    PressAwayFromABadAmount(true);
    EXPECT_EQ(releases.count, 0);
    EXPECT_EQ(QApplication::focusWidget(), Loans().DBEdit5);

    // The click after it is whole.
    ClickAt(description, description->rect().center());
    EXPECT_EQ(releases.count, 1);
    EXPECT_EQ(QApplication::focusWidget(), description);
    description->removeEventFilter(&releases);
}

}  // namespace
