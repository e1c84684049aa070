#pragma once
// TCalMonthform: the date edit's month pop-up, a borderless month calendar
// with month and year choosers.
#include "widgets/date_popup.h"

class TCalMonthform : public TDatePopUpForm {
    Q_OBJECT
public:
    explicit TCalMonthform(TVrDateEdit* owner);
};

// The month pop-up while it is open.
extern TCalMonthform* CalMonthform;
