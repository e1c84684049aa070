// The reference library window through the main window's commands, with the
// record views of the banks and bank accounts, on the main window's small
// accounts database. Each flow runs inside the modal loops of the windows it
// opens: a zero timer set before a window opens runs once the window is up.
#include "app/adm2_record_views.h"
#include "tests/ui/save_screenshot.h"
#include "app/references_form.h"
#include "dataset/ww_data_source.h"
#include "grid/record_view_dialog.h"
#include "grid/record_view_form.h"
#include "grid/combo_button.h"
#include "grid/ww_db_grid.h"
#include "grid/ww_ibutton.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include "widgets/component_collector.h"
#include "widgets/net_gradient.h"
#include "tests/app/main_window_fixture.h"
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>

namespace {

class ReferencesTest : public MainWindowTest {
protected:
    // Runs Steps once the next modal window is up. A guard closes whatever
    // modal window a failed step left open, so that a fault ends the test
    // rather than hanging it.
    static void WhenUp(std::function<void()> steps)
    {
        QWidget* const before = QApplication::activeModalWidget();
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [poll, before, steps] {
            QWidget* const now = QApplication::activeModalWidget();
            if (!now || now == before || !now->isVisible()) return;
            poll->stop();
            poll->deleteLater();
            steps();
        });
        poll->start(0);
    }

    void SetUp() override
    {
        MainWindowTest::SetUp();
        guard_.setSingleShot(true);
        QObject::connect(&guard_, &QTimer::timeout, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* form = qobject_cast<TForm*>(top); form && form->Modal()) form->SetModalResult(99);
        });
        guard_.start(30000);
        ShowWindow();
    }

    // Chooses the item as the user does, in an event of its own.
    static void Choose(TMenuItem* item)
    {
        QMetaObject::invokeMethod(item->Action(), &QAction::trigger, Qt::QueuedConnection);
        QApplication::processEvents();
    }

    static QStringList TabCaptions(const TPageControl* pages)
    {
        QStringList captions;
        for (int i = 0; i < pages->TabBar()->count(); ++i) captions << pages->TabBar()->tabText(i);
        return captions;
    }

    static void Save(QWidget* widget, const char* name)
    {
        ::SaveScreenshot(*widget, QString::fromLatin1(name));
    }

    static void Click(TDBNavigator* navigator, TNavigateBtn button)
    {
        QTest::mouseClick(navigator->Button(button), Qt::LeftButton);
    }

    static void Type(QWidget* control, const QString& text)
    {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_End);
        QTest::keyClicks(control, text);
    }

    QTimer guard_;
};

TEST_F(ReferencesTest, EachCommandOpensItsPageAndTheMainWindowComesBack)
{
    struct TSeen {
        QStringList tabs;
        QString page;
        bool mainWindowVisible = true;
    };
    const auto open = [&](TMenuItem* item, const char* shot) {
        TSeen seen;
        WhenUp([&] {
            TFrmRefrences* refs = FrmRefrences;
            seen.tabs = TabCaptions(refs->PageControlRefrence);
            seen.page = refs->PageControlRefrence->ActivePage()->objectName();
            seen.mainWindowVisible = window->isVisible();
            Save(refs, shot);
            Choose(refs->Exit1);
        });
        Choose(item);
        Reactivate();
        return seen;
    };
    const TSeen banks = open(window->Banks1, "references_banks");
    EXPECT_TRUE(banks.tabs.isEmpty());
    EXPECT_EQ(banks.page, "TabBank");
    EXPECT_FALSE(banks.mainWindowVisible);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(FrmRefrences, nullptr);

    EXPECT_EQ(open(window->Communications1, "references_communications").page, "TabRefCommunications");
    EXPECT_EQ(open(window->PopupMenu1->Items()->Items(2), "references_income").page, "TabIncomeExpenses");
    const TSeen all = open(window->AllRefrences1, "references_all");
    EXPECT_EQ(all.tabs, (QStringList{"Currency", "Bank Details", "Communications", "Income && Expenses",
                                     "Categories"}));
    EXPECT_EQ(all.page, "TabCurrency");
}

