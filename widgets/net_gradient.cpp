#include "widgets/net_gradient.h"
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {

// value * numerator / denominator rounded half away from zero, as the bands'
// edges and colours have always been computed.
int MulDiv(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long rounded = (std::llabs(product) * 2 + std::llabs(denominator)) / (std::llabs(denominator) * 2);
    return static_cast<int>((product < 0) != (denominator < 0) ? -rounded : rounded);
}

// The colour of band `band` of `count`: the first band is start, the last end.
QColor BandColor(const QColor& start, const QColor& end, int band, int count)
{
    if (count <= 1)
        return start.toRgb();
    const auto channel = [&](int from, int to) { return from + MulDiv(band, to - from, count - 1); };
    const QColor from = start.toRgb();
    const QColor to = end.toRgb();
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

} // namespace

TNetGradient::TNetGradient(QWidget* parent) : QWidget(parent)
{
    resize(400, 25);
    endColor_ = palette().color(QPalette::Button);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void TNetGradient::SetFillDirection(TFillDirection direction)
{
    if (direction == direction_)
        return;
    direction_ = direction;
    update();
}

void TNetGradient::SetBeginColor(const QColor& color)
{
    beginColor_ = color;
    update();
}

void TNetGradient::SetEndColor(const QColor& color)
{
    endColor_ = color;
    update();
}

void TNetGradient::SetNumberOfColors(int count)
{
    numberOfColors_ = std::clamp(count, 1, 255);
    update();
}

void TNetGradient::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void TNetGradient::SetTextTop(int top)
{
    textTop_ = top;
    update();
}

void TNetGradient::SetTextLeft(int left)
{
    textLeft_ = left;
    update();
}

QColor TNetGradient::FontColor() const
{
    return palette().color(QPalette::WindowText);
}

void TNetGradient::SetFontColor(const QColor& color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, color);
    setPalette(colours);
}

void TNetGradient::paintEvent(QPaintEvent*)
{
    const bool leftToRight = direction_ == TFillDirection::fdLeftToRight;
    const QColor& start = leftToRight ? beginColor_ : endColor_;
    const QColor& end = leftToRight ? endColor_ : beginColor_;
    QPainter painter(this);
    for (int band = 0; band < numberOfColors_; ++band) {
        const int left = MulDiv(band, width(), numberOfColors_);
        const int right = MulDiv(band + 1, width(), numberOfColors_);
        painter.fillRect(left, 0, right - left, height(), BandColor(start, end, band, numberOfColors_));
    }
    painter.setPen(FontColor());
    painter.setFont(font());
    painter.drawText(textLeft_, textTop_ + painter.fontMetrics().ascent(), caption_);
}
