#pragma once
// The field classes, one per kind of column.
#include "platform/db/field.h"

// Text of at most Size characters; a longer text is cut to Size when assigned.
class TStringField : public TField {
    Q_OBJECT
public:
    explicit TStringField(TComponent* owner = nullptr, int size = 20);
    QString AsString() const override;
    void SetAsString(const QString& text) override;
    int AsInteger() const override;
    void SetAsInteger(int value) override;
    double AsFloat() const override;
    void SetAsFloat(double value) override;
    bool AsBoolean() const override;
    void SetAsBoolean(bool value) override;
    TDateTime AsDateTime() const override;
    void SetAsDateTime(TDateTime value) override;

protected:
    QVariant ToStored(const QVariant& value) const override;
    int DefaultDisplayWidth() const override { return Size(); }
};

class TBlobField : public TField {
    Q_OBJECT
public:
    explicit TBlobField(TComponent* owner = nullptr, int size = 0);
    QString AsString() const override;
    void SetAsString(const QString& text) override;

protected:
    TBlobField(TComponent* owner, TFieldType type, int size);
    QVariant ToStored(const QVariant& value) const override;
    QString FormatText(bool displayText) const override;
    int DefaultDisplayWidth() const override { return 10; }
};

// Text without a size limit; Size is only the part a table shows in its grid.
class TMemoField : public TBlobField {
    Q_OBJECT
public:
    explicit TMemoField(TComponent* owner = nullptr, int size = 0);
    QString AsString() const override;
    void SetAsString(const QString& text) override;

protected:
    QVariant ToStored(const QVariant& value) const override;
};

// Date, time and date-time fields; values are TDateTime numbers, a null value reads as 0.
class TDateTimeField : public TField {
    Q_OBJECT
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE SetDisplayFormat)
public:
    explicit TDateTimeField(TComponent* owner = nullptr);
    const QString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& format);

    QString AsString() const override;
    void SetAsString(const QString& text) override;
    double AsFloat() const override { return AsDateTime(); }
    void SetAsFloat(double value) override { SetAsDateTime(value); }
    TDateTime AsDateTime() const override;
    void SetAsDateTime(TDateTime value) override;

protected:
    TDateTimeField(TComponent* owner, TFieldType type);
    QVariant ToStored(const QVariant& value) const override;
    QString FormatText(bool displayText) const override;
    int DefaultDisplayWidth() const override;
    // The pattern used when DisplayFormat is empty.
    virtual QString DefaultFormat() const;

private:
    QString displayFormat_;
};

class TDateField : public TDateTimeField {
    Q_OBJECT
public:
    explicit TDateField(TComponent* owner = nullptr);
    void SetAsString(const QString& text) override;

protected:
    QVariant ToStored(const QVariant& value) const override;
    QString DefaultFormat() const override;
};

class TTimeField : public TDateTimeField {
    Q_OBJECT
public:
    explicit TTimeField(TComponent* owner = nullptr);
    void SetAsString(const QString& text) override;

protected:
    QVariant ToStored(const QVariant& value) const override;
    QString DefaultFormat() const override;
};

// Numbers: right-aligned, shown through FormatFloat with DisplayFormat (",.00")
// and edited with EditFormat (".00").
class TNumericField : public TField {
    Q_OBJECT
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE SetDisplayFormat)
    Q_PROPERTY(QString EditFormat READ EditFormat WRITE SetEditFormat)
public:
    const QString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& format);
    const QString& EditFormat() const { return editFormat_; }
    void SetEditFormat(const QString& format);

protected:
    TNumericField(TComponent* owner, TFieldType type);
    TAlignment DefaultAlignment() const override { return taRightJustify; }

private:
    QString displayFormat_, editFormat_;
};

class TIntegerField : public TNumericField {
    Q_OBJECT
public:
    explicit TIntegerField(TComponent* owner = nullptr);
    QString AsString() const override;
    void SetAsString(const QString& text) override;
    int AsInteger() const override;
    void SetAsInteger(int value) override;
    double AsFloat() const override { return AsInteger(); }
    void SetAsFloat(double value) override;
    bool IsValidChar(QChar ch) const override;
    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }

protected:
    TIntegerField(TComponent* owner, TFieldType type, int minValue, int maxValue);
    QVariant ToStored(const QVariant& value) const override;
    QString FormatText(bool displayText) const override;
    int DefaultDisplayWidth() const override { return 11; }

private:
    int minValue_, maxValue_;
};

class TSmallintField : public TIntegerField {
    Q_OBJECT
public:
    explicit TSmallintField(TComponent* owner = nullptr);

protected:
    int DefaultDisplayWidth() const override { return 6; }
};

class TWordField : public TIntegerField {
    Q_OBJECT
public:
    explicit TWordField(TComponent* owner = nullptr);

protected:
    int DefaultDisplayWidth() const override { return 6; }
};

// Filled by the engine when the row is stored; read-only.
class TAutoIncField : public TIntegerField {
    Q_OBJECT
public:
    explicit TAutoIncField(TComponent* owner = nullptr);
};

// The largest magnitude of a text a float field takes; beyond it the field
// raises the conversion error, as it does for infinity and NaN however they
// come. The program's floats are money: below 2^53 cents (about 9e13) every
// amount typed to the cent reads back to the cent, and a book of a million
// rows at this bound sums to 1e18, far from what a double holds.
constexpr double MaxTypedAmount = 1e12;

class TFloatField : public TNumericField {
    Q_OBJECT
public:
    explicit TFloatField(TComponent* owner = nullptr);
    QString AsString() const override;
    void SetAsString(const QString& text) override;
    int AsInteger() const override;
    void SetAsInteger(int value) override { SetAsFloat(value); }
    double AsFloat() const override;
    void SetAsFloat(double value) override;
    bool IsValidChar(QChar ch) const override;

protected:
    TFloatField(TComponent* owner, TFieldType type);
    QVariant ToStored(const QVariant& value) const override;
    QString FormatText(bool displayText) const override;
    int DefaultDisplayWidth() const override { return 10; }
    // The formats used when DisplayFormat or EditFormat is empty; empty: FloatToStr.
    virtual QString DefaultDisplayFormat() const { return {}; }
    virtual QString DefaultEditFormat() const { return {}; }
};

// Money: two decimals with thousands separators unless a format says otherwise.
class TCurrencyField : public TFloatField {
    Q_OBJECT
public:
    explicit TCurrencyField(TComponent* owner = nullptr);

protected:
    QString DefaultDisplayFormat() const override;
    QString DefaultEditFormat() const override;
};

class TBCDField : public TFloatField {
    Q_OBJECT
public:
    explicit TBCDField(TComponent* owner = nullptr);
};

class TBooleanField : public TField {
    Q_OBJECT
public:
    explicit TBooleanField(TComponent* owner = nullptr);
    QString AsString() const override;
    void SetAsString(const QString& text) override;
    bool AsBoolean() const override;
    void SetAsBoolean(bool value) override;

protected:
    QVariant ToStored(const QVariant& value) const override;
    QString FormatText(bool displayText) const override;
    int DefaultDisplayWidth() const override { return 5; }
};

// A field of the class that serves a column of the given type, owned by owner.
TField* CreateFieldOfType(TFieldType type, TComponent* owner, int size = 0);
