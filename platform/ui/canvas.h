#pragma once
// TCanvas: the class library's drawing surface over a QPainter, with the font,
// brush and pen objects its drawing code assigns before each operation.
// Measuring works without a painter, so layout code can ask for text sizes
// outside a paint.
#include "platform/ui/colors.h"
#include <QFont>
#include <QPainter>
#include <QRect>
#include <functional>
#include <memory>
#include <vector>

class QPaintDevice;
class QPixmap;
class QImage;

enum TFontStyle : unsigned { fsBold = 1u << 0, fsItalic = 1u << 1, fsUnderline = 1u << 2, fsStrikeOut = 1u << 3 };
using TFontStyles = unsigned;

// A font: family, size, style and colour. Height below zero is the character
// height in pixels, as stored forms give it.
class TFont {
public:
    TFont();

    QString Name() const { return font_.family(); }
    void SetName(const QString& name);
    int Size() const;                 // points
    void SetSize(int points);
    int Height() const;               // pixels; negative: character height
    void SetHeight(int height);
    TFontStyles Style() const;
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    void Assign(const TFont& source);
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font);

    bool operator==(const TFont& other) const { return font_ == other.font_ && color_ == other.color_; }

    std::function<void()> OnChange;

private:
    void Changed();

    QFont font_;
    TColor color_ = clWindowText;
};

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush {
public:
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    void Assign(const TBrush& source) { *this = source; }
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// pmCopy draws the pen colour; pmNot inverts the screen; pmXor and pmNotXor
// combine the pen with the screen, so drawing twice restores it.
enum class TPenMode { pmCopy, pmNot, pmXor, pmNotXor };

class TPen {
public:
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
    TPenMode Mode = TPenMode::pmCopy;
    void Assign(const TPen& source) { *this = source; }
};

// The raster operations of CopyRect and Draw (dest := f(source, dest)).
enum class TCopyMode {
    cmSrcCopy,      // source
    cmSrcPaint,     // source or dest
    cmSrcAnd,       // source and dest
    cmSrcInvert,    // source xor dest
    cmSrcErase,     // source and not dest
    cmNotSrcCopy,   // not source
    cmNotSrcErase,  // not (source or dest)
    cmMergePaint,   // not source or dest
};

class TCanvas {
public:
    // A canvas that only measures until Begin gives it a painter.
    TCanvas();
    // Paints on Device for the canvas's life.
    explicit TCanvas(QPaintDevice* device);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Draws through Painter (owned by the caller) until End.
    void Begin(QPainter* painter);
    void End();
    bool Painting() const { return painter_ != nullptr; }
    QPainter* Painter() const { return painter_; }
    // The device the canvas paints on; null while it only measures.
    QPaintDevice* Device() const;

    TFont Font;
    TBrush Brush;
    TPen Pen;
    TCopyMode CopyMode = TCopyMode::cmSrcCopy;

    QPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    void LineTo(int x, int y);
    void Polyline(const std::vector<QPoint>& points);

    void FillRect(const QRect& rect);
    void FrameRect(const QRect& rect);   // one-pixel frame in the brush colour
    void Rectangle(const QRect& rect);   // pen outline, brush fill
    void Rectangle(int x1, int y1, int x2, int y2) { Rectangle(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1))); }
    // The dotted focus rectangle; drawn by inversion, so drawing it twice removes it.
    void DrawFocusRect(const QRect& rect);

    // Text with its top-left corner at (x, y); the brush fills behind it unless clear.
    void TextOut(int x, int y, const QString& text);
    // TextOut clipped to Rect, which the brush fills first unless clear.
    void TextRect(const QRect& rect, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    void Draw(int x, int y, const QPixmap& picture);
    void Draw(int x, int y, const QImage& picture);
    void StretchDraw(const QRect& rect, const QPixmap& picture);
    void StretchDraw(const QRect& rect, const QImage& picture);
    // Copies Source's rectangle into Dest (scaled to fit) by CopyMode.
    void CopyRect(const QRect& dest, const TCanvas& source, const QRect& sourceRect);

private:
    void ApplyPen();
    void ApplyBrush();
    QPainter& P() const;
    QPainter::CompositionMode CopyComposition() const;

    std::unique_ptr<QPainter> ownPainter_;
    QPainter* painter_ = nullptr;
    QPoint penPos_;
};
