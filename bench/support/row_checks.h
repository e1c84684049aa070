#pragma once
// Checks that a figure works on the rows it claims. A cached database left
// empty by a failed or interrupted making would otherwise give quick figures,
// and floors that compare empty tables equal.
#include <QString>
#include <benchmark/benchmark.h>
#include <cstddef>

// The rows of table in the SQLite file at path, read without writing to it.
long long TableRowCount(const QString& path, const char* table);

// Throws std::runtime_error, naming the table and both counts, unless table
// holds exactly `rows` rows (at least `rows`, when exact is false).
void RequireTableRows(const QString& path, const char* table, long long rows, bool exact = true);

// A comparison of a figure's result with its floor's that covered no row
// proves nothing: false, with the figure failed, when rowsCompared is zero.
bool RequireRowsCompared(benchmark::State& state, std::size_t rowsCompared);
