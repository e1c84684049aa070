#include "dataset/locate.h"
#include "platform/db/fields.h"
#include "tests/dataset/dataset_fixture.h"
#include "tests/support/qt_print.h"

namespace {

QString Desc(TDataSet& table)
{
    return table.FieldByName(QStringLiteral("BankDesc"))->AsString();
}

}  // namespace

using Locate = DatasetTest;

TEST(TextMatch, ModesCompareWholeValueBeginningOrAnywhere)
{
    EXPECT_TRUE(TextMatchesValue(QString(), QString(), lmWholeValue, true));
    EXPECT_TRUE(TextMatchesValue(QStringLiteral("abc"), QStringLiteral("ABC"), lmWholeValue, false));
    EXPECT_FALSE(TextMatchesValue(QStringLiteral("abc"), QStringLiteral("ABC"), lmWholeValue, true));
    EXPECT_FALSE(TextMatchesValue(QStringLiteral("abcd"), QStringLiteral("ABC"), lmWholeValue, false));
    EXPECT_TRUE(TextMatchesValue(QStringLiteral("abcd"), QStringLiteral("ABC"), lmStartOfValue, false));
    EXPECT_FALSE(TextMatchesValue(QStringLiteral("xabc"), QStringLiteral("ABC"), lmStartOfValue, false));
    EXPECT_TRUE(TextMatchesValue(QStringLiteral("ABC"), QStringLiteral("B"), lmAnywhere, false));
    EXPECT_FALSE(TextMatchesValue(QStringLiteral("ABC"), QStringLiteral("b"), lmAnywhere, true));
}

TEST_F(Locate, ReadingTheRecordsMatchesByModeAndCase)
{
    TwwTable& table = OpenBanks();   // City leads no index here: the records are read
    EXPECT_TRUE(LocateFieldValue(table, QStringLiteral("springfield"), QStringLiteral("City"), lmWholeValue, false));
    EXPECT_EQ(Desc(table), QStringLiteral("First National"));
    EXPECT_FALSE(LocateFieldValue(table, QStringLiteral("ogdenville"), QStringLiteral("City"), lmWholeValue, true));
    EXPECT_EQ(Desc(table), QStringLiteral("First National"));   // not found: it stays

    EXPECT_TRUE(LocateFieldValue(table, QStringLiteral("Shelby"), QStringLiteral("City"), lmStartOfValue, true));
    EXPECT_EQ(Desc(table), QStringLiteral("Second Trust"));
    EXPECT_FALSE(LocateFieldValue(table, QStringLiteral("shelby"), QStringLiteral("City"), lmStartOfValue, true));

    EXPECT_TRUE(LocateFieldValue(table, QStringLiteral("GDEN"), QStringLiteral("City"), lmAnywhere, false));
    EXPECT_EQ(Desc(table), QStringLiteral("abc credit"));
    EXPECT_FALSE(LocateFieldValue(table, QStringLiteral("GDEN"), QStringLiteral("City"), lmAnywhere, true));
    EXPECT_TRUE(LocateFieldValue(table, QStringLiteral("City"), QStringLiteral("City"), lmAnywhere, true));
    EXPECT_EQ(Desc(table), QStringLiteral("ABC Bank"));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(Locate, ASearchContinuesFromTheRecordAfterTheCurrentOne)
{
    TwwTable& table = OpenBanks();
    ASSERT_TRUE(FindFieldValueRecord(true, table, QStringLiteral("City"), lmWholeValue, true, QStringLiteral("Springfield")));
    EXPECT_EQ(Desc(table), QStringLiteral("First National"));
    ASSERT_TRUE(FindFieldValueRecord(false, table, QStringLiteral("City"), lmWholeValue, true, QStringLiteral("Springfield")));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    EXPECT_FALSE(FindFieldValueRecord(false, table, QStringLiteral("City"), lmWholeValue, true, QStringLiteral("Springfield")));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
}

TEST_F(Locate, TheIndexThatTheFieldLeadsServesASearchOfItsCaseRule)
{
    TwwTable& table = OpenBanks(QStringLiteral("ByDesc"));   // case-insensitive
    EXPECT_TRUE(LocateFieldValue(table, QStringLiteral("abc bank"), QStringLiteral("BankDesc"), lmWholeValue, false));
    EXPECT_EQ(Desc(table), QStringLiteral("ABC Bank"));
    // With the case flag the case-insensitive index cannot serve: the records are read.
    EXPECT_TRUE(LocateFieldValue(table, QStringLiteral("abc credit"), QStringLiteral("BankDesc"), lmWholeValue, true));
    EXPECT_EQ(Desc(table), QStringLiteral("abc credit"));
    EXPECT_FALSE(LocateFieldValue(table, QStringLiteral("abc bank"), QStringLiteral("BankDesc"), lmWholeValue, true));

    EXPECT_TRUE(LocateFieldValue(table, QStringLiteral("sa"), QStringLiteral("BankDesc"), lmStartOfValue, false));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    // Continuing: Second Trust is the next record that begins with "S".
    EXPECT_TRUE(FindFieldValueRecord(false, table, QStringLiteral("BankDesc"), lmStartOfValue, false, QStringLiteral("s")));
    EXPECT_EQ(Desc(table), QStringLiteral("Second Trust"));
    // Nothing after Second Trust can begin with a text that sorts before it.
    EXPECT_FALSE(FindFieldValueRecord(false, table, QStringLiteral("BankDesc"), lmStartOfValue, false, QStringLiteral("f")));
    EXPECT_EQ(Desc(table), QStringLiteral("Second Trust"));
    EXPECT_FALSE(LocateFieldValue(table, QStringLiteral("zz"), QStringLiteral("BankDesc"), lmStartOfValue, false));
}

TEST_F(Locate, CaseSensitiveIndexFindsOnlyTheExactText)
{
    TwwTable& table = OpenBanks(QStringLiteral("ByDescCase"));
    EXPECT_TRUE(LocateFieldValue(table, QStringLiteral("abc credit"), QStringLiteral("BankDesc"), lmWholeValue, true));
    EXPECT_EQ(Desc(table), QStringLiteral("abc credit"));
    EXPECT_FALSE(LocateFieldValue(table, QStringLiteral("ABC credit"), QStringLiteral("BankDesc"), lmWholeValue, true));
}

TEST_F(Locate, NumbersCompareAsNumbersAndTypedFieldsByTheirText)
{
    TwwTable& table = OpenBanks();
    EXPECT_TRUE(LocateFieldValue(table, QStringLiteral("20.250"), QStringLiteral("Balance"), lmWholeValue, false));
    EXPECT_EQ(Desc(table), QStringLiteral("Second Trust"));
    EXPECT_TRUE(FindFieldValueRecord(false, table, QStringLiteral("Balance"), lmWholeValue, false, QStringLiteral("1500.5")));
    EXPECT_EQ(Desc(table), QStringLiteral("abc credit"));
    EXPECT_TRUE(LocateFieldValue(table, QStringLiteral("7"), QStringLiteral("Branches"), lmWholeValue, false));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    EXPECT_TRUE(LocateFieldValue(table, QStringLiteral("12/31"), QStringLiteral("Opened"), lmStartOfValue, false));
}

TEST_F(Locate, AMissingFieldIsReportedAndAnEmptyTableHasNothingToFind)
{
    TwwTable& table = OpenBanks();
    EXPECT_FALSE(LocateFieldValue(table, QStringLiteral("x"), QStringLiteral("Nope"), lmWholeValue, false));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("Field Nope not found."));
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtWarning);

    Engine().EmptyTable(QStringLiteral("Notes"));
    TwwTable& notes = NewTable(QStringLiteral("Notes"), QStringLiteral("TblNotes"));
    notes.Open();
    EXPECT_FALSE(LocateFieldValue(notes, QString(), QStringLiteral("Note"), lmWholeValue, false));
}

