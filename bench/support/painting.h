#pragma once
// Painting inside a window figure. A change to a widget mostly asks for a
// paint later: layouts, the chart's scene and the grids' updates wait in the
// event queue, so a figure that stops at the change, or repaints at once
// before those events ran, leaves out what the user waits for.
#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <benchmark/benchmark.h>

// Counts the paint events that reach widget or any widget inside it, the ones
// made later included.
class TPaintCount : public QObject {
public:
    explicit TPaintCount(QWidget& widget) : widget_(&widget) { qApp->installEventFilter(this); }
    ~TPaintCount() override { qApp->removeEventFilter(this); }
    long long Paints() const { return paints_; }

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && target->isWidgetType() && widget_ &&
            (target == widget_ || widget_->isAncestorOf(static_cast<QWidget*>(target))))
            ++paints_;
        return false;
    }

private:
    QPointer<QWidget> widget_;
    long long paints_ = 0;
};

// What the last change left waiting, the paints of the changed parts included,
// as the screen would get it. Events posted while the queue is worked off wait
// for the next pass (a scene change asks for a layout, which asks for an
// update), hence a second one.
inline void PaintPending()
{
    for (int pass = 0; pass < 2; ++pass) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// The waiting events, then the whole widget painted now, children included,
// into a picture as the screen would show it.
inline QPixmap PaintWhole(QWidget& widget)
{
    PaintPending();
    return widget.grab();
}

// Reports the paints a figure's runs gave, per run; a figure that painted
// nothing fails, since it measured less than it claims.
inline void ReportPaints(benchmark::State& state, const TPaintCount& count)
{
    if (count.Paints() == 0)
        state.SkipWithError("nothing was painted");
    state.counters["paints"] = benchmark::Counter(double(count.Paints()), benchmark::Counter::kAvgIterations);
}
