// The month-by-month report tables: their columns and captions for the
// filter's months, one row per code or pair of codes with its total, the
// grand total, an empty source, and builds that fail without a trace.
#include "tests/data/summaries_fixture.h"
#include "data/report_tables.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include <map>

namespace {

class CrossTab : public SummariesTest {
protected:
    void SetUp() override {
        SummariesTest::SetUp();
        Put("BankAcnt", {{"BankAccountCode", "ACC1"}, {"AccountName", "Current"}});
        Put("BankAcnt", {{"BankAccountCode", "ACC2"}, {"AccountName", "Savings"}});
        Put("BankItm", {{"BankItemCode", "I1"}, {"BankItemDesc", "Salary"}});
        Put("BankItm", {{"BankItemCode", "I2"}, {"BankItemDesc", "Rent"}});
    }

    void Summary(const char* account, const char* item, int year, int month, double total) {
        Put("MthBnk1a", {{"BankAccountCode", account}, {"BankItemCode", item}, {"PeriodYear", year},
                         {"PeriodMonth", month}, {"DebitAmount", 0.0}, {"CreditAmount", total},
                         {"TotalAmount", total}, {"CloseDate", Day(2025, 12, 31)}});
    }
    void FilterFrom(QDate from, QDate to) {
        adm1->FilterActive = true;
        adm1->TblOptions->FieldByName("FromDate")->SetValue(from);
        adm1->TblOptions->FieldByName("ToDate")->SetValue(to);
    }
    void BankReport(int mode, const char* key1 = "BankAccountCode", const char* key2 = "BankItemCode", int kind1 = 1,
                    int kind2 = 2) {
        adm3->BuildCrossTab(mode, "MTHBNK1A", "TempBnk1", key1, key2, "TotalAmount", kind1, kind2);
    }
    QStringList Report(const QString& columns) {
        return Rows("select " + columns + " from TempBnk1 order by KeyField1, KeyField2");
    }
    QStringList Indexes(const QString& table) {
        QStringList names;
        for (const TIndexDesc& index : Db().DescribeTable(table).Indexes)
            if (!index.Primary) names << index.Name;
        names.sort();
        return names;
    }
};

TEST_F(CrossTab, TheFilterChoosesTheMonthsPresentInItsRange) {
    for (int month : {10, 11, 12})
        Summary("ACC1", "I1", 2025, month, month);
    Summary("ACC1", "I1", 2026, 1, 100);
    Summary("ACC1", "I1", 2026, 2, 200);
    Summary("ACC1", "I1", 2026, 3, 300);
    FilterFrom(Day(2025, 11, 15), Day(2026, 2, 10));

    BankReport(2);

    EXPECT_EQ(adm1->ColumnCaptions->ToQStringList(), QStringList({"Nov-2025", "Dec-2025", "Jan-2026", "Feb-2026"}));
    EXPECT_EQ(adm1->PeriodKeys->ToQStringList(), QStringList({"202511", "202512", "20261", "20262"}));
    EXPECT_EQ(adm1->LastPeriodIndex, 3);
    EXPECT_EQ(adm1->CrossTabMode, 2);
    EXPECT_EQ(Report("KeyField1, KeyField2, col0, col1, col2, col3, Total1"),
              QStringList({"999999999|999|11|12|100|200|323", "ACC1|I1|11|12|100|200|323"}));
    EXPECT_EQ(Indexes("TempBnk1"),
              QStringList({"ByCol0", "ByCol1", "ByCol2", "ByCol3", "ByKeyField1", "ByKeyField2"}));

    // The report page sees it through the report table component.
    ASSERT_TRUE(adm3->TblProc->Active());
    EXPECT_EQ(adm3->TblProc->TableName(), "TempBnk1");
    EXPECT_EQ(adm3->TblProc->IndexFieldNames(), "KeyField1;KeyField2");
    EXPECT_EQ(adm3->TblProc->RecordCount(), 2);
    EXPECT_FALSE(presenter.hourglass);

    // Without the filter every month is a column, the earliest first.
    adm1->FilterActive = false;
    BankReport(2);
    EXPECT_EQ(adm1->ColumnCaptions->Count(), 6);
    EXPECT_EQ(adm1->ColumnCaptions->Strings(0), "Oct-2025");
}

TEST_F(CrossTab, RowsPerCodePairWithNamesTotalsAndTheGrandTotal) {
    Summary("ACC1", "I1", 2026, 1, 100);
    Summary("ACC1", "I2", 2026, 1, -40);
    Summary("ACC1", "I1", 2026, 2, 50.5);
    Summary("ACC2", "I2", 2026, 2, -10);
    Summary("GONE", "I1", 2026, 2, 1);   // no longer among the accounts

    BankReport(2);
    EXPECT_EQ(Report("KeyField1, KeyField2, KeyField1Desc, KeyField2Desc, col0, col1, Total1"),
              QStringList({"999999999|999|GRAND TOTAL||60|41.5|101.5", "ACC1|I1|Current|Salary|100|50.5|150.5",
                           "ACC1|I2|Current|Rent|-40|0|-40", "ACC2|I2|Savings|Rent|0|-10|-10", "GONE|I1||Salary|0|1|1"}));

    // One row per account: the items meet under "xxx".
    BankReport(1);
    EXPECT_EQ(Report("KeyField1, KeyField2, KeyField1Desc, KeyField2Desc, col0, col1, Total1"),
              QStringList({"999999999|999|GRAND TOTAL||60|41.5|101.5", "ACC1|xxx|Current||60|50.5|110.5",
                           "ACC2|xxx|Savings||0|-10|-10", "GONE|xxx|||0|1|1"}));
    EXPECT_EQ(adm1->CrossTabMode, 1);

    // The bank items report swaps the keys.
    BankReport(1, "BankItemCode", "BankAccountCode", 2, 1);
    EXPECT_EQ(Report("KeyField1, KeyField2, KeyField1Desc, Total1"),
              QStringList({"999999999|999|GRAND TOTAL|101.5", "I1|xxx|Salary|151.5", "I2|xxx|Rent|-50"}));
}

// Sums whose value depends on the order of their terms, written in an order
// of their own: each cross-tab cell and total adds its month's rows in the
// order they were stored, month after month; each bank balance adds an
// account's items in the order of their codes, as SQLite's sum over the
// summary's key does.
TEST_F(CrossTab, AmountsAddUpInTheOrderTheReportsHaveAlwaysAddedThem) {
    const std::vector<double> amounts = {0.1, 1e8 + 0.07, 0.2, -1e8, 0.3, 1e-3, 123456.789, -0.7, 2.5e7, 0.05};
    struct TSource {
        QString Account, Item;
        int Month;
        double Amount;
    };
    std::vector<TSource> source;
    int next = 0;
    for (const char* account : {"ACC2", "ACC1", "ACC3"})
        for (const char* item : {"I3", "I1", "I4", "I2"})
            for (int month : {3, 1, 2})
                source.push_back({account, item, month, amounts[size_t(next++ * 7 % amounts.size())] * (1 + next % 3)});
    for (const TSource& row : source)
        Summary(row.Account.toUtf8().constData(), row.Item.toUtf8().constData(), 2026, row.Month, row.Amount);

    // The rows as stored, each month's in that order, added into their report rows.
    std::vector<TSource> inPeriodOrder;
    for (int month : {1, 2, 3})
        for (const TSource& row : source)
            if (row.Month == month)
                inPeriodOrder.push_back(row);
    auto value = [&](const QString& sql) {
        auto rows = Db().Query(sql);
        EXPECT_TRUE(rows->Next()) << sql.toStdString();
        return rows->Value(0).toDouble();
    };
    for (const int mode : {1, 2}) {
        BankReport(mode);
        std::map<std::pair<QString, QString>, std::vector<double>> expected;   // three months, then the total
        for (const TSource& row : inPeriodOrder) {
            std::vector<double>& line = expected[{row.Account, mode == 2 ? row.Item : QStringLiteral("xxx")}];
            line.resize(4, 0.0);
            line[size_t(row.Month - 1)] += row.Amount;
            line[3] += row.Amount;
        }
        for (const auto& [codes, line] : expected)
            for (const QString& column : {"col0", "col1", "col2", "Total1"}) {
                const size_t at = column == "Total1" ? 3 : size_t(column.back().digitValue());
                EXPECT_EQ(value(QStringLiteral("select %1 from TempBnk1 where KeyField1 = \"%2\" and KeyField2 = \"%3\"")
                                    .arg(column, codes.first, codes.second)),
                          line[at])
                    << mode << " " << codes.first.toStdString() << " " << codes.second.toStdString() << " " << column.toStdString();
            }
    }

    adm3->BuildBankPeriodReport();
    auto sums = Db().Query("Select BankAccountcode, PeriodYear, PeriodMonth, sum(totalamount) from MthBnk1a "
                           "group by BankAccountcode, PeriodYear, PeriodMonth order by BankAccountcode, PeriodYear, PeriodMonth");
    std::map<QString, double> running;
    int column = -1;
    QString account;
    while (sums->Next()) {
        if (sums->Value(0).toString() != account) {
            account = sums->Value(0).toString();
            ++column;
        }
        running[account] += sums->Value(3).toDouble();
        EXPECT_EQ(value(QStringLiteral("select col%1 from TempBank1 where PeriodMonth = %2")
                            .arg(column)
                            .arg(sums->Value(2).toInt())),
                  running[account])
            << account.toStdString() << " " << sums->Value(2).toInt();
    }
    EXPECT_EQ(column, 2);
}

TEST_F(CrossTab, DescriptionsOfEveryKindAndQuotesInACode) {
    Put("PTelcom", {{"TelcomCode", "T1"}, {"TelcomDesc", "Mobile"}});
    Put("PTelItm", {{"TelItemCode", "C1"}, {"TelItemDesc", "Calls"}});
    Put("PIncome", {{"IncomeCode", "IN1"}, {"IncomeDescription", "Wages"}});
    Put("PExpense", {{"ExpenseCode", "EX1"}, {"ExpenseDescription", "Food"}});
    EXPECT_EQ(adm3->LookupDescription(1, "ACC2"), "Savings");
    EXPECT_EQ(adm3->LookupDescription(2, "I2"), "Rent");
    EXPECT_EQ(adm3->LookupDescription(3, "T1"), "Mobile");
    EXPECT_EQ(adm3->LookupDescription(4, "C1"), "Calls");
    EXPECT_EQ(adm3->LookupDescription(5, "IN1"), "Wages");
    EXPECT_EQ(adm3->LookupDescription(6, "EX1"), "Food");
    EXPECT_EQ(adm3->LookupDescription(6, "NONE"), "");
    EXPECT_EQ(adm3->LookupDescription(7, "EX1"), "");
    // A code is a value, never statement text.
    EXPECT_EQ(adm3->LookupDescription(1, "x\" or \"1\"=\"1"), "");
}

TEST_F(CrossTab, IncomeAndCommunicationReports) {
    Put("PIncome", {{"IncomeCode", "IN1"}, {"IncomeDescription", "Wages"}});
    Income("IN1", Day(2026, 1, 3), 1000);
    Income("IN1", Day(2026, 3, 3), 500);
    Tel("T1", "C1", Day(2026, 2, 5), 30);
    adm3->RebuildSummaries("", "");

    adm3->BuildCrossTab(1, "MTHINC1A", "TempInc1", "IncomeCode", "IncomeCode", "TotalAmount", 5, 5);
    EXPECT_EQ(Rows("select KeyField1, KeyField1Desc, col0, col1, Total1 from TempInc1 order by KeyField1"),
              QStringList({"999999999|GRAND TOTAL|1000|500|1500", "IN1|Wages|1000|500|1500"}));
    EXPECT_EQ(adm1->ColumnCaptions->ToQStringList(), QStringList({"Jan-2026", "Mar-2026"}));
    EXPECT_EQ(adm3->TblProc->TableName(), "TempInc1");

    adm3->BuildCrossTab(2, "MTHTEL1A", "TempTel1", "TelcomCode", "TelItemCode", "TotalAmount", 3, 4);
    EXPECT_EQ(Rows("select KeyField1, KeyField2, col0 from TempTel1 order by KeyField1"),
              QStringList({"999999999|999|30", "T1|C1|30"}));
    // Each report keeps its own table.
    EXPECT_TRUE(Db().TableExists("TempInc1"));
}

TEST_F(CrossTab, AnEmptySourceGivesOnlyTheGrandTotal) {
    BankReport(2);
    EXPECT_EQ(adm1->LastPeriodIndex, -1);
    EXPECT_EQ(adm1->PeriodKeys->Count(), 0);
    EXPECT_EQ(adm1->ColumnCaptions->Count(), 0);
    EXPECT_EQ(Report("KeyField1, KeyField2, KeyField1Desc, Total1"), QStringList({"999999999|999|GRAND TOTAL|0"}));
    EXPECT_TRUE(Indexes("TempBnk1").isEmpty());
    EXPECT_EQ(presenter.progressMax, 3);
}

TEST_F(CrossTab, TheBarPassesThroughTheColumnsThenTheTotals) {
    Summary("ACC1", "I1", 2026, 1, 1);
    Summary("ACC2", "I1", 2026, 1, 2);
    Summary("ACC1", "I1", 2026, 2, 3);
    BankReport(2);
    EXPECT_EQ(presenter.progressMax, 6);
    EXPECT_EQ(presenter.progressPositions, std::vector<int>({0, 1, 2, 3, 4, 6}));
}

TEST_F(CrossTab, AFailedBuildLeavesThePreviousReportAndItsColumns) {
    Summary("ACC1", "I1", 2026, 1, 100);
    BankReport(2);
    const QStringList before = Report("*");

    // A first key longer than the report's key column stops the build after
    // the old table was dropped and the new one made.
    Summary("ACC1", "I1", 2026, 2, 5);
    EXPECT_THROW(BankReport(2, "\"LONGER THAN TEN\""), EDatabaseError);

    EXPECT_EQ(Report("*"), before);
    EXPECT_EQ(adm1->ColumnCaptions->ToQStringList(), QStringList({"Jan-2026"}));
    EXPECT_FALSE(adm3->TblProc->Active());
    EXPECT_FALSE(presenter.hourglass);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(CrossTab, AReportThatDoesNotFitItsColumnsIsAbandonedWithOneMessage) {
    EXPECT_THROW(RunReportBuild(Db(),
                                [&] {
                                    Db().Execute("Create table TempOdd (KeyField1 character(10))");
                                    throw EReportMismatch();
                                }),
                 EAbort);
    EXPECT_EQ(Shown(), QStringList({"Serious error, please contcat developer"}));
    EXPECT_FALSE(Db().TableExists("TempOdd"));
    EXPECT_FALSE(presenter.hourglass);
    // The program goes on: the next build works.
    BankReport(2);
    EXPECT_TRUE(adm3->TblProc->Active());
}

}  // namespace
