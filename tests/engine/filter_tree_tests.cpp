#include "platform/engine/filter_format.h"
#include "platform/engine/filter_tree.h"
#include "tests/engine/engine_test_db.h"
#include <QtEndian>
#include <random>

using namespace FilterFormat;

namespace {

// Writes filter buffers the way the compiler does: post-order, from the last slot back.
struct TExpr {
    std::uint32_t Class = ncBinary, Op = 0;
    QByteArray Literal;          // a field's name or a constant's value
    std::uint16_t Type = 0;      // constants
    std::vector<TExpr> Children;
};

TExpr Field(const char* name) { return {ncField, opField, QByteArray(name) + '\0', 0, {}}; }
template <typename T>
TExpr Const(std::uint16_t type, T value)
{
    value = qToLittleEndian(value);
    return {ncConstant, opConstant, QByteArray(reinterpret_cast<const char*>(&value), sizeof value), type, {}};
}
TExpr Text(const char* text) { return {ncConstant, opConstant, QByteArray(text) + '\0', ctString, {}}; }
TExpr Op(std::uint32_t op, TExpr left, TExpr right) { return {ncBinary, op, {}, 0, {std::move(left), std::move(right)}}; }

quint16 Word(const QByteArray& buffer, int at) { return qFromLittleEndian<quint16>(buffer.constData() + at); }

int CountOf(const TExpr& e)
{
    int n = 1;
    for (const TExpr& child : e.Children) n += CountOf(child);
    return n;
}

QByteArray Buffer(const TExpr& root)
{
    const int count = CountOf(root);
    QByteArray nodes(count * kNodeSize, '\0'), pool;
    int next = count - 1, fields = 0;
    auto put16 = [](QByteArray& to, int at, int value) { qToLittleEndian<quint16>(quint16(value), to.data() + at); };
    std::function<int(const TExpr&)> write = [&](const TExpr& e) {
        std::vector<int> children;
        for (const TExpr& child : e.Children) children.push_back(write(child));
        const int slot = next--, at = slot * kNodeSize;
        qToLittleEndian<quint32>(e.Class, nodes.data() + at);
        qToLittleEndian<quint32>(e.Op, nodes.data() + at + 4);
        if (e.Class == ncBinary) {
            put16(nodes, at + 8, children[0] * kNodeSize);
            put16(nodes, at + 10, children[1] * kNodeSize);
        } else if (e.Class == ncField) {
            put16(nodes, at + 8, ++fields);
            put16(nodes, at + 10, int(pool.size()));
        } else {
            put16(nodes, at + 8, e.Type);
            put16(nodes, at + 10, int(e.Literal.size()));
            put16(nodes, at + 12, int(pool.size()));
        }
        pool += e.Literal;
        return slot;
    };
    write(root);
    QByteArray header(kHeaderSize, '\0');
    const int words[] = {kVersion, kHeaderSize + int(nodes.size() + pool.size()), count, kHeaderSize,
                         kHeaderSize + int(nodes.size())};
    for (int i = 0; i < 5; ++i) put16(header, i * 2, words[i]);
    return header + nodes + pool;
}

class FilterTreeTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        db->CreateTable(TransactionsDesc());
        db->StartTransaction();
        for (int i = 1; i <= 1000; ++i)
            AddTransaction(i % 2 ? "A" : "B", i, QDate(2024, 1, 1).addDays(i % 366), i % 7 == 0 ? 0.0 : i, i % 10);
        db->Commit();
    }

    // Debit > 500 AND BankAccountCode = "A": the odd serials from 501 on, but not those of a zero debit.
    static QByteArray OddAbove500()
    {
        return Buffer(Op(opAND, Op(opGT, Field("DebitAmount"), Const(ctFloat, 500.0)),
                         Op(opEQ, Field("BankAccountCode"), Text("A"))));
    }

    static std::vector<int> Serials(TEngineCursor& cursor)
    {
        std::vector<int> serials;
        for (cursor.First(); !cursor.Eof(); cursor.Next()) serials.push_back(cursor.Record()[1].toInt());
        return serials;
    }

    static std::vector<int> Expected(const std::function<bool(int)>& keep)
    {
        std::vector<int> serials;
        for (int i = 1; i <= 1000; ++i)
            if (keep(i)) serials.push_back(i);
        return serials;
    }

    TTableDesc Table() const { return db->DescribeTable(QStringLiteral("TrnBnk1a")); }
};

bool OddAbove500Row(int i) { return i % 2 == 1 && i > 500 && i % 7 != 0; }

} // namespace

