// The reports with one row per month: the period overview with its running
// balance and total row, and the bank balances carried from month to month.
#include "tests/data/summaries_fixture.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"

namespace {

class PeriodReports : public SummariesTest {
protected:
    void Chart(int year, int month, double income, double expense, double communications, double bank) {
        Put("TeeData1", {{"PeriodYear", year}, {"PeriodMonth", month}, {"Income", income}, {"Expense", expense},
                         {"Communications", communications}, {"BankBalance", bank}, {"RunningBankBalance", 0.0},
                         {"CloseDate", Day(2025, 12, 31)}});
    }
    void Summary(const char* account, const char* item, int year, int month, double total) {
        Put("MthBnk1a", {{"BankAccountCode", account}, {"BankItemCode", item}, {"PeriodYear", year},
                         {"PeriodMonth", month}, {"TotalAmount", total}, {"CloseDate", Day(2025, 12, 31)}});
    }
    QStringList Overview() {
        return Rows("select PeriodYear, PeriodMonth, KeyField1, KeyField2, KeyField1Desc, Income, BankBalance, "
                    "Expense, Communications, Total1, Total2, Total3, Total4 from TempCom1 "
                    "order by PeriodYear, PeriodMonth");
    }
};

TEST_F(PeriodReports, OverviewPutsTheMonthsSideBySideWithTheirRunningBalance) {
    Chart(2025, 12, 1000, 200, 50, 300);
    Chart(2026, 1, 0, 0, 0, -100);    // a month with only bank movement
    Chart(2026, 3, 500, 120.5, 9.5, 250);

    adm3->BuildPeriodOverview();

    EXPECT_EQ(Overview(), QStringList({"2025|12|202522||Dec-2025|1000|300|200|50|250|300|300|",
                                       "2026|1|202611||Jan-2026|0|-100|0|0|0|200|-100|",
                                       "2026|3|202613||Mar-2026|500|250|120.5|9.5|130|450|250|",
                                       "9999|9999|999999999|999|GRAND TOTAL|1500|450|320.5|59.5|380|450|0|"}));
    EXPECT_EQ(adm1->LastPeriodIndex, 2);
    ASSERT_TRUE(adm3->TblProc->Active());
    EXPECT_EQ(adm3->TblProc->TableName(), "TempCom1");
    EXPECT_EQ(adm3->TblProc->IndexFieldNames(), "PeriodYear;PeriodMonth");
    EXPECT_EQ(presenter.progressMax, 15);
    EXPECT_EQ(presenter.progressPositions.back(), 15);   // left full
    EXPECT_FALSE(presenter.hourglass);
}

TEST_F(PeriodReports, FilteredOverviewStartsItsRunningBalanceAtTheFirstMonthShown) {
    Chart(2025, 11, 0, 0, 0, 1000);
    Chart(2025, 12, 0, 0, 0, 10);
    Chart(2026, 1, 0, 0, 0, 20);
    adm1->FilterActive = true;
    adm1->TblOptions->FieldByName("FromDate")->SetValue(Day(2025, 12, 1));
    adm1->TblOptions->FieldByName("ToDate")->SetValue(Day(2026, 1, 31));

    adm3->BuildPeriodOverview();

    EXPECT_EQ(Rows("select PeriodMonth, Total2, Total3 from TempCom1 order by PeriodYear, PeriodMonth"),
              QStringList({"12|10|10", "1|30|20", "9999|30|0"}));
    EXPECT_EQ(adm1->LastPeriodIndex, 1);
}

TEST_F(PeriodReports, EmptyOverviewHasOnlyItsTotalRow) {
    adm3->BuildPeriodOverview();
    EXPECT_EQ(Overview(), QStringList({"9999|9999|999999999|999|GRAND TOTAL|0|0|0|0|0|0|0|"}));
    EXPECT_EQ(adm1->LastPeriodIndex, -1);
}

TEST_F(PeriodReports, BankBalancesCarryForwardPerAccountWithNamesAsCaptions) {
    Put("BankAcnt", {{"BankAccountCode", "ACC1"}, {"AccountName", "Current"}});
    Put("BankAcnt", {{"BankAccountCode", "ACC2"}, {"AccountName", "Savings"}});
    Summary("ACC1", "I1", 2026, 1, 100);
    Summary("ACC1", "I2", 2026, 1, -30);
    Summary("ACC2", "I1", 2026, 2, 500);
    Summary("ACC1", "I1", 2026, 3, -70);   // back to 0
    Summary("ACC2", "I1", 2026, 5, 1);     // April has no movement: no row
    Summary("ZZZ", "I1", 2026, 5, 2);      // an account since removed

    adm1->FilterActive = true;             // the filter does not apply here
    adm1->TblOptions->FieldByName("FromDate")->SetValue(Day(2026, 5, 1));
    adm1->TblOptions->FieldByName("ToDate")->SetValue(Day(2026, 5, 31));
    adm3->BuildBankPeriodReport();

    EXPECT_EQ(Rows("select PeriodYear, PeriodMonth, KeyField1, KeyField1Desc, col0, col1, col2, Total1 "
                   "from TempBank1 order by PeriodYear, PeriodMonth"),
              QStringList({"2026|1|202611|Jan-2026|70|0|0|70", "2026|2|202612|Feb-2026|70|500|0|570",
                           "2026|3|202613|Mar-2026|0|500|0|500", "2026|5|202615|May-2026|0|501|2|503"}));
    EXPECT_EQ(adm1->BankColumnCaptions->ToQStringList(), QStringList({"Current", "Savings", "ZZZ"}));
    ASSERT_TRUE(adm3->TblProc->Active());
    EXPECT_EQ(adm3->TblProc->TableName(), "TempBank1");
    EXPECT_EQ(adm3->TblProc->RecordCount(), 4);
    // The second cursor on the bank accounts stays as it was: open.
    EXPECT_TRUE(adm3->CpyBankAcnt->Active());
}

}  // namespace
