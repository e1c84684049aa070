#include "bench/support/accounts_data.h"
#include "bench/support/cache.h"
#include "data/accounts_directory.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "platform/db/database.h"
#include "platform/db/session.h"
#include <QDir>
#include "platform/engine/nocase_collation.h"
#include <QDate>
#include <QFile>
#include <random>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

QString BenchCode(int number, int width) { return QString::number(number).rightJustified(width, QLatin1Char('0')); }

namespace {

class TWriter {
public:
    explicit TWriter(const QString& path) {
        if (sqlite3_open(QFile::encodeName(path).constData(), &db_) != SQLITE_OK) Fail();
        // The engine's case-insensitive indexes are kept in its own collation.
        RegisterNoCaseCollation(db_);
        Exec("BEGIN");
    }
    ~TWriter() {
        for (sqlite3_stmt* statement : statements_) sqlite3_finalize(statement);
        sqlite3_close(db_);
    }
    // The rows go from the journal into the file itself, as they would over
    // months of use, so that readers do not search a huge journal.
    void Commit() { Exec("COMMIT; ANALYZE; PRAGMA wal_checkpoint(TRUNCATE)"); }

    // Inserts one row; values are text, double or null (an empty QVariant).
    void Insert(const char* sql, const std::vector<QVariant>& values) {
        sqlite3_stmt* statement = Prepared(sql);
        for (int i = 0; i < int(values.size()); ++i) {
            const QVariant& value = values[size_t(i)];
            if (value.isNull()) {
                sqlite3_bind_null(statement, i + 1);
            } else if (value.typeId() == QMetaType::Double) {
                sqlite3_bind_double(statement, i + 1, value.toDouble());
            } else if (value.typeId() == QMetaType::Int) {
                sqlite3_bind_int(statement, i + 1, value.toInt());
            } else {
                const QByteArray bytes = value.toString().toUtf8();
                sqlite3_bind_text(statement, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            }
        }
        if (sqlite3_step(statement) != SQLITE_DONE) Fail();
        sqlite3_reset(statement);
    }

private:
    sqlite3_stmt* Prepared(const char* sql) {
        for (size_t i = 0; i < sqls_.size(); ++i)
            if (sqls_[i] == sql) return statements_[i];
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) Fail();
        sqls_.push_back(sql);
        statements_.push_back(statement);
        return statement;
    }
    void Exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail();
    }
    [[noreturn]] void Fail() { throw std::runtime_error(sqlite3_errmsg(db_)); }

    sqlite3* db_ = nullptr;
    std::vector<const char*> sqls_;
    std::vector<sqlite3_stmt*> statements_;
};

}  // namespace