TEST_F(FilterTreeTest, TheCursorShowsOnlyTheRowsTheExpressionAccepts)
{
    const auto cursor = db->OpenCursor(Spec("TrnBnk1a"));
    const int handle = cursor->AddFilter(OddAbove500());
    const std::vector<int> expected = Expected(OddAbove500Row);
    EXPECT_EQ(Serials(*cursor), expected);
    EXPECT_EQ(cursor->RecordCount(), int(expected.size()));

    // Backwards, by number, by bookmark and by key.
    cursor->Last();
    EXPECT_EQ(cursor->Record()[1].toInt(), expected.back());
    ASSERT_TRUE(cursor->Prior());
    EXPECT_EQ(cursor->Record()[1].toInt(), expected[expected.size() - 2]);
    EXPECT_EQ(cursor->RecNo(), int(expected.size()) - 1);
    const qint64 hidden = db->InsertRow("TrnBnk1a", {"B", "0000009999", QDate(2024, 1, 1), "001", 900.0, 0.0, false});
    EXPECT_FALSE(cursor->GotoRowId(hidden));
    EXPECT_TRUE(cursor->Seek({QStringLiteral("A"), QStringLiteral("0000000600")}, true));
    EXPECT_EQ(cursor->Record()[1].toInt(), 601);

    // With a record callback beside it both must accept.
    cursor->SetFilter([](const TRecordValues& row) { return row[1].toInt() % 3 == 0; });
    EXPECT_EQ(Serials(*cursor), Expected([](int i) { return OddAbove500Row(i) && i % 3 == 0; }));

    cursor->DropFilter(handle);
    cursor->SetFilter({});
    EXPECT_EQ(cursor->RecordCount(), 1001);
}

TEST_F(FilterTreeTest, ABufferThatDoesNotFitIsRefusedAndLeavesTheCursorAsItWas)
{
    const auto cursor = db->OpenCursor(Spec("TrnBnk1a"));
    const QByteArray good = OddAbove500();
    auto patched = [&](int at, quint16 value) {
        QByteArray bad = good;
        qToLittleEndian<quint16>(value, bad.data() + at);
        return bad;
    };
    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", QByteArray()},
        {"version", patched(0, 2)},
        {"size beyond the buffer", patched(2, quint16(good.size() + 1))},
        {"no nodes", patched(4, 0)},
        {"node start", patched(6, 12)},
        {"child loops to its parent", patched(kHeaderSize + 8, 0)},
        {"child shared", patched(kHeaderSize + 10, quint16(Word(good, kHeaderSize + 8)))},
        {"child beyond the nodes", patched(kHeaderSize + 8, 7 * kNodeSize)},
        {"unterminated name", good.left(good.size() - 1) + QByteArray(1, 'x')},
        {"unknown field", Buffer(Op(opEQ, Field("Nothing"), Const(ctFloat, 1.0)))},
        {"text against number", Buffer(Op(opEQ, Field("DebitAmount"), Text("1")))},
        {"AND of numbers", Buffer(Op(opAND, Field("DebitAmount"), Field("CreditAmount")))},
        {"arithmetic on text", Buffer(Op(opGT, Op(opADD, Field("BankItemCode"), Text("x")), Text("y")))},
        {"not a condition", Buffer(Field("DebitAmount"))},
        {"constant size", Buffer(TExpr{ncConstant, opConstant, QByteArray(4, '\0'), ctFloat, {}})},
        {"unknown operator", Buffer(Op(12, Field("External"), Field("External")))},
    };
    for (const auto& [what, buffer] : cases) {
        EXPECT_THROW(cursor->AddFilter(buffer), EDatabaseError) << what;
        EXPECT_EQ(cursor->RecordCount(), 1000) << what;
    }
}

// Any buffer at all is either refused or evaluated without harm.
TEST_F(FilterTreeTest, MutatedBuffersAreRefusedOrEvaluatedSafely)
{
    const TTableDesc table = Table();
    const std::vector<QByteArray> seeds = {
        OddAbove500(),
        Buffer(Op(opOR, Op(opLE, Op(opMUL, Field("DebitAmount"), Const(ctSmallint, qint16(2))), Field("CreditAmount")),
                  Op(opNE, Field("TransactionDate"), Const(ctDate, qint32(700000)))))};
    const auto rows = [&] {
        std::vector<TRecordValues> out;
        const auto cursor = db->OpenCursor(Spec("TrnBnk1a"));
        for (int i = 0; i < 20 && !cursor->Eof(); ++i, cursor->Next()) out.push_back(cursor->Record());
        out.push_back(TRecordValues(table.Columns.size()));   // all blank
        return out;
    }();
    std::mt19937 random(2024);
    int accepted = 0, refused = 0;
    for (int round = 0; round < 20000; ++round) {
        QByteArray buffer = seeds[round % seeds.size()];
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const int at = int(random() % buffer.size());
            switch (random() % 3) {
            case 0: buffer[at] = char(random()); break;
            case 1: buffer[at] = char(buffer[at] ^ (1 << (random() % 8))); break;
            default: buffer.truncate(at); break;
            }
            if (buffer.isEmpty()) break;
        }
        try {
            const TFilterTree tree(buffer, table);
            for (const TRecordValues& row : rows) tree.Accepts(row);
            ++accepted;
        } catch (const EDatabaseError&) {
            ++refused;
        }
    }
    EXPECT_GT(accepted, 0);
    EXPECT_GT(refused, 0);
}
