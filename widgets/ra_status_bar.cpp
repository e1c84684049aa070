#include "widgets/ra_status_bar.h"
#include <QPainter>
#include <algorithm>

namespace {

constexpr int BarHeight = 19;
// Panels start below a two-pixel top border; their sunken frame is one pixel.
constexpr int TopBorder = 2;
constexpr int TextIndent = 2;

} // namespace

TRAStatusBar::TRAStatusBar(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    resize(width(), BarHeight);
}

QSize TRAStatusBar::sizeHint() const
{
    int panels = 0;
    for (const TStatusPanel& panel : panels_)
        panels += panel.Width;
    return {std::max(panels, 100), BarHeight};
}

void TRAStatusBar::AddPanel(int width, const QString& text)
{
    panels_.push_back({text, width});
    update();
}

void TRAStatusBar::SetPanelText(int index, const QString& text)
{
    panels_.at(index).Text = text;
    update(PanelRect(index));
}

void TRAStatusBar::SetPanelWidth(int index, int width)
{
    panels_.at(index).Width = width;
    update();
}

QRect TRAStatusBar::PanelRect(int index) const
{
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += panels_.at(i).Width;
    const bool last = index == PanelCount() - 1;
    const int right = last ? std::max(left, width()) : left + panels_.at(index).Width;
    return {left, TopBorder, right - left, height() - TopBorder};
}

void TRAStatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Window));
    painter.setFont(font());
    for (int i = 0; i < PanelCount(); ++i) {
        const QRect panel = PanelRect(i).adjusted(0, 0, -1, -1);
        painter.setPen(colours.color(QPalette::Dark));
        painter.drawLine(panel.topLeft(), panel.topRight());
        painter.drawLine(panel.topLeft(), panel.bottomLeft());
        painter.setPen(colours.color(QPalette::Light));
        painter.drawLine(panel.bottomLeft(), panel.bottomRight());
        painter.drawLine(panel.topRight(), panel.bottomRight());
        const QRect text = panel.adjusted(TextIndent + 1, 1, -TextIndent, 0);
        painter.setPen(colours.color(QPalette::WindowText));
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         painter.fontMetrics().elidedText(panels_[i].Text, Qt::ElideRight, text.width()));
    }
}
