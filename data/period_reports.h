#pragma once
// The two reports with one row per month: the period overview of the chart
// table (income, expense, communications and bank movement side by side with
// the running bank balance) and the bank balance report (each account's
// balance at the end of every month). These routines work on the database
// itself; the data module runs them in one transaction.
#include "platform/engine/engine_database.h"
#include <QStringList>

class TProgress;

// Builds "TempCom1" from the chart rows of the months where selects; returns
// the number of months.
int FillPeriodOverview(TEngineDatabase& db, const QString& where, TProgress& progress);

// Builds "TempBank1" over every month of the bank summary; returns the bank
// account codes of its columns in column order.
QStringList FillBankPeriodReport(TEngineDatabase& db, TProgress& progress);

// The account names of the codes, in the same order; a code no longer in the
// bank accounts table keeps the code itself as its caption.
QStringList BankAccountNames(TEngineDatabase& db, const QStringList& codes);
