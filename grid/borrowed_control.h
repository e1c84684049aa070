#pragma once
// An edit that a grid borrows from its form to serve as an in-cell control.
// The borrower may move it into the grid, hide and show it, take its border
// and put its own key and exit handlers in; the loan notes what the control
// had and gives it all back when it ends: when the grid lets go of it, when
// the grid is destroyed, and when setting it up fails half way with an
// exception. A control destroyed meanwhile is left alone.
#include "platform/ui/custom_edit.h"
#include <QPointer>
#include <QRect>

class TBorrowedControl {
public:
    explicit TBorrowedControl(TCustomEdit& control);
    ~TBorrowedControl();
    TBorrowedControl(const TBorrowedControl&) = delete;
    TBorrowedControl& operator=(const TBorrowedControl&) = delete;

    // Null once the control was destroyed.
    TCustomEdit* Control() const { return control_.data(); }

private:
    QPointer<TCustomEdit> control_;
    QPointer<QWidget> parent_;
    bool hadParent_;
    QRect geometry_;
    bool visible_;
    bool frame_;
    decltype(TCustomEdit::OnKeyDown) onKeyDown_;
    decltype(TCustomEdit::OnExit) onExit_;
};

// The edit of the given name (compared without regard to case) among the
// descendants of Root: the control a ControlType line names; null when none.
TCustomEdit* FindEditNamed(const QObject* root, const QString& name);
