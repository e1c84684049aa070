// A row the user began and did not post is never given up, nor left pending
// behind a page out of sight, without the user knowing: a window that cannot
// open over it shows it with the box that says why, and closing a window or
// the program over it asks the grid's own question first.
#include "tests/app/entry_dialog_fixture.h"
#include "app/loans_form.h"
#include "grid/ww_db_edit.h"
#include "platform/ui/menus.h"
#include "platform/ui/tool_bars.h"

namespace {

const QString DiscardQuestion = QStringLiteral("Discard changes to this record?");

class PendingRowsTest : public EntryDialogTest {
protected:
    TwwTable* Income() { return adm1->TblTranIncome; }

    // A new income row with only its date typed: the table refuses it for
    // want of its income account.
    void BeginIncomeRow()
    {
        ClickTab(window->PageControl2, 2);
        window->wwDBGrid17->setFocus();
        QTest::keyClick(window->wwDBGrid17, Qt::Key_Insert);
        ASSERT_EQ(Income()->State(), dsInsert);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("03102026"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(Income()->FieldByName(QStringLiteral("TransactionDate"))->AsDateTime(), EncodeDate(2026, 3, 10));
    }

    // Presses the shortcut; a loans dialog that opened anyway is closed and told.
    bool LoansOpenedBy(Qt::Key key)
    {
        bool opened = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (FrmLoans && FrmLoans->isVisible()) {
                opened = true;
                FrmLoans->SetModalResult(mrCancel);
            }
        });
        watch.start(10);
        QTest::keyClick(window.get(), key, Qt::ControlModifier);
        Reactivate();
        return opened;
    }

    bool HasKeyboard(QWidget* control) const
    {
        QWidget* focused = QApplication::focusWidget();
        return focused == control || control->isAncestorOf(focused);
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const TMessageRequest& box : presenter.shown)
            texts << box.Text;
        return texts;
    }

    QStringList StoredIncome() { return Rows(QStringLiteral("select IncomeAmount from TrnInc1a order by 1")); }
};

TEST_F(PendingRowsTest, AWindowThatCannotOpenOverARowShowsTheRowOnItsPageWithItsBox)
{
    ShowWindow();
    const QStringList before = StoredIncome();
    BeginIncomeRow();
    ClickTab(window->PageControl2, 0);
    presenter.shown.clear();

    EXPECT_FALSE(LoansOpenedBy(Qt::Key_L));
    ASSERT_EQ(Texts().size(), 1) << Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(Texts().front().startsWith(QStringLiteral("Income Description has to be entered")));
    EXPECT_EQ(window->PageControl2->ActivePage(), window->TabIncome);
    EXPECT_EQ(Status(1), QStringLiteral("Income Transactions"));
    EXPECT_TRUE(HasKeyboard(window->wwDBGrid17));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Income()->State(), dsInsert);
    EXPECT_EQ(Income()->FieldByName(QStringLiteral("TransactionDate"))->AsDateTime(), EncodeDate(2026, 3, 10));
    EXPECT_EQ(StoredIncome(), before);
    EXPECT_TRUE(presenter.errors.empty());
}

