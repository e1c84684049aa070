// TCustomMaskEdit as a multi-line edit: its lines, where it scrolls, and the
// keys and mouse that move the caret across lines. The line edit underneath
// keeps the text, the caret and the selection; only their layout is ours.
#include "platform/ui/edit_lines.h"
#include "platform/ui/mask_edit.h"
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

TEditStyle TCustomMaskEdit::EditStyle() const
{
    TEditStyle style;
    CreateParams(style);
    return style;
}

void TCustomMaskEdit::SetWordWrap(bool on)
{
    if (on == wordWrap_) return;
    wordWrap_ = on;
    RecreateWnd();
}

void TCustomMaskEdit::WordWrapStyle(TEditStyle& style) const
{
    style.WantReturn = false;
    style.AutoVScroll = false;
    style.MultiLine = wordWrap_ || !hasFrame();
    if (wordWrap_) {
        style.AutoVScroll = true;
        style.AutoHScroll = false;
    }
}

void TCustomMaskEdit::RecreateWnd()
{
    PlaceScrollBar();
    FollowCaret();
    update();
}

bool TCustomMaskEdit::OwnLines() const
{
    const TEditStyle style = EditStyle();
    if (!style.MultiLine || echoMode() != QLineEdit::Normal)
        return false;
    return !style.AutoHScroll || text().contains(u'\r') || text().contains(u'\n');
}

QRect TCustomMaskEdit::FormatRect() const
{
    QRect rect = this->rect().marginsRemoved(textMargins());
    if (hasFrame()) {
        const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        rect.adjust(frame + 2, frame + 2, -frame, -frame);
    } else {
        // Where the line edit and a grid cell put their text, so that the
        // text stays put when an editor opens over a cell.
        rect.adjust(2, 2, 0, 0);
    }
    rect.adjust(0, 0, -1, 0);
    if (vertScrollBar_ && !vertScrollBar_->isHidden())
        rect.setRight(std::min(rect.right(), vertScrollBar_->x() - 1));
    return rect;
}

TEditLines TCustomMaskEdit::Lines() const
{
    return TEditLines(text(), font(), FormatRect().width(), !EditStyle().AutoHScroll, alignment());
}

void TCustomMaskEdit::FollowCaret()
{
    if (!OwnLines()) {
        topLine_ = 0;
        scrollX_ = 0;
        if (vertScrollBar_)
            vertScrollBar_->setRange(0, 0);
        return;
    }
    const TEditLines lines = Lines();
    const QRect rect = FormatRect();
    const int visible = std::max(1, rect.height() / lines.LineHeight());
    const int caretLine = lines.LineOf(cursorPosition());
    if (caretLine < topLine_)
        topLine_ = caretLine;
    else if (caretLine >= topLine_ + visible)
        topLine_ = caretLine - visible + 1;
    topLine_ = std::clamp(topLine_, 0, std::max(0, lines.Count() - visible));
    scrollX_ = 0;
    if (EditStyle().AutoHScroll) {
        const int x = int(lines.CursorX(cursorPosition()));
        if (x - scrollX_ > rect.width() - 1)
            scrollX_ = x - rect.width() + 1;
    }
    if (vertScrollBar_) {
        const QSignalBlocker quiet(vertScrollBar_);
        vertScrollBar_->setRange(0, std::max(0, lines.Count() - visible));
        vertScrollBar_->setPageStep(visible);
        vertScrollBar_->setValue(topLine_);
    }
    update();
}

void TCustomMaskEdit::PlaceScrollBar()
{
    const TEditStyle style = EditStyle();
    if (!style.MultiLine || !style.VertScrollBar) {
        if (vertScrollBar_)
            vertScrollBar_->hide();
        return;
    }
    if (!vertScrollBar_) {
        vertScrollBar_ = new QScrollBar(Qt::Vertical, this);
        vertScrollBar_->setFocusPolicy(Qt::NoFocus);
        vertScrollBar_->setCursor(Qt::ArrowCursor);
        connect(vertScrollBar_, &QScrollBar::valueChanged, this, [this](int line) {
            topLine_ = line;
            update();
        });
    }
    const int frame = hasFrame() ? this->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) : 0;
    const int width = this->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vertScrollBar_);
    vertScrollBar_->setGeometry(this->width() - frame - width, frame, width, height() - 2 * frame);
    vertScrollBar_->show();
}

