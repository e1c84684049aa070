// The main window's transaction pages: one grid per transaction table of the
// first data module, with its navigators, its Auto Edit box, its row and title
// colours and its title-click sorting; the bank and communication pages first
// make the user choose an account.
#include "app/control_in_view.h"
#include "app/lookup_combos.h"
#include "app/main_menu.h"
#include "app/tool_icons.h"
#include "app/window_building.h"
#include "data/adm1.h"
#include "data/catalogue_datasets.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "grid/ww_db_grid.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include "widgets/ra_status_bar.h"
#include "widgets/tiled_bitmap.h"
#include <QApplication>
#include <QPointer>
#include <tuple>
#include <vector>

namespace {

constexpr TSortIndex BankSorts[] = {
    {"TransactionDate", "ByDate", "ByDate_Descending"},
    {"CalcBankItemDescription", "ByItemCode"},
    {"DebitAmount", "ByDebitAmount", "ByDebitAmount_Desc"},
    {"CreditAmount", "ByCreditAmount", "ByCreditAmount_Desc"},
};
constexpr TSortIndex TelSorts[] = {
    {"TransactionDate", "ByDate"},
    {"CaclTelItemDesc", "ByItemCode"},
    {"Amount", "ByAmount"},
};
constexpr TSortIndex IncomeSorts[] = {
    {"TransactionDate", "ByTransactionDate", "ByTransactionDate_Desc"},
    {"CalcIncomeItemDesc", "ByIncomeCode"},
    {"IncomeAmount", "ByIncomeAmount", "ByIncomeAmount_Desc"},
};
constexpr TSortIndex ExpenseSorts[] = {
    {"TransactionDate", "ByTransactionDate", "ByTransactionDate_Desc"},
    {"CalcExpenseItemDesc", "ByExpenseCode"},
    {"ExpenseAmount", "ByExpenseAmount", "ByExpenseAmount_Desc"},
};

constexpr const char* BankColumns[] = {"TransactionDate\t10\tDate", "CalcBankItemDescription\t30\tItem Description",
                                       "DebitAmount\t11\tDebit Amount", "CreditAmount\t12\tCredit Amount"};
constexpr const char* TelColumns[] = {"TransactionDate\t10\tDate", "CaclTelItemDesc\t20\tItem Description",
                                      "Amount\t10\tAmount"};
constexpr const char* IncomeColumns[] = {"TransactionDate\t10\tDate", "CalcIncomeItemDesc\t40\tIncome Description",
                                         "IncomeAmount\t10\tAmount"};
constexpr const char* ExpenseColumns[] = {"TransactionDate\t10\tDate",
                                          "CalcExpenseItemDesc\t40\tExpense Description", "ExpenseAmount\t10\tAmount"};

struct TPageSpec {
    const char* Sheet;
    const char* Caption;
    const char* Background;
    const char* Grid;
    TwwTable* TADm1::*Table;
    TwwDataSource* TADm1::*DataSource;
    std::span<const char* const> Columns;
    const char* BrowseNavigator;
    const char* EditNavigator;
    const char* AutoEdit;
    std::span<const TSortIndex> Sorts;
};

const TPageSpec PageSpecs[] = {
    {"TabBankAccounts", "Bank Accounts", "TiledBitmap1", "wwDBGrid14", &TADm1::TblTranBank1, &TADm1::DsTranBank1,
     BankColumns, "DBNavigator26", "DBNavigator27", "CBoxBankTran", BankSorts},
    {"TabCommunications", "Communications", "TiledBitmap2", "wwDBGrid10", &TADm1::TblTranTel1, &TADm1::DsTranTel1,
     TelColumns, "DBNavigator1", "DBNavigator2", "CBoxTelTran", TelSorts},
    {"TabIncome", "Income", "TiledBitmap3", "wwDBGrid17", &TADm1::TblTranIncome, &TADm1::DsTranIncome,
     IncomeColumns, "DBNavigator32", "DBNavigator33", "CBoxIncome", IncomeSorts},
    {"TabExpense", "Expense/Bills", "TiledBitmap4", "wwDBGrid18", &TADm1::TblTranExpense, &TADm1::DsTranExpense,
     ExpenseColumns, "DBNavigator34", "DBNavigator35", "CBoxExpense", ExpenseSorts},
};

// The in-cell editors that the transaction tables' ControlType lines name.
struct TCellLookupSpec {
    const char* Name;
    TwwTable* TADm1::*LookupTable;
    const char* LookupField;
    const char* Shown;
    TwwDataSource* TADm1::*DataSource;
};

const TCellLookupSpec CellLookupSpecs[] = {
    {"LupTelItems", &TADm1::TblTelItems, "TelItemCode", "TelItemDesc\t50\tItem Description", &TADm1::DsTranTel1},
    {"LupBankItems", &TADm1::TblBankItems, "BankItemCode", "BankItemDesc\t50\tItem Desc", &TADm1::DsTranBank1},
    {"LupIncomeItems", &TADm1::TblIncome, "IncomeCode", "IncomeDescription\t30\tIncome Description",
     &TADm1::DsTranIncome},
    {"LupExpenseItems", &TADm1::TblExpense, "ExpenseCode", "ExpenseDescription\t30\tExpense Description",
     &TADm1::DsTranExpense},
};

constexpr int NavigatorHeight = 25;
constexpr int BrowseWidth = 100;
constexpr int EditWidth = 125;
constexpr int AutoEditEditWidth = 100;
const TButtonSet BrowseButtons{nbFirst, nbPrior, nbNext, nbLast};
const TButtonSet EditButtons{nbInsert, nbDelete, nbEdit, nbPost, nbCancel};

TDBNavigator* Navigator(QWidget* parent, const char* name, TDataSource* source, TButtonSet buttons, int width)
{
    auto* navigator = Named(new TDBNavigator(parent), name);
    navigator->SetDataSource(source);
    navigator->SetVisibleButtons(buttons);
    navigator->SetFlat(true);
    navigator->SetShowHint(true);
    navigator->resize(width, NavigatorHeight);
    return navigator;
}

QString FieldText(TDataSet* dataSet, const char* field)
{
    return dataSet->FieldByName(QString::fromLatin1(field))->AsString();
}

} // namespace

