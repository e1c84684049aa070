#include "platform/db/query.h"
#include "platform/db/data_link.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include "platform/db/memory_cursor.h"

// Follows the query's DataSource: a move of the master runs the query again.
class TQueryMasterLink : public TDataLink {
public:
    explicit TQueryMasterLink(TQuery& query) : query_(query) {}

protected:
    void ActiveChanged() override { query_.MasterChanged(); }
    void DataSetChanged() override { query_.MasterChanged(); }
    void DataSetScrolled(int) override { query_.MasterChanged(); }
    void RecordChanged(TField* field) override
    {
        if (!field) query_.MasterChanged();
    }

private:
    TQuery& query_;
};

TQuery::TQuery(TComponent* owner)
    : TEngineDataSet(owner), masterLink_(std::make_unique<TQueryMasterLink>(*this))
{
    sql_.OnChange = [this](TStrings&) { SqlChanged(); };
}

TQuery::~TQuery()
{
    sql_.OnChange = nullptr;
    masterLink_.reset();
}

QString TQuery::Text() const
{
    return sql_.ToQStringList().join(QLatin1Char(' '));
}

void TQuery::SqlChanged()
{
    Close();
    paramOrder_ = ParseSqlParams(Text());
    params_.Rebuild(paramOrder_);
}

TDataSource* TQuery::DataSource() const
{
    return masterLink_->DataSource();
}

void TQuery::SetDataSource(TDataSource* source)
{
    if (source && source->IsLinkedTo(this)) DatabaseError(DbText::CircularDataLink());
    if (source && source->DataSet() == this) DatabaseError(DbText::CircularDataLink());
    masterLink_->SetDataSource(source);
}

TDataSource* TQuery::GetDataSource() const
{
    return DataSource();
}

// A parameter without a value of its own takes the master's field of its name.
std::vector<QVariant> TQuery::BoundValues() const
{
    const TDataSet* master = masterLink_->Active() ? masterLink_->DataSet() : nullptr;
    std::vector<QVariant> values;
    for (const QString& name : paramOrder_) {
        TParam* param = const_cast<TParams&>(params_).FindParam(name);
        QVariant value = param->Value();
        if (!param->Bound() && master) {
            if (const TField* field = master->FindField(name)) value = field->Value();
        }
        values.push_back(value);
    }
    return values;
}

std::unique_ptr<TEngineCursor> TQuery::CreateHandle()
{
    if (sql_.Count() == 0) DatabaseError(DbText::NoSql());
    std::unique_ptr<TResultSet> result = EngineDatabase().Query(Text(), BoundValues());
    return TMemoryCursor::FromResultSet(*result);
}

void TQuery::ExecSQL()
{
    if (sql_.Count() == 0) DatabaseError(DbText::NoSql());
    rowsAffected_ = EngineDatabase().Execute(Text(), BoundValues());
}

void TQuery::MasterChanged()
{
    if (!Active()) return;
    Close();
    Open();
}
