#include "data/period_close.h"
#include "tests/data/period_close_fixture.h"

namespace {

class PeriodCloseTest : public PeriodCloseFixture {
protected:
    // Half a year of every kind of transaction, two accounts of each.
    void WriteBook() {
        for (int month = 1; month <= 6; ++month) {
            const QDate first = Day(2026, month, 1);
            Bank("AC1", "I1", first, 100.0 * month, 30.0);
            Bank("AC1", "I2", first.addDays(9), 5.0, 700.0 + month);
            Bank("AC2", "I1", first.addDays(20), 0.0, 12.5 * month);
            Tel("T1", "I1", first.addDays(2), 40.0 + month);
            Tel("T1", "I2", first.addDays(11), 7.25);
            Tel("T2", "I1", first.addDays(14), 19.0 * month);
            Income("T1", first.addDays(5), 1500.0 + month);
            Expense("T1", first.addDays(6), 220.0 * month);
            Expense("T2", first.addDays(25), 33.3);
        }
        Bank("AC1", "I1", Day(2025, 12, 15), 80.0, 0.0);
        Tel("T1", "I1", Day(2025, 12, 20), 55.0);
    }

    // The user's payments: each bill a different amount.
    void PayEveryBill() {
        int cents = 0;
        for (const QString& bill : Rows("select TelcomCode, PeriodYear, PeriodMonth from MthTel2a")) {
            const QStringList key = bill.split('|');
            Db().Execute("Update MthTel2a set PaidAmount = ? where TelcomCode = ? and PeriodYear = ? and PeriodMonth = ?",
                         {++cents * 3.5, key[0], key[1].toInt(), key[2].toInt()});
        }
    }

    // Every figure the reports and the chart read, without the stamps.
    QStringList Totals() {
        return Cents("select BankAccountCode, BankItemCode, PeriodYear, PeriodMonth, DebitAmount, CreditAmount, "
                     "TotalAmount from MthBnk1a order by BankAccountCode, BankItemCode, PeriodYear, PeriodMonth") +
               Cents("select TelcomCode, TelItemCode, PeriodYear, PeriodMonth, TotalAmount from MthTel1a "
                     "order by TelcomCode, TelItemCode, PeriodYear, PeriodMonth") +
               Cents("select IncomeCode, PeriodYear, PeriodMonth, TotalAmount from MthInc1a "
                     "order by IncomeCode, PeriodYear, PeriodMonth") +
               Cents("select ExpenseCode, PeriodYear, PeriodMonth, TotalAmount from MthExp1a "
                     "order by ExpenseCode, PeriodYear, PeriodMonth") +
               Bills() +
               Cents("select PeriodYear, PeriodMonth, Income, Expense, Communications, BankBalance, "
                     "RunningBankBalance from TeeData1 order by PeriodYear, PeriodMonth");
    }
    QStringList Bills() {
        return Cents("select TelcomCode, PeriodYear, PeriodMonth, TotalAmount, PaidAmount, OldFlag from MthTel2a "
                     "order by TelcomCode, PeriodYear, PeriodMonth");
    }
    // Every row of the month tables and the configuration, stamps included.
    QStringList Everything() {
        QStringList rows;
        for (const char* table : {"MthBnk1a", "MthTel1a", "MthInc1a", "MthExp1a", "MthTel2a", "TeeData1", "PConfig1"})
            rows += Rows(QStringLiteral("select * from ") + table);
        return rows;
    }
    QStringList Stamps(const char* table) {
        return Rows(QStringLiteral("select distinct PeriodYear, PeriodMonth, CloseDate from ") + table +
                    " order by PeriodYear, PeriodMonth");
    }
};

}  // namespace

TEST_F(PeriodCloseTest, ClausesWriteSlashesWhateverTheRegionalSeparator) {
    const ScopedFormatSettings dotted(ScopedFormatSettings::DayMonthYear(QLatin1Char('.')));
    EXPECT_EQ(OpenPeriodSourceFilter(At(2025, 12, 31)), "where TransactionDate > \"12/31/2025\"");
    EXPECT_EQ(OpenPeriodTargetFilter(At(2025, 12, 31)), "where Closedate = \"12/31/2025\"");
    EXPECT_EQ(ClosedRangeSourceFilter(At(2025, 12, 31), At(2026, 2, 28)),
              "where TransactionDate > \"12/31/2025\"  and TransactionDate <= \"02/28/2026\"");
    EXPECT_EQ(ClosedMonthsTargetFilter(At(2025, 12, 31), At(2026, 2, 28)),
              "where (PeriodYear > 2026 or (PeriodYear = 2026 and PeriodMonth >= 1)) and "
              "(PeriodYear < 2026 or (PeriodYear = 2026 and PeriodMonth <= 2))");
}

