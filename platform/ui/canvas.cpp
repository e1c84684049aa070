#include "platform/ui/canvas.h"
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace {

constexpr double ScreenDpi = 96.0;

Qt::PenStyle QtPenStyle(TPenStyle style)
{
    switch (style) {
    case TPenStyle::psDash: return Qt::DashLine;
    case TPenStyle::psDot: return Qt::DotLine;
    case TPenStyle::psDashDot: return Qt::DashDotLine;
    case TPenStyle::psDashDotDot: return Qt::DashDotDotLine;
    case TPenStyle::psClear: return Qt::NoPen;
    case TPenStyle::psSolid:
    case TPenStyle::psInsideFrame: break;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle QtBrushStyle(TBrushStyle style)
{
    switch (style) {
    case TBrushStyle::bsClear: return Qt::NoBrush;
    case TBrushStyle::bsHorizontal: return Qt::HorPattern;
    case TBrushStyle::bsVertical: return Qt::VerPattern;
    case TBrushStyle::bsFDiagonal: return Qt::FDiagPattern;
    case TBrushStyle::bsBDiagonal: return Qt::BDiagPattern;
    case TBrushStyle::bsCross: return Qt::CrossPattern;
    case TBrushStyle::bsDiagCross: return Qt::DiagCrossPattern;
    case TBrushStyle::bsSolid: break;
    }
    return Qt::SolidPattern;
}

QImage DeviceImage(QPaintDevice* device, const QRect& rect)
{
    if (!device)
        return {};
    if (device->devType() == QInternal::Image)
        return static_cast<QImage*>(device)->copy(rect);
    if (device->devType() == QInternal::Pixmap)
        return static_cast<QPixmap*>(device)->copy(rect).toImage();
    return {};
}

} // namespace

TFont::TFont() = default;

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}

void TFont::SetName(const QString& name)
{
    font_.setFamily(name);
    Changed();
}

int TFont::Size() const
{
    if (font_.pixelSize() > 0)
        return static_cast<int>(std::lround(font_.pixelSize() * 72.0 / ScreenDpi));
    return font_.pointSize();
}

void TFont::SetSize(int points)
{
    font_.setPixelSize(std::max(1, static_cast<int>(std::lround(points * ScreenDpi / 72.0))));
    Changed();
}

int TFont::Height() const
{
    if (font_.pixelSize() > 0)
        return -font_.pixelSize();
    return -static_cast<int>(std::lround(font_.pointSizeF() * ScreenDpi / 72.0));
}

void TFont::SetHeight(int height)
{
    font_.setPixelSize(std::max(1, std::abs(height)));
    Changed();
}

TFontStyles TFont::Style() const
{
    TFontStyles style = 0;
    if (font_.bold()) style |= fsBold;
    if (font_.italic()) style |= fsItalic;
    if (font_.underline()) style |= fsUnderline;
    if (font_.strikeOut()) style |= fsStrikeOut;
    return style;
}

void TFont::SetStyle(TFontStyles style)
{
    font_.setBold(style & fsBold);
    font_.setItalic(style & fsItalic);
    font_.setUnderline(style & fsUnderline);
    font_.setStrikeOut(style & fsStrikeOut);
    Changed();
}

void TFont::SetColor(TColor color)
{
    color_ = color;
    Changed();
}

void TFont::SetFont(const QFont& font)
{
    font_ = font;
    Changed();
}

void TFont::Assign(const TFont& source)
{
    font_ = source.font_;
    color_ = source.color_;
    Changed();
}

TCanvas::TCanvas() = default;

TCanvas::TCanvas(QPaintDevice* device)
    : ownPainter_(std::make_unique<QPainter>(device))
{
    painter_ = ownPainter_.get();
}

TCanvas::~TCanvas() = default;

void TCanvas::Begin(QPainter* painter)
{
    painter_ = painter;
}

void TCanvas::End()
{
    painter_ = ownPainter_.get();
}

QPaintDevice* TCanvas::Device() const
{
    return painter_ ? painter_->device() : nullptr;
}

QPainter& TCanvas::P() const
{
    Q_ASSERT(painter_);
    return *painter_;
}

void TCanvas::ApplyPen()
{
    QPen pen(ToQColor(Pen.Color), std::max(1, Pen.Width), QtPenStyle(Pen.Style));
    pen.setCapStyle(Qt::FlatCap);
    QPainter& p = P();
    switch (Pen.Mode) {
    case TPenMode::pmCopy: p.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    case TPenMode::pmNot:
        pen.setColor(Qt::white);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case TPenMode::pmXor: p.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case TPenMode::pmNotXor: p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    }
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

void TCanvas::ApplyBrush()
{
    QPainter& p = P();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(ToQColor(Brush.Color), QtBrushStyle(Brush.Style)));
}

void TCanvas::LineTo(int x, int y)
{
    const QPoint to(x, y);
    const QPoint from = penPos_;
    penPos_ = to;
    if (to == from || Pen.Style == TPenStyle::psClear)
        return;
    ApplyPen();
    QPainter& p = P();
    // The class library's lines cover the start point and leave the end point
    // out, whichever way they run. A solid straight line is filled pixel by
    // pixel so that it ends exactly there.
    if (Pen.Style == TPenStyle::psSolid && (from.x() == to.x() || from.y() == to.y())) {
        const int width = std::max(1, Pen.Width);
        const int inset = (width - 1) / 2;
        QRect span;
        if (from.y() == to.y()) {
            const int last = to.x() > from.x() ? to.x() - 1 : to.x() + 1;
            span = QRect(QPoint(std::min(from.x(), last), from.y() - inset), QPoint(std::max(from.x(), last), from.y() - inset + width - 1));
        } else {
            const int last = to.y() > from.y() ? to.y() - 1 : to.y() + 1;
            span = QRect(QPoint(from.x() - inset, std::min(from.y(), last)), QPoint(from.x() - inset + width - 1, std::max(from.y(), last)));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(ToQColor(Pen.Mode == TPenMode::pmNot ? clWhite : Pen.Color));
        p.drawRect(span);
    } else {
        p.drawLine(from, to);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Polyline(const std::vector<QPoint>& points)
{
    if (points.empty())
        return;
    MoveTo(points.front().x(), points.front().y());
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].x(), points[i].y());
}

void TCanvas::FillRect(const QRect& rect)
{
    if (Brush.Style == TBrushStyle::bsClear)
        return;
    ApplyBrush();
    P().drawRect(rect);
}

void TCanvas::FrameRect(const QRect& rect)
{
    if (rect.isEmpty())
        return;
    QPainter& p = P();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::NoPen);
    p.setBrush(ToQColor(Brush.Color));
    p.drawRect(rect.left(), rect.top(), rect.width(), 1);
    p.drawRect(rect.left(), rect.bottom(), rect.width(), 1);
    p.drawRect(rect.left(), rect.top(), 1, rect.height());
    p.drawRect(rect.right(), rect.top(), 1, rect.height());
}

void TCanvas::Rectangle(const QRect& rect)
{
    FillRect(rect);
    if (Pen.Style == TPenStyle::psClear)
        return;
    ApplyPen();
    // Qt's outline of a rectangle covers one pixel more to the right and below.
    P().drawRect(rect.adjusted(0, 0, -1, -1));
    P().setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::DrawFocusRect(const QRect& rect)
{
    if (rect.isEmpty())
        return;
    QPainter& p = P();
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    // Every other pixel along the four edges.
    for (int x = rect.left(); x <= rect.right(); x += 2) {
        p.drawRect(x, rect.top(), 1, 1);
        if (rect.bottom() != rect.top())
            p.drawRect(x, rect.bottom(), 1, 1);
    }
    for (int y = rect.top() + 2; y < rect.bottom(); y += 2) {
        p.drawRect(rect.left(), y, 1, 1);
        if (rect.right() != rect.left())
            p.drawRect(rect.right(), y, 1, 1);
    }
    p.restore();
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    const QFontMetrics metrics(Font.Font());
    const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
    FillRect(box);
    QPainter& p = P();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setFont(Font.Font());
    p.setPen(ToQColor(Font.Color()));
    p.drawText(x, y + metrics.ascent(), text);
    penPos_ = {box.right() + 1, y};
}

void TCanvas::TextRect(const QRect& rect, int x, int y, const QString& text)
{
    FillRect(rect);
    QPainter& p = P();
    p.save();
    p.setClipRect(rect, Qt::IntersectClip);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setFont(Font.Font());
    p.setPen(ToQColor(Font.Color()));
    p.drawText(x, y + QFontMetrics(Font.Font()).ascent(), text);
    p.restore();
}

int TCanvas::TextWidth(const QString& text) const
{
    return QFontMetrics(Font.Font()).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString& text) const
{
    Q_UNUSED(text);
    return QFontMetrics(Font.Font()).height();
}

QPainter::CompositionMode TCanvas::CopyComposition() const
{
    switch (CopyMode) {
    case TCopyMode::cmSrcCopy: return QPainter::CompositionMode_Source;
    case TCopyMode::cmSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case TCopyMode::cmSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case TCopyMode::cmSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case TCopyMode::cmSrcErase: return QPainter::RasterOp_SourceAndNotDestination;
    case TCopyMode::cmNotSrcCopy: return QPainter::RasterOp_NotSource;
    case TCopyMode::cmNotSrcErase: return QPainter::RasterOp_NotSourceAndNotDestination;
    case TCopyMode::cmMergePaint: return QPainter::RasterOp_NotSourceOrDestination;
    }
    return QPainter::CompositionMode_Source;
}

void TCanvas::Draw(int x, int y, const QPixmap& picture)
{
    QPainter& p = P();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawPixmap(x, y, picture);
}

void TCanvas::Draw(int x, int y, const QImage& picture)
{
    QPainter& p = P();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(x, y, picture);
}

void TCanvas::StretchDraw(const QRect& rect, const QPixmap& picture)
{
    QPainter& p = P();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawPixmap(rect, picture);
}

void TCanvas::StretchDraw(const QRect& rect, const QImage& picture)
{
    QPainter& p = P();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(rect, picture);
}

void TCanvas::CopyRect(const QRect& dest, const TCanvas& source, const QRect& sourceRect)
{
    // Raster operations work on opaque pixels, so the source is taken without alpha.
    const QImage image = DeviceImage(source.Device(), sourceRect).convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return;
    QPainter& p = P();
    p.save();
    p.setCompositionMode(CopyComposition());
    p.drawImage(dest, image);
    p.restore();
}
