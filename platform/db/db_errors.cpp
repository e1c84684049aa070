#include "platform/db/db_errors.h"
#include "platform/db/db_types.h"

void DatabaseError(const QString& message)
{
    throw EDatabaseError(message);
}

bool IsEditState(TDataSetState state)
{
    return state == dsEdit || state == dsInsert;
}

namespace DbText {
QString FieldNotFound(const QString& field) { return QStringLiteral("Field '%1' not found").arg(field); }
QString FieldReadOnly(const QString& field) { return QStringLiteral("Field '%1' cannot be modified").arg(field); }
QString FieldRangeError(const QString& value, const QString& field, const QString& low, const QString& high)
{
    return QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4")
        .arg(value, field, low, high);
}
QString FieldTypeMismatch(const QString& field) { return QStringLiteral("Type mismatch for field '%1'").arg(field); }
QString DuplicateFieldName(const QString& field) { return QStringLiteral("Duplicate field name '%1'").arg(field); }
QString IndexNotFound(const QString& index) { return QStringLiteral("Index '%1' not found").arg(index); }
QString DatabaseNotFound(const QString& database) { return QStringLiteral("Database '%1' not found").arg(database); }
QString NotEditing() { return QStringLiteral("Dataset not in edit or insert mode"); }
QString DataSetReadOnly() { return QStringLiteral("Cannot modify a read-only dataset"); }
QString DataSetClosed() { return QStringLiteral("Cannot perform this operation on a closed dataset"); }
QString DataSetOpen() { return QStringLiteral("Cannot perform this operation on an open dataset"); }
QString DataSetEmpty() { return QStringLiteral("Cannot perform this operation on an empty dataset"); }
QString NoIndexFields() { return QStringLiteral("No index currently active"); }
QString RecordDeleted() { return QStringLiteral("Record/Key deleted."); }
QString CircularDataLink() { return QStringLiteral("Circular datalinks are not allowed"); }
QString MasterRecordMissing() { return QStringLiteral("Master record missing"); }
QString NoTableName() { return QStringLiteral("Missing TableName property"); }
QString NoSql() { return QStringLiteral("No SQL statement available"); }
QString ParamNotFound(const QString& param) { return QStringLiteral("Parameter '%1' not found").arg(param); }
}
