#include "bench/support/generate.h"
#include "bench/support/cache.h"
#include "bench/support/row_checks.h"
#include "platform/engine/engine_database.h"
#include <QDate>
#include <QFile>
#include <QDir>
#include <map>
#include <random>
#include <sqlite3.h>
#include <stdexcept>

TTableDesc BankTransactionsDesc() {
    using enum TFieldType;
    TTableDesc desc;
    desc.Name = kBankTable;
    desc.Columns = {{"BankAccountCode", ftString, 10, false}, {"BankTranSerialNum", ftString, 10, false},
                    {"TransactionDate", ftDate, 0, false},    {"BankItemCode", ftString, 3, false},
                    {"DebitAmount", ftFloat, 0, false},       {"CreditAmount", ftFloat, 0, false},
                    {"External", ftBoolean, 0, false},        {"LoanCode", ftString, 10, false},
                    {"RecurCode", ftString, 10, false},       {"DoubleCode", ftString, 10, false}};
    desc.Indexes = {{QString(), {"BankAccountCode", "BankTranSerialNum"}, true, true, false, false},
                    {"ByDate", {"BankAccountCode", "TransactionDate"}, false, false, false, false}};
    return desc;
}

QString AccountCode(int account) { return QString::asprintf("%010d", account); }
QString SerialCode(int serial) { return QString::asprintf("%010d", serial); }

namespace {

void Check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) throw std::runtime_error(sqlite3_errmsg(db));
}

void BindText(sqlite3_stmt* statement, int index, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    sqlite3_bind_text(statement, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

// Rows come in date order, as they are typed over the years; each account
// numbers its own rows.
void Fill(const QString& path, int rows, int accounts) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(QFile::encodeName(path).constData(), &db), db);
    Check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    Check(sqlite3_prepare_v2(db, "INSERT INTO TrnBnk1a VALUES (?,?,?,?,?,?,?,?,?,?)", -1, &insert, nullptr), db);
    std::mt19937 random(20240229);
    std::uniform_int_distribution<int> pickAccount(1, accounts), pickItem(1, 40), pickCents(100, 500000);
    std::vector<int> serials(size_t(accounts) + 1, 0);
    const QDate start(2015, 1, 1);
    const int days = int(start.daysTo(start.addYears(10)));
    for (int i = 0; i < rows; ++i) {
        const int account = pickAccount(random);
        const bool debit = random() % 3 != 0;
        const double amount = pickCents(random) / 100.0;
        BindText(insert, 1, AccountCode(account));
        BindText(insert, 2, SerialCode(++serials[size_t(account)]));
        BindText(insert, 3, start.addDays(qint64(i) * days / rows).toString(Qt::ISODate));
        BindText(insert, 4, QString::asprintf("%03d", pickItem(random)));
        sqlite3_bind_double(insert, 5, debit ? amount : 0.0);
        sqlite3_bind_double(insert, 6, debit ? 0.0 : amount);
        sqlite3_bind_int(insert, 7, 0);
        for (int column = 8; column <= 10; ++column) sqlite3_bind_null(insert, column);
        Check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Check(sqlite3_exec(db, "COMMIT; ANALYZE; PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

}  // namespace

const TBenchDatabase& BankTransactions(int rows, int accounts) {
    static std::map<std::pair<int, int>, TBenchDatabase> made;
    TBenchDatabase& entry = made[{rows, accounts}];
    if (entry.Path.isEmpty()) {
        const QString key = QStringLiteral("bank-%1-%2").arg(rows).arg(accounts);
        // Named after its size, so that a program can open two sizes as databases side by side.
        const QString fileName = key + QStringLiteral(".sqlite");
        const QString directory = CachedDirectory(key, [&](const QString& into) {
            const QString path = QDir(into).filePath(fileName);
            // The engine creates the table, so its catalogue is the engine's own.
            TEngineDatabase::Open(path, true)->CreateTable(BankTransactionsDesc());
            Fill(path, rows, accounts);
        }, [&](const QString& made) {
            RequireTableRows(QDir(made).filePath(fileName), kBankTable, rows);
        });
        entry = {QDir(directory).filePath(fileName), rows, accounts};
    }
    return entry;
}

QString PseudoWord(int row)
{
    QString word;
    unsigned state = unsigned(row) * 2654435761u + 12345u;
    for (int i = 0; i < 8; ++i) {
        state = state * 1103515245u + 12345u;
        word += QChar(char16_t(u'a' + (state >> 16) % 26));
    }
    return word;
}
