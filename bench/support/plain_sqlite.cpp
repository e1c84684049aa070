#include "bench/support/plain_sqlite.h"
#include "platform/engine/nocase_collation.h"
#include <QFile>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {
[[noreturn]] void Fail(sqlite3* db) { throw std::runtime_error(sqlite3_errmsg(db)); }
}  // namespace

TPlainStatement::TPlainStatement(sqlite3* db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) Fail(db);
}

bool TPlainStatement::Step() {
    const int rc = sqlite3_step(statement_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail(db_);
    return rc == SQLITE_ROW;
}

void TPlainStatement::Run() {
    Step();
    sqlite3_reset(statement_);
}

std::string TPlainStatement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), size_t(sqlite3_column_bytes(statement_, column)))
                : std::string();
}

void TPlainStatement::Bind(int place, const std::string& text) {
    if (text.empty()) sqlite3_bind_null(statement_, place);
    else sqlite3_bind_text(statement_, place, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

void ExecPlain(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(db);
}

sqlite3* OpenLikeEngine(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        Fail(db);
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 5000);
    RegisterNoCaseCollation(db);
    ExecPlain(db, "PRAGMA cache_size = -65536; PRAGMA mmap_size = 67108864; PRAGMA journal_mode = WAL; "
                  "PRAGMA synchronous = FULL");
    return db;
}

int WalkPlain(sqlite3_stmt* statement) {
    int rows = 0;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::string texts[7];
        int t = 0;
        for (int column = 0; column < columns; ++column) {
            switch (sqlite3_column_type(statement, column)) {
            case SQLITE_TEXT:
                texts[t++ % 7] = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
                break;
            case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(statement, column)); break;
            default: benchmark::DoNotOptimize(sqlite3_column_int64(statement, column)); break;
            }
        }
        benchmark::DoNotOptimize(texts);
        ++rows;
    }
    sqlite3_reset(statement);
    return rows;
}

std::vector<std::string> TableRows(sqlite3* db, const char* table) {
    sqlite3_stmt* statement = nullptr;
    const std::string sql = std::string("SELECT * FROM ") + table;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) Fail(db);
    std::vector<std::string> rows;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::string row;
        for (int column = 0; column < sqlite3_column_count(statement); ++column) {
            switch (sqlite3_column_type(statement, column)) {
            case SQLITE_NULL: row += "N|"; break;
            case SQLITE_INTEGER: row += "I" + std::to_string(sqlite3_column_int64(statement, column)) + "|"; break;
            case SQLITE_FLOAT: {
                const double value = sqlite3_column_double(statement, column);
                unsigned long long bits = 0;
                std::memcpy(&bits, &value, sizeof bits);
                row += "F" + std::to_string(bits) + "|";
                break;
            }
            default:
                row += "T" + std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, column))) + "|";
                break;
            }
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    std::sort(rows.begin(), rows.end());
    return rows;
}
