#pragma once
// TSession: the program's session of the engine: its databases by name, the
// table passwords (held by the engine's default session) and the aliases.
#include "platform/rtl/component.h"
#include <QStringList>
#include <vector>

class TDatabase;

class TSession : public TComponent {
    Q_OBJECT
public:
    explicit TSession(TComponent* owner = nullptr);
    ~TSession() override;

    // A protected table opens once its password has been given.
    void AddPassword(const QString& password);
    void RemovePassword(const QString& password);
    void RemoveAllPasswords();

    void AddStandardAlias(const QString& name, const QString& path);
    bool IsAlias(const QString& name) const;
    QString AliasPath(const QString& name) const;     // EDatabaseError when unknown

    int DatabaseCount() const { return int(databases_.size()); }
    TDatabase* Databases(int index) const { return databases_.at(size_t(index)); }
    // By DatabaseName, case-insensitive; null when none.
    TDatabase* FindDatabase(const QString& name) const;
    // The named database, connected. A name that is no database component but an
    // alias opens a database of the session on that alias.
    TDatabase* OpenDatabase(const QString& name);

private:
    friend class TDatabase;
    void AddDatabase(TDatabase* database);
    void RemoveDatabase(TDatabase* database);

    std::vector<TDatabase*> databases_;
};

// The default session.
TSession& Session();
