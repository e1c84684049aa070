// The multiple-entry dialog through the real window: a header, its account
// lines and dated amounts typed in, the approval and its checks, and the
// transfer of every open amount to every line, all or nothing.
#include "tests/app/entry_dialog_fixture.h"
#include "tests/app/dialog_clicks.h"
#include "app/double_entry_form.h"
#include "app/grid_colours.h"
#include "dataset/ww_data_source.h"
#include "platform/ui/containers.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/screen.h"
#include "platform/ui/standard_controls.h"
#include "tests/support/real_boxes.h"

namespace {

class DoubleEntryTest : public ShownEntryDialogTest<TFrmDoubleEntry> {
protected:
    TwwTable* Header() { return adm3->TblDbl1a; }
    TwwTable* Lines() { return adm3->TblDbl1b; }
    TwwTable* Amounts() { return adm3->TblDbl1c; }

    // A line of the type and side chosen on the radio groups, with its codes.
    void AddLine(int type, int side, std::initializer_list<std::pair<const char*, const char*>> codes)
    {
        DBNavigatorClick(dialog->DBNavigator6, nbInsert);
        ClickRadio(dialog->DBRadioGroup1, type);
        ClickRadio(dialog->DBRadioGroup2, side);
        for (const auto& [field, code] : codes)
            Lines()->FieldByName(QString::fromLatin1(field))->SetAsString(QString::fromLatin1(code));
        DBNavigatorClick(dialog->DBNavigator6, nbPost);
    }

    void AddAmount(const QString& date, const QString& amount)
    {
        DBNavigatorClick(dialog->DBNavigator4, nbInsert);
        TypeCell(dialog->wwDBGrid2, 2, date);
        TypeCell(dialog->wwDBGrid2, 3, amount);
        DBNavigatorClick(dialog->DBNavigator4, nbPost);
    }

    // A header with one saved line: an income debit on "Wages".
    void SavedIncomeLine()
    {
        TEngineDatabase& db = adm1->DataQuelt->EngineDatabase();
        Put(db, "TrnDbl1a", {{"DoubleCode", "0000000001"}, {"DoubleDetails", "Rent split"}, {"Approved", false}});
        Put(db, "TrnDbl1b", {{"DoubleCode", "0000000001"}, {"DoubleAccountNum", 1}, {"DoubleType", "I"},
                             {"DebitCredit", "D"}, {"IncomeCode", "00001"}});
        for (TwwTable* table : {Header(), Lines(), Amounts()})
            table->Refresh();
        QApplication::processEvents();
    }

    void ClickFirstLine() { ClickGridCell(dialog->wwDBGrid3, 1, 1); }

    QStringList StoredLines()
    {
        return Rows(QStringLiteral("select DoubleAccountNum, DoubleType, DebitCredit, BankAccountCode, IncomeCode "
                                   "from TrnDbl1b order by DoubleAccountNum"));
    }

    // Insert in the line list, then the new line's own controls: bank, credit,
    // the "Savings" account, and Post.
    void InsertBankCreditLineFromTheList()
    {
        SavedIncomeLine();
        ClickFirstLine();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
        ASSERT_EQ(Lines()->State(), dsInsert);
        ClickRadio(dialog->DBRadioGroup1, 0);
        ClickRadio(dialog->DBRadioGroup2, 1);
        ChooseInCombo(dialog->DbLupBankAccount, QStringLiteral("Sav"));
        EXPECT_EQ(Lines()->State(), dsInsert);
        DBNavigatorClick(dialog->DBNavigator6, nbPost);
        EXPECT_EQ(Lines()->State(), dsBrowse);
        EXPECT_EQ(StoredLines(), (QStringList{"1|I|D||00001", "2|B|C|0000000002|"}));
        EXPECT_TRUE(presenter.errors.empty());
    }