void TFrmMainMenu::CreateTransactionPages()
{
    PageControl2 = Named(new TPageControl(TabTransactions), "PageControl2");
    SetAlign(PageControl2, TAlign::alClient);
    PageControl2->OnChange = [this](QObject* sender) { PageControl2Change(sender); };
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        const TPageSpec& spec = PageSpecs[i];
        TTransactionPage& page = pages_[i];
        page.Table = ADm1->*spec.Table;
        page.DataSource = ADm1->*spec.DataSource;
        page.Sorts = spec.Sorts;
        page.Sheet = Named(new TTabSheet(PageControl2, QString::fromLatin1(spec.Caption)), spec.Sheet);
        page.Panel = new TPanel(page.Sheet);
        page.Panel->setObjectName(QStringLiteral("Panel") + QString::fromLatin1(spec.Sheet).mid(3));
        page.Panel->resize(page.Panel->width(), PageHeaderHeight);
        SetAlign(page.Panel, TAlign::alTop);
        page.Background = Named(new TTiledBitmap(page.Panel), spec.Background);

        page.BrowseNavigator = Navigator(page.Panel, spec.BrowseNavigator, page.DataSource, BrowseButtons, BrowseWidth);
        page.EditNavigator = Navigator(page.Panel, spec.EditNavigator, page.DataSource, EditButtons, EditWidth);
        // The table asks before it deletes a row; a second question would be one too many.
        page.EditNavigator->SetConfirmDelete(false);
        page.AutoEdit = Named(new TCheckBox(page.Panel), spec.AutoEdit);
        page.AutoEdit->SetCaption(QStringLiteral("Auto Edit"));
        PlaceEditingControls(page, 8);
        page.AutoEdit->OnClick = [this](QObject* sender) { AutoEditClick(sender); };

        page.Grid = Named(new TwwDBGrid(page.Sheet), spec.Grid);
        SetAlign(page.Grid, TAlign::alClient);
        for (const char* column : spec.Columns)
            page.Grid->Selected().Add(QString::fromLatin1(column));
        page.Grid->SetUseTFields(false);
        page.Grid->SetTitleButtons(true);
        page.Grid->OnCalcCellColors = [this](QObject* sender, TField* field, TGridDrawState state, bool highlight,
                                             TFont& font, TBrush& brush) {
            TransactionCalcCellColors(sender, field, state, highlight, font, brush);
        };
        page.Grid->OnTitleButtonClick = [this](QObject* sender, const QString& fieldName) {
            TransactionTitleButtonClick(sender, fieldName);
        };
        page.Grid->OnCalcTitleAttributes = [this](QObject* sender, const QString& fieldName, TFont& font,
                                                  TBrush& brush, TAlignment& alignment) {
            TransactionCalcTitleAttributes(sender, fieldName, font, brush, alignment);
        };
        page.Grid->SetDataSource(page.DataSource);
    }
    TabBankAccounts = pages_[0].Sheet;
    TabCommunications = pages_[1].Sheet;
    TabIncome = pages_[2].Sheet;
    TabExpense = pages_[3].Sheet;
    TiledBitmap1 = pages_[0].Background;
    TiledBitmap2 = pages_[1].Background;
    TiledBitmap3 = pages_[2].Background;
    TiledBitmap4 = pages_[3].Background;
    wwDBGrid14 = pages_[0].Grid;
    wwDBGrid10 = pages_[1].Grid;
    wwDBGrid17 = pages_[2].Grid;
    wwDBGrid18 = pages_[3].Grid;
    DBNavigator26 = pages_[0].BrowseNavigator;
    DBNavigator27 = pages_[0].EditNavigator;
    DBNavigator1 = pages_[1].BrowseNavigator;
    DBNavigator2 = pages_[1].EditNavigator;
    DBNavigator32 = pages_[2].BrowseNavigator;
    DBNavigator33 = pages_[2].EditNavigator;
    DBNavigator34 = pages_[3].BrowseNavigator;
    DBNavigator35 = pages_[3].EditNavigator;
    CBoxBankTran = pages_[0].AutoEdit;
    CBoxTelTran = pages_[1].AutoEdit;
    CBoxIncome = pages_[2].AutoEdit;
    CBoxExpense = pages_[3].AutoEdit;

    TabScratchPad = Named(new TTabSheet(PageControl2, QStringLiteral("TabScratchPad")), "TabScratchPad");
    for (const TCellLookupSpec& spec : CellLookupSpecs) {
        MakeLookupCombo(TabScratchPad, spec.Name, ADm1->*spec.LookupTable, spec.LookupField, {&spec.Shown, 1},
                        ADm1->*spec.DataSource, spec.LookupField)
            ->hide();
    }
    CreateAccountPickers();
}

