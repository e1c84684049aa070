#include "grid/combo_button.h"
#include "grid/lookup_combo.h"
#include <QMouseEvent>
#include <QPainter>

TwwComboButton::TwwComboButton(TwwDBCustomLookupCombo& combo, QWidget* panel) : QWidget(panel), combo_(combo)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

void TwwComboButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    if (!combo_.IsDroppedDown() && !combo_.hasFocus()) {
        if (combo_.isEnabled() && combo_.focusPolicy() != Qt::NoFocus) combo_.setFocus(Qt::MouseFocusReason);
        // A combo that cannot take the focus does not open.
        if (!combo_.hasFocus()) return;
    }
    down_ = true;
    update();
    if (!combo_.IsDroppedDown()) {
        combo_.DropDown();
    } else {
        if (combo_.Found()) combo_.AcceptRow();
        combo_.CloseUp(true);
    }
}

void TwwComboButton::mouseMoveEvent(QMouseEvent* event)
{
    // Dragging from the button into the open list moves through its rows.
    if (event->buttons() & Qt::LeftButton) combo_.DragIntoGrid(event->globalPosition().toPoint(), false);
}

void TwwComboButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !down_) return;
    down_ = false;
    update();
    combo_.DragIntoGrid(event->globalPosition().toPoint(), true);
}

void TwwComboButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    combo_.PaintButton(painter, rect(), down_);
}
