#pragma once
// Field and index definitions: what a dataset's columns and a table's
// indexes are, read from the engine's catalogue.
#include "platform/engine/field_types.h"
#include <QString>
#include <QStringList>
#include <vector>

class TFieldDef {
public:
    QString Name;
    TFieldType DataType = TFieldType::ftUnknown;
    int Size = 0;
    bool Required = false;
    int FieldNo = 0;    // 1-based column of the record
};

class TFieldDefs {
public:
    int Count() const { return int(items_.size()); }
    const TFieldDef& Items(int index) const;           // EListError when out of range
    const TFieldDef& operator[](int index) const { return Items(index); }
    int IndexOf(const QString& name) const;            // case-insensitive, -1 when absent
    const TFieldDef& Find(const QString& name) const;  // EDatabaseError "Field 'X' not found"
    void Add(const QString& name, TFieldType type, int size = 0, bool required = false);
    void Clear() { items_.clear(); }
    void Assign(const TTableDesc& desc);

private:
    std::vector<TFieldDef> items_;
};

enum TIndexOption : unsigned {
    ixPrimary = 1u << 0, ixUnique = 1u << 1, ixDescending = 1u << 2, ixCaseInsensitive = 1u << 3,
};
using TIndexOptions = unsigned;

class TIndexDef {
public:
    QString Name;         // empty for the primary index
    QString Fields;       // "A;B"
    TIndexOptions Options = 0;

    QStringList FieldList() const;
    bool CaseInsensitive() const { return Options & ixCaseInsensitive; }
    bool Descending() const { return Options & ixDescending; }
};

class TIndexDefs {
public:
    int Count() const { return int(items_.size()); }
    const TIndexDef& Items(int index) const;             // EListError when out of range
    const TIndexDef& operator[](int index) const { return Items(index); }
    int IndexOf(const QString& name) const;              // case-insensitive, -1 when absent
    const TIndexDef& Find(const QString& name) const;    // EDatabaseError "Index 'X' not found"
    // The index whose fields are these fields or begin with them (case-insensitive names);
    // an exact match wins over a longer index. Null when none.
    const TIndexDef* FindIndexForFields(const QString& fields) const;
    void Clear() { items_.clear(); }
    void Assign(const TTableDesc& desc);

private:
    std::vector<TIndexDef> items_;
};

// "A;B" as a list, blanks trimmed, empty parts dropped.
QStringList SplitFieldNames(const QString& names);
