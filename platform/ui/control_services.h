#pragma once
// The small screen-side services that controls share: the keyboard poll of a
// long pass, the combo drop-down button, keys posted with a modifier, the
// release of a held mouse button, the owning form and the desktop work area.
#include <QRect>
#include <Qt>

class QObject;
class QPainter;
class QWidget;

// The state of a control that its painting reads. A control painted as a copy
// into a grid cell (not as itself) carries csPaintCopy.
enum TControlStateFlag : unsigned { csPaintCopy = 1u << 0 };
using TControlState = unsigned;

// Polls the keyboard once, from within a long pass that processes no other
// input. The next pending key press or release is taken out of the
// application's events, if there is one; true when it is a press of Escape.
// Any other key so taken is dropped. Input that arrives behind it waits, in
// its order, until the pass is over.
bool PollEscapeKey();

// Paints a combo's drop-down button (a button face with a down arrow) into
// Rect with the control's style: disabled gives the inactive look; enabled,
// pressed and not painted as a copy gives the pushed, flat look; otherwise the
// plain button.
void DrawComboButton(QPainter& painter, const QWidget& control, const QRect& rect, bool pressed,
                     TControlState state, bool enabled);
bool InPaintCopyState(TControlState state);

// Posts a press and a release of Key carrying Modifier to Window, as if the
// user had typed them there; they arrive when the event loop next runs. The
// events carry no text: they are for command keys (Alt+Down opens a combo).
void PostKeyWithModifier(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifier);

// When the active window or one of its controls holds the mouse (has grabbed
// it, as a button does while the left button is down on it), ends the grab
// and posts it a left-button release, so that it leaves its pressed state.
void ReleaseMouseButton();

// The first form among the owners of Component, or the last owner reached
// when none is a form; null for a component without owner.
QObject* GetOwnerForm(const QObject* component);

// The primary screen's area not taken by panels and task bars; empty without
// a screen.
QRect GetDesktopWorkArea();

constexpr int MaxInteger(int a, int b) { return a > b ? a : b; }
constexpr int MinInteger(int a, int b) { return a < b ? a : b; }
