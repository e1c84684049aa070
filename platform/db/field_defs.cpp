#include "platform/db/field_defs.h"
#include "platform/db/db_errors.h"

QStringList SplitFieldNames(const QString& names)
{
    QStringList result;
    for (const QString& part : names.split(QLatin1Char(';'))) {
        const QString name = part.trimmed();
        if (!name.isEmpty()) result << name;
    }
    return result;
}

const TFieldDef& TFieldDefs::Items(int index) const
{
    if (index < 0 || index >= Count()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return items_[size_t(index)];
}

int TFieldDefs::IndexOf(const QString& name) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[size_t(i)].Name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

const TFieldDef& TFieldDefs::Find(const QString& name) const
{
    const int index = IndexOf(name);
    if (index < 0) DatabaseError(DbText::FieldNotFound(name));
    return items_[size_t(index)];
}

void TFieldDefs::Add(const QString& name, TFieldType type, int size, bool required)
{
    if (IndexOf(name) >= 0) DatabaseError(DbText::DuplicateFieldName(name));
    items_.push_back({name, type, size, required, Count() + 1});
}

void TFieldDefs::Assign(const TTableDesc& desc)
{
    items_.clear();
    for (const TColumnDesc& column : desc.Columns) Add(column.Name, column.Type, column.Size, column.Required);
}

QStringList TIndexDef::FieldList() const
{
    return SplitFieldNames(Fields);
}

const TIndexDef& TIndexDefs::Items(int index) const
{
    if (index < 0 || index >= Count()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return items_[size_t(index)];
}

int TIndexDefs::IndexOf(const QString& name) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[size_t(i)].Name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

const TIndexDef& TIndexDefs::Find(const QString& name) const
{
    const int index = IndexOf(name);
    if (index < 0) DatabaseError(DbText::IndexNotFound(name));
    return items_[size_t(index)];
}

const TIndexDef* TIndexDefs::FindIndexForFields(const QString& fields) const
{
    const QStringList wanted = SplitFieldNames(fields);
    if (wanted.isEmpty()) return nullptr;
    const TIndexDef* prefixMatch = nullptr;
    for (const TIndexDef& index : items_) {
        const QStringList own = index.FieldList();
        if (own.size() < wanted.size()) continue;
        bool begins = true;
        for (int i = 0; i < wanted.size() && begins; ++i)
            begins = own[i].compare(wanted[i], Qt::CaseInsensitive) == 0;
        if (!begins) continue;
        if (own.size() == wanted.size()) return &index;
        if (!prefixMatch) prefixMatch = &index;
    }
    return prefixMatch;
}

void TIndexDefs::Assign(const TTableDesc& desc)
{
    items_.clear();
    for (const TIndexDesc& index : desc.Indexes) {
        TIndexOptions options = 0;
        if (index.Primary) options |= ixPrimary | ixUnique;
        if (index.Unique) options |= ixUnique;
        if (index.Descending) options |= ixDescending;
        if (index.CaseInsensitive) options |= ixCaseInsensitive;
        items_.push_back({index.Name, index.Fields.join(QLatin1Char(';')), options});
    }
}
