#include "platform/ui/application.h"
#include "platform/ui/screen.h"
#include "tests/ui/test_application.h"
#include <gtest/gtest.h>

namespace {

// The shape Qt shows over the whole program, or -1 for none.
int OverrideShape()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor ? int(cursor->shape()) : -1;
}

class ScreenCursorTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        previousPresenter = &Presenter();
        SetPresenter(&Application->QtPresenter());
    }
    void TearDown() override
    {
        Screen->SetCursor(crDefault);
        SetPresenter(previousPresenter);
    }

    TPresenter* previousPresenter = nullptr;
};

} // namespace

TEST_F(ScreenCursorTest, HourglassNestsAndGivesBackTheCursorItFound)
{
    {
        const THourglass outer;
        EXPECT_EQ(Screen->Cursor(), crHourGlass);
        EXPECT_EQ(OverrideShape(), int(Qt::WaitCursor));
        {
            const THourglass inner;
        }
        EXPECT_EQ(OverrideShape(), int(Qt::WaitCursor));   // the outer work still runs
    }
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(OverrideShape(), -1);

    // A window that set the hourglass itself keeps it after the data layer's.
    Screen->SetCursor(crHourGlass);
    {
        const THourglass hourglass;
    }
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(OverrideShape(), -1);

    // An error that unwinds the work restores the arrow that was in force,
    // changing the one override entry in place.
    Screen->SetCursor(crArrow);
    try {
        const THourglass hourglass;
        throw EAbort(QStringLiteral("Operation aborted"));
    } catch (const EAbort&) {
    }
    EXPECT_EQ(Screen->Cursor(), crArrow);
    EXPECT_EQ(OverrideShape(), int(Qt::ArrowCursor));
    Screen->SetCursor(crDefault);
    EXPECT_EQ(OverrideShape(), -1);
}

TEST_F(ScreenCursorTest, ActiveFormIsTheFormWithTheFocus)
{
    TForm first, second;
    first.Show();
    second.Show();
    second.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(Screen->ActiveForm(), &second);
    first.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(Screen->ActiveForm(), &first);
}
