#pragma once
// Years of accounts for the rebuild and report benchmarks: reference rows and
// transactions written straight into a deployed accounts database.
#include <QString>

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
};

// Fills the database file at path, whose tables the deployment made and which
// holds no rows yet. Rows come in date order, as they are typed over the years.
void FillAccountsData(const QString& path, const TAccountsShape& shape);

// The codes the generator writes.
QString BenchCode(int number, int width);   // zero-padded
