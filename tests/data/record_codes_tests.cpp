#include "data/record_codes.h"
#include "tests/data/rules_fixture.h"

namespace {

class RecordCodes : public RulesTest {
protected:
    // Begins a new row and returns its code as text; the row is left in insert.
    QString NewCode(TwwTable* table, const char* field) {
        table->Open();
        table->Append();
        return Str(table, field);
    }
    void Account(const QString& code) { Put("BankAcnt", {{"BankAccountCode", code}, {"BankCode", code}}); }
    void BankRow(const QString& account, const QString& serial) {
        Put("TrnBnk1a", {{"BankAccountCode", account}, {"BankTranSerialNum", serial},
                         {"TransactionDate", Day(2026, 3, 1)}, {"BankItemCode", "001"}});
    }
    void ShowAccount(const QString& code) {
        adm1->TblBankAccounts->Refresh();
        ASSERT_TRUE(adm1->TblBankAccounts->Locate("BankAccountCode", code));
    }
};

TEST_F(RecordCodes, FirstCodeOfAnEmptyTableIsOneAtTheTablesWidth) {
    EXPECT_EQ(NewCode(adm1->TblBankItems, "BankItemCode"), "001");
    EXPECT_EQ(NewCode(adm1->TblExpense, "ExpenseCode"), "00001");
    EXPECT_EQ(NewCode(adm1->TblTranIncome, "IncomeTranSerialNum"), "0000000001");
    EXPECT_EQ(NewCode(adm1->TblBanks, "BankCode"), "1");
}

TEST_F(RecordCodes, BankSerialsCountWithinTheirOwnAccount) {
    Account("0000000001");
    Account("0000000002");
    for (const char* serial : {"0000000001", "0000000002", "0000000003"})
        BankRow("0000000001", serial);
    ShowAccount("0000000002");
    EXPECT_EQ(NewCode(adm1->TblTranBank1, "BankTranSerialNum"), "0000000001");
    EXPECT_EQ(Str(adm1->TblTranBank1, "BankAccountCode"), "0000000002");
    adm1->TblTranBank1->Cancel();
    ShowAccount("0000000001");
    EXPECT_EQ(NewCode(adm1->TblTranBank1, "BankTranSerialNum"), "0000000004");
}

TEST_F(RecordCodes, IncomeSerialsCountOverTheWholeTable) {
    Put("TrnInc1a", {{"IncomeCode", "00002"}, {"IncomeTranSerialNum", "0000000041"}});
    EXPECT_EQ(NewCode(adm1->TblTranIncome, "IncomeTranSerialNum"), "0000000042");
}

TEST_F(RecordCodes, BanksFollowTheLargestNumberNotTheLargestText) {
    for (int code = 1; code <= 10; ++code)
        Put("Pbanks", {{"BankCode", QString::number(code)}, {"BankDesc", QString("Bank %1").arg(code)}});
    EXPECT_EQ(NewCode(adm1->TblBanks, "BankCode"), "11");
}

TEST_F(RecordCodes, GapsStayButTheTopIsReused) {
    Put("TrnLon1a", {{"LoanCode", "0000000001"}, {"LoanDetails", "Car"}});
    for (int serial : {1, 2, 5})
        Put("TrnLon1b", {{"LoanCode", "0000000001"}, {"LoanTranSerialNum", serial}});
    adm1->TblTrnLoan1A->Open();
    EXPECT_EQ(NewCode(adm1->TblTrnLoan1B, "LoanTranSerialNum"), "6");
    adm1->TblTrnLoan1B->Cancel();
    Db().Execute("delete from TrnLon1b where LoanTranSerialNum = 5");
    adm1->TblTrnLoan1B->Refresh();
    EXPECT_EQ(NewCode(adm1->TblTrnLoan1B, "LoanTranSerialNum"), "3");
}

TEST_F(RecordCodes, ExhaustedCodeSpaceRefusesTheNewRow) {
    Put("BankItm", {{"BankItemCode", "999"}, {"BankItemDesc", "Last"}});
    adm1->TblBankItems->Refresh();
    EXPECT_THROW(adm1->TblBankItems->Append(), EAbort);
    EXPECT_EQ(adm1->TblBankItems->State(), dsBrowse);
    EXPECT_EQ(Shown(), QStringList{"No new row can be added: the last code, \"999\", is in use\r"});
    EXPECT_EQ(Count("BankItm"), 1);
}

TEST_F(RecordCodes, NewRowsStartWithTheirTablesValues) {
    NewCode(adm1->TblCard, "CardCode");
    EXPECT_EQ(Str(adm1->TblCard, "CardType"), "C");
    NewCode(adm1->TblTranExpense, "ExpenseTranSerialNum");
    EXPECT_EQ(adm1->TblTranExpense->FieldByName("TransactionDate")->AsDateTime(), Today());
    EXPECT_FALSE(adm1->TblTranExpense->FieldByName("ExpenseAmount")->IsNull());
    EXPECT_TRUE(adm1->TblTranExpense->FieldByName("External")->IsNull());
}

// A transfer begins its row in the account on screen and then names the
// account the row belongs to: the row is numbered within that account.
TEST_F(RecordCodes, ATransferredRowIsNumberedWithinItsOwnAccount) {
    Account("0000000001");
    Account("0000000002");
    BankRow("0000000001", "0000000001");
    for (const char* serial : {"0000000001", "0000000002", "0000000003"})
        BankRow("0000000002", serial);
    ShowAccount("0000000001");
    NewCode(adm1->TblTranBank1, "BankTranSerialNum");
    Set(adm1->TblTranBank1, "BankAccountCode", "0000000002");
    Set(adm1->TblTranBank1, "BankItemCode", "001");
    Set(adm1->TblTranBank1, "External", true);
    adm1->TblTranBank1->Post();
    EXPECT_EQ(Read("select max(BankTranSerialNum) from TrnBnk1a where BankAccountCode = ?", {"0000000002"}),
              "0000000004");
    EXPECT_EQ(Count("TrnBnk1a"), 5);
}

}  // namespace
