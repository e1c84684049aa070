#include "dataset/field_settings.h"
#include "dataset/controls_disabled.h"
#include "dataset/date_text.h"
#include "dataset/intl.h"
#include "dataset/picture_mask.h"
#include "dataset/text_helpers.h"
#include "dataset/ww_settings.h"
#include "dataset/ww_table.h"
#include "platform/db/data_source.h"
#include "platform/db/db_errors.h"
#include "platform/db/engine_dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/string_list.h"
#include <QMetaObject>
#include <QMetaProperty>
#include <memory>

namespace {

const QChar Tab = QLatin1Char('\t');
const QChar Semicolon = QLatin1Char(';');

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

QString FlagText(bool flag)
{
    return flag ? QStringLiteral("T") : QStringLiteral("F");
}

// The first line whose TAB-separated first part names the field (any case); -1 when none.
int FindTabLine(const TStrings& lines, const QString& fieldName)
{
    for (int i = 0; i < lines.Count(); ++i)
        if (SameTextNoCase(lines[i].section(Tab, 0, 0), fieldName)) return i;
    return -1;
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

bool IsIndexedWwTable(const TDataSet* dataSet)
{
    const auto* table = qobject_cast<const TwwTable*>(dataSet);
    return table && table->IndexFieldCount() > 0;
}

bool HasQueryLines(const TDataSet* dataSet)
{
    const auto* table = qobject_cast<const TwwTable*>(dataSet);
    return table && table->QueryLines().Count() > 0;
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

// ---- PictureMasks.

TFieldPictureMask GetFieldPictureMask(TDataSet* dataSet, const QString& fieldName)
{
    TFieldPictureMask result;
    const TStrings* masks = GetDataSetPictureMasks(dataSet);
    if (!masks) return result;
    // A picture mask speaks of characters typed into a text; a date or a
    // number has its own rules, and a mask on it would refuse every value.
    if (const TField* field = dataSet->FindField(fieldName); field && !IsTextFieldType(field->DataType()))
        return result;
    const int line = FindTabLine(*masks, fieldName);
    if (line < 0) return result;
    const QString& text = (*masks)[line];
    result.Mask = text.section(Tab, 1, 1);
    result.AutoFill = text.section(Tab, 2, 2) == QLatin1String("T");
    result.UseMask = text.section(Tab, 3, 3) == QLatin1String("T");
    return result;
}

void SetFieldPictureMask(TDataSet* dataSet, const QString& fieldName, const QString& mask, bool autoFill,
                         bool useMask, bool replaceMask, bool replaceAutoFill, bool replaceUseMask)
{
    TStrings* masks = GetDataSetPictureMasks(dataSet);
    if (!masks) return;
    const int line = FindTabLine(*masks, fieldName);
    if (line < 0) {
        if (!mask.isEmpty())
            masks->Add(fieldName + Tab + mask + Tab + FlagText(autoFill) + Tab + FlagText(useMask));
        return;
    }
    const QString& old = (*masks)[line];
    const QString newMask = replaceMask ? mask : old.section(Tab, 1, 1);
    const bool newAutoFill = replaceAutoFill ? autoFill : old.section(Tab, 2, 2) == QLatin1String("T");
    const bool newUseMask = replaceUseMask ? useMask : old.section(Tab, 3, 3) == QLatin1String("T");
    if (newMask.isEmpty())
        masks->Delete(line);
    else
        masks->SetString(line, fieldName + Tab + newMask + Tab + FlagText(newAutoFill) + Tab + FlagText(newUseMask));
}

void ValidateFieldsWithMasks(TDataSet& dataSet, const TwwInvalidValueEvent& onInvalidValue)
{
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        TField& field = *dataSet.Fields(i);
        const QString mask = GetFieldPictureMask(&dataSet, field.FieldName()).Mask;
        if (mask.isEmpty()) continue;
        QString text = field.Text();
        if (text.isEmpty()) continue;
        if (TwwPictureValidator(mask, false).Picture(text, false) == prComplete) continue;
        if (field.ReadOnly()) continue;
        field.FocusControl();
        if (onInvalidValue) onInvalidValue(dataSet, field);
        DatabaseError(GlobalIntl().UserMessages.PictureValidateError + field.DisplayName());
    }
}

// ---- ControlType.

bool GetFieldControlType(const TDataSet* dataSet, const QString& fieldName, QString& controlType,
                         QString& parameters)
{
    controlType.clear();
    parameters.clear();
    const TStrings* lines = GetDataSetControlType(dataSet);
    if (!lines) return false;
    bool found = false;
    for (int i = 0; i < lines->Count(); ++i) {
        const QString& line = (*lines)[i];
        if (line.section(Semicolon, 0, 0) != fieldName) continue;
        found = true;
        controlType = line.section(Semicolon, 1, 1);
        parameters = line.section(Semicolon, 2).left(255);
    }
    return found;
}

bool IsCustomEditControlType(const QString& word)
{
    for (const char* type : {"CustomEdit", "LookupCombo", "Combo"})
        if (SameTextNoCase(word, QString::fromLatin1(type))) return true;
    return false;
}

void RemoveDefinitionsOfMissingFields(const TDataSet* dataSet, TStrings* lookupFields, TStrings* lookupLinks,
                                      TStrings* controlType)
{
    const auto missing = [dataSet](const QString& line) {
        return !DataSetHasField(dataSet, line.section(Semicolon, 0, 0));
    };
    if (lookupFields) {
        for (int i = lookupFields->Count() - 1; i >= 0; --i) {
            if (!missing((*lookupFields)[i])) continue;
            lookupFields->Delete(i);
            if (lookupLinks && i < lookupLinks->Count()) lookupLinks->Delete(i);
        }
    }
    if (controlType)
        for (int i = controlType->Count() - 1; i >= 0; --i)
            if (missing((*controlType)[i])) controlType->Delete(i);
}

// ---- Selected.

void BuildSelectedFromFields(const TDataSet* dataSet, TStrings& list)
{
    list.Clear();
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        const TField& field = *dataSet->Fields(i);
        if (!field.Visible()) continue;
        list.Add(field.FieldName() + Tab + QString::number(field.DisplayWidth()) + Tab + field.DisplayLabel());
    }
}

bool FindSelectedLine(const TStrings* list, const QString& fieldName, int& index)
{
    index = list ? FindTabLine(*list, fieldName) : -1;
    return index >= 0;
}

void ApplySelectedToFields(TDataSet& dataSet, const TStrings& list)
{
    const TControlsDisabled disabled(dataSet);
    for (int i = 0; i < dataSet.FieldCount(); ++i) dataSet.Fields(i)->SetVisible(false);
    for (int i = 0; i < list.Count(); ++i) {
        const QStringList parts = list[i].split(Tab);
        if (parts.size() < 3) continue;
        TField* field = dataSet.FindField(parts[0]);
        bool isNumber = false;
        const int width = parts[1].trimmed().toInt(&isNumber);
        if (!field || !isNumber) continue;
        field->SetDisplayWidth(width);
        field->SetDisplayLabel(parts[2]);
        field->SetIndex(qMin(i, dataSet.FieldCount() - 1));
        field->SetVisible(true);
    }
}

// ---- Typed text.

bool IsValidTextForFieldType(TFieldType type, const QString& text)
{
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc: return IsValidIntegerText(text);
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD: return IsValidFloatText(text);
    case TFieldType::ftDate: return IsValidDateText(text);
    case TFieldType::ftTime: return IsValidTimeText(text);
    case TFieldType::ftDateTime: return IsValidDateTimeText(text) || IsValidDateText(text);
    default: return true;
    }
}

