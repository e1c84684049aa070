#pragma once
// TField: one column of a dataset's current record, read and written in the
// types the system uses, with its display settings. The kinds: data fields
// hold a column of the table; calculated fields are filled by OnCalcFields;
// lookup fields show a field of another dataset's row found by key.
#include "platform/db/dataset.h"
#include "platform/db/db_types.h"
#include "platform/engine/field_types.h"
#include "platform/rtl/component.h"
#include "platform/rtl/datetime.h"
#include <QChar>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>

class TField : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString FieldName READ FieldName WRITE SetFieldName)
    Q_PROPERTY(QString DisplayLabel READ DisplayLabel WRITE SetDisplayLabel)
    Q_PROPERTY(int DisplayWidth READ DisplayWidth WRITE SetDisplayWidth)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool Required READ Required WRITE SetRequired)
    Q_PROPERTY(int Index READ Index WRITE SetIndex)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)
    Q_PROPERTY(QString KeyFields READ KeyFields WRITE SetKeyFields)
    Q_PROPERTY(QString LookupKeyFields READ LookupKeyFields WRITE SetLookupKeyFields)
    Q_PROPERTY(QString LookupResultField READ LookupResultField WRITE SetLookupResultField)
public:
    ~TField() override;

    // The dataset the field belongs to. A field without an owner is owned by
    // its dataset from then on.
    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);

    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name);
    TFieldType DataType() const { return dataType_; }
    TFieldKind FieldKind() const { return fieldKind_; }
    void SetFieldKind(TFieldKind kind);
    bool Calculated() const { return fieldKind_ == fkCalculated; }
    bool Lookup() const { return fieldKind_ == fkLookup; }
    int FieldNo() const { return fieldNo_; }    // 1-based column of the record; 0 for calculated and lookup fields

    QString DisplayLabel() const;               // the field name when none was set
    void SetDisplayLabel(const QString& label) { displayLabel_ = label; Changed(); }
    QString DisplayName() const { return DisplayLabel(); }
    int DisplayWidth() const;
    void SetDisplayWidth(int width) { displayWidth_ = width; Changed(); }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool Required() const { return required_; }
    void SetRequired(bool required) { required_ = required; }
    int Size() const { return size_; }
    void SetSize(int size);
    TAlignment Alignment() const;
    void SetAlignment(TAlignment alignment) { alignment_ = alignment; Changed(); }
    // The mask edit control's input mask; the field only keeps it.
    const QString& EditMask() const { return editMask_; }
    void SetEditMask(const QString& mask) { editMask_ = mask; }

    // Position in the dataset's field list; setting it moves the field.
    int Index() const;
    void SetIndex(int index);

    // Lookup definition (fkLookup): this dataset's KeyFields matched against
    // LookupDataSet's LookupKeyFields give the row whose LookupResultField is shown.
    TDataSet* LookupDataSet() const { return lookupDataSet_; }
    void SetLookupDataSet(TDataSet* dataSet);
    const QString& KeyFields() const { return keyFields_; }
    void SetKeyFields(const QString& fields) { keyFields_ = fields; }
    const QString& LookupKeyFields() const { return lookupKeyFields_; }
    void SetLookupKeyFields(const QString& fields) { lookupKeyFields_ = fields; }
    const QString& LookupResultField() const { return lookupResultField_; }
    void SetLookupResultField(const QString& field) { lookupResultField_ = field; }

    // Values of the current record. A null value reads as "", 0, 0.0, false;
    // a null date as 0.
    QVariant Value() const;
    void SetValue(const QVariant& value);
    QVariant AsVariant() const { return Value(); }
    void SetAsVariant(const QVariant& value) { SetValue(value); }
    virtual QString AsString() const;
    virtual void SetAsString(const QString& text);
    virtual int AsInteger() const;
    virtual void SetAsInteger(int value);
    virtual double AsFloat() const;
    virtual void SetAsFloat(double value);
    virtual TDateTime AsDateTime() const;
    virtual void SetAsDateTime(TDateTime value);
    virtual bool AsBoolean() const;
    virtual void SetAsBoolean(bool value);
    bool IsNull() const;
    void Clear() { SetValue(QVariant()); }

    // Text is what an edit shows (EditFormat), DisplayText what a grid shows
    // (DisplayFormat); both go through OnGetText when it is assigned.
    QString Text() const;
    void SetText(const QString& text) { SetAsString(text); }
    QString DisplayText() const;

    virtual bool IsValidChar(QChar ch) const;
    bool CanModify() const;
    // Asks the controls showing this field to take the focus.
    void FocusControl();

    std::function<void(TField&)> OnChange;
    std::function<void(TField&)> OnValidate;
    std::function<void(TField&, QString& text, bool displayText)> OnGetText;

protected:
    TField(TComponent* owner, TFieldType type, int size);

    // The current record's value as Value gives it, without a copy: the
    // typed readers run for every field of every row a report walks.
    const QVariant& Data() const;
    // The value in the engine's form for this type (see field_types.h);
    // EConvertError or ERangeError when it does not convert.
    virtual QVariant ToStored(const QVariant& value) const;
    // The text of a non-null value, for display or for editing.
    virtual QString FormatText(bool displayText) const;
    virtual int DefaultDisplayWidth() const;
    virtual TAlignment DefaultAlignment() const { return taLeftJustify; }
    [[noreturn]] void AccessError(const char* typeName) const;

    virtual void DoChange();
    virtual void DoValidate();
    void Changed();   // tells the dataset's controls that the layout changed

private:
    friend class TDataSet;

    TDataSet* dataSet_ = nullptr;
    QString fieldName_;
    TFieldType dataType_;
    TFieldKind fieldKind_ = fkData;
    int fieldNo_ = 0;           // set by the dataset when it binds the field to a column
    int calcSlot_ = -1;         // set by the dataset for calculated and lookup fields
    bool defaultField_ = false; // made by the dataset at open from its field definitions
    QString displayLabel_;
    int displayWidth_ = 0;
    bool visible_ = true;
    bool readOnly_ = false;
    bool required_ = false;
    int size_;
    std::optional<TAlignment> alignment_;
    QString editMask_;
    QPointer<TDataSet> lookupDataSet_;
    QString keyFields_, lookupKeyFields_, lookupResultField_;
};
