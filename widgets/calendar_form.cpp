#include "widgets/calendar_form.h"
#include "platform/rtl/format.h"
#include "platform/ui/design_fonts.h"
#include <QRadioButton>

const char* const DateLabelFormat = "DDD, DD, MMM, YYYY";

QFont CalendarDesignFont(const QString& family, int pixels, bool bold)
{
    QFont font = DesignFont(family, -pixels);
    font.setBold(bold);
    return font;
}

namespace {

constexpr int BottomPanelHeight = 30;
constexpr int MonthPanelWidth = 82;

void SetBackground(QWidget* control, TColor colour)
{
    QPalette colours = control->palette();
    colours.setColor(QPalette::Window, ToQColor(colour));
    control->setPalette(colours);
    control->setAutoFillBackground(true);
}

void SetTextColour(QWidget* control, TColor colour)
{
    QPalette colours = control->palette();
    colours.setColor(QPalette::WindowText, ToQColor(colour));
    colours.setColor(QPalette::Text, ToQColor(colour));
    control->setPalette(colours);
}

} // namespace

TCalendarForm::TCalendarForm(QWidget* parent, std::unique_ptr<TCalendarGrid> calendar, TChooser chooser,
                             int clientWidth, int clientHeight)
    : TForm(parent)
{
    SetClientSize(clientWidth, clientHeight);
    SetBackground(this, clBlack);
    SetKeyPreview(true);

    Panel1 = new TPanel(this);
    Panel1->setFixedHeight(BottomPanelHeight);
    SetBackground(Panel1, clBtnFace);
    SetAlign(Panel1, TAlign::alBottom);

    Label1 = new TLabel(Panel1);
    Label1->setFont(CalendarDesignFont(QStringLiteral("MS Sans Serif"), 12));
    Label1->move(6, 8);

    SpinEdit1 = new TSpinEdit(Panel1);
    SpinEdit1->setGeometry(105, 3, 56, 26);
    SpinEdit1->setFocusPolicy(Qt::ClickFocus);
    SpinEdit1->SetEditorEnabled(false);
    SpinEdit1->SetMaxLength(4);
    SpinEdit1->SetMinValue(1900);
    SpinEdit1->SetMaxValue(2099);
    SpinEdit1->SetValue(1900);
    SpinEdit1->setFont(CalendarDesignFont(QStringLiteral("MS Sans Serif"), 13));
    SetTextColour(SpinEdit1, clMaroon);
    SetTextColour(Label1, clBlack);
    SpinEdit1->OnChange = [this](QObject* sender) { SpinEdit1Change(sender); };

    if (chooser == TChooser::MonthAndYear) {
        Panel2 = new TPanel(this);
        Panel2->setFixedWidth(MonthPanelWidth);
        SetBackground(Panel2, clBtnFace);
        SetAlign(Panel2, TAlign::alRight);
        RadioGroup2 = new TRadioGroup(Panel2);
        RadioGroup2->setGeometry(-8, -5, 90, 129);
        SetBackground(RadioGroup2, clSilver);
        RadioGroup2->setFont(CalendarDesignFont(QStringLiteral("MS Sans Serif"), 9));
        RadioGroup2->SetColumns(2);
        RadioGroup2->SetItems({"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"});
        for (int i = 0; i < RadioGroup2->Items().size(); ++i)
            SetTextColour(RadioGroup2->Button(i), clMaroon);
        RadioGroup2->SetItemIndex(0);
        RadioGroup2->OnClick = [this](QObject* sender) { RadioGroup1Click(sender); };
    }

    Calendar1 = calendar.release();
    Calendar1->setParent(this);
    Calendar1->Font().SetColor(clBlack);
    Calendar1->SetStartOfWeek(6);
    Calendar1->OnChange = [this](QObject* sender) { Calendar1Change(sender); };
    SetAlign(Calendar1, TAlign::alClient);
    Calendar1->setFocus();
}

void TCalendarForm::SpinEdit1Change(QObject*)
{
    const int year = SpinEdit1->Value();
    if (Calendar1->Month() == 2 && Calendar1->Day() == 29 && !Calendar1->IsLeapYear(year))
        Calendar1->SetDay(28);
    Calendar1->SetYear(year);
    UpdateDateLabel();
}

void TCalendarForm::RadioGroup1Click(QObject*)
{
    if (Calendar1->Day() > 28)
        Calendar1->SetDay(28);
    Calendar1->SetMonth(RadioGroup2->ItemIndex() + 1);
    UpdateDateLabel();
}

void TCalendarForm::Calendar1Change(QObject*)
{
    UpdateDateLabel();
}

void TCalendarForm::BitBtn3Click(QObject*)
{
    Calendar1->SetCalendarDate(Date());
}

void TCalendarForm::UpdateDateLabel()
{
    Label1->SetCaption(FormatDateTime(QString::fromLatin1(DateLabelFormat), Calendar1->CalendarDate()));
}

void TCalendarForm::ShowMonthAndYear()
{
    if (RadioGroup2)
        RadioGroup2->SetItemIndex(Calendar1->Month() - 1);
    SpinEdit1->SetValue(Calendar1->Year());
}
