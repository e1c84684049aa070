#pragma once
// The generated bank transactions (see generate.h) as the program's database
// component, opened once a run: the datasets of a benchmark name it.
#include <QString>

// The database name a table or query of the benchmark takes.
const QString& BankDatabaseName();
