#pragma once
// Data for the benchmarks: a database holding a bank transactions table of the
// program's shape, generated once per set of parameters (see cache.h).
#include "platform/engine/field_types.h"
#include <QString>

struct TBenchDatabase {
    QString Path;       // the SQLite file
    int Rows = 0;
    int Accounts = 0;
};

inline constexpr const char* kBankTable = "TrnBnk1a";

// Table TrnBnk1a: BankAccountCode, BankTranSerialNum (the primary key),
// TransactionDate, BankItemCode, DebitAmount, CreditAmount, External, LoanCode,
// RecurCode, DoubleCode; index ByDate on (BankAccountCode, TransactionDate).
TTableDesc BankTransactionsDesc();

// The generated database: `rows` transactions over `accounts` accounts and ten
// years from 2015: a private copy of the cached file, made on the first call
// and shared by later ones. Throws unless it holds the rows asked for.
const TBenchDatabase& BankTransactions(int rows = 1000000, int accounts = 40);

QString AccountCode(int account);   // "0000000007"
QString SerialCode(int serial);     // "0000000042"
// Eight letters that differ from row to row, so that typed prefixes spread
// over the whole of an index on them.
QString PseudoWord(int row);
