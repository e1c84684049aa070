// The main window's commands open the real entry dialogs by their shortcuts,
// the assets one although its menu item is hidden; closing one gives up what
// it did not post.
#include "tests/app/entry_dialog_fixture.h"
#include "app/assets_form.h"
#include "app/double_entry_form.h"
#include "app/loans_form.h"
#include "grid/ww_db_edit.h"
#include "platform/ui/db_controls.h"
#include <QTimer>

namespace {

// What the dialog that a command opened looked like while it was up.
struct TSeen {
    QString caption;
    bool mainWindowVisible = true;
};

// Presses the shortcut and closes whatever modal dialog it opened.
template <class TDialog>
TSeen OpenByShortcut(TFrmMainMenu& window, Qt::Key key, TDialog*& instance)
{
    TSeen seen;
    QTimer::singleShot(0, &window, [&] {
        if (!instance)
            return;
        seen.caption = instance->windowTitle();
        seen.mainWindowVisible = window.isVisible();
        instance->BitBtn1->click();
    });
    QTest::keyClick(&window, key, Qt::ControlModifier);
    return seen;
}

TEST_F(EntryDialogTest, ShortcutsOpenTheEntryDialogsWithTheMainWindowHidden)
{
    ShowWindow();
    const TSeen entry = OpenByShortcut(*window, Qt::Key_D, FrmDoubleEntry);
    EXPECT_EQ(entry.caption, QStringLiteral("Multiple Entry Transactions"));
    EXPECT_FALSE(entry.mainWindowVisible);
    EXPECT_EQ(FrmDoubleEntry, nullptr);
    Reactivate();

    const TSeen assets = OpenByShortcut(*window, Qt::Key_A, FrmAssets);
    EXPECT_EQ(assets.caption, QStringLiteral("Assets Transactions"));
    EXPECT_FALSE(assets.mainWindowVisible);
    EXPECT_EQ(FrmAssets, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(presenter.errors.empty());
}

// The tables outlive the dialogs: a header left in edit would come back
// half-typed while the file keeps the old value.
TEST_F(EntryDialogTest, ClosingADialogMidEditGivesTheEditUp)
{
    TEngineDatabase& db = adm1->DataQuelt->EngineDatabase();
    Put(db, "TrnLon1a", {{"LoanCode", "0000000002"}, {"LoanDetails", "Car Loan"}, {"LoanType", "B"},
                         {"StartDate", QDate(2026, 3, 15)}, {"FinishDate", QDate(2026, 4, 14)}, {"Duration", 1},
                         {"LoanAmount", 100.0}, {"InterestAmount", 0.0}, {"TotalPaybackAmount", 0.0},
                         {"Approved", false}});
    Put(db, "TRNAST1A", {{"AssetCode", "0000000001"}, {"AssetDesc", "Piano"}});
    adm3->TblAsset1a->Refresh();   // open since the data module was made
    ShowWindow();
    // Edit, then a new text typed over the old and left, which writes the field.
    const auto retype = [](TDBNavigator* navigator, QLineEdit* edit, const QString& text) {
        DBNavigatorClick(navigator, nbEdit);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    };

    InDialog<TFrmLoans>(Qt::Key_L, FrmLoans, [&](TFrmLoans& loans) {
        retype(loans.DBNavigator2, loans.DBEdit1, QStringLiteral("Boat Loan"));
        EXPECT_EQ(adm1->TblTrnLoan1A->State(), dsEdit);
        QTest::mouseClick(loans.BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(adm1->TblTrnLoan1A->State(), dsBrowse);
    EXPECT_EQ(Rows(QStringLiteral("select LoanDetails from TrnLon1a")), QStringList{"Car Loan"});
    QString reopened;
    InDialog<TFrmLoans>(Qt::Key_L, FrmLoans, [&](TFrmLoans& loans) {
        reopened = loans.DBEdit1->text();
        QTest::mouseClick(loans.BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(reopened, QStringLiteral("Car Loan"));

    // The other frame of entry dialogs, closed by its window's close box.
    InDialog<TFrmAssets>(Qt::Key_A, FrmAssets, [&](TFrmAssets& assets) {
        retype(assets.DBNavigator2, assets.DBEdit1, QStringLiteral("Organ"));
        EXPECT_EQ(adm3->TblAsset1a->State(), dsEdit);
        assets.close();
    });
    EXPECT_EQ(adm3->TblAsset1a->State(), dsBrowse);
    EXPECT_EQ(Rows(QStringLiteral("select AssetDesc from TRNAST1A")), QStringList{"Piano"});
    EXPECT_TRUE(presenter.errors.empty());
}

// An asset inserted in the list is the one its description edit fills in:
// going to the edit keeps the new asset, and the saved one stays as it was.
TEST_F(EntryDialogTest, AnAssetInsertedInTheListIsTheOneItsEditFillsIn)
{
    Put(adm1->DataQuelt->EngineDatabase(), "TRNAST1A", {{"AssetCode", "0000000001"}, {"AssetDesc", "House"}});
    ShowWindow();
    InDialog<TFrmAssets>(Qt::Key_A, FrmAssets, [&](TFrmAssets& assets) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&assets));
        Click(assets.CBoxBankTran);
        assets.wwDBGrid1->setFocus();
        QTest::keyClick(assets.wwDBGrid1, Qt::Key_Insert);
        QTest::mouseClick(assets.DBEdit1, Qt::LeftButton);
        QTest::keyClicks(assets.DBEdit1, QStringLiteral("Family Car"));
        DBNavigatorClick(assets.DBNavigator2, nbPost);
    });
    EXPECT_EQ(Rows(QStringLiteral("select AssetDesc from TRNAST1A order by AssetDesc")),
              (QStringList{"Family Car", "House"}));
}

// The list of assets has the keyboard when the dialog opens: Insert and
// typing make an asset, and the space in its name ticks nothing.
TEST_F(EntryDialogTest, TheAssetsDialogOpensWithTheKeyboardInItsListOfAssets)
{
    ShowWindow();
    bool autoEdit = true;
    InDialog<TFrmAssets>(Qt::Key_A, FrmAssets, [&](TFrmAssets& assets) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&assets));
        const auto focused = [&assets]() -> QWidget* {
            QWidget* control = QApplication::focusWidget();
            return control ? control : &assets;
        };
        QTest::keyClick(focused(), Qt::Key_Insert);
        QTest::keyClicks(focused(), QStringLiteral("Family Car"));
        DBNavigatorClick(assets.DBNavigator2, nbPost);
        autoEdit = assets.CBoxBankTran->Checked();
    });
    EXPECT_FALSE(autoEdit);
    EXPECT_EQ(Rows(QStringLiteral("select AssetDesc from TRNAST1A")), QStringList{"Family Car"});
    EXPECT_TRUE(presenter.errors.empty());
}

} // namespace
