#include "platform/ui/standard_controls.h"
#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

QString StripAccelChars(const QString& caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        else if (caption[i] == QLatin1Char('&'))
            continue;
        shown += caption[i];
    }
    return shown;
}

namespace {

Qt::Alignment HorizontalAlignment(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify: return Qt::AlignRight;
    case taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

void FillWith(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

} // namespace

// ---- TLabel

TLabel::TLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TLabel::SetCaption(const QString& caption)
{
    caption_ = caption;
    ShowCaption();
}

void TLabel::ShowCaption()
{
    // With a focus control Qt draws the access key itself; without one the
    // marker is only taken out of the text.
    setText(buddy() ? caption_ : StripAccelChars(caption_));
    if (autoSize_)
        adjustSize();
}

void TLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    if (autoSize)
        adjustSize();
}

void TLabel::SetColor(const QColor& color)
{
    FillWith(this, color);
    setAutoFillBackground(true);
}

void TLabel::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    setAlignment(HorizontalAlignment(alignment) | Qt::AlignTop);
}

void TLabel::SetFocusControl(QWidget* control)
{
    setBuddy(control);
    ShowCaption();
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick(this);
}

void TLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
}

// ---- TShape

TShape::TShape(QWidget* parent) : QWidget(parent)
{
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(pen_);
    painter.setBrush(brush_);
    const QRect figure = rect().adjusted(0, 0, -1, -1);
    switch (shape_) {
    case TShapeType::stRectangle: painter.drawRect(figure); break;
    case TShapeType::stRoundRect: painter.drawRoundedRect(figure, 4, 4); break;
    case TShapeType::stEllipse: painter.drawEllipse(figure); break;
    }
}

// ---- TBevel

TBevel::TBevel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    const QColor first = style_ == TBevelStyle::bsLowered ? shadow : light;
    const QColor second = style_ == TBevelStyle::bsLowered ? light : shadow;
    const int w = width(), h = height();
    // Each edge is a pair of lines: the first colour outside, the second inside.
    auto line = [&](QPoint a, QPoint b, QPoint step) {
        painter.setPen(first);
        painter.drawLine(a, b);
        painter.setPen(second);
        painter.drawLine(a + step, b + step);
    };
    switch (shape_) {
    case TBevelShape::bsBox:
        painter.setPen(first);
        painter.drawLine(0, 0, w - 1, 0);
        painter.drawLine(0, 0, 0, h - 1);
        painter.setPen(second);
        painter.drawLine(w - 1, 0, w - 1, h - 1);
        painter.drawLine(0, h - 1, w - 1, h - 1);
        break;
    case TBevelShape::bsFrame:
        painter.setPen(first);
        painter.drawRect(0, 0, w - 2, h - 2);
        painter.setPen(second);
        painter.drawRect(1, 1, w - 2, h - 2);
        break;
    case TBevelShape::bsTopLine: line({0, 0}, {w - 1, 0}, {0, 1}); break;
    case TBevelShape::bsBottomLine: line({0, h - 2}, {w - 1, h - 2}, {0, 1}); break;
    case TBevelShape::bsLeftLine: line({0, 0}, {0, h - 1}, {1, 0}); break;
    case TBevelShape::bsRightLine: line({w - 2, 0}, {w - 2, h - 1}, {1, 0}); break;
    case TBevelShape::bsSpacer: break;
    }
}

// ---- TPanel

void DrawBevelEdge(QPainter& painter, const QPalette& palette, QRect rect, TPanelBevel bevel, int width)
{
    if (bevel == TPanelBevel::bvNone)
        return;
    const QColor topLeft = palette.color(bevel == TPanelBevel::bvRaised ? QPalette::Light : QPalette::Dark);
    const QColor bottomRight = palette.color(bevel == TPanelBevel::bvRaised ? QPalette::Dark : QPalette::Light);
    for (int i = 0; i < width; ++i) {
        const QRect r = rect.adjusted(i, i, -i, -i);
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.topRight(), r.bottomRight());
        painter.drawLine(r.bottomLeft(), r.bottomRight());
    }
}

TPanel::TPanel(QWidget* parent) : QFrame(parent)
{
    setAutoFillBackground(true);
}

void TPanel::SetColor(const QColor& color)
{
    FillWith(this, color);
}

void TPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect edge = rect();
    DrawBevelEdge(painter, palette(), edge, bevelOuter_, bevelWidth_);
    if (bevelOuter_ != TPanelBevel::bvNone)
        edge.adjust(bevelWidth_, bevelWidth_, -bevelWidth_, -bevelWidth_);
    edge.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    DrawBevelEdge(painter, palette(), edge, bevelInner_, bevelWidth_);
    if (caption_.isEmpty())
        return;
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect text = edge.adjusted(bevelWidth_ + 1, 0, -bevelWidth_ - 1, 0);
    painter.drawText(text, HorizontalAlignment(alignment_) | Qt::AlignVCenter | Qt::TextSingleLine,
                     StripAccelChars(caption_));
}

