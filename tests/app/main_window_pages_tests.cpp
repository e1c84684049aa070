// The transaction pages through the real window: choosing an account, typing
// and posting rows, the rules of the data layer reaching the user, the row
// and title colours and title-click sorting.
#include "tests/app/main_window_fixture.h"
#include "app/loans_form.h"
#include "app/recur_form.h"
#include "dataset/ww_data_source.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/menus.h"
#include "platform/ui/tool_bars.h"
#include "grid/lookup_combo.h"
#include "grid/popup_grid.h"
#include <QToolButton>

namespace {

class TransactionPagesTest : public MainWindowTest {
protected:
    TwwDBGrid* BankGrid() { return window->wwDBGrid14; }
    TwwTable* Bank() { return adm1->TblTranBank1; }

    QString Text(TwwTable* table, const char* field)
    {
        return table->FieldByName(QString::fromLatin1(field))->AsString();
    }

    // The given field of every row of the table in its order.
    QStringList Column(TwwTable* table, const char* field)
    {
        QStringList values;
        for (table->First(); !table->Eof(); table->Next())
            values << Text(table, field);
        table->First();
        return values;
    }

    void ClickTitle(TwwDBGrid* grid, int col)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(col, 0).center());
        QApplication::processEvents();
    }

    static QColor Colour(TColor colour) { return ToQColor(colour); }

    static void DBNavigatorClick(TDBNavigator* navigator, TNavigateBtn button)
    {
        QTest::mouseClick(navigator->Button(button), Qt::LeftButton);
        QApplication::processEvents();
    }

    // Inserts a bank row of the item, types its date (mmddyyyy) into the
    // grid and posts it, all through the page's navigator.
    void PostBankRow(const char* item, const QString& date)
    {
        DBNavigatorClick(window->DBNavigator27, nbInsert);
        Bank()->FieldByName(QStringLiteral("BankItemCode"))->SetAsString(QString::fromLatin1(item));
        BankGrid()->setFocus();
        QTest::keyClick(BankGrid(), Qt::Key_Home);
        QTest::keyClicks(QApplication::focusWidget(), date);
        DBNavigatorClick(window->DBNavigator27, nbPost);
    }
};

