#pragma once
// The engine's session: aliases (a name for a directory) and the table
// passwords it was given. One default session serves the program.
#include "platform/engine/engine_database.h"
#include <QMap>
#include <QString>
#include <QStringList>
#include <map>

class TEngineSession {
public:
    TEngineSession();

    void AddAlias(const QString& alias, const QString& directory);
    bool IsAlias(const QString& alias) const;                 // case-insensitive
    QString AliasPath(const QString& alias) const;            // EDatabaseError when unknown

    void AddPassword(const QString& password);
    void RemovePassword(const QString& password);
    void RemoveAllPasswords();
    bool HoldsPassword(const QString& password) const;
    const QStringList& Passwords() const { return passwords_; }

    // Opens (creating the directory and file when create is true) the database
    // <alias directory>/<databaseName>.sqlite; a file already open gives the same database.
    std::shared_ptr<TEngineDatabase> OpenDatabase(const QString& alias, const QString& databaseName,
                                                  bool create);

    static TEngineSession& Default();

private:
    QMap<QString, QString> aliases_;   // lower-case alias -> directory
    QStringList passwords_;
    std::map<QString, std::weak_ptr<TEngineDatabase>> open_;   // by file path: one database per file
};
