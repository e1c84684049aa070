// The assets dialog through the real window: an asset added and edited on
// its details page, its dated amounts on the other page in their colours.
#include "tests/app/entry_dialog_fixture.h"
#include "app/assets_form.h"
#include "app/grid_colours.h"
#include "grid/ww_db_edit.h"
#include "platform/ui/db_controls.h"

namespace {

class AssetsTest : public ShownEntryDialogTest<TFrmAssets> {
protected:
    static void Type(QWidget* edit, const QString& text)
    {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }
};

TEST_F(AssetsTest, AnAssetIsAddedEditedAndGivenDatedAmounts)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Assets Transactions"));
    EXPECT_EQ(dialog->PageControl1->ActivePage(), dialog->TabLoanDetails);

    // Without a description the table refuses the asset and it stays in its insert.
    DBNavigatorClick(dialog->DBNavigator2, nbInsert);
    DBNavigatorClick(dialog->DBNavigator2, nbPost);
    EXPECT_TRUE(presenter.LastText().startsWith(QStringLiteral("Asset Description has to be entered")));
    EXPECT_EQ(adm3->TblAsset1a->State(), dsInsert);

    Type(dialog->DBEdit1, QStringLiteral("Car"));
    Type(dialog->DBMemo1, QStringLiteral("Bought second hand"));
    DBNavigatorClick(dialog->DBNavigator2, nbPost);
    ASSERT_EQ(adm3->TblAsset1a->State(), dsBrowse) << presenter.LastText().toStdString();

    DBNavigatorClick(dialog->DBNavigator2, nbEdit);
    Type(dialog->DBEdit1, QStringLiteral("Family car"));
    DBNavigatorClick(dialog->DBNavigator2, nbPost);
    EXPECT_EQ(Rows(QStringLiteral("select AssetCode, AssetDesc, Notes from TRNAST1A")),
              QStringList{"0000000001|Family car|Bought second hand"});

    // Its amounts: one typed, one of the closed period; the edit navigator of
    // the list rests while the amounts are shown.
    ClickTab(dialog->PageControl1, 1);
    EXPECT_FALSE(dialog->DBNavigator2->isEnabled());
    DBNavigatorClick(dialog->DBNavigator4, nbInsert);
    TypeCell(dialog->wwDBGrid2, 1, QStringLiteral("03/01/2026"));
    TypeCell(dialog->wwDBGrid2, 2, QStringLiteral("12000"));
    DBNavigatorClick(dialog->DBNavigator4, nbPost);
    ASSERT_EQ(adm3->TblAsset1b->State(), dsBrowse) << presenter.LastText().toStdString();
    Put(adm1->DataQuelt->EngineDatabase(), "Trnast1b",
        {{"AssetCode", "0000000001"}, {"AssetTranSerialNum", "0000000002"}, {"TransactionDate", QDate(2026, 1, 5)},
         {"AssetAmount", 11500.0}});
    adm3->TblAsset1b->Refresh();
    EXPECT_EQ(Rows(QStringLiteral("select AssetCode, AssetTranSerialNum, TransactionDate, AssetAmount from "
                                  "Trnast1b order by AssetTranSerialNum")),
              (QStringList{"0000000001|0000000001|2026-03-01|12000", "0000000001|0000000002|2026-01-05|11500"}));

    adm3->TblAsset1b->First();
    const QImage grid = GrabGrid(dialog->wwDBGrid2);
    EXPECT_EQ(CellColour(grid, dialog->wwDBGrid2, 1, 1), ToQColor(GridColorLoan));
    EXPECT_EQ(CellColour(grid, dialog->wwDBGrid2, 1, 2), ToQColor(GridColorPosted));
    Grab(*dialog, QStringLiteral("assets_schedule"));
    ClickTab(dialog->PageControl1, 0);
    EXPECT_TRUE(dialog->DBNavigator2->isEnabled());
    Grab(*dialog, QStringLiteral("assets_details"));
}

} // namespace