    // The rows a multiple entry wrote, table by table.
    QStringList Transferred()
    {
        return Rows(QStringLiteral(
                   "select BankAccountCode, BankTranSerialNum, TransactionDate, DebitAmount, CreditAmount, External "
                   "from TrnBnk1a where DoubleCode is not null order by BankAccountCode, BankTranSerialNum")) +
               Rows(QStringLiteral("select ExpenseCode, ExpenseTranSerialNum, TransactionDate, ExpenseAmount, "
                                   "External from TrnExp1a where DoubleCode is not null order by ExpenseTranSerialNum")) +
               Rows(QStringLiteral("select count(*) from TrnInc1a where DoubleCode is not null")) +
               Rows(QStringLiteral("select count(*) from TrnTel1a where DoubleCode is not null"));
    }
};

TEST_F(DoubleEntryTest, ASetPostsEachOpenAmountToEveryLineOnceApproved)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Multiple Entry Transactions"));
    EXPECT_EQ(dialog->PageControl1->ActivePage(), dialog->TabRecurDetails);

    // The header is typed in the list.
    DBNavigatorClick(dialog->DBNavigator2, nbInsert);
    TypeCell(dialog->wwDBGrid1, 1, QStringLiteral("Rent split"));
    DBNavigatorClick(dialog->DBNavigator2, nbPost);
    ASSERT_EQ(Header()->State(), dsBrowse) << presenter.LastText().toStdString();
    EXPECT_EQ(Header()->FieldByName(QStringLiteral("DoubleCode"))->AsString(), QStringLiteral("0000000001"));

    // A bank debit and an expense credit; the account controls follow the type.
    AddLine(0, 0, {{"BankAccountCode", "0000000001"}, {"BankItemCode", "002"}});
    EXPECT_TRUE(dialog->DbLupBankAccount->isVisibleTo(dialog.get()));
    EXPECT_EQ(dialog->LblBankItem->Caption(), QStringLiteral("Bank Item"));
    DBNavigatorClick(dialog->DBNavigator6, nbInsert);
    ClickRadio(dialog->DBRadioGroup1, 3);
    ClickRadio(dialog->DBRadioGroup2, 1);
    EXPECT_EQ(dialog->LblMain->Caption(), QStringLiteral("Expense"));
    EXPECT_TRUE(dialog->DbLupExpenseAccount->isVisibleTo(dialog.get()));
    EXPECT_FALSE(dialog->DbLupBankAccount->isVisibleTo(dialog.get()));
    EXPECT_FALSE(dialog->LblBankItem->isVisibleTo(dialog.get()));
    DBNavigatorClick(dialog->DBNavigator6, nbPost);
    EXPECT_EQ(Rows(QStringLiteral("select DoubleAccountNum, DoubleType, DebitCredit from TrnDbl1b")),
              (QStringList{"1|B|D", "2|E|C"}));

    // A line without its account stops the approval on that line.
    Click(dialog->BtnApprove);
    EXPECT_EQ(presenter.LastText(),
              QStringLiteral("Account Number : 2\rExpense Item not Specified, Please Enter the details"));
    EXPECT_EQ(Lines()->FieldByName(QStringLiteral("DoubleAccountNum"))->AsInteger(), 2);
    EXPECT_FALSE(Header()->FieldByName(QStringLiteral("Approved"))->AsBoolean());
    Lines()->Edit();
    Lines()->FieldByName(QStringLiteral("ExpenseCode"))->SetAsString(QStringLiteral("00001"));
    Lines()->Post();

