#include "widgets/date_popup.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "widgets/date_edit.h"
#include "widgets/date_glyphs.h"
#include <cmath>

namespace {

// The program-wide first weekday of the pop-ups; 0 = Sunday.
constexpr TDayOfWeek StartOfWeekSetting = 0;

TDateTime StartDate(const TField* field)
{
    try {
        if (!field || field->IsNull())
            return Date();
        const TDateTime value = field->AsDateTime();
        return value == 0 ? Date() : std::trunc(value);
    } catch (const EConvertError&) {
        return Date();
    }
}

TSpeedButton* AddButton(QWidget* panel, int left, const QString& hint, const QPixmap& glyph)
{
    auto* button = new TSpeedButton(panel);
    button->setGeometry(left, 4, 26, 24);
    button->SetFlat(true);
    button->SetHint(hint);
    button->SetGlyph(glyph);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TDatePopUpForm::TDatePopUpForm(TVrDateEdit* owner, std::unique_ptr<TCalendarGrid> calendar, TChooser chooser,
                               int clientWidth, int clientHeight)
    // A window of its own rather than a child window of the date edit, so that
    // it becomes the active window while shown; the caller frees it on return.
    : TCalendarForm(nullptr, std::move(calendar), chooser, clientWidth, clientHeight), DateEdit(owner)
{
    BitBtn3 = AddButton(Panel1, 164, QStringLiteral("Today"), TodayGlyph());
    BitBtn1 = AddButton(Panel1, 196, QStringLiteral("OK"), OkGlyph());
    BitBtn2 = AddButton(Panel1, 228, QStringLiteral("Cancel"), CancelGlyph());
    BitBtn3->OnClick = [this](QObject* sender) { BitBtn3Click(sender); };
    BitBtn1->OnClick = [this](QObject* sender) { BitBtn1Click(sender); };
    BitBtn2->OnClick = [this](QObject* sender) { BitBtn2Click(sender); };
    Calendar1->OnDblClick = [this](QObject* sender) { BitBtn1Click(sender); };
    OnActivate = [this](QObject* sender) { FormActivate(sender); };
    // Enter confirms and Escape cancels, so that a date can be picked without the mouse.
    OnKeyDown = [this](QObject* sender, int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            key = 0;
            BitBtn1Click(sender);
        } else if (key == Qt::Key_Escape) {
            key = 0;
            BitBtn2Click(sender);
        }
    };
    Calendar1->SetCalendarDate(StartDate(DateEdit->Field()));
}

void TDatePopUpForm::BitBtn1Click(QObject*)
{
    if (TField* field = DateEdit->Field())
        field->SetAsDateTime(Calendar1->CalendarDate());
    SetModalResult(mrOk);
}

void TDatePopUpForm::BitBtn2Click(QObject*)
{
    Close();
}

void TDatePopUpForm::FormActivate(QObject*)
{
    ShowMonthAndYear();
    Calendar1->SetStartOfWeek(StartOfWeekSetting);
}
