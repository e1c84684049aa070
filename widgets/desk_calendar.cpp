#include "widgets/desk_calendar.h"
#include "platform/db/field.h"
#include "platform/rtl/presenter.h"
#include "platform/ui/application.h"
#include "platform/ui/menus.h"
#include "widgets/date_glyphs.h"

QPointer<TQueltCalMonthform> QueltCalMonthform;

namespace {

QWidget* OwnerWidget(QObject* owner)
{
    return qobject_cast<QWidget*>(owner);
}

TBitBtn* AddButton(QWidget* panel, const QRect& bounds, const QString& hint, const QPixmap& glyph)
{
    auto* button = new TBitBtn(panel);
    button->setGeometry(bounds);
    button->setToolTip(hint);
    button->SetGlyph(glyph);
    return button;
}

} // namespace

TQueltCalMonthform::TQueltCalMonthform(QObject* owner, const TField* startDayOfWeek, TMenuItem* viewItem)
    : TCalendarForm(OwnerWidget(owner), std::make_unique<TCalendar>(), TChooser::MonthAndYear, 260, 149),
      startDayOfWeek_(startDayOfWeek ? startDayOfWeek->AsInteger() : 0), viewItem_(viewItem)
{
    if (Application && owner == Application)
        Application->InsertComponent(this);
    SetCaption(QStringLiteral("Calendar"));
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetFormStyle(TFormStyle::fsStayOnTop);
    SetDesignFont(QStringLiteral("System"), -13);
    Calendar1->Font().SetFont(CalendarDesignFont(QStringLiteral("MS Sans Serif"), 12));

    BitBtn1 = AddButton(Panel1, QRect(196, 5, 60, 24), QStringLiteral("OK"), OkGlyph());
    BitBtn1->SetCaption(QStringLiteral("OK"));
    BitBtn1->SetDefault(true);
    BitBtn1->SetModalResult(mrOk);
    BitBtn3 = AddButton(Panel1, QRect(164, 4, 26, 24), QStringLiteral("Today"), TodayGlyph());
    BitBtn3->SetDefault(true);
    BitBtn2 = AddButton(Panel1, QRect(228, 4, 26, 24), QStringLiteral("Cancel"), CancelGlyph());
    BitBtn2->SetCancel(true);
    BitBtn2->SetModalResult(mrOk);
    BitBtn2->hide();
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, SpinEdit1);
    setTabOrder(SpinEdit1, BitBtn3);

    BitBtn1->OnClick = [this](QObject* sender) { BitBtn1Click(sender); };
    BitBtn2->OnClick = [this](QObject* sender) { BitBtn2Click(sender); };
    BitBtn3->OnClick = [this](QObject* sender) { BitBtn3Click(sender); };
    Calendar1->OnDblClick = [this](QObject* sender) { BitBtn1Click(sender); };
    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    OnActivate = [this](QObject* sender) { FormActivate(sender); };
    OnCloseQuery = [this](QObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    DoCreate();
}

void TQueltCalMonthform::FormCreate(QObject*)
{
    // A value out of range is reported; the calendar keeps its own first weekday.
    try {
        Calendar1->SetStartOfWeek(startDayOfWeek_);
    } catch (const ERangeError& error) {
        ShowException(error);
    }
}

void TQueltCalMonthform::FormActivate(QObject*)
{
    ShowMonthAndYear();
}

void TQueltCalMonthform::FormCloseQuery(QObject*, bool&)
{
    if (viewItem_)
        viewItem_->SetChecked(false);
}

void TQueltCalMonthform::BitBtn1Click(QObject*)
{
    Close();
}

void TQueltCalMonthform::BitBtn2Click(QObject*)
{
    Close();
}
