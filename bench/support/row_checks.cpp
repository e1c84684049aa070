#include "bench/support/row_checks.h"
#include <QFile>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

long long TableRowCount(const QString& path, const char* table) {
    // Immutable: the check neither writes nor leaves a journal beside a cached file.
    const QByteArray uri = "file:" + QFile::encodeName(path) + "?immutable=1";
    sqlite3* opened = nullptr;
    const int rc = sqlite3_open_v2(uri.constData(), &opened, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(opened, sqlite3_close);
    if (rc != SQLITE_OK) throw std::runtime_error("cannot open " + path.toStdString() + " to count its rows");
    const std::string sql = std::string("SELECT count(*) FROM \"") + table + "\"";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string("cannot count the rows of ") + table + ": " + sqlite3_errmsg(db.get()));
    const bool counted = sqlite3_step(statement) == SQLITE_ROW;
    const long long rows = counted ? sqlite3_column_int64(statement, 0) : -1;
    sqlite3_finalize(statement);
    if (!counted) throw std::runtime_error(std::string("cannot count the rows of ") + table);
    return rows;
}

void RequireTableRows(const QString& path, const char* table, long long rows, bool exact) {
    const long long held = TableRowCount(path, table);
    if (exact ? held != rows : held < rows)
        throw std::runtime_error(std::string(table) + " holds " + std::to_string(held) + " rows, not " +
                                 (exact ? "" : "at least ") + std::to_string(rows));
}

bool RequireRowsCompared(benchmark::State& state, std::size_t rowsCompared) {
    if (rowsCompared > 0) return true;
    state.SkipWithError("the check against the floor compared no rows");
    return false;
}