void TFrmMainMenu::CreateAccountPickers()
{
    const QString database = ADm1->DataQuelt->DatabaseName();
    const TComponentFinder findInModule = [](const QString& name) { return ADm1->FindComponent(name); };
    const auto localTable = [&](const char* name, const char* component) {
        auto* table = new TwwTable(&localData_);
        table->SetName(QString::fromLatin1(name));
        table->SetDatabaseName(database);
        const TCatalogueTable* entry = FindCatalogueComponent(QString::fromLatin1(component));
        table->SetTableName(QString::fromLatin1(entry->FileName));
        for (const TCatalogueField& field : entry->Fields)
            CreateCatalogueField(*table, field, findInModule);
        return table;
    };
    const auto localSource = [&](const char* name, TwwTable* table) {
        auto* source = new TwwDataSource(&localData_);
        source->SetName(QString::fromLatin1(name));
        source->SetDataSet(table);
        return source;
    };
    TblLocalTelCom = localTable("TblLocalTelCom", "TblTelCom");
    TblLocalTelCom->SetIndexName(QStringLiteral("ByTelcomDesc"));
    DsLocalTelCom = localSource("DsLocalTelCom", TblLocalTelCom);
    TblLocalBankAccnt = localTable("TblLocalBankAccnt", "TblBankAccounts");
    for (const char* hidden : {"CardIssuedDate", "CardExpiryDate", "CardNotes"})
        TblLocalBankAccnt->FieldByName(QString::fromLatin1(hidden))->SetVisible(false);
    DsLocalBankAccnt = localSource("DsLocalBankAccnt", TblLocalBankAccnt);

    const auto picker = [this](TTransactionPage& page, const char* labelName, const char* caption,
                               const char* comboName, const char* buttonName) {
        auto* label = Named(new TLabel(page.Panel), labelName);
        label->SetCaption(QString::fromLatin1(caption));
        label->SetTransparent(true);
        label->move(6, 9);
        auto* combo = Named(new TwwDBLookupCombo(page.Panel), comboName);
        combo->setGeometry(label->x() + label->width() + 6, 5, 240, 21);
        combo->SetAutoDropDown(true);
        combo->SetStyle(csDropDownList);
        combo->SetShowMatchText(true);
        combo->SetUseTFields(false);
        auto* go = Named(new TSpeedButton(page.Panel), buttonName);
        go->setIcon(QIcon(DrawToolIcon(TToolIcon::Go)));
        go->setGeometry(combo->x() + combo->width() + 4, 4, 25, 25);
        go->SetFlat(true);
        PlaceEditingControls(page, go->x() + go->width() + 16);
        return std::tuple{label, combo, go};
    };
    std::tie(LblBankAccount, wwDbLupEditBankAccount, SpeedButton4) =
        picker(pages_[0], "LblBankAccount", " Bank Account", "wwDbLupEditBankAccount", "SpeedButton4");
    std::tie(LblComAccount, wwDbLupEditComAccount, SpeedButton1) =
        picker(pages_[1], "LblComAccount", " Communication Account", "wwDbLupEditComAccount", "SpeedButton1");

    wwDbLupEditBankAccount->SetLookupTable(TblLocalBankAccnt);
    wwDbLupEditBankAccount->SetLookupField(QStringLiteral("BankAccountCode"));
    TStringList bankColumns;
    for (const char* column :
         {"AccountName\t15\tAccount Name", "AccountNumber\t15\tAccount Number", "CalcBankName\t15\tBank Name"})
        bankColumns.Add(QString::fromLatin1(column));
    wwDbLupEditBankAccount->SetSelected(&bankColumns);
    wwDbLupEditBankAccount->SetDropDownWidth(350);
    wwDbLupEditBankAccount->SetOptions(loColLines | loRowLines | loTitles);

    wwDbLupEditComAccount->SetLookupTable(TblLocalTelCom);
    wwDbLupEditComAccount->SetLookupField(QStringLiteral("TelcomDesc"));
    TStringList telColumns;
    telColumns.Add(QStringLiteral("TelcomDesc\t29\tDescription"));
    wwDbLupEditComAccount->SetSelected(&telColumns);

    pages_[0].SetAccountChoice(wwDbLupEditBankAccount, ADm1->TblBankAccounts, QStringLiteral("BankAccountCode"));
    pages_[1].SetAccountChoice(wwDbLupEditComAccount, ADm1->TblTelCom, QStringLiteral("TelcomCode"));
    SpeedButton4->OnClick = [this](QObject* sender) { SpeedButton4Click(sender); };
    SpeedButton1->OnClick = [this](QObject* sender) { SpeedButton1Click(sender); };
}

