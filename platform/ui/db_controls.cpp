#include "platform/ui/db_controls.h"
#include "platform/db/field.h"
#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>

bool IsEditingKey(const QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)
        || event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

// ---- TDBEdit

TDBEdit::TDBEdit(QWidget* parent) : TCustomMaskEdit(parent)
{
    QLineEdit::setReadOnly(true);
    dataLink_.OnDataChange = [this] { ShowField(); };
    dataLink_.OnEditingChange = [this] { QLineEdit::setReadOnly(!dataLink_.Editing()); };
    dataLink_.OnUpdateData = [this] {
        ValidateEdit();
        Field()->SetText(Text());
    };
    dataLink_.OnFocusControl = [this] { setFocus(); };
}

void TDBEdit::ShowField()
{
    TField* field = Field();
    if (!field) {
        SetEditMask(QString());
        SetEditText(QString());
        return;
    }
    if (field->EditMask() != EditMask())
        SetEditMask(field->EditMask());
    if (field->DataType() == TFieldType::ftString && MaxLength() == 0)
        SetMaxLength(field->Size());
    setAlignment(field->Alignment() == taRightJustify ? Qt::AlignRight
                 : field->Alignment() == taCenter      ? Qt::AlignHCenter
                                                       : Qt::AlignLeft);
    // While focused and editable the edit shows the field's edit text.
    if (focused_ && dataLink_.CanModify())
        SetText(field->Text());
    else
        SetEditText(field->DisplayText());
    setModified(false);
}

void TDBEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TCustomMaskEdit::KeyDown(key, shift);
    const bool paste = (key == Qt::Key_Insert && (shift & Qt::ShiftModifier))
                       || ((key == Qt::Key_V || key == Qt::Key_X) && (shift & Qt::ControlModifier));
    if (key == Qt::Key_Delete || paste)
        dataLink_.Edit();
}

void TDBEdit::KeyPress(QChar& key)
{
    TCustomMaskEdit::KeyPress(key);
    if (key.unicode() >= 32 && Field() && !Field()->IsValidChar(key)) {
        QApplication::beep();
        key = QChar();
        return;
    }
    if (key.unicode() >= 32 || key == QChar(8)) {
        dataLink_.Edit();
    } else if (key == QChar(27) && dataLink_.IsModified()) {
        // Escape undoes a change; with nothing to undo it goes on to the form's cancel button.
        dataLink_.Reset();
        selectAll();
        key = QChar();
    }
}

bool TDBEdit::EditCanModify()
{
    return dataLink_.Edit();
}

void TDBEdit::Change()
{
    dataLink_.Modified();
    TCustomMaskEdit::Change();
}

void TDBEdit::focusInEvent(QFocusEvent* event)
{
    focused_ = true;
    // Back after a refused entry, or with its window, the text stays.
    if (!ExitRefused() && !ComingBack(event))
        dataLink_.Reset();
    TCustomMaskEdit::focusInEvent(event);
}

void TDBEdit::DoExit()
{
    // The field is written here, through the mask's check.
    if (RefuseExit([this] { dataLink_.UpdateRecord(); }))
        return;
    focused_ = false;
    dataLink_.Reset();
    // Not the mask edit's own exit check: UpdateRecord has made it.
    TCustomEdit::DoExit();
}

// ---- TDBText

TDBText::TDBText(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    dataLink_.OnDataChange = [this] { setText(Field() ? Field()->DisplayText() : QString()); };
}

// ---- TDBCheckBox

