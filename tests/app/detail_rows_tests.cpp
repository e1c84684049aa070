// Lines typed under a header that is only being added, in each dialog that
// edits a header and its lines: the header is stored before its first line
// begins, or refuses with its own box and no line begins; a header given up
// (Close, its navigator's Cancel, a click on another row of the list) leaves
// no line in the file, and the next new header shows none.
#include "app/assets_form.h"
#include "app/double_entry_form.h"
#include "app/loans_form.h"
#include "app/recur_form.h"
#include "grid/ww_db_edit.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/db_navigator.h"
#include "tests/app/dialog_clicks.h"
#include "tests/app/entry_dialog_fixture.h"
#include "tests/app/orphan_details.h"
#include "tests/support/real_boxes.h"

namespace {

class DetailRowsTest : public EntryDialogTest {
protected:
    void TearDown() override
    {
        dialog.reset();
        EntryDialogTest::TearDown();
    }

    // Made anew each time, as the program makes its dialogs.
    template <class Form>
    Form& Show()
    {
        auto* form = new Form;
        dialog.reset(form);
        form->Show();
        QApplication::setActiveWindow(form);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
        QApplication::processEvents();
        return *form;
    }

    static void Type(QWidget* edit, const QString& text)
    {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents();
    }

    // A dated line typed as the user types it: the navigator's Insert, the
    // date and the amount in the grid, the navigator's Post.
    static void TypeLine(TDBNavigator* navigator, TwwDBGrid* grid, int dateCol, const QString& amount)
    {
        DBNavigatorClick(navigator, nbInsert);
        TypeCell(grid, dateCol, QStringLiteral("04/15/2026"));
        TypeCell(grid, dateCol + 1, amount);
        DBNavigatorClick(navigator, nbPost);
    }

    // Every box shown was the header's refusal, at least one was, and no
    // other error came up.
    static void ExpectOnlyRefusals(const RealBoxes& boxes, const QString& refusal)
    {
        EXPECT_FALSE(boxes.shown.empty());
        for (const TMessageRequest& box : boxes.shown)
            EXPECT_EQ(box.Text.trimmed(), refusal);
        EXPECT_TRUE(boxes.errors.empty()) << boxes.errors.front().toStdString();
    }

    QStringList Orphans() { return OrphanDetailRows({adm1.get(), adm2.get(), adm3.get()}); }

