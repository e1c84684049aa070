#pragma once
// The book's master/detail pairs as the catalogue links them (a detail
// table's master source and master fields), and the detail rows stored
// without their master: a line under a header that does not exist shows up
// under the next header that takes its code.
#include "data/table_catalogue.h"
#include "platform/engine/engine_database.h"
#include <QStringList>
#include <vector>

struct TMasterDetailPair {
    QString Master;
    QString Detail;
    QStringList Fields;   // the link fields, named alike in both tables
    QStringList DetailKey;
};

inline std::vector<TMasterDetailPair> MasterDetailPairs()
{
    std::vector<TMasterDetailPair> pairs;
    for (const TCatalogueTable* detail : AccountsCatalogue()) {
        if (!*detail->MasterSource || !detail->Deployed)
            continue;
        for (const TCatalogueTable* master : AccountsCatalogue())
            if (QLatin1String(master->DataSource) == QLatin1String(detail->MasterSource))
                pairs.push_back({master->TableName(), detail->TableName(), CatalogueFieldList(detail->MasterFields),
                                 CatalogueFieldList(detail->PrimaryKey)});
    }
    return pairs;
}

// Each detail row without its master, as "Detail key (under Master link)".
inline QStringList OrphanDetails(TEngineDatabase& db, const std::vector<TMasterDetailPair>& pairs)
{
    QStringList orphans;
    for (const TMasterDetailPair& pair : pairs) {
        QStringList match;
        for (const QString& field : pair.Fields)
            match << QStringLiteral("m.%1 = d.%1").arg(field);
        const QStringList& shown = pair.DetailKey.isEmpty() ? pair.Fields : pair.DetailKey;
        QStringList columns;
        for (const QString& field : shown)
            columns << QStringLiteral("d.") + field;
        const auto result = db.Query(QStringLiteral("select %1 from %2 d where not exists (select 1 from %3 m where %4)")
                                         .arg(columns.join(QStringLiteral(", ")), pair.Detail, pair.Master,
                                              match.join(QStringLiteral(" and "))));
        while (result->Next()) {
            QStringList key;
            for (int column = 0; column < result->ColumnCount(); ++column)
                key << result->Value(column).toString();
            orphans << QStringLiteral("%1 %2 (no %3 %4)")
                           .arg(pair.Detail, key.join(QLatin1Char('|')), pair.Master, pair.Fields.join(QLatin1Char('|')));
        }
    }
    return orphans;
}
