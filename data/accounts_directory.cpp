#include "data/accounts_directory.h"
#include "platform/db/session.h"
#include <QDir>

QString DefaultAccountsDirectory() {
    const QString own = qEnvironmentVariable("VRACCOUNTS_DIR");
    if (!own.isEmpty()) return own;
    const QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!data.isEmpty()) return QDir(data).filePath(QStringLiteral("vraccounts"));
    return QDir::home().filePath(QStringLiteral(".local/share/vraccounts"));
}

void RegisterAccountsAlias() {
    if (!Session().IsAlias(AccountsAlias))
        Session().AddStandardAlias(AccountsAlias, DefaultAccountsDirectory());
}

QString AccountsFile(const QString& name) {
    return QDir(Session().AliasPath(AccountsAlias)).filePath(name);
}