    std::unique_ptr<QWidget> dialog;
};

TEST_F(DetailRowsTest, AssetAmountsBelongToAStoredAsset)
{
    {
        // No asset yet: an amount has no asset to be filed under.
        TFrmAssets& assets = Show<TFrmAssets>();
        RealBoxes boxes;
        ClickTab(assets.PageControl1, 1);
        TypeLine(assets.DBNavigator4, assets.wwDBGrid2, 1, QStringLiteral("300"));
        EXPECT_FALSE(boxes.errors.empty());
        for (const QString& error : boxes.errors)
            EXPECT_EQ(error, QStringLiteral("Master record missing"));
        Click(assets.BitBtn1);
    }
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from Trnast1b")), QStringList{"0"});
    {
        // Unnamed, the new asset refuses each begun amount with its own box,
        // and the Close that gives it up leaves nothing behind.
        TFrmAssets& assets = Show<TFrmAssets>();
        RealBoxes boxes;
        DBNavigatorClick(assets.DBNavigator2, nbInsert);
        assets.DBEdit1->setFocus();
        ClickTab(assets.PageControl1, 1);
        TypeLine(assets.DBNavigator4, assets.wwDBGrid2, 1, QStringLiteral("500"));
        EXPECT_EQ(adm3->TblAsset1b->State(), dsBrowse);
        EXPECT_EQ(adm3->TblAsset1a->State(), dsInsert);
        ExpectOnlyRefusals(boxes, QStringLiteral("Asset Description has to be entered"));
        Click(assets.BitBtn1);
    }
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from Trnast1b")), QStringList{"0"});
    EXPECT_EQ(Orphans(), QStringList{});
    {
        // Named, it is stored as its first amount begins, and the amount with it.
        TFrmAssets& assets = Show<TFrmAssets>();
        DBNavigatorClick(assets.DBNavigator2, nbInsert);
        Type(assets.DBEdit1, QStringLiteral("Car"));
        ClickTab(assets.PageControl1, 1);
        TypeLine(assets.DBNavigator4, assets.wwDBGrid2, 1, QStringLiteral("500"));
        EXPECT_TRUE(presenter.shown.empty()) << presenter.LastText().toStdString();
        Click(assets.BitBtn1);
    }
    EXPECT_EQ(Rows(QStringLiteral("select a.AssetCode, a.AssetDesc, b.AssetAmount from TRNAST1A a, Trnast1b b "
                                  "where a.AssetCode = b.AssetCode")),
              QStringList{"0000000001|Car|500"});

    // A new asset given up by a click on the stored one in the list.
    TFrmAssets& assets = Show<TFrmAssets>();
    {
        RealBoxes boxes;
        DBNavigatorClick(assets.DBNavigator2, nbInsert);
        ClickTab(assets.PageControl1, 1);
        TypeLine(assets.DBNavigator4, assets.wwDBGrid2, 1, QStringLiteral("700"));
        ExpectOnlyRefusals(boxes, QStringLiteral("Asset Description has to be entered"));
    }
    ClickGridCell(assets.wwDBGrid1, 1, 2);
    EXPECT_TRUE(presenter.shown.empty()) << presenter.LastText().toStdString();
    EXPECT_EQ(adm3->TblAsset1a->State(), dsBrowse);
    EXPECT_EQ(Orphans(), QStringList{});

    // The next asset takes the free code and has no amount nobody entered.
    ClickTab(assets.PageControl1, 0);
    DBNavigatorClick(assets.DBNavigator2, nbInsert);
    EXPECT_EQ(adm3->TblAsset1a->FieldByName(QStringLiteral("AssetCode"))->AsString(), QStringLiteral("0000000002"));
    EXPECT_TRUE(adm3->TblAsset1b->IsEmpty());
    Click(assets.BitBtn1);
    EXPECT_EQ(Rows(QStringLiteral("select AssetCode, AssetAmount from Trnast1b")), QStringList{"0000000001|500"});
}

TEST_F(DetailRowsTest, LoanAndRecurringLinesBelongToAStoredHeader)
{
    {
        // A loan given up by its navigator's Cancel, then the close box.
        TFrmLoans& loans = Show<TFrmLoans>();
        RealBoxes boxes;
        DBNavigatorClick(loans.DBNavigator2, nbInsert);
        Type(loans.DBEdit1, QStringLiteral("Car Loan"));
        ClickTab(loans.PageControl1, 1);
        TypeLine(loans.DBNavigator4, loans.wwDBGrid2, 2, QStringLiteral("250"));
        ExpectOnlyRefusals(boxes, QStringLiteral("Loan Amount has to be entered"));
        ClickTab(loans.PageControl1, 0);
        DBNavigatorClick(loans.DBNavigator2, nbCancel);
        loans.close();
        QApplication::processEvents();
    }
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from TrnLon1a")), QStringList{"0"});
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from TrnLon1b")), QStringList{"0"});
    {
        // A recurring header given up by Close.
        TFrmRecur& recur = Show<TFrmRecur>();
        RealBoxes boxes;
        DBNavigatorClick(recur.DBNavigator2, nbInsert);
        ClickTab(recur.PageControl1, 1);
        TypeLine(recur.DBNavigator4, recur.wwDBGrid2, 2, QStringLiteral("60"));
        ExpectOnlyRefusals(boxes, QStringLiteral("Recurring Details has to be entered"));
        Click(recur.BitBtn1);
    }
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from TrnRec1b")), QStringList{"0"});
    EXPECT_EQ(Orphans(), QStringList{});

    // The next loan shows no line nobody entered.
    TFrmLoans& loans = Show<TFrmLoans>();
    DBNavigatorClick(loans.DBNavigator2, nbInsert);
    EXPECT_EQ(adm1->TblTrnLoan1A->FieldByName(QStringLiteral("LoanCode"))->AsString(), QStringLiteral("0000000001"));
    EXPECT_TRUE(adm1->TblTrnLoan1B->IsEmpty());
}

TEST_F(DetailRowsTest, MultipleEntryLinesAndAmountsBelongToAStoredEntry)
{
    TFrmDoubleEntry& entry = Show<TFrmDoubleEntry>();
    {
        RealBoxes boxes;
        DBNavigatorClick(entry.DBNavigator2, nbInsert);
        DBNavigatorClick(entry.DBNavigator6, nbInsert);
        EXPECT_EQ(adm3->TblDbl1b->State(), dsBrowse);
        ClickTab(entry.PageControl1, 1);
        TypeLine(entry.DBNavigator4, entry.wwDBGrid2, 2, QStringLiteral("80"));
        ExpectOnlyRefusals(boxes, QStringLiteral("Multiple Entry Details has to be entered"));
        Click(entry.BitBtn1);
    }
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from TrnDbl1b")), QStringList{"0"});
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from TrnDbl1c")), QStringList{"0"});
    EXPECT_EQ(Orphans(), QStringList{});

    entry.Show();
    DBNavigatorClick(entry.DBNavigator2, nbInsert);
    EXPECT_TRUE(adm3->TblDbl1b->IsEmpty());
    EXPECT_TRUE(adm3->TblDbl1c->IsEmpty());
}

// The check the other tests lean on sees a row under a missing master in
// every link of the book.
TEST_F(DetailRowsTest, TheOrphanCheckCoversEveryLink)
{
    TEngineDatabase& db = adm1->DataQuelt->EngineDatabase();
    const std::pair<const char*, const char*> links[] = {
        {"TrnBnk1a", "BankAccountCode"}, {"TrnTel1a", "TelcomCode"}, {"TrnLon1b", "LoanCode"},
        {"TrnRec1b", "RecurCode"},       {"TrnDbl1b", "DoubleCode"}, {"TrnDbl1c", "DoubleCode"},
        {"Trnast1b", "AssetCode"}};
    QStringList expected;
    for (const auto& [table, field] : links) {
        Put(db, QString::fromLatin1(table), {{field, "999"}});
        expected << QStringLiteral("%1.DB: %2=999").arg(QString::fromLatin1(table), QString::fromLatin1(field));
    }
    QStringList orphans = Orphans();
    orphans.sort(Qt::CaseInsensitive);
    expected.sort(Qt::CaseInsensitive);
    EXPECT_EQ(orphans, expected);
}

} // namespace
