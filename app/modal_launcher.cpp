#include "app/modal_launcher.h"
#include "app/pending_edits.h"
#include "platform/ui/application.h"
#include "platform/ui/custom_grid.h"
#include "platform/ui/form.h"
#include "platform/ui/screen.h"
#include <memory>

namespace {

// The hourglass from the window's making until it is freed; a window may give
// the cursor back itself once it is up.
class TCreationHourglass {
public:
    explicit TCreationHourglass(bool on) : on_(on)
    {
        if (on_)
            Screen->SetCursor(crHourGlass);
    }
    ~TCreationHourglass() { End(); }
    void End()
    {
        if (on_)
            Screen->SetCursor(crDefault);
        on_ = false;
    }

private:
    bool on_;
};

class TMainWindowHidden {
public:
    TMainWindowHidden(QWidget& window, bool hide) : window_(&window), hidden_(hide && window.isVisible())
    {
        if (hidden_)
            window_->hide();
    }
    ~TMainWindowHidden() { End(); }
    void End()
    {
        if (hidden_ && window_)
            window_->show();
        hidden_ = false;
    }

private:
    QPointer<QWidget> window_;
    bool hidden_;
};

// The first grid the window shows, in the order the keyboard steps through
// its controls, takes the keyboard when the window opens: Insert and typing
// then go into a new row, not into whatever control was made first.
void FocusFirstGrid(QWidget& window)
{
    for (QWidget* control = window.nextInFocusChain(); control && control != &window;
         control = control->nextInFocusChain()) {
        auto* grid = qobject_cast<TCustomGrid*>(control);
        if (grid && grid->isVisibleTo(&window) && grid->isEnabled()) {
            grid->setFocus();
            return;
        }
    }
}

} // namespace

void RunModal(const TModalLauncher& launcher, QWidget& mainWindow, int tag)
{
    if (!launcher.Create)
        return;
    TCreationHourglass hourglass(launcher.Hourglass);
    // The application owns the window while it lives; it is freed on return.
    std::unique_ptr<TForm> window(launcher.Create());
    if (launcher.BeforeShow)
        launcher.BeforeShow(*window, tag);
    FocusFirstGrid(*window);
    AskBeforeClosingOverEdits(*window);
    TMainWindowHidden hidden(mainWindow, launcher.HideMainWindow);
    window->ShowModal();
    window.reset();
    hourglass.End();
    hidden.End();
}
