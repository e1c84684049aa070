#pragma once
// The ControlType and Selected settings of a dataset:
//   ControlType   field;type;parameters   (field names compared with regard to case)
//   Selected      field TAB display width TAB display label   (without regard to case)
#include <QString>

class TDataSet;
class TStrings;

// ---- ControlType. The last line of the field wins.
bool GetFieldControlType(const TDataSet* dataSet, const QString& fieldName, QString& controlType,
                         QString& parameters);
bool IsCustomEditControlType(const QString& word);
// Deletes the LookupFields lines (with their LookupLinks lines) and the
// ControlType lines of fields the dataset does not have.
void RemoveDefinitionsOfMissingFields(const TDataSet* dataSet, TStrings* lookupFields, TStrings* lookupLinks,
                                      TStrings* controlType);

// ---- Selected.
void BuildSelectedFromFields(const TDataSet* dataSet, TStrings& list);
bool FindSelectedLine(const TStrings* list, const QString& fieldName, int& index);
// Shows exactly the fields of the list, in its order, with its widths and
// labels; line numbers count every line, also lines of missing fields. A line
// with fewer than three parts or a width that is no number is passed over.
void ApplySelectedToFields(TDataSet& dataSet, const TStrings& list);

