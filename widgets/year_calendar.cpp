#include "widgets/year_calendar.h"
#include "platform/rtl/format_settings.h"
#include <QResizeEvent>
#include <algorithm>

namespace {

constexpr int DayColumns = 37;
constexpr int Months = 12;

} // namespace

TYearCal::TYearCal(QWidget* parent) : TCalendarGrid(parent)
{
    SetColCount(DayColumns + 1);
    SetRowCount(Months + 1);
    SetFixedCols(1);
    SetFixedRows(1);
    UpdateCalendar();
}

QString TYearCal::GetCellText(int col, int row) const
{
    const TFormatSettings& settings = FormatSettings();
    if (row == 0 && col == 0)
        return QString::number(Year());
    if (row == 0)
        return settings.ShortDayNames[static_cast<size_t>((StartOfWeek() + col - 1) % 7)].left(1);
    if (col == 0)
        return settings.ShortMonthNames[static_cast<size_t>(row - 1)];
    const int day = col - MonthOffset(Year(), row);
    if (day < 1 || day > DaysPerMonth(Year(), row))
        return {};
    return QString::number(day);
}

TGridCoord TYearCal::DateCell(int year, int month, int day) const
{
    return {MonthOffset(year, month) + day, month};
}

TDateTime TYearCal::CellDate(int col, int row) const
{
    const QString text = GetCellText(col, row);
    return col > 0 && row > 0 && !text.isEmpty() ? EncodeDate(Year(), row, text.toInt()) : 0;
}

bool TYearCal::LayoutDiffers(TDateTime before, TDateTime after) const
{
    int y1, m1, d1, y2, m2, d2;
    DecodeDate(before, y1, m1, d1);
    DecodeDate(after, y2, m2, d2);
    return y1 != y2;
}

void TYearCal::resizeEvent(QResizeEvent* event)
{
    const int width = viewport()->width();
    const int height = viewport()->height();
    const int line = GridLineWidth();
    Canvas().Font.Assign(Font());
    int labelWidth = Canvas().TextWidth(QString::number(Year()));
    for (const QString& name : FormatSettings().ShortMonthNames)
        labelWidth = std::max(labelWidth, Canvas().TextWidth(name));
    // A grid not yet laid out has no room: its cells stay empty until it has.
    const int colWidth = std::max(0, (width - labelWidth - DayColumns * line) / DayColumns);
    const int rowHeight = std::max(0, (height - Months * line) / (Months + 1));
    SetDefaultColWidth(colWidth);
    SetDefaultRowHeight(rowHeight);
    SetColWidths(0, width - (colWidth + line) * DayColumns);
    SetRowHeights(0, height - (rowHeight + line) * Months);
    TCalendarGrid::resizeEvent(event);
}
