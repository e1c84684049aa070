#pragma once
// TwwIButton: a speed button in the corner of a grid, over its indicator
// column's title cell. Placed on a TwwCustomDBGrid it becomes that grid's
// IndicatorButton: the indicator column takes the button's width and the
// title row its height, so the button covers the corner cell exactly. It
// stays in the corner: a position right of or below it is taken back to 0.
#include "platform/ui/buttons.h"
#include <QPointer>

class TwwCustomDBGrid;

class TwwIButton : public TSpeedButton {
    Q_OBJECT
public:
    explicit TwwIButton(QWidget* parent = nullptr);

    // The grid whose indicator button this is; null on any other parent.
    TwwCustomDBGrid* Grid() const { return grid_; }

    // Left and top above 0 become 0; a new size lays the grid out again.
    void SetBounds(int left, int top, int width, int height);

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The grid's indicator column and title row follow the button's size.
    void FitGrid();

    QPointer<TwwCustomDBGrid> grid_;
    QSize fitted_;
};