TEST_F(TransactionPagesTest, PickingAnAccountShowsItsRowsInTheirColours)
{
    ShowWindow();
    EXPECT_EQ(Status(1), QStringLiteral("Choose Bank Account"));
    // An empty picker leaves the table closed.
    QTest::mouseClick(window->SpeedButton4, Qt::LeftButton);
    EXPECT_FALSE(Bank()->Active());

    ChooseBankAccount(QStringLiteral("Sav"));
    EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Bank Account Savings (333-444)"));
    EXPECT_EQ(Column(Bank(), "BankTranSerialNum"), (QStringList{"0000000001", "0000000002"}));

    ChooseBankAccount(QStringLiteral("Household"));
    SaveScreenshot(QStringLiteral("bank_household"));
    EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Bank Account Household (111-222)"));
    EXPECT_EQ(Column(Bank(), "TransactionDate"),
              (QStringList{"01/20/2026", "02/03/2026", "02/14/2026", "03/02/2026"}));

    // A new database has no colours of its own: the legend's defaults paint.
    const QImage image = GrabGrid(BankGrid());
    EXPECT_EQ(CellColour(image, BankGrid(), 2, 1), Colour(0xA4ACFD));   // posted: on or before the close date
    EXPECT_EQ(CellColour(image, BankGrid(), 3, 2), Colour(0xFFFEFF));   // ordinary
    EXPECT_EQ(CellColour(image, BankGrid(), 3, 3), Colour(0xFABC85));   // made by a loan
    EXPECT_EQ(CellColour(image, BankGrid(), 1, 0), Colour(0xFFFF80));   // the date order's title

    // The colours the user chose reach the grids when they are loaded again.
    adm1->TblConfig->Edit();
    adm1->TblConfig->FieldByName(QStringLiteral("ColorLoan"))->SetAsInteger(clLime);
    adm1->TblConfig->FieldByName(QStringLiteral("ColorPosted"))->SetAsInteger(clSilver);
    adm1->TblConfig->Post();
    window->LoadGridColours();
    // A loan row dated on or before the close date is a posted row.
    CloseThrough(EncodeDate(2026, 2, 14));
    const QImage recoloured = GrabGrid(BankGrid());
    EXPECT_EQ(CellColour(recoloured, BankGrid(), 2, 2), Colour(clSilver));
    EXPECT_EQ(CellColour(recoloured, BankGrid(), 2, 3), Colour(clSilver));
    EXPECT_EQ(CellColour(recoloured, BankGrid(), 2, 4), Colour(0xFFFEFF));

    // The communication page chooses its account the same way.
    QTest::mouseClick(window->PageControl2->TabBar(), Qt::LeftButton, {},
                      window->PageControl2->TabBar()->tabRect(1).center());
    TwwDBLookupCombo* telPicker = window->wwDbLupEditComAccount;
    telPicker->setFocus();
    QTest::keyClicks(telPicker, QStringLiteral("Home"));
    QTest::keyClick(telPicker, Qt::Key_Return);
    QTest::mouseClick(window->SpeedButton1, Qt::LeftButton);
    Reactivate();
    SaveScreenshot(QStringLiteral("communications"));
    EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Home Phone"));
    EXPECT_EQ(Column(adm1->TblTranTel1, "Amount"), QStringList{"29.99"});

    // The other pages: a recurring row on the income page.
    QTest::mouseClick(window->PageControl2->TabBar(), Qt::LeftButton, {},
                      window->PageControl2->TabBar()->tabRect(2).center());
    SaveScreenshot(QStringLiteral("income"));
    const QImage income = GrabGrid(window->wwDBGrid17);
    EXPECT_EQ(CellColour(income, window->wwDBGrid17, 3, 2), Colour(0xFFFF80));
    QTest::mouseClick(window->PageControl2->TabBar(), Qt::LeftButton, {},
                      window->PageControl2->TabBar()->tabRect(3).center());
    SaveScreenshot(QStringLiteral("expense"));
}

TEST_F(TransactionPagesTest, TitleClicksSortByTheColumnsIndexInTheChosenDirection)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    const auto titleColour = [&](int col) { return CellColour(GrabGrid(BankGrid()), BankGrid(), col, 0); };

    ClickTitle(BankGrid(), 3);
    EXPECT_EQ(Bank()->IndexName(), QStringLiteral("ByDebitAmount"));
    EXPECT_EQ(Column(Bank(), "DebitAmount"), (QStringList{"0", "42.25", "84.5", "310"}));
    EXPECT_EQ(titleColour(3), Colour(0xFFFF80));
    EXPECT_EQ(titleColour(1), Colour(clBtnFace));

    QTest::mouseClick(window->ToolButton4, Qt::LeftButton);
    ClickTitle(BankGrid(), 3);
    EXPECT_EQ(Bank()->IndexName(), QStringLiteral("ByDebitAmount_Desc"));
    EXPECT_EQ(Column(Bank(), "DebitAmount"), (QStringList{"310", "84.5", "42.25", "0"}));
    EXPECT_EQ(titleColour(3), Colour(0x80FFFF));
    SaveScreenshot(QStringLiteral("bank_sorted_descending"));

    // The item column has no descending order; the account stays chosen.
    ClickTitle(BankGrid(), 2);
    EXPECT_EQ(Bank()->IndexName(), QStringLiteral("ByItemCode"));
    EXPECT_EQ(Column(Bank(), "BankItemCode"), (QStringList{"001", "002", "002", "003"}));
    EXPECT_EQ(titleColour(2), Colour(0xFFFF80));
    EXPECT_EQ(titleColour(3), Colour(clBtnFace));

    // The expense grid sorts by its own indexes.
    QTest::mouseClick(window->SpdBtnGenerateSource, Qt::LeftButton);
    ClickTitle(window->wwDBGrid18, 3);
    EXPECT_EQ(adm1->TblTranExpense->IndexName(), QStringLiteral("ByExpenseAmount"));
}

