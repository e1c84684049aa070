#include "platform/chart/chart_parts.h"

void TChartPart::SetVisible(bool visible)
{
    if (visible == visible_) return;
    visible_ = visible;
    Changed();
}

TChartTitle::TChartTitle()
    : TChartPart(true)
{
    text_.OnChange = [this](TStrings&) { Changed(); };
}

void TChartTitle::SetFrameVisible(bool visible)
{
    if (visible == frameVisible_) return;
    frameVisible_ = visible;
    Changed();
}

void TChartLegend::SetAlignment(TLegendAlignment alignment)
{
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Changed();
}

void TChartAxis::SetTitle(const QString& title)
{
    if (title == title_) return;
    title_ = title;
    Changed();
}
