#include "dataset/lookup_settings.h"
#include "dataset/control_type_settings.h"
#include "dataset/property_reflection.h"
#include "dataset/text_compare.h"
#include "dataset/ww_settings.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"

namespace {

const QChar Semicolon = QLatin1Char(';');

// The LookupFields line number of the field (first part compared as given); -1 when none.
int FindLookupLine(const TStrings* lookupFields, const QString& fieldName, bool caseSensitive)
{
    if (!lookupFields) return -1;
    for (int i = 0; i < lookupFields->Count(); ++i) {
        const QString first = (*lookupFields)[i].section(Semicolon, 0, 0);
        if (caseSensitive ? first == fieldName : SameTextNoCase(first, fieldName)) return i;
    }
    return -1;
}

QString LinksLine(const TStrings* lookupLinks, int line)
{
    return lookupLinks && line >= 0 && line < lookupLinks->Count() ? (*lookupLinks)[line] : QString();
}

// Every first member of the link pairs names a field of the dataset.
bool LinkFieldsExist(const TDataSet& dataSet, const QStringList& linkParts)
{
    for (int i = 0; i < linkParts.size(); i += 2)
        if (!dataSet.FindField(linkParts[i])) return false;
    return true;
}

// Sets a flag of a table for the duration of a call.
class TFlagScope {
public:
    TFlagScope(TwwTable& table, void (TwwTable::*setter)(bool)) : table_(table), setter_(setter) { (table_.*setter_)(true); }
    ~TFlagScope() { (table_.*setter_)(false); }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    TwwTable& table_;
    void (TwwTable::*setter_)(bool);
};

}  // namespace

TwwLookupDefinition ParseLookupDefinition(const QString& line)
{
    TwwLookupDefinition definition;
    const QStringList parts = line.split(Semicolon);
    if (parts.size() < 5) return definition;
    definition.Valid = true;
    definition.LookupField = parts[0];
    definition.DatabaseName = parts[1];
    definition.TableName = parts[2];
    definition.ResultField = parts[3];
    if (parts.size() == 5) {
        definition.IndexName = parts[4];
    } else {
        definition.IndexFields = parts.mid(4, parts.size() - 5);
        definition.NamesWithoutExtension = parts.last() == QLatin1String("N");
    }
    return definition;
}

QString GetFieldLookupLinks(const TDataSet* dataSet, const QString& fieldName)
{
    const int line = FindLookupLine(GetDataSetLookupFields(dataSet), fieldName, true);
    return line < 0 ? QString() : LinksLine(GetDataSetLookupLinks(dataSet), line);
}

QString GetLookupResultFieldName(const TDataSet* dataSet, const QString& fieldName)
{
    const TStrings* lookupFields = GetDataSetLookupFields(dataSet);
    const int line = FindLookupLine(lookupFields, fieldName, true);
    return line < 0 ? QString() : (*lookupFields)[line].section(Semicolon, 3, 3);
}

bool GetFieldLookupDefinition(const TField& field, QString& databaseName, QString& tableName, QString& links,
                              QString& resultField)
{
    const TDataSet* dataSet = field.DataSet();
    databaseName = GetDataSetDatabaseName(dataSet);
    tableName.clear();
    links.clear();
    resultField.clear();
    const TStrings* lookupFields = GetDataSetLookupFields(dataSet);
    if (!lookupFields) return false;
    for (int i = 0; i < lookupFields->Count(); ++i) {
        const TwwLookupDefinition definition = ParseLookupDefinition((*lookupFields)[i]);
        if (!definition.Valid || definition.LookupField != field.FieldName()) continue;
        databaseName = definition.DatabaseName;
        tableName = definition.TableName;
        resultField = definition.ResultField;
        links = LinksLine(GetDataSetLookupLinks(dataSet), i);
        return true;
    }
    return false;
}

bool LookupTableMatches(const TwwTable& table, const TwwLookupDefinition& definition, const QString& links)
{
    if (table.DatabaseName() != definition.DatabaseName) return false;
    const bool sameTable = definition.NamesWithoutExtension
                               ? StripTableExtension(table.TableName()) == StripTableExtension(definition.TableName)
                               : table.TableName() == definition.TableName;
    return sameTable && SameTextNoCase(table.LookupLinksText(), links);
}

bool FindLookupResultField(TField& field, QString& linkValue, TField*& resultField)
{
    resultField = &field;
    TDataSet* dataSet = field.DataSet();
    std::vector<TwwLookupTable>* tables = GetDataSetLookupTables(dataSet);
    if (!tables) return false;
    QString databaseName, tableName, links, resultName;
    GetFieldLookupDefinition(field, databaseName, tableName, links, resultName);
    for (TwwLookupTable& entry : *tables) {
        TwwTable& table = *entry.Table;
        if (table.DatabaseName() != databaseName || table.TableName() != tableName ||
            !SameTextNoCase(table.LookupLinksText(), links))
            continue;
        if (TField* result = table.FindField(resultName)) resultField = result;
        const TField* linkField = dataSet->FindField(links.section(Semicolon, 0, 0));
        linkValue = linkField ? linkField->AsString() : QString();
        return table.FindKeyByLookupValues({linkValue});
    }
    return false;
}