TEST_F(TransactionPagesTest, ATypedRowPostsWithItsSerialAndTheRulesReachTheUser)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    DBNavigatorClick(window->DBNavigator27, nbInsert);
    ASSERT_EQ(Bank()->State(), dsInsert);
    BankGrid()->setFocus();
    // Date, then the debit: typing replaces the new row's defaults.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("03102026"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    // The item through its lookup combo in the cell: typing finds it, Tab takes it.
    auto* lookup = window->findChild<TwwDBLookupCombo*>(QStringLiteral("LupBankItems"));
    ASSERT_TRUE(lookup);
    QApplication::processEvents();   // the grid lays the combo over the cell as it paints
    for (const QChar key : QStringLiteral("gro"))
        QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
    EXPECT_EQ(QApplication::focusWidget(), lookup);
    QTest::qWait(400);   // the combo's incremental search runs on its timer
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(Text(Bank(), "BankItemCode"), QStringLiteral("002"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("19.99"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    DBNavigatorClick(window->DBNavigator27, nbPost);
    ASSERT_EQ(Bank()->State(), dsBrowse) << presenter.LastText().toStdString();
    EXPECT_EQ(Text(Bank(), "BankTranSerialNum"), QStringLiteral("0000000005"));
    EXPECT_EQ(Text(Bank(), "TransactionDate"), QStringLiteral("03/10/2026"));
    EXPECT_EQ(Text(Bank(), "DebitAmount"), QStringLiteral("19.99"));
    EXPECT_EQ(Text(Bank(), "CalcBankItemDescription"), QStringLiteral("Groceries"));

    // A row in the closed period is refused with the data layer's words and
    // stays; the date typed last goes in with the post.
    PostBankRow("001", QStringLiteral("01312026"));
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Sorry, Only dates falling after 31, Jan, 2026  will be accepted.\r"));
    EXPECT_EQ(Bank()->State(), dsInsert);
    EXPECT_TRUE(presenter.errors.empty());
    DBNavigatorClick(window->DBNavigator27, nbCancel);
    EXPECT_EQ(Bank()->RecordCount(), 5);
}

TEST_F(TransactionPagesTest, DeletingAsksFirstAndPostedRowsStay)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    Bank()->Last();
    presenter.Answer(mrNo);
    DBNavigatorClick(window->DBNavigator27, nbDelete);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Delete Item \"Groceries\" For Date \"03/02/2026\""));
    EXPECT_EQ(Bank()->RecordCount(), 4);
    presenter.Answer(mrYes);
    DBNavigatorClick(window->DBNavigator27, nbDelete);
    EXPECT_EQ(Bank()->RecordCount(), 3);

    Bank()->First();
    DBNavigatorClick(window->DBNavigator27, nbDelete);
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Editing of this Record is not allowed since it has been posted\r"));
    EXPECT_EQ(Bank()->RecordCount(), 3);

    // Ctrl+Delete in the grid asks the grid's question first; Cancel keeps the row.
    Bank()->Last();
    presenter.shown.clear();
    presenter.Answer(mrCancel);
    BankGrid()->setFocus();
    QTest::keyClick(BankGrid(), Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Delete record?"));
    EXPECT_EQ(Bank()->RecordCount(), 3);
}

