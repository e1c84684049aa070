#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "tests/dataset/filter_fixture.h"

namespace {

// A poll that says Escape on its n-th call, counting its calls.
int pollCalls = 0;
int escapeOnCall = 0;
bool ScriptedPoll(TDataSet&)
{
    return ++pollCalls == escapeOnCall;
}

class RecordFilterTest : public FilterTest {
protected:
    void TearDown() override
    {
        SetFilterEscapePoll(nullptr);
        FilterTest::TearDown();
    }
};

} // namespace

TEST_F(RecordFilterTest, TheEventHidesRecordsFromTheWalkAndTheCount)
{
    TwwTable& table = Ledger();
    std::vector<QString> asked;
    table.SetOnFilter([&](TDataSet& dataSet, bool& accept) {
        asked.push_back(dataSet.FieldByName(QStringLiteral("Code"))->AsString());
        accept = dataSet.FieldByName(QStringLiteral("Paid"))->AsBoolean();
    });
    // A grid's window of ten records holds only the accepted ones.
    TDataSource source;
    source.SetDataSet(&table);
    TDataLink grid;
    grid.SetBufferCount(10);
    grid.SetDataSource(&source);
    table.Open();
    ASSERT_EQ(grid.RecordCount(), 3);
    QString shown;
    for (int record = 0; record < grid.RecordCount(); ++record) {
        grid.SetActiveRecord(record);
        shown += table.FieldByName(QStringLiteral("Code"))->AsString();
    }
    grid.SetActiveRecord(0);
    EXPECT_EQ(shown, QStringLiteral("ACF"));
    EXPECT_EQ(Codes(table), QStringLiteral("ACF"));
    EXPECT_EQ(table.RecordCount(), 3);
    EXPECT_FALSE(table.IsSequenced());
    EXPECT_FALSE(asked.empty());

    // With the expression filter both apply, the expression first.
    asked.clear();
    SetFilter(table, {QStringLiteral("Qty = 5")});
    EXPECT_EQ(Codes(table), QStringLiteral("AF"));
    for (const QString& code : asked) EXPECT_TRUE(code == u"A" || code == u"F") << code.toStdString();

    table.SetOnFilter(nullptr);
    EXPECT_EQ(Codes(table), QStringLiteral("AF"));
    SetFilter(table, {});
    EXPECT_EQ(table.RecordCount(), 6);
    EXPECT_TRUE(table.IsSequenced());
}

TEST_F(RecordFilterTest, ClearingEnabledBringsTheHiddenRecordsBack)
{
    TwwTable& table = Ledger();
    table.SetOnFilter([](TDataSet& dataSet, bool& accept) {
        accept = dataSet.FieldByName(QStringLiteral("Code"))->AsString() == u"B";
    });
    table.SetOnFilterOptions(ofoShowHourGlass);
    table.Open();
    EXPECT_EQ(table.RecordCount(), 6) << "not enabled: every record shows";

    table.SetOnFilterOptions(ofoEnabled | ofoShowHourGlass);
    table.First();
    EXPECT_EQ(Codes(table), QStringLiteral("B"));

    table.SetOnFilterOptions(ofoShowHourGlass);   // on an open table: the records come back at once
    EXPECT_EQ(table.RecordCount(), 6);
    EXPECT_EQ(Codes(table), QStringLiteral("ABCDEF"));

    table.SetOnFilterOptions(ofoEnabled);   // and go again
    EXPECT_EQ(table.RecordCount(), 1);
    EXPECT_EQ(Codes(table), QStringLiteral("B"));
}

TEST_F(RecordFilterTest, TheHourglassShowsWhileAPassRejectsAndGoesAfterTheFetch)
{
    TwwTable& table = Ledger();
    std::vector<std::pair<QString, bool>> seen;   // code, hourglass on while it was asked
    table.SetOnFilter([&](TDataSet& dataSet, bool& accept) {
        const QString code = dataSet.FieldByName(QStringLiteral("Code"))->AsString();
        seen.emplace_back(code, presenter.hourglass);
        accept = code > u"C";
    });
    table.Open();
    seen.clear();
    table.First();   // one pass: A is the first record it rejects
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen[0], std::make_pair(QStringLiteral("A"), false));
    EXPECT_EQ(seen[1], std::make_pair(QStringLiteral("B"), true));
    EXPECT_EQ(seen[3], std::make_pair(QStringLiteral("D"), true));
    EXPECT_FALSE(presenter.hourglass) << "back after the fetch step";

    table.SetOnFilterOptions(ofoEnabled);
    seen.clear();
    table.First();
    EXPECT_EQ(Codes(table), QStringLiteral("DEF"));
    for (const auto& [code, hourglass] : seen) EXPECT_FALSE(hourglass) << code.toStdString();
}

TEST_F(RecordFilterTest, EscapeIsLookedAtEveryHundredRecordsAndStopsTheFilter)
{
    TwwTable& table = Numbers(1000);
    int asked = 0, escapes = 0;
    table.SetOnFilter([&](TDataSet&, bool& accept) {
        ++asked;
        accept = false;
    });
    table.OnFilterEscape = [&](TDataSet& dataSet) {
        ++escapes;
        EXPECT_EQ(&dataSet, &table);
    };
    table.SetOnFilterOptions(ofoEnabled | ofoCancelOnEscape);
    SetFilterEscapePoll(&ScriptedPoll);
    pollCalls = 0;
    escapeOnCall = 3;

    table.Open();
    EXPECT_EQ(pollCalls, 3);
    EXPECT_EQ(asked, 300) << "the scan stopped at the third look";
    EXPECT_EQ(escapes, 1);
    EXPECT_EQ(table.OnFilterOptionsValue(), unsigned(ofoCancelOnEscape));
    EXPECT_EQ(table.FieldByName(QStringLiteral("N"))->AsInteger(), 1) << "the records the pass hid are back";
    EXPECT_EQ(table.RecordCount(), 1000);
    EXPECT_EQ(asked, 300);
}

TEST_F(RecordFilterTest, WithoutCancelOnEscapeTheKeyboardIsNotPolled)
{
    TwwTable& table = Numbers(250);
    table.SetOnFilter([](TDataSet& dataSet, bool& accept) {
        accept = dataSet.FieldByName(QStringLiteral("N"))->AsInteger() % 50 == 0;
    });
    SetFilterEscapePoll(&ScriptedPoll);
    pollCalls = 0;
    escapeOnCall = 1;
    table.Open();
    EXPECT_EQ(table.RecordCount(), 5);
    EXPECT_EQ(pollCalls, 0);
}
