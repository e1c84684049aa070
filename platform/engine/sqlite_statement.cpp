#include "platform/engine/sqlite_statement.h"
#include "platform/engine/column_values.h"
#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace {

ESqliteError SqliteError(sqlite3* db, int code, const QString& context) {
    QString detail = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
    const int extended = db ? sqlite3_extended_errcode(db) : code;
    // A damaged file is no fault of the statement that met it: say which file
    // it is, whatever was being done.
    const int primary = extended & 0xff;
    if (db && (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB))
        detail = QStringLiteral("The database file %1 is damaged (%2)")
                     .arg(QString::fromUtf8(sqlite3_db_filename(db, "main")), detail);
    return ESqliteError(context.isEmpty() ? detail : context + QStringLiteral(": ") + detail, extended);
}

}  // namespace

void RaiseSqliteError(sqlite3* db, int code, const QString& context) { throw SqliteError(db, code, context); }

TSqliteStatement::TSqliteStatement(sqlite3* db, const QString& sql) : db_(db), sql_(sql) {
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        RaiseSqliteError(db, rc, QString());
    }
}

TSqliteStatement::~TSqliteStatement() { sqlite3_finalize(stmt_); }

int TSqliteStatement::ParameterCount() const { return sqlite3_bind_parameter_count(stmt_); }

void TSqliteStatement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

// Encodes short texts into a buffer per parameter that the statement keeps
// and SQLite reads in place until the parameter is bound again: a row of
// codes and names written costs no allocation. A buffer is only written while
// the statement is not running, when nothing reads it.
int TSqliteStatement::BindText(int index, const QString& text) {
    constexpr qsizetype kBufferedText = 1024;   // longer texts (memos) are not kept around
    if (text.size() > kBufferedText || index < 1 || index > ParameterCount() || sqlite3_stmt_busy(stmt_)) {
        const QByteArray bytes = text.toUtf8();
        return sqlite3_bind_text64(stmt_, index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT,
                                   SQLITE_UTF8);
    }
    if (bound_.empty()) bound_.resize(size_t(ParameterCount()));
    std::string& buffer = bound_[size_t(index) - 1];
    buffer.resize(size_t(text.size()) * 3);
    char* const end = utf8_.appendToBuffer(buffer.data(), text);
    return sqlite3_bind_text64(stmt_, index, buffer.data(), sqlite3_uint64(end - buffer.data()), SQLITE_STATIC,
                               SQLITE_UTF8);
}

void TSqliteStatement::Rewind() { sqlite3_reset(stmt_); }

void TSqliteStatement::Bind(int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
            rc = sqlite3_bind_int64(stmt_, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt_, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(stmt_, index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QString:
            rc = BindText(index, *static_cast<const QString*>(value.constData()));
            break;
        default:
            rc = BindText(index, value.toString());
            break;
        }
    }
    if (rc != SQLITE_OK) RaiseSqliteError(db_, rc, QStringLiteral("Cannot bind parameter %1").arg(index));
}

void TSqliteStatement::BindAll(const std::vector<QVariant>& values, int first) {
    for (size_t i = 0; i < values.size(); ++i) Bind(first + int(i), values[i]);
}

bool TSqliteStatement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    const ESqliteError error = SqliteError(db_, rc, QString());
    sqlite3_reset(stmt_);
    throw error;
}

QVariant TSqliteStatement::Column(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, column));
    case SQLITE_TEXT: {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt_, column)));
    }
    case SQLITE_BLOB: {
        const char* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(stmt_, column)));
    }
    default:
        return QVariant();
    }
}

qlonglong TSqliteStatement::ColumnInt(int column) const { return sqlite3_column_int64(stmt_, column); }

