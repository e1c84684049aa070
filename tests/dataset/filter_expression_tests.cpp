#include "dataset/filter_compiler.h"
#include "dataset/filter_install.h"
#include "platform/engine/filter_format.h"
#include "tests/dataset/filter_fixture.h"
#include <QtEndian>

namespace {

quint32 Word32(const QByteArray& buffer, int at) { return qFromLittleEndian<quint32>(buffer.constData() + at); }
quint16 Word16(const QByteArray& buffer, int at) { return qFromLittleEndian<quint16>(buffer.constData() + at); }

} // namespace

TEST_F(FilterTest, FilterLinesJoinIntoOneExpressionThatFiltersTheOpenTable)
{
    const QStringList lines = {QStringLiteral("Amount > 1 \t "), QString(), QStringLiteral("\t"),
                               QStringLiteral("Paid = T\t"), QStringLiteral("  Qty < 10")};
    EXPECT_EQ(JoinFilterLines(Lines(lines)), QStringLiteral("Amount > 1 AND (Paid = T) AND (  Qty < 10)"));

    TwwTable& table = Ledger();
    SetFilter(table, lines);   // closed: waits for the open
    table.Open();
    EXPECT_EQ(Codes(table), QStringLiteral("ACF"));
    EXPECT_FALSE(table.IsSequenced());

    SetFilter(table, {QStringLiteral("Count = 7")});   // open: at once
    EXPECT_EQ(Codes(table), QStringLiteral("BE"));
    EXPECT_EQ(table.RecordCount(), 2);

    table.SetIndexFieldNames(QStringLiteral("Amount"));   // a new cursor keeps the filter
    EXPECT_EQ(Codes(table), QStringLiteral("BE"));

    SetFilter(table, {QString(), QStringLiteral(" ")});
    EXPECT_EQ(table.RecordCount(), 6);
    EXPECT_TRUE(table.IsSequenced());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(FilterTest, EveryOperatorAndConstantTypeSelectsItsRows)
{
    TwwTable& table = Ledger();
    table.Open();
    const std::pair<const char*, const char*> cases[] = {
        // texts: with case, a blank name is the empty text, a trailing * matches the beginning
        {R"(Name = "Alpha Co")", "A"},
        {R"(Name <> "Alpha Co")", "BCDEF"},
        {R"(Name = "")", "D"},
        {R"(Name <> "")", "ABCEF"},
        {R"(Name = "Al*")", "A"},
        {R"(Name <> "Al*")", "BCDEF"},
        {R"(Name > "B")", "BCEF"},
        {R"(Name >= "Beta")", "BCEF"},
        {R"(Name < "Beta")", "AD"},
        {R"(Name <= "Beta")", "ABD"},
        {"Name = Beta", "B"},   // an unquoted constant
        // numbers of each kind; a blank number equals nothing and differs from everything
        {"Qty = 5", "AF"},
        {"Qty <> 5", "BCDE"},
        {"Qty < -2", "B"},
        {"Qty < 70000", "ABCEF"},   // beyond 16 bits still compares
        {"Count >= 250", "CF"},
        {"Count > 3000000000", ""},
        {"Amount > 10.5", "CEF"},
        {"Amount >= 10.5", "ACEF"},
        {"Fee <= 2.25", "ACEF"},
        {"Rate = 1.125", "AC"},
        {"Rate > 2.5", "F"},
        // logicals: T or t is true, anything else false
        {"Paid = T", "ACF"},
        {"Paid = true", "ACF"},
        {"Paid = False", "BE"},
        {R"(Paid = "Yes")", "BE"},
        // dates, times and time stamps, read in the short date order
        {R"(Day = "03/15/2024")", "AE"},
        {R"(Day < "01/01/2024")", "B"},
        {R"(At >= "12:00")", "BCF"},
        {R"(At < "09:00")", "E"},
        {R"(Stamp > "03/15/2024 08:30")", "BCF"},
        {R"(Stamp = "03/15/2024")", "E"},
        // AND and OR alike, from the left; parentheses group
        {"Qty = 5 OR Count = 7", "ABEF"},
        {"Amount > 1 AND Paid = T OR Qty = 0", "ACF"},
        {"Qty = 0 OR Amount > 1 AND Paid = T", "ACF"},
        {"Qty = 12 OR Amount > 50 AND Paid = T", "CF"},
        {"Qty = 12 OR (Amount > 50 AND Paid = T)", "CEF"},
        {"qty = 5 and count = 100", "A"},
        // arithmetic; * and / group to the right: 100 / (5 / 2) = 40 > 10.5
        {"(Count)/(Qty)/(2) > (Amount)", "A"},
        {"(Amount)*(2) > (Count)", "EF"},
        {"(Amount)+(100) < (Count)", "C"},
        {"(Count)-(100) < (Qty)", "ABE"},
        // a logical field alone is a condition
        {"Paid", "ACF"},
        {"(Paid) AND (Qty = 5)", "AF"},
    };
    for (const auto& [text, codes] : cases) {
        SetFilter(table, {QString::fromUtf8(text)});
        EXPECT_EQ(Codes(table), QString::fromLatin1(codes)) << text;
        EXPECT_EQ(table.RecordCount(), int(strlen(codes))) << text;
    }
    EXPECT_TRUE(presenter.shown.empty()) << presenter.LastText().toStdString();
}

TEST_F(FilterTest, ConstantsFollowTheRegionalSettings)
{
    const ScopedFormatSettings dayMonthYear(ScopedFormatSettings::DayMonthYear(QLatin1Char('.'), QLatin1Char(',')));
    TwwTable& table = Ledger();
    table.Open();
    SetFilter(table, {QStringLiteral("Day = \"15.03.2024\" AND Amount > 10,25")});
    EXPECT_EQ(Codes(table), QStringLiteral("AE"));
}

TEST_F(FilterTest, QuotesAndSqlInAFilterSelectRowsAndNeverReachTheDatabase)
{
    TwwTable& table = Ledger();
    table.Open();
    SetFilter(table, {QStringLiteral("Name = \"x'; DROP TABLE Ledger; --\"")});
    EXPECT_EQ(Codes(table), QStringLiteral("E"));
    // A text runs to the next double quote: "Say " then the rest is ignored.
    SetFilter(table, {QStringLiteral("Name = \"Say \"hi\" and OR")});
    EXPECT_EQ(Codes(table), QString());
    SetFilter(table, {QStringLiteral("Name = \"Say*\" OR Code = \"' OR 1=1 --\"")});
    EXPECT_EQ(Codes(table), QStringLiteral("F"));
    // A name stops at a double quote; what follows the expression is ignored.
    SetFilter(table, {QStringLiteral("Name = Beta\" OR \"1\"=\"1")});
    EXPECT_EQ(Codes(table), QStringLiteral("B"));

    SetFilter(table, {QStringLiteral("Name = \"x'; DROP TABLE Ledger; --\"")});
    table.Close();
    const auto rows = Engine().Query(QStringLiteral("SELECT count(*) FROM Ledger"));
    ASSERT_TRUE(rows->Next());
    EXPECT_EQ(rows->Value(0).toInt(), 6);
    table.Open();
    EXPECT_EQ(Codes(table), QStringLiteral("E"));
}

TEST_F(FilterTest, AMissingFieldWarnsAndKeepsTheFilterThatWasInstalled)
{
    TwwTable& table = Ledger();
    table.Open();
    SetFilter(table, {QStringLiteral("Qty = 5")});
    SetFilter(table, {QStringLiteral("Qty = 5"), QStringLiteral("Nothing = 1")});
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("Field not found in Table. \nNothing"));
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(presenter.shown[1].Text, QStringLiteral("Fail to set filter"));
    EXPECT_EQ(presenter.shown[1].Buttons, TMsgDlgButtons(mbOK));
    EXPECT_EQ(Codes(table), QStringLiteral("AF"));

    // A constant on the left is taken for a field name.
    presenter.shown.clear();
    EXPECT_TRUE(CompileFilterExpression(QStringLiteral("1 = Amount"), table).isEmpty());
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("Field not found in Table. \n1"));

    // A field the engine cannot find (a name that is a constant) fails at install.
    presenter.shown.clear();
    SetFilter(table, {QStringLiteral("(Amount)*(2) > (Limit)")});
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Fail to set filter"));
    EXPECT_EQ(Codes(table), QStringLiteral("AF"));
}

