#include "platform/ui/calendar.h"
#include "platform/rtl/format_settings.h"
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

namespace {

// Keeps the updating flag on for a scope, also when a move throws.
class TUpdatingGuard {
public:
    explicit TUpdatingGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~TUpdatingGuard() { flag_ = false; }
    TUpdatingGuard(const TUpdatingGuard&) = delete;
    TUpdatingGuard& operator=(const TUpdatingGuard&) = delete;

private:
    bool& flag_;
};

} // namespace

// ---- TCalendarGrid ------------------------------------------------------------

TCalendarGrid::TCalendarGrid(QWidget* parent) : TCustomGrid(parent), date_(Date())
{
    SetScrollBars(TScrollStyle::ssNone);
    SetOptions((Options() & ~goRangeSelect) | goDrawFocusSelected);
}

void TCalendarGrid::StoreDate(TDateTime value)
{
    const TDateTime before = date_;
    date_ = std::trunc(value);
    if (LayoutDiffers(before, date_))
        InvalidateGrid();
}

void TCalendarGrid::SetCalendarDate(TDateTime value)
{
    StoreDate(value);
    UpdateCalendar();
    Change();
}

int TCalendarGrid::GetDateElement(int index) const
{
    int year, month, day;
    DecodeDate(date_, year, month, day);
    switch (index) {
    case 1: return year;
    case 2: return month;
    case 3: return day;
    default: return -1;
    }
}

void TCalendarGrid::SetDateElement(int index, int value)
{
    if (value <= 0)
        return;
    int year, month, day;
    DecodeDate(date_, year, month, day);
    if (index == 1 && value != year)
        year = value;
    else if (index == 2 && value <= 12 && value != month)
        month = value;
    else if (index == 3 && value <= DaysPerMonth(year, month) && value != day)
        day = value;
    else
        return;
    const TDateTime changed = EncodeDate(year, month, day);   // no date: raises, nothing changed
    StoreDate(changed);
    useCurrentDate_ = false;
    UpdateCalendar();
    Change();
}

void TCalendarGrid::SetStartOfWeek(TDayOfWeek value)
{
    if (value < 0 || value > 6)
        throw ERangeError(QStringLiteral("Range check error"));
    if (value == startOfWeek_)
        return;
    startOfWeek_ = value;
    InvalidateGrid();
    UpdateCalendar();
}

int TCalendarGrid::DaysPerMonth(int year, int month) const
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TCalendarGrid::IsLeapYear(int year) const
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int TCalendarGrid::MonthOffset(int year, int month) const
{
    const int offset = DayOfWeek(EncodeDate(year, month, 1)) - (startOfWeek_ + 1);
    return offset < 0 ? offset + 7 : offset;
}

void TCalendarGrid::UpdateCalendar()
{
    const TUpdatingGuard guard(updating_);
    int year, month, day;
    DecodeDate(date_, year, month, day);
    const TGridCoord cell = DateCell(year, month, day);
    MoveColRow(cell.X, cell.Y, true, false);
}

void TCalendarGrid::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCalendarGrid::DrawCell(int col, int row, const QRect& rect, TGridDrawState)
{
    TCanvas& canvas = Canvas();
    const QString text = GetCellText(col, row);
    canvas.TextRect(rect, rect.left() + (rect.width() - canvas.TextWidth(text)) / 2,
                    rect.top() + (rect.height() - canvas.TextHeight(text)) / 2, text);
}

bool TCalendarGrid::SelectCell(int col, int row)
{
    if (readOnly_ && !updating_)
        return false;
    if (col < FixedCols() || row < FixedRows() || GetCellText(col, row).isEmpty())
        return false;
    return TCustomGrid::SelectCell(col, row);
}

void TCalendarGrid::Click()
{
    // The grid's own moves to the date are no clicks of the user.
    if (updating_)
        return;
    TCustomGrid::Click();
    if (Col() < FixedCols() || Row() < FixedRows())
        return;
    const TDateTime picked = CellDate(Col(), Row());
    if (picked != 0)
        SetCalendarDate(picked);
}

// ---- TCalendar ----------------------------------------------------------------

TCalendar::TCalendar(QWidget* parent) : TCalendarGrid(parent)
{
    SetColCount(7);
    SetRowCount(7);
    SetFixedCols(0);
    SetFixedRows(1);
    UpdateCalendar();
}

QString TCalendar::GetCellText(int col, int row) const
{
    if (row == 0)
        return FormatSettings().ShortDayNames[static_cast<size_t>((StartOfWeek() + col) % 7)];
    const int day = (row - 1) * 7 + col - MonthOffset(Year(), Month()) + 1;
    if (day < 1 || day > DaysPerMonth(Year(), Month()))
        return {};
    return QString::number(day);
}

TGridCoord TCalendar::DateCell(int year, int month, int day) const
{
    const int index = MonthOffset(year, month) + day - 1;
    return {index % 7, index / 7 + 1};
}

TDateTime TCalendar::CellDate(int col, int row) const
{
    const QString text = GetCellText(col, row);
    return row > 0 && !text.isEmpty() ? EncodeDate(Year(), Month(), text.toInt()) : 0;
}

bool TCalendar::LayoutDiffers(TDateTime before, TDateTime after) const
{
    int y1, m1, d1, y2, m2, d2;
    DecodeDate(before, y1, m1, d1);
    DecodeDate(after, y2, m2, d2);
    return y1 != y2 || m1 != m2;
}

void TCalendar::resizeEvent(QResizeEvent* event)
{
    const int lines = 6 * GridLineWidth();
    // A grid not yet laid out has no room: its cells stay empty until it has.
    SetDefaultColWidth(std::max(0, (viewport()->width() - lines) / 7));
    SetDefaultRowHeight(std::max(0, (viewport()->height() - lines) / 7));
    TCalendarGrid::resizeEvent(event);
}
