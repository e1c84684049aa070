// Random and mutated statements of the system's dialect through the engine:
// each runs or fails with the engine's error naming the statement; none
// crashes, hangs or trips the sanitizers.
#include "engine_test_db.h"
#include "tests/support/fuzz_text.h"

namespace {

TEST_F(EngineTest, AnyStatementTextRunsOrFailsWithTheEngineError) {
    db->CreateTable(TransactionsDesc());
    for (int serial = 1; serial <= 5; ++serial) AddTransaction("0000000001", serial, QDate(2024, 1, serial));
    FuzzText fuzz(1107);
    const QStringList seeds = {
        R"(Select Sum(DebitAmount) as Total, Count(*) from TrnBnk1a.DB where TransactionDate >= "01/02/2024" group by BankAccountCode)",
        R"(Update TrnBnk1a Set BankItemCode = "A""b" where BankTranSerialNum = "0000000002" And External = False)",
        R"(Delete from "TrnBnk1a.DB" where TransactionDate = "02/30/2024")",
        R"(Create table Tmp1 (Code character(3), Amount NUMERIC(10,2), PRIMARY KEY(Code)))",
        R"(Create Index ByItem On TrnBnk1a (BankItemCode))",
        R"(Select Distinct BankAccountCode from TrnBnk1a union Select "x" from TrnBnk1a order by 1)",
        R"(Drop table Tmp1)",
        R"(Insert into TrnBnk1a (BankAccountCode, BankTranSerialNum) values ("9", ?))",
    };
    const QString alphabet = QStringLiteral("\"'()*,.;=<>?:-/ 0123456789aBdFlnorstTuwx\u00e9");
    for (int n = 0; n < 3000; ++n) {
        const QString sql = fuzz.Next(seeds, alphabet, 60);
        const std::vector<QVariant> params(size_t(fuzz.Below(2)), QVariant(QStringLiteral("0000000099")));
        try {
            if (fuzz.Below(2) == 0) {
                auto rows = db->Query(sql, params);
                for (int k = 0; k < 3 && rows->Next(); ++k) rows->Value(0);
            } else {
                db->Execute(sql, params);
            }
        } catch (const EDatabaseError& error) {
            EXPECT_FALSE(error.Message.isEmpty()) << sql.toStdString();
        }
        if (db->InTransaction()) db->Rollback();
    }
}

}  // namespace
