#include "app/double_entry_form.h"
#include "app/tab_order.h"
#include "app/entry_form_parts.h"
#include "app/grid_colours.h"
#include "app/grid_record_controls.h"
#include "app/lookup_combos.h"
#include "app/main_menu.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/double_entry.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "grid/ww_db_grid.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/presenter.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include "widgets/tiled_bitmap.h"
#include <initializer_list>

TFrmDoubleEntry* FrmDoubleEntry = nullptr;

namespace {

// The picture library as this dialog loaded it; kept for the rest of the run.
HINSTANCE DoubleEntryLibraryHandle = 0;

const QString CR = QStringLiteral("\r");

constexpr const char* LineColumns[] = {"DoubleAccountNum\t10\tAccount Number"};
constexpr const char* AmountColumns[] = {"DoubleSerialNum\t10\tS #", "TransactionDate\t10\tDate",
                                         "Amount\t10\tAmount"};

// A code an account line of a type must name, and the box when it does not.
struct TRequiredCode {
    const char* Type;
    const char* Field;
    const char* Missing;
};

const TRequiredCode RequiredCodes[] = {
    {"B", "BankAccountCode", "Bank Account not Specified, Please Enter the details"},
    {"B", "BankItemCode", "Bank Item not Specified, Please Enter the details"},
    {"I", "IncomeCode", "Income Item not Specified, Please Enter the details"},
    {"E", "ExpenseCode", "Expense Item not Specified, Please Enter the details"},
    {"C", "TelcomCode", "Communication Account not Specified, Please Enter the details"},
    {"C", "TelItemCode", "Communication Item not Specified, Please Enter the details"},
};

const QString ApproveText = QStringLiteral(
    "Approve This Multiple Entry Transaction, You will not be allowed to make any further Modifications in the "
    "Account Details ? \rNote: Unposted Transaction Details can be Modified ");

bool Approved() { return ADm3->TblDbl1a->FieldByName(QStringLiteral("Approved"))->AsBoolean(); }

} // namespace

TFrmDoubleEntry::TFrmDoubleEntry()
    : TListAndPagesDialog("FrmDoubleEntry", QStringLiteral("Multiple Entry Transactions"), ADm3->DsDbl1a,
                          "DoubleDetails\t30\tMultiple Entry Header Record", 200,
                          {"TabRecurDetails", "Account Details"}, {"TabRecurPayment", "Detail Transactions"})
{
    FrmDoubleEntry = this;
    CreateAccountPage();
    CreateAmountPage();

    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    OnDestroy = [this](QObject* sender) { FormDestroy(sender); };
    DoCreate();
    SetTabOrderByPosition(*this);
}

TFrmDoubleEntry::~TFrmDoubleEntry()
{
    DoDestroy();
    if (FrmDoubleEntry == this)
        FrmDoubleEntry = nullptr;
}

