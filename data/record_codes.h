#pragma once
// Keys and serial numbers of new rows. A key is never typed: it is the largest
// existing value plus one, written at the table's fixed width, counted over the
// whole table or over the rows of one parent (a bank account, a loan). One
// routine serves every table; what differs per table is a line of data.
#include "platform/rtl/datetime.h"
#include <QString>
#include <QVariant>
#include <span>

class TDataSet;
class TQuery;

enum class TStartValueKind { Today, Number, Text };

// A value a new row starts with: the current date, a number or a text.
struct TStartValue {
    const char* Field;
    TStartValueKind Kind;
    double Number = 0;
    const char* Text = "";
};

struct TRecordCodeRule {
    const char* Component;          // the table component, "TblTranBank1"
    const char* Table;              // the table counted, without extension, "TrnBnk1a"
    const char* CodeField;          // "BankTranSerialNum"
    const char* Format;             // "%.10d", "%.3d", "%.0d"
    // Counted over the rows of one parent when set: the new row's own value of
    // this field when it has one, else the parent dataset's current value.
    const char* ParentField = "";
    const char* ParentComponent = "";  // the dataset whose current row is the parent
    // Codes written without leading zeros compare as numbers ("10" after "9").
    bool NumericMaximum = false;
    std::span<const TStartValue> StartValues = {};
};

// The rules of the first data module's tables.
std::span<const TRecordCodeRule> Adm1RecordCodeRules();
// The rule of a component in a rule table; null when it has none.
const TRecordCodeRule* FindRecordCodeRule(std::span<const TRecordCodeRule> rules,
                                          const QString& component);

// The largest code a field can hold: 10^size - 1 for a text of that size
// (capped at the largest 64-bit value), 32767 for a short integer.
qint64 LargestRecordCode(const TDataSet& dataSet, const QString& codeField);

// The next code of the rule's table within parentValue (ignored for tables
// counted whole), as the rule's format writes it. Runs one bound statement on
// query (closed afterwards). A code past largestCode refuses the row: the box
// 'No new row can be added: the last code, "999", is in use' and the silent
// abort.
QString NextRecordCode(TQuery& query, const TRecordCodeRule& rule, const QVariant& parentValue,
                       qint64 largestCode);

// The new-record rule: writes the next code, the parent's value and the
// rule's starting values into the new row of dataSet. parent is the dataset
// named by ParentComponent (null for tables counted whole).
void AssignRecordCode(TDataSet& dataSet, TQuery& query, const TRecordCodeRule& rule,
                      const TDataSet* parent);

// Before a new row of a per-parent table is posted: counts its code again
// within the parent the row names now. A transfer sets the account after the
// row was begun in the account on screen; when nothing changed the code stays
// the same. Does nothing for tables counted whole or rows being edited.
void RenumberWithinOwnParent(TDataSet& dataSet, TQuery& query, const TRecordCodeRule& rule);
