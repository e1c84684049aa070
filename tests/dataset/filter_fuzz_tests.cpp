// Random and mutated filter texts through the compiler, the engine's reader
// and a real table: whatever the text, the outcome is a filter, a refusal or
// a conversion error, never a crash or a hang.
#include "dataset/filter_compiler.h"
#include "platform/engine/filter_tree.h"
#include "tests/dataset/filter_fixture.h"
#include <random>

namespace {

const char* const kPieces[] = {
    "Name", "Qty", "Count", "Amount", "Fee", "Rate", "Paid", "Day", "At", "Stamp", "Notes", "Code", "Missing",
    " = ", " <> ", " < ", " > ", " <= ", " >= ", "==", "=<", " AND ", " OR ", " and ", "ORDER", "(", ")", "((", "+", "-",
    "*", "/", " ", "\t", "\"", "\"Al*\"", "\"\"", "5", "-3", "10.5", "1e9", "99999999999", "T", "false",
    "\"03/15/2024\"", "\"12:30\"", "\"03/15/2024 08:30\"", "x'; DROP TABLE Ledger; --", "\xc3\xa9", "@", "#", "!",
};

const char* const kValid[] = {
    "Amount > 10.5 AND (Paid = T)",
    "Name = \"Alpha Co\" OR Qty < -2",
    "(Count)/(Qty)/(2) > (Amount)",
    "Day = \"03/15/2024\" AND At >= \"12:00\" OR Stamp > \"03/15/2024 08:30\"",
    "Rate = 1.125 AND Fee <= 2.25",
};

QString RandomText(std::mt19937& random)
{
    QString text;
    const int pieces = 1 + int(random() % 12);
    for (int i = 0; i < pieces; ++i) text += QString::fromUtf8(kPieces[random() % std::size(kPieces)]);
    return text;
}

QString Mutated(std::mt19937& random)
{
    QString text = QString::fromLatin1(kValid[random() % std::size(kValid)]);
    const int edits = 1 + int(random() % 3);
    for (int i = 0; i < edits && !text.isEmpty(); ++i) {
        const int at = int(random() % text.size());
        switch (random() % 4) {
        case 0: text.remove(at, 1 + int(random() % 4)); break;
        case 1: text.insert(at, QString::fromUtf8(kPieces[random() % std::size(kPieces)])); break;
        case 2: text[at] = QChar(char16_t(32 + random() % 95)); break;
        default: text.insert(at, QChar(char16_t(random() % 0x300))); break;
        }
    }
    return text;
}

} // namespace

TEST_F(FilterTest, RandomAndMutatedTextsCompileOrAreRefusedWithoutHarm)
{
    TwwTable& table = Ledger();
    table.Open();
    const TTableDesc desc = Engine().DescribeTable(QStringLiteral("Ledger"));
    std::vector<TRecordValues> rows;
    for (table.First(); !table.Eof(); table.Next()) {
        TRecordValues row;
        for (int i = 0; i < table.FieldCount(); ++i) row.push_back(table.Fields(i)->Value());
        rows.push_back(row);
    }

    std::mt19937 random(20261207);
    int compiled = 0, refused = 0, unconverted = 0, engineRefused = 0;
    for (int round = 0; round < 6000; ++round) {
        const QString text = round % 2 ? RandomText(random) : Mutated(random);
        try {
            const QByteArray buffer = CompileFilterExpression(text, table);
            if (buffer.isEmpty()) {
                ++refused;
                continue;
            }
            ++compiled;
            const TFilterTree tree(buffer, desc);
            for (const TRecordValues& row : rows) tree.Accepts(row);
        } catch (const EConvertError&) {
            ++unconverted;
        } catch (const EDatabaseError&) {
            ++engineRefused;
        }
        // Now and then the whole road: the table's filter lines on the open table.
        if (round % 50 == 0) {
            try {
                SetFilter(table, {text});
                const int count = table.RecordCount();
                EXPECT_GE(count, 0);
                EXPECT_LE(count, 6);
            } catch (const EConvertError&) {
            }
        }
    }
    EXPECT_GT(compiled, 500);
    EXPECT_GT(refused, 500);
    EXPECT_GT(unconverted, 50);
    EXPECT_GT(engineRefused, 50);
}
