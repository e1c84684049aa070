// Every statement form the system writes, run against a real database.
#include "engine_test_db.h"

namespace {

class StatementTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        db->CreateTable(TransactionsDesc());
        AddTransaction("0000000001", 1, QDate(2024, 1, 5), 100, 0);
        AddTransaction("0000000001", 2, QDate(2024, 1, 31), 0, 30);
        AddTransaction("0000000002", 1, QDate(2024, 2, 1), 10, 0);
    }

    int RowCount(const QString& table) { return Scalar("select Count(*) from " + table).toInt(); }
};

TEST_F(StatementTest, MaxOfACodeWithAndWithoutParentClause) {
    EXPECT_EQ(Scalar("Select Max(BANKTRANSERIALNUM) as sq_Maxno from TRNBNK1A\nwhere BANKACCOUNTCODE = \"0000000001\""),
              QVariant("0000000002"));
    auto rows = db->Query("Select Max(BANKTRANSERIALNUM) as sq_Maxno from TRNBNK1A where BANKACCOUNTCODE = \"0000000009\"");
    ASSERT_EQ(rows->ColumnName(0), "sq_Maxno");
    ASSERT_TRUE(rows->Next()) << "an aggregate over no rows gives one row";
    EXPECT_TRUE(rows->Value(0).isNull());
    EXPECT_EQ(rows->ColumnType(0), TFieldType::ftString);
    EXPECT_FALSE(rows->Next());
}

TEST_F(StatementTest, CountSumMinAndDateFilters) {
    EXPECT_EQ(Scalar("Select Count(*) from TrnBnk1a.DB\nWhere BankAccountCode = \"0000000001\"\nAnd BankItemCode = \"001\""),
              QVariant(2));
    EXPECT_DOUBLE_EQ(Scalar("Select Sum(DebitAmount) from TrnBnk1a where TransactionDate > \"1/5/2024\"").toDouble(), 10.0);
    EXPECT_EQ(Scalar("select Count(*) from TrnBnk1a where TransactionDate > \"01/05/2024\"  and TransactionDate <= \"01/31/2024\"")
                  .toInt(), 1);
    auto minimum = db->Query("select Min(TransactionDate) as First1 from TrnBnk1a");
    ASSERT_TRUE(minimum->Next());
    EXPECT_EQ(minimum->ColumnType(0), TFieldType::ftDate) << "ISO date text reads as a date";
    EXPECT_EQ(minimum->Value(0), QVariant(QDate(2024, 1, 5)));
    auto sums = db->Query("Select Sum(DebitAmount), Sum(CreditAmount) from TrnBnk1a where BankItemCode = \"999\"");
    ASSERT_TRUE(sums->Next());
    EXPECT_TRUE(sums->Value(0).isNull());
    EXPECT_TRUE(sums->Value(1).isNull());
}

TEST_F(StatementTest, DistinctGroupByOrderByAndColumnsOfTheTable) {
    auto rows = db->Query("Select Distinct BankAccountCode \nfrom TrnBnk1a\n\norder by BankAccountCode");
    QStringList codes;
    while (rows->Next()) codes.append(rows->Value(0).toString());
    EXPECT_EQ(codes, (QStringList{"0000000001", "0000000002"}));
    auto all = db->Query("Select * from TrnBnk1a where BankAccountCode = ?", {QString("0000000002")});
    ASSERT_EQ(all->ColumnCount(), 7);
    EXPECT_EQ(all->ColumnType(2), TFieldType::ftDate);
    EXPECT_EQ(all->ColumnSize(0), 10);
    EXPECT_EQ(all->ColumnType(6), TFieldType::ftBoolean);
    ASSERT_TRUE(all->Next());
    EXPECT_EQ(all->Value(2), QVariant(QDate(2024, 2, 1)));
    EXPECT_EQ(all->Value(6), QVariant(false));
}

TEST_F(StatementTest, UnionOfGroupsWithConstantColumns) {
    db->Execute("Create table MthInc1a (PeriodYear smallint, PeriodMonth smallint, TotalAmount NUMERIC(10,2))");
    db->Execute("Create table MthExp1a (PeriodYear smallint, PeriodMonth smallint, TotalAmount NUMERIC(10,2))");
    db->Execute("insert into MthInc1a values (2024, 1, 12.5)");
    db->Execute("insert into MthInc1a values (2024, 1, 7.5)");
    db->Execute("insert into MthExp1a values (2024, 2, 3)");
    auto rows = db->Query(
        "select periodyear, periodmonth,\nsum(totalamount) as income, 0 as expense\nfrom mthinc1a\n\n"
        "group by periodyear, periodmonth union\nselect periodyear, periodmonth,\n0 as income, sum(totalamount) as expense\n"
        "from mthexp1a\n\ngroup by periodyear, periodmonth\norder by periodyear, periodmonth");
    ASSERT_EQ(rows->ColumnName(2), "income");
    EXPECT_EQ(rows->ColumnType(0), TFieldType::ftSmallint);
    ASSERT_TRUE(rows->Next());
    EXPECT_EQ(rows->Value(1), QVariant(1));
    EXPECT_DOUBLE_EQ(rows->Value(2).toDouble(), 20.0);
    ASSERT_TRUE(rows->Next());
    EXPECT_DOUBLE_EQ(rows->Value(3).toDouble(), 3.0) << "a whole sum of a NUMERIC column still reads as a float";
    EXPECT_FALSE(rows->Next());
}

