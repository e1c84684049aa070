#include "platform/ui/control_services.h"
#include "platform/rtl/component.h"
#include "platform/ui/form.h"
#include "tests/ui/event_recorder.h"
#include "tests/ui/test_application.h"
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

// Paints nothing but a combo button over its whole face.
class TComboButtonFace : public QWidget {
public:
    TComboButtonFace() { resize(24, 22); }
    QImage Paint(bool pressed, TControlState state, bool enabled)
    {
        pressed_ = pressed;
        state_ = state;
        enabled_ = enabled;
        return grab().toImage();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        DrawComboButton(painter, *this, rect(), pressed_, state_, enabled_);
    }

private:
    bool pressed_ = false;
    TControlState state_ = 0;
    bool enabled_ = true;
};

class ControlServicesTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        QCoreApplication::processEvents();   // nothing left over from an earlier test
        target.show();
    }
    TRecorder target;
};

} // namespace

TEST_F(ControlServicesTest, PostedKeyArrivesWithItsModifierWhenTheLoopRuns)
{
    PostKeyWithModifier(&target, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(target.Seen.empty()) << "posted, not sent";
    QCoreApplication::processEvents();
    ASSERT_EQ(target.Seen.size(), 2u);
    EXPECT_EQ(target.Seen[0].Type, QEvent::KeyPress);
    EXPECT_EQ(target.Seen[1].Type, QEvent::KeyRelease);
    for (const auto& seen : target.Seen) {
        EXPECT_EQ(seen.Key, Qt::Key_Down);
        EXPECT_EQ(seen.Modifiers, Qt::AltModifier);
    }
    PostKeyWithModifier(nullptr, Qt::Key_Down, Qt::AltModifier);   // no window: nothing happens
}

TEST_F(ControlServicesTest, ComboButtonLooksPushedOnlyWhenEnabledPressedAndNoCopy)
{
    TComboButtonFace face;
    const QImage plain = face.Paint(false, 0, true);
    const QImage pushed = face.Paint(true, 0, true);
    const QImage disabled = face.Paint(false, 0, false);
    EXPECT_NE(pushed, plain);
    EXPECT_NE(disabled, plain);
    EXPECT_NE(disabled, pushed);
    EXPECT_EQ(face.Paint(true, csPaintCopy, true), plain) << "a copy in a grid cell is never pushed";
    EXPECT_EQ(face.Paint(true, 0, false), disabled) << "disabled wins over pressed";
    EXPECT_TRUE(InPaintCopyState(csPaintCopy));
    EXPECT_FALSE(InPaintCopyState(0));
}

TEST_F(ControlServicesTest, ReleaseMouseButtonEndsTheHoldOfAControlOnTheActiveForm)
{
    TForm form;
    TRecorder* const button = new TRecorder(&form);
    form.show();
    QApplication::setActiveWindow(&form);
    button->grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), button);

    ReleaseMouseButton();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QCoreApplication::processEvents();
    ASSERT_EQ(button->Seen.size(), 1u);
    EXPECT_EQ(button->Seen[0].Type, QEvent::MouseButtonRelease);
    EXPECT_EQ(button->Seen[0].Button, Qt::LeftButton);
}

TEST_F(ControlServicesTest, ReleaseMouseButtonLeavesAHoldOutsideTheActiveForm)
{
    TForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    target.grabMouse();
    ReleaseMouseButton();
    EXPECT_EQ(QWidget::mouseGrabber(), &target);
    target.releaseMouse();
    QCoreApplication::processEvents();
    EXPECT_TRUE(target.Seen.empty());
}

TEST_F(ControlServicesTest, OwnerFormIsTheFirstFormUpTheOwnerChain)
{
    TForm outer;
    TForm* const inner = new TForm(&outer);
    QWidget* const panel = new QWidget(inner);
    QWidget* const edit = new QWidget(panel);
    EXPECT_EQ(GetOwnerForm(edit), inner);
    EXPECT_EQ(GetOwnerForm(inner), &outer);

    TComponent module;
    TComponent* const holder = new TComponent(&module);
    TComponent* const part = new TComponent(holder);
    EXPECT_EQ(GetOwnerForm(part), &module) << "no form: the last owner reached";
    EXPECT_EQ(GetOwnerForm(&module), nullptr);
    EXPECT_EQ(GetOwnerForm(nullptr), nullptr);
}

TEST_F(ControlServicesTest, DesktopWorkAreaAndIntegerBounds)
{
    EXPECT_FALSE(GetDesktopWorkArea().isEmpty());
    EXPECT_EQ(MaxInteger(-3, 2), 2);
    EXPECT_EQ(MaxInteger(2, -3), 2);
    EXPECT_EQ(MinInteger(-3, 2), -3);
    EXPECT_EQ(MinInteger(2, -3), -3);
}
