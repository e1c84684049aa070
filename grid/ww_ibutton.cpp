#include "grid/ww_ibutton.h"
#include "grid/ww_custom_db_grid.h"
#include <algorithm>

namespace {

// On a grid the button lives in the grid's cell area, where the corner cell is.
QWidget* HomeOf(QWidget* parent)
{
    if (auto* grid = qobject_cast<TwwCustomDBGrid*>(parent)) return grid->viewport();
    return parent;
}

} // namespace

TwwIButton::TwwIButton(QWidget* parent) : TSpeedButton(HomeOf(parent)), grid_(qobject_cast<TwwCustomDBGrid*>(parent))
{
    if (!grid_) return;
    grid_->SetIndicatorButton(this);
    FitGrid();
}

void TwwIButton::SetBounds(int left, int top, int width, int height)
{
    setGeometry(std::min(left, 0), std::min(top, 0), width, height);
    FitGrid();
}

void TwwIButton::moveEvent(QMoveEvent* event)
{
    TSpeedButton::moveEvent(event);
    if (x() > 0 || y() > 0) move(std::min(x(), 0), std::min(y(), 0));
}

void TwwIButton::resizeEvent(QResizeEvent* event)
{
    TSpeedButton::resizeEvent(event);
    FitGrid();
}

void TwwIButton::FitGrid()
{
    if (!grid_ || size() == fitted_) return;
    fitted_ = size();
    grid_->SetIndicatorWidth(width() - 1);
}
