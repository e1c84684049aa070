#include "platform/db/engine_dataset.h"
#include "platform/db/database.h"
#include "platform/db/db_errors.h"
#include "platform/db/session.h"

TEngineDataSet::TEngineDataSet(TComponent* owner)
    : TDataSet(owner)
{
}

TEngineDataSet::~TEngineDataSet() = default;

void TEngineDataSet::SetDatabaseName(const QString& name)
{
    CheckInactive();
    databaseName_ = name;
}

TDatabase* TEngineDataSet::Database() const
{
    if (databaseName_.isEmpty()) DatabaseError(QStringLiteral("Database name missing"));
    return Session().OpenDatabase(databaseName_);
}

TEngineDatabase& TEngineDataSet::EngineDatabase() const
{
    return Database()->EngineDatabase();
}