TEST_F(TransactionPagesTest, AutoEditAndTheFilterSwitchTheirPages)
{
    ShowWindow();
    QTest::mouseClick(window->CBoxBankTran, Qt::LeftButton);
    EXPECT_TRUE(adm1->DsTranBank1->AutoEdit());
    EXPECT_FALSE(window->DBNavigator27->VisibleButtons().Contains(nbEdit));
    EXPECT_EQ(window->DBNavigator27->width(), 100);
    QTest::mouseClick(window->CBoxBankTran, Qt::LeftButton);
    EXPECT_FALSE(adm1->DsTranBank1->AutoEdit());
    EXPECT_TRUE(window->DBNavigator27->VisibleButtons().Contains(nbEdit));
    EXPECT_EQ(window->DBNavigator27->width(), 125);

    // February only; the bank table is still closed and takes the filter when opened.
    adm1->TblOptions->FieldByName(QStringLiteral("FromDate"))->SetAsDateTime(EncodeDate(2026, 2, 1));
    adm1->TblOptions->FieldByName(QStringLiteral("ToDate"))->SetAsDateTime(EncodeDate(2026, 2, 28));
    window->SetTransactionFilter(true);
    EXPECT_EQ(Status(0), QStringLiteral("Filter Active"));
    EXPECT_FALSE(Bank()->Active());
    EXPECT_EQ(adm1->TblTranIncome->RecordCount(), 1);
    ChooseBankAccount(QStringLiteral("Household"));
    EXPECT_EQ(Column(Bank(), "TransactionDate"), (QStringList{"02/03/2026", "02/14/2026"}));

    window->SetTransactionFilter(false);
    EXPECT_EQ(Status(0), QStringLiteral("Filter Not Active"));
    EXPECT_EQ(Bank()->RecordCount(), 4);
    EXPECT_EQ(adm1->TblTranIncome->RecordCount(), 2);
}

// The dialogs' account combos move the accounts tables that choose the bank
// and communication rows; once a dialog has gone, each page shows, and posts
// to, the account its picker names again.
TEST_F(TransactionPagesTest, AfterATransferThePagesShowAndPostToTheAccountsTheirPickersName)
{
    // An approved loan paid from Savings and an approved bill of another
    // phone line, each with open lines.
    TEngineDatabase& db = adm1->DataQuelt->EngineDatabase();
    Put(db, "TrnLon1a", {{"LoanCode", "0000000002"}, {"LoanDetails", "Car Loan"}, {"LoanType", "B"},
                         {"BankAccountCode", "0000000002"}, {"BankItemCode", "003"},
                         {"StartDate", QDate(2026, 3, 15)}, {"FinishDate", QDate(2026, 5, 14)}, {"Duration", 2},
                         {"LoanAmount", 200.0}, {"InterestAmount", 0.0}, {"TotalPaybackAmount", 200.0},
                         {"Approved", true}});
    for (const auto& [serial, date] : {std::pair{1, QDate(2026, 3, 15)}, {2, QDate(2026, 4, 14)}})
        Put(db, "TrnLon1b", {{"LoanCode", "0000000002"}, {"LoanTranSerialNum", serial}, {"TransactionDate", date},
                             {"PaybackAmount", 100.0}});
    Put(db, "PTelcom", {{"TelcomCode", "002"}, {"TelcomDesc", "Mobile"}});
    adm1->TblTelCom->Refresh();
    Put(db, "TrnRec1a", {{"RecurCode", "0000000001"}, {"RecurDetails", "Mobile Plan"}, {"RecurType", "C"},
                         {"DebitCredit", "D"}, {"TelcomCode", "002"}, {"TelItemCode", "001"},
                         {"StartDate", QDate(2026, 3, 20)}, {"FinishDate", QDate(2026, 4, 19)}, {"Duration", 1},
                         {"RecurAmount", 20.0}, {"TotalRecurAmount", 20.0}, {"Approved", true}});
    Put(db, "TrnRec1b", {{"RecurCode", "0000000001"}, {"RecurTranSerialNum", 1},
                         {"TransactionDate", QDate(2026, 3, 20)}, {"RecurAmount", 20.0}});

    ShowWindow();
    ChooseComAccount(QStringLiteral("Home"));
    ClickTab(window->PageControl2, 0);
    ChooseBankAccount(QStringLiteral("Household"));
    const auto transferAndClose = [](TScheduleForm& dialog) {
        ClickTab(dialog.PageControl1, 1);
        QTest::mouseClick(dialog.BtnTransfer, Qt::LeftButton);
        QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
    };
    InDialog<TFrmLoans>(Qt::Key_L, FrmLoans, transferAndClose);
    InDialog<TFrmRecur>(Qt::Key_R, FrmRecur, transferAndClose);
    ASSERT_TRUE(presenter.errors.empty()) << presenter.errors.front().toStdString();
    EXPECT_EQ(Rows(QStringLiteral("select BankAccountCode, count(*) from TrnBnk1a where LoanCode = \"0000000002\" "
                                  "group by BankAccountCode")),
              QStringList{"0000000002 2"});
    EXPECT_EQ(Rows(QStringLiteral("select TelcomCode, Amount from TrnTel1a where RecurCode = \"0000000001\"")),
              QStringList{"002 -20"});

    EXPECT_EQ(window->wwDbLupEditBankAccount->Text(), QStringLiteral("Household"));
    EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Bank Account Household (111-222)"));
    EXPECT_EQ(Column(Bank(), "BankAccountCode"), QStringList(4, QStringLiteral("0000000001")));
    PostBankRow("002", QStringLiteral("03102026"));
    ASSERT_EQ(Bank()->State(), dsBrowse) << presenter.LastText().toStdString();
    EXPECT_EQ(Rows(QStringLiteral("select BankAccountCode, BankTranSerialNum from TrnBnk1a "
                                  "where TransactionDate = '2026-03-10'")),
              QStringList{"0000000001 0000000005"});

    ClickTab(window->PageControl2, 1);
    EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Home Phone"));
    EXPECT_EQ(Column(adm1->TblTranTel1, "TelcomCode"), QStringList{"001"});
}

