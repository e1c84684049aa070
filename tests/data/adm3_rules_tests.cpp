// The rules of the second module's edited tables: codes and starting values,
// required values, approval and closed-period locks, delete guards and their
// questions, and the bill and chart tables' period texts, balance and filter.
#include "data/adm3.h"
#include "data/adm3_rules.h"
#include "data/posted_period_guard.h"
#include "dataset/ww_data_source.h"
#include "tests/data/rules_fixture.h"
#include "tests/support/qt_print.h"

namespace {

const QString ApprovedText = "Approved Multiple Entry Headers Cannot be Modified\r";
const QString PostedText = "Editing of this Record is not allowed since it has been posted\r";

class Adm3Rules : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        adm3 = std::make_unique<TADm3>(nullptr);
    }
    void TearDown() override {
        adm3.reset();
        RulesTest::TearDown();
    }

    static void Open(TwwTable* table) {
        if (!table->Active())
            table->Open();
    }
    // Writes a field and posts; the row stays in its edit when a rule refuses.
    static void PostWith(TwwTable* table, const char* field, const QVariant& value) {
        Set(table, field, value);
        table->Post();
    }
    void NewAsset(const char* description) {
        TwwTable* assets = adm3->TblAsset1a;
        Open(assets);
        assets->Append();
        PostWith(assets, "AssetDesc", description);
    }
    void NewAssetAmount(double amount) {
        TwwTable* amounts = adm3->TblAsset1b;
        Open(amounts);
        amounts->Append();
        PostWith(amounts, "AssetAmount", amount);
    }
    void NewEntry(const char* details) {
        TwwTable* headers = adm3->TblDbl1a;
        Open(headers);
        headers->Append();
        PostWith(headers, "DoubleDetails", details);
    }
    void Approve() {
        adm3->TblDbl1a->Edit();
        PostWith(adm3->TblDbl1a, "Approved", true);
    }
    void NewAccountLine() {
        Open(adm3->TblDbl1b);
        adm3->TblDbl1b->Append();
        adm3->TblDbl1b->Post();
    }
    void NewDatedAmount(QDate date, double amount) {
        TwwTable* amounts = adm3->TblDbl1c;
        Open(amounts);
        amounts->Append();
        Set(amounts, "TransactionDate", date);
        PostWith(amounts, "Amount", amount);
    }

    std::unique_ptr<TADm3> adm3;
};

TEST_F(Adm3Rules, AssetCodesCountOverTheTableAndAmountsWithinTheirAsset) {
    NewAsset("Car");
    EXPECT_EQ(Str(adm3->TblAsset1a, "AssetCode"), "0000000001");
    NewAssetAmount(100);
    NewAssetAmount(200);
    NewAsset("House");
    EXPECT_EQ(Str(adm3->TblAsset1a, "AssetCode"), "0000000002");

    // The first amount of the second asset starts again at 1.
    adm3->TblAsset1b->Append();
    EXPECT_EQ(Str(adm3->TblAsset1b, "AssetTranSerialNum"), "0000000001");
    EXPECT_EQ(Str(adm3->TblAsset1b, "AssetCode"), "0000000002");
    EXPECT_EQ(adm3->TblAsset1b->FieldByName("AssetAmount")->AsFloat(), 0.0);
    EXPECT_FALSE(adm3->TblAsset1b->FieldByName("AssetAmount")->IsNull());
    adm3->TblAsset1b->Cancel();

    EXPECT_EQ(Read("select max(AssetTranSerialNum) from TRNAST1B where AssetCode = ?", {"0000000001"}).toString(),
              "0000000002");
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(Adm3Rules, AssetsNeedADescriptionAndAnAmount) {
    TwwTable* assets = adm3->TblAsset1a;
    Open(assets);
    assets->Append();
    EXPECT_THROW(assets->Post(), EAbort);
    EXPECT_EQ(assets->State(), dsInsert);
    PostWith(assets, "AssetDesc", "Car");

    TwwTable* amounts = adm3->TblAsset1b;
    Open(amounts);
    amounts->Append();
    EXPECT_THROW(amounts->Post(), EAbort);
    EXPECT_EQ(amounts->State(), dsInsert);
    Set(amounts, "AssetAmount", -0.01);   // only nothing is refused; a negative amount is a value
    amounts->Post();

    EXPECT_EQ(Shown(), (QStringList{"Asset Description has to be entered\r", "Asset Amount has to be entered\r"}));
    EXPECT_EQ(Count("TRNAST1A"), 1);
    EXPECT_EQ(Count("TRNAST1B"), 1);
}

TEST_F(Adm3Rules, AnAssetWithAmountsCannotBeDeletedAndEveryDeleteAsks) {
    NewAsset("Car");
    NewAssetAmount(100);
    TwwTable* assets = adm3->TblAsset1a;
    EXPECT_THROW(assets->Delete(), EAbort);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, "This Asset Cannot be deleted since details exists");
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(presenter.shown[0].Buttons, mbOK);
    presenter.shown.clear();

    TwwTable* amounts = adm3->TblAsset1b;
    presenter.Answer(mrNo);
    EXPECT_THROW(amounts->Delete(), EAbort);
    EXPECT_EQ(Count("TRNAST1B"), 1);
    presenter.Answer(mrYes);
    amounts->Delete();
    EXPECT_EQ(Count("TRNAST1B"), 0);

    presenter.Answer(mrNo);
    EXPECT_THROW(assets->Delete(), EAbort);
    EXPECT_EQ(Count("TRNAST1A"), 1);
    EXPECT_EQ(assets->State(), dsBrowse);
    presenter.Answer(mrYes);
    assets->Delete();
    EXPECT_EQ(Count("TRNAST1A"), 0);

    EXPECT_EQ(Shown(), (QStringList{" \"0000000001\", Are You Sure ?", " \"0000000001\", Are You Sure ?",
                                    "Delete Asset \"Car\", Are You Sure ?", "Delete Asset \"Car\", Are You Sure ?"}));
}