    // Two open amounts typed in; one of the closed period and a row an earlier
    // run wrote in it stay as they are.
    ClickTab(dialog->PageControl1, 1);
    EXPECT_EQ(dialog->PageControl1->ActivePage(), dialog->TabRecurPayment);
    EXPECT_FALSE(dialog->DBNavigator2->isEnabled());
    AddAmount(QStringLiteral("02202026"), QStringLiteral("50"));
    AddAmount(QStringLiteral("03202026"), QStringLiteral("50"));
    ASSERT_EQ(Amounts()->RecordCount(), 2) << presenter.LastText().toStdString();
    TEngineDatabase& db = adm1->DataQuelt->EngineDatabase();
    Put(db, "TrnDbl1c", {{"DoubleCode", "0000000001"}, {"DoubleSerialNum", 3}, {"TransactionDate", QDate(2026, 1, 10)},
                         {"Amount", 70.0}});
    Put(db, "TrnExp1a", {{"ExpenseCode", "00001"}, {"ExpenseTranSerialNum", "0000000002"},
                         {"TransactionDate", QDate(2026, 1, 10)}, {"ExpenseAmount", 70.0}, {"External", true},
                         {"DoubleCode", "0000000001"}});
    Amounts()->Refresh();

    // Open amounts in the entry's colour, the closed one in the posted colour.
    Amounts()->Last();
    const QImage grid = GrabGrid(dialog->wwDBGrid2);
    EXPECT_EQ(CellColour(grid, dialog->wwDBGrid2, 2, 1), ToQColor(GridColorDouble));
    EXPECT_EQ(CellColour(grid, dialog->wwDBGrid2, 2, 3), ToQColor(GridColorPosted));

    Click(dialog->BtnTransfer);
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Sorry, Only Approved Multiple Items can be Tranfered ?"));
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from TrnBnk1a where DoubleCode is not null")), QStringList{"0"});

    presenter.Answer(mrYes);
    presenter.Answer(mrYes);
    Click(dialog->BtnApprove);
    ASSERT_TRUE(Header()->FieldByName(QStringLiteral("Approved"))->AsBoolean());
    EXPECT_TRUE(presenter.LastText().startsWith(QStringLiteral("*FINAL WARNING*, Approve This Multiple Entry")));
    EXPECT_FALSE(dialog->BtnApprove->isEnabled());
    EXPECT_FALSE(dialog->DBNavigator6->isEnabled());

    // The bank rows are numbered within their own account, whichever account
    // the bank page stands on.
    adm1->TblBankAccounts->Last();
    Amounts()->First();
    Click(dialog->BtnTransfer);
    const QStringList expected{
        "0000000001|0000000005|2026-02-20|50|0|true", "0000000001|0000000006|2026-03-20|50|0|true",
        "00001|0000000002|2026-01-10|70|true", "00001|0000000003|2026-02-20|50|true",
        "00001|0000000004|2026-03-20|50|true", "0", "0"};
    EXPECT_EQ(Transferred(), expected) << presenter.LastText().toStdString();
    EXPECT_TRUE(presenter.errors.empty());
    EXPECT_EQ(Amounts()->FieldByName(QStringLiteral("DoubleSerialNum"))->AsInteger(), 1);
    EXPECT_EQ(Screen->Cursor(), crDefault);

    // A second run replaces the open rows instead of adding to them.
    Click(dialog->BtnTransfer);
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from TrnBnk1a where DoubleCode = \"0000000001\"")),
              QStringList{"2"});
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from TrnExp1a where DoubleCode = \"0000000001\"")),
              QStringList{"3"});
    Grab(*dialog, QStringLiteral("double_entry_amounts"));
    ClickTab(dialog->PageControl1, 0);
    Grab(*dialog, QStringLiteral("double_entry_accounts"));
}

