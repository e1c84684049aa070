#include "app/close_period_form.h"
#include "app/tab_order.h"
#include "app/dialog_controls.h"
#include "app/day_numbers.h"
#include "data/adm1.h"
#include "data/message_helpers.h"
#include "data/period_close.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/ui/buttons.h"
#include "platform/ui/colors.h"
#include "platform/ui/containers.h"
#include "platform/ui/custom_edit.h"
#include "platform/ui/standard_controls.h"
#include <algorithm>

TFrmClosePeriod* FrmClosePeriod = nullptr;
TDateTime OldCloseDate = 0;
TDateTime NewCloseDate = 0;

namespace {

void SetTextColour(QWidget* widget, TColor colour) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, ToQColor(colour));
    widget->setPalette(colours);
}

// A bold label fits its caption again, as it did when its font was set.
void SetBold(TLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    if (label->AutoSize())
        label->adjustSize();
}

TLabel* MakeWrappedLabel(QWidget* parent, const QRect& where, TColor colour) {
    TLabel* label = MakeLabel(parent, QString(), where.topLeft());
    label->SetAutoSize(false);
    label->setGeometry(where);
    label->SetWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(label, colour);
    SetBold(label);
    return label;
}

// The first day after the chosen month end, as both questions name it.
QString DayAfter(TDateTime monthEnd) { return FormatDateTime(QStringLiteral("mmmm d, yyyy "), monthEnd + 1); }

}  // namespace

TFrmClosePeriod::TFrmClosePeriod() {
    FrmClosePeriod = this;
    CreateComponents();
    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    DoCreate();
    SetTabOrderByPosition(*this);
}

TFrmClosePeriod::~TFrmClosePeriod() {
    if (FrmClosePeriod == this)
        FrmClosePeriod = nullptr;
}

void TFrmClosePeriod::SetHeight(int height) { SetClientSize(width(), height); }

void TFrmClosePeriod::CreateComponents() {
    SetCaption(QStringLiteral("Close Period"));
    SetDesignFont(QStringLiteral("MS Sans Serif"), -11);
    resize(498, 340);
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);

    Label1 = MakeLabel(this, QStringLiteral("Last Period Closed:"), QPoint(16, 14));
    SetTextColour(Label1, clGreen);
    SetBold(Label1);
    LblLastPeriod = MakeLabel(this, QString(), QPoint(150, 14));
    SetBold(LblLastPeriod);

    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetCaption(QStringLiteral(" Choose Period  "));
    GroupBox1->setGeometry(8, 38, 482, 112);
    RbMonth = new TRadioGroup(GroupBox1);
    RbMonth->SetCaption(QStringLiteral(" Month "));
    RbMonth->setGeometry(10, 18, 330, 84);
    RbMonth->SetColumns(4);
    RbMonth->SetItems({"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"});
    Label4 = MakeLabel(GroupBox1, QStringLiteral("Year:"), QPoint(356, 52));
    EdtYear = new TCustomEdit(GroupBox1);
    EdtYear->setGeometry(392, 48, 64, 21);
    EdtYear->SetText(QStringLiteral("1998"));
    UpDown1 = new TUpDown(GroupBox1);
    UpDown1->SetMin(1998);
    UpDown1->SetMax(2001);
    UpDown1->SetAssociate(EdtYear);
    UpDown1->SetPosition(1998);

    LblDisplay = MakeWrappedLabel(this, QRect(16, 158, 466, 32), clRed);
    LblDisplay->SetCaption(QStringLiteral("Close Current Period, Are You Sure ?"));
    BtnYes = MakeButton(this, QStringLiteral("&Yes, Close This Period "), QRect(16, 206, 226, 27));
    BtnYes->SetDefault(true);
    BtnNo = MakeButton(this, QString(), QRect(256, 206, 226, 27));
    BtnNo->SetKind(TBitBtnKind::bkNo);
    BtnNo->SetCaption(QStringLiteral("&No, Do not Close This Period"));

    LblWarning = MakeWrappedLabel(this, QRect(16, 196, 466, 62), clRed);
    LblWarning->hide();
    Label2 = MakeLabel(this, QStringLiteral("Confirm Posting by Typing in 'YES':"), QPoint(16, 272));
    EdtConfirm = new TCustomEdit(this);
    EdtConfirm->setGeometry(220, 268, 64, 21);
    EdtConfirm->SetCharCase(TEditCharCase::ecUpperCase);
    EdtConfirm->SetText(QStringLiteral("NO"));
    BtnYes2 = MakeButton(this, QStringLiteral("&Yes, Confirm Posting"), QRect(16, 304, 226, 27));
    BtnYes2->SetDefault(true);
    BtnYes2->setEnabled(false);
    BtnNo2 = MakeButton(this, QString(), QRect(256, 304, 226, 27));
    BtnNo2->SetKind(TBitBtnKind::bkNo);
    BtnNo2->SetCaption(QStringLiteral("&No, Do not Close This Period"));

    RbMonth->OnClick = [this](QObject*) { UpdatePeriodChoice(); };
    EdtYear->OnChange = [this](QObject*) { UpdatePeriodChoice(); };
    BtnYes->OnClick = [this](QObject* sender) { BtnYesClick(sender); };
    EdtConfirm->OnChange = [this](QObject* sender) { EdtConfirmChange(sender); };
    BtnYes2->OnClick = [this](QObject* sender) { BtnYes2Click(sender); };
}