TEST_F(ReferencesTest, TheBanksRecordViewAddsAndEditsBanksAndAsksBeforeChangesAreLost)
{
    TwwTable* banks = adm1->TblBanks;
    const auto text = [banks](const char* field) { return banks->FieldByName(QString::fromLatin1(field))->AsString(); };
    WhenUp([&] {
        TFrmRefrences& refs = *FrmRefrences;
        // A new bank through the record view takes the next code.
        WhenUp([&] {
            TwwRecordViewForm& form = *RVBanks().Form();
            ASSERT_EQ(form.Edits().size(), 2u);   // the lines of fields the banks lack are left out
            EXPECT_EQ(form.Caption(), "Record View");
            Save(&form, "record_view_banks");
            Click(form.Navigator, nbInsert);
            Type(form.Edits()[0], "Coastal Bank");
            QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        });
        QTest::mouseClick(refs.wwDBGrid5IButton, Qt::LeftButton);
        EXPECT_EQ(banks->State(), dsBrowse);
        // The name's picture mask writes it in capitals.
        EXPECT_EQ(text("BankDesc"), "COASTAL BANK");
        EXPECT_EQ(text("BankCode"), "3");
        EXPECT_EQ(banks->RecordCount(), 3);

        // A name another bank has is refused with the table's words; the
        // new row is dropped, and the form stays up with nothing to save.
        presenter.shown.clear();
        WhenUp([&] {
            TwwRecordViewForm& form = *RVBanks().Form();
            Click(form.Navigator, nbInsert);
            Type(form.Edits()[0], "coastal bank");
            QTest::mouseClick(form.OKBtn, Qt::LeftButton);
            EXPECT_TRUE(form.isVisible());
            QTest::mouseClick(form.CancelBtn, Qt::LeftButton);
        });
        QTest::mouseClick(refs.wwDBGrid5IButton, Qt::LeftButton);
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.LastText(), "Bank Name \"COASTAL BANK\" Exists Allready\r");
        EXPECT_EQ(banks->State(), dsBrowse);
        EXPECT_EQ(banks->RecordCount(), 3);

        // Closed with changes, it asks: Cancel stays, No drops them, Yes posts them.
        presenter.shown.clear();
        presenter.Answer(mrCancel);
        presenter.Answer(mrNo);
        WhenUp([&] {
            TwwRecordViewForm& form = *RVBanks().Form();
            Click(form.Navigator, nbEdit);
            Type(form.Edits()[0], " Ltd");
            form.Close();
            EXPECT_TRUE(form.isVisible());
            form.Close();
        });
        EXPECT_FALSE(RVBanks().Execute());
        EXPECT_EQ(presenter.shown.size(), 2u);
        EXPECT_EQ(presenter.LastText(), "Changes have been made!  Do you wish to save your changes?");
        EXPECT_EQ(text("BankDesc"), "COASTAL BANK");
        EXPECT_EQ(banks->State(), dsBrowse);

        presenter.Answer(mrYes);
        WhenUp([&] {
            TwwRecordViewForm& form = *RVBanks().Form();
            Click(form.Navigator, nbEdit);
            Type(form.Edits()[0], " Ltd");
            form.Close();
        });
        EXPECT_TRUE(RVBanks().Execute());
        EXPECT_EQ(text("BankDesc"), "COASTAL BANK LTD");
        EXPECT_EQ(banks->State(), dsBrowse);

        // Its navigator deletes with the table's one question.
        presenter.shown.clear();
        presenter.Answer(mrYes);
        WhenUp([&] {
            TwwRecordViewForm& form = *RVBanks().Form();
            Click(form.Navigator, nbDelete);
            QTest::mouseClick(form.CancelBtn, Qt::LeftButton);
        });
        RVBanks().Execute();
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.LastText(), "Delete Bank \"COASTAL BANK LTD\", Are You Sure ?");
        EXPECT_EQ(banks->RecordCount(), 2);
        Choose(refs.Exit1);
    });
    Choose(window->Banks1);
    Reactivate();
}

