#include "platform/engine/sqlite_result_set.h"
#include <QRegularExpression>
#include <algorithm>
#include <sqlite3.h>

namespace {
// Texts of an expression longer than this still read whole; it is the size a
// dataset gives the field.
constexpr int kExpressionTextSize = 255;

TDeclaredType TypeOfValue(const QVariant& value) {
    using enum TFieldType;
    static const QRegularExpression isoDate(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    static const QRegularExpression isoStamp(QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}(\\.\\d{1,3})?$"));
    switch (value.typeId()) {
    case QMetaType::LongLong: return {ftInteger, 0};
    case QMetaType::Double: return {ftFloat, 0};
    case QMetaType::QByteArray: return {ftBlob, 0};
    default: break;
    }
    const QString text = value.toString();
    if (isoDate.match(text).hasMatch()) return {ftDate, 0};
    if (isoStamp.match(text).hasMatch()) return {ftDateTime, 0};
    return {ftString, kExpressionTextSize};
}
}  // namespace

TSqliteResultSet::TSqliteResultSet(std::shared_ptr<const TEngineDatabase> owner,
                                   std::unique_ptr<TSqliteStatement> statement)
    : owner_(std::move(owner)), statement_(std::move(statement)) {
    sqlite3_stmt* handle = statement_->Handle();
    const int count = sqlite3_column_count(handle);
    for (int i = 0; i < count; ++i) {
        TColumn column;
        column.Name = QString::fromUtf8(sqlite3_column_name(handle, i));
        const char* declared = sqlite3_column_decltype(handle, i);
        if (declared) column.Declared = ParseDeclaredType(QString::fromUtf8(declared));
        column.Resolved = column.Declared.Type != TFieldType::ftUnknown;
        columns_.push_back(column);
    }
}

const TSqliteResultSet::TColumn& TSqliteResultSet::At(int column) const {
    if (column < 0 || column >= int(columns_.size()))
        throw EDatabaseError(QStringLiteral("Column %1 does not exist in the result of: %2").arg(column).arg(statement_->Sql()));
    return columns_[size_t(column)];
}

QString TSqliteResultSet::ColumnName(int column) const { return At(column).Name; }

bool TSqliteResultSet::ReadAhead() const {
    if (done_) return false;
    if (!statement_->Step()) {
        done_ = true;
        statement_->Reset();   // ends the statement's read of the file
        return false;
    }
    TRow row(columns_.size());
    for (size_t i = 0; i < row.size(); ++i) row[i] = statement_->Column(int(i));
    pending_.push_back(std::move(row));
    return true;
}

void TSqliteResultSet::Resolve(int column) const {
    TColumn& entry = columns_[size_t(column)];
    if (entry.Resolved) return;
    auto firstValue = [&]() -> const QVariant* {
        if (onRow_ && !current_[size_t(column)].isNull()) return &current_[size_t(column)];
        for (const TRow& row : pending_)
            if (!row[size_t(column)].isNull()) return &row[size_t(column)];
        return nullptr;
    };
    const QVariant* value = firstValue();
    while (!value && ReadAhead())
        if (!pending_.back()[size_t(column)].isNull()) value = &pending_.back()[size_t(column)];
    entry.Declared = value ? TypeOfValue(*value) : TDeclaredType{TFieldType::ftString, kExpressionTextSize};
    entry.Resolved = true;
    // A union may start a money column with the constant 0: the column is a
    // float when any of its values is.
    if (entry.Declared.Type == TFieldType::ftInteger) {
        while (ReadAhead()) {
        }
        for (const TRow& row : pending_)
            if (row[size_t(column)].typeId() == QMetaType::Double) entry.Declared.Type = TFieldType::ftFloat;
    }
}

TFieldType TSqliteResultSet::ColumnType(int column) const {
    At(column);
    Resolve(column);
    return columns_[size_t(column)].Declared.Type;
}

int TSqliteResultSet::ColumnSize(int column) const {
    At(column);
    Resolve(column);
    return columns_[size_t(column)].Declared.Size;
}

// Rows read ahead go first; after them, with every column's type known, rows
// are read straight from the statement, converting repeated values once.
bool TSqliteResultSet::Next() {
    if (pending_.empty()) {
        const bool resolved =
            std::all_of(columns_.begin(), columns_.end(), [](const TColumn& column) { return column.Resolved; });
        if (resolved) return ReadDirect();
    }
    direct_ = false;
    if (pending_.empty() && !ReadAhead()) {
        onRow_ = false;
        current_.clear();
        return false;
    }
    current_ = std::move(pending_.front());
    pending_.pop_front();
    onRow_ = true;
    return true;
}

bool TSqliteResultSet::ReadDirect() {
    current_.clear();
    if (done_ || !statement_->Step()) {
        if (!done_) statement_->Reset();   // ends the statement's read of the file
        done_ = true;
        onRow_ = direct_ = false;
        return false;
    }
    if (readers_.empty()) {
        for (const TColumn& column : columns_) readers_.emplace_back(column.Declared.Type);
        readerRow_.assign(readers_.size(), 0);
    }
    ++row_;
    if (!bulk_)
        for (size_t i = 0; i < readers_.size(); ++i) {
            readers_[i].Read(*statement_, int(i));
            readerRow_[i] = row_;
        }
    onRow_ = direct_ = true;
    return true;
}

QVariant TSqliteResultSet::Value(int column) const {
    At(column);
    if (!onRow_) throw EDatabaseError(QStringLiteral("No current row in the result of: %1").arg(statement_->Sql()));
    if (direct_) {
        if (readerRow_[size_t(column)] != row_) {
            readers_[size_t(column)].Read(*statement_, column);
            readerRow_[size_t(column)] = row_;
        }
        return readers_[size_t(column)].Value();
    }
    return StorageToValue(current_[size_t(column)], ColumnType(column));
}

std::pair<sqlite3_value*, int> TSqliteResultSet::DirectCell(int column) const {
    At(column);
    if (!direct_) return {nullptr, -1};
    bulk_ = true;
    // One call of the statement, the rest plain reads of the cell.
    sqlite3_value* cell = sqlite3_column_value(statement_->Handle(), column);
    const int storage = sqlite3_value_type(cell);
    const TFieldType type = columns_[size_t(column)].Declared.Type;
    bool kept = false;
    switch (storage) {
    case SQLITE_NULL: kept = true; break;
    case SQLITE_TEXT: kept = IsTextType(type); break;
    case SQLITE_FLOAT:
        kept = type == TFieldType::ftFloat || type == TFieldType::ftCurrency || type == TFieldType::ftBCD;
        break;
    case SQLITE_INTEGER:
        kept = type == TFieldType::ftSmallint || type == TFieldType::ftInteger || type == TFieldType::ftWord ||
               type == TFieldType::ftAutoInc;
        break;
    default: break;
    }
    return kept ? std::pair(cell, storage) : std::pair<sqlite3_value*, int>(nullptr, -1);
}

QByteArrayView TSqliteResultSet::Utf8(int column) const {
    const auto [cell, storage] = DirectCell(column);
    switch (storage) {
    case SQLITE_NULL: return {};
    case SQLITE_TEXT:
        return QByteArrayView(reinterpret_cast<const char*>(sqlite3_value_text(cell)), sqlite3_value_bytes(cell));
    default: {
        const QVariant value = Value(column);
        text_ = value.isNull() ? QByteArray() : value.toString().toUtf8();
        return text_;
    }
    }
}

double TSqliteResultSet::Float(int column) const {
    const auto [cell, storage] = DirectCell(column);
    switch (storage) {
    case SQLITE_NULL: return 0.0;
    case SQLITE_FLOAT: return sqlite3_value_double(cell);
    default: {
        const QVariant value = Value(column);
        return value.isNull() ? 0.0 : value.toDouble();
    }
    }
}

qint64 TSqliteResultSet::Integer(int column) const {
    const auto [cell, storage] = DirectCell(column);
    switch (storage) {
    case SQLITE_NULL: return 0;
    case SQLITE_INTEGER: return sqlite3_value_int64(cell);
    default: {
        const QVariant value = Value(column);
        return value.isNull() ? 0 : value.toLongLong();
    }
    }
}
