#include "platform/db/session.h"
#include "platform/db/database.h"
#include "platform/db/db_errors.h"
#include "platform/engine/engine_session.h"
#include <algorithm>

TSession::TSession(TComponent* owner)
    : TComponent(owner)
{
}

TSession::~TSession()
{
    for (TDatabase* database : databases_) database->session_ = nullptr;
    databases_.clear();
}

void TSession::AddPassword(const QString& password)
{
    TEngineSession::Default().AddPassword(password);
}

void TSession::RemovePassword(const QString& password)
{
    TEngineSession::Default().RemovePassword(password);
}

void TSession::RemoveAllPasswords()
{
    TEngineSession::Default().RemoveAllPasswords();
}

void TSession::AddStandardAlias(const QString& name, const QString& path)
{
    TEngineSession::Default().AddAlias(name, path);
}

bool TSession::IsAlias(const QString& name) const
{
    return TEngineSession::Default().IsAlias(name);
}

QString TSession::AliasPath(const QString& name) const
{
    return TEngineSession::Default().AliasPath(name);
}

TDatabase* TSession::FindDatabase(const QString& name) const
{
    for (TDatabase* database : databases_)
        if (database->DatabaseName().compare(name, Qt::CaseInsensitive) == 0) return database;
    return nullptr;
}

TDatabase* TSession::OpenDatabase(const QString& name)
{
    TDatabase* database = FindDatabase(name);
    if (!database) {
        if (!IsAlias(name)) DatabaseError(DbText::DatabaseNotFound(name));
        database = new TDatabase(this);
        database->SetAliasName(name);
        database->SetDatabaseName(name);
        database->SetLoginPrompt(false);
    }
    database->Open();
    return database;
}

void TSession::AddDatabase(TDatabase* database)
{
    databases_.push_back(database);
}

void TSession::RemoveDatabase(TDatabase* database)
{
    databases_.erase(std::remove(databases_.begin(), databases_.end(), database), databases_.end());
}

TSession& Session()
{
    static TSession session;
    return session;
}
