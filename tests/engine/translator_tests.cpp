#include "platform/engine/sql_translator.h"
#include "platform/rtl/exceptions.h"
#include <gtest/gtest.h>
#include <map>

namespace {

// Column types of two tables, as the database would answer them.
class FakeCatalogue : public TSqlCatalogue {
public:
    std::optional<TFieldType> ColumnType(const QString& table, const QString& column) const override {
        const auto found = types.find((table + "." + column).toLower());
        if (found == types.end()) return std::nullopt;
        return found->second;
    }
    std::map<QString, TFieldType> types = {
        {"trnbnk1a.transactiondate", TFieldType::ftDate},   {"trnbnk1a.loancode", TFieldType::ftString},
        {"mthbnk1a.closedate", TFieldType::ftDate},         {"log.stamp", TFieldType::ftDateTime},
        {"pconfig1.closedate", TFieldType::ftDate},         {"pconfig1.currencycode", TFieldType::ftString}};
};

QString Sql(const QString& text) {
    static const FakeCatalogue catalogue;
    return TranslateStatement(text, &catalogue).Sql;
}

void ExpectRefused(const QString& text, const QString& reasonPart) {
    try {
        TranslateStatement(text);
        FAIL() << "accepted: " << text.toStdString();
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message.contains(reasonPart, Qt::CaseInsensitive)) << error.Message.toStdString();
        EXPECT_TRUE(error.Message.contains(text.simplified())) << "the text names the statement";
    }
}

}  // namespace

