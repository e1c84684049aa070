#pragma once
// TEngineDataSet: a dataset on one of the engine's databases, found by the
// name of its TDatabase (DatabaseName) through the session.
#include "platform/db/dataset.h"
#include "platform/engine/engine_database.h"

class TDatabase;

class TEngineDataSet : public TDataSet {
    Q_OBJECT
    Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE SetDatabaseName)
public:
    explicit TEngineDataSet(TComponent* owner = nullptr);
    ~TEngineDataSet() override;

    const QString& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const QString& name);   // EDatabaseError while open
    // The database component of that name, connected; EDatabaseError when there is none.
    TDatabase* Database() const;
    TEngineDatabase& EngineDatabase() const;

private:
    QString databaseName_;
};
