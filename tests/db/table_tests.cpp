// Index order, keys, ranges, master/detail and two tables on one file.
#include "platform/db/data_source.h"
#include "tests/db/db_test_env.h"

namespace {

class TableOrder : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        CreateBanks();
        AddBank("C", "charlie");
        AddBank("A", "Bravo");
        AddBank("D", "alpha");
        AddBank("B", "Delta");
        banks = NewTable("Pbanks.DB");
        banks->Open();
    }
    TTable* banks = nullptr;
};

TEST_F(TableOrder, PrimaryDescendingAndCaseInsensitiveIndexes) {
    EXPECT_EQ(Walk(*banks, "BankCode"), QStringList({"A", "B", "C", "D"}));
    banks->SetIndexName("ByCodeDesc");
    EXPECT_EQ(Walk(*banks, "BankCode"), QStringList({"D", "C", "B", "A"}));
    banks->SetIndexName("ByDesc");
    EXPECT_EQ(Walk(*banks, "BankDesc"), QStringList({"alpha", "Bravo", "charlie", "Delta"}));
    banks->SetIndexName("ByDescCase");
    EXPECT_EQ(Walk(*banks, "BankDesc"), QStringList({"Bravo", "Delta", "alpha", "charlie"}));
    banks->SetIndexFieldNames("BankDesc");   // takes the rules of the index with these fields
    EXPECT_EQ(banks->IndexFieldCount(), 1);
    EXPECT_EQ(banks->IndexFields(0)->FieldName(), "BankDesc");
}

TEST_F(TableOrder, ChangingTheIndexKeepsTheCurrentRow) {
    ASSERT_TRUE(banks->Locate("BankCode", "C"));
    banks->SetIndexName("ByDesc");
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "C");
    EXPECT_EQ(banks->RecNo(), 3);
}

TEST_F(TableOrder, IndexDefsComeFromTheCatalogue) {
    TIndexDefs& defs = banks->IndexDefs();
    ASSERT_EQ(defs.Count(), 4);
    EXPECT_TRUE(defs.Find("bydesc").CaseInsensitive());
    EXPECT_TRUE(defs.Find("ByCodeDesc").Descending());
    EXPECT_TRUE(defs.Items(0).Options & ixPrimary);
    EXPECT_THROW(defs.Find("Missing"), EDatabaseError);
}

TEST_F(TableOrder, FindKeyAndFindNearest) {
    EXPECT_TRUE(banks->FindKey({"B"}));
    EXPECT_EQ(banks->FieldByName("BankDesc")->AsString(), "Delta");
    EXPECT_FALSE(banks->FindKey({"BB"}));
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B") << "a failed FindKey does not move";
    banks->FindNearest({"BB"});
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "C");
    banks->SetIndexName("ByDesc");
    EXPECT_TRUE(banks->FindKey({"CHARLIE"})) << "a case-insensitive index finds any case";
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "C");
    banks->SetIndexName("ByCodeDesc");
    banks->FindNearest({"BB"});
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B") << "nearest follows the descending order";
}

TEST_F(TableOrder, SetKeyEditsTheKeyThroughTheFields) {
    banks->SetKey();
    EXPECT_EQ(banks->State(), dsSetKey);
    banks->FieldByName("BankCode")->SetAsString("D");
    EXPECT_TRUE(banks->GotoKey());
    EXPECT_EQ(banks->State(), dsBrowse);
    EXPECT_EQ(banks->FieldByName("BankDesc")->AsString(), "alpha");
}

TEST_F(TableOrder, RangesOnTheCurrentOrder) {
    banks->SetRange({"B"}, {"C"});
    EXPECT_EQ(Walk(*banks, "BankCode"), QStringList({"B", "C"}));
    EXPECT_EQ(banks->RecordCount(), 2);
    banks->SetRangeStart();
    banks->FieldByName("BankCode")->SetAsString("C");
    banks->SetRangeEnd();
    banks->ApplyRange();
    EXPECT_EQ(Walk(*banks, "BankCode"), QStringList({"C", "D"})) << "an empty end runs to the last row";
    banks->CancelRange();
    EXPECT_EQ(banks->RecordCount(), 4);
    banks->SetIndexName("ByDesc");
    banks->SetRange({"b"}, {"D"});
    EXPECT_EQ(Walk(*banks, "BankDesc"), QStringList({"Bravo", "charlie"}));
}

