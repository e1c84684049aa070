#include "dataset/incremental_search.h"
#include "dataset/intl.h"
#include "tests/dataset/dataset_fixture.h"
#include "tests/support/qt_print.h"

namespace {

QString Desc(TDataSet& table)
{
    return table.FieldByName(QStringLiteral("BankDesc"))->AsString();
}

class TServerTable : public TwwTable {
public:
    using TwwTable::TwwTable;
    bool IsSQLBased() const override { return true; }
};

// Turns the global text object's search by locate off for one test.
class TFindNearestSearch {
public:
    TFindNearestSearch() { GlobalIntl().SetUseLocateMethodForSearch(false); }
    ~TFindNearestSearch() { GlobalIntl().SetUseLocateMethodForSearch(true); }
};

}  // namespace

using IncrementalSearchTest = DatasetTest;

TEST_F(IncrementalSearchTest, TheTableFollowsTheTypedKeyWithoutRegardToCase)
{
    TwwTable& table = OpenBanks(QStringLiteral("ByDesc"));
    EXPECT_TRUE(table.SearchByText(QStringLiteral("s"), 0));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    EXPECT_TRUE(table.SearchByText(QStringLiteral("se"), 0));
    EXPECT_EQ(Desc(table), QStringLiteral("Second Trust"));
    EXPECT_FALSE(table.SearchByText(QStringLiteral("sex"), 0));
    EXPECT_EQ(Desc(table), QStringLiteral("Second Trust"));
    EXPECT_TRUE(table.SearchByText(QString(), 0));
    EXPECT_EQ(Desc(table), QStringLiteral("ABC Bank"));
    EXPECT_EQ(table.RecordCount(), 5);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(IncrementalSearchTest, FindNearestServesWhenLocateIsSwitchedOff)
{
    const TFindNearestSearch nearest;
    TwwTable& table = OpenBanks(QStringLiteral("ByDesc"));
    table.SearchByText(QStringLiteral("sc"), 0);
    EXPECT_EQ(Desc(table), QStringLiteral("Second Trust"));   // the key at or after the text
}

TEST_F(IncrementalSearchTest, ALaterKeyFieldKeepsTheValuesOfTheFieldsBeforeIt)
{
    TwwTable& table = OpenBanks(QStringLiteral("ByCityDesc"));
    ASSERT_TRUE(table.SearchByText(QStringLiteral("spring"), 0));
    EXPECT_EQ(Desc(table), QStringLiteral("First National"));
    EXPECT_TRUE(table.SearchByText(QStringLiteral("sav"), 1));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    EXPECT_FALSE(table.SearchByText(QStringLiteral("second"), 1));   // another city's bank
}

TEST_F(IncrementalSearchTest, TextThatIsNoValueOfATypedKeyDoesNothing)
{
    TwwTable& table = OpenBanks(QStringLiteral("ByBranches"));
    EXPECT_TRUE(table.SearchByText(QStringLiteral("7"), 0));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    EXPECT_FALSE(table.SearchByText(QStringLiteral("12x"), 0));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(IncrementalSearchTest, NarrowSearchShowsOnlyTheKeysThatBeginWithTheText)
{
    TwwTable& table = OpenBanks(QStringLiteral("ByDesc"));
    table.SetNarrowSearch(true);
    EXPECT_TRUE(table.SearchByText(QStringLiteral("s"), 0));
    EXPECT_EQ(table.RecordCount(), 2);
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    EXPECT_TRUE(table.SearchByText(QStringLiteral("ABC"), 0));
    EXPECT_EQ(table.RecordCount(), 2);   // ABC Bank and abc credit
    EXPECT_FALSE(table.SearchByText(QStringLiteral("q"), 0));
    EXPECT_EQ(table.RecordCount(), 0);
    table.SearchByText(QString(), 0);   // the range goes
    EXPECT_EQ(table.RecordCount(), 5);
    EXPECT_FALSE(table.ControlsDisabled());
    EXPECT_FALSE(presenter.hourglass);
}

TEST_F(IncrementalSearchTest, NarrowSearchOnATypedKeyStartsTheRangeAtTheValue)
{
    TwwTable& table = OpenBanks(QStringLiteral("ByBranches"));
    table.SetNarrowSearch(true);
    table.SearchByText(QStringLiteral("3"), 0);
    EXPECT_EQ(table.RecordCount(), 3);   // 3, 7 and 12 branches
    EXPECT_EQ(Desc(table), QStringLiteral("Second Trust"));
}

TEST_F(IncrementalSearchTest, ATableWithoutIndexOrAPlainTableIsRefusedWithAWarning)
{
    TwwTable& notes = NewTable(QStringLiteral("Notes"), QStringLiteral("TblNotes"));
    notes.Open();
    EXPECT_FALSE(notes.SearchByText(QStringLiteral("r"), 0));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("Table Notes: Table index not found"));
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtWarning);

    TTable plain;
    plain.SetDatabaseName(QString::fromLatin1(kDatabase));
    plain.SetTableName(QStringLiteral("Banks"));
    plain.Open();
    EXPECT_FALSE(IncrementalSearch(plain, QStringLiteral("s"), 0));
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[1].Text,
              QStringLiteral("Incremental Search - TTable component not supported. Use TwwTable instead."));
}

TEST_F(IncrementalSearchTest, OnAServerTheTableIsNarrowedFromTheTypedKeyOn)
{
    TServerTable table;
    table.SetDatabaseName(QString::fromLatin1(kDatabase));
    table.SetTableName(QStringLiteral("Banks"));
    table.SetIndexName(QStringLiteral("ByDesc"));
    table.Open();
    EXPECT_TRUE(table.SearchByText(QStringLiteral("s"), 0));
    EXPECT_EQ(table.RecordCount(), 2);   // Savings Union and Second Trust: from "s" on
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    table.SearchByText(QString(), 0);
    EXPECT_EQ(table.RecordCount(), 5);
}
