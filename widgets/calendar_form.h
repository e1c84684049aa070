#pragma once
// What the month and year calendar windows share: the calendar on the client
// area, a bottom panel with the line that spells out the chosen date and the
// year spin, and for a month calendar a right panel of twelve month buttons;
// and the handlers that keep them in step with the calendar.
#include "platform/ui/calendar.h"
#include "platform/ui/containers.h"
#include "platform/ui/form.h"
#include "platform/ui/spin_edit.h"
#include "platform/ui/standard_controls.h"
#include <memory>

class TCalendarForm : public TForm {
    Q_OBJECT
public:
    TCalendarGrid* Calendar1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TSpinEdit* SpinEdit1 = nullptr;
    // Only in a month calendar.
    TPanel* Panel2 = nullptr;
    TRadioGroup* RadioGroup2 = nullptr;

    // The year spin sets the calendar's year; 29 February first becomes the
    // 28th when the new year has no 29 February.
    void SpinEdit1Change(QObject* sender);
    // A chosen month lands on day 28 at most, so that every month has the day.
    void RadioGroup1Click(QObject* sender);
    void Calendar1Change(QObject* sender);
    // Today: the calendar shows today's date; the window stays.
    void BitBtn3Click(QObject* sender);
    void UpdateDateLabel();

protected:
    enum class TChooser { Year, MonthAndYear };
    // Places the panels and the calendar on a client area of the given size.
    TCalendarForm(QWidget* parent, std::unique_ptr<TCalendarGrid> calendar, TChooser chooser, int clientWidth,
                  int clientHeight);

    // Shows the calendar's month and year in the choosers; the date stays as it is.
    void ShowMonthAndYear();
};

// A design's font (family, pixel height) as these windows show it.
QFont CalendarDesignFont(const QString& family, int pixels, bool bold = false);

// The date line's pattern: short day name, day, short month name, four-digit year.
extern const char* const DateLabelFormat;