TEST(SqlTranslator, DoubleQuotedStringsBecomeSqlLiterals) {
    EXPECT_EQ(Sql(R"(Select Count(*) from PBANKS Where BankDesc = "O'Neil ""Bank""")"),
              R"(Select Count(*) from "PBANKS" Where BankDesc = 'O''Neil "Bank"')");
    EXPECT_EQ(Sql(R"(select AccountName from BankAcnt where BankAccountCode="0000000001")"),
              R"(select AccountName from "BankAcnt" where BankAccountCode='0000000001')");
    EXPECT_EQ(Sql(R"(Select "dummy" as sq_dummy , sum(col0) as col0 from TempBnk1)"),
              R"(Select 'dummy' as sq_dummy , sum(col0) as col0 from "TempBnk1")");
}

TEST(SqlTranslator, DateConstantsComparedWithDateFieldsBecomeIsoDates) {
    EXPECT_EQ(Sql(R"(Select * from TrnBnk1a where TransactionDate > "01/31/2024"  and TransactionDate <= "2/29/2024")"),
              R"(Select * from "TrnBnk1a" where TransactionDate > '2024-01-31'  and TransactionDate <= '2024-02-29')");
    EXPECT_EQ(Sql(R"(Update PConfig1 set CloseDate = "1/1/1900", DataUpdated = True)"),
              R"(Update "PConfig1" set CloseDate = '1900-01-01', DataUpdated = 1)");
    EXPECT_EQ(Sql(R"(Delete from MTHBNK1A where Closedate = "12/31/2023")"),
              R"(Delete from "MTHBNK1A" where Closedate = '2023-12-31')");
    EXPECT_EQ(Sql(R"(select * from TrnBnk1a where "01/02/2024" < TransactionDate)"),
              R"(select * from "TrnBnk1a" where '2024-01-02' < TransactionDate)");
    EXPECT_EQ(Sql(R"(select * from TrnBnk1a where TransactionDate between "1/1/2024" and "1/31/2024")"),
              R"(select * from "TrnBnk1a" where TransactionDate between '2024-01-01' and '2024-01-31')");
    EXPECT_EQ(Sql(R"(select * from Log where Stamp >= "3/4/2024")"),
              R"(select * from "Log" where Stamp >= '2024-03-04 00:00:00')");
}

TEST(SqlTranslator, DateShapedTextComparedWithTextFieldsStaysText) {
    EXPECT_EQ(Sql(R"(Update PConfig1 set CurrencyCode = "1/1/1900")"),
              R"(Update "PConfig1" set CurrencyCode = '1/1/1900')");
    EXPECT_EQ(Sql(R"(Delete from TrnBnk1a where LoanCode = "01/02/2024")"),
              R"(Delete from "TrnBnk1a" where LoanCode = '01/02/2024')");
}

TEST(SqlTranslator, InvalidDateAgainstADateFieldIsRefused) {
    static const FakeCatalogue catalogue;
    EXPECT_THROW(TranslateStatement(R"(Delete from MTHBNK1A where Closedate = "02/30/2024")", &catalogue), EDatabaseError);
    // The same text beside a text field is only text.
    EXPECT_NO_THROW(TranslateStatement(R"(Delete from TrnBnk1a where LoanCode = "02/30/2024")", &catalogue));
}

TEST(SqlTranslator, TableNamesLoseTheirExtensionInAnyCase) {
    const TTranslatedStatement count = TranslateStatement("Select Count(*) from Pbanks.DB Where BankCode = \"1\"");
    EXPECT_EQ(count.Sql, R"(Select Count(*) from "Pbanks" Where BankCode = '1')");
    EXPECT_EQ(count.Tables, QStringList{"Pbanks"});
    EXPECT_EQ(Sql("Select Count(*) from PCatgry.db"), R"(Select Count(*) from "PCatgry")");
    EXPECT_EQ(Sql(R"(select * from "MthTel2a.DB" t where t.OldFlag = True)"),
              R"(select * from "MthTel2a" t where t.OldFlag = 1)");
    const TTranslatedStatement two = TranslateStatement("select a.x from A.DB a, B b join C.db on a.x = C.x");
    EXPECT_EQ(two.Tables, (QStringList{"A", "B", "C"}));
}

TEST(SqlTranslator, TrueAndFalseAreLogicalsButNotInsideStrings) {
    EXPECT_EQ(Sql(R"(Update MTHTEL2A Set OldFlag = True, TotalAmount = 0 where Note = "True")"),
              R"(Update "MTHTEL2A" Set OldFlag = 1, TotalAmount = 0 where Note = 'True')");
    EXPECT_EQ(Sql("delete from MTHTEL2A where OldFlag = false"), R"(delete from "MTHTEL2A" where OldFlag = 0)");
}

TEST(SqlTranslator, UnionWithConstantColumnsKeepsItsLayout) {
    const QString text =
        "select periodyear, periodmonth,\n"
        "sum(totalamount) as income, 0 as expense, 0 as Communications, 0 as BankBalance\n"
        "from mthinc1a\n\n"
        "group by periodyear, periodmonth union\n"
        "select periodyear, periodmonth,\n"
        "0 as income, sum(totalamount) as expense, 0 as Communications, 0 as BankBalance\n"
        "from mthexp1a\n"
        "group by periodyear, periodmonth\n"
        "order by periodyear, periodmonth";
    const TTranslatedStatement statement = TranslateStatement(text);
    EXPECT_EQ(statement.Kind, TStatementKind::Select);
    EXPECT_EQ(statement.Tables, (QStringList{"mthinc1a", "mthexp1a"}));
    EXPECT_TRUE(statement.Sql.contains("from \"mthinc1a\"\n\ngroup by periodyear, periodmonth union"));
}

TEST(SqlTranslator, CreateTableKeepsParadoxTypesReadableWithTheRightAffinity) {
    const TTranslatedStatement create = TranslateStatement(
        "Create table TempCom1 ( PeriodYear smallint , PeriodMonth smallint , KeyField1 character(10), "
        "KeyField2 character(10) , col0 NUMERIC(10,2), Total1  NUMERIC(10,2), Paid MONEY, Count1 INTEGER, "
        "Notes BLOB(25,1), PRIMARY KEY(PeriodYear, PeriodMonth))");
    EXPECT_EQ(create.Kind, TStatementKind::CreateTable);
    EXPECT_EQ(create.Sql, "Create table \"TempCom1\" ( PeriodYear smallint , PeriodMonth smallint , KeyField1 "
                          "character(10), KeyField2 character(10) , col0 REAL NUMERIC(10,2), Total1  REAL NUMERIC(10,2), "
                          "Paid REAL MONEY, Count1 INT, Notes TEXT MEMO(25), PRIMARY KEY(PeriodYear, PeriodMonth))");
    ExpectRefused("Create table T (a character(10), b VARIANT)", "Unknown type VARIANT");
}

TEST(SqlTranslator, IndexNamesAreStoredPerTable) {
    const TTranslatedStatement index = TranslateStatement("Create Index ByCol0 On TempBnk1.DB(col0)");
    EXPECT_EQ(index.Kind, TStatementKind::CreateIndex);
    EXPECT_EQ(index.Sql, R"(Create Index "TempBnk1__ByCol0" On "TempBnk1"(col0))");
    EXPECT_EQ(Sql("CREATE UNIQUE INDEX ByKey On T (a DESC)"), R"(CREATE UNIQUE INDEX "T__ByKey" On "T" (a DESC))");
    EXPECT_EQ(IndexNameFromStorage("TempBnk1", "TempBnk1__ByCol0"), "ByCol0");
    EXPECT_EQ(IndexNameFromStorage("TempBnk1", "sqlite_autoindex_TempBnk1_1"), "sqlite_autoindex_TempBnk1_1");
}

TEST(SqlTranslator, DropTableNamesOneTable) {
    const TTranslatedStatement drop = TranslateStatement("Drop table TempCom1.DB;");
    EXPECT_EQ(drop.Kind, TStatementKind::DropTable);
    EXPECT_EQ(drop.Sql, R"(Drop table "TempCom1")");
    ExpectRefused("Drop table A B", "Unexpected text");
}

TEST(SqlTranslator, NamedParametersBecomePositional) {
    EXPECT_EQ(Sql("select * from T where a = :code and b = ? and c = :code"),
              R"(select * from "T" where a = ? and b = ? and c = ?)");
    // Time text in a string is no parameter.
    EXPECT_EQ(Sql(R"(select * from T where t = "10:30:00")"), R"(select * from "T" where t = '10:30:00')");
}

TEST(SqlTranslator, StatementsOutsideTheDialectAreRefusedClearly) {
    ExpectRefused("Query\nPbanks.db | BankCode |\n | Check |", "QBE statements are not supported");
    ExpectRefused("EXECUTE PROCEDURE Totals", "Stored procedures are not supported");
    ExpectRefused("PRAGMA writable_schema = 1", "Statement not supported");
    ExpectRefused("ATTACH DATABASE 'x' AS y", "Statement not supported");
    ExpectRefused("delete from T; drop table U", "Only one statement");
    ExpectRefused("select * from T -- where a = 1", "Comments are not accepted");
    ExpectRefused("select * from T where a = \"open", "Unterminated string");
    ExpectRefused("select * from [T]", "Unexpected character");
    ExpectRefused("select * from pragma_table_info(\"T\")", "Table functions are not accepted");
    ExpectRefused("   ", "Empty statement");
}
