#include "dataset/filter_record_callback.h"
#include "grid/filter_escape.h"
#include "platform/db/field.h"
#include "tests/dataset/filter_fixture.h"
#include "tests/ui/test_application.h"
#include <QKeyEvent>
#include <QWidget>

namespace {

class RecordFilterEscapeTest : public FilterTest {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        FilterTest::SetUp();
        QCoreApplication::processEvents();
        target.show();
        SetFilterEscapePoll(EscapePressed);
    }
    void TearDown() override
    {
        SetFilterEscapePoll(nullptr);
        FilterTest::TearDown();
    }
    QWidget target;
};

} // namespace

TEST_F(RecordFilterEscapeTest, EscapeTypedDuringALongPassStopsTheFilterAndShowsEveryRecord)
{
    TwwTable& table = Numbers(5000);
    int asked = 0, escapes = 0;
    table.SetOnFilter([&](TDataSet&, bool& accept) {
        ++asked;
        accept = false;
    });
    table.OnFilterEscape = [&](TDataSet&) { ++escapes; };
    table.SetOnFilterOptions(ofoEnabled | ofoShowHourGlass | ofoCancelOnEscape);

    QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    table.Open();
    EXPECT_EQ(asked, 100) << "the first look at the keyboard found Escape";
    EXPECT_EQ(escapes, 1);
    EXPECT_EQ(table.OnFilterOptionsValue(), unsigned(ofoShowHourGlass | ofoCancelOnEscape));
    EXPECT_EQ(table.FieldByName(QStringLiteral("N"))->AsInteger(), 1);
    EXPECT_EQ(table.RecordCount(), 5000);
    EXPECT_FALSE(presenter.hourglass);

    // Without Escape the same pass runs to the end and hides everything.
    table.Close();
    table.SetOnFilterOptions(ofoEnabled | ofoCancelOnEscape);
    asked = 0;
    table.Open();
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_GE(asked, 5000);
    EXPECT_EQ(escapes, 1);
}