void TFrmMainMenu::PlaceEditingControls(TTransactionPage& page, int left)
{
    page.BrowseNavigator->move(left, 4);
    left += BrowseWidth + 8;
    page.EditNavigator->move(left, 4);
    left += EditWidth + 12;
    page.AutoEdit->setGeometry(left, 8, 80, 17);
}

void TFrmMainMenu::RefreshAccountPickers()
{
    for (TwwTable* local : {TblLocalTelCom, TblLocalBankAccnt})
        if (local->Active())
            local->Refresh();
}

TTransactionPage* TFrmMainMenu::PageOfGrid(const QObject* grid)
{
    for (TTransactionPage& page : pages_)
        if (page.Grid == grid)
            return &page;
    return nullptr;
}

TTransactionPage* TFrmMainMenu::PageOfAutoEditBox(const QObject* box)
{
    for (TTransactionPage& page : pages_)
        if (page.AutoEdit == box)
            return &page;
    return nullptr;
}

// ---- Choosing an account.

void TFrmMainMenu::SpeedButton4Click(QObject*)
{
    const bool shown = pages_[0].ShowAccount([this] {
        // The account the picker shows, found again by its bank and card.
        if (!TblLocalBankAccnt->Locate(QStringLiteral("BankAccountCode"), wwDbLupEditBankAccount->LookupValue()))
            return false;
        ADm1->TblBankAccounts->SetIndexFieldNames(QStringLiteral("BankCode;CardCode"));
        return ADm1->TblBankAccounts->FindKey(
            {FieldText(TblLocalBankAccnt, "BankCode"), FieldText(TblLocalBankAccnt, "CardCode")});
    }, transactionFilter_);
    if (shown)
        PageControl2Change(PageControl2);
}

