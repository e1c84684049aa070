#pragma once
// The part of the month and year pop-ups that serves the date edit: they
// start on its field's date and write the picked date back into the field.
#include "platform/ui/buttons.h"
#include "widgets/calendar_form.h"

class TVrDateEdit;

class TDatePopUpForm : public TCalendarForm {
    Q_OBJECT
public:
    // The date edit that opened the pop-up.
    TVrDateEdit* DateEdit = nullptr;
    TSpeedButton* BitBtn1 = nullptr;
    TSpeedButton* BitBtn2 = nullptr;
    TSpeedButton* BitBtn3 = nullptr;

    // OK: the field takes the calendar's date; the record stays in edit mode
    // for the window that owns the data source to post.
    void BitBtn1Click(QObject* sender);
    // Cancel: the field keeps its value.
    void BitBtn2Click(QObject* sender);
    // The choosers show the calendar's month and year; the week begins on Sunday.
    void FormActivate(QObject* sender);

protected:
    // The calendar starts on the field's date, or on today when the field is
    // empty or holds no readable date.
    TDatePopUpForm(TVrDateEdit* owner, std::unique_ptr<TCalendarGrid> calendar, TChooser chooser, int clientWidth,
                   int clientHeight);
};
