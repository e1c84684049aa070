#include "bench/support/bank_database.h"
#include "bench/support/generate.h"
#include "platform/db/database.h"
#include "platform/db/session.h"
#include <QFileInfo>

const QString& BankDatabaseName()
{
    static const QString name = [] {
        const QFileInfo file(BankTransactions().Path);
        Session().AddStandardAlias(QStringLiteral("BenchBank"), file.absolutePath());
        auto* database = new TDatabase(&Session());
        database->SetAliasName(QStringLiteral("BenchBank"));
        database->SetDatabaseName(file.completeBaseName());
        database->SetLoginPrompt(false);
        database->Open();
        return file.completeBaseName();
    }();
    return name;
}