// Two closes and two rebuilds of the open period come to what one rebuild of
// everything gives, and no payment is lost on the way.
TEST_F(PeriodCloseTest, ClosedTwiceAndRebuiltTwiceEqualsAFullRebuild) {
    const ScopedFormatSettings dashed(ScopedFormatSettings::DayMonthYear(QLatin1Char('-')));
    WriteBook();
    CloseAt(2025, 11, 30);
    RebuildOpenPeriod();
    PayEveryBill();
    const QStringList paid = Bills();
    ASSERT_EQ(paid.size(), 13);

    ClosePeriod(At(2026, 2, 28));
    EXPECT_EQ(adm1->CurrentCloseDate, At(2026, 2, 28));
    EXPECT_EQ(Read("select CloseDate from PConfig1").toDate(), Day(2026, 2, 28));
    EXPECT_EQ(Bills(), paid);
    // A late entry of an open month, then the next close.
    Income("T2", Day(2026, 3, 30), 64.0);
    adm1->SetDataUpdated(true);
    ClosePeriod(At(2026, 4, 30));
    EXPECT_TRUE(DataUpdated());
    RebuildOpenPeriod();
    RebuildOpenPeriod();

    // The closed months keep the stamp of the close date they were closed
    // from; the open months carry the close date in force.
    EXPECT_EQ(Stamps("MthTel2a"), QStringList({"2025|12|2025-11-30", "2026|1|2025-11-30", "2026|2|2025-11-30",
                                               "2026|3|2026-02-28", "2026|4|2026-02-28", "2026|5|2026-04-30",
                                               "2026|6|2026-04-30"}));
    EXPECT_EQ(Stamps("TeeData1"), Stamps("MthTel2a"));
    EXPECT_EQ(Stamps("MthInc1a"), QStringList({"2026|1|2025-11-30", "2026|2|2025-11-30", "2026|3|2026-02-28",
                                               "2026|4|2026-02-28", "2026|5|2026-04-30", "2026|6|2026-04-30"}));

    const QStringList afterCloses = Totals();
    EXPECT_TRUE(afterCloses.contains("T2|2026|3|64.00"));
    adm3->RebuildSummaries(QString(), QString());
    EXPECT_EQ(afterCloses, Totals());
    EXPECT_EQ(Bills(), paid);
}

TEST_F(PeriodCloseTest, TheMarkStaysOnlyWhereSomethingIsLeftToRebuild) {
    WriteBook();
    RebuildOpenPeriod();
    ClearDataUpdated();
    // A preference being typed while the period closes is kept, and cannot
    // bring the old close date back.
    adm1->TblConfig->Edit();
    Set(adm1->TblConfig, "GridSize1", 14);
    ClosePeriod(At(2026, 1, 31));
    EXPECT_FALSE(DataUpdated()) << "the open rows were current and still are";
    adm1->SetDataUpdated(false);
    EXPECT_EQ(Rows("select GridSize1, CloseDate from PConfig1"), QStringList({"14|2026-01-31"}));

    adm1->SetDataUpdated(true);
    ClosePeriod(At(2026, 3, 31));
    EXPECT_TRUE(DataUpdated()) << "April to June may be stale";

    ClosePeriod(At(2026, 6, 30));
    EXPECT_FALSE(DataUpdated()) << "every month is closed and rebuilt";
    EXPECT_EQ(Read("select count(*) from TeeData1 where CloseDate = ?", {Day(2026, 6, 30)}).toInt(), 0);
}

TEST_F(PeriodCloseTest, AFailureAnywhereInTheCloseChangesNothing) {
    WriteBook();
    RebuildOpenPeriod();
    PayEveryBill();
    adm1->SetDataUpdated(true);
    Expense("T3", Day(2026, 2, 3), 9.0);   // not yet in the summaries
    adm3->TblChart1->Open();
    const int chartRows = adm3->TblChart1->RecordCount();
    const QStringList before = Everything();

    for (const int step : {2, 5}) {
        FailingPresenter failing(step);
        EXPECT_THROW(ClosePeriod(At(2026, 3, 31)), EDatabaseError) << step;
        EXPECT_FALSE(failing.hourglass) << step;
        EXPECT_EQ(Everything(), before) << step;
        EXPECT_EQ(adm1->CurrentCloseDate, At(2025, 12, 31));
        EXPECT_EQ(adm3->TblChart1->RecordCount(), chartRows);
    }
    // The configuration row in memory holds the old close date: the next
    // post through it cannot store the new one.
    adm1->SetDataUpdated(false);
    EXPECT_EQ(Read("select CloseDate from PConfig1").toDate(), Day(1900, 1, 1));
}
