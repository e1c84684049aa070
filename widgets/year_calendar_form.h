#pragma once
// TCalYearForm: the date edit's year pop-up, a whole year on one grid with a
// year chooser.
#include "widgets/date_popup.h"

class TCalYearForm : public TDatePopUpForm {
    Q_OBJECT
public:
    explicit TCalYearForm(TVrDateEdit* owner);
};

// The year pop-up while it is open.
extern TCalYearForm* CalYearForm;
