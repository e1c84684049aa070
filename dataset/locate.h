#pragma once
// Record location: finding the record whose field matches a text, on the
// current index when the field leads it, else by reading the records.
#include <QString>
#include <QVariant>

class TDataSet;
class TField;

// How a field's text must match the value.
enum TwwLocateMode : int {
    lmWholeValue = 0,    // equal
    lmStartOfValue = 1,  // the field text begins with the value
    lmAnywhere = 2,      // the value occurs in the field text
};

// With CaseSensitive false only FieldText is upper-cased: callers pass Value
// upper-cased already.
bool TextMatchesValue(const QString& fieldText, const QString& value, int mode, bool caseSensitive);

// The display text of a field's raw value as the engine stores it.
QString FieldBufferText(const TField& field, const QVariant& raw);

// True at once when the current record's field equals Value; otherwise the
// search from the first record. A field the dataset lacks shows a warning; an
// empty dataset has no record to find.
bool LocateFieldValue(TDataSet& dataSet, const QString& value, const QString& fieldName, int mode,
                      bool caseSensitive);
// Searches from the first record, or from the record after the current one;
// found: the dataset stands on the record, else it stays where it was.
bool FindFieldValueRecord(bool fromFirst, TDataSet& dataSet, const QString& fieldName, int mode, bool caseSensitive,
                          const QString& value);