// A window that renames the account a page shows leaves the page's picker
// naming it as it is called now; one that deletes it leaves the page with no
// account, so that no row is begun for an account that is gone.
TEST_F(TransactionPagesTest, AfterAWindowRenamesOrDeletesItTheirPickersNameThePagesAccountAsItIsNow)
{
    TEngineDatabase& db = adm1->DataQuelt->EngineDatabase();
    Put(db, "PTelcom", {{"TelcomCode", "002"}, {"TelcomDesc", "Mobile"}});
    adm1->TblTelCom->Refresh();
    ShowWindow();
    const auto inWindow = [this](const QString& sql) {
        InDialog<TFrmRecur>(Qt::Key_R, FrmRecur, [&](TScheduleForm& dialog) {
            adm1->DataQuelt->EngineDatabase().Execute(sql);
            QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
        });
    };
    ChooseComAccount(QStringLiteral("Home"));
    inWindow(QStringLiteral("update PTelcom set TelcomDesc = \"Land Line\" where TelcomCode = \"001\""));
    EXPECT_EQ(window->wwDbLupEditComAccount->Text(), QStringLiteral("Land Line"));
    EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Land Line"));
    EXPECT_EQ(Column(adm1->TblTranTel1, "TelcomCode"), QStringList{"001"});

    ChooseComAccount(QStringLiteral("Mobile"));
    inWindow(QStringLiteral("delete from PTelcom where TelcomCode = \"002\""));
    EXPECT_EQ(window->wwDbLupEditComAccount->Text(), QString());
    EXPECT_EQ(Status(1), QStringLiteral("Choose Communication Account"));
    EXPECT_FALSE(adm1->TblTranTel1->Active());
    ASSERT_TRUE(presenter.errors.empty()) << presenter.errors.front().toStdString();
}

} // namespace

// The account picker's list shows every account of a short list at once, and
// opens only for keys typed into the picker.
TEST_F(TransactionPagesTest, TheAccountPickersListShowsEveryAccount)
{
    ShowWindow();
    TwwDBLookupCombo* picker = window->wwDbLupEditBankAccount;
    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(picker->IsDroppedDown());
    TwwPopupGrid& list = *picker->Grid();
    QApplication::processEvents();
    // Both accounts in sight, whether or not the columns need a horizontal scroll bar.
    EXPECT_EQ(list.VisibleRowCount(), 2);
    QTest::keyClick(picker, Qt::Key_Escape);

    // A menu's accelerator typed with an account chosen: its key's release
    // reaches the picker, which neither searches nor opens its list.
    ChooseBankAccount(QStringLiteral("Hou"));
    picker->setFocus();
    QTest::keyRelease(picker, Qt::Key_L);
    EXPECT_FALSE(picker->IsDroppedDown());
    EXPECT_EQ(picker->Text(), QStringLiteral("Household"));
}
