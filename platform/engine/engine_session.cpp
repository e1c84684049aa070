#include "platform/engine/engine_session.h"
#include <QDir>
#include <QFileInfo>

TEngineSession::TEngineSession() = default;

void TEngineSession::AddAlias(const QString& alias, const QString& directory) { aliases_.insert(alias.toLower(), directory); }

bool TEngineSession::IsAlias(const QString& alias) const {
    return aliases_.contains(alias.toLower());
}

QString TEngineSession::AliasPath(const QString& alias) const {
    const QString key = alias.toLower();
    if (aliases_.contains(key)) return aliases_.value(key);
    throw EDatabaseError(QStringLiteral("Unknown database alias %1").arg(alias));
}

void TEngineSession::AddPassword(const QString& password) {
    if (!password.isEmpty() && !passwords_.contains(password)) passwords_.append(password);
}

void TEngineSession::RemovePassword(const QString& password) { passwords_.removeAll(password); }

void TEngineSession::RemoveAllPasswords() { passwords_.clear(); }

bool TEngineSession::HoldsPassword(const QString& password) const { return passwords_.contains(password); }

std::shared_ptr<TEngineDatabase> TEngineSession::OpenDatabase(const QString& alias, const QString& databaseName,
                                                              bool create) {
    const QString directory = AliasPath(alias);
    if (!QFileInfo(directory).isDir()) {
        if (!create)
            throw EDatabaseError(QStringLiteral("The directory %1 of alias %2 does not exist").arg(directory, alias));
        if (!QDir().mkpath(directory))
            throw EDatabaseError(QStringLiteral("Cannot create the directory %1 of alias %2").arg(directory, alias));
        QFile::setPermissions(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QString path = QFileInfo(QDir(directory).filePath(databaseName + QStringLiteral(".sqlite"))).absoluteFilePath();
    if (std::shared_ptr<TEngineDatabase> open = open_[path].lock()) return open;
    std::shared_ptr<TEngineDatabase> database = TEngineDatabase::Open(path, create, this);
    open_[path] = database;
    return database;
}

TEngineSession& TEngineSession::Default() {
    static TEngineSession session;
    return session;
}
