// The main window's menu bar and the reference drop-down of its tool bar.
#include "app/main_menu.h"
#include "platform/ui/menus.h"

namespace {

using THandler = void (TFrmMainMenu::*)(QObject*);

struct TItemSpec {
    const char* Name;
    const char* Caption;
    int Tag = 0;
    QKeySequence ShortCut = {};
};

} // namespace

void TFrmMainMenu::CreateMenus()
{
    MainMenu1 = new TMainMenu(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    const auto add = [this](TMenuItem* parent, const TItemSpec& spec, THandler handler = nullptr) {
        auto* item = new TMenuItem(parent, QString::fromLatin1(spec.Caption));
        item->setObjectName(QString::fromLatin1(spec.Name));
        item->SetTag(spec.Tag);
        if (!spec.ShortCut.isEmpty())
            item->SetShortCut(spec.ShortCut);
        if (handler)
            item->OnClick = [this, handler](QObject* sender) { (this->*handler)(sender); };
        return item;
    };
    const auto run = [this](TModalLauncher TFrmMainMenu::*launcher) {
        return [this, launcher](QObject*) { OpenModal(this->*launcher); };
    };
    // The reference items of the menu and of the drop-down share the handler.
    const auto addReferenceItems = [&](TMenuItem* parent, const char* prefix) {
        const auto name = [prefix](const char* base) { return QByteArray(prefix) + base; };
        const QByteArray banks = name("Banks1"), communications = name("Communications1"),
                         incomeExpenses = name("IncomeExpenses1"), line = name("N1"), all = name("AllRefrences1");
        const std::array<TMenuItem*, 5> items{
            add(parent, {banks.constData(), "&Banks", 11}, &TFrmMainMenu::RefrenceClick),
            add(parent, {communications.constData(), "&Communications", 22}, &TFrmMainMenu::RefrenceClick),
            add(parent, {incomeExpenses.constData(), "&Income && Expenses", 33}, &TFrmMainMenu::RefrenceClick),
            add(parent, {line.constData(), "-"}),
            add(parent, {all.constData(), "&All Refrences", 999}, &TFrmMainMenu::RefrenceClick),
        };
        return items;
    };

    TMenuItem* root = MainMenu1->Items();
    File1 = add(root, {"File1", "&File"});
    Exit1 = add(File1, {"Exit1", "&Exit"}, &TFrmMainMenu::Exit1Click);

    Options1 = add(root, {"Options1", "&Options"});
    RefrenceLibrary1 = add(Options1, {"RefrenceLibrary1", "&Refrence Library"});
    const auto references = addReferenceItems(RefrenceLibrary1, "");
    Banks1 = references[0];
    Communications1 = references[1];
    IncomeExpenses1 = references[2];
    AllRefrences1 = references[4];
    Loans1 = add(Options1, {"Loans1", "&Loans", 0, QKeySequence(Qt::CTRL | Qt::Key_L)});
    Loans1->OnClick = run(&TFrmMainMenu::LoansLauncher);
    RecurringTransactions1 = add(Options1, {"RecurringTransactions1", "&Recurring Transactions", 0,
                                            QKeySequence(Qt::CTRL | Qt::Key_R)});
    RecurringTransactions1->OnClick = run(&TFrmMainMenu::RecurLauncher);
    MultipleEntryTransactions1 = add(Options1, {"MultipleEntryTransactions1", "Multiple Entry Transactions", 0,
                                                QKeySequence(Qt::CTRL | Qt::Key_D)});
    MultipleEntryTransactions1->OnClick = run(&TFrmMainMenu::DoubleEntryLauncher);
    AssetTransactions1 = add(Options1, {"AssetTransactions1", "Asset Transactions", 0,
                                        QKeySequence(Qt::CTRL | Qt::Key_A)});
    AssetTransactions1->OnClick = run(&TFrmMainMenu::AssetsLauncher);
    AssetTransactions1->SetVisible(false);   // its shortcut still opens the window
    CommunicationPayments1 = add(Options1, {"CommunicationPayments1", "Communication Payments", 11,
                                            QKeySequence(Qt::CTRL | Qt::Key_P)},
                                 &TFrmMainMenu::PaymentsClick);
    BankActualBalances1 = add(Options1, {"BankActualBalances1", "Bank Actual Balances", 22},
                              &TFrmMainMenu::PaymentsClick);
    CloseCurrentPeriod1 = add(Options1, {"CloseCurrentPeriod1", "Close Current Period"});
    CloseCurrentPeriod1->OnClick = run(&TFrmMainMenu::ClosePeriodLauncher);
    ProcessingForReports1 = add(Options1, {"ProcessingForReports1", "Processing For Reports"});
    ProcessingForReports1->SetVisible(false);
    EmptyAllTransactionFiles1 = add(Options1, {"EmptyAllTransactionFiles1", "Empty All Transaction Files"},
                                    &TFrmMainMenu::EmptyAllTransactionFiles1Click);
    Preferences1 = add(Options1, {"Preferences1", "Preferences"}, &TFrmMainMenu::Preferences1Click);

    View1 = add(root, {"View1", "&View"});
    MnuShowToolBar = add(View1, {"MnuShowToolBar", "Show Tool Bar"}, &TFrmMainMenu::MnuShowToolBarClick);
    MnuShowToolBar->SetChecked(true);
    MnuFlatButtons = add(View1, {"MnuFlatButtons", "&Flat Buttons"}, &TFrmMainMenu::MnuFlatButtonsClick);
    MnuFlatButtons->SetChecked(true);
    MnuViewCalendar = add(View1, {"MnuViewCalendar", "&View Calendar"}, &TFrmMainMenu::MnuViewCalendarClick);
    MnuViewLegend = add(View1, {"MnuViewLegend", "View &Legend"}, &TFrmMainMenu::MnuViewLegendClick);
    MnuViewChart = add(View1, {"MnuViewChart", "View &Chart"}, &TFrmMainMenu::MnuViewChartClick);
    MnuFilterOptions = add(View1, {"MnuFilterOptions", "&Filter Options"}, &TFrmMainMenu::MnuFilterOptionsClick);

    Help1 = add(root, {"Help1", "&Help"});
    Index1 = add(Help1, {"Index1", "&Index"});
    Contents1 = add(Help1, {"Contents1", "Contents"});
    Tutorial1 = add(Help1, {"Tutorial1", "Tutorial"});
    About1 = add(Help1, {"About1", "&About"}, &TFrmMainMenu::About1Click);

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    addReferenceItems(PopupMenu1->Items(), "Popup");
}