void TFrmMainMenu::SpeedButton1Click(QObject*)
{
    const bool shown = pages_[1].ShowAccount([this] {
        if (!TblLocalTelCom->Locate(QStringLiteral("TelcomDesc"), wwDbLupEditComAccount->LookupValue()))
            return false;
        ADm1->TblTelCom->SetIndexFieldNames(QStringLiteral("TelcomCode"));
        return ADm1->TblTelCom->FindKey({FieldText(TblLocalTelCom, "TelcomCode")});
    }, transactionFilter_);
    if (shown)
        PageControl2Change(PageControl2);
}

void TFrmMainMenu::PostTransactionPages()
{
    // The page in view goes first: the text its cell editor holds is written
    // and checked before another page's row takes the keyboard from it.
    std::vector<TTransactionPage*> order;
    for (TTransactionPage& page : pages_)
        order.insert(page.Sheet == PageControl2->ActivePage() ? order.begin() : order.end(), &page);
    for (TTransactionPage* const shown : order) {
        TTransactionPage& page = *shown;
        if (!IsEditState(page.Table->State()))
            continue;
        // A refusal's box speaks of the row: the row stands in front, on its
        // page, while the box is up, and stays there when it is refused.
        TTabSheet* const mainPage = PageControlMain->ActivePage();
        TTabSheet* const transactionPage = PageControl2->ActivePage();
        const QPointer<QWidget> focused = QApplication::focusWidget();
        ShowInView(*page.Grid);
        page.Table->CheckBrowseMode();
        PageControlMain->SetActivePage(mainPage);
        PageControl2->SetActivePage(transactionPage);
        PageControlMainChange(PageControlMain);
        if (focused)
            focused->setFocus();
    }
}

void TFrmMainMenu::RestoreTransactionPages()
{
    RefreshAccountPickers();
    for (TTransactionPage& page : pages_)
        page.Restore();
    PageControlMainChange(PageControlMain);
}