TEST_F(TableOrder, TwoTablesOnOneFileSeeEachOthersRowsAfterRefresh) {
    TTable* other = NewTable("pbanks");
    other->Open();
    ASSERT_TRUE(banks->FindKey({"C"}));
    other->Append();
    other->FieldByName("BankCode")->SetAsString("E");
    other->Post();
    other->FindKey({"A"});
    other->Edit();
    other->FieldByName("BankDesc")->SetAsString("Changed");
    other->Post();
    banks->Refresh();
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "C") << "Refresh keeps the row";
    EXPECT_EQ(banks->RecordCount(), 5);
    EXPECT_EQ(Walk(*banks, "BankDesc"), QStringList({"Changed", "Delta", "charlie", "alpha", ""}));
}

TEST_F(TableOrder, EmptyTableAndTableNameWithExtension) {
    EXPECT_EQ(banks->TableName(), "Pbanks.DB");
    banks->EmptyTable();
    EXPECT_TRUE(banks->IsEmpty());
    EXPECT_EQ(Count("select count(*) from Pbanks"), 0);
}

class MasterDetail : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        CreateAccounts();
        CreateTransactions();
        AddAccount("A1", "B1", "First");
        AddAccount("A2", "B1", "Second");
        AddAccount("A3", "B1", "Empty");
        AddTransaction("A1", "1", QDate(2001, 3, 1), 10);
        AddTransaction("A1", "2", QDate(2001, 1, 1), 20);
        AddTransaction("A2", "3", QDate(2001, 2, 1), 30);
        accounts = NewTable("BankAcnt");
        masterSource = new TDataSource(&owner);
        masterSource->SetDataSet(accounts);
        transactions = NewTable("TrnBnk1a");
        transactions->SetIndexName("ByDate");
        transactions->SetMasterSource(masterSource);
        transactions->SetMasterFields("BankAccountCode");
        accounts->Open();
        transactions->Open();
    }
    TTable* accounts = nullptr;
    TTable* transactions = nullptr;
    TDataSource* masterSource = nullptr;
};

TEST_F(MasterDetail, TheDetailShowsAndFollowsTheMastersRows) {
    EXPECT_EQ(Walk(*transactions, "BankTranSerialNum"), QStringList({"2", "1"}));
    accounts->Next();
    EXPECT_EQ(Walk(*transactions, "BankTranSerialNum"), QStringList({"3"}));
    accounts->Next();
    EXPECT_TRUE(transactions->IsEmpty());
    EXPECT_EQ(transactions->RecordCount(), 0);
    accounts->First();
    EXPECT_EQ(transactions->RecordCount(), 2);
}

TEST_F(MasterDetail, ANewDetailRowCarriesTheMastersLinkValue) {
    accounts->Next();
    transactions->Append();
    EXPECT_EQ(transactions->FieldByName("BankAccountCode")->AsString(), "A2");
    transactions->FieldByName("BankTranSerialNum")->SetAsString("4");
    transactions->FieldByName("TransactionDate")->SetAsDateTime(EncodeDate(2001, 5, 1));
    transactions->Post();
    EXPECT_EQ(Walk(*transactions, "BankTranSerialNum"), QStringList({"3", "4"}));
}

TEST_F(MasterDetail, ARowPostedWithAnotherLinkValueIsStoredAndLeavesTheView) {
    transactions->First();
    transactions->Edit();
    transactions->FieldByName("BankAccountCode")->SetAsString("A3");
    transactions->Post();
    EXPECT_EQ(Walk(*transactions, "BankTranSerialNum"), QStringList({"1"}));
    EXPECT_EQ(Count("select count(*) from TrnBnk1a where BankAccountCode = \"A3\""), 1);
    accounts->Last();
    EXPECT_EQ(Walk(*transactions, "BankTranSerialNum"), QStringList({"2"}));
}

TEST_F(MasterDetail, TheMasterMovingPostsThePendingDetailEdit) {
    transactions->Edit();
    transactions->FieldByName("DebitAmount")->SetAsFloat(99);
    accounts->Next();
    EXPECT_EQ(transactions->State(), dsBrowse);
    EXPECT_EQ(Count("select count(*) from TrnBnk1a where DebitAmount = 99"), 1);
}

