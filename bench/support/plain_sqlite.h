#pragma once
// Plain SQLite for the floors: a connection set up as the engine sets up its
// own, so that a floor differs from its figure only in the engine's work.
#include <QString>
#include <sqlite3.h>
#include <string>
#include <vector>

// Opens path read-write with the engine's settings: WAL journal, full
// synchronous writes, a 64 MB page cache, a 64 MB memory map, the engine's
// case-insensitive collation. Throws on failure.
sqlite3* OpenLikeEngine(const QString& path);

// A prepared statement, finalized when it goes; each step throws on failure.
class TPlainStatement {
public:
    TPlainStatement(sqlite3* db, const std::string& sql);
    ~TPlainStatement() { sqlite3_finalize(statement_); }
    TPlainStatement(const TPlainStatement&) = delete;
    TPlainStatement& operator=(const TPlainStatement&) = delete;
    operator sqlite3_stmt*() const { return statement_; }
    bool Step();   // true on a row
    void Run();    // one step, then reset for the next values
    std::string Text(int column) const;
    double Number(int column) const { return sqlite3_column_double(statement_, column); }
    int Int(int column) const { return sqlite3_column_int(statement_, column); }
    void Bind(int place, const std::string& text);   // null when empty, as a code the program leaves empty
    void Bind(int place, double number) { sqlite3_bind_double(statement_, place, number); }
    void Bind(int place, int number) { sqlite3_bind_int(statement_, place, number); }
    void Bind(int place, sqlite3_int64 number) { sqlite3_bind_int64(statement_, place, number); }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

// Runs statements that return no rows; throws on failure.
void ExecPlain(sqlite3* db, const char* sql);

// The floor of a walk: every row the statement gives, each column read into
// a C++ value (texts into strings, numbers into doubles and integers) as a
// dataset's fields would read it. Returns the rows read; the statement is
// reset for the next walk.
int WalkPlain(sqlite3_stmt* statement);

// Every row of a table in a form that compares exactly (floats by their bits),
// sorted: two tables with the same rows give the same list whatever their row ids.
std::vector<std::string> TableRows(sqlite3* db, const char* table);
