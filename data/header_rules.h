#pragma once
// Rules of the loan and recurring headers and their schedules: an approved
// header is frozen, a header needs its details, type, a valid period and an
// amount, schedule lines of the closed period are frozen, and the header's
// total always equals the sum of its lines.
#include <span>

class TADm1;
class TDataSet;
class TQuery;

struct THeaderTable {
    const char* HeaderComponent;    // "TblTrnLoan1A"
    const char* LineComponent;      // "TblTrnLoan1B"
    const char* HeaderTable;        // "TrnLon1A"
    const char* LineTable;          // "TrnLon1b"
    const char* CodeField;          // "LoanCode", in the header and its lines
    const char* DetailsField;
    const char* TypeField;
    const char* AmountField;        // of the header
    const char* TotalField;         // of the header: the sum of the lines
    const char* LineAmountField;
    const char* ApprovedMessage;
    const char* DetailsMessage;
    const char* TypeMessage;
    const char* StartMessage;
    const char* FinishMessage;
    const char* AmountMessage;
    const char* DeleteQuestion;     // "Delete Loan "
    const char* LineDeleteQuestion; // "Delete Re-payment Of Amount "
    // Loans whose lines were transferred are named by bank transactions.
    bool CountsBankTransactions;
};

std::span<const THeaderTable> HeaderTables();

void HeaderBeforeEdit(const THeaderTable& table, TDataSet& dataSet);
void HeaderBeforeDelete(TADm1& dm, const THeaderTable& table, TDataSet& dataSet);
void HeaderBeforePost(const TADm1& dm, const THeaderTable& table, TDataSet& dataSet);

void LineBeforeEdit(const TADm1& dm, TDataSet& dataSet);
void LineBeforeDelete(const TADm1& dm, const THeaderTable& table, TDataSet& dataSet);
void LineBeforePost(TADm1& dm, TDataSet& dataSet);

// Writes the sum of the current header's lines (0 when it has none) into its
// total, with the number bound, and refreshes the header table.
void RecomputeHeaderTotal(TADm1& dm, const THeaderTable& table, TQuery& query);
// A line stored or removed changes both the summaries and the header's total.
void LineAfterChange(TADm1& dm, const THeaderTable& table, TQuery& query);
