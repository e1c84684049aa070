#include "platform/engine/field_types.h"

int TTableDesc::ColumnIndex(const QString& name) const {
    for (size_t i = 0; i < Columns.size(); ++i)
        if (Columns[i].Name.compare(name, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

const TIndexDesc* TTableDesc::FindIndex(const QString& name) const {
    for (const TIndexDesc& index : Indexes)
        if (index.Name.compare(name, Qt::CaseInsensitive) == 0) return &index;
    return nullptr;
}

QString StripTableExtension(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.endsWith(QLatin1String(".db"), Qt::CaseInsensitive)) return trimmed.left(trimmed.size() - 3);
    return trimmed;
}
