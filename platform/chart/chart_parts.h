#pragma once
// The parts of a TDBChart's frame that its owner sets up: the title, the
// legend and the four axes. Each tells the chart when it changes.
#include "platform/rtl/string_list.h"
#include <QString>
#include <functional>

class TChartPart {
public:
    virtual ~TChartPart() = default;
    TChartPart(const TChartPart&) = delete;
    TChartPart& operator=(const TChartPart&) = delete;
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

protected:
    explicit TChartPart(bool visible) : visible_(visible) {}
    void Changed() const { if (OnChanged) OnChanged(); }

private:
    friend class TDBChart;
    std::function<void()> OnChanged;
    bool visible_;
};

// The title: its lines, centred above the chart, in a frame when asked.
class TChartTitle : public TChartPart {
public:
    TChartTitle();
    TStrings& Text() { return text_; }
    const TStrings& Text() const { return text_; }
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool visible);

private:
    TStringList text_;
    bool frameVisible_ = false;
};

enum class TLegendAlignment { laLeft, laRight, laTop, laBottom };

// The legend lists the title of each active series beside its colour.
class TChartLegend : public TChartPart {
public:
    TChartLegend() : TChartPart(true) {}
    TLegendAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLegendAlignment alignment);

private:
    TLegendAlignment alignment_ = TLegendAlignment::laRight;
};

// An axis: the left one carries the values and the bottom one the labels; the
// right and top ones repeat them when made visible.
class TChartAxis : public TChartPart {
public:
    explicit TChartAxis(bool visible) : TChartPart(visible) {}
    const QString& Title() const { return title_; }
    void SetTitle(const QString& title);

private:
    QString title_;
};
