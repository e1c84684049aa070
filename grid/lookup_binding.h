#pragma once
// The fields a lookup control works with in its lookup table, and the values
// it keeps of the row the user chose: the display field (the first listed
// column) whose text the control shows, and one to three lookup fields
// (LookupField "A;B;C") whose texts identify the row and are written into the
// edited record.
#include <QString>
#include <array>

class TDataSet;
class TField;
class TStrings;

class TwwLookupBinding {
public:
    static constexpr int MaxLookupFields = 3;

    // Finds the fields in Table. When DataField of DataSet is a lookup field
    // of the dataset, its definition names the lookup fields and the fields
    // of DataSet that receive them, and with Selected empty its result field
    // is shown: a LookupFields line with its LookupLinks pairs, or a lookup
    // field of the class library (LookupKeyFields, KeyFields). A first
    // lookup field the table lacks leaves the binding empty; with Report it
    // raises EInvalidOperation "Error: Field 'X' not found".
    void Bind(TDataSet* table, const QString& lookupField, const TStrings& selected, const TDataSet* dataSet,
              const QString& dataField, bool report);
    void Unbind();
    bool Bound() const { return display_ != nullptr; }

    TField* DisplayField() const { return display_; }
    TField* LookupField(int i = 0) const { return i < count_ ? lookup_[i] : nullptr; }
    int LookupFieldCount() const { return count_; }
    // The display field is the (first) lookup field: the text is the value.
    bool DisplayIsLookup() const { return display_ && display_ == lookup_[0]; }
    // Whether DataField of DataSet is a lookup field of its LookupFields setting.
    bool OnDataSetLookupField() const { return onDataSetLookup_; }
    // The this-dataset fields that receive the lookup values on a dataset lookup field.
    const QString& LinkField(int i) const { return linkFields_[i]; }

    // The kept values of the chosen row.
    QString Value(int i = 0) const { return values_[i]; }
    void SetValue(int i, const QString& value) { values_[i] = value; }
    const QString& DisplayValue() const { return displayValue_; }
    void SetDisplayValue(const QString& value) { displayValue_ = value; }
    void ClearValues();

    // Keeps the lookup table's current row: its display text and lookup texts
    // (the display text for the value when the two fields are one).
    void ReadCurrentRow();
    // The lookup texts of the lookup table's current row equal the kept values.
    bool CurrentRowMatches() const;

private:
    TField* display_ = nullptr;
    std::array<TField*, MaxLookupFields> lookup_{};
    std::array<QString, MaxLookupFields> linkFields_;
    int count_ = 0;
    bool onDataSetLookup_ = false;
    std::array<QString, MaxLookupFields> values_;
    QString displayValue_;
};

// The fields of a ";"-separated list, at most three, without empty parts.
QStringList LookupFieldNames(const QString& lookupField);
