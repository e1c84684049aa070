#include "app/dialog_controls.h"
#include "platform/ui/buttons.h"
#include "platform/ui/standard_controls.h"

TLabel* MakeLabel(QWidget* parent, const QString& caption, const QPoint& where) {
    auto* label = new TLabel(parent);
    label->SetCaption(caption);
    label->move(where);
    return label;
}

TButton* MakeButton(QWidget* parent, const QString& caption, const QRect& where) {
    auto* button = new TButton(parent);
    button->SetCaption(caption);
    button->setGeometry(where);
    return button;
}
