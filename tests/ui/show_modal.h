#pragma once
#include "platform/ui/form.h"
#include <QTimer>
#include <functional>

// Shows form modally and runs step inside its modal loop, once the loop is
// running; returns the modal result. Only a fault leaves the loop running:
// a guard then ends it with 99.
inline int ShowModalThen(TForm& form, std::function<void()> step)
{
    QTimer::singleShot(0, &form, std::move(step));
    QTimer::singleShot(10000, &form, [&form] {
        if (form.Modal())
            form.SetModalResult(99);
    });
    return form.ShowModal();
}
