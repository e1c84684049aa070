// Index selection of TwwTable: finding the index that serves a field list and
// changing to it without losing the record.
#include "dataset/controls_disabled.h"
#include "dataset/table_index.h"
#include "dataset/text_compare.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/rtl/presenter.h"

namespace {

QString UpperFieldList(const QStringList& fields)
{
    return fields.join(QLatin1Char(';')).toUpper();
}

}  // namespace

QStringList TwwTable::CurrentIndexFieldNames()
{
    QStringList names;
    for (int i = 0; i < IndexFieldCount(); ++i) names << IndexFields(i)->FieldName();
    return names;
}

const TIndexDef* TwwTable::FindIndexForFields(const QString& fields)
{
    const QString wanted = UpperFieldList(SplitFieldNames(fields));
    if (wanted.isEmpty()) return nullptr;
    TIndexDefs& defs = IndexDefs();
    // Exact before leading, and a case-insensitive index before a
    // case-sensitive one: the user searches without regard to case.
    for (const bool exact : {true, false}) {
        for (const bool caseInsensitive : {true, false}) {
            for (int i = 0; i < defs.Count(); ++i) {
                const TIndexDef& def = defs[i];
                if (def.CaseInsensitive() != caseInsensitive) continue;
                const QString have = UpperFieldList(def.FieldList());
                if (exact ? have == wanted : have.startsWith(wanted + QLatin1Char(';'))) return &def;
            }
        }
    }
    return nullptr;
}

bool TwwTable::SelectIndexForField(const QString& fieldName)
{
    if (fieldName.isEmpty() || query_.Count() > 0) return false;
    const TSearchScope searching(*this);
    QString wanted = fieldName;
    if (HasMasterLink() && !wholeFieldList_) {
        // A detail keeps the master's fields leading its order.
        const auto masterCount = SplitFieldNames(MasterFields()).size();
        QStringList fields = CurrentIndexFieldNames().mid(0, masterCount);
        fields << fieldName.section(QLatin1Char(';'), 0, 0);
        wanted = fields.join(QLatin1Char(';'));
    }
    const TIndexDef* index = FindIndexForFields(wanted);
    if (!index) return false;
    if (CurrentIndexDef(*this) != index) ChangeIndexKeepingPosition(*index);
    return true;
}

bool TwwTable::SelectIndexForFirstListedField(const TStrings& list)
{
    if (list.Count() == 0) return false;
    return SelectIndexForField(list[0].section(QLatin1Char('\t'), 0, 0));
}

void TwwTable::ChangeIndexKeepingPosition(const TIndexDef& index)
{
    const QString name = index.Name;
    if (!(IsSQLBased() && syncSQLByRange_ && Active())) {
        SetIndexName(name);
        return;
    }
    // A server's answer is reopened in the new order and the record found
    // again by its key.
    const THourglass hourglass;
    const QStringList fields = index.FieldList();
    std::vector<QVariant> key;
    for (const QString& field : fields) key.push_back(FieldByName(field)->Value());
    const TControlsDisabled disabled(*this);
    Close();
    SetIndexName(name);
    Open();
    FindNearest(key);
}