TEST_F(FilterTest, ASyntaxErrorIsLeftToTheCallerToReport)
{
    TwwTable& table = Ledger();
    table.Open();
    for (const char* text : {"Amount >", "Name = \"open", "(Qty = 5", "Qty == 5", "= 5", "Qty = 5 AND",
                             "Qty = 5 AND (Count = )"}) {
        EXPECT_TRUE(CompileFilterExpression(QString::fromLatin1(text), table).isEmpty()) << text;
    }
    EXPECT_TRUE(presenter.shown.empty()) << "the compiler itself says nothing";

    SetFilter(table, {QStringLiteral("Qty = 5"), QStringLiteral("Amount >")});
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Fail to set filter"));
    EXPECT_EQ(table.RecordCount(), 6) << "nothing was installed before";

    // Opening with a bad text says so too, and shows every row.
    table.Close();
    table.Open();
    EXPECT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(table.RecordCount(), 6);
}

TEST_F(FilterTest, AConstantThatDoesNotConvertRaisesTheConversionError)
{
    TwwTable& table = Ledger();
    table.Open();
    SetFilter(table, {QStringLiteral("Paid = T")});
    for (const char* text : {"Amount > abc", "Count = 1.5", "Qty = \"5\"", "Day = \"02/30/2024\"", "At = \"25:00\"",
                             "Stamp > \"03/15/2024 8\"", "Rate = x"}) {
        EXPECT_THROW(SetFilter(table, {QString::fromLatin1(text)}), EConvertError) << text;
        EXPECT_EQ(Codes(table), QStringLiteral("ACF")) << text;
    }
    try {
        SetFilter(table, {QStringLiteral("Amount > abc")});
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message, QStringLiteral("'abc' is not a valid floating point value"));
    }
}

