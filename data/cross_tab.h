#pragma once
// The month-by-month cross tabulations of one monthly summary table: a report
// table with one row per code (or pair of codes), one money column per month
// present in the source, a row total and the "GRAND TOTAL" row. These routines
// work on the database itself; TADm3::BuildCrossTab runs them in one
// transaction and points the report table component at the result.
#include "platform/engine/engine_database.h"
#include "platform/rtl/datetime.h"
#include <QStringList>
#include <functional>

class TProgress;

struct TCrossTabSpec {
    int Mode = 1;               // 1: rows by the first code; 2: by both codes
    QString SourceTable;        // "MTHBNK1A"
    QString TempTable;          // the report table made for it, "TempBnk1"
    QString Key1Field;
    QString Key2Field;
    QString ValueField;
    int Key1Kind = 0;           // LookupDescription kinds of the two codes
    int Key2Kind = 0;
};

// The month columns of a report, in column order.
struct TMonthColumns {
    QStringList PeriodKeys;     // "20253"
    QStringList Captions;       // "Mar-2025"
    int LastPeriodIndex() const { return static_cast<int>(PeriodKeys.size()) - 1; }
};

// The name of a code of the given kind: 1 bank account, 2 bank item,
// 3 communication account, 4 communication item, 5 income, 6 expense. Empty
// when no row has the code, and for any other kind.
QString LookupDescription(TEngineDatabase& db, int kind, const QString& code);

// The where-clause of the months from (year, month) of from to those of to,
// both included; it begins with " where ".
QString PeriodWhereClause(TDateTime from, TDateTime to);

// Drops, creates and fills spec.TempTable from the source rows that where
// selects, one column per month they hold, driving progress as the report
// page shows it.
TMonthColumns FillCrossTab(TEngineDatabase& db, const TCrossTabSpec& spec, const QString& where, TProgress& progress);
