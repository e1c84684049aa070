#pragma once
// How the main window opens a modal window: the window is made with the
// application as its owner, shown modally and freed on return; for some
// windows the hourglass shows while it is made and the main window hides
// while it is up. Every such window opens with the keyboard in its first
// grid, and closing it over a row the user changed but did not post asks
// before the row is given up.
#include <QPointer>
#include <functional>

class TForm;
class QWidget;

struct TModalLauncher {
    bool Hourglass = true;
    bool HideMainWindow = true;
    // Makes the window and stores it in its global instance. Empty while the
    // program has no such window: the command then opens nothing.
    std::function<TForm*()> Create;
    // Prepares the made window before it shows (its width, or the page that
    // the Tag of the command's menu item chooses).
    std::function<void(TForm& window, int tag)> BeforeShow;
};

// Runs the launcher's window to its end. Whatever happens on the way, the
// main window is shown again and the cursor restored.
void RunModal(const TModalLauncher& launcher, QWidget& mainWindow, int tag = 0);
