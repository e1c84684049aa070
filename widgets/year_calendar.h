#pragma once
// TYearCal: a whole year on one grid. Row 0 holds weekday initials, rows 1 to
// 12 the months; every column is one weekday across all twelve months, and
// cell (0, 0) shows the year. 37 day columns hold any month: one that starts
// on the last weekday of the week and has 31 days ends in column 37.
#include "platform/ui/calendar.h"

class TYearCal : public TCalendarGrid {
    Q_OBJECT
public:
    explicit TYearCal(QWidget* parent = nullptr);

    QString GetCellText(int col, int row) const override;

protected:
    TGridCoord DateCell(int year, int month, int day) const override;
    TDateTime CellDate(int col, int row) const override;
    bool LayoutDiffers(TDateTime before, TDateTime after) const override;
    // Equal day columns and month rows; the label column and the header row
    // take what is left, so that the grid fills its client area exactly.
    void resizeEvent(QResizeEvent* event) override;
};
