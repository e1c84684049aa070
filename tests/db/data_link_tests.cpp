// What data sources and links are told, with the distances a grid scrolls by.
#include "platform/db/data_link.h"
#include "tests/db/db_test_env.h"

namespace {

class RecordingLink : public TDataLink {
public:
    QStringList events;

protected:
    void ActiveChanged() override { events << QStringLiteral("Active:%1").arg(Active()); }
    void DataSetChanged() override { events << QStringLiteral("Changed"); }
    void DataSetScrolled(int distance) override { events << QStringLiteral("Scrolled:%1").arg(distance); }
    void LayoutChanged() override { events << QStringLiteral("Layout"); }
    void EditingChanged() override { events << QStringLiteral("Editing:%1").arg(Editing()); }
    void RecordChanged(TField* field) override { events << "Record:" + (field ? field->FieldName() : QString("-")); }
    void UpdateData() override { events << QStringLiteral("UpdateData"); }
};

class DataLinks : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        CreateBanks();
        Engine().StartTransaction();
        for (int i = 0; i < 100; ++i) AddBank(QString::asprintf("B%03d", i), QString::asprintf("Bank %d", i));
        Engine().Commit();
        banks = NewTable("Pbanks");
        source = new TDataSource(&owner);
        source->SetDataSet(banks);
        grid.SetBufferCount(10);
        grid.SetDataSource(source);
    }
    TTable* banks = nullptr;
    TDataSource* source = nullptr;
    RecordingLink grid;
};

TEST_F(DataLinks, AGridWindowScrollsByOneRowAtItsEdge) {
    banks->Open();
    EXPECT_EQ(grid.events, QStringList({"Active:1"}));
    EXPECT_EQ(grid.RecordCount(), 10);
    EXPECT_EQ(banks->BufferCount(), 10);
    grid.events.clear();
    banks->MoveBy(9);
    EXPECT_EQ(grid.ActiveRecord(), 9);
    EXPECT_EQ(grid.events, QStringList({"Scrolled:0"})) << "inside the window nothing scrolls";
    grid.events.clear();
    banks->Next();
    EXPECT_EQ(grid.events, QStringList({"Scrolled:1"}));
    EXPECT_EQ(grid.ActiveRecord(), 9);
    grid.SetActiveRecord(0);
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B001") << "row 0 of the grid after one scroll";
    grid.SetActiveRecord(9);
    grid.events.clear();
    banks->MoveBy(-9);
    EXPECT_EQ(grid.events, QStringList({"Scrolled:0"}));
    grid.events.clear();
    banks->Prior();
    EXPECT_EQ(grid.events, QStringList({"Scrolled:-1"}));
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B000");
    EXPECT_EQ(banks->RecNo(), 1);
}

TEST_F(DataLinks, WalkingTheWholeTableKeepsTheWindowInStep) {
    banks->Open();
    int rows = 0;
    for (banks->First(); !banks->Eof(); banks->Next()) {
        EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), QString::asprintf("B%03d", rows));
        ++rows;
    }
    EXPECT_EQ(rows, 100);
    EXPECT_EQ(banks->RecNo(), 100);
    for (int i = 0; i < grid.RecordCount(); ++i) {
        grid.SetActiveRecord(i);
        EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), QString::asprintf("B%03d", 90 + i));
    }
    banks->Last();
    EXPECT_EQ(grid.ActiveRecord(), 9);
    banks->MoveBy(-50);
    EXPECT_EQ(banks->RecNo(), 50);
}

TEST_F(DataLinks, EditingAndFieldChangesReachTheLinks) {
    banks->Open();
    grid.events.clear();
    banks->Edit();
    banks->FieldByName("BankDesc")->SetAsString("x");
    banks->Post();
    EXPECT_EQ(grid.events, QStringList({"Editing:1", "Record:-", "Record:BankDesc", "UpdateData", "Editing:0",
                                        "Changed"}));
}

TEST_F(DataLinks, DisabledControlsHearOneChangeAtTheEnd) {
    banks->Open();
    grid.events.clear();
    banks->DisableControls();
    banks->Next();
    banks->Last();
    EXPECT_TRUE(grid.events.isEmpty());
    banks->EnableControls();
    EXPECT_EQ(grid.events, QStringList({"Changed"}));
}

TEST_F(DataLinks, SourceEventsAndAutoEdit) {
    QStringList log;
    source->OnStateChange = [&](TDataSource& s) { log << QStringLiteral("State:%1").arg(int(s.State())); };
    source->OnDataChange = [&](TDataSource&, TField* f) { log << "Data:" + (f ? f->FieldName() : QString("-")); };
    banks->Open();
    source->SetAutoEdit(false);
    source->Edit();
    EXPECT_EQ(banks->State(), dsBrowse);
    source->SetAutoEdit(true);
    source->Edit();
    EXPECT_EQ(banks->State(), dsEdit);
    EXPECT_EQ(log, QStringList({"State:1", "State:2", "Data:-"}));
    source->SetEnabled(false);
    EXPECT_EQ(source->State(), dsInactive);
    EXPECT_FALSE(grid.Active());
}

TEST_F(DataLinks, FieldDataLinkEditsItsField) {
    TFieldDataLink edit;
    int dataChanges = 0;
    QString typed;
    edit.OnDataChange = [&] { ++dataChanges; };
    edit.OnUpdateData = [&] { edit.Field()->SetAsString(typed); };
    edit.SetDataSource(source);
    edit.SetFieldName("BankDesc");
    banks->Open();
    ASSERT_NE(edit.Field(), nullptr);
    EXPECT_EQ(edit.Field()->AsString(), "Bank 0");
    EXPECT_FALSE(edit.Editing());
    EXPECT_TRUE(edit.Edit());
    typed = "Typed";
    edit.Modified();
    banks->Post();   // the link writes the typed text first
    EXPECT_EQ(Count("select count(*) from Pbanks where BankDesc = \"Typed\""), 1);
    const int before = dataChanges;
    banks->Next();
    EXPECT_GT(dataChanges, before);
    edit.SetReadOnly(true);
    EXPECT_FALSE(edit.Edit());
    EXPECT_EQ(banks->State(), dsBrowse);
}

TEST_F(DataLinks, FocusControlReachesTheFieldsLink) {
    TFieldDataLink edit;
    bool focused = false;
    edit.OnFocusControl = [&] { focused = true; };
    edit.SetDataSource(source);
    edit.SetFieldName("BankCode");
    banks->Open();
    banks->FieldByName("BankDesc")->FocusControl();
    EXPECT_FALSE(focused);
    banks->FieldByName("BankCode")->FocusControl();
    EXPECT_TRUE(focused);
}

} // namespace
