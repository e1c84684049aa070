#include "app/modal_launcher.h"
#include "platform/ui/application.h"
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

} // namespace

void RunModal(const TModalLauncher& launcher, QWidget& mainWindow, int tag)
{
    if (!launcher.Create)
        return;
    if (launcher.BeforeOpen)
        launcher.BeforeOpen();
    TCreationHourglass hourglass(launcher.Hourglass);
    // The application owns the window while it lives; it is freed on return.
    std::unique_ptr<TForm> window(launcher.Create());
    if (launcher.BeforeShow)
        launcher.BeforeShow(*window, tag);
    TMainWindowHidden hidden(mainWindow, launcher.HideMainWindow);
    window->ShowModal();
    window.reset();
    hourglass.End();
    hidden.End();
    if (launcher.AfterClose)
        launcher.AfterClose();
}
