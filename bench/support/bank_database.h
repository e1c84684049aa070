#pragma once
// The generated bank transactions (see generate.h) as the program's database
// component, opened once a run for each size: the datasets of a benchmark name it.
#include <QString>

// The database name a table or query of the benchmark takes, on the bank
// transactions of BankTransactions(rows).
const QString& BankDatabaseName(int rows = 1000000);
