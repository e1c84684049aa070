#include "widgets/year_calendar_form.h"
#include "widgets/year_calendar.h"

TCalYearForm* CalYearForm = nullptr;

TCalYearForm::TCalYearForm(TVrDateEdit* owner)
    : TDatePopUpForm(owner, std::make_unique<TYearCal>(), TChooser::Year, 559, 286)
{
    SetCaption(QStringLiteral("Yearly Calendar"));
    SetBorderStyle(TFormBorderStyle::bsDialog);
    Calendar1->SetColor(clAqua);
    Calendar1->Font().SetFont(CalendarDesignFont(QStringLiteral("Arial"), 11, true));
}