// ---- TImage

TImage::TImage(QWidget* parent) : QWidget(parent)
{
}

void TImage::SetPicture(const QPixmap& picture)
{
    picture_ = picture;
    PrepareShown();
}

void TImage::SetTransparent(bool transparent)
{
    transparent_ = transparent;
    PrepareShown();
}

void TImage::PrepareShown()
{
    shown_ = picture_;
    if (transparent_ && !picture_.isNull()) {
        const QImage image = picture_.toImage();
        const QColor key = image.pixelColor(0, image.height() - 1);
        shown_.setMask(QBitmap::fromImage(image.createMaskFromColor(key.rgb(), Qt::MaskInColor)));
    }
    update();
}

void TImage::paintEvent(QPaintEvent*)
{
    if (shown_.isNull())
        return;
    QPainter painter(this);
    if (stretch_) {
        painter.drawPixmap(rect(), shown_);
    } else if (center_) {
        painter.drawPixmap((width() - shown_.width()) / 2, (height() - shown_.height()) / 2, shown_);
    } else {
        painter.drawPixmap(0, 0, shown_);
    }
}

// ---- TTimer

TTimer::TTimer(QObject* owner) : QObject(owner)
{
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (onTimer_)
            onTimer_(this);
    });
}

void TTimer::SetInterval(int milliseconds)
{
    interval_ = milliseconds;
    Update();
}

void TTimer::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    Update();
}

void TTimer::SetOnTimer(std::function<void(QObject* sender)> handler)
{
    onTimer_ = std::move(handler);
    Update();
}

void TTimer::Update()
{
    // Like the class library's timer: a change of interval starts counting afresh.
    timer_.stop();
    if (enabled_ && interval_ > 0 && onTimer_)
        timer_.start(interval_);
}

// ---- TScrollBar

TScrollBar::TScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent)
{
    connect(this, &QScrollBar::valueChanged, this, [this] {
        if (OnChange)
            OnChange(this);
    });
}

TScrollBarKind TScrollBar::Kind() const
{
    return orientation() == Qt::Horizontal ? TScrollBarKind::sbHorizontal : TScrollBarKind::sbVertical;
}

void TScrollBar::SetKind(TScrollBarKind kind)
{
    setOrientation(kind == TScrollBarKind::sbHorizontal ? Qt::Horizontal : Qt::Vertical);
}

// ---- TUpDown

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
    }
    connect(up_, &QToolButton::clicked, this, [this] { Click(TUDBtnType::btNext); });
    connect(down_, &QToolButton::clicked, this, [this] { Click(TUDBtnType::btPrev); });
    resize(17, 21);
}

void TUpDown::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

void TUpDown::SetAssociate(QLineEdit* edit)
{
    if (associate_)
        associate_->removeEventFilter(this);
    associate_ = edit;
    associateObject_ = edit;
    if (!edit)
        return;
    edit->installEventFilter(this);
    PlaceBesideAssociate();
    ShowPosition();
}

void TUpDown::PlaceBesideAssociate()
{
    if (associate_->parentWidget() != parentWidget())
        setParent(associate_->parentWidget());
    const QRect area = associate_->geometry();
    setGeometry(area.right() + 1, area.top(), width(), area.height());
    show();
}

void TUpDown::SetMin(int min)
{
    min_ = min;
    SetPosition(position_);
}

void TUpDown::SetMax(int max)
{
    max_ = max;
    SetPosition(position_);
}

void TUpDown::SetPosition(int position)
{
    position_ = std::clamp(position, std::min(min_, max_), std::max(min_, max_));
    ShowPosition();
}

void TUpDown::ShowPosition()
{
    if (associate_)
        associate_->setText(QString::number(position_));
}

void TUpDown::ReadAssociate()
{
    // The user may have typed a number into the edit since the last step.
    if (!associate_)
        return;
    bool ok = false;
    const int typed = associate_->text().trimmed().toInt(&ok);
    if (ok)
        position_ = std::clamp(typed, std::min(min_, max_), std::max(min_, max_));
}

void TUpDown::Click(TUDBtnType button)
{
    ReadAssociate();
    bool allowChange = true;
    if (OnChanging)
        OnChanging(this, allowChange);
    if (!allowChange)
        return;
    const int step = button == TUDBtnType::btNext ? increment_ : -increment_;
    int next = position_ + step;
    if (next > max_)
        next = wrap_ ? min_ : max_;
    else if (next < min_)
        next = wrap_ ? max_ : min_;
    SetPosition(next);
    if (OnClick)
        OnClick(this, button);
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != associateObject_)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Click(key == Qt::Key_Up ? TUDBtnType::btNext : TUDBtnType::btPrev);
            return true;
        }
    }
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        PlaceBesideAssociate();
    return QWidget::eventFilter(watched, event);
}
