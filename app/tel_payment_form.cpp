#include "app/tel_payment_form.h"
#include "app/tab_order.h"
#include "app/entry_form_parts.h"
#include "app/main_menu.h"
#include "data/adm3.h"
#include "data/rule_queries.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "grid/ww_db_grid.h"
#include "platform/db/field.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/format.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include "widgets/ra_status_bar.h"

TFrmTelPayment* FrmTelPayment = nullptr;

namespace {

constexpr const char* BillColumns[] = {"CalcTelcoDesc\t28\tAccount Name", "CalcPeriodName\t12\tMonth/Year",
                                       "TotalAmount\t13\tTotal Amount", "PaidAmount\t12\tPaid Amount",
                                       "CalcBalance\t10\tBalance"};
constexpr const char* BalanceColumns[] = {"CalcBankAccDesc\t24\tBank Account Name", "UpdateDate\t12\tUpdateDate",
                                          "TotalAmount\t13\tTotal Amount", "Remarks\t24\tRemarks"};

TField* BillTotal() { return ADm3->TblTelPaid->FieldByName(QStringLiteral("TotalAmount")); }

TwwDBGrid* PageGrid(TTabSheet* page, const char* name, TDataSource* source, std::span<const char* const> columns)
{
    TwwDBGrid* grid = MakeGrid(page, name, source, columns);
    grid->SetTitleButtons(false);
    SetAlign(grid, TAlign::alClient);
    return grid;
}

} // namespace

// The navigators are bound to the mode's table when the dialog comes up.
TFrmTelPayment::TFrmTelPayment()
    : TEntryDialog("FrmTelPayment", QStringLiteral("Communication Payments"), 640, 400, nullptr,
                   TButtonSet{nbEdit, nbPost, nbCancel})
{
    FrmTelPayment = this;
    StatusBar1 = Named(new TRAStatusBar(this), "StatusBar1");
    StatusBar1->resize(width(), 19);
    StatusBar1->AddPanel(250, QStringLiteral("Total Amount:"));
    StatusBar1->AddPanel(250);
    SetAlign(StatusBar1, TAlign::alBottom);

    PageControlRefrence = Named(new TPageControl(this), "PageControlRefrence");
    SetAlign(PageControlRefrence, TAlign::alClient);
    TabComPayments =
        Named(new TTabSheet(PageControlRefrence, QStringLiteral("Communication Payments")), "TabComPayments");
    TabFastBanks = Named(new TTabSheet(PageControlRefrence, QStringLiteral("Bank Actual Balances")), "TabFastBanks");
    wwDBGrid1 = PageGrid(TabComPayments, "wwDBGrid1", ADm3->DsTelPaid, BillColumns);
    wwDBGrid2 = PageGrid(TabFastBanks, "wwDBGrid2", ADm3->DsFastBank, BalanceColumns);

    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    OnActivate = [this](QObject* sender) { FormActivate(sender); };
    OnCloseQuery = [this](QObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    OnDestroy = [this](QObject* sender) { FormDestroy(sender); };
    DoCreate();
    SetTabOrderByPosition(*this);
}

TFrmTelPayment::~TFrmTelPayment()
{
    DoDestroy();
    if (FrmTelPayment == this)
        FrmTelPayment = nullptr;
}

void TFrmTelPayment::ShowOnlyPage(int tag)
{
    TabComPayments->SetTabVisible(false);
    TabFastBanks->SetTabVisible(false);
    if (tag == CommunicationPaymentsTag)
        PageControlRefrence->SetActivePage(TabComPayments);
    else if (tag == BankBalancesTag)
        PageControlRefrence->SetActivePage(TabFastBanks);
}

void TFrmTelPayment::FormCreate(QObject*)
{
    ADm3->TblFastBank->AfterPost = [this](TDataSet&) { ShowBankGrandTotal(); };
    ADm3->TblTelPaid->AfterPost = [this](TDataSet&) { ShowCommGrandTotals(); };
}

void TFrmTelPayment::FormDestroy(QObject*)
{
    // The data module outlives the dialog: its events must not call back into it.
    if (ADm3) {
        ADm3->TblFastBank->AfterPost = nullptr;
        ADm3->TblTelPaid->AfterPost = nullptr;
    }
}

void TFrmTelPayment::FormActivate(QObject*)
{
    const auto bind = [this](TDataSource* source) {
        DBNavigator1->SetDataSource(source);
        DBNavigator2->SetDataSource(source);
    };
    if (PaymentPageTag == CommunicationPaymentsTag) {
        SetCaption(QStringLiteral("Communication Account Payments"));
        ADm3->TblTelPaid->Open();
        // Only the paid amount is typed; the bill's total comes from the transactions.
        BillTotal()->SetReadOnly(true);
        bind(ADm3->DsTelPaid);
        ShowCommGrandTotals();
    } else if (PaymentPageTag == BankBalancesTag) {
        SetCaption(QStringLiteral("Bank Actual Balances"));
        ADm3->TblFastBank->Open();
        bind(ADm3->DsFastBank);
        AddMissingBankBalances();
        ShowBankGrandTotal();
    }
}

void TFrmTelPayment::AddMissingBankBalances()
{
    TwwTable& accounts = *ADm3->CpyBankAcnt;
    TwwTable& balances = *ADm3->TblFastBank;
    accounts.Open();
    for (accounts.First(); !accounts.Eof(); accounts.Next()) {
        const QVariant code = accounts.FieldByName(QStringLiteral("BankAccountCode"))->Value();
        if (balances.FindKey({code}))
            continue;
        balances.Insert();
        balances.FieldByName(QStringLiteral("BankAccountCode"))->SetValue(code);
        balances.FieldByName(QStringLiteral("UpdateDate"))->SetAsDateTime(Now());
        balances.Post();
    }
}

void TFrmTelPayment::FormCloseQuery(QObject*, bool& canClose)
{
    BillTotal()->SetReadOnly(false);
    canClose = true;
}

void TFrmTelPayment::CBoxBankTranClick(QObject*)
{
    const bool autoEdit = CBoxBankTran->Checked();
    ADm3->DsTelPaid->SetAutoEdit(autoEdit);
    ADm3->DsFastBank->SetAutoEdit(autoEdit);
    if (FrmMainMenu)
        FrmMainMenu->SetAutoEditButtons(DBNavigator2, autoEdit);
}

void TFrmTelPayment::ShowBankGrandTotal()
{
    const QVariant total = QueryValue(*ADm3->Qt1, {QStringLiteral("Select Sum(TotalAmount) from Mthbnk2a")});
    if (!total.isNull())
        StatusBar1->SetPanelText(0, QStringLiteral("Grand Total Amount : ") + FloatToStr(total.toDouble()));
}

void TFrmTelPayment::ShowCommGrandTotals()
{
    const QVariant total = QueryValue(*ADm3->Qt1, {QStringLiteral("Select Sum(TotalAmount) from MthTel2a")});
    const QVariant paid = QueryValue(*ADm3->Qt1, {QStringLiteral("Select Sum(PaidAmount) from MthTel2a")});
    if (!total.isNull())
        StatusBar1->SetPanelText(0, QStringLiteral("Grand Total Amount : ") + FloatToStr(total.toDouble()));
    if (!paid.isNull())
        StatusBar1->SetPanelText(1, QStringLiteral("Grand Total Paid Amount : ") + FloatToStr(paid.toDouble()));
}
