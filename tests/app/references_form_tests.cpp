// The reference library window through the main window's commands, with the
// record views of the banks and bank accounts, on the main window's small
// accounts database. Each flow runs inside the modal loops of the windows it
// opens: a zero timer set before a window opens runs once the window is up.
#include "app/adm2_record_views.h"
#include "app/references_form.h"
#include "grid/record_view_dialog.h"
#include "grid/record_view_form.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
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
        const QByteArray folder = qgetenv("QUELT_SCREENSHOTS");
        if (folder.isEmpty()) return;
        QApplication::processEvents();
        widget->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name) + ".png"));
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
            QTest::keyClick(form.Edits()[0], Qt::Key_Escape);   // the edit takes back its typing first
            Type(form.Edits()[0], " Ltd");
            form.Close();
        });
        EXPECT_TRUE(RVBanks().Execute());
        EXPECT_EQ(text("BankDesc"), "COASTAL BANK LTD");
        EXPECT_EQ(banks->State(), dsBrowse);
        Choose(refs.Exit1);
    });
    Choose(window->Banks1);
    Reactivate();
}

} // namespace