TEST_F(PendingRowsTest, QuittingOverAChangedRowAsksAndNoKeepsTheProgramOnTheRow)
{
    ShowWindow();
    const QStringList before = StoredIncome();
    BeginIncomeRow();
    ClickTab(window->PageControl2, 0);
    presenter.shown.clear();

    presenter.Answer(mrNo);
    QTest::mouseClick(window->SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(Texts(), QStringList{DiscardQuestion});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->PageControl2->ActivePage(), window->TabIncome);
    EXPECT_TRUE(HasKeyboard(window->wwDBGrid17));
    EXPECT_EQ(Income()->State(), dsInsert);

    presenter.Answer(mrYes);
    QTest::mouseClick(window->SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(Texts(), (QStringList{DiscardQuestion, DiscardQuestion}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Income()->State(), dsBrowse);
    EXPECT_EQ(StoredIncome(), before);
    EXPECT_TRUE(presenter.errors.empty());
}

// Rows changed on two pages: one question for both, not the same box twice.
TEST_F(PendingRowsTest, QuittingOverChangedRowsOnTwoPagesAsksOnce)
{
    ShowWindow();
    BeginIncomeRow();
    ClickTab(window->PageControl2, 0);
    ChooseBankAccount(QStringLiteral("Household"));
    window->wwDBGrid14->setFocus();
    QTest::keyClick(window->wwDBGrid14, Qt::Key_Insert);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("03202026"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(adm1->TblTranBank1->State(), dsInsert);
    presenter.shown.clear();

    presenter.Answer(mrNo);
    QTest::mouseClick(window->SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(Texts(), QStringList{DiscardQuestion});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Income()->State(), dsInsert);
    EXPECT_EQ(adm1->TblTranBank1->FieldByName(QStringLiteral("TransactionDate"))->AsDateTime(),
              EncodeDate(2026, 3, 20));

    presenter.Answer(mrYes);
    QTest::mouseClick(window->SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(Texts(), (QStringList{DiscardQuestion, DiscardQuestion}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Income()->State(), dsBrowse);
    EXPECT_EQ(adm1->TblTranBank1->State(), dsBrowse);
}

TEST_F(PendingRowsTest, ClosingTheLoansDialogOverAChangedRowAsksNoKeepsItAndYesDropsIt)
{
    ShowWindow();
    bool stayedOpen = false;
    QString keptDetails;
    bool listHadKeyboard = false;
    InDialog<TFrmLoans>(Qt::Key_L, FrmLoans, [&](TFrmLoans& loans) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&loans));
        DBNavigatorClick(loans.DBNavigator2, nbInsert);
        loans.DBEdit1->setFocus();
        QTest::keyClicks(loans.DBEdit1, QStringLiteral("Boat Loan"));
        QTest::keyClick(loans.DBEdit1, Qt::Key_Tab);
        presenter.Answer(mrNo);
        QTest::mouseClick(loans.BitBtn1, Qt::LeftButton);
        stayedOpen = loans.isVisible();
        keptDetails = adm1->TblTrnLoan1A->FieldByName(QStringLiteral("LoanDetails"))->AsString();
        listHadKeyboard = HasKeyboard(loans.wwDBGrid1);

        presenter.Answer(mrYes);
        QTest::mouseClick(loans.BitBtn1, Qt::LeftButton);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(keptDetails, QStringLiteral("Boat Loan"));
    EXPECT_TRUE(listHadKeyboard);
    EXPECT_EQ(Texts(), (QStringList{DiscardQuestion, DiscardQuestion}));
    EXPECT_EQ(FrmLoans, nullptr);
    EXPECT_EQ(adm1->TblTrnLoan1A->State(), dsBrowse);
    EXPECT_TRUE(Rows(QStringLiteral("select LoanDetails from TrnLon1a")).isEmpty());
    EXPECT_TRUE(presenter.errors.empty());
}

// A discard that fails says why and leaves the window up where the user can
// see it, never hidden with its modal loop still holding the program.
TEST_F(PendingRowsTest, ADiscardThatFailsLeavesTheWindowUp)
{
    ShowWindow();
    bool upAfterFailure = false;
    InDialog<TFrmLoans>(Qt::Key_L, FrmLoans, [&](TFrmLoans& loans) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&loans));
        DBNavigatorClick(loans.DBNavigator2, nbInsert);
        loans.DBEdit1->setFocus();
        QTest::keyClicks(loans.DBEdit1, QStringLiteral("Boat Loan"));
        const auto rule = adm1->TblTrnLoan1A->BeforeCancel;
        adm1->TblTrnLoan1A->BeforeCancel = [](TDataSet&) { throw EDatabaseError(QStringLiteral("Disk full")); };
        presenter.Answer(mrYes);
        QTest::mouseClick(loans.BitBtn1, Qt::LeftButton);
        adm1->TblTrnLoan1A->BeforeCancel = rule;
        upAfterFailure = loans.isVisible();
        presenter.Answer(mrYes);
        if (upAfterFailure)
            QTest::mouseClick(loans.BitBtn1, Qt::LeftButton);
        else
            loans.SetModalResult(mrCancel);
    });
    EXPECT_TRUE(upAfterFailure);
    EXPECT_EQ(presenter.errors, std::vector<QString>{QStringLiteral("Disk full")});
    EXPECT_EQ(FrmLoans, nullptr);
    EXPECT_TRUE(Rows(QStringLiteral("select LoanDetails from TrnLon1a")).isEmpty());
}

// Whatever keeps a window from opening, the pages show again what the user
// chose: here the window's making moves the bank master to another account
// and then fails.
TEST_F(PendingRowsTest, AWindowThatFailsToOpenStillLeavesThePagesAsTheUserChoseThem)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    window->LoansLauncher.Create = [this]() -> TForm* {
        adm1->TblBankAccounts->Locate(QStringLiteral("BankAccountCode"), QStringLiteral("0000000002"));
        throw Exception(QStringLiteral("The window could not be made"));
    };
    EXPECT_FALSE(LoansOpenedBy(Qt::Key_L));
    EXPECT_EQ(presenter.errors, std::vector<QString>{"The window could not be made"});
    EXPECT_TRUE(window->isVisible());
    TwwTable* bank = adm1->TblTranBank1;
    EXPECT_EQ(bank->FieldByName(QStringLiteral("BankAccountCode"))->AsString(), QStringLiteral("0000000001"));
    EXPECT_EQ(bank->RecordCount(), 4);
    EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Bank Account Household (111-222)"));
}

} // namespace