// A new account has to be named; its transactions are logged as they begin.
class NewMasterDetail : public MasterDetail {
protected:
    void SetUp() override {
        MasterDetail::SetUp();
        accounts->OnNewRecord = [this](TDataSet& dataSet) {
            dataSet.FieldByName("BankAccountCode")->SetAsString(QStringLiteral("A%1").arg(++codes));
        };
        accounts->BeforePost = [this](TDataSet& dataSet) {
            events << "account BeforePost";
            if (dataSet.FieldByName("AccountName")->IsNull()) Abort();
        };
        accounts->AfterPost = [this](TDataSet&) { events << "account AfterPost"; };
        transactions->BeforeInsert = [this](TDataSet&) { events << "transaction BeforeInsert"; };
        transactions->BeforePost = [this](TDataSet&) { events << "transaction BeforePost"; };
    }
    int Stored(const QString& account) {
        return Count(QStringLiteral("select count(*) from TrnBnk1a where BankAccountCode = \"%1\"").arg(account));
    }
    void FillTransaction(const QString& serial) {
        transactions->FieldByName("BankTranSerialNum")->SetAsString(serial);
        transactions->FieldByName("TransactionDate")->SetAsDateTime(EncodeDate(2001, 6, 1));
    }
    int codes = 3;
    QStringList events;
};

TEST_F(NewMasterDetail, ADetailRowBegunUnderANewMasterHasTheMasterPostedFirst) {
    // Unnamed, the new account refuses, and no transaction begins under its code.
    accounts->Insert();
    EXPECT_THROW(transactions->Insert(), EAbort);
    EXPECT_THROW(transactions->Append(), EAbort);
    EXPECT_THROW(transactions->Edit(), EAbort);
    EXPECT_EQ(transactions->State(), dsBrowse);
    EXPECT_EQ(accounts->State(), dsInsert);
    EXPECT_EQ(events, QStringList({"account BeforePost", "account BeforePost", "account BeforePost"}));

    // Named, it is stored before the transaction begins, and stays stored when
    // the user then gives up: a cancel has nothing left to drop.
    events.clear();
    accounts->FieldByName("AccountName")->SetAsString("Fourth");
    transactions->Append();
    EXPECT_EQ(accounts->State(), dsBrowse);
    EXPECT_EQ(events, QStringList({"account BeforePost", "account AfterPost", "transaction BeforeInsert"}));
    EXPECT_EQ(transactions->FieldByName("BankAccountCode")->AsString(), "A4");
    FillTransaction("5");
    transactions->Post();
    accounts->Cancel();
    EXPECT_EQ(Count("select count(*) from BankAcnt where BankAccountCode = \"A4\""), 1);
    EXPECT_EQ(Stored("A4"), 1);

    // Edit on the empty view of a new account begins a row the same way.
    accounts->Insert();
    accounts->FieldByName("AccountName")->SetAsString("Fifth");
    transactions->Edit();
    EXPECT_EQ(accounts->State(), dsBrowse);
    EXPECT_EQ(transactions->State(), dsInsert);
    EXPECT_EQ(transactions->FieldByName("BankAccountCode")->AsString(), "A5");
    transactions->Cancel();

    // Without a master row there is no code to file a row under.
    accounts->SetRange({"Z"}, {"Z"});
    EXPECT_THROW(transactions->Append(), EDatabaseError);
    EXPECT_EQ(transactions->State(), dsBrowse);
}

TEST_F(NewMasterDetail, ADetailPostedUnderANewMasterBehindDisabledControlsPostsTheMasterFirst) {
    // With the account's controls disabled its insert does not reach the
    // pending transaction, which would otherwise be posted first.
    accounts->DisableControls();
    transactions->Append();
    FillTransaction("5");
    accounts->Insert();
    EXPECT_EQ(transactions->State(), dsInsert);
    EXPECT_THROW(transactions->Post(), EAbort);
    EXPECT_EQ(transactions->State(), dsInsert);
    EXPECT_EQ(Stored("A1") + Stored("A4"), 2);

    events.clear();
    accounts->FieldByName("AccountName")->SetAsString("Fourth");
    transactions->Post();
    EXPECT_EQ(events, QStringList({"account BeforePost", "account AfterPost", "transaction BeforePost"}));
    EXPECT_EQ(Count("select count(*) from BankAcnt where BankAccountCode = \"A4\""), 1);
    accounts->EnableControls();
}

TEST_F(MasterDetail, ALinkToItselfIsRefused) {
    TDataSource own(&owner);
    own.SetDataSet(transactions);
    EXPECT_THROW(accounts->SetMasterSource(&own), EDatabaseError);
    EXPECT_THROW(transactions->SetMasterSource(&own), EDatabaseError);
}

} // namespace
