#include "app/control_in_view.h"
#include "platform/ui/page_controls.h"
#include <QWidget>
#include <vector>

void ShowInView(QWidget& control)
{
    std::vector<TTabSheet*> sheets;
    for (QWidget* holder = control.parentWidget(); holder; holder = holder->parentWidget())
        if (auto* sheet = qobject_cast<TTabSheet*>(holder))
            sheets.push_back(sheet);
    for (auto sheet = sheets.rbegin(); sheet != sheets.rend(); ++sheet) {
        TPageControl* pages = (*sheet)->PageControl();
        if (pages->ActivePage() == *sheet)
            continue;
        pages->SetActivePage(*sheet);
        if (pages->OnChange)
            pages->OnChange(pages);
    }
    // A cell editor of the control keeps the keyboard: taking it away would
    // write the text being typed, and a refusal would show a box of its own.
    // The window's own keyboard control counts, also while a box that has
    // just gone leaves the window inactive.
    QWidget* const focused = control.window()->focusWidget();
    if (focused != &control && !control.isAncestorOf(focused))
        control.setFocus();
}
