#pragma once
// TQueltCalMonthform: the desk calendar, a month calendar the user keeps open
// beside the main window. It picks no date for anything. Its weeks begin on
// the configuration's first weekday. Closing it (OK, the calendar's double
// click, the close box) hides it and clears the check of the menu item that
// shows it, so that the item's next click makes a new calendar.
#include "platform/ui/buttons.h"
#include "widgets/calendar_form.h"
#include <QPointer>

class TField;
class TMenuItem;

class TQueltCalMonthform : public TCalendarForm {
    Q_OBJECT
public:
    // Owner: the application object (which frees the calendar at the end of
    // the run) or a widget; StartDayOfWeek: the configuration's first weekday
    // (0 = Sunday); ViewItem: the menu item whose check says the calendar is shown.
    TQueltCalMonthform(QObject* owner, const TField* startDayOfWeek, TMenuItem* viewItem);

    TBitBtn* BitBtn1 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TBitBtn* BitBtn3 = nullptr;

    void FormCreate(QObject* sender);
    void FormActivate(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);
    // OK and Cancel close the calendar.
    void BitBtn1Click(QObject* sender);
    void BitBtn2Click(QObject* sender);

private:
    int startDayOfWeek_;   // as the configuration held it when the calendar was made
    QPointer<TMenuItem> viewItem_;
};

// The desk calendar the view menu made last.
extern QPointer<TQueltCalMonthform> QueltCalMonthform;
