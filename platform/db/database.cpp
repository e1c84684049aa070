#include "platform/db/database.h"
#include "platform/db/db_errors.h"
#include "platform/db/session.h"
#include "platform/engine/engine_session.h"

TDatabase::TDatabase(TComponent* owner)
    : TComponent(owner), session_(&::Session())
{
    session_->AddDatabase(this);
}

TDatabase::~TDatabase()
{
    if (session_) session_->RemoveDatabase(this);
}

void TDatabase::SetAliasName(const QString& alias)
{
    if (Connected()) DatabaseError(QStringLiteral("Cannot perform this operation on an open database"));
    aliasName_ = alias;
}

void TDatabase::SetDatabaseName(const QString& name)
{
    if (Connected()) DatabaseError(QStringLiteral("Cannot perform this operation on an open database"));
    const TDatabase* other = session_ ? session_->FindDatabase(name) : nullptr;
    if (other && other != this) DatabaseError(QStringLiteral("Duplicate database name '%1'").arg(name));
    databaseName_ = name;
}

void TDatabase::SetConnected(bool connected)
{
    if (connected)
        Open();
    else
        Close();
}

void TDatabase::Open()
{
    if (Connected()) return;
    if (databaseName_.isEmpty()) DatabaseError(QStringLiteral("Database name missing"));
    engine_ = TEngineSession::Default().OpenDatabase(aliasName_, databaseName_, true);
}

void TDatabase::Close()
{
    engine_.reset();
}

TSession* TDatabase::Session() const
{
    return session_;
}

TEngineDatabase& TDatabase::EngineDatabase()
{
    return *SharedEngineDatabase();
}

std::shared_ptr<TEngineDatabase> TDatabase::SharedEngineDatabase()
{
    Open();
    return engine_;
}

void TDatabase::StartTransaction()
{
    EngineDatabase().StartTransaction();
}

void TDatabase::Commit()
{
    EngineDatabase().Commit();
}

void TDatabase::Rollback()
{
    EngineDatabase().Rollback();
}

bool TDatabase::InTransaction() const
{
    return engine_ && engine_->InTransaction();
}