TEST_F(Locate, TheCurrentRecordIsFoundWithoutMoving)
{
    TwwTable& table = OpenBanks();
    table.Last();
    int scrolls = 0;
    table.AfterScroll = [&](TDataSet&) { ++scrolls; };
    EXPECT_TRUE(table.LocateByFieldValue(QStringLiteral("ABC CREDIT"), QStringLiteral("BankDesc"), lmAnywhere, false));
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(Desc(table), QStringLiteral("abc credit"));
}

TEST_F(Locate, AFailingSearchLeavesNeitherHourglassNorDisabledControls)
{
    TwwTable& table = NewTable(QStringLiteral("Banks"));
    auto* calc = new TStringField(&table, 10);
    calc->SetFieldName(QStringLiteral("Calc"));
    calc->SetFieldKind(fkCalculated);
    for (const char* name : {"BankCode", "BankDesc"}) {
        auto* field = new TStringField(&table, 30);
        field->SetFieldName(QString::fromLatin1(name));
        field->SetDataSet(&table);
    }
    calc->SetDataSet(&table);
    int calculated = 0;
    table.OnCalcFields = [&](TDataSet&) {
        if (++calculated > 3) throw EDatabaseError(QStringLiteral("lost"));
        calc->SetAsString(QStringLiteral("x"));
    };
    table.Open();
    // A calculated field is read through the dataset, whose records fail half-way.
    EXPECT_THROW(FindFieldValueRecord(true, table, QStringLiteral("Calc"), lmWholeValue, false, QStringLiteral("none")),
                 EDatabaseError);
    EXPECT_FALSE(table.ControlsDisabled());
    EXPECT_FALSE(presenter.hourglass);
    EXPECT_GT(presenter.hourglassChanges, 0);
}
