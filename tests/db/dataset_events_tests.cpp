// The event order of editing, the silent abort in each Before event, and what
// a failed post leaves behind.
#include "platform/db/data_source.h"
#include "tests/db/db_test_env.h"

namespace {

class DataSetEvents : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        CreateBanks();
        AddBank("B1", "Alpha");
        AddBank("B2", "Beta");
        banks = NewTable("Pbanks");
        source.SetDataSet(banks);
        source.OnStateChange = [this](TDataSource& s) { log << QStringLiteral("StateChange:%1").arg(int(s.State())); };
        for (auto [event, name] : {std::pair{&TDataSet::BeforeEdit, "BeforeEdit"}, {&TDataSet::AfterEdit, "AfterEdit"},
                                   {&TDataSet::BeforeInsert, "BeforeInsert"}, {&TDataSet::AfterInsert, "AfterInsert"},
                                   {&TDataSet::BeforePost, "BeforePost"}, {&TDataSet::AfterPost, "AfterPost"},
                                   {&TDataSet::BeforeDelete, "BeforeDelete"}, {&TDataSet::AfterDelete, "AfterDelete"},
                                   {&TDataSet::BeforeCancel, "BeforeCancel"}, {&TDataSet::AfterCancel, "AfterCancel"},
                                   {&TDataSet::OnNewRecord, "OnNewRecord"}}) {
            const QString label = QString::fromLatin1(name);
            banks->*event = [this, label](TDataSet& d) { log << label + QStringLiteral(":%1").arg(int(d.State())); };
        }
        banks->Open();
        log.clear();
    }

    int Rows() { return Count(QStringLiteral("select count(*) from Pbanks")); }

    TDataSource source{&owner};
    TTable* banks = nullptr;
    QStringList log;
};

TEST_F(DataSetEvents, EditAndPostFireInOrder) {
    banks->Edit();
    banks->FieldByName("BankDesc")->SetAsString("Alpha 2");
    banks->Post();
    EXPECT_EQ(log, QStringList({"BeforeEdit:1", "StateChange:2", "AfterEdit:2", "BeforePost:2", "StateChange:1",
                                "AfterPost:1"}));
    EXPECT_EQ(banks->FieldByName("BankDesc")->AsString(), "Alpha 2");
}

TEST_F(DataSetEvents, NewRecordRunsBeforeTheInsertStateIsAnnounced) {
    banks->OnNewRecord = [this](TDataSet& d) {
        log << QStringLiteral("OnNewRecord:%1").arg(int(d.State()));
        d.FieldByName("BankDesc")->SetAsString("Default name");
    };
    banks->Insert();
    EXPECT_EQ(log, QStringList({"BeforeInsert:1", "OnNewRecord:3", "StateChange:3", "AfterInsert:3"}));
    EXPECT_EQ(banks->FieldByName("BankDesc")->AsString(), "Default name");
    EXPECT_FALSE(banks->Modified()) << "defaults of OnNewRecord are no change of the user";
    banks->FieldByName("BankCode")->SetAsString("B3");
    banks->Post();
    EXPECT_EQ(Rows(), 3);
}

TEST_F(DataSetEvents, DeleteAndCancelFireInOrder) {
    banks->Delete();
    EXPECT_EQ(log, QStringList({"BeforeDelete:1", "AfterDelete:1"}));
    EXPECT_EQ(Rows(), 1);
    log.clear();
    banks->Edit();
    banks->FieldByName("BankDesc")->SetAsString("Changed");
    banks->Cancel();
    EXPECT_EQ(log, QStringList({"BeforeEdit:1", "StateChange:2", "AfterEdit:2", "BeforeCancel:2", "StateChange:1",
                                "AfterCancel:1"}));
    EXPECT_EQ(banks->FieldByName("BankDesc")->AsString(), "Beta");
}

TEST_F(DataSetEvents, AnUntouchedNewRecordIsDroppedByCheckBrowseMode) {
    banks->OnNewRecord = [](TDataSet& d) { d.FieldByName("BankCode")->SetAsString("B9"); };
    banks->Append();
    banks->CheckBrowseMode();
    EXPECT_EQ(banks->State(), dsBrowse);
    EXPECT_EQ(Rows(), 2);
}

