#pragma once
// TParams: the ":name" parameters of a query's SQL, with the values that are
// bound to them (never pasted into the text).
#include "platform/rtl/datetime.h"
#include <QString>
#include <QStringList>
#include <QVariant>
#include <deque>

class TParam {
public:
    explicit TParam(QString name) : name_(std::move(name)) {}

    const QString& Name() const { return name_; }
    const QVariant& Value() const { return value_; }
    void SetValue(const QVariant& value) { value_ = value; bound_ = true; }
    QVariant AsVariant() const { return value_; }
    void SetAsVariant(const QVariant& value) { SetValue(value); }
    QString AsString() const { return value_.toString(); }
    void SetAsString(const QString& value) { SetValue(value); }
    int AsInteger() const { return value_.toInt(); }
    void SetAsInteger(int value) { SetValue(value); }
    double AsFloat() const { return value_.toDouble(); }
    void SetAsFloat(double value) { SetValue(value); }
    bool AsBoolean() const { return value_.toBool(); }
    void SetAsBoolean(bool value) { SetValue(value); }
    // A whole day binds as a date, a value with a time of day as a date-time.
    void SetAsDateTime(TDateTime value);
    void SetAsDate(TDateTime value);
    bool IsNull() const { return value_.isNull(); }
    void Clear() { value_ = QVariant(); bound_ = true; }
    // A value was given (also a null one); unbound parameters of a query with
    // a DataSource take the master's field of the same name.
    bool Bound() const { return bound_; }

private:
    QString name_;
    QVariant value_;
    bool bound_ = false;
};

class TParams {
public:
    int Count() const { return int(items_.size()); }
    TParam& Items(int index);                       // EListError out of range
    const TParam& Items(int index) const;
    TParam* FindParam(const QString& name);         // case-insensitive; null when absent
    TParam* ParamByName(const QString& name);       // EDatabaseError when absent
    void Clear() { items_.clear(); }
    // Makes the list the given names, keeping the values of names that stay.
    void Rebuild(const QStringList& names);

private:
    std::deque<TParam> items_;    // stable addresses: callers keep TParam pointers
};

// The ":name" parameters of SQL text in the order they occur (a name may
// repeat); quoted text and "::" are not parameters.
QStringList ParseSqlParams(const QString& sql);