void TCustomMaskEdit::paintEvent(QPaintEvent* event)
{
    if (!OwnLines()) {
        TCustomEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const TEditLines lines = Lines();
    const QRect rect = FormatRect();
    // Whole lines only, the first always.
    const int visible = std::max(1, rect.height() / lines.LineHeight());
    painter.setClipRect(QRect(rect.left(), rect.top(), rect.width(), visible * lines.LineHeight()) & this->rect());
    painter.setPen(palette().color(QPalette::Text));
    const bool focused = hasFocus();
    const int selStart = focused && hasSelectedText() ? selectionStart() : 0;
    const int selEnd = focused && hasSelectedText() ? selectionEnd() : 0;
    lines.Draw(painter, QPointF(rect.left() - scrollX_, rect.top() - topLine_ * lines.LineHeight()), selStart, selEnd,
               palette(), focused && !isReadOnly() ? cursorPosition() : -1);
}

int TCustomMaskEdit::PositionAt(const QPoint& point) const
{
    const TEditLines lines = Lines();
    const QRect rect = FormatRect();
    const int row = point.y() < rect.top() ? -1 : (point.y() - rect.top()) / lines.LineHeight();
    const int line = std::clamp(topLine_ + row, 0, lines.Count() - 1);
    return lines.PositionAt(line, point.x() - rect.left() + scrollX_);
}

void TCustomMaskEdit::MoveCaret(int position, bool extend)
{
    if (!extend) {
        setCursorPosition(position);
        dragAnchor_ = position;
        return;
    }
    int anchor = cursorPosition();
    if (hasSelectedText())
        anchor = cursorPosition() == selectionStart() ? selectionEnd() : selectionStart();
    setSelection(anchor, position - anchor);
    dragAnchor_ = anchor;
}

bool TCustomMaskEdit::HandleLineKey(QKeyEvent* event)
{
    const TEditStyle style = EditStyle();
    if (!style.MultiLine)
        return false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!style.WantReturn)
            return false;
        event->accept();
        if (!isReadOnly() && !IsMasked() && EditCanModify())
            insert(QStringLiteral("\r\n"));
        return true;
    }
    if (!OwnLines() || (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::NoModifier)
        return false;
    const TEditLines lines = Lines();
    const int caret = cursorPosition();
    const int line = lines.LineOf(caret);
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        MoveCaret(line > 0 ? lines.PositionAt(line - 1, lines.CursorX(caret)) : caret, extend);
        break;
    case Qt::Key_Down:
        MoveCaret(line + 1 < lines.Count() ? lines.PositionAt(line + 1, lines.CursorX(caret)) : caret, extend);
        break;
    case Qt::Key_Home:
        MoveCaret(lines.LineStart(line), extend);
        break;
    case Qt::Key_End:
        MoveCaret(lines.LineEnd(line), extend);
        break;
    default:
        return false;
    }
    event->accept();
    return true;
}

void TCustomMaskEdit::mousePressEvent(QMouseEvent* event)
{
    if (!OwnLines() || event->button() != Qt::LeftButton) {
        TCustomEdit::mousePressEvent(event);
        return;
    }
    MoveCaret(PositionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
    event->accept();
}

void TCustomMaskEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (!OwnLines() || !(event->buttons() & Qt::LeftButton)) {
        TCustomEdit::mouseMoveEvent(event);
        return;
    }
    const int position = PositionAt(event->position().toPoint());
    setSelection(dragAnchor_, position - dragAnchor_);
    event->accept();
}

void TCustomMaskEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!OwnLines() || event->button() != Qt::LeftButton) {
        TCustomEdit::mouseDoubleClickEvent(event);
        return;
    }
    const QString content = text();
    int start = PositionAt(event->position().toPoint());
    int end = start;
    while (start > 0 && content[start - 1].isLetterOrNumber())
        --start;
    while (end < content.size() && content[end].isLetterOrNumber())
        ++end;
    dragAnchor_ = start;
    setSelection(start, end - start);
    event->accept();
}

void TCustomMaskEdit::resizeEvent(QResizeEvent* event)
{
    TCustomEdit::resizeEvent(event);
    PlaceScrollBar();
    FollowCaret();
}

void TCustomMaskEdit::changeEvent(QEvent* event)
{
    TCustomEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FollowCaret();
}