TEST_F(DoubleEntryTest, AFailureHalfWayLeavesEveryTableAsItWas)
{
    TEngineDatabase& db = adm1->DataQuelt->EngineDatabase();
    Put(db, "TrnDbl1a", {{"DoubleCode", "0000000001"}, {"DoubleDetails", "Insurance"}, {"Approved", true}});
    Put(db, "TrnDbl1b", {{"DoubleCode", "0000000001"}, {"DoubleAccountNum", 1}, {"DoubleType", "I"},
                         {"DebitCredit", "D"}, {"IncomeCode", "00001"}});
    Put(db, "TrnDbl1b", {{"DoubleCode", "0000000001"}, {"DoubleAccountNum", 2}, {"DoubleType", "C"},
                         {"DebitCredit", "C"}, {"TelcomCode", "001"}, {"TelItemCode", "001"}});
    for (int serial : {1, 2, 3})
        Put(db, "TrnDbl1c", {{"DoubleCode", "0000000001"}, {"DoubleSerialNum", serial},
                             {"TransactionDate", QDate(2026, 2, serial)}, {"Amount", 20.0 * serial}});
    // What an earlier run left: it must survive a failed one.
    Put(db, "TrnInc1a", {{"IncomeCode", "00001"}, {"IncomeTranSerialNum", "0000000003"},
                         {"TransactionDate", QDate(2026, 2, 1)}, {"IncomeAmount", -20.0}, {"External", true},
                         {"DoubleCode", "0000000001"}});
    Header()->Refresh();
    Lines()->Refresh();
    Amounts()->Refresh();
    dialog->UpdateApproveButtons();
    Amounts()->Last();

    const QString all = QStringLiteral(
        "select 'I', IncomeTranSerialNum, TransactionDate, IncomeAmount from TrnInc1a union all "
        "select 'C', TelComSerialNum, TransactionDate, Amount from TrnTel1a order by 1, 2");
    const QStringList before = Rows(all);

    // The communication table fails on its second row, after the income rows
    // and the first communication row were written.
    int posts = 0;
    const auto rule = adm1->TblTranTel1->BeforePost;
    adm1->TblTranTel1->BeforePost = [&](TDataSet& row) {
        rule(row);
        if (++posts == 2)
            throw EDatabaseError(QStringLiteral("Disk full"));
    };
    Click(dialog->BtnTransfer);
    adm1->TblTranTel1->BeforePost = rule;

    EXPECT_EQ(posts, 2);
    EXPECT_EQ(presenter.errors, std::vector<QString>{QStringLiteral("Disk full")});
    EXPECT_EQ(Rows(all), before);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_FALSE(presenter.hourglass);
    EXPECT_EQ(Amounts()->FieldByName(QStringLiteral("DoubleSerialNum"))->AsInteger(), 3);
    for (TwwTable* table : {adm1->TblTranIncome, adm1->TblTranTel1, adm1->TblConfig})
        EXPECT_EQ(table->State(), table->Active() ? dsBrowse : dsInactive);
    EXPECT_EQ(adm1->TblTranIncome->RecordCount(), 3);

    // Without the failure the same run writes three rows per line.
    Click(dialog->BtnTransfer);
    EXPECT_EQ(Rows(QStringLiteral("select IncomeAmount from TrnInc1a where DoubleCode is not null "
                                  "order by TransactionDate")),
              (QStringList{"-20", "-40", "-60"}));
    EXPECT_EQ(Rows(QStringLiteral("select TelcomCode, TelItemCode, Amount from TrnTel1a where External "
                                  "order by TransactionDate")),
              (QStringList{"001|001|20", "001|001|40", "001|001|60"}));
}

TEST_F(DoubleEntryTest, AutoEditReachesAllThreeTables)
{
    Click(dialog->CBoxBankTran);
    for (TDBNavigator* navigator : {dialog->DBNavigator2, dialog->DBNavigator4, dialog->DBNavigator6})
        EXPECT_FALSE(navigator->VisibleButtons().Contains(nbEdit)) << navigator->objectName().toStdString();
    for (TwwDataSource* source : {adm3->DsDbl1a, adm3->DsDbl1b, adm3->DsDbl1c})
        EXPECT_TRUE(source->AutoEdit());
    Click(dialog->CBoxBankTran);
    EXPECT_TRUE(dialog->DBNavigator6->VisibleButtons().Contains(nbEdit));
    EXPECT_FALSE(adm3->DsDbl1c->AutoEdit());
}

// A line inserted in the list is filled in through the radio buttons and
// combos beside it: the new line stays current for them, whether or not
// Auto Edit is on, and the saved line is left alone.
TEST_F(DoubleEntryTest, ALineInsertedInTheListIsTheOneItsControlsFillIn)
{
    InsertBankCreditLineFromTheList();
}

