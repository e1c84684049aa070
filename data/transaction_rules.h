#pragma once
// Rules of the four transaction tables (bank, communication, income,
// expense): rows of the closed period and rows a transfer wrote are locked,
// every row needs its item and a date after the close date, every post and
// delete marks the monthly summaries out of date, a bank row is either a
// debit or a credit, and the tables show only the rows of the options row's
// date range while filtering is on.
#include <QString>
#include <span>

class TADm1;
class TDataSet;
class TField;

struct TTransactionTable {
    const char* Component;      // "TblTranBank1"
    const char* ItemField;      // required on post
    const char* ItemMessage;    // shown when it is empty
    const char* ItemLookup;     // the item's description, shown in the delete question
    // Rows written by the loan, recurring and multiple-entry transfers are
    // locked; a generated communication row is locked by the close date alone.
    bool ExternalLock;
};

std::span<const TTransactionTable> TransactionTables();

inline constexpr char ExternalRecordMessage[] =
    "This Item has been Created by an External Routine, Cannot Modify";

void TransactionBeforeEdit(const TADm1& dm, const TTransactionTable& table, TDataSet& dataSet);
// The locks of BeforeEdit, then the question 'Delete Item "<item>" For Date "<date>"'.
void TransactionBeforeDelete(const TADm1& dm, const TTransactionTable& table, TDataSet& dataSet);
void TransactionBeforePost(TADm1& dm, const TTransactionTable& table, TDataSet& dataSet);
// A row stored or removed marks the summaries out of date; only then, so that
// a post refused on the way (by a rule, a mask or the engine) marks nothing.
void TransactionAfterChange(TADm1& dm);

// True when the row's TransactionDate lies within FromDate and ToDate of the
// options row (both inclusive), read at the moment the row is tested.
bool InOptionsDateRange(const TADm1& dm, const TDataSet& dataSet);
void TblTranBank1FilterRecord(const TADm1& dm, TDataSet& DataSet, bool& Accept);
void TblTranTel1FilterRecord(const TADm1& dm, TDataSet& DataSet, bool& Accept);
void TblTranIncomeFilterRecord(const TADm1& dm, TDataSet& DataSet, bool& Accept);
void TblTranExpenseFilterRecord(const TADm1& dm, TDataSet& DataSet, bool& Accept);

// A positive debit clears the credit and a positive credit the debit.
void TblTranBank1DebitAmountChange(TField& Sender);
void TblTranBank1CreditAmountChange(TField& Sender);
