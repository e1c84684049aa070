// The record window under a grid while rows are inserted, appended and the
// window is resized: every row of the grid shows the row the order puts there.
#include "platform/db/data_link.h"
#include "tests/db/db_test_env.h"

namespace {

class RecordWindow : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        CreateBanks();
        Engine().StartTransaction();
        for (int i = 0; i < 30; ++i) AddBank(QString::asprintf("B%02d", i * 2), QStringLiteral("Bank"));
        Engine().Commit();
        banks = NewTable("Pbanks");
        source = new TDataSource(&owner);
        source->SetDataSet(banks);
        grid.SetBufferCount(5);
        grid.SetDataSource(source);
        banks->Open();
    }

    // The codes the grid shows, top to bottom; the current row keeps its place.
    QStringList GridRows() {
        QStringList rows;
        const int active = grid.ActiveRecord();
        for (int i = 0; i < grid.RecordCount(); ++i) {
            grid.SetActiveRecord(i);
            rows << banks->FieldByName("BankCode")->AsString();
        }
        grid.SetActiveRecord(active);
        return rows;
    }

    TTable* banks = nullptr;
    TDataSource* source = nullptr;
    TDataLink grid;
};

TEST_F(RecordWindow, InsertOpensARowAtTheCurrentPlaceAndPostPutsItInOrder) {
    banks->MoveBy(2);
    banks->Insert();
    EXPECT_EQ(grid.ActiveRecord(), 2);
    EXPECT_EQ(GridRows(), QStringList({"B00", "B02", "", "B04", "B06"}));
    banks->FieldByName("BankCode")->SetAsString("B01");
    banks->Post();
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B01");
    EXPECT_EQ(GridRows(), QStringList({"B00", "B01", "B02", "B04", "B06"}));
    banks->Next();
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B02");
}

TEST_F(RecordWindow, CancelledInsertGivesTheWindowBack) {
    banks->MoveBy(3);
    banks->Insert();
    banks->Cancel();
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B06");
    EXPECT_EQ(GridRows(), QStringList({"B00", "B02", "B04", "B06", "B08"}));
}

TEST_F(RecordWindow, AppendShowsTheLastRowsAndTheNewOne) {
    banks->Append();
    EXPECT_EQ(GridRows(), QStringList({"B52", "B54", "B56", "B58", ""}));
    banks->FieldByName("BankCode")->SetAsString("B99");
    banks->Post();
    EXPECT_EQ(GridRows(), QStringList({"B52", "B54", "B56", "B58", "B99"}));
    banks->Next();
    EXPECT_TRUE(banks->Eof());
}

TEST_F(RecordWindow, ResizingTheWindowKeepsTheCurrentRow) {
    banks->MoveBy(12);
    grid.SetBufferCount(3);
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B24");
    EXPECT_EQ(GridRows().size(), 3);
    EXPECT_TRUE(GridRows().contains("B24"));
    grid.SetBufferCount(8);
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B24");
    const QStringList rows = GridRows();
    ASSERT_EQ(rows.size(), 8);
    for (int i = 1; i < rows.size(); ++i) EXPECT_LT(rows[i - 1], rows[i]);
}

TEST_F(RecordWindow, DeletingTheLastRowsKeepsAFullWindow) {
    banks->Last();
    banks->Delete();
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B56");
    EXPECT_EQ(GridRows(), QStringList({"B48", "B50", "B52", "B54", "B56"}));
}

} // namespace