namespace {

bool ListHolds(const QString& list, const QString& text)
{
    for (const QString& value : list.split(QLatin1Char(';')))
        if (value.compare(text, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString FirstOf(const QString& list)
{
    return list.section(QLatin1Char(';'), 0, 0);
}

} // namespace

TDBCheckBox::TDBCheckBox(QWidget* parent) : QCheckBox(parent)
{
    dataLink_.OnDataChange = [this] { setCheckState(FieldState()); };
    dataLink_.OnUpdateData = [this] { WriteState(); };
}

void TDBCheckBox::SetValueChecked(const QString& value)
{
    valueChecked_ = value;
    setCheckState(FieldState());
}

void TDBCheckBox::SetValueUnchecked(const QString& value)
{
    valueUnchecked_ = value;
    setCheckState(FieldState());
}

Qt::CheckState TDBCheckBox::FieldState() const
{
    const TField* field = Field();
    if (!field || field->IsNull())
        return field ? Qt::PartiallyChecked : Qt::Unchecked;
    if (field->DataType() == TFieldType::ftBoolean)
        return field->AsBoolean() ? Qt::Checked : Qt::Unchecked;
    const QString text = field->Text();
    if (ListHolds(valueChecked_, text))
        return Qt::Checked;
    if (ListHolds(valueUnchecked_, text))
        return Qt::Unchecked;
    return Qt::PartiallyChecked;
}

void TDBCheckBox::nextCheckState()
{
    if (!dataLink_.Edit())
        return;
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    dataLink_.Modified();
    dataLink_.UpdateRecord();
}

void TDBCheckBox::WriteState()
{
    TField* field = Field();
    const bool checked = checkState() == Qt::Checked;
    if (checkState() == Qt::PartiallyChecked)
        field->Clear();
    else if (field->DataType() == TFieldType::ftBoolean)
        field->SetAsBoolean(checked);
    else
        field->SetText(FirstOf(checked ? valueChecked_ : valueUnchecked_));
}

// ---- TDBMemo

TDBMemo::TDBMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTabChangesFocus(true);
    dataLink_.OnDataChange = [this] {
        // The same text is left alone, with the caret and selection in it:
        // the first key typed puts the dataset into edit mode, which shows
        // the record again, and the key goes where the caret stood.
        const QString text = Field() ? Field()->AsString() : QString();
        if (text == toPlainText())
            return;
        loading_ = true;
        setPlainText(text);
        loading_ = false;
    };
    dataLink_.OnEditingChange = [this] { setReadOnly(!dataLink_.Editing()); };
    dataLink_.OnUpdateData = [this] { Field()->SetAsString(toPlainText()); };
    dataLink_.OnFocusControl = [this] { setFocus(); };
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!loading_)
            dataLink_.Modified();
    });
}

void TDBMemo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && dataLink_.IsModified()) {
        dataLink_.Reset();
        selectAll();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !wantReturns_ && !(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    // Read-only until the dataset is in edit mode: the key puts it there first.
    if (IsEditingKey(event))
        dataLink_.Edit();
    QPlainTextEdit::keyPressEvent(event);
}

void TDBMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    dataLink_.UpdateRecord();
}

// ---- TDBRadioGroup

TDBRadioGroup::TDBRadioGroup(QWidget* parent) : TRadioGroup(parent)
{
    dataLink_.OnDataChange = [this] { SetValue(Field() ? Field()->Text() : QString()); };
    dataLink_.OnUpdateData = [this] { Field()->SetText(value_); };
}

void TDBRadioGroup::SetValues(const QStringList& values)
{
    values_ = values;
    SetValue(value_);
}

QString TDBRadioGroup::ButtonValue(int index) const
{
    if (index < values_.size() && !values_[index].isEmpty())
        return values_[index];
    return index < Items().size() ? Items()[index] : QString();
}

int TDBRadioGroup::IndexOfValue(const QString& value) const
{
    for (int i = 0; i < Items().size(); ++i)
        if (ButtonValue(i) == value)
            return i;
    return -1;
}

void TDBRadioGroup::SetValue(const QString& value)
{
    SetItemIndex(IndexOfValue(value));
    if (value == value_)
        return;
    value_ = value;
    if (OnChange)
        OnChange(this);
}

bool TDBRadioGroup::CanModify()
{
    return dataLink_.Edit();
}

void TDBRadioGroup::DoClick()
{
    TRadioGroup::DoClick();
    SetValue(ItemIndex() >= 0 ? ButtonValue(ItemIndex()) : QString());
    if (dataLink_.Editing()) {
        dataLink_.Modified();
        dataLink_.UpdateRecord();
    }
}
