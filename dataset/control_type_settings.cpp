#include "dataset/control_type_settings.h"
#include "dataset/controls_disabled.h"
#include "dataset/property_reflection.h"
#include "dataset/text_helpers.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/string_list.h"

namespace {

const QChar Tab = QLatin1Char('\t');
const QChar Semicolon = QLatin1Char(';');

}  // namespace

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

