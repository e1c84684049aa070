// The main window's frame through the real window: its menus, the tool-bar
// switches, the modal launchers and emptying every transaction.
#include "tests/app/main_window_fixture.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/screen.h"
#include "platform/ui/tool_bars.h"
#include "widgets/desk_calendar.h"
#include <QMenuBar>
#include <QProgressBar>
#include <QTimer>

namespace {

// What a menu item shows: caption, tag, shortcut, whether shown and checked.
QString Describe(const TMenuItem* item)
{
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(item->Caption())
        .arg(item->Tag())
        .arg(item->ShortCut().toString())
        .arg(item->Visible() ? QStringLiteral("shown") : QStringLiteral("hidden"))
        .arg(item->Checked() ? QStringLiteral("checked") : QString());
}

QStringList DescribeItems(const TMenuItem* parent)
{
    QStringList lines;
    for (int i = 0; i < parent->Count(); ++i) {
        lines << Describe(parent->Items(i));
        for (const QString& line : DescribeItems(parent->Items(i)))
            lines << QStringLiteral("  ") + line;
    }
    return lines;
}

// Chooses the item as the user does, in an event of its own, so that a
// silent abort ends there as it does in the running program.
void Choose(TMenuItem* item)
{
    QMetaObject::invokeMethod(item->Action(), &QAction::trigger, Qt::QueuedConnection);
    QApplication::processEvents();
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsTagsAndShortcuts)
{
    EXPECT_EQ(DescribeItems(window->MainMenu1->Items()), (QStringList{
        "&File|0||shown|",
        "  &Exit|0||shown|",
        "&Options|0||shown|",
        "  &Refrence Library|0||shown|",
        "    &Banks|11||shown|",
        "    &Communications|22||shown|",
        "    &Income && Expenses|33||shown|",
        "    -|0||shown|",
        "    &All Refrences|999||shown|",
        "  &Loans|0|Ctrl+L|shown|",
        "  &Recurring Transactions|0|Ctrl+R|shown|",
        "  Multiple Entry Transactions|0|Ctrl+D|shown|",
        "  Asset Transactions|0|Ctrl+A|hidden|",
        "  Communication Payments|11|Ctrl+P|shown|",
        "  Bank Actual Balances|22||shown|",
        "  Close Current Period|0||shown|",
        "  Processing For Reports|0||hidden|",
        "  Empty All Transaction Files|0||shown|",
        "  Preferences|0||shown|",
        "&View|0||shown|",
        "  Show Tool Bar|0||shown|checked",
        "  &Flat Buttons|0||shown|checked",
        "  &View Calendar|0||shown|",
        "  View &Legend|0||shown|",
        "  View &Chart|0||shown|",
        "  &Filter Options|0||shown|",
        "&Help|0||shown|",
        "  &Index|0||shown|",
        "  Contents|0||shown|",
        "  Tutorial|0||shown|",
        "  &About|0||shown|",
    }));
    EXPECT_EQ(DescribeItems(window->PopupMenu1->Items()), (QStringList{
        "&Banks|11||shown|", "&Communications|22||shown|", "&Income && Expenses|33||shown|", "-|0||shown|",
        "&All Refrences|999||shown|"}));
    EXPECT_EQ(window->SpdBtnDatabaseImport->DropdownMenu(), window->PopupMenu1);
    QStringList hints;
    for (int i = 0; i < window->ToolbarMain->ButtonCount(); ++i)
        if (!window->ToolbarMain->Buttons(i)->IsGap())
            hints << window->ToolbarMain->Buttons(i)->toolTip();
    EXPECT_EQ(hints, (QStringList{"Refrences", "Show Calendar", "Show Records In Ascending Order",
                                  "Show Records In Descending Order", "Exit Case Tool"}));
    // The tab of the in-cell editors' page never shows; the chart's only on demand.
    EXPECT_FALSE(window->TabScratchPad->TabVisible());
    EXPECT_FALSE(window->TabChart->TabVisible());
    EXPECT_EQ(window->PageControlMain->ActivePage(), window->TabTransactions);
    EXPECT_EQ(window->PageControl2->ActivePage(), window->TabBankAccounts);
    EXPECT_EQ(Status(0), QStringLiteral("Filter Not Active"));
}

TEST_F(MainWindowTest, ToolBarSwitchesAndPageStatusTexts)
{
    ShowWindow();
    ASSERT_TRUE(window->ToolbarMain->Flat());
    Choose(window->MnuShowToolBar);
    EXPECT_FALSE(window->CoolBar1->isVisible());
    EXPECT_FALSE(window->MnuShowToolBar->Checked());
    EXPECT_FALSE(window->MnuFlatButtons->Enabled());
    Choose(window->MnuShowToolBar);
    EXPECT_TRUE(window->CoolBar1->isVisible());
    EXPECT_TRUE(window->MnuFlatButtons->Enabled());
    Choose(window->MnuFlatButtons);
    EXPECT_FALSE(window->MnuFlatButtons->Checked());
    EXPECT_FALSE(window->ToolbarMain->Flat());

    // The order buttons set the direction of the next title click only.
    QTest::mouseClick(window->ToolButton4, Qt::LeftButton);
    EXPECT_TRUE(SortDescending);
    EXPECT_FALSE(window->SpdBtnGenerateSource->Down());
    QTest::mouseClick(window->SpdBtnGenerateSource, Qt::LeftButton);
    EXPECT_FALSE(SortDescending);

    const auto clickTab = [](TPageControl* pages, int tab) {
        QTest::mouseClick(pages->TabBar(), Qt::LeftButton, {}, pages->TabBar()->tabRect(tab).center());
    };
    clickTab(window->PageControlMain, 1);
    SaveScreenshot(QStringLiteral("reports"));
    EXPECT_EQ(Status(1), QStringLiteral("Reports"));
    clickTab(window->PageControlMain, 0);
    clickTab(window->PageControl2, 1);
    EXPECT_EQ(Status(1), QStringLiteral("Choose Communication Account"));
    clickTab(window->PageControl2, 2);
    EXPECT_EQ(Status(1), QStringLiteral("Income Transactions"));
    clickTab(window->PageControl2, 3);
    EXPECT_EQ(Status(1), QStringLiteral("Expense Transactions"));

    Choose(window->MnuViewChart);
    EXPECT_TRUE(window->TabChart->TabVisible());
    EXPECT_EQ(window->PageControlMain->ActivePage(), window->TabChart);
    EXPECT_EQ(Status(1), QStringLiteral("Chart"));
    Choose(window->MnuViewChart);
    EXPECT_FALSE(window->TabChart->TabVisible());
    EXPECT_EQ(window->PageControlMain->ActivePage(), window->TabTransactions);
}

// The progress bar stands in the status bar's last panel, as high as the
// panel's inside, and reaches to the bar's right edge at any window width.
TEST_F(MainWindowTest, TheProgressBarReachesFromTheLastPanelToTheStatusBarsEdge)
{
    ShowWindow();
    QProgressBar* bar = window->ProgressBar1;
    const auto expected = [&] { return QRect(406, 3, window->StatusBar1->width() - (82 + 320), 16); };
    EXPECT_EQ(bar->parentWidget(), window->StatusBar1);
    EXPECT_EQ(bar->geometry(), expected());
    window->showNormal();
    window->resize(700, 500);
    QApplication::processEvents();
    ASSERT_EQ(window->StatusBar1->width(), 700);
    EXPECT_EQ(bar->geometry(), expected());
}

// A window of another part of the program, as a launcher makes it: it notes
// what it saw while it was up and closes itself.
struct TLaunchedWindow {
    int made = 0;
    bool mainWindowVisible = true;
    TCursor cursor = crDefault;
    int width = 0;
    int height = 0;

