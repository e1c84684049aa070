#include "data/posted_period_guard.h"
#include "data/transaction_rules.h"
#include "tests/data/rules_fixture.h"

namespace {

const QString Posted = "Editing of this Record is not allowed since it has been posted\r";
const QString ExternalRow = "This Item has been Created by an External Routine, Cannot Modify\r";

class TransactionRules : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        adm1->CurrentCloseDate = At(2026, 3, 31);
        Put("PExpense", {{"ExpenseCode", "00001"}, {"ExpenseDescription", "Rent"}});
        Put("PTelcom", {{"TelcomCode", "001"}, {"TelcomDesc", "Phone"}});
        adm1->TblExpense->Refresh();
        adm1->TblTelCom->Refresh();
    }
    // One expense row, made current.
    TwwTable* Expense(QDate date, bool external = false) {
        Put("TrnExp1a", {{"ExpenseCode", "00001"}, {"ExpenseTranSerialNum", "0000000001"},
                         {"TransactionDate", date}, {"ExpenseAmount", 10.0}, {"External", external}});
        adm1->TblTranExpense->Refresh();
        adm1->TblTranExpense->First();
        return adm1->TblTranExpense;
    }
    TwwTable* Tel(QDate date, bool external) {
        Put("TrnTel1a", {{"TelcomCode", "001"}, {"TelComSerialNum", "0000000001"},
                         {"TransactionDate", date}, {"External", external}});
        adm1->TblTranTel1->Open();
        return adm1->TblTranTel1;
    }
};

TEST_F(TransactionRules, CloseDateMessageReadsAsTheUserSeesIt) {
    EXPECT_EQ(CloseDateMessage(At(1999, 12, 31)), "Sorry, Only dates falling after 31, Dec, 1999  will be accepted.");
    EXPECT_FALSE(IsAfterCloseDate(At(2026, 3, 31), At(2026, 3, 31)));
    EXPECT_TRUE(IsAfterCloseDate(At(2026, 4, 1), At(2026, 3, 31)));
    EXPECT_EQ(Shown(), QStringList{"Sorry, Only dates falling after 31, Mar, 2026  will be accepted.\r"});
}