TEST_F(ReferencesTest, AnAccountMadeInItsRecordViewWithTheBankPickedFromTheListIsInThePickerAtOnce)
{
    TwwTable* banks = adm1->TblBanks;
    banks->Insert();
    banks->FieldByName(QStringLiteral("BankDesc"))->SetAsString(QStringLiteral("Coastal Bank"));
    banks->Post();
    TwwTable* accounts = adm1->TblBankAccounts;
    const auto text = [accounts](const char* field) {
        return accounts->FieldByName(QString::fromLatin1(field))->AsString();
    };
    const auto pick = [](TwwDBLookupCombo* combo, const QString& typed) {
        Type(combo, typed);
        combo->PerformSearch();
        QTest::keyClick(combo, Qt::Key_Return);
    };
    WhenUp([&] {
        TFrmRefrences& refs = *FrmRefrences;
        TwwDBLookupCombo* lupBanks = refs.LupBanks;
        QWidget* const home = lupBanks->parentWidget();
        WhenUp([&] {
            TwwRecordViewForm& form = *RvBankAccounts().Form();
            Save(&form, "record_view_accounts");
            // The bank and card are picked with the window's own lookup combos.
            ASSERT_EQ(form.EditOf(*accounts->FieldByName(QStringLiteral("CalcBankName"))), lupBanks);
            ASSERT_EQ(lupBanks->window(), &form);
            ASSERT_EQ(form.EditOf(*accounts->FieldByName(QStringLiteral("CalcCardName"))), refs.LupCards);
            Click(form.Navigator, nbInsert);
            pick(lupBanks, QStringLiteral("Coastal"));
            pick(refs.LupCards, QStringLiteral("Current"));
            Type(form.EditOf(*accounts->FieldByName(QStringLiteral("AccountName"))), QStringLiteral("Travel"));
            Type(form.EditOf(*accounts->FieldByName(QStringLiteral("AccountNumber"))), QStringLiteral("555-666"));
            QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        });
        QTest::mouseClick(refs.wwIButton1, Qt::LeftButton);
        EXPECT_EQ(accounts->State(), dsBrowse) << presenter.LastText().toStdString();
        EXPECT_EQ(text("AccountName"), "Travel");
        EXPECT_EQ(text("BankCode"), banks->FieldByName(QStringLiteral("BankCode"))->AsString());
        EXPECT_EQ(text("CalcBankName"), "Coastal Bank");
        EXPECT_EQ(text("CalcCardName"), "Current Account");
        EXPECT_EQ(text("BankAccountCode"), "0000000003");
        // The combo is back where the window keeps it (the grid places it as it needs).
        EXPECT_EQ(lupBanks->parentWidget(), home);
        EXPECT_EQ(lupBanks->window(), &refs);
        EXPECT_EQ(lupBanks->DataSource(), static_cast<TDataSource*>(adm1->DsBankAccounts));
        Choose(refs.Exit1);
    });
    Choose(window->Banks1);
    Reactivate();
    ChooseBankAccount(QStringLiteral("Travel"));
    EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Bank Account Travel (555-666)"));
}

