#include "grid/control_helpers.h"
#include "dataset/ww_table.h"
#include "platform/rtl/component.h"
#include "platform/ui/form.h"
#include "tests/ui/test_application.h"
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QShortcut>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A widget that notes the key and mouse events that reach it.
class TRecorder : public QWidget {
public:
    using QWidget::QWidget;
    struct TSeen {
        QEvent::Type Type;
        int Key = 0;
        Qt::KeyboardModifiers Modifiers;
        Qt::MouseButton Button = Qt::NoButton;
    };
    std::vector<TSeen> Seen;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            Seen.push_back({event->type(), key->key(), key->modifiers()});
        } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            Seen.push_back({event->type(), 0, mouse->modifiers(), mouse->button()});
        }
        return QWidget::event(event);
    }
};

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

class ControlHelpersTest : public testing::Test {
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

TEST_F(ControlHelpersTest, EscapeTakenFromThePendingInputTurnsTheFilterOff)
{
    Post(QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_TRUE(EscapePressed(table));
    EXPECT_EQ(table.OnFilterOptionsValue(), unsigned(ofoCancelOnEscape));
    QCoreApplication::processEvents();
    EXPECT_TRUE(target.Seen.empty()) << "the poll consumes the key";
}

TEST_F(ControlHelpersTest, EscapeTakenByThePollFiresNoShortcut)
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

TEST_F(ControlHelpersTest, NoEscapeLeavesTheFilterOn)
{
    EXPECT_FALSE(EscapePressed(table));   // nothing pending

    Post(QEvent::KeyRelease, Qt::Key_Escape);   // only a key-down counts
    EXPECT_FALSE(EscapePressed(table));
    EXPECT_EQ(table.OnFilterOptionsValue(), unsigned(ofoEnabled | ofoCancelOnEscape));
}

TEST_F(ControlHelpersTest, EachPollTakesOneKeyAndLaterInputWaitsInOrder)
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

TEST_F(ControlHelpersTest, PostedKeyArrivesWithItsModifierWhenTheLoopRuns)
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

TEST_F(ControlHelpersTest, ComboButtonLooksPushedOnlyWhenEnabledPressedAndNoCopy)
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

TEST_F(ControlHelpersTest, ReleaseMouseButtonEndsTheHoldOfAControlOnTheActiveForm)
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

TEST_F(ControlHelpersTest, ReleaseMouseButtonLeavesAHoldOutsideTheActiveForm)
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

TEST_F(ControlHelpersTest, OwnerFormIsTheFirstFormUpTheOwnerChain)
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

TEST_F(ControlHelpersTest, DesktopWorkAreaAndIntegerBounds)
{
    EXPECT_FALSE(GetDesktopWorkArea().isEmpty());
    EXPECT_EQ(MaxInteger(-3, 2), 2);
    EXPECT_EQ(MaxInteger(2, -3), 2);
    EXPECT_EQ(MinInteger(-3, 2), -3);
    EXPECT_EQ(MinInteger(2, -3), -3);
}
