#pragma once
// Years of accounts for the rebuild, report and start-up benchmarks: reference
// rows and transactions written straight into a deployed accounts database.
#include "bench/support/row_checks.h"
#include <QString>
#include <benchmark/benchmark.h>

struct TAccountsShape {
    int BankTransactions = 1000000;
    int OtherTransactions = 10000;   // each of communication, income, expense
    int Years = 10;
    int FirstYear = 2016;
    int BankAccounts = 40;
    int BankItems = 30;
    int TelAccounts = 4;
    int TelItems = 6;
    int IncomeCodes = 8;
    int ExpenseCodes = 30;
    int Assets = 0;
    int AssetAmounts = 0;            // over all assets
    int Banks = 0;                   // the further reference tables start-up opens
    int Currencies = 0;
    int Cards = 0;
    int Categories = 0;
};

// A large book for start-up: the bank transactions and, at the same scale,
// the communication, income and expense ones, with assets and every reference
// table beside them.
TAccountsShape LargeBookShape();

// Fills the database file at path, whose tables the deployment made and which
// holds no rows yet. Rows come in date order, as they are typed over the years;
// each bank account has a bank and card of its own, as the windows that find
// an account by them require.
void FillAccountsData(const QString& path, const TAccountsShape& shape);

// A private copy of a deployed accounts directory holding shape's rows and the
// summaries and chart rows of one full rebuild, made once per shape (see
// cache.h); the alias VrAccounts points at it. Throws unless it holds shape's
// rows (see RequireBookRows).
QString AccountsBook(const TAccountsShape& shape);

// Throws std::runtime_error naming the table whose rows are off, unless the
// book in directory holds every transaction and account of shape and the
// rebuilt summaries and chart rows beside them.
void RequireBookRows(const QString& directory, const TAccountsShape& shape);

// For a figure: true when the book holds shape's rows; otherwise false, with
// the figure failed and the reason given.
bool BookHoldsRows(benchmark::State& state, const QString& directory, const TAccountsShape& shape);

// The codes the generator writes.
QString BenchCode(int number, int width);   // zero-padded