// The accounts record view borrows the bank combo that the Account Details
// grid lays over its Bank Name cell: it shows there at every opening and goes
// back to its cell each time. Escape first takes back what an edit holds;
// only the next one closes the form, with its question.
TEST_F(ReferencesTest, TheAccountsRecordViewShowsTheBankComboAtEveryOpeningAndEscapeUndoesTypingFirst)
{
    TwwTable* accounts = adm1->TblBankAccounts;
    WhenUp([&] {
        TFrmRefrences& refs = *FrmRefrences;
        TwwDBLookupCombo* lupBanks = refs.LupBanks;
        TwwDBGrid* grid = refs.wwDBGrid13;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(2, 1).center());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(1, 1).center());
        QApplication::processEvents();
        ASSERT_EQ(grid->InCellControl(), lupBanks);
        const QRect cell = lupBanks->geometry();
        for (int opening = 1; opening <= 2; ++opening) {
            presenter.shown.clear();
            presenter.Answer(mrNo);
            WhenUp([&] {
                TwwRecordViewForm& form = *RvBankAccounts().Form();
                QApplication::processEvents();
                EXPECT_EQ(lupBanks->window(), &form);
                EXPECT_TRUE(lupBanks->isVisible()) << "opening " << opening;
                auto* name = qobject_cast<TCustomEdit*>(form.EditOf(*accounts->FieldByName(QStringLiteral("AccountName"))));
                ASSERT_NE(name, nullptr);
                const QString before = name->Text();
                Click(form.Navigator, nbEdit);
                Type(name, QStringLiteral("x"));
                QTest::keyClick(name, Qt::Key_Escape);
                QApplication::processEvents();
                EXPECT_EQ(name->Text(), before);
                EXPECT_TRUE(presenter.shown.empty());
                EXPECT_TRUE(form.isVisible());
                QTest::keyClick(name, Qt::Key_Escape);
            });
            EXPECT_FALSE(RvBankAccounts().Execute());
            EXPECT_EQ(presenter.LastText(), "Changes have been made!  Do you wish to save your changes?");
            EXPECT_EQ(accounts->State(), dsBrowse);
            QApplication::processEvents();
            EXPECT_EQ(lupBanks->parentWidget(), grid->viewport());
            EXPECT_EQ(lupBanks->geometry(), cell);
            EXPECT_TRUE(lupBanks->isVisible());
        }
        Choose(refs.Exit1);
    });
    Choose(window->Banks1);
    Reactivate();
}

// The banks and accounts grids carry their record-view buttons in their
// corners, every section but the currencies' has its header bar, and the
// accounts' record view lists its fields in its own order, each label on its
// control's row.
TEST_F(ReferencesTest, IndicatorButtonsHeaderBarsAndTheAccountsRecordViewFields)
{
    QStringList titles;
    WhenUp([&] {
        TFrmRefrences& refs = *FrmRefrences;
        for (const auto& [grid, button] : {std::pair{refs.wwDBGrid5, refs.wwDBGrid5IButton},
                                           std::pair{refs.wwDBGrid13, refs.wwIButton1}}) {
            EXPECT_EQ(grid->IndicatorButton(), button);
            EXPECT_TRUE(button->isVisible());
            EXPECT_EQ(grid->ColWidths(0), button->width() - 1);
            EXPECT_EQ(button->geometry(), grid->CellRect(0, 0).adjusted(0, 0, 1, 1));
        }
        Save(&refs, "references_bank_buttons");
        for (const TReferenceSection& section : refs.Sections()) {
            if (section.Grid == refs.wwDBGrid2) {
                EXPECT_EQ(section.Header, nullptr);
                continue;
            }
            ASSERT_NE(section.Header, nullptr) << section.Grid->objectName().toStdString();
            EXPECT_EQ(section.Header->height(), 25);
            EXPECT_EQ(QPoint(section.Header->TextLeft(), section.Header->TextTop()), QPoint(12, 5));
            EXPECT_EQ(section.Header->font().pixelSize(), 13);
            EXPECT_TRUE(section.Header->font().bold());
        }
        EXPECT_EQ(refs.wwDBGrid11->parentWidget()->findChild<TNetGradient*>()->Caption(), "General Category");
        EXPECT_FALSE(refs.ComponentCollector1->isVisible());
        EXPECT_EQ(refs.ComponentCollector1->ButtonHeight(), 28);

        WhenUp([&] {
            TwwRecordViewForm& form = *RvBankAccounts().Form();
            Save(&form, "record_view_accounts_fields");
            for (TwwLabel* label : form.findChildren<TwwLabel*>()) {
                titles << label->Caption();
                EXPECT_EQ(label->y(), label->FocusControl()->y()) << label->Caption().toStdString();
            }
            QTest::mouseClick(form.CancelBtn, Qt::LeftButton);
        });
        QTest::mouseClick(refs.wwIButton1, Qt::LeftButton);
        Choose(refs.Exit1);
    });
    Choose(window->Banks1);
    Reactivate();
    EXPECT_EQ(titles, (QStringList{"Bank Name", "Card Name", "Account Name", "Account Number", "Issued Date",
                                   "Expiry Date", "Notes"}));
}