// EAbort in a Before event: the operation stops and the state stays.
TEST_F(DataSetEvents, SilentAbortInEachBeforeEventKeepsTheState) {
    banks->BeforeEdit = [](TDataSet&) { Abort(); };
    EXPECT_THROW(banks->Edit(), EAbort);
    EXPECT_EQ(banks->State(), dsBrowse);
    banks->BeforeEdit = nullptr;

    banks->BeforeInsert = [](TDataSet&) { Abort(); };
    EXPECT_THROW(banks->Insert(), EAbort);
    EXPECT_EQ(banks->State(), dsBrowse);
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B1");
    banks->BeforeInsert = nullptr;

    banks->OnNewRecord = [](TDataSet&) { Abort(); };
    EXPECT_THROW(banks->Append(), EAbort);
    EXPECT_EQ(banks->State(), dsBrowse);
    EXPECT_EQ(Walk(*banks, "BankCode"), QStringList({"B1", "B2"}));
    banks->OnNewRecord = nullptr;

    banks->Edit();
    banks->FieldByName("BankDesc")->SetAsString("Kept");
    banks->BeforePost = [](TDataSet&) { Abort(); };
    EXPECT_THROW(banks->Post(), EAbort);
    EXPECT_EQ(banks->State(), dsEdit);
    EXPECT_EQ(banks->FieldByName("BankDesc")->AsString(), "Kept");
    EXPECT_EQ(Count("select count(*) from Pbanks where BankDesc = \"Kept\""), 0);
    banks->BeforePost = nullptr;

    banks->BeforeCancel = [](TDataSet&) { Abort(); };
    EXPECT_THROW(banks->Cancel(), EAbort);
    EXPECT_EQ(banks->State(), dsEdit);
    banks->BeforeCancel = nullptr;
    banks->Cancel();

    banks->BeforeDelete = [](TDataSet&) { Abort(); };
    EXPECT_THROW(banks->Delete(), EAbort);
    EXPECT_EQ(Rows(), 2);
    banks->BeforeDelete = nullptr;

    banks->BeforeClose = [](TDataSet&) { Abort(); };
    EXPECT_THROW(banks->Close(), EAbort);
    EXPECT_TRUE(banks->Active());
    banks->BeforeClose = nullptr;
    banks->Close();

    banks->BeforeOpen = [](TDataSet&) { Abort(); };
    EXPECT_THROW(banks->Open(), EAbort);
    EXPECT_FALSE(banks->Active());
}

TEST_F(DataSetEvents, CancelFromInsideBeforePostEndsThePostQuietly) {
    banks->Insert();
    banks->FieldByName("BankCode")->SetAsString("B5");
    banks->BeforePost = [](TDataSet& d) { d.Cancel(); };
    EXPECT_NO_THROW(banks->Post());
    EXPECT_EQ(banks->State(), dsBrowse);
    EXPECT_EQ(Rows(), 2);
    EXPECT_FALSE(log.contains("AfterPost:1"));
}

// A key violation: the row stays in edit with its values and nothing is written.
TEST_F(DataSetEvents, FailedPostLeavesTheRecordInEditAndWritesNothing) {
    banks->Insert();
    banks->FieldByName("BankCode")->SetAsString("B2");
    banks->FieldByName("BankDesc")->SetAsString("Duplicate");
    EXPECT_THROW(banks->Post(), EDatabaseError);
    EXPECT_EQ(banks->State(), dsInsert);
    EXPECT_EQ(banks->FieldByName("BankDesc")->AsString(), "Duplicate");
    EXPECT_EQ(Rows(), 2);
    banks->FieldByName("BankCode")->SetAsString("B3");
    banks->Post();
    EXPECT_EQ(Rows(), 3);
}

TEST_F(DataSetEvents, PostErrorActions) {
    int calls = 0;
    banks->OnPostError = [&](TDataSet& d, EDatabaseError&, TDataAction& action) {
        ++calls;
        action = daAbort;
        if (calls == 2) {
            d.FieldByName("BankCode")->SetAsString("B7");
            action = daRetry;
        }
    };
    banks->Insert();
    banks->FieldByName("BankCode")->SetAsString("B1");
    EXPECT_THROW(banks->Post(), EAbort) << "daAbort is silent";
    EXPECT_EQ(banks->State(), dsInsert);
    banks->Post();   // the second failure retries with a new code
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(banks->State(), dsBrowse);
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B7");
}

TEST_F(DataSetEvents, EditingNeedsEditMode) {
    try {
        banks->FieldByName("BankDesc")->SetAsString("x");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "Dataset not in edit or insert mode");
    }
    banks->Close();
    banks->SetReadOnly(true);
    banks->Open();
    try {
        banks->Edit();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "Cannot modify a read-only dataset");
    }
}

TEST_F(DataSetEvents, EditOfAnEmptyDataSetInserts) {
    Engine().EmptyTable("Pbanks");
    banks->Refresh();
    EXPECT_TRUE(banks->IsEmpty());
    EXPECT_EQ(banks->RecordCount(), 0);
    banks->Edit();
    EXPECT_EQ(banks->State(), dsInsert);
}

} // namespace
