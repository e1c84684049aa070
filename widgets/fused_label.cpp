#include "widgets/fused_label.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QUrl>
#include <cmath>

namespace {

const QString WebPrefix = QStringLiteral("http://");
const QString MailPrefix = QStringLiteral("mailto:");
// The formatted text is cut where the label's drawing buffer ended.
constexpr int MaxFormattedLength = 255;

} // namespace

TFusedLabel::TFusedLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    // Mouse moves over the label fire OnMouseMove without a button held.
    setMouseTracking(true);
    fittedSize_ = size();
    fittedFontSize_ = FontPoints();
}

int TFusedLabel::FontPoints() const
{
    const QFont& current = font();
    return current.pointSize() > 0 ? current.pointSize()
                                   : int(std::lround(current.pixelSize() * 72.0 / logicalDpiY()));
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

void TFusedLabel::SetAFitType(TFitType type)
{
    if (type == fitType_)
        return;
    fitType_ = type;
    ++fittedFontSize_;
    update();
}

void TFusedLabel::SetAStyle3D(T3DEffect style)
{
    if (style == style3D_)
        return;
    style3D_ = style;
    update();
}

void TFusedLabel::SetAShadeRightBottom(const QColor& color)
{
    if (color == shadeRightBottom_)
        return;
    shadeRightBottom_ = color;
    update();
}

void TFusedLabel::SetAShadeLeftTop(const QColor& color)
{
    if (shadeLTSet_ || color == shadeLeftTop_)
        return;
    shadeLeftTop_ = color;
    update();
}

void TFusedLabel::SetAHShadeOffSet(int offset)
{
    if (offset == hShadeOffset_)
        return;
    hShadeOffset_ = offset;
    update();
}

void TFusedLabel::SetAVShadeOffSet(int offset)
{
    if (offset == vShadeOffset_)
        return;
    vShadeOffset_ = offset;
    update();
}

void TFusedLabel::SetAShadeLTSet(bool on)
{
    if (on != shadeLTSet_) {
        if (on) {
            savedShadeLeftTop_ = shadeLeftTop_;
            shadeLeftTop_ = Qt::white;
        } else {
            shadeLeftTop_ = savedShadeLeftTop_;
        }
        shadeLTSet_ = on;
    }
    update();
}

void TFusedLabel::SetTransparent(bool on)
{
    if (on == transparent_)
        return;
    transparent_ = on;
    update();
}

void TFusedLabel::SetFormatString(const QString& format)
{
    if (format == formatString_)
        return;
    formatString_ = format;
    update();
}

QString TFusedLabel::DisplayText() const
{
    if (formatString_.isEmpty())
        return text();
    try {
        return Format(formatString_, {text()}).left(MaxFormattedLength);
    } catch (const Exception&) {
        // A format that does not take one string cannot be drawn; raising from
        // a paint would bring the error box back with every repaint.
        return text();
    }
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
    // The desktop opens the link; when it has no program for the link's kind
    // nothing happens and nothing is reported.
    if (!url_.isEmpty())
        QDesktopServices::openUrl(QUrl(LinkAddress()));
}

void TFusedLabel::FitFont(const QString& text)
{
    QFont fitted = font();
    const int dpi = logicalDpiY();
    const auto pixelHeight = [dpi](int points) { return int(std::lround(points * dpi / 72.0)); };
    const int currentSize = FontPoints();
    if (currentSize == fittedFontSize_ && size() == fittedSize_)
        return;
    const QString measured = text.isEmpty() ? QStringLiteral(" ") : text;
    const auto textWidth = [&](int points) {
        QFont probe = fitted;
        probe.setPointSize(points);
        return QFontMetrics(probe, this).horizontalAdvance(measured);
    };
    int points = currentSize;
    switch (fitType_) {
    case TFitType::NormalFit:
        break;
    case TFitType::BestFitVert:
        fitted.setPixelSize(std::max(1, height()));
        points = int(std::lround(height() * 72.0 / dpi));
        break;
    case TFitType::BestFithorz:
        points = 1;
        while (textWidth(points) < width())
            ++points;
        points = std::max(1, points - 2);
        fitted.setPointSize(points);
        break;
    case TFitType::BestFitBoth:
        points = 1;
        while (pixelHeight(points) < height() && textWidth(points) < width())
            ++points;
        points = std::max(1, points - 2);
        fitted.setPointSize(points);
        break;
    }
    fittedFontSize_ = points;
    fittedSize_ = size();
    if (fitted != font())
        setFont(fitted);
}

void TFusedLabel::paintEvent(QPaintEvent*)
{
    const QString text = DisplayText();
    if (fitType_ != TFitType::NormalFit)
        FitFont(text);

    QPainter painter(this);
    if (!transparent_)
        painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setFont(font());
    // Top-aligned as a label draws: the horizontal alignment, word break, tabs.
    const int flags = int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextWordWrap
                      | Qt::TextExpandTabs;
    const bool sunken = style3D_ == T3DEffect::Resit3d;
    const QColor& first = sunken ? shadeRightBottom_ : shadeLeftTop_;
    const QColor& second = sunken ? shadeLeftTop_ : shadeRightBottom_;
    const auto drawAt = [&](int dx, int dy, const QColor& colour) {
        painter.setPen(colour);
        painter.drawText(rect().translated(dx, dy), flags, text);
    };
    switch (style3D_) {
    case T3DEffect::Resit3d:
    case T3DEffect::Raised3d:
        drawAt(1, 1, second);
        drawAt(-1, -1, first);
        break;
    case T3DEffect::Shadowed3d:
        drawAt(hShadeOffset_, vShadeOffset_, second);
        break;
    case T3DEffect::Normal3d:
        break;
    }
    drawAt(0, 0, isEnabled() ? FontColor() : palette().color(QPalette::Disabled, QPalette::WindowText));
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
    // Held down the label looks sunken, and back as it was when let go.
    if (pressed) {
        savedStyle3D_ = style3D_;
        SetAStyle3D(T3DEffect::Resit3d);
    } else {
        SetAStyle3D(savedStyle3D_);
    }
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
    if (rect().contains(event->position().toPoint())) {
        BeginHover();
        if (OnMouseMove)
            OnMouseMove(this);
    } else {
        EndHover();
    }
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