TEST_F(FilterTest, TheBufferHoldsTheTreeInTheEnginesLayout)
{
    TwwTable& table = Ledger();
    table.Open();
    const QByteArray one = CompileFilterExpression(QStringLiteral("Amount > 100"), table);
    ASSERT_EQ(one.size(), 10 + 3 * 14 + 7 + 8);
    EXPECT_EQ(Word16(one, 0), 1);
    EXPECT_EQ(Word16(one, 2), one.size());
    EXPECT_EQ(Word16(one, 4), 3);
    EXPECT_EQ(Word16(one, 6), 10);
    EXPECT_EQ(Word16(one, 8), 10 + 3 * 14);
    // Written in post-order from the last slot back: the field in slot 2, the
    // constant in slot 1, the comparison over them in slot 0.
    EXPECT_EQ(Word32(one, 10), FilterFormat::ncBinary);
    EXPECT_EQ(Word32(one, 14), FilterFormat::opGT);
    EXPECT_EQ(Word16(one, 18), 28);
    EXPECT_EQ(Word16(one, 20), 14);
    EXPECT_EQ(Word32(one, 24), FilterFormat::ncConstant);
    EXPECT_EQ(Word16(one, 32), FilterFormat::ctFloat);
    EXPECT_EQ(Word16(one, 34), 8);
    EXPECT_EQ(qFromLittleEndian<double>(one.constData() + 52 + Word16(one, 36)), 100.0);
    EXPECT_EQ(Word32(one, 38), FilterFormat::ncField);
    EXPECT_EQ(Word16(one, 46), 1) << "field number";
    EXPECT_EQ(one.mid(52 + Word16(one, 48), 7), QByteArray("Amount\0", 7));

    const QByteArray two = CompileFilterExpression(QStringLiteral("Qty = 1 AND Count = 2"), table);
    EXPECT_EQ(Word16(two, 4), 7);
    EXPECT_EQ(Word32(two, 14), FilterFormat::opAND);
    std::vector<int> fieldNumbers;
    for (int slot = 0; slot < 7; ++slot)
        if (Word32(two, 10 + slot * 14) == FilterFormat::ncField) fieldNumbers.push_back(Word16(two, 18 + slot * 14));
    EXPECT_EQ(fieldNumbers, (std::vector<int>{2, 1})) << "numbered in writing order, the root last";

    // An unquoted constant runs on through blanks: the constant is "x AND Qty".
    const QByteArray runOn = CompileFilterExpression(QStringLiteral("Name = x AND Qty = 2"), table);
    EXPECT_EQ(Word16(runOn, 4), 3);
    EXPECT_TRUE(runOn.contains(QByteArray("x AND Qty\0", 10)));

    // Logicals: -1 for T or t.
    const QByteArray paid = CompileFilterExpression(QStringLiteral("Paid = t"), table);
    EXPECT_EQ(qFromLittleEndian<qint16>(paid.constData() + paid.size() - 2), -1);
}

TEST_F(FilterTest, LiteralsBeyondTheBufferAreRefused)
{
    TwwTable& table = Ledger();
    table.Open();
    const QString longText = QString(256, QLatin1Char('a'));
    EXPECT_TRUE(CompileFilterExpression(QStringLiteral("Name = \"%1\"").arg(longText), table).isEmpty());
    EXPECT_FALSE(CompileFilterExpression(QStringLiteral("Name = \"%1\"").arg(longText.left(255)), table).isEmpty());
    QStringList many;
    for (int i = 0; i < 60; ++i) many.append(QStringLiteral("Name = \"%1\"").arg(i, 12, 10, QLatin1Char('0')));
    EXPECT_TRUE(CompileFilterExpression(many.join(QStringLiteral(" OR ")), table).isEmpty()) << "the pool is full";
    EXPECT_TRUE(CompileFilterExpression(QString(5000, QLatin1Char('(')) + QStringLiteral("Qty = 5"), table).isEmpty());
}

TEST_F(FilterTest, ATableOpenedOnQueryTextFiltersItsAnswerToo)
{
    TwwTable& table = Ledger();
    TStringList query = Lines({QStringLiteral("SELECT Code, Name, Amount FROM Ledger ORDER BY Code")});
    table.SetQuery(&query);
    SetFilter(table, {QStringLiteral("Amount >= 10.5"), QStringLiteral("Name <> \"Say*\"")});
    table.Open();
    EXPECT_EQ(Codes(table), QStringLiteral("ACE"));
    SetFilter(table, {});
    EXPECT_EQ(table.RecordCount(), 6);
}