namespace {
bool IsShortAscii(std::string_view bytes) {
    return bytes.size() <= 64 && std::none_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
}

void Widen(std::string_view bytes, QChar* out) {
    for (char c : bytes) *out++ = QChar(char16_t(c));
}

// A stored text as a QString. Codes, dates and most descriptions are plain
// ASCII: widened in place, without the general decoder's set-up per text.
QString TextOf(std::string_view bytes) {
    if (!IsShortAscii(bytes)) return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    Widen(bytes, text.data());
    return text;
}

// Sets a stored text into a QVariant: into the string it already holds when
// nothing else shares that string and it has the room, so that a column whose
// texts do not repeat (serial numbers) is read without an allocation per row.
void SetText(QVariant& into, std::string_view bytes) {
    const qsizetype size = qsizetype(bytes.size());
    if (TColumnReader::Holds<QString>(into) && IsShortAscii(bytes)) {
        QString& text = *static_cast<QString*>(into.data());
        if (text.isDetached() && text.size() + text.data_ptr().freeSpaceAtEnd() >= size) {
            text.resize(size);
            Widen(bytes, text.data());
            return;
        }
    }
    into = QVariant(TextOf(bytes));
}

constexpr size_t kSeenSlots = 256;      // per column: codes, the dates of most of a year
constexpr size_t kSeenTextSize = 64;    // longer texts are rarely met twice
constexpr int kTextsBeforeSlots = 16;
constexpr int kMissesBeforeNoSlots = 4096;   // texts in a row not found in the slots
}  // namespace

TColumnReader::TColumnReader(TFieldType type)
    : type_(type),
      floating_(type == TFieldType::ftFloat || type == TFieldType::ftCurrency || type == TFieldType::ftBCD),
      textual_(IsTextType(type)) {}

void TColumnReader::Read(const TSqliteStatement& statement, int column) {
    // The column's value is read through its cell: one call of the statement
    // per column, the rest plain reads of the cell (the connection is used by
    // one thread only).
    sqlite3_value* cell = sqlite3_column_value(statement.Handle(), column);
    switch (sqlite3_value_type(cell)) {
    case SQLITE_NULL:
        if (last_ == TLast::Null && held_) return;
        last_ = TLast::Null;
        value_ = QVariant();
        same_ = held_ = true;
        return;
    case SQLITE_INTEGER: {
        const qint64 integer = sqlite3_value_int64(cell);
        const bool repeated = last_ == TLast::Integer && integer == integer_;
        Repeated(repeated);
        if (repeated && held_) return;
        last_ = TLast::Integer;
        integer_ = integer;
        stored_ = QVariant(qlonglong(integer));
        break;
    }
    case SQLITE_FLOAT:
        Repeated(false);
        if (floating_) {   // the value is the stored float, made into a QVariant once needed
            last_ = TLast::Float;
            float_ = sqlite3_value_double(cell);
            held_ = false;
            same_ = true;
            return;
        }
        last_ = TLast::None;
        stored_ = QVariant(sqlite3_value_double(cell));
        break;
    case SQLITE_TEXT: {
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(cell));
        const std::string_view bytes(text, size_t(sqlite3_value_bytes(cell)));
        if (last_ == TLast::Text && held_ && bytes == bytes_) {
            Repeated(true);
            return;
        }
        last_ = TLast::Text;
        bytes_.assign(bytes);
        held_ = true;
        TSeen* slot = nullptr;
        size_t hash = 0;
        // Only a column read for a while gets its slots: most results are a few rows.
        if (bytes.size() <= kSeenTextSize && misses_ < kMissesBeforeNoSlots &&
            (!seen_.empty() || ++texts_ > kTextsBeforeSlots)) {
            if (seen_.empty()) seen_.resize(kSeenSlots);
            hash = std::hash<std::string_view>()(bytes);
            slot = &seen_[hash % kSeenSlots];
            if (slot->Used && slot->Hash == hash && slot->Bytes == bytes) {
                misses_ = 0;
                Repeated(true);
                value_ = slot->Value;
                same_ = slot->Same;
                if (!same_) stored_ = slot->Stored;
                return;
            }
        }
        if (slot) ++misses_;
        Repeated(false);
        if (textual_) {
            SetText(value_, bytes);
            same_ = true;
        } else {
            SetText(stored_, bytes);
            value_ = StorageToValue(stored_, type_);
            same_ = false;
        }
        // A column that does not repeat (serial numbers) leaves the slots it found taken.
        if (slot && (!slot->Used || repeats_ > 0))
            *slot = {true, hash, bytes_, same_, same_ ? QVariant() : stored_, value_};
        return;
    }
    default:
        Repeated(false);
        last_ = TLast::None;
        stored_ = statement.Column(column);
        break;
    }
    held_ = true;
    same_ = false;
    value_ = StorageToValue(stored_, type_);
}