void FillAccountsData(const QString& path, const TAccountsShape& shape) {
    TWriter out(path);
    for (int a = 1; a <= shape.BankAccounts; ++a)
        out.Insert("INSERT INTO BankAcnt (BankAccountCode, AccountName, BankCode, CardCode) VALUES (?, ?, ?, ?)",
                   {BenchCode(a, 10), QStringLiteral("Account %1").arg(a), BenchCode(a, 10), BenchCode(1, 10)});
    for (int i = 1; i <= shape.BankItems; ++i)
        out.Insert("INSERT INTO BankItm (BankItemCode, BankItemDesc) VALUES (?, ?)",
                   {BenchCode(i, 3), QStringLiteral("Item %1").arg(i)});
    for (int t = 1; t <= shape.TelAccounts; ++t)
        out.Insert("INSERT INTO PTelcom (TelcomCode, TelcomDesc) VALUES (?, ?)",
                   {BenchCode(t, 3), QStringLiteral("Line %1").arg(t)});
    for (int i = 1; i <= shape.TelItems; ++i)
        out.Insert("INSERT INTO PTelItm (TelItemCode, TelItemDesc) VALUES (?, ?)",
                   {BenchCode(i, 3), QStringLiteral("Call %1").arg(i)});
    for (int i = 1; i <= shape.IncomeCodes; ++i)
        out.Insert("INSERT INTO PIncome (IncomeCode, IncomeDescription) VALUES (?, ?)",
                   {BenchCode(i, 5), QStringLiteral("Income %1").arg(i)});
    for (int i = 1; i <= shape.ExpenseCodes; ++i)
        out.Insert("INSERT INTO PExpense (ExpenseCode, ExpenseDescription) VALUES (?, ?)",
                   {BenchCode(i, 5), QStringLiteral("Expense %1").arg(i)});

    std::mt19937 random(20260131);
    std::uniform_int_distribution<int> cents(100, 500000);
    const QDate start(shape.FirstYear, 1, 1);
    const qint64 days = start.daysTo(start.addYears(shape.Years));
    auto dateOf = [&](qint64 i, qint64 count) { return start.addDays(i * days / count).toString(Qt::ISODate); };
    auto amount = [&] { return cents(random) / 100.0; };

    std::vector<int> bankSerials(size_t(shape.BankAccounts) + 1, 0);
    for (int i = 0; i < shape.BankTransactions; ++i) {
        const int account = int(random() % unsigned(shape.BankAccounts)) + 1;
        const bool debit = random() % 3 != 0;
        const double value = amount();
        out.Insert("INSERT INTO TrnBnk1a (BankAccountCode, BankTranSerialNum, TransactionDate, BankItemCode, "
                   "DebitAmount, CreditAmount, External) VALUES (?, ?, ?, ?, ?, ?, 0)",
                   {BenchCode(account, 10), BenchCode(++bankSerials[size_t(account)], 10),
                    dateOf(i, shape.BankTransactions), BenchCode(int(random() % unsigned(shape.BankItems)) + 1, 3),
                    debit ? value : 0.0, debit ? 0.0 : value});
    }
    std::vector<int> telSerials(size_t(shape.TelAccounts) + 1, 0);
    for (int i = 0; i < shape.OtherTransactions; ++i) {
        const int line = int(random() % unsigned(shape.TelAccounts)) + 1;
        out.Insert("INSERT INTO TrnTel1a (TelcomCode, TelComSerialNum, TransactionDate, TelItemCode, Amount, External) "
                   "VALUES (?, ?, ?, ?, ?, 0)",
                   {BenchCode(line, 3), BenchCode(++telSerials[size_t(line)], 10), dateOf(i, shape.OtherTransactions),
                    BenchCode(int(random() % unsigned(shape.TelItems)) + 1, 3), amount()});
        out.Insert("INSERT INTO TrnInc1a (IncomeCode, IncomeTranSerialNum, TransactionDate, IncomeAmount, External) "
                   "VALUES (?, ?, ?, ?, 0)",
                   {BenchCode(int(random() % unsigned(shape.IncomeCodes)) + 1, 5), BenchCode(i + 1, 10),
                    dateOf(i, shape.OtherTransactions), amount()});
        out.Insert("INSERT INTO TrnExp1a (ExpenseCode, ExpenseTranSerialNum, TransactionDate, ExpenseAmount, External) "
                   "VALUES (?, ?, ?, ?, 0)",
                   {BenchCode(int(random() % unsigned(shape.ExpenseCodes)) + 1, 5), BenchCode(i + 1, 10),
                    dateOf(i, shape.OtherTransactions), amount()});
    }
    for (int b = 1; b <= shape.Banks; ++b)
        out.Insert("INSERT INTO Pbanks (BankDesc, BankCode) VALUES (?, ?)", {QStringLiteral("Bank %1").arg(b), BenchCode(b, 10)});
    for (int c = 1; c <= shape.Currencies; ++c)
        out.Insert("INSERT INTO PCurncy (CurrencyShortName, CurrencyName, CurrencyCode) VALUES (?, ?, ?)",
                   {BenchCode(c, 3), QStringLiteral("Currency %1").arg(c), BenchCode(c, 3)});
    for (int c = 1; c <= shape.Cards; ++c)
        out.Insert("INSERT INTO PCCards (CardName, CardType, CardCode) VALUES (?, ?, ?)",
                   {QStringLiteral("Card %1").arg(c), QStringLiteral("C"), BenchCode(c, 10)});
    for (int c = 1; c <= shape.Categories; ++c)
        out.Insert("INSERT INTO PCatgry (CategoryDesc, CategoryCode) VALUES (?, ?)",
                   {QStringLiteral("Category %1").arg(c), BenchCode(c, 3)});
    std::vector<int> assetSerials(size_t(shape.Assets) + 1, 0);
    for (int a = 1; a <= shape.Assets; ++a)
        out.Insert("INSERT INTO TrnAst1a (AssetDesc, AssetCode) VALUES (?, ?)",
                   {QStringLiteral("Asset %1").arg(a), BenchCode(a, 10)});
    for (int i = 0; i < shape.AssetAmounts && shape.Assets > 0; ++i) {
        const int asset = int(random() % unsigned(shape.Assets)) + 1;
        out.Insert("INSERT INTO TrnAst1b (TransactionDate, AssetAmount, AssetTranSerialNum, AssetCode) "
                   "VALUES (?, ?, ?, ?)",
                   {dateOf(i, shape.AssetAmounts), amount(), BenchCode(++assetSerials[size_t(asset)], 10),
                    BenchCode(asset, 10)});
    }
    out.Commit();
}

