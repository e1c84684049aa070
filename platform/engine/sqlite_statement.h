#pragma once
// Owning wrappers of SQLite's statement handle and the error it raises.
#include "platform/engine/field_types.h"
#include "platform/rtl/exceptions.h"
#include <QStringEncoder>
#include <QVariant>
#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// An engine error that remembers SQLite's extended result code, so callers
// can turn a constraint failure into the text the program shows.
class ESqliteError : public EDatabaseError {
public:
    ESqliteError(QString message, int code) : EDatabaseError(std::move(message)), Code(code) {}
    int Code;
};

[[noreturn]] void RaiseSqliteError(sqlite3* db, int code, const QString& context);

// Values bound and read here are in storage form: a null QVariant, qlonglong,
// double, QString (text) or QByteArray (blob).
class TSqliteStatement {
public:
    TSqliteStatement(sqlite3* db, const QString& sql);
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    sqlite3_stmt* Handle() const { return stmt_; }
    const QString& Sql() const { return sql_; }
    int ParameterCount() const;

    void Reset();                                    // ready to run again, bindings cleared
    void Rewind();                                   // ready to run again, bindings kept
    void Bind(int index, const QVariant& value);     // 1-based
    void BindAll(const std::vector<QVariant>& values, int first = 1);
    bool Step();                                     // true while there is a row
    QVariant Column(int column) const;               // storage form
    qlonglong ColumnInt(int column) const;

private:
    int BindText(int index, const QString& text);

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    QString sql_;
    QStringEncoder utf8_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    std::vector<std::string> bound_;   // per parameter, the short text bound last, encoded
};

// Reads one column of a statement row after row, in storage form and as the
// value of the column's type. A short text met before (codes, dates) shares
// the string and the conversion made the first time, and so does a number
// equal to the previous row's: a walk in index order repeats its leading
// fields, a scan in date order its dates. Values that do not repeat are handed
// over instead of shared.
class TColumnReader {
public:
    explicit TColumnReader(TFieldType type);
    // Reads the column of the statement's current row.
    void Read(const TSqliteStatement& statement, int column);
    // What Read read, in storage form; valid until TakeValueInto.
    const QVariant& Stored() const { return same_ ? Value() : stored_; }
    // What Read read, as the value of the column's type.
    const QVariant& Value() const {
        if (last_ == TLast::Float && !held_) {   // made when asked for
            value_ = QVariant(float_);
            held_ = true;
        }
        return value_;
    }
    // The value for a row into the row's record, over what a recycled record
    // held there: a copy while the column repeats, else the value itself,
    // swapped in. The swap hands back the old value, whose string the column's
    // next new text is written into (see SetText).
    void TakeValueInto(QVariant& into) {
        if (last_ == TLast::Null) {
            if (into.isValid()) into = QVariant();
        } else if (last_ == TLast::Float && !held_) {
            if (Holds<double>(into)) into.data_ptr().set(float_);
            else into = QVariant(float_);
        } else if (repeats_ > 0) {
            into = value_;
        } else {
            held_ = false;
            into.swap(value_);
        }
    }

    // What the QVariant holds, asked without a call into the library: these
    // are asked for every value of every row read.
    template <typename T>
    static bool Holds(const QVariant& value) {
        return value.data_ptr().typeInterface() == QMetaType::fromType<T>().iface();
    }

private:
    enum class TLast { None, Null, Integer, Float, Text };
    // A text met before, in a slot chosen by its hash.
    struct TSeen {
        bool Used = false;
        size_t Hash = 0;
        std::string Bytes;
        bool Same = false;   // the stored form is the value
        QVariant Stored;     // unless Same
        QVariant Value;
    };
    void Repeated(bool repeated) { repeats_ = repeated ? std::min(repeats_ + 1, 8) : std::max(repeats_ - 1, 0); }

    TFieldType type_;
    bool floating_;         // the type's value of a stored float is that float
    bool textual_;          // the type's value of a stored text is that text
    TLast last_ = TLast::None;
    mutable bool held_ = false;   // value_ holds the last value read (a float's only once asked for)
    bool same_ = false;     // the stored form is value_ itself
    int repeats_ = 0;       // 0 when the column has not been repeating lately
    qint64 integer_ = 0;    // when last_ is Integer
    double float_ = 0;      // when last_ is Float
    std::string bytes_;     // when last_ is Text
    QVariant stored_;
    mutable QVariant value_;
    int texts_ = 0;             // new texts read before seen_ was made
    std::vector<TSeen> seen_;   // short texts, made once the column has read a few
    // New texts in a row that no slot held: a column that does not repeat
    // (serial numbers) stops looking after a while.
    int misses_ = 0;
};
