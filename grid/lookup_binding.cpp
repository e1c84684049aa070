#include "grid/lookup_binding.h"
#include "dataset/lookup_settings.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/string_list.h"
#include <QStringList>

QStringList LookupFieldNames(const QString& lookupField)
{
    QStringList names = lookupField.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& name : names) name = name.trimmed();
    return names.mid(0, TwwLookupBinding::MaxLookupFields);
}

void TwwLookupBinding::Unbind()
{
    display_ = nullptr;
    lookup_.fill(nullptr);
    for (QString& link : linkFields_) link.clear();
    count_ = 0;
    onDataSetLookup_ = false;
}

void TwwLookupBinding::Bind(TDataSet* table, const QString& lookupField, const TStrings& selected,
                            const TDataSet* dataSet, const QString& dataField, bool report)
{
    Unbind();
    if (!table || !table->Active()) return;
    QStringList names = LookupFieldNames(lookupField);
    QString resultField;
    if (dataSet && !dataField.isEmpty()) {
        // A lookup field of the edited dataset: its links say which lookup
        // table fields identify the row and which fields of ours receive them.
        const QString links = GetFieldLookupLinks(dataSet, dataField);
        const TField* field = dataSet->FindField(dataField);
        if (!links.isEmpty()) {
            const QStringList parts = links.split(QLatin1Char(';'));
            QStringList linked;
            for (int i = 0; i + 1 < parts.size() && linked.size() < MaxLookupFields; i += 2) {
                linkFields_[linked.size()] = parts[i];
                linked << parts[i + 1];
            }
            names = linked;
            resultField = GetLookupResultFieldName(dataSet, dataField);
            onDataSetLookup_ = true;
        } else if (field && field->Lookup() && !field->KeyFields().isEmpty()) {
            const QStringList keys = LookupFieldNames(field->KeyFields());
            names = LookupFieldNames(field->LookupKeyFields()).mid(0, keys.size());
            for (int i = 0; i < names.size(); ++i) linkFields_[i] = keys[i];
            resultField = field->LookupResultField();
            onDataSetLookup_ = true;
        }
    }
    if (names.isEmpty() || !table->FindField(names.first())) {
        onDataSetLookup_ = false;
        if (report && !names.isEmpty())
            throw EInvalidOperation(QStringLiteral("Error: Field '%1' not found").arg(lookupField));
        return;
    }
    for (const QString& name : names) {
        if (TField* field = table->FindField(name)) lookup_[count_++] = field;
    }
    QString displayName = resultField;
    if (selected.Count() > 0) displayName = selected[0].section(QLatin1Char('\t'), 0, 0);
    display_ = displayName.isEmpty() ? nullptr : table->FindField(displayName);
    if (!display_) display_ = lookup_[0];
}

void TwwLookupBinding::ClearValues()
{
    for (QString& value : values_) value.clear();
    displayValue_.clear();
}

void TwwLookupBinding::ReadCurrentRow()
{
    if (!display_) return;
    displayValue_ = display_->AsString();
    for (int i = 0; i < count_; ++i) values_[i] = lookup_[i]->AsString();
}

bool TwwLookupBinding::CurrentRowMatches() const
{
    if (!display_ || display_->DataSet()->IsEmpty()) return false;
    for (int i = 0; i < count_; ++i)
        if (lookup_[i]->AsString() != values_[i]) return false;
    return true;
}