TEST_F(Adm3Rules, AnEntryNeedsDetailsAndIsFrozenOnceApproved) {
    TwwTable* headers = adm3->TblDbl1a;
    Open(headers);
    headers->Append();
    EXPECT_EQ(Str(headers, "DoubleCode"), "0000000001");
    EXPECT_THROW(headers->Post(), EAbort);
    EXPECT_EQ(headers->State(), dsInsert);
    EXPECT_EQ(Shown(), QStringList{"Multiple Entry Details has to be entered\r"});
    PostWith(headers, "DoubleDetails", "Rent \"split\"");

    Approve();
    EXPECT_THROW(headers->Edit(), EAbort);
    EXPECT_THROW(headers->Delete(), EAbort);
    EXPECT_EQ(headers->State(), dsBrowse);
    EXPECT_EQ(Shown(), (QStringList{ApprovedText, ApprovedText}));
    EXPECT_EQ(Count("TRNDBL1A"), 1);
}

TEST_F(Adm3Rules, AnEntryWithLinesOrAmountsCannotBeDeleted) {
    NewEntry("Rent");
    NewAccountLine();
    TwwTable* headers = adm3->TblDbl1a;
    EXPECT_THROW(headers->Delete(), EAbort);

    Db().Execute("delete from TrnDbl1b");
    NewDatedAmount(Day(2026, 4, 1), 50);
    EXPECT_THROW(headers->Delete(), EAbort);
    EXPECT_EQ(presenter.shown.back().Type, TMsgDlgType::mtError);

    Db().Execute("delete from TrnDbl1c");
    presenter.Answer(mrNo);
    EXPECT_THROW(headers->Delete(), EAbort);
    EXPECT_EQ(Count("TRNDBL1A"), 1);
    presenter.Answer(mrYes);
    headers->Delete();
    EXPECT_EQ(Count("TRNDBL1A"), 0);

    EXPECT_EQ(Shown(), (QStringList{"Cannot delete since Details Exists", "Cannot delete since Details Exists",
                                    "Delete Multiple Entry Record \"Rent\", Are You Sure ?",
                                    "Delete Multiple Entry Record \"Rent\", Are You Sure ?"}));
}

TEST_F(Adm3Rules, AccountLinesAreNumberedPerEntryWithTheirDefaults) {
    NewEntry("Rent");
    NewAccountLine();
    NewAccountLine();
    TwwTable* lines = adm3->TblDbl1b;
    EXPECT_EQ(lines->FieldByName("DoubleAccountNum")->AsInteger(), 2);
    EXPECT_EQ(Str(lines, "DoubleCode"), "0000000001");
    EXPECT_EQ(Str(lines, "DebitCredit"), "D");
    EXPECT_EQ(Str(lines, "DoubleType"), "B");

    NewEntry("Salary");
    NewAccountLine();
    EXPECT_EQ(lines->FieldByName("DoubleAccountNum")->AsInteger(), 1);
    EXPECT_EQ(Str(lines, "DoubleCode"), "0000000002");
    EXPECT_EQ(Count("TRNDBL1B"), 3);

    presenter.Answer(mrNo);
    EXPECT_THROW(lines->Delete(), EAbort);
    presenter.Answer(mrYes);
    lines->Delete();
    // The question names the entry's code, not the line's number.
    EXPECT_EQ(Shown(), (QStringList{"Delete This Account \"0000000002\", Are You Sure ?",
                                    "Delete This Account \"0000000002\", Are You Sure ?"}));
    EXPECT_EQ(Count("TRNDBL1B"), 2);
}

