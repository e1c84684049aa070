#include "grid/borrowed_control.h"

TBorrowedControl::TBorrowedControl(TCustomEdit& control)
    : control_(&control),
      parent_(control.parentWidget()),
      hadParent_(control.parentWidget() != nullptr),
      geometry_(control.geometry()),
      visible_(control.isVisibleTo(control.parentWidget())),
      frame_(control.hasFrame()),
      onKeyDown_(control.OnKeyDown),
      onExit_(control.OnExit)
{
}

TBorrowedControl::~TBorrowedControl()
{
    TCustomEdit* control = control_.data();
    if (!control) return;
    // Hidden first, so that taking it out of the grid moves no focus about.
    control->hide();
    control->OnKeyDown = onKeyDown_;
    control->OnExit = onExit_;
    control->setFrame(frame_);
    // Its form gone, it must not come back as a window of its own.
    if (hadParent_ && !parent_) return;
    if (control->parentWidget() != parent_) control->setParent(parent_);
    control->setGeometry(geometry_);
    control->setVisible(visible_);
}

TCustomEdit* FindEditNamed(const QObject* root, const QString& name)
{
    if (!root || name.isEmpty()) return nullptr;
    for (TCustomEdit* edit : root->findChildren<TCustomEdit*>())
        if (edit->objectName().compare(name, Qt::CaseInsensitive) == 0) return edit;
    return nullptr;
}
