#pragma once
// Lookup fields of the library's datasets: a LookupFields line names the
// table (database, table, index) whose record supplies a field's value, and
// the LookupLinks line of the same number pairs this dataset's fields with
// the lookup table's fields that must match.
#include <QString>
#include <QStringList>
#include <vector>

class TDataSet;
class TField;
class TStrings;
class TwwTable;
struct TwwLookupTable;

// A LookupFields line taken apart; Valid when it has at least five parts.
struct TwwLookupDefinition {
    bool Valid = false;
    QString LookupField;
    QString DatabaseName;
    QString TableName;
    QString ResultField;
    QString IndexName;          // five parts
    QStringList IndexFields;    // six or more parts
    bool NamesWithoutExtension = false;   // flag "N"
};
TwwLookupDefinition ParseLookupDefinition(const QString& line);

// LookupLinks line i of the first LookupFields line i of the field (case-sensitive); empty when none.
QString GetFieldLookupLinks(const TDataSet* dataSet, const QString& fieldName);
QString GetLookupResultFieldName(const TDataSet* dataSet, const QString& fieldName);
// Not found: the database name is the dataset's own, the rest empty.
bool GetFieldLookupDefinition(const TField& field, QString& databaseName, QString& tableName, QString& links,
                              QString& resultField);
// Whether a lookup table serves this definition and links text.
bool LookupTableMatches(const TwwTable& table, const TwwLookupDefinition& definition, const QString& links);

// Finds the lookup table record of the field; ResultField becomes the lookup
// table's result field (the field itself when there is none).
bool FindLookupResultField(TField& field, QString& linkValue, TField*& resultField);
// Readies a lookup table for the field's line of the dataset: its index, then
// its record. False (and the lookup field hidden) when a link names a field the
// dataset lacks.
bool PrepareLookupTable(TDataSet& dataSet, TwwTable& lookupTable, const QString& fieldName, QString& linkField);
// Positions the lookup table on the record whose fields match the dataset's
// fields named by the link pairs.
bool FindLookupRecord(TwwTable& lookupTable, const TDataSet& dataSet, const QStringList& linkParts);

// The lookup fields of a library dataset, computed for the current record:
// definitions of missing fields are dropped first, lookup tables opened once.
void CalculateLookupFieldValues(TDataSet& dataSet, TStrings& lookupFields, TStrings& lookupLinks,
                                TStrings& controlType, std::vector<TwwLookupTable>& lookupTables);
