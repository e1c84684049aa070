#include "app/filter_form.h"
#include "app/tab_order.h"
#include "app/dialog_controls.h"
#include "app/main_menu.h"
#include "data/adm1.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "platform/ui/buttons.h"
#include "platform/ui/menus.h"
#include "platform/ui/standard_controls.h"
#include "widgets/date_edit.h"

TFrmFilter* FrmFilter = nullptr;

namespace {

TVrDateEdit* MakeDateEdit(QWidget* parent, const QString& field, const QRect& where) {
    auto* edit = new TVrDateEdit(parent);
    edit->setGeometry(where);
    edit->SetDataSource(ADm1->DsOptions);
    edit->SetDataField(field);
    return edit;
}

}  // namespace

TFrmFilter::TFrmFilter() {
    FrmFilter = this;
    SetCaption(QStringLiteral("Filter Options"));
    SetDesignFont(QStringLiteral("MS Sans Serif"), -11);
    resize(236, 150);
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetFormStyle(TFormStyle::fsStayOnTop);

    Panel1 = new TPanel(this);
    Panel1->setGeometry(8, 8, 220, 30);
    CbActive = new TCheckBox(Panel1);
    CbActive->SetCaption(QStringLiteral("Filter Active"));
    CbActive->setGeometry(10, 6, 200, 18);
    Label1 = MakeLabel(this, QStringLiteral("From Date"), QPoint(12, 52));
    DBEdFrom = MakeDateEdit(this, QStringLiteral("FromDate"), QRect(76, 48, 150, 21));
    Label2 = MakeLabel(this, QStringLiteral(" To Date "), QPoint(12, 82));
    DBEdTo = MakeDateEdit(this, QStringLiteral("ToDate"), QRect(76, 78, 150, 21));
    BtnUpdate = MakeButton(this, QStringLiteral("&Apply"), QRect(40, 114, 88, 25));
    BtnClose = MakeButton(this, QStringLiteral("&Close"), QRect(138, 114, 88, 25));

    CbActive->OnClick = [this](QObject* sender) { CbActiveClick(sender); };
    BtnUpdate->OnClick = [this](QObject* sender) { BtnUpdateClick(sender); };
    BtnClose->OnClick = [this](QObject*) { Close(); };
    OnCloseQuery = [this](QObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    DoCreate();
    SetTabOrderByPosition(*this);
}

TFrmFilter::~TFrmFilter() {
    if (FrmFilter == this)
        FrmFilter = nullptr;
}

void TFrmFilter::FormCreate(QObject*) { BtnUpdate->setEnabled(CbActive->Checked()); }

void TFrmFilter::CbActiveClick(QObject*) {
    const bool active = CbActive->Checked();
    DBEdFrom->setEnabled(active);
    DBEdTo->setEnabled(active);
    BtnUpdate->setEnabled(active);
    ADm1->FilterActive = active;
    if (!active)
        FrmMainMenu->SetTransactionFilter(false);
}

void TFrmFilter::BtnUpdateClick(QObject*) {
    ADm1->FilterActive = CbActive->Checked();
    FrmMainMenu->SetTransactionFilter(true);
}

void TFrmFilter::FormCloseQuery(QObject*, bool&) { FrmMainMenu->MnuFilterOptions->SetChecked(false); }
