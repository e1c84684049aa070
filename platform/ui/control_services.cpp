#include "platform/ui/control_services.h"
#include "platform/ui/form.h"
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

bool IsKeyEvent(const QEvent::Type type)
{
    return type == QEvent::KeyPress || type == QEvent::KeyRelease;
}

bool IsUserInput(const QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

// One poll of the keyboard. Qt cannot take a single event out of its queues,
// so the poll lets the application deliver what is pending while this filter
// stands in front of every receiver: it keeps the first key press or release
// for the poll and holds back all later user input, which it posts again, in
// its order, when the poll ends. The controls therefore see no input while a
// filter pass has the dataset half-way through a scan; pending timers and
// repaints run as in any processing of messages. Shortcut checks are
// answered here too, so that a key taken or held back fires no shortcut.
class TKeyboardPoll : public QObject {
public:
    TKeyboardPoll() { QCoreApplication::instance()->installEventFilter(this); }
    ~TKeyboardPoll() override
    {
        QCoreApplication::instance()->removeEventFilter(this);
        for (auto& [receiver, event] : heldBack_)
            if (receiver)
                QCoreApplication::postEvent(receiver, event.release());
    }
    TKeyboardPoll(const TKeyboardPoll&) = delete;
    TKeyboardPoll& operator=(const TKeyboardPoll&) = delete;

    // The key event taken by the poll, if one was pending.
    const std::optional<std::pair<QEvent::Type, int>>& Taken() const { return taken_; }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (!IsUserInput(event->type()))
            return false;
        if (!taken_ && IsKeyEvent(event->type()))
            taken_.emplace(event->type(), static_cast<QKeyEvent*>(event)->key());
        else
            heldBack_.emplace_back(receiver, std::unique_ptr<QEvent>(event->clone()));
        // Accepted, so that a widget's parents are not offered it in turn.
        event->accept();
        return true;
    }

private:
    std::optional<std::pair<QEvent::Type, int>> taken_;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> heldBack_;
};

} // namespace

bool PollEscapeKey()
{
    if (!QCoreApplication::instance())
        return false;
    const TKeyboardPoll poll;
    QCoreApplication::processEvents();
    return poll.Taken() == std::pair(QEvent::KeyPress, int(Qt::Key_Escape));
}

bool InPaintCopyState(const TControlState state)
{
    return (state & csPaintCopy) != 0;
}

void DrawComboButton(QPainter& painter, const QWidget& control, const QRect& rect, const bool pressed,
                     const TControlState state, const bool enabled)
{
    const bool pushed = enabled && pressed && !InPaintCopyState(state);
    QStyle* const style = control.style();

    QStyleOptionButton face;
    face.initFrom(&control);
    face.rect = rect;
    face.state &= ~(QStyle::State_Enabled | QStyle::State_HasFocus | QStyle::State_MouseOver);
    face.palette.setCurrentColorGroup(enabled ? QPalette::Active : QPalette::Disabled);
    if (enabled)
        face.state |= QStyle::State_Enabled;
    face.state |= pushed ? QStyle::State_Sunken : QStyle::State_Raised;
    if (pushed)
        face.features |= QStyleOptionButton::Flat;
    style->drawPrimitive(QStyle::PE_PanelButtonCommand, &face, &painter, &control);

    // The arrow sits in the middle and moves with the face when pushed.
    QStyleOption arrow = face;
    const int side = MaxInteger(MinInteger(rect.width(), rect.height()) / 2, 1);
    arrow.rect = QRect(0, 0, side, side);
    arrow.rect.moveCenter(rect.center());
    if (pushed)
        arrow.rect.translate(style->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &face, &control),
                             style->pixelMetric(QStyle::PM_ButtonShiftVertical, &face, &control));
    style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, &control);
}

void PostKeyWithModifier(QWidget* window, const Qt::Key key, const Qt::KeyboardModifiers modifier)
{
    if (!window)
        return;
    QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, key, modifier, QString(), false, 1));
    QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyRelease, key, modifier, QString(), false, 1));
}

void ReleaseMouseButton()
{
    QWidget* const form = QApplication::activeWindow();
    QWidget* const holder = QWidget::mouseGrabber();
    if (!form || !holder || (holder != form && !form->isAncestorOf(holder)))
        return;
    holder->releaseMouse();
    const QPointF global = QCursor::pos();
    QCoreApplication::postEvent(holder, new QMouseEvent(QEvent::MouseButtonRelease, holder->mapFromGlobal(global),
                                                        global, Qt::LeftButton, Qt::NoButton,
                                                        QGuiApplication::keyboardModifiers()));
}

QObject* GetOwnerForm(const QObject* component)
{
    QObject* owner = component ? component->parent() : nullptr;
    while (owner && !qobject_cast<TForm*>(owner) && owner->parent())
        owner = owner->parent();
    return owner;
}

QRect GetDesktopWorkArea()
{
    const QScreen* const screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
