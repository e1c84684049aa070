#include "platform/ui/spin_edit.h"
#include <QLineEdit>

TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent)
{
    setRange(0, 100);
    connect(this, &QSpinBox::valueChanged, this, [this] {
        if (OnChange)
            OnChange(this);
    });
}

void TSpinEdit::SetEditorEnabled(bool enabled)
{
    editorEnabled_ = enabled;
    // The line edit alone turns read-only: the arrows and keys still step.
    lineEdit()->setReadOnly(!enabled);
}

int TSpinEdit::MaxLength() const
{
    return lineEdit()->maxLength();
}

void TSpinEdit::SetMaxLength(int length)
{
    lineEdit()->setMaxLength(length > 0 ? length : 32767);
}
