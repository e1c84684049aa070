// A reader of many rows takes a result's texts and numbers without a QVariant
// per value: they must be Value's, row after row, for every kind of column,
// whether the rows are read straight from the statement or were read ahead.
#include "engine_test_db.h"

namespace {

TEST_F(EngineTest, TextsAndNumbersOfARowAreThoseOfItsValues) {
    db->CreateTable(TransactionsDesc());
    AddTransaction("0000000001", 1, QDate(2024, 1, 5), 100.25, 0);
    AddTransaction("0000000001", 2, QDate(2024, 1, 31), 0, 30);
    AddTransaction("Ünïcode", 3, QDate(2024, 2, 1), 10, 0);
    db->InsertRow("TrnBnk1a", {QStringLiteral("0000000002"), QStringLiteral("0000000004"), QVariant(), QVariant(),
                               QVariant(), 7.5, true});
    // Columns of the table, then expressions: a text, an integer that turns
    // out a float (read ahead to the end), a sum.
    for (const char* sql : {"Select BankAccountCode, TransactionDate, BankItemCode, DebitAmount, External, "
                            "\"xxx\" as Constant, CreditAmount from TrnBnk1a order by BankTranSerialNum",
                            "Select BankAccountCode, TransactionDate, BankItemCode, DebitAmount, External, "
                            "\"xxx\" as Constant, 0 as Money from TrnBnk1a where BankTranSerialNum = \"0000000001\" "
                            "union Select BankAccountCode, TransactionDate, BankItemCode, DebitAmount, External, "
                            "\"yyy\", CreditAmount from TrnBnk1a where BankTranSerialNum > \"0000000001\"",
                            "Select BankAccountCode, Max(TransactionDate), Min(BankItemCode), Sum(DebitAmount), "
                            "Count(*), Max(BankItemCode), Sum(CreditAmount) from TrnBnk1a group by BankAccountCode"}) {
        SCOPED_TRACE(sql);
        auto rows = db->Query(QString::fromUtf8(sql));
        int count = 0;
        while (rows->Next()) {
            ++count;
            for (int column = 0; column < rows->ColumnCount(); ++column) {
                SCOPED_TRACE(column);
                const QVariant value = rows->Value(column);
                EXPECT_EQ(QString::fromUtf8(rows->Utf8(column)), value.isNull() ? QString() : value.toString());
                if (rows->ColumnType(column) == TFieldType::ftFloat || rows->ColumnType(column) == TFieldType::ftBCD)
                    EXPECT_EQ(rows->Float(column), value.isNull() ? 0.0 : value.toDouble());
                if (rows->ColumnType(column) == TFieldType::ftInteger || rows->ColumnType(column) == TFieldType::ftSmallint)
                    EXPECT_EQ(rows->Integer(column), value.isNull() ? 0 : value.toLongLong());
            }
            // Asked before Value, on a row of its own.
            EXPECT_EQ(QString::fromUtf8(rows->Utf8(0)), rows->Value(0).toString());
        }
        EXPECT_GE(count, 3);
    }
}

}  // namespace
