#include "data/adm3.h"
#include "data/header_rules.h"
#include "platform/rtl/format_settings.h"
#include "tests/data/rules_fixture.h"

namespace {

const QString Approved = "Approved Loans Cannot be Modified\r";

class HeaderRules : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        adm3 = std::make_unique<TADm3>(nullptr);   // its statement query writes the totals
        adm1->CurrentCloseDate = At(2026, 1, 31);
    }
    void TearDown() override {
        adm3.reset();
        RulesTest::TearDown();
    }
    TwwTable* Loan(bool approved = false) {
        Put("TrnLon1a", {{"LoanCode", "0000000001"}, {"LoanDetails", "Car"}, {"LoanType", "B"},
                         {"StartDate", Day(2026, 2, 1)}, {"FinishDate", Day(2026, 12, 1)}, {"LoanAmount", 900.0},
                         {"TotalPaybackAmount", 77.0}, {"Approved", approved}});
        adm1->TblTrnLoan1A->Open();
        adm1->TblTrnLoan1B->Open();
        return adm1->TblTrnLoan1A;
    }
    void AddLine(QDate date, double amount) {
        TwwTable* lines = adm1->TblTrnLoan1B;
        lines->Append();
        Set(lines, "TransactionDate", date);
        Set(lines, "PaybackAmount", amount);
        lines->Post();
    }
    double Total() { return Read("select TotalPaybackAmount from TrnLon1a").toDouble(); }

    std::unique_ptr<TADm3> adm3;
};

TEST_F(HeaderRules, HeaderChecksRunInOrder) {
    TwwTable* loan = adm1->TblTrnLoan1A;
    loan->Open();
    loan->Append();
    EXPECT_THROW(loan->Post(), EAbort);
    Set(loan, "LoanDetails", "Car");
    EXPECT_THROW(loan->Post(), EAbort);            // finish date equal to start date
    Set(loan, "FinishDate", Day(2026, 12, 1));
    EXPECT_THROW(loan->Post(), EAbort);
    Set(loan, "LoanAmount", -500.0);
    Set(loan, "StartDate", Day(2026, 1, 31));
    EXPECT_THROW(loan->Post(), EAbort);
    EXPECT_EQ(Shown(), (QStringList{"Loan Details has to be entered\r",
                                    "Loan Finish Date has to be Greater than Loan Start Date\r",
                                    "Loan Amount has to be entered\r",
                                    "Sorry, Only dates falling after 31, Jan, 2026  will be accepted.\r"}));
    EXPECT_EQ(Count("TrnLon1a"), 0);
    Set(loan, "StartDate", Day(2026, 2, 1));
    loan->Post();                                   // a negative amount is accepted
    EXPECT_EQ(Count("TrnLon1a"), 1);
}

TEST_F(HeaderRules, ApprovedHeadersAreFrozenEvenWithoutLines) {
    TwwTable* loan = Loan(true);
    EXPECT_THROW(loan->Edit(), EAbort);
    EXPECT_THROW(loan->Delete(), EAbort);
    EXPECT_EQ(Shown(), (QStringList{Approved, Approved}));
    EXPECT_EQ(loan->State(), dsBrowse);
}

TEST_F(HeaderRules, HeaderDeleteWaitsForItsLinesAndTransfers) {
    TwwTable* loan = Loan();
    AddLine(Day(2026, 3, 1), 100);
    EXPECT_THROW(loan->Delete(), EAbort);
    Db().Execute("delete from TrnLon1b");
    Put("TrnBnk1a", {{"BankAccountCode", "0000000001"}, {"BankTranSerialNum", "0000000001"},
                     {"LoanCode", "0000000001"}});
    EXPECT_THROW(loan->Delete(), EAbort);
    Db().Execute("delete from TrnBnk1a");
    presenter.Answer(mrNo);
    EXPECT_THROW(loan->Delete(), EAbort);
    EXPECT_EQ(Count("TrnLon1a"), 1);
    loan->Delete();
    EXPECT_EQ(Count("TrnLon1a"), 0);
    EXPECT_EQ(Shown(), (QStringList{"Cannot be deleted because details exists",
                                    "Cannot be deleted since it Appears in Bank Transactions",
                                    "Delete Loan \"Car\", Are You Sure ?", "Delete Loan \"Car\", Are You Sure ?"}));
}