    TForm* Make(QWidget* mainWindow)
    {
        ++made;
        auto* form = new TForm;
        form->resize(400, 300);
        form->OnShow = [this, form, mainWindow](QObject*) {
            QTimer::singleShot(0, form, [this, form, mainWindow] {
                mainWindowVisible = mainWindow->isVisible();
                cursor = Screen->Cursor();
                width = form->width();
                height = form->height();
                form->SetModalResult(mrOk);
            });
        };
        return form;
    }
};

// The calendar button and the view menu's item show the desk calendar and
// take it away again; closing the calendar itself clears the item's check.
TEST_F(MainWindowTest, TheCalendarButtonAndItemShowAndRemoveTheDeskCalendar)
{
    ShowWindow();
    QTest::mouseClick(window->SpdBtnTableEvents, Qt::LeftButton);
    ASSERT_TRUE(QueltCalMonthform);
    EXPECT_TRUE(QueltCalMonthform->isVisible());
    EXPECT_TRUE(window->MnuViewCalendar->Checked());
    Choose(window->MnuViewCalendar);
    EXPECT_FALSE(QueltCalMonthform);
    EXPECT_FALSE(window->MnuViewCalendar->Checked());

    Choose(window->MnuViewCalendar);
    ASSERT_TRUE(QueltCalMonthform);
    QueltCalMonthform->Close();
    EXPECT_FALSE(window->MnuViewCalendar->Checked());
    // The next click makes a new calendar.
    QTest::mouseClick(window->SpdBtnTableEvents, Qt::LeftButton);
    ASSERT_TRUE(QueltCalMonthform);
    EXPECT_TRUE(QueltCalMonthform->isVisible());
    delete QueltCalMonthform.data();
}

TEST_F(MainWindowTest, LaunchersOpenTheirWindowsModallyThroughMenusAndShortcuts)
{
    ShowWindow();
    TLaunchedWindow assets;
    window->AssetsLauncher.Create = [&] { return assets.Make(window.get()); };
    // Its menu item is hidden, but its shortcut opens the window.
    QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    Reactivate();
    EXPECT_EQ(assets.made, 1);
    EXPECT_FALSE(assets.mainWindowVisible);
    EXPECT_EQ(assets.cursor, crDefault);
    EXPECT_TRUE(window->isVisible());

    TLaunchedWindow loans;
    window->LoansLauncher.Create = [&] { return loans.Make(window.get()); };
    QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
    Reactivate();
    EXPECT_EQ(loans.made, 1);
    EXPECT_EQ(loans.cursor, crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crDefault);

    // The payments window keeps the main window up and learns its page by the item's tag.
    TLaunchedWindow payments;
    QList<int> tags;
    window->TelPaymentLauncher.Create = [&] { return payments.Make(window.get()); };
    window->TelPaymentLauncher.BeforeShow = [&](TForm&, int tag) { tags << tag << PaymentPageTag; };
    Choose(window->BankActualBalances1);
    Reactivate();
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(payments.made, 2);
    EXPECT_TRUE(payments.mainWindowVisible);
    EXPECT_EQ(tags, (QList<int>{22, 22, 11, 11}));

    TLaunchedWindow closePeriod;
    window->ClosePeriodLauncher.Create = [&] { return closePeriod.Make(window.get()); };
    Choose(window->CloseCurrentPeriod1);
    EXPECT_EQ(closePeriod.width, 400);
    EXPECT_EQ(closePeriod.height, 265);
    EXPECT_TRUE(closePeriod.mainWindowVisible);
    EXPECT_EQ(closePeriod.cursor, crDefault);

    // A command whose launcher has no window opens nothing.
    window->RecurLauncher.Create = nullptr;
    Choose(window->RecurringTransactions1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(presenter.errors.empty());
}

TEST_F(MainWindowTest, AnAccountAddedInTheReferenceWindowCanBeChosenOnceItCloses)
{
    ShowWindow();
    TLaunchedWindow references;
    window->RefrencesLauncher.Create = [&] {
        if (references.made > 0)
            return references.Make(window.get());
        TForm* form = references.Make(window.get());
        // The user adds an account while the reference window is up.
        TwwTable* accounts = adm1->TblBankAccounts;
        accounts->Insert();
        accounts->FieldByName(QStringLiteral("BankCode"))->SetAsString(QStringLiteral("0000000002"));
        accounts->FieldByName(QStringLiteral("CardCode"))->SetAsString(QStringLiteral("0000000002"));
        accounts->FieldByName(QStringLiteral("AccountName"))->SetAsString(QStringLiteral("Travel"));
        accounts->FieldByName(QStringLiteral("AccountNumber"))->SetAsString(QStringLiteral("555-666"));
        accounts->Post();
        return form;
    };
    QList<int> tags;
    window->RefrencesLauncher.BeforeShow = [&](TForm&, int tag) { tags << tag; };
    Choose(window->PopupMenu1->Items()->Items(0));
    Reactivate();
    ASSERT_EQ(references.made, 1);
    EXPECT_FALSE(references.mainWindowVisible);
    Choose(window->AllRefrences1);
    Reactivate();
    EXPECT_EQ(references.made, 2);
    EXPECT_EQ(tags, (QList<int>{11, 999}));

    ChooseBankAccount(QStringLiteral("Travel"));
    EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Bank Account Travel (555-666)"));
    EXPECT_EQ(adm1->TblTranBank1->RecordCount(), 0);
}

TEST_F(MainWindowTest, EmptyingAllTransactionsAsksThriceThenClosesTheProgram)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    const auto rows = [&](const char* table) {
        auto result = adm1->DataQuelt->EngineDatabase().Query(QStringLiteral("select count(*) from ") + table);
        result->Next();
        return result->Value(0).toInt();
    };
    ASSERT_EQ(rows("TrnBnk1a"), 6);

    // No at the second question: nothing happens.
    presenter.Answer(mrYes);
    presenter.Answer(mrNo);
    Choose(window->EmptyAllTransactionFiles1);
    EXPECT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(rows("TrnBnk1a"), 6);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(presenter.errors.empty());

    presenter.shown.clear();
    for (int i = 0; i < 3; ++i)
        presenter.Answer(mrYes);
    Choose(window->EmptyAllTransactionFiles1);
    ASSERT_EQ(presenter.shown.size(), 4u);
    EXPECT_EQ(presenter.shown[2].Text, QStringLiteral("Final Warning, Empty all transactions, Are You Sure ?"));
    EXPECT_EQ(presenter.shown[3].Text, QStringLiteral("Application will be Shut down now."));
    EXPECT_EQ(presenter.shown[3].Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(rows("TrnBnk1a"), 0);
    EXPECT_EQ(rows("TrnInc1a"), 0);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
