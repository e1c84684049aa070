#pragma once
// TDatabase: the connection component of an engine database, on an alias.
// Datasets find it by its DatabaseName through its session.
#include "platform/engine/engine_database.h"
#include "platform/rtl/component.h"
#include <memory>

class TSession;

class TDatabase : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString AliasName READ AliasName WRITE SetAliasName)
    Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE SetDatabaseName)
    Q_PROPERTY(bool LoginPrompt READ LoginPrompt WRITE SetLoginPrompt)
    Q_PROPERTY(bool Connected READ Connected WRITE SetConnected)
public:
    explicit TDatabase(TComponent* owner = nullptr);
    ~TDatabase() override;

    const QString& AliasName() const { return aliasName_; }
    void SetAliasName(const QString& alias);      // EDatabaseError while connected
    // The name datasets use; it is also the file's name in the alias directory.
    const QString& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const QString& name);    // EDatabaseError while connected or when taken
    // The engine never asks for a login; kept as the system sets it.
    bool LoginPrompt() const { return loginPrompt_; }
    void SetLoginPrompt(bool prompt) { loginPrompt_ = prompt; }

    bool Connected() const { return engine_ != nullptr; }
    void SetConnected(bool connected);
    // Opens <alias directory>/<DatabaseName>.sqlite, creating it when missing.
    void Open();
    void Close();
    bool IsSQLBased() const { return false; }
    TSession* Session() const;

    // The open engine database; opens first when needed.
    TEngineDatabase& EngineDatabase();
    std::shared_ptr<TEngineDatabase> SharedEngineDatabase();

    // Bulk work in one transaction.
    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const;

private:
    friend class TSession;
    TSession* session_;         // cleared when the session goes first
    QString aliasName_;
    QString databaseName_;
    bool loginPrompt_ = true;
    std::shared_ptr<TEngineDatabase> engine_;
};
