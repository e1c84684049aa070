#include "data/catalogue_datasets.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "platform/db/fields.h"
#include "platform/rtl/exceptions.h"

namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

template <typename T>
T* FindAs(const TComponentFinder& find, const QString& name, const QString& wanted) {
    auto* found = qobject_cast<T*>(find(name));
    if (!found)
        throw EDatabaseError(QStringLiteral("%1 '%2' not found").arg(wanted, name));
    return found;
}

void ApplyFormats(TField& field, const TCatalogueField& spec) {
    if (auto* numeric = qobject_cast<TNumericField*>(&field)) {
        if (*spec.DisplayFormat) numeric->SetDisplayFormat(Text(spec.DisplayFormat));
        if (*spec.EditFormat) numeric->SetEditFormat(Text(spec.EditFormat));
    } else if (auto* dateTime = qobject_cast<TDateTimeField*>(&field)) {
        if (*spec.DisplayFormat) dateTime->SetDisplayFormat(Text(spec.DisplayFormat));
    }
}

}  // namespace

std::vector<TCatalogueDataSet> CreateModuleDataSets(TComponent& owner, const QString& dataModule,
                                                     const QString& databaseName) {
    std::vector<TCatalogueDataSet> result;
    for (const TCatalogueTable* entry : ModuleCatalogue(dataModule)) {
        TCatalogueDataSet made{entry, new TwwTable(&owner), nullptr};
        made.Table->SetName(Text(entry->Component));
        made.Table->SetDatabaseName(databaseName);
        made.Table->SetTableName(Text(entry->FileName));
        if (*entry->DataSource) {
            made.DataSource = new TwwDataSource(&owner);
            made.DataSource->SetName(Text(entry->DataSource));
            made.DataSource->SetAutoEdit(entry->DataSourceAutoEdit);
            made.DataSource->SetDataSet(made.Table);
        }
        result.push_back(made);
    }
    return result;
}

TField* CreateCatalogueField(TDataSet& dataSet, const TCatalogueField& spec, const TComponentFinder& find) {
    // A text whose size the catalogue leaves open gets the class library's default.
    constexpr int DefaultTextSize = 20;
    const int size = spec.Type == TFieldType::ftString && spec.Size == 0 ? DefaultTextSize : spec.Size;
    TField* field = CreateFieldOfType(spec.Type, &dataSet, size);
    field->SetFieldName(Text(spec.Name));
    field->SetName(dataSet.Name() + Text(spec.Name));
    if (*spec.DisplayLabel) field->SetDisplayLabel(Text(spec.DisplayLabel));
    if (spec.DisplayWidth > 0) field->SetDisplayWidth(spec.DisplayWidth);
    field->SetVisible(spec.Visible);
    if (*spec.EditMask) field->SetEditMask(Text(spec.EditMask));
    ApplyFormats(*field, spec);
    switch (spec.Kind) {
    case TCatalogueFieldKind::Data:
        break;
    case TCatalogueFieldKind::Calculated:
        field->SetFieldKind(fkCalculated);
        break;
    case TCatalogueFieldKind::Lookup:
        field->SetFieldKind(fkLookup);
        field->SetLookupDataSet(FindAs<TDataSet>(find, Text(spec.LookupDataSet), QStringLiteral("Lookup dataset")));
        field->SetKeyFields(Text(spec.KeyFields));
        field->SetLookupKeyFields(Text(spec.LookupKeyFields));
        field->SetLookupResultField(Text(spec.LookupResultField));
        break;
    }
    field->SetDataSet(&dataSet);
    return field;
}

void ApplyCatalogueEntry(const TCatalogueDataSet& made, const TComponentFinder& find) {
    const TCatalogueTable& entry = *made.Entry;
    TwwTable& table = *made.Table;
    if (entry.PersistentFields) {
        for (const TCatalogueField& spec : entry.Fields)
            CreateCatalogueField(table, spec, find);
    }
    table.SetAutoCalcFields(entry.AutoCalcFields);
    for (const QString& line : entry.PictureMaskLines())
        table.PictureMasks()->Add(line);
    for (const QString& line : entry.ControlTypeLines())
        table.ControlType()->Add(line);
    if (*entry.IndexName)
        table.SetIndexName(Text(entry.IndexName));
    else if (*entry.IndexFieldNames)
        table.SetIndexFieldNames(Text(entry.IndexFieldNames));
    if (*entry.MasterSource) {
        table.SetMasterSource(FindAs<TDataSource>(find, Text(entry.MasterSource), QStringLiteral("Master source")));
        table.SetMasterFields(Text(entry.MasterFields));
    }
}