TEST_F(Adm3Rules, LinesOfAnApprovedEntryCannotChangeAndNothingIsSaid) {
    NewEntry("Rent");
    NewAccountLine();
    Approve();
    TwwTable* lines = adm3->TblDbl1b;

    EXPECT_THROW(lines->Edit(), EAbort);
    EXPECT_EQ(lines->State(), dsBrowse);
    EXPECT_THROW(lines->Delete(), EAbort);
    lines->Append();   // a line may be begun, but never stored
    EXPECT_THROW(lines->Post(), EAbort);
    EXPECT_EQ(lines->State(), dsInsert);
    lines->Cancel();

    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(Count("TRNDBL1B"), 1);
    EXPECT_EQ(Read("select DebitCredit from TrnDbl1b").toString(), "D");
}

TEST_F(Adm3Rules, DatedAmountsStartTodayAndAreNumberedPerEntry) {
    NewEntry("Rent");
    TwwTable* amounts = adm3->TblDbl1c;
    Open(amounts);
    amounts->Append();
    EXPECT_EQ(amounts->FieldByName("DoubleSerialNum")->AsInteger(), 1);
    EXPECT_EQ(amounts->FieldByName("TransactionDate")->AsDateTime(), Today());
    EXPECT_EQ(amounts->FieldByName("Amount")->AsFloat(), 0.0);
    EXPECT_EQ(Str(amounts, "DoubleCode"), "0000000001");
    PostWith(amounts, "Amount", 50.0);
    NewDatedAmount(Day(2026, 5, 1), 60);
    EXPECT_EQ(amounts->FieldByName("DoubleSerialNum")->AsInteger(), 2);
}

TEST_F(Adm3Rules, DatedAmountsOfTheClosedPeriodAreLocked) {
    NewEntry("Rent");
    NewDatedAmount(Day(2026, 3, 31), 50);
    NewDatedAmount(Day(2026, 4, 1), 60);
    adm1->CurrentCloseDate = At(2026, 3, 31);
    TwwTable* amounts = adm3->TblDbl1c;

    // The day after the close date is open.
    ASSERT_EQ(amounts->FieldByName("Amount")->AsFloat(), 60.0);
    amounts->Edit();
    amounts->Cancel();

    // The close date itself is not.
    amounts->First();
    ASSERT_EQ(amounts->FieldByName("Amount")->AsFloat(), 50.0);
    EXPECT_THROW(amounts->Edit(), EAbort);
    EXPECT_EQ(amounts->State(), dsBrowse);
    EXPECT_THROW(amounts->Delete(), EAbort);
    EXPECT_EQ(Shown(), (QStringList{PostedText, PostedText}));
    EXPECT_EQ(Count("TRNDBL1C"), 2);
}

TEST_F(Adm3Rules, PostingADatedAmountChecksTheCloseDateAndMarksTheSummaries) {
    NewEntry("Rent");
    adm1->CurrentCloseDate = At(2026, 3, 31);
    ClearDataUpdated();
    TwwTable* amounts = adm3->TblDbl1c;
    Open(amounts);
    amounts->Append();   // dated today, inside the closed period
    EXPECT_THROW(amounts->Post(), EAbort);
    EXPECT_EQ(amounts->State(), dsInsert);
    EXPECT_EQ(Shown(), QStringList{CloseDateMessage(At(2026, 3, 31)) + "\r"});
    EXPECT_EQ(Count("TRNDBL1C"), 0);
    EXPECT_FALSE(DataUpdated());

    PostWith(amounts, "TransactionDate", Day(2026, 4, 1));
    EXPECT_EQ(Count("TRNDBL1C"), 1);
    EXPECT_TRUE(DataUpdated());
}

