#include "widgets/month_calendar_form.h"

TCalMonthform* CalMonthform = nullptr;

TCalMonthform::TCalMonthform(TVrDateEdit* owner)
    : TDatePopUpForm(owner, std::make_unique<TCalendar>(), TChooser::MonthAndYear, 260, 149)
{
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetDesignFont(QStringLiteral("System"), -13);
    Calendar1->Font().SetFont(CalendarDesignFont(QStringLiteral("MS Sans Serif"), 12));
}