TEST_F(HeaderRules, TotalFollowsEveryPostAndDeleteOfALine) {
    Loan();
    ClearDataUpdated();
    AddLine(Day(2026, 3, 1), 100.25);
    AddLine(Day(2026, 4, 1), 50);
    EXPECT_DOUBLE_EQ(Total(), 150.25);
    EXPECT_TRUE(DataUpdated());
    EXPECT_DOUBLE_EQ(adm1->TblTrnLoan1A->FieldByName("TotalPaybackAmount")->AsFloat(), 150.25);
    ClearDataUpdated();
    adm1->TblTrnLoan1B->Last();
    adm1->TblTrnLoan1B->Delete();
    EXPECT_DOUBLE_EQ(Total(), 100.25);
    EXPECT_TRUE(DataUpdated());
    adm1->TblTrnLoan1B->Edit();
    Set(adm1->TblTrnLoan1B, "PaybackAmount", 0.0);
    adm1->TblTrnLoan1B->Post();
    EXPECT_DOUBLE_EQ(Total(), 0);                 // all lines 0: the total is 0, not the old sum
    adm1->TblTrnLoan1B->Delete();
    EXPECT_DOUBLE_EQ(Total(), 0);
}

TEST_F(HeaderRules, AHeaderBeingEditedKeepsTheNewTotal) {
    TwwTable* loan = Loan();
    loan->Edit();
    Set(loan, "LoanDetails", QStringLiteral("Van"));
    AddLine(Day(2026, 3, 1), 100);
    EXPECT_EQ(loan->State(), dsEdit);             // the user's edit is not posted behind their back
    EXPECT_DOUBLE_EQ(Total(), 100);
    loan->Post();
    EXPECT_DOUBLE_EQ(Total(), 100);
    EXPECT_EQ(Read("select LoanDetails from TrnLon1a").toString(), QStringLiteral("Van"));
}

TEST_F(HeaderRules, TotalIsWrittenWhateverTheDecimalSeparator) {
    ScopedFormatSettings comma(ScopedFormatSettings::DayMonthYear('/', ','));
    Loan();
    AddLine(Day(2026, 3, 1), 12.5);
    EXPECT_DOUBLE_EQ(Total(), 12.5);
}

TEST_F(HeaderRules, LinesOfTheClosedPeriodAreFrozen) {
    Loan();
    AddLine(Day(2026, 2, 10), 12.5);
    adm1->CurrentCloseDate = At(2026, 2, 10);
    EXPECT_THROW(adm1->TblTrnLoan1B->Edit(), EAbort);
    EXPECT_THROW(adm1->TblTrnLoan1B->Delete(), EAbort);
    adm1->CurrentCloseDate = At(2026, 2, 9);
    presenter.Answer(mrNo);
    EXPECT_THROW(adm1->TblTrnLoan1B->Delete(), EAbort);
    EXPECT_EQ(Shown(), (QStringList{"Editing of this Record is not allowed since it has been posted\r",
                                    "Editing of this Record is not allowed since it has been posted\r",
                                    "Delete Re-payment Of Amount \"12.5\" On Date \"02/10/2026\""}));
    EXPECT_EQ(Count("TrnLon1b"), 1);
}

TEST_F(HeaderRules, RecurringHeadersUseTheirOwnTexts) {
    TwwTable* recur = adm1->TblTrnRec1A;
    recur->Open();
    recur->Append();
    Set(recur, "RecurDetails", "Salary");
    Set(recur, "FinishDate", Day(2026, 12, 1));
    EXPECT_THROW(recur->Post(), EAbort);
    EXPECT_EQ(Shown(), QStringList{"Recurring Amount has to be entered\r"});
}

}  // namespace
