#pragma once
// Data-aware controls that show and edit one field of a data source's
// current record: edit, text, check box, memo and radio group.
#include "platform/db/data_link.h"
#include "platform/ui/containers.h"
#include "platform/ui/mask_edit.h"
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <functional>

class QKeyEvent;

// What every control on one field has: its data source, its field name and
// the link between them.
class TDBFieldControl {
public:
    TDataSource* DataSource() const { return dataLink_.DataSource(); }
    void SetDataSource(TDataSource* source) { dataLink_.SetDataSource(source); }
    QString DataField() const { return dataLink_.FieldName(); }
    void SetDataField(const QString& name) { dataLink_.SetFieldName(name); }
    TField* Field() const { return dataLink_.Field(); }
    // A read-only control never puts the dataset into edit mode.
    bool ReadOnly() const { return dataLink_.ReadOnly(); }
    void SetReadOnly(bool readOnly) { dataLink_.SetReadOnly(readOnly); }
    TFieldDataLink& DataLink() { return dataLink_; }

protected:
    TFieldDataLink dataLink_;
};

// Whether the key would change an edit's text, so that the dataset must be
// in edit mode first.
bool IsEditingKey(const QKeyEvent* event);

// A mask edit on a field: it takes the field's EditMask and, for a text
// field, its size as the length limit. It shows the field's display text,
// and its edit text while focused. Typing puts the dataset into edit mode
// (a dataset or field that cannot be modified takes no typing), leaving
// checks the mask and writes the field, Escape shows the field's value again
// (and, with nothing to undo, is left to the form).
class TDBEdit : public TCustomMaskEdit, public TDBFieldControl {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);

    // The control's own ReadOnly is the link's; the edit itself is read-only
    // whenever the dataset is not being edited.
    bool ReadOnly() const { return TDBFieldControl::ReadOnly(); }
    void SetReadOnly(bool readOnly) { TDBFieldControl::SetReadOnly(readOnly); }

protected:
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    bool EditCanModify() override;
    void Change() override;
    void DoExit() override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void ShowField();

    bool focused_ = false;
};

// The field's display text; it cannot be edited.
class TDBText : public QLabel, public TDBFieldControl {
    Q_OBJECT
public:
    explicit TDBText(QWidget* parent = nullptr);
};

// Checked when the field holds ValueChecked, unchecked for ValueUnchecked,
// grayed for anything else (a null). Each value may list alternatives
// separated by ";" that read the same; the first is the one written. A
// logical field reads and writes true and false instead.
class TDBCheckBox : public QCheckBox, public TDBFieldControl {
    Q_OBJECT
public:
    explicit TDBCheckBox(QWidget* parent = nullptr);

    QString ValueChecked() const { return valueChecked_; }
    void SetValueChecked(const QString& value);
    QString ValueUnchecked() const { return valueUnchecked_; }
    void SetValueUnchecked(const QString& value);

protected:
    // A click toggles only when the dataset can be edited; the field is written at once.
    void nextCheckState() override;

private:
    Qt::CheckState FieldState() const;
    void WriteState();

    QString valueChecked_ = QStringLiteral("True");
    QString valueUnchecked_ = QStringLiteral("False");
};

// A memo on a text or memo field: typing puts the dataset into edit mode,
// leaving writes the field, Escape shows the field's value again.
class TDBMemo : public QPlainTextEdit, public TDBFieldControl {
    Q_OBJECT
    Q_PROPERTY(bool WantReturns READ WantReturns WRITE SetWantReturns)
    Q_PROPERTY(bool WantTabs READ WantTabs WRITE SetWantTabs)
public:
    explicit TDBMemo(QWidget* parent = nullptr);

    // Without WantReturns Enter is left to the form (its default button);
    // without WantTabs (the default) Tab moves to the next control.
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool want) { wantReturns_ = want; }
    bool WantTabs() const { return !tabChangesFocus(); }
    void SetWantTabs(bool want) { setTabChangesFocus(!want); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool loading_ = false;
    bool wantReturns_ = true;
};

// A radio group whose choice is the field's value: item i stands for
// Values[i], or for its own caption when Values is empty.
class TDBRadioGroup : public TRadioGroup, public TDBFieldControl {
    Q_OBJECT
public:
    explicit TDBRadioGroup(QWidget* parent = nullptr);

    const QStringList& Values() const { return values_; }
    void SetValues(const QStringList& values);
    QString Value() const { return value_; }
    // Chooses the item of the value (none when no item has it) and fires
    // OnChange when it differs, also when the record changes it.
    void SetValue(const QString& value);

    std::function<void(QObject* sender)> OnChange;

protected:
    bool CanModify() override;
    void DoClick() override;

private:
    QString ButtonValue(int index) const;
    int IndexOfValue(const QString& value) const;

    QStringList values_;
    QString value_;
};