bool PrepareLookupTable(TDataSet& dataSet, TwwTable& lookupTable, const QString& fieldName, QString& linkField)
{
    TStrings* lookupFields = GetDataSetLookupFields(&dataSet);
    TStrings* lookupLinks = GetDataSetLookupLinks(&dataSet);
    RemoveDefinitionsOfMissingFields(&dataSet, lookupFields, lookupLinks, GetDataSetControlType(&dataSet));
    const int line = FindLookupLine(lookupFields, fieldName, false);
    if (line < 0) return false;
    const TwwLookupDefinition definition = ParseLookupDefinition((*lookupFields)[line]);
    if (definition.Valid && StripTableExtension(lookupTable.TableName()).toUpper() ==
                                StripTableExtension(definition.TableName).toUpper()) {
        if (!definition.IndexFields.isEmpty()) {
            const TFlagScope wholeList(lookupTable, &TwwTable::SetWholeFieldList);
            lookupTable.SelectIndexForField(definition.IndexFields.join(Semicolon));
        } else if (lookupTable.IndexName() != definition.IndexName) {
            lookupTable.SetIndexName(definition.IndexName);
        }
    }
    const QStringList linkParts = LinksLine(lookupLinks, line).split(Semicolon);
    if (!LinkFieldsExist(dataSet, linkParts)) {
        if (TField* field = dataSet.FindField(fieldName)) field->SetVisible(false);
        return false;
    }
    linkField = linkParts.first();
    return FindLookupRecord(lookupTable, dataSet, linkParts);
}

bool FindLookupRecord(TwwTable& lookupTable, const TDataSet& dataSet, const QStringList& linkParts)
{
    if (!LinkFieldsExist(dataSet, linkParts)) return false;
    if (lookupTable.IndexFieldCount() > 0) {
        const auto count = linkParts.size();
        if (count < 2 || count > 12 || count % 2 != 0) return false;
        QStringList values;
        for (qsizetype i = 0; i < count; i += 2) values << dataSet.FindField(linkParts[i])->AsString();
        return lookupTable.FindKeyByLookupValues(values);
    }
    if (linkParts.size() < 2) return false;
    return lookupTable.LocateByFieldValue(dataSet.FindField(linkParts[0])->AsString(), linkParts[1], 0, false);
}

namespace {

// The open lookup table of a definition and links, opened and kept on first use.
TwwLookupTable& LookupTableFor(std::vector<TwwLookupTable>& lookupTables, const TwwLookupDefinition& definition,
                               const QString& links)
{
    for (TwwLookupTable& entry : lookupTables) {
        if (!LookupTableMatches(*entry.Table, definition, links)) continue;
        if (!entry.Table->Active()) entry.Table->Open();
        return entry;
    }
    auto table = std::make_unique<TwwTable>();
    table->SetDatabaseName(definition.DatabaseName);
    table->SetTableName(definition.NamesWithoutExtension ? StripTableExtension(definition.TableName)
                                                         : definition.TableName);
    if (!definition.IndexFields.isEmpty())
        table->SetIndexFieldNames(definition.IndexFields.join(Semicolon));
    else
        table->SetIndexName(definition.IndexName);
    table->SetReadOnly(true);
    table->SetLookupLinksText(links);
    table->Open();
    lookupTables.push_back({std::move(table), false, false});
    return lookupTables.back();
}

}  // namespace

// ---- The lookup fields of a library dataset, computed for each record.

void CalculateLookupFieldValues(TDataSet& dataSet, TStrings& lookupFields, TStrings& lookupLinks,
                                TStrings& controlType, std::vector<TwwLookupTable>& lookupTables)
{
    RemoveDefinitionsOfMissingFields(&dataSet, &lookupFields, &lookupLinks, &controlType);
    for (TwwLookupTable& entry : lookupTables) entry.Positioned = false;
    for (int i = 0; i < lookupFields.Count(); ++i) {
        const TwwLookupDefinition definition = ParseLookupDefinition(lookupFields[i]);
        if (!definition.Valid) continue;
        const QString links = LinksLine(&lookupLinks, i);
        TwwLookupTable& entry = LookupTableFor(lookupTables, definition, links);
        const QStringList linkParts = links.split(Semicolon);
        if (!LinkFieldsExist(dataSet, linkParts)) return;
        if (!entry.Positioned) {
            const TFlagScope searching(*entry.Table, &TwwTable::SetLookupSearch);
            entry.Found = FindLookupRecord(*entry.Table, dataSet, linkParts);
            entry.Positioned = true;
        }
        TField* lookupField = dataSet.FindField(definition.LookupField);
        if (!lookupField) continue;
        const TField* result = entry.Found ? entry.Table->FindField(definition.ResultField) : nullptr;
        lookupField->SetAsString(result ? result->AsString() : QString());
    }
}

