// Transfers without a window: the rows go to the header's own account with
// that account's serials, the closed period is left alone, and a second run
// replaces rather than adds.
#include "tests/data/rules_fixture.h"
#include "data/header_rules.h"
#include "data/schedules.h"

namespace {

class SchedulesTest : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        for (const char* code : {"001", "002"})
            Put("PTelcom", {{"TelcomCode", code}, {"TelcomDesc", QStringLiteral("Line %1").arg(code)}});
        Put("PTelItm", {{"TelItemCode", "001"}, {"TelItemDesc", "Rental"}});
        // Line 002 already holds serials up to 7; line 001 holds 1 and 2, the
        // second a row this header wrote into a period now closed.
        Put("TrnTel1a", {{"TelcomCode", "002"}, {"TelComSerialNum", "0000000007"}, {"TelItemCode", "001"},
                         {"TransactionDate", Day(2026, 4, 2)}, {"Amount", 5.0}});
        Put("TrnTel1a", {{"TelcomCode", "001"}, {"TelComSerialNum", "0000000001"}, {"TelItemCode", "001"},
                         {"TransactionDate", Day(2026, 1, 5)}, {"Amount", 9.0}});
        Put("TrnTel1a", {{"TelcomCode", "001"}, {"TelComSerialNum", "0000000002"}, {"TelItemCode", "001"},
                         {"TransactionDate", Day(2026, 1, 31)}, {"Amount", -30.0}, {"External", true},
                         {"RecurCode", "0000000001"}});
        Put("TrnRec1a", {{"RecurCode", "0000000001"}, {"RecurDetails", "Phone"}, {"RecurType", "C"},
                         {"DebitCredit", "D"}, {"TelcomCode", "001"}, {"TelItemCode", "001"},
                         {"StartDate", Day(2026, 1, 31)}, {"FinishDate", Day(2026, 4, 29)}, {"Duration", 3},
                         {"RecurAmount", 90.0}, {"Approved", true}});
        int serial = 0;
        for (const QDate& date : {Day(2026, 1, 31), Day(2026, 2, 27), Day(2026, 3, 30)})
            Put("TrnRec1b", {{"RecurCode", "0000000001"}, {"RecurTranSerialNum", ++serial},
                             {"TransactionDate", date}, {"RecurAmount", 30.0}});
        adm1->CurrentCloseDate = At(2026, 1, 31);
        for (TwwTable* table : {adm1->TblTelCom, adm1->TblTrnRec1A, adm1->TblTrnRec1B})
            table->Active() ? table->Refresh() : table->Open();
        // The communication accounts stand on the other line.
        adm1->TblTelCom->Last();
    }

    int Transfer() {
        const TTransferTarget target{"TblTranTel1", "TrnTel1a",
                                     [](TDataSet& row, const TDataSet& line) {
                                         row.FieldByName(QStringLiteral("TelcomCode"))->SetAsString("001");
                                         row.FieldByName(QStringLiteral("TelItemCode"))->SetAsString("001");
                                         row.FieldByName(QStringLiteral("Amount"))
                                             ->SetAsFloat(-line.FieldByName(QStringLiteral("RecurAmount"))->AsFloat());
                                     },
                                     QStringLiteral("TelcomCode"), QStringLiteral("001")};
        return TransferSchedule(*adm1, HeaderTables()[1], *adm1->QryRT, target);
    }

    QStringList Rows() {
        QStringList rows;
        auto result = Db().Query(QStringLiteral(
            "select TelcomCode, TelComSerialNum, TransactionDate, Amount from TrnTel1a order by TelcomCode, "
            "TelComSerialNum"));
        while (result->Next())
            rows << QStringLiteral("%1 %2 %3 %4").arg(result->Value(0).toString(), result->Value(1).toString(),
                                                      result->Value(2).toString(), result->Value(3).toString());
        return rows;
    }
};

TEST_F(SchedulesTest, LinesAfterTheCloseDateGoToTheirOwnAccountOnceWhateverTheRunsBefore) {
    ASSERT_EQ(Str(adm1->TblTelCom, "TelcomCode"), QStringLiteral("002"));
    ClearDataUpdated();
    EXPECT_EQ(Transfer(), 2);
    const QStringList once{
        "001 0000000001 2026-01-05 9",  "001 0000000002 2026-01-31 -30", "001 0000000003 2026-02-27 -30",
        "001 0000000004 2026-03-30 -30", "002 0000000007 2026-04-02 5",
    };
    EXPECT_EQ(Rows(), once);
    EXPECT_TRUE(DataUpdated());
    EXPECT_TRUE(presenter.shown.empty());

    EXPECT_EQ(Transfer(), 2);
    EXPECT_EQ(Rows(), once);
    // The lines stay where they stood, and the table that was closed stays so.
    EXPECT_EQ(Str(adm1->TblTrnRec1B, "RecurTranSerialNum"), QStringLiteral("1"));
    EXPECT_FALSE(adm1->TblTranTel1->Active());
}

TEST_F(SchedulesTest, ARowRefusedByTheTableLeavesEveryRowAsItWas) {
    Transfer();
    const QStringList before = Rows();
    // An item the table requires is missing: its rule says so once, and nothing of the run stays.
    const TTransferTarget noItem{"TblTranTel1", "TrnTel1a",
                                 [](TDataSet& row, const TDataSet&) {
                                     row.FieldByName(QStringLiteral("TelcomCode"))->SetAsString("001");
                                 },
                                 QStringLiteral("TelcomCode"), QStringLiteral("001")};
    EXPECT_THROW(TransferSchedule(*adm1, HeaderTables()[1], *adm1->QryRT, noItem), EAbort);
    EXPECT_EQ(Shown(), QStringList{"Item Description has to be entered\r"});
    EXPECT_EQ(Rows(), before);
}

}  // namespace
