#include "widgets/fused_label.h"
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QUrl>

namespace {

const QString WebPrefix = QStringLiteral("http://");
const QString MailPrefix = QStringLiteral("mailto:");

} // namespace

TFusedLabel::TFusedLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

QColor TFusedLabel::FontColor() const
{
    return palette().color(QPalette::WindowText);
}

void TFusedLabel::SetFontColor(const QColor& color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, color);
    setPalette(colours);
}

void TFusedLabel::SetURL(const QString& url)
{
    if (url.contains(QLatin1Char('@')))
        linkType_ = TLinkType::ltMail;
    if (url.contains(QLatin1Char('/')))
        linkType_ = TLinkType::ltWeb;
    const QString scheme = url.left(7).toLower();
    url_ = (scheme == WebPrefix || scheme == MailPrefix) ? url.mid(7) : url;
    if (urlAsHint_)
        setToolTip(url_);
    if (url_.isEmpty())
        unsetCursor();
    else
        setCursor(Qt::PointingHandCursor);
}

QString TFusedLabel::LinkAddress() const
{
    static const QRegularExpression ownScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (url_.isEmpty() || ownScheme.match(url_).hasMatch())
        return url_;
    return (linkType_ == TLinkType::ltMail ? MailPrefix : WebPrefix) + url_;
}

void TFusedLabel::SetURLAsHint(bool on)
{
    urlAsHint_ = on;
    setToolTip(on ? url_ : QString());
}

void TFusedLabel::Click()
{
    if (OnClick)
        OnClick(this);
    // With nothing to open the link, nothing happens and nothing is reported.
    if (!url_.isEmpty())
        QDesktopServices::openUrl(QUrl(LinkAddress()));
}

void TFusedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    const int flags = int(alignment()) | Qt::TextWordWrap | Qt::TextExpandTabs;
    if (pressed_) {
        // The sunken look: light below right, dark above left, text on top.
        painter.setPen(shadeLeftTop_);
        painter.drawText(rect().translated(1, 1), flags, text());
        painter.setPen(shadeRightBottom_);
        painter.drawText(rect().translated(-1, -1), flags, text());
    }
    painter.setPen(isEnabled() ? FontColor() : palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(rect(), flags, text());
}

void TFusedLabel::BeginHover()
{
    if (hovered_)
        return;
    hovered_ = true;
    savedFontColor_ = FontColor();
    SetFontColor(enterColor_);
}

void TFusedLabel::EndHover()
{
    if (!hovered_)
        return;
    hovered_ = false;
    SetPressed(false);
    SetFontColor(savedFontColor_);
    if (OnMouseOut)
        OnMouseOut(this);
}

void TFusedLabel::SetPressed(bool pressed)
{
    if (pressed_ == pressed)
        return;
    pressed_ = pressed;
    update();
}

void TFusedLabel::enterEvent(QEnterEvent* event)
{
    BeginHover();
    QLabel::enterEvent(event);
}

void TFusedLabel::leaveEvent(QEvent* event)
{
    EndHover();
    QLabel::leaveEvent(event);
}

void TFusedLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        BeginHover();
        if (buttonLike_)
            SetPressed(true);
    }
    QLabel::mousePressEvent(event);
}

void TFusedLabel::mouseMoveEvent(QMouseEvent* event)
{
    // While a button is held the label keeps the mouse, so leaving shows here.
    if (rect().contains(event->position().toPoint()))
        BeginHover();
    else
        EndHover();
    QLabel::mouseMoveEvent(event);
}

void TFusedLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool inside = hovered_ && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        SetPressed(false);
        if (inside)
            Click();
    }
    QLabel::mouseReleaseEvent(event);
}
