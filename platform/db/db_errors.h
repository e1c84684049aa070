#pragma once
// The class library's error texts and the routine that raises them.
#include "platform/rtl/exceptions.h"
#include <QString>

[[noreturn]] void DatabaseError(const QString& message);

namespace DbText {
QString FieldNotFound(const QString& field);          // Field 'X' not found
QString FieldReadOnly(const QString& field);          // Field 'X' cannot be modified
QString FieldRangeError(const QString& value, const QString& field, const QString& low, const QString& high);
QString FieldTypeMismatch(const QString& field);
QString DuplicateFieldName(const QString& field);
QString IndexNotFound(const QString& index);
QString DatabaseNotFound(const QString& database);
QString NotEditing();          // Dataset not in edit or insert mode
QString DataSetReadOnly();     // Cannot modify a read-only dataset
QString DataSetClosed();       // Cannot perform this operation on a closed dataset
QString DataSetOpen();         // Cannot perform this operation on an open dataset
QString DataSetEmpty();        // Cannot perform this operation on an empty dataset
QString NoIndexFields();       // No index currently active
QString RecordDeleted();       // Record/Key deleted.
QString CircularDataLink();
QString MasterRecordMissing();   // a detail row without a row of its master
QString NoTableName();         // Missing TableName property
QString NoSql();               // No SQL statement available
QString ParamNotFound(const QString& param);
}
