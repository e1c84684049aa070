#include "dataset/filter_record_callback.h"
#include "dataset/property_reflection.h"
#include "dataset/ww_query.h"
#include "grid/filter_escape.h"
#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "tests/dataset/filter_fixture.h"
#include "tests/ui/test_application.h"
#include <QKeyEvent>
#include <QWidget>

namespace {

class QueryRecordFilterTest : public FilterTest {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        FilterTest::SetUp();
        query.SetDatabaseName(QString::fromLatin1(kDatabase));
        QCoreApplication::processEvents();
        target.show();
        SetFilterEscapePoll(EscapePressed);
    }
    void TearDown() override
    {
        SetFilterEscapePoll(nullptr);
        query.Close();
        FilterTest::TearDown();
    }

    // The values of the first field in a walk from the first record, joined.
    QString Walk()
    {
        QString seen;
        for (query.First(); !query.Eof(); query.Next()) seen += query.Fields(0)->AsString() + u' ';
        return seen.trimmed();
    }

    TwwQuery query;
    QWidget target;
};

} // namespace

TEST_F(QueryRecordFilterTest, TheEventHidesRowsUntilTheFilterIsSwitchedOff)
{
    query.SQL()->Add(QStringLiteral("select Code, Paid from Ledger order by Code"));
    std::vector<QString> asked;
    query.SetOnFilter([&](TDataSet& dataSet, bool& accept) {
        asked.push_back(dataSet.FieldByName(QStringLiteral("Code"))->AsString());
        accept = dataSet.FieldByName(QStringLiteral("Paid"))->AsBoolean();
    });
    // A grid's window of ten records holds only the accepted ones.
    TDataSource source;
    source.SetDataSet(&query);
    TDataLink grid;
    grid.SetBufferCount(10);
    grid.SetDataSource(&source);
    query.Open();
    ASSERT_EQ(grid.RecordCount(), 3);
    EXPECT_EQ(query.RecordCount(), 3);
    EXPECT_EQ(Walk(), QStringLiteral("A C F"));
    EXPECT_FALSE(query.IsSequenced());
    EXPECT_EQ(asked.front(), QStringLiteral("A"));

    // Off through the published option, as the grid's Escape poll does it: the
    // open query shows every row at once, without the event being asked.
    asked.clear();
    SetFilterOptionEnabled(&query, false);
    EXPECT_EQ(query.RecordCount(), 6);
    EXPECT_EQ(grid.RecordCount(), 6);
    EXPECT_EQ(Walk(), QStringLiteral("A B C D E F"));
    EXPECT_TRUE(asked.empty());

    SetFilterOptionEnabled(&query, true);
    EXPECT_EQ(query.RecordCount(), 3);
    EXPECT_EQ(Walk(), QStringLiteral("A C F"));

    // Closing and opening again keeps the filter; removing the event ends it.
    query.Close();
    query.Open();
    EXPECT_EQ(Walk(), QStringLiteral("A C F"));
    query.SetOnFilter(nullptr);
    EXPECT_EQ(query.RecordCount(), 6);
    EXPECT_TRUE(query.IsSequenced());
}

TEST_F(QueryRecordFilterTest, EscapeTypedDuringALongPassStopsTheFilterAndShowsEveryRow)
{
    Numbers(5000);
    query.SQL()->Add(QStringLiteral("select N from Numbers order by N"));
    int asked = 0, escapes = 0;
    query.SetOnFilter([&](TDataSet&, bool& accept) {
        ++asked;
        accept = false;
    });
    query.OnFilterEscape = [&](TDataSet& dataSet) {
        ++escapes;
        EXPECT_EQ(&dataSet, &query);
    };
    query.SetOnFilterOptions(ofoEnabled | ofoShowHourGlass | ofoCancelOnEscape);

    QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    query.Open();
    EXPECT_EQ(asked, 100) << "the first look at the keyboard found Escape";
    EXPECT_EQ(escapes, 1);
    EXPECT_EQ(query.OnFilterOptionsValue(), unsigned(ofoShowHourGlass | ofoCancelOnEscape));
    EXPECT_FALSE(presenter.hourglass);
    EXPECT_EQ(query.RecordCount(), 5000);
    query.First();
    EXPECT_EQ(query.Fields(0)->AsInteger(), 1) << "the rows the pass hid are back";
    EXPECT_EQ(asked, 100);

    // Without Escape the same pass runs to the end and hides every row.
    query.Close();
    query.SetOnFilterOptions(ofoEnabled | ofoCancelOnEscape);
    asked = 0;
    query.Open();
    EXPECT_TRUE(query.IsEmpty());
    EXPECT_GE(asked, 5000);
    EXPECT_EQ(escapes, 1);
}