// The box is English like every other text of the program: the month keeps
// its English short name under regional settings of another language.
TEST_F(TransactionRules, CloseDateMessageNamesTheMonthInEnglish) {
    TFormatSettings german = ScopedFormatSettings::DayMonthYear('.', ',');
    german.ShortMonthNames = {"Jan", "Feb", "M\u00e4r", "Apr", "Mai", "Jun",
                              "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    ScopedFormatSettings scoped(german);
    EXPECT_EQ(CloseDateMessage(At(1999, 12, 31)),
              QString("Sorry, Only dates falling after 31, Dec, 1999  will be accepted."));
    EXPECT_EQ(CloseDateMessage(At(2026, 3, 5)),
              QString("Sorry, Only dates falling after 05, Mar, 2026  will be accepted."));
}

TEST_F(TransactionRules, RowsOnTheCloseDateCanBeNeitherEditedNorDeleted) {
    TwwTable* table = Expense(Day(2026, 3, 31));
    EXPECT_THROW(table->Edit(), EAbort);
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_THROW(table->Delete(), EAbort);
    EXPECT_EQ(Shown(), (QStringList{Posted, Posted}));
    EXPECT_EQ(Count("TrnExp1a"), 1);
}

TEST_F(TransactionRules, GeneratedRowsAreLockedButNotInCommunication) {
    TwwTable* expense = Expense(Day(2026, 4, 1), true);
    EXPECT_THROW(expense->Edit(), EAbort);
    EXPECT_THROW(expense->Delete(), EAbort);
    EXPECT_EQ(Shown(), (QStringList{ExternalRow, ExternalRow}));

    TwwTable* tel = Tel(Day(2026, 4, 1), true);
    tel->Edit();
    EXPECT_EQ(tel->State(), dsEdit);
    tel->Cancel();
    Db().Execute("update TrnExp1a set TransactionDate = ?", {Day(2026, 1, 1)});
    expense->Refresh();
    EXPECT_THROW(expense->Edit(), EAbort);
    EXPECT_EQ(Shown(), QStringList{Posted});   // a posted generated row: the posted message only
}

TEST_F(TransactionRules, DeleteAsksAndMarksTheSummaries) {
    TwwTable* table = Expense(Day(2026, 4, 2));
    ClearDataUpdated();
    presenter.Answer(mrNo);
    EXPECT_THROW(table->Delete(), EAbort);
    EXPECT_EQ(Count("TrnExp1a"), 1);
    EXPECT_FALSE(DataUpdated());
    table->Delete();
    EXPECT_EQ(Count("TrnExp1a"), 0);
    EXPECT_TRUE(DataUpdated());
    EXPECT_EQ(Shown(), (QStringList{"Delete Item \"Rent\" For Date \"04/02/2026\"",
                                    "Delete Item \"Rent\" For Date \"04/02/2026\""}));
}

TEST_F(TransactionRules, PostNeedsItemAndOpenPeriodAndMarksTheSummaries) {
    ClearDataUpdated();
    TwwTable* table = adm1->TblTranExpense;
    table->Append();
    EXPECT_THROW(table->Post(), EAbort);
    Set(table, "ExpenseCode", "00001");
    EXPECT_THROW(table->Post(), EAbort);            // dated today, inside the closed period
    Set(table, "TransactionDate", QVariant());
    EXPECT_THROW(table->Post(), EAbort);
    EXPECT_EQ(Shown(), (QStringList{"Expense Description has to be entered\r",
                                    "Sorry, Only dates falling after 31, Mar, 2026  will be accepted.\r",
                                    "Transaction Date has to be entered\r"}));
    EXPECT_EQ(table->State(), dsInsert);
    EXPECT_EQ(Count("TrnExp1a"), 0);
    EXPECT_FALSE(DataUpdated());
    Set(table, "TransactionDate", Day(2026, 4, 1));
    table->Post();
    EXPECT_EQ(Count("TrnExp1a"), 1);
    EXPECT_TRUE(DataUpdated());
}

// The summaries are marked out of date by a row that is stored: a row the
// library refuses after BeforePost (here by its picture mask) marks nothing.
TEST_F(TransactionRules, APostRefusedByItsMaskLeavesTheSummariesMarkAlone) {
    ClearDataUpdated();
    TwwTable* table = adm1->TblTranExpense;
    table->PictureMasks()->Add("RecurCode\t###\tT\tT");
    table->Append();
    Set(table, "ExpenseCode", "00001");
    Set(table, "TransactionDate", Day(2026, 4, 1));
    Set(table, "RecurCode", "12");
    EXPECT_THROW(table->Post(), EDatabaseError);
    EXPECT_EQ(table->State(), dsInsert);
    EXPECT_EQ(Count("TrnExp1a"), 0);
    EXPECT_FALSE(DataUpdated());
    Set(table, "RecurCode", "123");
    table->Post();
    EXPECT_EQ(Count("TrnExp1a"), 1);
    EXPECT_TRUE(DataUpdated());
}

TEST_F(TransactionRules, DebitAndCreditClearEachOther) {
    Put("BankAcnt", {{"BankAccountCode", "0000000001"}});
    adm1->TblBankAccounts->Refresh();
    TwwTable* bank = adm1->TblTranBank1;
    bank->Open();
    bank->Append();
    Set(bank, "DebitAmount", 20.0);
    Set(bank, "CreditAmount", 50.0);
    EXPECT_EQ(bank->FieldByName("DebitAmount")->AsFloat(), 0.0);
    EXPECT_EQ(bank->FieldByName("CreditAmount")->AsFloat(), 50.0);
    Set(bank, "DebitAmount", -5.0);
    EXPECT_EQ(bank->FieldByName("CreditAmount")->AsFloat(), 50.0);
    bank->Cancel();
}

TEST_F(TransactionRules, FilterShowsTheOptionsDateRangeInclusive) {
    int serial = 0;
    for (QDate date : {Day(2026, 4, 1), Day(2026, 4, 10), Day(2026, 4, 20)})
        Put("TrnExp1a", {{"ExpenseCode", "00001"}, {"ExpenseTranSerialNum", QString::number(++serial)},
                         {"TransactionDate", date}});
    Set(adm1->TblOptions, "FromDate", Day(2026, 4, 1));
    Set(adm1->TblOptions, "ToDate", Day(2026, 4, 10));
    TwwTable* table = adm1->TblTranExpense;
    table->SetFiltered(true);
    table->Refresh();
    EXPECT_EQ(table->RecordCount(), 2);
    Set(adm1->TblOptions, "FromDate", Day(2026, 4, 11));
    table->Refresh();
    EXPECT_EQ(table->RecordCount(), 0);
}

}  // namespace
