#pragma once
// The rows of the book that a detail holds under a link value no row of its
// master holds: over every master/detail link the data modules set up
// (each table with a MasterSource and MasterFields), read from the file.
// Each row is named "DetailTable: Field=value[, Field=value]".
//
//   EXPECT_EQ(OrphanDetailRows({adm1.get(), adm2.get(), adm3.get()}), QStringList{});
#include "platform/db/data_source.h"
#include "platform/db/table.h"
#include <QObject>
#include <QStringList>
#include <initializer_list>

inline QStringList OrphanDetailRows(std::initializer_list<const QObject*> modules)
{
    QStringList orphans;
    for (const QObject* module : modules) {
        for (const TTable* detail : module->findChildren<TTable*>()) {
            const TDataSource* source = detail->MasterSource();
            const auto* master = source ? qobject_cast<const TTable*>(source->DataSet()) : nullptr;
            if (!master || detail->MasterFields().isEmpty())
                continue;
            const QStringList masterFields = detail->MasterFields().split(QLatin1Char(';'));
            const QStringList detailFields = detail->DetailLinkFields();
            QStringList matches;
            for (int i = 0; i < masterFields.size(); ++i)
                matches << QStringLiteral("m.%1 = d.%2").arg(masterFields[i], detailFields[i]);
            const QString sql = QStringLiteral("select d.%1 from %2 d where not exists (select * from %3 m where %4)")
                                    .arg(detailFields.join(QStringLiteral(", d.")), detail->TableName(),
                                         master->TableName(), matches.join(QStringLiteral(" and ")));
            const auto rows = detail->EngineDatabase().Query(sql);
            while (rows->Next()) {
                QStringList values;
                for (int i = 0; i < detailFields.size(); ++i)
                    values << detailFields[i] + QLatin1Char('=') + rows->Value(i).toString();
                orphans << detail->TableName() + QStringLiteral(": ") + values.join(QStringLiteral(", "));
            }
        }
    }
    return orphans;
}