TEST_F(StatementTest, UpdateAndDeleteWithLogicalsAndDates) {
    EXPECT_EQ(db->Execute("Update TrnBnk1a Set External = True, DebitAmount = 12.25 where TransactionDate <= \"1/31/2024\""), 2);
    EXPECT_EQ(Scalar("select Count(*) from TrnBnk1a where External = True").toInt(), 2);
    EXPECT_EQ(db->Execute("Delete from TrnBnk1a where  TransactionDate > \"01/05/2024\"  and External = True"), 1);
    EXPECT_EQ(RowCount("TrnBnk1a"), 2);
}

TEST_F(StatementTest, ReportTablesAreDroppedCreatedAndIndexedPerTable) {
    for (const QString table : {"TempBnk1", "TempTel1"}) {
        db->Execute("Create table " + table + "\n(\nKeyField1 character(10), KeyField2 character(10)\n"
                    ",KeyField1Desc character(50), KeyField2Desc character(50)\n, col0 NUMERIC(10,2)\n"
                    ", Total1  NUMERIC(10,2)\n, PRIMARY KEY(KeyField1, KeyField2)\n)");
        db->Execute("Create Index ByCol0 On " + table + "(col0)");
        db->Execute("Create Index ByKeyField1 On " + table + "(KeyField1)");
    }
    const TTableDesc desc = db->DescribeTable("tempbnk1.db");
    EXPECT_EQ(desc.Name, "TempBnk1");
    ASSERT_EQ(desc.Indexes.size(), 3u);
    EXPECT_TRUE(desc.Indexes[0].Primary);
    EXPECT_EQ(desc.Indexes[0].Fields, (QStringList{"KeyField1", "KeyField2"}));
    EXPECT_EQ(desc.Indexes[1].Name, "ByCol0");
    EXPECT_EQ(desc.Indexes[2].Name, "ByKeyField1");
    EXPECT_EQ(desc.Columns[0].Type, TFieldType::ftString);
    EXPECT_EQ(desc.Columns[0].Size, 10);
    EXPECT_EQ(desc.Columns[4].Type, TFieldType::ftBCD);
    ASSERT_NE(db->DescribeTable("TempTel1").FindIndex("bycol0"), nullptr);

    db->Execute("Drop table TempBnk1");
    EXPECT_FALSE(db->TableExists("TempBnk1"));
    EXPECT_TRUE(db->TableExists("TEMPTEL1.DB"));
    db->Execute("Create table TempBnk1 (KeyField1 character(10), PRIMARY KEY(KeyField1))");
    EXPECT_NO_THROW(db->Execute("Create Index ByCol0 On TempBnk1(KeyField1)")) << "the old index went with its table";
}

TEST_F(StatementTest, DroppingAMissingTableFailsAndChangesNothing) {
    const quint64 before = db->ChangeCount();
    try {
        db->Execute("Drop table TempCom1");
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message.contains("TempCom1")) << error.Message.toStdString();
    }
    EXPECT_EQ(db->ChangeCount(), before);
    EXPECT_EQ(db->TableNames(), QStringList{"TrnBnk1a"});
}

TEST_F(StatementTest, BadStatementsGiveAClearErrorAndChangeNothing) {
    auto expectError = [&](const QString& sql, const QString& part) {
        try {
            db->Execute(sql);
            ADD_FAILURE() << "accepted: " << sql.toStdString();
        } catch (const EDatabaseError& error) {
            EXPECT_TRUE(error.Message.contains(part)) << error.Message.toStdString();
        }
        EXPECT_EQ(RowCount("TrnBnk1a"), 3);
    };
    expectError("Delete from TrnBnk1a where NoSuchField = 1", "Field NoSuchField not found");
    expectError("Delete from Missing1", "Table Missing1 does not exist");
    expectError("Delete from TrnBnk1a where", "Delete from TrnBnk1a where");
    expectError("Delete from TrnBnk1a; Delete from TrnBnk1a", "Only one statement");
    expectError("Delete from engine_table_marks", "does not exist");
    expectError("Delete from TrnBnk1a where BankItemCode = ?", "takes 1 parameters, 0 were given");
}

TEST_F(StatementTest, ParametersCarryUserTextAsValues) {
    const QString hostile = "x\" or \"1\" = \"1";
    EXPECT_EQ(db->Execute("Delete from TrnBnk1a where BankAccountCode = ?", {hostile}), 0);
    EXPECT_EQ(db->Execute("Delete from TrnBnk1a where BankAccountCode = " + QuoteSqlString(hostile)), 0);
    EXPECT_EQ(RowCount("TrnBnk1a"), 3);
    EXPECT_EQ(QuoteSqlString("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(Scalar("select Count(*) from TrnBnk1a where TransactionDate = :day", {QDate(2024, 1, 31)}).toInt(), 1);
}

TEST_F(StatementTest, QueryNeedsASelect) {
    EXPECT_THROW(db->Query("Delete from TrnBnk1a"), EDatabaseError);
    EXPECT_EQ(RowCount("TrnBnk1a"), 3);
}

}  // namespace
