#include "grid/filter_escape.h"
#include "dataset/ww_table.h"
#include "platform/ui/form.h"
#include "tests/ui/event_recorder.h"
#include "tests/ui/test_application.h"
#include <QShortcut>
#include <gtest/gtest.h>

namespace {

class FilterEscapeTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        QCoreApplication::processEvents();   // nothing left over from an earlier test
        target.show();
        table.SetOnFilterOptionsValue(ofoEnabled | ofoCancelOnEscape);
    }
    void Post(QEvent::Type type, Qt::Key key)
    {
        QCoreApplication::postEvent(&target, new QKeyEvent(type, key, Qt::NoModifier));
    }
    TRecorder target;
    TwwTable table;
};

} // namespace


TEST_F(FilterEscapeTest, EscapeTakenFromThePendingInputTurnsTheFilterOff)
{
    Post(QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_TRUE(EscapePressed(table));
    EXPECT_EQ(table.OnFilterOptionsValue(), unsigned(ofoCancelOnEscape));
    QCoreApplication::processEvents();
    EXPECT_TRUE(target.Seen.empty()) << "the poll consumes the key";
}

TEST_F(FilterEscapeTest, EscapeTakenByThePollFiresNoShortcut)
{
    TForm form;
    TRecorder* const edit = new TRecorder(&form);
    int cancelled = 0;
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), &form), &QShortcut::activated,
                     [&] { ++cancelled; });
    form.show();
    QApplication::setActiveWindow(&form);
    edit->setFocus();
    QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_TRUE(EscapePressed(table));
    EXPECT_EQ(cancelled, 0);
}

TEST_F(FilterEscapeTest, NoEscapeLeavesTheFilterOn)
{
    EXPECT_FALSE(EscapePressed(table));   // nothing pending

    Post(QEvent::KeyRelease, Qt::Key_Escape);   // only a key-down counts
    EXPECT_FALSE(EscapePressed(table));
    EXPECT_EQ(table.OnFilterOptionsValue(), unsigned(ofoEnabled | ofoCancelOnEscape));
}

TEST_F(FilterEscapeTest, EachPollTakesOneKeyAndLaterInputWaitsInOrder)
{
    Post(QEvent::KeyPress, Qt::Key_A);
    QCoreApplication::postEvent(&target, new QMouseEvent(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2),
                                                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    Post(QEvent::KeyPress, Qt::Key_Escape);
    Post(QEvent::KeyPress, Qt::Key_B);

    EXPECT_FALSE(EscapePressed(table)) << "A is the next key; it is dropped";
    EXPECT_TRUE(target.Seen.empty()) << "no input reaches the controls during the poll";
    EXPECT_EQ(table.OnFilterOptionsValue(), unsigned(ofoEnabled | ofoCancelOnEscape));

    EXPECT_TRUE(EscapePressed(table));
    EXPECT_EQ(table.OnFilterOptionsValue(), unsigned(ofoCancelOnEscape));

    QCoreApplication::processEvents();
    ASSERT_EQ(target.Seen.size(), 2u);
    EXPECT_EQ(target.Seen[0].Type, QEvent::MouseButtonPress);
    EXPECT_EQ(target.Seen[1].Type, QEvent::KeyPress);
    EXPECT_EQ(target.Seen[1].Key, Qt::Key_B);
}
