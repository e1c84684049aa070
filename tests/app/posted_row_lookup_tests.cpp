// A row that refuses changes (one of a closed month, one a loan wrote) says
// so with one box when a new item is picked for it through the item cell's
// own list, whichever way the item is picked and whatever Auto Edit says.
#include "tests/app/main_window_fixture.h"
#include "tests/app/windowed_boxes.h"
#include "grid/combo_button.h"
#include "grid/popup_grid.h"
#include "platform/ui/standard_controls.h"

namespace {

class PostedRowLookupTest : public MainWindowTest {
protected:
    // "Rent" to pick, and an expense of the closed January.
    void AddRows(TEngineDatabase& db) override
    {
        Put(db, "BankItm", {{"BankItemCode", "004"}, {"BankItemDesc", "Rent"}});
        Put(db, "PExpense", {{"ExpenseCode", "00002"}, {"ExpenseDescription", "Rent"}});
        Put(db, "TrnExp1a", {{"ExpenseCode", "00001"}, {"ExpenseTranSerialNum", "0000000002"},
                             {"TransactionDate", QDate(2026, 1, 12)}, {"ExpenseAmount", 40.0}, {"External", false}});
    }

    struct TCase {
        int Page;
        const char* SerialField;
        const char* Serial;
        bool AutoEdit;
        bool ByMouse;   // the row clicked in the list, else "Rent" typed and Enter
        const char* Refusal;
    };

    // Picks "Rent" for the row through the item cell's list; what the cell's
    // combo shows afterwards.
    QString PickRent(const TCase& test)
    {
        const TTransactionPage& page = window->TransactionPages()[test.Page];
        if (page.AutoEdit->Checked() != test.AutoEdit) QTest::mouseClick(page.AutoEdit, Qt::LeftButton);
        EXPECT_TRUE(page.Table->Locate(QString::fromLatin1(test.SerialField), QString::fromLatin1(test.Serial)));
        ClickCell(page.Grid, 2, page.Grid->Row());
        auto* lookup = qobject_cast<TwwDBLookupCombo*>(page.Grid->viewport()->childAt(
            page.Grid->CellRect(2, page.Grid->Row()).center()));
        if (!lookup) {
            ADD_FAILURE() << "no list in the item cell";
            return {};
        }
        QTest::mouseClick(lookup->findChild<TwwComboButton*>(), Qt::LeftButton);
        EXPECT_TRUE(lookup->IsDroppedDown());
        if (test.ByMouse) {
            // The list scrolls to the row; the mouse picks it where it shows.
            TwwPopupGrid* list = lookup->Grid();
            EXPECT_TRUE(lookup->LookupTable()->Locate(list->Binding().DisplayField()->FieldName(),
                                                      QStringLiteral("Rent")));
            const int row = list->TitleRows() + list->DataLink().ActiveRecord();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->CellRect(0, row).center());
        } else {
            QTest::keyClicks(lookup, QStringLiteral("Rent"));
            QTest::keyClick(lookup, Qt::Key_Return);
        }
        Reactivate();
        return lookup->Text();
    }
};

TEST_F(PostedRowLookupTest, ARefusedRowShowsOneBoxForAnItemPickedFromTheCellsList)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    const char* const posted = "Editing of this Record is not allowed since it has been posted\r";
    const char* const external = "This Item has been Created by an External Routine, Cannot Modify\r";
    const TCase cases[] = {
        {0, "BankTranSerialNum", "0000000001", true, false, posted},
        {0, "BankTranSerialNum", "0000000001", false, true, posted},
        {0, "BankTranSerialNum", "0000000003", true, false, external},
        {0, "BankTranSerialNum", "0000000003", false, true, external},
        {3, "ExpenseTranSerialNum", "0000000002", true, false, posted},
        {3, "ExpenseTranSerialNum", "0000000002", false, true, posted},
    };
    const QStringList bank = Rows(QStringLiteral("select * from TrnBnk1a"));
    const QStringList expense = Rows(QStringLiteral("select * from TrnExp1a"));
    for (const TCase& test : cases) {
        SCOPED_TRACE(std::string(test.Serial) + (test.Page == 0 ? " bank" : " expense") +
                     (test.AutoEdit ? ", Auto Edit" : "") + (test.ByMouse ? ", clicked" : ", typed"));
        ClickTab(window->PageControl2, test.Page);
        WindowedBoxes boxes(window.get());
        const QString shown = PickRent(test);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].Text, QString::fromLatin1(test.Refusal));
        EXPECT_TRUE(boxes.errors.empty());
        EXPECT_NE(shown, QStringLiteral("Rent"));
        EXPECT_EQ(window->TransactionPages()[test.Page].Table->State(), dsBrowse);
    }
    EXPECT_EQ(Rows(QStringLiteral("select * from TrnBnk1a")), bank);
    EXPECT_EQ(Rows(QStringLiteral("select * from TrnExp1a")), expense);
}

}  // namespace