TEST_F(Adm3Rules, DeletingADatedAmountAsksWithItsAmountAndDate) {
    NewEntry("Rent");
    NewDatedAmount(Day(2026, 4, 1), 1234.5);
    TwwTable* amounts = adm3->TblDbl1c;
    presenter.Answer(mrNo);
    EXPECT_THROW(amounts->Delete(), EAbort);
    EXPECT_EQ(Count("TRNDBL1C"), 1);
    presenter.Answer(mrYes);
    amounts->Delete();
    EXPECT_EQ(Count("TRNDBL1C"), 0);
    const QString question = "Delete Transaction Item For Amount \"1234.5\" For Date \"04/01/2026\"";
    EXPECT_EQ(Shown(), (QStringList{question, question}));
}

class BillAndChartRules : public Adm3Rules {
protected:
    void Bill(int year, int month, QVariant total, QVariant paid) {
        Put("MthTel2a", {{"TelcomCode", "001"}, {"PeriodYear", year}, {"PeriodMonth", month},
                         {"TotalAmount", total}, {"PaidAmount", paid}});
    }
    void ChartRow(int year, int month) {
        Put("TeeData1", {{"PeriodYear", year}, {"PeriodMonth", month}, {"Income", 10.0 * month}});
    }
};

TEST_F(BillAndChartRules, BillsShowTheirPeriodAndWhatIsLeftToPay) {
    Bill(2026, 3, 100.0, 30.0);
    Bill(2026, 4, 0.0, 0.0);
    Bill(2026, 12, 80.0, QVariant());
    Bill(2026, 13, 10.0, 0.0);
    TwwTable* bills = adm3->TblTelPaid;
    Open(bills);

    EXPECT_EQ(Str(bills, "CalcPeriodName"), "Mar-2026");
    EXPECT_DOUBLE_EQ(bills->FieldByName("CalcBalance")->AsFloat(), 70.0);
    bills->Next();
    EXPECT_EQ(Str(bills, "CalcPeriodName"), "Apr-2026");
    EXPECT_TRUE(bills->FieldByName("CalcBalance")->IsNull());
    bills->Next();
    EXPECT_EQ(Str(bills, "CalcPeriodName"), "Dec-2026");
    EXPECT_DOUBLE_EQ(bills->FieldByName("CalcBalance")->AsFloat(), 80.0);
    // A month the rebuild never writes shows no period instead of failing.
    bills->Next();
    EXPECT_EQ(Str(bills, "CalcPeriodName"), "");
    EXPECT_DOUBLE_EQ(bills->FieldByName("CalcBalance")->AsFloat(), 10.0);
}

TEST_F(BillAndChartRules, APaidAmountBelowNothingIsRefused) {
    Bill(2026, 3, 100.0, 30.0);
    TwwTable* bills = adm3->TblTelPaid;
    Open(bills);
    bills->Edit();
    EXPECT_THROW(PostWith(bills, "PaidAmount", -0.01), EAbort);
    EXPECT_EQ(bills->State(), dsEdit);
    EXPECT_EQ(Shown(), QStringList{"Paid Amount Cannot be Less then 0\r"});
    EXPECT_DOUBLE_EQ(Read("select PaidAmount from MthTel2a").toDouble(), 30.0);

    PostWith(bills, "PaidAmount", 0.0);
    EXPECT_DOUBLE_EQ(Read("select PaidAmount from MthTel2a").toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(bills->FieldByName("CalcBalance")->AsFloat(), 100.0);
}

TEST_F(BillAndChartRules, TheChartShowsTheChosenYearWhileFiltered) {
    ChartRow(2025, 12);
    ChartRow(2026, 1);
    ChartRow(2026, 3);
    TwwTable* chart = adm3->TblChart1;
    Open(chart);
    chart->Refresh();
    EXPECT_FALSE(chart->Filtered());
    EXPECT_EQ(chart->RecordCount(), 3);
    EXPECT_EQ(Str(chart, "CalcPeriod"), "Dec2025");

    adm1->ChartYear = 2026;
    chart->SetFiltered(true);
    EXPECT_EQ(chart->RecordCount(), 2);
    EXPECT_EQ(Str(chart, "CalcPeriod"), "Jan2026");
    chart->Last();
    EXPECT_EQ(Str(chart, "CalcPeriod"), "Mar2026");
    EXPECT_EQ(Str(chart, "KeyField1"), "");

    adm1->ChartYear = 2030;
    chart->Refresh();
    EXPECT_TRUE(chart->IsEmpty());

    chart->SetFiltered(false);
    EXPECT_EQ(chart->RecordCount(), 3);
}

}  // namespace