void TFrmDoubleEntry::CreateAccountPage()
{
    TwwDataSource* lines = ADm3->DsDbl1b;
    DBNavigator5 = MakeNavigator(TabRecurDetails, "DBNavigator5", lines, BrowseButtons, 8, 8);
    DBNavigator6 = MakeNavigator(TabRecurDetails, "DBNavigator6", lines, EditButtons,
                                 DBNavigator5->geometry().right() + 9, 8);
    wwDBGrid3 = MakeGrid(TabRecurDetails, "wwDBGrid3", lines, LineColumns);
    wwDBGrid3->setGeometry(8, 40, 134, 330);
    KeepNewRecordForItsControls(*wwDBGrid3);

    constexpr int left = 154;
    DBRadioGroup1 = Named(new TDBRadioGroup(TabRecurDetails), "DBRadioGroup1");
    DBRadioGroup1->SetCaption(QStringLiteral(" Account "));
    DBRadioGroup1->SetItems({QStringLiteral("Bank"), QStringLiteral("Income"), QStringLiteral("Communication"),
                             QStringLiteral("Expense")});
    DBRadioGroup1->SetValues({QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("C"), QStringLiteral("E")});
    DBRadioGroup1->SetColumns(2);
    DBRadioGroup1->setGeometry(left, 40, 250, 60);
    DBRadioGroup1->SetDataSource(lines);
    DBRadioGroup1->OnChange = [this](QObject* sender) { DBRadioGroup1Change(sender); };
    DBRadioGroup2 = Named(new TDBRadioGroup(TabRecurDetails), "DBRadioGroup2");
    DBRadioGroup2->SetCaption(QStringLiteral(" Type "));
    DBRadioGroup2->SetItems({QStringLiteral("Debit"), QStringLiteral("Credit")});
    DBRadioGroup2->SetValues({QStringLiteral("D"), QStringLiteral("C")});
    DBRadioGroup2->SetColumns(2);
    DBRadioGroup2->setGeometry(left, 106, 250, 44);
    DBRadioGroup2->SetDataSource(lines);
    DBRadioGroup2->OnChange = [this](QObject* sender) { DBRadioGroup1Change(sender); };

    const auto label = [this](const char* name, const char* caption, int y) {
        auto* label = Named(new TLabel(TabRecurDetails), name);
        label->SetCaption(QString::fromLatin1(caption));
        label->SetTransparent(true);
        label->setGeometry(left, y + 3, 110, 16);
        return label;
    };
    LblMain = label("LblMain", " Bank Account", 164);
    LblBankItem = label("LblBankItem", " Bank Item", 192);
    // The other accounts take the places of the bank account and its item.
    CreateAccountCombos(TabRecurDetails, ADm3->DsDbl1b, QRect(left + 112, 164, 240, 21));

    BtnApprove = MakeButton(TabRecurDetails, "BtnApprove", QStringLiteral("Approve "), QRect(left, 232, 100, 25));
    BtnApprove->OnClick = [this](QObject* sender) { BtnApproveClick(sender); };

    // Bound last: the choices show their account controls at once.
    DBRadioGroup1->SetDataField(QStringLiteral("DoubleType"));
    DBRadioGroup2->SetDataField(QStringLiteral("DebitCredit"));
}

void TFrmDoubleEntry::CreateAmountPage()
{
    TwwDataSource* amounts = ADm3->DsDbl1c;
    DBNavigator3 = MakeNavigator(TabRecurPayment, "DBNavigator3", amounts, BrowseButtons, 8, 8);
    DBNavigator4 = MakeNavigator(TabRecurPayment, "DBNavigator4", amounts, EditButtons,
                                 DBNavigator3->geometry().right() + 9, 8);
    wwDBGrid2 = MakeGrid(TabRecurPayment, "wwDBGrid2", amounts, AmountColumns);
    wwDBGrid2->setGeometry(8, 40, 300, 330);
    wwDBGrid2->SetTitleAlignment(taCenter);
    wwDBGrid2->OnCalcCellColors = [this](QObject* sender, TField* field, TGridDrawState state, bool highlight,
                                         TFont& font, TBrush& brush) {
        wwDBGrid2CalcCellColors(sender, field, state, highlight, font, brush);
    };
    BtnTransfer = MakeButton(TabRecurPayment, "BtnTransfer", QStringLiteral("Transfer To Transactions"),
                             QRect(320, 40, 170, 25));
    BtnTransfer->OnClick = [this](QObject* sender) { BtnTransferClick(sender); };
}

void TFrmDoubleEntry::FormCreate(QObject*)
{
    LoadBackgrounds(DoubleEntryLibraryHandle, {TiledBitmap1, TiledBitmap2});
    query_ = std::make_unique<TQuery>();
    query_->SetDatabaseName(ADm3->TblDbl1a->DatabaseName());
    ADm3->TblDbl1a->Open();
    ADm3->TblDbl1b->Open();
    ADm3->TblDbl1c->Open();
    PageControl1->SetActivePage(TabRecurDetails);
    ADm3->DsDbl1a->OnDataChange = [this](TDataSource&, TField*) { UpdateApproveButtons(); };
    UpdateApproveButtons();
    DBRadioGroup1Change(DBRadioGroup1);
}