TEST_F(DoubleEntryTest, ALineInsertedInTheListIsTheOneItsControlsFillInWithAutoEdit)
{
    Click(dialog->CBoxBankTran);
    InsertBankCreditLineFromTheList();
}

// A fresh line given up: leaving the list for the other page, or for the
// header list, drops a line nobody filled in.
TEST_F(DoubleEntryTest, AnUntouchedNewLineIsGivenUpWhenTheUserGoesElsewhere)
{
    SavedIncomeLine();
    for (const auto& leave : std::initializer_list<std::function<void()>>{
             [&] { ClickTab(dialog->PageControl1, 1); },
             [&] { ClickGridCell(dialog->wwDBGrid1, 1, 1); }}) {
        ClickTab(dialog->PageControl1, 0);
        ClickFirstLine();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
        ASSERT_EQ(Lines()->State(), dsInsert);
        leave();
        EXPECT_EQ(Lines()->State(), dsBrowse);
        EXPECT_EQ(Lines()->RecordCount(), 1);
    }
    EXPECT_EQ(StoredLines(), QStringList{"1|I|D||00001"});
}

// A cell whose text its field refuses keeps the keyboard, with its one box:
// the click that tried to leave it for another header does nothing else, so
// the refusal is not met, and shown, a second time.
TEST_F(DoubleEntryTest, AClickAwayFromARefusedCellShowsOneBoxAndMovesNothing)
{
    TEngineDatabase& db = adm1->DataQuelt->EngineDatabase();
    for (const char* code : {"0000000001", "0000000002"})
        Put(db, "TrnDbl1a", {{"DoubleCode", code}, {"DoubleDetails", code}, {"Approved", false}});
    Header()->Refresh();
    Header()->First();
    ClickTab(dialog->PageControl1, 1);
    DBNavigatorClick(dialog->DBNavigator4, nbInsert);
    dialog->wwDBGrid2->setFocus();
    dialog->wwDBGrid2->SetCol(1);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("13082026"));

    ClickGridCell(dialog->wwDBGrid1, 1, 2);
    QApplication::processEvents();

    EXPECT_EQ(presenter.errors, std::vector<QString>{QStringLiteral(
                                    "13082026 is not a valid value for field 'S #'. The allowed range is -32768 to 32767")});
    EXPECT_EQ(Header()->FieldByName(QStringLiteral("DoubleCode"))->AsString(), QStringLiteral("0000000001"));
    EXPECT_EQ(Amounts()->State(), dsInsert);
    EXPECT_TRUE(dialog->wwDBGrid2->isAncestorOf(QApplication::focusWidget()));
    EXPECT_TRUE(Rows(QStringLiteral("select * from TrnDbl1c")).isEmpty());
}

// Closing over a changed header and a new amount gives both up: the amount
// first, so that the header's cancel does not make it post and refuse.
TEST_F(DoubleEntryTest, ClosingOverAChangedHeaderAndAmountGivesBothUpWithoutABox)
{
    Put(adm1->DataQuelt->EngineDatabase(), "TrnDbl1a",
        {{"DoubleCode", "0000000001"}, {"DoubleDetails", "Rent split"}, {"Approved", false}});
    Header()->Refresh();
    Header()->First();
    Header()->Edit();
    Header()->FieldByName(QStringLiteral("DoubleDetails"))->SetAsString(QStringLiteral("Rates split"));
    ClickTab(dialog->PageControl1, 1);
    DBNavigatorClick(dialog->DBNavigator4, nbInsert);
    TypeCell(dialog->wwDBGrid2, 3, QStringLiteral("50"));
    ASSERT_TRUE(Amounts()->Modified());

    Click(dialog->BitBtn1);

    EXPECT_TRUE(presenter.errors.empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Header()->State(), dsBrowse);
    EXPECT_EQ(Amounts()->State(), dsBrowse);
    EXPECT_EQ(Rows(QStringLiteral("select DoubleDetails from TrnDbl1a")), QStringList{"Rent split"});
    EXPECT_TRUE(Rows(QStringLiteral("select * from TrnDbl1c")).isEmpty());
}

