// Emptying all transactions: three questions, then every transaction,
// generated-transaction, summary and chart table emptied at once, or none.
#include "data/adm3.h"
#include "tests/data/rules_fixture.h"
#include "tests/support/qt_print.h"
#include <map>

namespace {

const QStringList Emptied = {"TrnBnk1a", "MthBnk1a", "TrnTel1a", "MthTel1a", "TrnInc1a", "MthInc1a",
                             "TrnExp1a", "MthExp1a", "TrnLon1a", "TrnLon1b", "TrnRec1a", "TrnRec1b",
                             "TrnDbl1a", "TrnDbl1b", "TrnDbl1c", "TeeData1"};
const QStringList Questions = {"Warning 1/3, Empty all transactions, Are You Sure ?",
                               "Warning 2/3, Empty all transactions, Are You Sure ?",
                               "Final Warning, Empty all transactions, Are You Sure ?"};

bool IsEmptied(const QString& table) {
    return Emptied.contains(table, Qt::CaseInsensitive);
}

QVariant SampleValue(const TColumnDesc& column) {
    switch (column.Type) {
    case TFieldType::ftString:
    case TFieldType::ftMemo: return QStringLiteral("1");
    case TFieldType::ftDate: return QDate(2025, 6, 1);
    case TFieldType::ftBoolean: return false;
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord: return 1;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD: return 12.5;
    default: return {};
    }
}

class EmptyTransactions : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        adm3 = std::make_unique<TADm3>(nullptr);
        // Every table holds a row, and a period is closed with fresh summaries.
        for (const QString& table : Db().TableNames()) {
            if (Count(table) > 0)
                continue;
            const TTableDesc desc = Db().DescribeTable(table);
            TRecordValues row;
            for (const TColumnDesc& column : desc.Columns)
                row.push_back(SampleValue(column));
            Db().InsertRow(table, row);
        }
        Db().Execute("update PConfig1 set CloseDate = ?, DataUpdated = ?", {QDate(2025, 12, 31), false});
        adm1->TblConfig->Refresh();
        adm1->CurrentCloseDate = At(2025, 12, 31);
        before = Counts();
    }
    void TearDown() override {
        adm3.reset();
        RulesTest::TearDown();
    }

    std::map<QString, qint64> Counts() {
        std::map<QString, qint64> counts;
        for (const QString& table : Db().TableNames())
            counts[table] = Count(table);
        return counts;
    }
    QDate StoredCloseDate() { return Read("select CloseDate from PConfig1").toDate(); }
    void AnswerYes(int times) {
        for (int i = 0; i < times; ++i)
            presenter.Answer(mrYes);
    }
    void ExpectNothingChanged() {
        EXPECT_EQ(Counts(), before);
        EXPECT_EQ(StoredCloseDate(), QDate(2025, 12, 31));
        EXPECT_FALSE(DataUpdated());
    }

    std::unique_ptr<TADm3> adm3;
    std::map<QString, qint64> before;
};

TEST_F(EmptyTransactions, NoAtAnyOfTheThreeQuestionsLeavesEveryTable) {
    for (int yes = 0; yes < 3; ++yes) {
        AnswerYes(yes);
        presenter.Answer(mrNo);
        EXPECT_THROW(adm3->EmptyAllTransactions(), EAbort);
        EXPECT_EQ(Shown(), Questions.mid(0, yes + 1)) << yes;
        ExpectNothingChanged();
    }
}

TEST_F(EmptyTransactions, YesToAllEmptiesTheTransactionsAndKeepsTheRest) {
    const TTableDesc bankLayout = Db().DescribeTable("TrnBnk1a");
    AnswerYes(3);
    EXPECT_TRUE(adm3->EmptyAllTransactions());
    for (const TMessageRequest& box : presenter.shown) {
        EXPECT_EQ(box.Type, TMsgDlgType::mtWarning);
        EXPECT_EQ(box.Buttons, mbYesNo);
    }
    EXPECT_EQ(Shown(), Questions);

    for (const auto& [table, count] : Counts()) {
        if (IsEmptied(table))
            EXPECT_EQ(count, 0) << table.toStdString();
        else
            EXPECT_EQ(count, before.at(table)) << table.toStdString();
    }
    // The bills keep their paid amounts although no summary row is left.
    EXPECT_DOUBLE_EQ(Read("select PaidAmount from MthTel2a").toDouble(), 12.5);

    EXPECT_EQ(StoredCloseDate(), QDate(1900, 1, 1));
    EXPECT_TRUE(DataUpdated());
    EXPECT_EQ(adm1->TblConfig->FieldByName("CloseDate")->AsDateTime(), At(1900, 1, 1));
    // The close date in force stays until the program starts again.
    EXPECT_EQ(adm1->CurrentCloseDate, At(2025, 12, 31));

    // An emptied table keeps its layout and indexes and takes rows again.
    const TTableDesc after = Db().DescribeTable("TrnBnk1a");
    ASSERT_EQ(after.Columns.size(), bankLayout.Columns.size());
    ASSERT_EQ(after.Indexes.size(), bankLayout.Indexes.size());
    for (size_t i = 0; i < after.Indexes.size(); ++i)
        EXPECT_EQ(after.Indexes[i].Fields, bankLayout.Indexes[i].Fields);
    Put("TrnBnk1a", {{"BankAccountCode", "0000000001"}, {"BankTranSerialNum", "0000000001"}});
    EXPECT_EQ(Count("TrnBnk1a"), 1);
}

TEST_F(EmptyTransactions, AFailureHalfWayLeavesEveryTableAsItWas) {
    // A table late in the sequence is missing, so its delete fails after
    // thirteen tables have been emptied.
    Db().Execute("drop table TrnDbl1c");
    before = Counts();
    AnswerYes(3);
    EXPECT_THROW(adm3->EmptyAllTransactions(), EDatabaseError);
    ExpectNothingChanged();
    EXPECT_FALSE(Db().InTransaction());
    EXPECT_FALSE(adm3->Qt1->Active());
}

}  // namespace