TEST_F(ReferencesTest, BankItemsTakeTheNextCodeAndTheTableRefusesDuplicatesAndItemsInUse)
{
    TwwTable* items = adm1->TblBankItems;
    WhenUp([&] {
        TFrmRefrences& refs = *FrmRefrences;
        const TReferenceSection& section = refs.Sections()[4];
        ASSERT_EQ(section.Grid, refs.wwDBGrid3);
        const auto typeRow = [&](const QString& description) {
            Click(section.EditNavigator, nbInsert);
            section.Grid->setFocus();
            QTest::keyClicks(QApplication::focusWidget(), description);
            Click(section.EditNavigator, nbPost);
        };

        // Rows alternate white and light yellow from the first one shown.
        items->First();
        const QImage picture = GrabGrid(section.Grid);
        EXPECT_EQ(CellColour(picture, section.Grid, 1, 2), QColor(255, 255, 192));
        EXPECT_EQ(CellColour(picture, section.Grid, 1, 3), QColor(Qt::white));
        Save(&refs, "references_items");

        typeRow(QStringLiteral("Rent"));
        EXPECT_EQ(items->State(), dsBrowse) << presenter.LastText().toStdString();
        EXPECT_EQ(items->FieldByName(QStringLiteral("BankItemCode"))->AsString(), "004");
        EXPECT_EQ(items->RecordCount(), 4);

        presenter.shown.clear();
        typeRow(QStringLiteral("Groceries"));
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.LastText(), "Item Description \"Groceries\" Exists Allready\r");
        EXPECT_EQ(items->State(), dsBrowse);
        EXPECT_EQ(items->RecordCount(), 4);

        // Salary is in bank transactions: refused without a question.
        presenter.shown.clear();
        items->First();
        Click(section.EditNavigator, nbDelete);
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.LastText(), "This Item cannot be deleted since it is used in Bank transactions");
        EXPECT_EQ(items->RecordCount(), 4);

        // Rent is in none: the table asks, and No keeps it.
        presenter.shown.clear();
        presenter.Answer(mrNo);
        items->Last();
        Click(section.EditNavigator, nbDelete);
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.LastText(), "Delete Item \"Rent\", Are You Sure ?");
        EXPECT_EQ(items->RecordCount(), 4);

        // Ctrl+Delete in the grid asks the grid's question before the table's;
        // Cancel there keeps the row and the table is not asked.
        presenter.shown.clear();
        presenter.Answer(mrCancel);
        section.Grid->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete, Qt::ControlModifier);
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.LastText(), "Delete record?");
        EXPECT_EQ(items->RecordCount(), 4);
        Choose(refs.Exit1);
    });
    Choose(window->Banks1);
    Reactivate();
}

} // namespace

