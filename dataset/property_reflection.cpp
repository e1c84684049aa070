#include "dataset/property_reflection.h"
#include "dataset/text_compare.h"
#include "dataset/ww_settings.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/table.h"
#include "platform/rtl/string_list.h"
#include <QMetaObject>
#include <QMetaProperty>

namespace {

QVariant PropertyOf(const QObject* object, const char* name)
{
    return object ? object->property(name) : QVariant();
}

TStrings* StringListProperty(const QObject* object, const char* name)
{
    const QVariant value = PropertyOf(object, name);
    return value.canConvert<TStrings*>() ? value.value<TStrings*>() : nullptr;
}

// The metaproperty of a class-typed or text property; invalid when absent.
QMetaProperty FindProperty(const QObject* object, const char* name)
{
    if (!object) return {};
    const QMetaObject* type = object->metaObject();
    const int index = type->indexOfProperty(name);
    return index < 0 ? QMetaProperty() : type->property(index);
}

}  // namespace

// ---- Published properties.

TwwInvalidValueEvent GetDataSetOnInvalidValue(const QObject* dataSet)
{
    const QVariant value = PropertyOf(dataSet, "OnInvalidValue");
    return value.canConvert<TwwInvalidValueEvent>() ? value.value<TwwInvalidValueEvent>() : TwwInvalidValueEvent();
}

TStrings* GetDataSetPictureMasks(const QObject* dataSet) { return StringListProperty(dataSet, "PictureMasks"); }
TStrings* GetDataSetControlType(const QObject* dataSet) { return StringListProperty(dataSet, "ControlType"); }
TStrings* GetDataSetLookupFields(const QObject* dataSet) { return StringListProperty(dataSet, "LookupFields"); }
TStrings* GetDataSetLookupLinks(const QObject* dataSet) { return StringListProperty(dataSet, "LookupLinks"); }

bool GetDataSetValidateWithMask(const QObject* dataSet)
{
    const QVariant value = PropertyOf(dataSet, "ValidateWithMask");
    return value.typeId() == QMetaType::Bool && value.toBool();
}

QString GetDataSetDatabaseName(const QObject* dataSet)
{
    const QVariant value = PropertyOf(dataSet, "DatabaseName");
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

TDataSource* GetControlDataSource(const QObject* control)
{
    const QVariant value = PropertyOf(control, "DataSource");
    return value.canConvert<TDataSource*>() ? value.value<TDataSource*>() : nullptr;
}

QString GetControlDataField(const QObject* control)
{
    const QVariant value = PropertyOf(control, "DataField");
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

bool SetControlDataSource(QObject* control, TDataSource* source)
{
    const QMetaProperty property = FindProperty(control, "DataSource");
    if (!property.isValid() || !property.isWritable() || property.metaType() != QMetaType::fromType<TDataSource*>())
        return false;
    return property.write(control, QVariant::fromValue(source));
}

bool SetControlDataField(QObject* control, const QString& field)
{
    const QMetaProperty property = FindProperty(control, "DataField");
    if (!property.isValid() || !property.isWritable() || property.metaType() != QMetaType::fromType<QString>())
        return false;
    return property.write(control, field);
}

TwwOnFilterOptions GetFilterOptions(const QObject* dataSet)
{
    const QVariant value = PropertyOf(dataSet, "OnFilterOptions");
    return value.isValid() ? TwwOnFilterOptions(value.toUInt()) : TwwOnFilterOptions(0);
}

void SetFilterOptionEnabled(QObject* dataSet, bool enabled)
{
    const QMetaProperty property = FindProperty(dataSet, "OnFilterOptions");
    if (!property.isValid()) return;
    unsigned options = property.read(dataSet).toUInt();
    options = enabled ? (options | ofoEnabled) : (options & ~unsigned(ofoEnabled));
    property.write(dataSet, options);
}

std::vector<TwwLookupTable>* GetDataSetLookupTables(TDataSet* dataSet)
{
    auto* settings = dynamic_cast<TwwDataSetSettings*>(dataSet);
    return settings ? &settings->LookupTables() : nullptr;
}

// ---- Class tests.

bool InheritsFromClassName(const QMetaObject* type, const QString& name)
{
    for (; type; type = type->superClass())
        if (SameTextNoCase(QString::fromLatin1(type->className()), name)) return true;
    return false;
}

bool IsWwDataSet(const TDataSet* dataSet)
{
    if (!dataSet) return false;
    for (const char* name : {"TwwTable", "TwwQuery", "TwwQBE", "TwwStoredProc", "TwwClientDataSet"})
        if (InheritsFromClassName(dataSet->metaObject(), QString::fromLatin1(name))) return true;
    return GetDataSetControlType(dataSet) != nullptr;
}

// Read through the class name and the published Query, so that these
// services need not know TwwTable, which is built on them.
bool IsIndexedWwTable(const TDataSet* dataSet)
{
    const auto* table = qobject_cast<const TTable*>(dataSet);
    return table && InheritsFromClassName(table->metaObject(), QStringLiteral("TwwTable")) &&
           table->IndexFieldCount() > 0;
}

bool HasQueryLines(const TDataSet* dataSet)
{
    if (!dataSet || !InheritsFromClassName(dataSet->metaObject(), QStringLiteral("TwwTable"))) return false;
    const TStrings* query = StringListProperty(dataSet, "Query");
    return query && query->Count() > 0;
}

bool IsCalculatedField(const TField& field)
{
    return field.FieldKind() == fkCalculated || field.FieldKind() == fkLookup;
}

bool IsCalculatedOrNonEngineField(const TField& field)
{
    return IsCalculatedField(field) || !field.DataSet() ||
           !InheritsFromClassName(field.DataSet()->metaObject(), QStringLiteral("TEngineDataSet"));
}

bool DataSetHasField(const TDataSet* dataSet, const QString& name)
{
    return dataSet && dataSet->FindField(name) != nullptr;
}

int CompareDataSetBookmarks(const TDataSet& dataSet, const TBookmark& a, const TBookmark& b)
{
    return dataSet.CompareBookmarks(a, b);
}

