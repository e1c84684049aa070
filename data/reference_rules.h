#pragma once
// Rules of the ten reference tables (banks, currencies, cards, bank accounts,
// bank items, communication accounts and items, income and expense items,
// categories): their naming fields are required, a name (for bank accounts a
// bank and card pair) may not repeat, a row still used elsewhere cannot be
// deleted, and every delete is asked first.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <span>

class TADm1;
class TDataSet;
class TQuery;
class TTable;
struct TSavedEditValues;

struct TRequiredField {
    const char* Field;
    const char* Message;
};

struct TDuplicateCheck {
    const char* Field;
    const char* Prefix;
};

struct TReferenceTable {
    const char* Component;       // "TblBanks"
    const char* CodeField;       // the row's key, left out of the name checks
    // Fields copied into the saved values when an edit begins (up to three).
    const char* Watched[3];
    std::span<const TRequiredField> Required = {};
    std::span<const TDuplicateCheck> Duplicates = {};
    // Bank accounts: one account per bank and card, checked as a pair.
    bool BankCardPair = false;
    // Delete guard: rows of GuardTable whose GuardField equals the row's code.
    const char* GuardTable = "";
    const char* GuardField = "";
    const char* Refusal = "";
    const char* Question = "";        // the question begins with it ...
    const char* QuestionField = "";   // ... and shows this field between quotes
};

std::span<const TReferenceTable> ReferenceTables();

inline constexpr char DuplicateSuffix[] = " Exists Allready";

// Leaves one row out of a duplicate count: the row being posted, whose own
// stored values must never count against it.
struct TOwnRow {
    QString CodeField;
    QVariant Code;
};

// True when no row of table has fieldName equal to value. Otherwise shows
// prefix, the value in double quotes and suffix, cancels the table's pending
// insert or edit and returns false. Values are bound, never pasted.
bool CheckDuplicate(TQuery& query, TTable& table, const QString& fieldName, const QString& value,
                    const QString& prefix, const QString& suffix, const TOwnRow& own = {});
// The same over several field and value pairs; the message is prefix and suffix.
bool CheckDuplicate2(TQuery& query, TTable& table, const QStringList& fieldNames, const QStringList& values,
                     const QString& prefix, const QString& suffix, const TOwnRow& own = {});

void ReferenceBeforeEdit(TADm1& dm, const TReferenceTable& table, TDataSet& dataSet);
void ReferenceBeforePost(TADm1& dm, const TReferenceTable& table, TTable& dataSet);
void ReferenceBeforeDelete(TADm1& dm, const TReferenceTable& table, TDataSet& dataSet);