TAccountsShape LargeBookShape() {
    TAccountsShape shape;
    shape.OtherTransactions = shape.BankTransactions;
    shape.Assets = 100;
    shape.AssetAmounts = shape.Assets * 12 * shape.Years;   // a value a month
    shape.Banks = 20;
    shape.Currencies = 10;
    shape.Cards = 10;
    shape.Categories = 20;
    return shape;
}

QString AccountsBook(const TAccountsShape& shape) {
    const QString key = QStringLiteral("accounts-%1-%2-%3-%4-%5-%6-%7-%8-%9")
                            .arg(shape.BankTransactions)
                            .arg(shape.OtherTransactions)
                            .arg(shape.Years)
                            .arg(shape.FirstYear)
                            .arg(shape.BankAccounts)
                            .arg(shape.BankItems)
                            .arg(QStringLiteral("%1-%2").arg(shape.TelAccounts).arg(shape.TelItems))
                            .arg(QStringLiteral("%1-%2").arg(shape.IncomeCodes).arg(shape.ExpenseCodes))
                            .arg(QStringLiteral("%1-%2-%3-%4-%5-%6")
                                     .arg(shape.Assets)
                                     .arg(shape.AssetAmounts)
                                     .arg(shape.Banks)
                                     .arg(shape.Currencies)
                                     .arg(shape.Cards)
                                     .arg(shape.Categories));
    const QString directory = CachedDirectory(key, [&](const QString& into) {
        Session().AddStandardAlias(AccountsAlias, into);
        {   // the first start deploys the tables
            TADm1 deploy(nullptr);
        }
        FillAccountsData(QDir(into).filePath(QStringLiteral("DataQuelt.sqlite")), shape);
        TADm1 dm1(nullptr);
        TADm3 dm3(nullptr);
        dm3.RebuildSummaries(QString(), QString());
    }, [&](const QString& made) { RequireBookRows(made, shape); });
    Session().AddStandardAlias(AccountsAlias, directory);
    return directory;
}

void RequireBookRows(const QString& directory, const TAccountsShape& shape) {
    const QString path = QDir(directory).filePath(QStringLiteral("DataQuelt.sqlite"));
    RequireTableRows(path, "BankAcnt", shape.BankAccounts);
    RequireTableRows(path, "TrnBnk1a", shape.BankTransactions);
    for (const char* table : {"TrnTel1a", "TrnInc1a", "TrnExp1a"}) RequireTableRows(path, table, shape.OtherTransactions);
    RequireTableRows(path, "TrnAst1b", shape.Assets > 0 ? shape.AssetAmounts : 0);
    // The summaries' counts depend on which codes the random rows met: some.
    if (shape.BankTransactions > 0) RequireTableRows(path, "MthBnk1a", 1, false);
    if (shape.OtherTransactions > 0)
        for (const char* table : {"MthTel1a", "MthInc1a", "MthExp1a"}) RequireTableRows(path, table, 1, false);
    RequireTableRows(path, "TeeData1", 1, false);
}

bool BookHoldsRows(benchmark::State& state, const QString& directory, const TAccountsShape& shape) {
    try {
        RequireBookRows(directory, shape);
        return true;
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return false;
    }
}
