#include "app/tab_order.h"
#include "platform/ui/containers.h"
#include <QSplitter>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

bool TakesKeyboard(const QWidget& control) { return control.focusPolicy() != Qt::NoFocus; }

// The controls of container that take the keyboard or hold one that does.
std::vector<QWidget*> Places(const QWidget& container)
{
    std::vector<QWidget*> places;
    for (QObject* object : container.children()) {
        auto* control = qobject_cast<QWidget*>(object);
        if (!control || control->isWindow())
            continue;
        if (TakesKeyboard(*control) || !Places(*control).empty())
            places.push_back(control);
    }
    return places;
}

// Rows from top to bottom, each from left to right; controls standing on the
// same spot keep the order they were made in (the pages of a page control).
void SortInReadingOrder(std::vector<QWidget*>& places)
{
    std::stable_sort(places.begin(), places.end(),
                     [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    std::vector<QWidget*> ordered;
    for (auto row = places.begin(); row != places.end();) {
        const QWidget* first = *row;
        auto end = std::find_if(row + 1, places.end(), [first](const QWidget* control) {
            return 2 * (control->y() - first->y()) >= std::min(first->height(), control->height());
        });
        std::stable_sort(row, end, [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        ordered.insert(ordered.end(), row, end);
        row = end;
    }
    places = std::move(ordered);
}

void CollectPath(const QWidget& container, std::vector<QWidget*>& path)
{
    std::vector<QWidget*> places = Places(container);
    // A choice's items keep their own order, down one column and on to the
    // next; a splitter's panes go in the order it lays them out in.
    if (const auto* splitter = qobject_cast<const QSplitter*>(&container))
        std::stable_sort(places.begin(), places.end(), [splitter](QWidget* a, QWidget* b) {
            return splitter->indexOf(a) < splitter->indexOf(b);
        });
    else if (!qobject_cast<const TRadioGroup*>(&container))
        SortInReadingOrder(places);
    for (QWidget* place : places) {
        if (TakesKeyboard(*place))
            path.push_back(place);
        else
            CollectPath(*place, path);
    }
}

} // namespace

void SetTabOrderByPosition(QWidget& container)
{
    std::vector<QWidget*> path;
    CollectPath(container, path);
    for (size_t i = 1; i < path.size(); ++i)
        QWidget::setTabOrder(path[i - 1], path[i]);
}
