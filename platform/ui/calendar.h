#pragma once
// Calendars on the base grid. TCalendarGrid holds what every calendar grid
// shares: one date of whole days, its year, month and day as elements that
// can be set one at a time, the first weekday of its columns, and a current
// cell that always stands on the date. TCalendar is the class library's month
// calendar: a title row of day names and six week rows.
#include "platform/rtl/datetime.h"
#include "platform/ui/custom_grid.h"
#include <functional>

// 0 = Sunday ... 6 = Saturday.
using TDayOfWeek = int;

class TCalendarGrid : public TCustomGrid {
    Q_OBJECT
    Q_PROPERTY(int Year READ Year WRITE SetYear STORED false)
    Q_PROPERTY(int Month READ Month WRITE SetMonth STORED false)
    Q_PROPERTY(int Day READ Day WRITE SetDay STORED false)
    Q_PROPERTY(int StartOfWeek READ StartOfWeek WRITE SetStartOfWeek)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool UseCurrentDate READ UseCurrentDate WRITE SetUseCurrentDate)
public:
    TDateTime CalendarDate() const { return date_; }
    // Takes the date (whole days), moves the current cell to it and fires OnChange.
    void SetCalendarDate(TDateTime value);

    // The date's elements: 1 year, 2 month, 3 day; any other index gives -1.
    int GetDateElement(int index) const;
    // A value of 0 or below, one equal to the element, a month above 12 or a
    // day beyond the month changes nothing. A year or month that makes no
    // date with the other elements (31 January to February) raises
    // EConvertError and leaves the date as it was.
    void SetDateElement(int index, int value);
    int Year() const { return GetDateElement(1); }
    void SetYear(int value) { SetDateElement(1, value); }
    int Month() const { return GetDateElement(2); }
    void SetMonth(int value) { SetDateElement(2, value); }
    int Day() const { return GetDateElement(3); }
    void SetDay(int value) { SetDateElement(3, value); }

    TDayOfWeek StartOfWeek() const { return startOfWeek_; }
    void SetStartOfWeek(TDayOfWeek value);
    // With it on the user cannot move the current cell; setting the date still moves it.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // On from creation, off after any change of a date element.
    bool UseCurrentDate() const { return useCurrentDate_; }
    void SetUseCurrentDate(bool on) { useCurrentDate_ = on; }

    virtual int DaysPerMonth(int year, int month) const;
    virtual bool IsLeapYear(int year) const;

    // The text a cell shows; empty for a day cell outside the month.
    virtual QString GetCellText(int col, int row) const = 0;

    std::function<void(QObject* sender)> OnChange;

protected:
    // Starts on today; the derived grid gives the shape and calls UpdateCalendar.
    explicit TCalendarGrid(QWidget* parent);

    // The cell that shows a date, and the date a day cell stands for (0 for none).
    virtual TGridCoord DateCell(int year, int month, int day) const = 0;
    virtual TDateTime CellDate(int col, int row) const = 0;
    // Whether the grid's texts differ between the two dates, so that all of it repaints.
    virtual bool LayoutDiffers(TDateTime before, TDateTime after) const = 0;
    // Weekday (0..6, 0 = Sunday) of the first of a month, counted from StartOfWeek.
    int MonthOffset(int year, int month) const;

    // Moves the current cell to the date without reporting a click.
    virtual void UpdateCalendar();
    virtual void Change();

    void DrawCell(int col, int row, const QRect& rect, TGridDrawState state) override;
    bool SelectCell(int col, int row) override;
    // A click on a day cell makes its date the calendar's.
    void Click() override;

private:
    void StoreDate(TDateTime value);

    TDateTime date_ = 0;
    TDayOfWeek startOfWeek_ = 0;
    bool readOnly_ = false;
    bool updating_ = false;
    bool useCurrentDate_ = true;
};

// The month calendar: column c is weekday (StartOfWeek + c) mod 7, row 0 its
// short day name, rows 1 to 6 the weeks of the month.
class TCalendar : public TCalendarGrid {
    Q_OBJECT
public:
    explicit TCalendar(QWidget* parent = nullptr);

    QString GetCellText(int col, int row) const override;

protected:
    TGridCoord DateCell(int year, int month, int day) const override;
    TDateTime CellDate(int col, int row) const override;
    bool LayoutDiffers(TDateTime before, TDateTime after) const override;
    // Seven equal columns and seven equal rows fill the client area.
    void resizeEvent(QResizeEvent* event) override;
};