void TFrmMainMenu::PageControl2Change(QObject*)
{
    TTabSheet* page = PageControl2->ActivePage();
    QString text;
    if (page == TabBankAccounts) {
        text = wwDbLupEditBankAccount->Text().isEmpty()
                   ? QStringLiteral("Choose Bank Account")
                   : QStringLiteral("Detail Transactions for Bank Account %1 (%2)")
                         .arg(FieldText(ADm1->TblBankAccounts, "AccountName"),
                              FieldText(ADm1->TblBankAccounts, "AccountNumber"));
    } else if (page == TabCommunications) {
        text = wwDbLupEditComAccount->Text().isEmpty()
                   ? QStringLiteral("Choose Communication Account")
                   : QStringLiteral("Detail Transactions for ") + FieldText(ADm1->TblTelCom, "TelcomDesc");
    } else if (page == TabIncome) {
        text = QStringLiteral("Income Transactions");
    } else if (page == TabExpense) {
        text = QStringLiteral("Expense Transactions");
    }
    StatusBar1->SetPanelText(1, text);
}

// ---- Editing switches and the filter.

void TFrmMainMenu::AutoEditClick(QObject* sender)
{
    TTransactionPage* page = PageOfAutoEditBox(sender);
    if (!page)
        return;
    const bool autoEdit = page->AutoEdit->Checked();
    page->DataSource->SetAutoEdit(autoEdit);
    SetAutoEditButtons(page->EditNavigator, autoEdit);
}

void TFrmMainMenu::SetAutoEditButtons(TDBNavigator* Navigator, bool AutoEdit)
{
    const TButtonSet edit{nbEdit};
    if (AutoEdit) {
        Navigator->SetVisibleButtons(Navigator->VisibleButtons() - edit);
        Navigator->resize(AutoEditEditWidth, Navigator->height());
    } else {
        Navigator->SetVisibleButtons(Navigator->VisibleButtons() + edit);
        Navigator->resize(EditWidth, Navigator->height());
    }
}

void TFrmMainMenu::SetTransactionFilter(bool Active)
{
    transactionFilter_ = Active;
    for (TwwTable* table : {ADm1->TblTranBank1, ADm1->TblTranTel1}) {
        if (!table->Active())
            continue;
        table->SetFiltered(Active);
        table->Refresh();
    }
    for (TwwTable* table : {ADm1->TblTranIncome, ADm1->TblTranExpense}) {
        table->SetFiltered(Active);
        table->Refresh();
    }
    StatusBar1->SetPanelText(0, Active ? QStringLiteral("Filter Active") : QStringLiteral("Filter Not Active"));
}

// ---- Colours and sorting.

void TFrmMainMenu::TransactionCalcCellColors(QObject* sender, TField*, TGridDrawState, bool highlight, TFont& font,
                                             TBrush& brush)
{
    if (highlight)
        font.SetColor(clBlack);
    const TTransactionPage* page = PageOfGrid(sender);
    if (!page)
        return;
    if (const std::optional<TColor> colour = TransactionRowColour(*page->Table, ADm1->CurrentCloseDate))
        brush.Color = *colour;
}

void TFrmMainMenu::TransactionTitleButtonClick(QObject* sender, const QString& fieldName)
{
    const TTransactionPage* page = PageOfGrid(sender);
    if (!page)
        return;
    const QString index = SortIndexFor(page->Sorts, fieldName, SortDescending);
    if (!index.isEmpty())
        page->Table->SetIndexName(index);
    page->Table->Refresh();
}

void TFrmMainMenu::TransactionCalcTitleAttributes(QObject* sender, const QString& fieldName, TFont&, TBrush& brush,
                                                  TAlignment&)
{
    const TTransactionPage* page = PageOfGrid(sender);
    if (!page)
        return;
    if (const std::optional<TColor> colour = SortTitleColour(page->Sorts, fieldName, page->Table->IndexName()))
        brush.Color = *colour;
}
