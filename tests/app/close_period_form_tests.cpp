#include "app/close_period_form.h"
#include "data/posted_period_guard.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/custom_edit.h"
#include "platform/ui/standard_controls.h"
#include "tests/data/period_close_fixture.h"
#include "tests/ui/test_application.h"
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

class ClosePeriodFormTest : public PeriodCloseFixture {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override {
        PeriodCloseFixture::SetUp();
        adm1->FirstDataYear = 1997;
        adm1->LastDataYear = 2026;
    }

    // The dialog as the main window opens it, shown without its modal loop.
    std::unique_ptr<TFrmClosePeriod> Open() {
        auto form = std::make_unique<TFrmClosePeriod>();
        form->SetHeight(TFrmClosePeriod::UpperHalfHeight);
        form->Show();
        return form;
    }
    static void Confirm(TFrmClosePeriod& form, const QString& typed) {
        form.EdtConfirm->setFocus();
        form.EdtConfirm->selectAll();
        QTest::keyClicks(form.EdtConfirm, typed);
    }
};

TEST_F(ClosePeriodFormTest, AfterJanuaryFebruaryIsOfferedAndEarlierMonthsAreRefused) {
    StoreClose(1999, 1, 31);
    const auto form = Open();
    EXPECT_EQ(form->LblLastPeriod->Caption(), "Jan1999");
    EXPECT_EQ(form->RbMonth->ItemIndex(), 1);
    EXPECT_EQ(form->EdtYear->Text(), "1999");
    EXPECT_EQ(form->UpDown1->Min(), 1997);
    EXPECT_EQ(form->UpDown1->Max(), 2031);
    EXPECT_EQ(form->LblDisplay->Caption(), "Close all Transaction data entered before March 1, 1999  Are You Sure ?");
    EXPECT_TRUE(form->BtnYes->isEnabled());
    EXPECT_TRUE(form->BtnYes->isVisibleTo(form.get()));
    EXPECT_FALSE(form->LblWarning->isVisibleTo(form.get()));

    for (const int month : {0, 1}) {   // January is closed; so is everything before it
        QTest::mouseClick(form->RbMonth->Button(month), Qt::LeftButton);
        if (month == 0) {
            EXPECT_EQ(form->LblDisplay->Caption(), "*ERROR* Period allready posted");
            EXPECT_FALSE(form->BtnYes->isEnabled());
            form->EdtYear->SetText("1998");
            EXPECT_EQ(form->LblDisplay->Caption(), "*ERROR* Period allready posted");
            form->EdtYear->SetText("1999");
        }
    }
    EXPECT_TRUE(form->BtnYes->isEnabled());
    // A year beyond the up-down's range is still taken from the edit.
    form->EdtYear->SetText("2040");
    EXPECT_EQ(form->LblDisplay->Caption(), "Close all Transaction data entered before March 1, 2040  Are You Sure ?");
    // A year that is no number is reported; the choice stays as it was.
    form->EdtYear->setFocus();
    form->EdtYear->end(false);
    QTest::keyClick(form->EdtYear, Qt::Key_X);
    EXPECT_EQ(presenter.errors, std::vector<QString>({"'2040x' is not a valid integer value"}));
    EXPECT_EQ(form->LblDisplay->Caption(), "Close all Transaction data entered before March 1, 2040  Are You Sure ?");
}

TEST_F(ClosePeriodFormTest, AfterDecemberDecemberStaysChosenUntilTheYearIsRaised) {
    StoreClose(2025, 12, 31);
    const auto form = Open();
    EXPECT_EQ(form->LblLastPeriod->Caption(), "Dec2025");
    EXPECT_EQ(form->RbMonth->ItemIndex(), 11);
    EXPECT_EQ(form->EdtYear->Text(), "2025");
    EXPECT_EQ(form->LblDisplay->Caption(), "*ERROR* Period allready posted");
    EXPECT_FALSE(form->BtnYes->isEnabled());

    QTest::keyClick(form->EdtYear, Qt::Key_Up);
    EXPECT_EQ(form->EdtYear->Text(), "2026");
    EXPECT_EQ(form->LblDisplay->Caption(), "Close all Transaction data entered before January 1, 2027  Are You Sure ?");
    EXPECT_TRUE(form->BtnYes->isEnabled());
    QTest::mouseClick(form->RbMonth->Button(0), Qt::LeftButton);
    EXPECT_EQ(form->LblDisplay->Caption(), "Close all Transaction data entered before February 1, 2026  Are You Sure ?");
}

