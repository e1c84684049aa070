#pragma once
// TQuery: a statement of the system's SQL dialect, given line by line. Open
// reads the result rows into memory and navigates them as any dataset; ExecSQL
// runs a statement without rows. Result sets are read-only: RequestLive is
// kept, but a query never edits its rows (Edit, Insert and Delete raise
// "Cannot modify a read-only dataset"); the system changes rows with
// statements or through tables.
#include "platform/db/data_source.h"
#include "platform/db/engine_dataset.h"
#include "platform/db/params.h"
#include "platform/rtl/string_list.h"
#include <QPointer>

class TQueryMasterLink;

class TQuery : public TEngineDataSet {
    Q_OBJECT
    Q_PROPERTY(bool RequestLive READ RequestLive WRITE SetRequestLive)
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
public:
    explicit TQuery(TComponent* owner = nullptr);
    ~TQuery() override;

    // The statement's lines. Changing them closes the query and re-reads the parameters.
    TStringList* SQL() { return &sql_; }
    const TStringList* SQL() const { return &sql_; }
    QString Text() const;                        // the lines joined by blanks

    TParams& Params() { return params_; }
    int ParamCount() const { return params_.Count(); }
    TParam* ParamByName(const QString& name) { return params_.ParamByName(name); }

    // A master whose fields give the values of parameters not set in code; the
    // query runs again when the master moves.
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);

    bool RequestLive() const { return requestLive_; }
    void SetRequestLive(bool live) { requestLive_ = live; }

    void ExecSQL();
    int RowsAffected() const { return rowsAffected_; }

    bool CanModify() const override { return false; }
    TDataSource* GetDataSource() const override;

protected:
    std::unique_ptr<TEngineCursor> CreateHandle() override;

private:
    friend class TQueryMasterLink;
    void SqlChanged();
    std::vector<QVariant> BoundValues() const;
    void MasterChanged();

    TStringList sql_;
    TParams params_;
    QStringList paramOrder_;           // names as they occur in the text
    bool requestLive_ = false;
    int rowsAffected_ = -1;
    std::unique_ptr<TQueryMasterLink> masterLink_;
};