// A new user adds an account in the grid as it reads: the bank from its
// cell's own list, the card, the name, the number. Opening a cell's list does
// not leave the grid, so the new row keeps everything typed into it.
TEST_F(ReferencesTest, AnAccountTypedIntoTheAccountDetailsGridWithItsCellsListsPosts)
{
    adm1->TblBanks->Insert();
    adm1->TblBanks->FieldByName(QStringLiteral("BankDesc"))->SetAsString(QStringLiteral("Coastal Bank"));
    adm1->TblBanks->Post();
    TwwTable* accounts = adm1->TblBankAccounts;
    const auto text = [accounts](const char* field) { return accounts->FieldByName(QString::fromLatin1(field))->AsString(); };
    bool done = false;
    WhenUp([&] {
        TFrmRefrences& refs = *FrmRefrences;
        const TReferenceSection& section = refs.Sections()[3];
        TwwDBGrid* grid = section.Grid;
        // The bank is typed into its cell, the card's list opened with its button.
        const auto pick = [&](TwwDBLookupCombo* combo, const QString& typed, bool button) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(grid->Col(), grid->Row()).center());
            if (button) QTest::mouseClick(combo->findChild<TwwComboButton*>(), Qt::LeftButton);
            else QTest::keyClicks(QApplication::focusWidget(), typed);
            ASSERT_EQ(accounts->State(), dsInsert);
            // The list is a window of its own: the references window is active again.
            QApplication::setActiveWindow(&refs);
            combo->setFocus();
            combo->selectAll();
            QTest::keyClicks(combo, typed);
            combo->PerformSearch();
            QTest::keyClick(combo, Qt::Key_Return);
            QApplication::setActiveWindow(&refs);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        };
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Insert);
        ASSERT_EQ(accounts->State(), dsInsert);
        pick(refs.LupBanks, QStringLiteral("Coast"), false);
        pick(refs.LupCards, QStringLiteral("Curr"), true);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Travel"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("555-666"));
        QTest::mouseClick(section.EditNavigator->Button(nbPost), Qt::LeftButton);
        EXPECT_EQ(accounts->State(), dsBrowse);
        EXPECT_EQ(text("AccountName"), "Travel");
        EXPECT_EQ(text("AccountNumber"), "555-666");
        EXPECT_EQ(text("CalcBankName"), "Coastal Bank");
        EXPECT_EQ(text("CalcCardName"), "Current Account");
        EXPECT_TRUE(presenter.shown.empty()) << presenter.LastText().toStdString();
        done = true;
        Choose(refs.Exit1);
    });
    Choose(window->Banks1);
    Reactivate();
    EXPECT_TRUE(done);
}

// The first grid has the keyboard when the window opens: Insert and typing
// make a currency. Closing over a changed row asks first; No brings the row
// back on its page, to be posted.
TEST_F(ReferencesTest, TypingAfterInsertMakesARowAndClosingOverAChangedOneAsksFirst)
{
    const auto focused = [] { return QApplication::focusWidget(); };
    bool gridHadKeyboard = false, stayedOpen = false, backOnTheRow = false;
    WhenUp([&] {
        TFrmRefrences* refs = FrmRefrences;
        const auto typeInto = [&] { return focused() ? focused() : static_cast<QWidget*>(refs); };
        ASSERT_TRUE(QTest::qWaitForWindowActive(refs));
        gridHadKeyboard = focused() == refs->wwDBGrid2;
        QTest::keyClick(typeInto(), Qt::Key_Insert);
        QTest::keyClicks(typeInto(), QStringLiteral("Euro"));
        QTest::keyClick(typeInto(), Qt::Key_Tab);
        QTest::keyClicks(typeInto(), QStringLiteral("EUR"));
        ClickTab(refs->PageControlRefrence, 4);
        presenter.Answer(mrNo);
        Choose(refs->Exit1);
        stayedOpen = refs->isVisible();
        backOnTheRow = refs->PageControlRefrence->ActivePage() == refs->TabCurrency &&
                       (focused() == refs->wwDBGrid2 || refs->wwDBGrid2->isAncestorOf(focused()));
        Click(refs->Sections()[0].EditNavigator, nbPost);
        Choose(refs->Exit1);
    });
    Choose(window->AllRefrences1);
    Reactivate();
    EXPECT_TRUE(gridHadKeyboard);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(backOnTheRow);
    EXPECT_EQ(FrmRefrences, nullptr);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("Discard changes to this record?"));
    EXPECT_EQ(Rows(QStringLiteral("select CurrencyName, CurrencyShortName from PCurncy")), QStringList{"EURO EUR"});
    EXPECT_TRUE(presenter.errors.empty());
}