void TFrmClosePeriod::FormCreate(QObject*) {
    const TDateTime stored = ADm1->TblConfig->FieldByName(QStringLiteral("CloseDate"))->AsDateTime();
    const int month = MonthOf(stored);
    const int year = YearOf(stored);
    // The year range first: a position set outside the form's range would be
    // cut to it and written over the year just shown.
    UpDown1->SetMin(ADm1->FirstDataYear);
    UpDown1->SetMax(ADm1->LastDataYear + 5);
    if (month == 0) {
        OldCloseDate = EncodeDate(1900, 1, 1);
        LblLastPeriod->SetCaption(QStringLiteral("None"));
    } else {
        OldCloseDate = stored;
        LblLastPeriod->SetCaption(MonthName(month).left(3) + TrimSpaces(QString::number(year)));
        // The month after the closed one; after December the last item stays.
        RbMonth->SetItemIndex(std::min(month, 11));
        UpDown1->SetPosition(year);
        EdtYear->SetText(QString::number(year));
    }
    UpdatePeriodChoice();
}

void TFrmClosePeriod::UpdatePeriodChoice() {
    const qint64 year = StrToInt(EdtYear->Text());
    if (year < 0 || year > 65535)
        throw ERangeError(QStringLiteral("Range check error"));
    const int month = RbMonth->ItemIndex() + 1;
    if (DayNumberIsValid(1, static_cast<std::uint16_t>(month), static_cast<std::uint16_t>(year)))
        NewCloseDate = EncodeDate(static_cast<int>(year), month, 1);
    NewCloseDate = LastDayOfMonth(NewCloseDate);
    LblDisplay->SetCaption(QStringLiteral("Close all Transaction data entered before ") + DayAfter(NewCloseDate) +
                           QStringLiteral(" Are You Sure ?"));
    BtnYes->setEnabled(true);
    if (NewCloseDate <= OldCloseDate) {
        LblDisplay->SetCaption(QStringLiteral("*ERROR* Period allready posted"));
        BtnYes->setEnabled(false);
    }
}

void TFrmClosePeriod::BtnYesClick(QObject*) {
    SetHeight(FullHeight);
    BtnYes->hide();
    BtnNo->hide();
    GroupBox1->setEnabled(false);
    LblWarning->show();
    LblWarning->SetCaption(
        QStringLiteral("Warning!!! This action cannot be reversed. You will be unable to enter any transactions "
                       "before Period ") +
        DayAfter(NewCloseDate) + QStringLiteral(" henceforth. ") +
        QStringLiteral("Confirm your action by typing in Yes and click on \"Yes\" button to continue or \"No\" "
                       "button to exit ?"));
}

void TFrmClosePeriod::EdtConfirmChange(QObject*) { BtnYes2->setEnabled(EdtConfirm->Text() == QStringLiteral("YES")); }

void TFrmClosePeriod::BtnYes2Click(QObject*) {
    // A failed close changes nothing and its error reaches the application's
    // box; the dialog stays open for another try or No.
    ClosePeriod(NewCloseDate);
    SetModalResult(mrOk);
}

TModalLauncher ClosePeriodDialogLauncher() {
    TModalLauncher launcher;
    launcher.Hourglass = false;
    launcher.HideMainWindow = false;
    launcher.Create = [] { return new TFrmClosePeriod(); };
    launcher.BeforeShow = [](TForm& window, int) {
        window.SetClientSize(window.width(), TFrmClosePeriod::UpperHalfHeight);
    };
    return launcher;
}