// On a saved line a radio button is an edit of that line: without Auto Edit
// it takes no click until Edit is pressed; with it the change is the user's
// to post or cancel.
TEST_F(DoubleEntryTest, ASavedLineChangesOnlyByAnEditTheUserPosts)
{
    SavedIncomeLine();
    ClickFirstLine();
    ClickRadio(dialog->DBRadioGroup2, 1);
    EXPECT_EQ(Lines()->State(), dsBrowse);
    EXPECT_EQ(dialog->DBRadioGroup2->Value(), QStringLiteral("D"));

    Click(dialog->CBoxBankTran);
    ClickFirstLine();
    ClickRadio(dialog->DBRadioGroup2, 1);
    EXPECT_EQ(Lines()->State(), dsEdit);
    DBNavigatorClick(dialog->DBNavigator6, nbCancel);
    EXPECT_EQ(dialog->DBRadioGroup2->Value(), QStringLiteral("D"));
    EXPECT_EQ(StoredLines(), QStringList{"1|I|D||00001"});

    ClickFirstLine();
    ClickRadio(dialog->DBRadioGroup2, 1);
    DBNavigatorClick(dialog->DBNavigator6, nbPost);
    EXPECT_EQ(StoredLines(), QStringList{"1|I|C||00001"});
    EXPECT_TRUE(presenter.errors.empty());
}

// A line's account number is its key within the header: a line whose number
// the user cleared in the list is refused, from inside the grid, until a
// number is typed. A book that already holds lines without a number opens
// and shows them, and each is mended by typing its number.
TEST_F(DoubleEntryTest, ALineIsStoredOnlyWithItsAccountNumber)
{
    SavedIncomeLine();
    RealBoxes boxes;
    ClickFirstLine();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
    ASSERT_EQ(Lines()->State(), dsInsert);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    // Down from the last line posts it and would begin another.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
    QApplication::processEvents();

    EXPECT_EQ(boxes.LastText(), QStringLiteral("Account Number has to be entered\r"));
    EXPECT_EQ(boxes.BoxCount(), 1);
    EXPECT_EQ(Lines()->State(), dsInsert);
    EXPECT_EQ(StoredLines(), QStringList{"1|I|D||00001"});

    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2"));
    DBNavigatorClick(dialog->DBNavigator6, nbPost);
    EXPECT_EQ(StoredLines(), (QStringList{"1|I|D||00001", "2|B|D||"}));
    EXPECT_EQ(boxes.BoxCount(), 1);

    // Two lines stored without a number by an earlier run of the program.
    adm1->DataQuelt->EngineDatabase().Execute(QStringLiteral(
        "update TrnDbl1b set DoubleAccountNum = null where DoubleCode = \"0000000001\""));
    Lines()->Refresh();
    QApplication::processEvents();
    EXPECT_EQ(Lines()->RecordCount(), 2);
    Click(dialog->CBoxBankTran);
    ClickFirstLine();
    ClickRadio(dialog->DBRadioGroup2, 1);
    DBNavigatorClick(dialog->DBNavigator6, nbPost);
    EXPECT_EQ(boxes.BoxCount(), 2);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Account Number has to be entered\r"));
    for (const int line : {1, 2}) {
        ClickGridCell(dialog->wwDBGrid3, 1, line);
        QTest::keyClicks(QApplication::focusWidget(), QString::number(line + 2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        DBNavigatorClick(dialog->DBNavigator6, nbPost);
    }
    EXPECT_EQ(Rows(QStringLiteral("select DoubleAccountNum, DebitCredit from TrnDbl1b order by DoubleAccountNum")),
              (QStringList{"3|C", "4|D"}));
    EXPECT_EQ(boxes.BoxCount(), 2);
}

} // namespace
