// Queries: lines, bound parameters, columns, statements and a master.
#include "platform/db/data_source.h"
#include "platform/db/query.h"
#include "tests/db/db_test_env.h"

namespace {

class Queries : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        CreateBanks();
        AddBank("B1", "First");
        AddBank("B2", "Second \"quoted\" 'text'");
        AddBank("B3", "Third");
        query = new TQuery(&owner);
        query->SetDatabaseName("TestDb");
    }
    TQuery* query = nullptr;
};

TEST_F(Queries, OpenReadsTheRowsWithBoundParameters) {
    query->SQL()->Add("select BankCode, BankDesc from Pbanks.DB");
    query->SQL()->Add("where BankDesc = :Name or BankCode = :Code");
    ASSERT_EQ(query->ParamCount(), 2);
    query->ParamByName("name")->SetAsString("Second \"quoted\" 'text'");
    query->ParamByName("Code")->SetAsString("B3");
    query->Open();
    EXPECT_EQ(query->RecordCount(), 2);
    EXPECT_EQ(query->Fields(0)->AsString(), "B2");
    EXPECT_EQ(query->FieldByName("BankDesc")->AsString(), "Second \"quoted\" 'text'");
    query->Next();
    EXPECT_EQ(query->Fields(1)->AsString(), "Third");
    query->Next();
    EXPECT_TRUE(query->Eof());
}

TEST_F(Queries, ChangingTheTextClosesTheQueryAndKeepsKnownParameters) {
    query->SQL()->Add("select count(*) as N from Pbanks where BankCode > :Code");
    query->ParamByName("Code")->SetAsString("B1");
    query->Open();
    EXPECT_EQ(query->FieldByName("N")->AsInteger(), 2);
    query->SQL()->Add("and BankCode < :Last");
    EXPECT_FALSE(query->Active());
    query->ParamByName("Last")->SetAsString("B3");
    query->Open();
    EXPECT_EQ(query->Fields(0)->AsInteger(), 1);
    EXPECT_THROW(query->ParamByName("Missing"), EDatabaseError);
}

TEST_F(Queries, ExecSqlRunsAStatementAndResultsAreReadOnly) {
    query->SQL()->Add("update Pbanks set BankDesc = :Name where BankCode = :Code");
    query->ParamByName("Name")->SetAsString("Renamed");
    query->ParamByName("Code")->SetAsString("B1");
    query->ExecSQL();
    EXPECT_EQ(query->RowsAffected(), 1);
    EXPECT_EQ(Count("select count(*) from Pbanks where BankDesc = \"Renamed\""), 1);
    query->SQL()->Clear();
    query->SQL()->Add("select * from Pbanks");
    query->SetRequestLive(true);
    query->Open();
    EXPECT_FALSE(query->CanModify());
    EXPECT_THROW(query->Edit(), EDatabaseError);
    EXPECT_THROW(query->Append(), EDatabaseError);
}

TEST_F(Queries, AnEmptyAggregateGivesOneNullRow) {
    query->SQL()->Add("select max(BankCode) from Pbanks where BankCode = \"none\"");
    query->Open();
    EXPECT_EQ(query->RecordCount(), 1);
    EXPECT_TRUE(query->Fields(0)->IsNull());
}

TEST_F(Queries, AMasterGivesTheValuesOfUnsetParameters) {
    TTable* banks = NewTable("Pbanks");
    TDataSource master(&owner);
    master.SetDataSet(banks);
    banks->Open();
    query->SQL()->Add("select BankDesc from Pbanks where BankCode = :BankCode");
    query->SetDataSource(&master);
    query->Open();
    EXPECT_EQ(query->Fields(0)->AsString(), "First");
    banks->Last();
    EXPECT_EQ(query->Fields(0)->AsString(), "Third");
}

} // namespace
