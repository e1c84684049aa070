#include "dataset/table_index.h"

namespace {

QString UpperFieldList(const QStringList& fields)
{
    return fields.join(QLatin1Char(';')).toUpper();
}

}  // namespace

const TIndexDef* CurrentIndexDef(TTable& table)
{
    TIndexDefs& defs = table.IndexDefs();
    if (!table.IndexName().isEmpty()) {
        const int index = defs.IndexOf(table.IndexName());
        return index < 0 ? nullptr : &defs[index];
    }
    if (!table.IndexFieldNames().isEmpty()) {
        const QString wanted = UpperFieldList(SplitFieldNames(table.IndexFieldNames()));
        for (int i = 0; i < defs.Count(); ++i)
            if (UpperFieldList(defs[i].FieldList()) == wanted) return &defs[i];
        return nullptr;
    }
    for (int i = 0; i < defs.Count(); ++i)
        if (defs[i].Options & ixPrimary) return &defs[i];
    return nullptr;
}

bool IndexCaseInsensitive(TTable& table)
{
    const TIndexDef* index = CurrentIndexDef(table);
    return index && index->CaseInsensitive();
}

bool IndexDescending(TTable& table)
{
    const TIndexDef* index = CurrentIndexDef(table);
    return index && index->Descending();
}