TEST_F(ClosePeriodFormTest, TheSecondYesWaitsForExactlyYes) {
    StoreClose(2025, 12, 31);
    const auto form = Open();
    QTest::mouseClick(form->RbMonth->Button(1), Qt::LeftButton);
    form->EdtYear->SetText("2026");
    QTest::mouseClick(form->BtnYes, Qt::LeftButton);

    EXPECT_EQ(form->height(), TFrmClosePeriod::FullHeight);
    EXPECT_FALSE(form->BtnYes->isVisible());
    EXPECT_FALSE(form->BtnNo->isVisible());
    EXPECT_FALSE(form->GroupBox1->isEnabled());
    EXPECT_TRUE(form->LblWarning->isVisible());
    EXPECT_EQ(form->LblWarning->Caption(),
              "Warning!!! This action cannot be reversed. You will be unable to enter any transactions before "
              "Period March 1, 2026  henceforth. Confirm your action by typing in Yes and click on \"Yes\" button "
              "to continue or \"No\" button to exit ?");
    EXPECT_EQ(form->EdtConfirm->Text(), "NO");
    EXPECT_FALSE(form->BtnYes2->isEnabled());

    Confirm(*form, "ye");
    EXPECT_EQ(form->EdtConfirm->Text(), "YE");
    EXPECT_FALSE(form->BtnYes2->isEnabled());
    QTest::keyClick(form->EdtConfirm, Qt::Key_S);
    EXPECT_EQ(form->EdtConfirm->Text(), "YES");
    EXPECT_TRUE(form->BtnYes2->isEnabled());
    QTest::keyClick(form->EdtConfirm, Qt::Key_S);
    EXPECT_FALSE(form->BtnYes2->isEnabled());
    QTest::keyClick(form->EdtConfirm, Qt::Key_Backspace);
    EXPECT_TRUE(form->BtnYes2->isEnabled());
    Confirm(*form, "yEs");
    EXPECT_TRUE(form->BtnYes2->isEnabled());

    QTest::mouseClick(form->BtnNo2, Qt::LeftButton);
    EXPECT_EQ(form->ModalResult(), mrNo);
    EXPECT_EQ(adm1->CurrentCloseDate, At(2025, 12, 31));
}

// The whole close as the user goes through it: the period closes, the close
// date moves, and the closed months' transactions are locked.
TEST_F(ClosePeriodFormTest, ClosingMovesTheCloseDateAndLocksTheClosedMonths) {
    StoreClose(2025, 12, 31);
    Income("IN1", Day(2026, 2, 10), 300.0);
    Income("IN1", Day(2026, 3, 2), 40.0);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        TFrmClosePeriod& form = *FrmClosePeriod;
        shown = form.isVisible() && form.height() == TFrmClosePeriod::UpperHalfHeight && form.width() == 498;
        QTest::mouseClick(form.RbMonth->Button(1), Qt::LeftButton);
        form.EdtYear->SetText("2026");
        QTest::mouseClick(form.BtnYes, Qt::LeftButton);
        Confirm(form, "yes");
        QTest::mouseClick(form.BtnYes2, Qt::LeftButton);
    });
    QWidget mainWindow;
    mainWindow.show();
    RunModal(ClosePeriodDialogLauncher(), mainWindow);
    EXPECT_TRUE(shown);
    EXPECT_EQ(FrmClosePeriod, nullptr);

    EXPECT_EQ(adm1->CurrentCloseDate, At(2026, 2, 28));
    EXPECT_EQ(Read("select CloseDate from PConfig1").toDate(), Day(2026, 2, 28));
    EXPECT_EQ(Rows("select IncomeCode, PeriodYear, PeriodMonth, TotalAmount, CloseDate from MthInc1a"),
              QStringList({"IN1|2026|2|300|2025-12-31"}));
    EXPECT_FALSE(presenter.hourglass);

    TwwTable* incomes = adm1->TblTranIncome;
    incomes->Refresh();
    incomes->First();
    ASSERT_EQ(incomes->FieldByName("TransactionDate")->AsDateTime(), At(2026, 2, 10));
    EXPECT_THROW(incomes->Edit(), EAbort);
    EXPECT_EQ(presenter.LastText(), QString::fromLatin1(PostedRecordMessage) + QChar(13));
    incomes->Next();
    incomes->Edit();
    EXPECT_EQ(incomes->State(), dsEdit);
    incomes->Cancel();

    // Opened again, the dialog starts from the new close date.
    const auto again = Open();
    EXPECT_EQ(again->LblLastPeriod->Caption(), "Feb2026");
    EXPECT_EQ(again->RbMonth->ItemIndex(), 2);
}

TEST_F(ClosePeriodFormTest, AFailedCloseIsReportedOnceAndTheDialogStaysOpen) {
    StoreClose(2025, 12, 31);
    Income("IN1", Day(2026, 1, 10), 300.0);
    RebuildOpenPeriod();
    const QStringList before = Rows("select * from MthInc1a");
    const auto form = Open();
    QTest::mouseClick(form->BtnYes, Qt::LeftButton);
    Confirm(*form, "yes");
    {
        FailingPresenter failing(3);
        QTest::mouseClick(form->BtnYes2, Qt::LeftButton);
        EXPECT_EQ(failing.errors, std::vector<QString>({"Table is busy"}));
        EXPECT_TRUE(failing.shown.empty());
        EXPECT_FALSE(failing.hourglass);
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->ModalResult(), mrNone);
    EXPECT_EQ(adm1->CurrentCloseDate, At(2025, 12, 31));
    EXPECT_EQ(Read("select CloseDate from PConfig1").toDate(), Day(2025, 12, 31));
    EXPECT_EQ(Rows("select * from MthInc1a"), before);
}

}  // namespace