bool IsValidFieldText(const TField& field, const QString& text)
{
    return IsValidTextForFieldType(field.DataType(), text);
}

bool IsValidFieldSearchText(const TField* field, const QString& text)
{
    if (!field) return false;
    if (text.isEmpty()) {
        switch (field->DataType()) {
        case TFieldType::ftSmallint: case TFieldType::ftInteger: case TFieldType::ftWord:
        case TFieldType::ftFloat: case TFieldType::ftCurrency: case TFieldType::ftBCD:
        case TFieldType::ftDate: case TFieldType::ftTime: case TFieldType::ftDateTime:
        case TFieldType::ftAutoInc: return false;
        default: break;
        }
    }
    return IsValidFieldText(*field, text);
}

bool IsNumericFieldType(TFieldType type)
{
    switch (type) {
    case TFieldType::ftSmallint: case TFieldType::ftInteger: case TFieldType::ftWord:
    case TFieldType::ftFloat: case TFieldType::ftCurrency: case TFieldType::ftAutoInc: return true;
    default: return false;
    }
}

bool IsTextFieldType(TFieldType type)
{
    return type == TFieldType::ftString || type == TFieldType::ftMemo;
}

bool IsTextEditKey(int key)
{
    return key == 8 || key == 32 || key == 46 || (key >= 48 && key <= 111) || key > 145;
}

int CompareDataSetBookmarks(const TDataSet& dataSet, const TBookmark& a, const TBookmark& b)
{
    return dataSet.CompareBookmarks(a, b);
}

QString JoinLines(const TStrings& lines, bool blankSeparated)
{
    return lines.ToQStringList().join(blankSeparated ? QStringLiteral(" ") : QStringLiteral("\r\n"));
}
