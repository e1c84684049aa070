#include "platform/engine/blank_key.h"
#include "platform/engine/column_values.h"
#include "platform/engine/nocase_collation.h"
#include "platform/engine/sql_translator.h"
#include <algorithm>

TKeyProbe KeyProbeFor(const TTableDesc& desc) {
    TKeyProbe probe;
    probe.InKey.assign(desc.Columns.size(), false);
    const auto primary = std::find_if(desc.Indexes.begin(), desc.Indexes.end(),
                                      [](const TIndexDesc& index) { return index.Primary; });
    if (primary == desc.Indexes.end()) return probe;
    QStringList matches;
    for (const QString& field : primary->Fields) {
        const int column = desc.ColumnIndex(field);
        probe.InKey[size_t(column)] = true;
        probe.Columns.push_back(column);
        // IS, unlike =, finds NULL by NULL; compared as the key's index compares.
        QString match = QuoteIdentifier(desc.Columns[size_t(column)].Name);
        if (primary->CaseInsensitive && IsTextType(desc.Columns[size_t(column)].Type))
            match += QStringLiteral(" COLLATE ") + QLatin1String(kNoCaseCollation);
        matches.append(match + QStringLiteral(" IS ?"));
    }
    matches.append(QStringLiteral("rowid IS NOT ?"));
    probe.Sql = QStringLiteral("SELECT 1 FROM %1 WHERE %2 LIMIT 1")
                    .arg(QuoteIdentifier(desc.Name), matches.join(QStringLiteral(" AND ")));
    return probe;
}
