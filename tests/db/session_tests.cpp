// Databases by name through the session, aliases, passwords, parameter names.
#include "platform/db/params.h"
#include "platform/db/query.h"
#include "platform/engine/engine_session.h"
#include "tests/db/db_test_env.h"

namespace {

using Databases = DbTest;

TEST_F(Databases, DatasetsFindTheirDatabaseByName) {
    EXPECT_EQ(Session().FindDatabase("testdb"), database.get());
    EXPECT_FALSE(database->IsSQLBased());
    TDatabase twin;
    EXPECT_THROW(twin.SetDatabaseName("TestDB"), EDatabaseError);
    TQuery query(&owner);
    query.SetDatabaseName("Nowhere");
    query.SQL()->Add("select 1");
    try {
        query.Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "Database 'Nowhere' not found");
    }
    EXPECT_FALSE(query.Active());
}

TEST_F(Databases, AnAliasServesAsADatabaseName) {
    TQuery query(&owner);
    query.SetDatabaseName(alias);
    query.SQL()->Add("select 1 as One");
    query.Open();
    EXPECT_EQ(query.FieldByName("One")->AsInteger(), 1);
    EXPECT_EQ(Session().AliasPath(alias), dir.Path());
    EXPECT_TRUE(QFile::exists(dir.File(alias + ".sqlite")));
}

TEST_F(Databases, PasswordsGoToTheEnginesSession) {
    Session().AddPassword("secret-db-test");
    EXPECT_TRUE(TEngineSession::Default().HoldsPassword("secret-db-test"));
    Session().RemovePassword("secret-db-test");
    EXPECT_FALSE(TEngineSession::Default().HoldsPassword("secret-db-test"));
}

TEST(SqlParams, NamesOutsideQuotedTextInTheirOrder) {
    EXPECT_EQ(ParseSqlParams("select * from T where A = :A and B = \":B\" and C = ':C' and D = :a"),
              QStringList({"A", "a"}));
    EXPECT_EQ(ParseSqlParams("select x::text, :First_1 from T"), QStringList({"First_1"}));
    TParams params;
    params.Rebuild({"A", "B", "a"});
    EXPECT_EQ(params.Count(), 2);
    params.ParamByName("b")->SetAsInteger(7);
    params.Rebuild({"B"});
    EXPECT_EQ(params.ParamByName("B")->AsInteger(), 7);
    EXPECT_TRUE(params.ParamByName("B")->Bound());
}

} // namespace