void TFrmDoubleEntry::FormDestroy(QObject*)
{
    query_.reset();
    // The data module outlives the dialog: its events must not call back into it.
    if (ADm3)
        ADm3->DsDbl1a->OnDataChange = nullptr;
}

void TFrmDoubleEntry::DBRadioGroup1Change(QObject*)
{
    ShowLineAccounts(DBRadioGroup1->Value());
}

void TFrmDoubleEntry::CBoxBankTranClick(QObject*)
{
    const bool autoEdit = CBoxBankTran->Checked();
    for (TwwDataSource* source : {ADm3->DsDbl1a, ADm3->DsDbl1b, ADm3->DsDbl1c})
        source->SetAutoEdit(autoEdit);
    if (FrmMainMenu)
        for (TDBNavigator* navigator : {DBNavigator2, DBNavigator4, DBNavigator6})
            FrmMainMenu->SetAutoEditButtons(navigator, autoEdit);
}

void TFrmDoubleEntry::UpdateApproveButtons()
{
    const bool approved = Approved();
    BtnApprove->setEnabled(!approved);
    DBNavigator6->setEnabled(!approved);
}

void TFrmDoubleEntry::BtnApproveClick(QObject*)
{
    TDataSet& lines = *ADm3->TblDbl1b;
    // A line still being typed is checked as it will be stored.
    lines.CheckBrowseMode();
    for (lines.First(); !lines.Eof(); lines.Next()) {
        const QString type = lines.FieldByName(QStringLiteral("DoubleType"))->AsString();
        for (const TRequiredCode& code : RequiredCodes) {
            if (type != QLatin1String(code.Type) ||
                !lines.FieldByName(QString::fromLatin1(code.Field))->AsString().trimmed().isEmpty())
                continue;
            // The grid stays on the line at fault.
            const QString number = QString::number(lines.FieldByName(QStringLiteral("DoubleAccountNum"))->AsInteger());
            MessageDlg(QStringLiteral("Account Number : ") + number + CR + QString::fromLatin1(code.Missing),
                       TMsgDlgType::mtWarning, mbOK, 0);
            Abort();
        }
    }
    lines.First();
    if (MessageDlg(QStringLiteral("Warning, ") + ApproveText, TMsgDlgType::mtWarning, mbYesNo, 0) != mrYes)
        Abort();
    if (MessageDlg(QStringLiteral("*FINAL WARNING*, ") + ApproveText, TMsgDlgType::mtWarning, mbYesNo, 0) != mrYes)
        Abort();
    TwwTable& header = *ADm3->TblDbl1a;
    header.Edit();
    header.FieldByName(QStringLiteral("Approved"))->SetAsBoolean(true);
    header.Post();
    UpdateApproveButtons();
}

void TFrmDoubleEntry::BtnTransferClick(QObject*)
{
    if (!Approved()) {
        MessageDlg(QStringLiteral("Sorry, Only Approved Multiple Items can be Tranfered ?"), TMsgDlgType::mtWarning,
                   mbOK, 0);
        Abort();
    }
    // An amount still being typed goes with the run, or stops it with its rule's box.
    ADm3->TblDbl1c->CheckBrowseMode();
    TransferDoubleEntry(*ADm1, *ADm3, *query_);
}

void TFrmDoubleEntry::wwDBGrid2CalcCellColors(QObject*, TField*, TGridDrawState, bool highlight, TFont& font,
                                   TBrush& brush)
{
    PaintDatedRow(*ADm3->TblDbl1c, GridColorDouble, highlight, font, brush);
}
