#include "bench/support/bank_database.h"
#include "bench/support/generate.h"
#include "platform/db/database.h"
#include "platform/db/session.h"
#include <QFileInfo>
#include <map>

const QString& BankDatabaseName(int rows)
{
    static std::map<int, QString> opened;
    QString& name = opened[rows];
    if (name.isEmpty()) {
        const QFileInfo file(BankTransactions(rows).Path);
        const QString alias = QStringLiteral("BenchBank%1").arg(rows);
        Session().AddStandardAlias(alias, file.absolutePath());
        auto* database = new TDatabase(&Session());
        database->SetAliasName(alias);
        database->SetDatabaseName(file.completeBaseName());
        database->SetLoginPrompt(false);
        database->Open();
        name = file.completeBaseName();
    }
    return name;
}
