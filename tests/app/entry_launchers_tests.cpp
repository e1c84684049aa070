// The main window's commands open the real multiple-entry and assets dialogs
// by their shortcuts, the assets one although its menu item is hidden.
#include "tests/app/entry_dialog_fixture.h"
#include "app/assets_form.h"
#include "app/double_entry_form.h"
#include <QTimer>

namespace {

// What the dialog that a command opened looked like while it was up.
struct TSeen {
    QString caption;
    bool mainWindowVisible = true;
};

// Presses the shortcut and closes whatever modal dialog it opened.
template <class TDialog>
TSeen OpenByShortcut(TFrmMainMenu& window, Qt::Key key, TDialog*& instance)
{
    TSeen seen;
    QTimer::singleShot(0, &window, [&] {
        if (!instance)
            return;
        seen.caption = instance->windowTitle();
        seen.mainWindowVisible = window.isVisible();
        instance->BitBtn1->click();
    });
    QTest::keyClick(&window, key, Qt::ControlModifier);
    return seen;
}

TEST_F(EntryDialogTest, ShortcutsOpenTheEntryDialogsWithTheMainWindowHidden)
{
    ShowWindow();
    const TSeen entry = OpenByShortcut(*window, Qt::Key_D, FrmDoubleEntry);
    EXPECT_EQ(entry.caption, QStringLiteral("Multiple Entry Transactions"));
    EXPECT_FALSE(entry.mainWindowVisible);
    EXPECT_EQ(FrmDoubleEntry, nullptr);
    Reactivate();

    const TSeen assets = OpenByShortcut(*window, Qt::Key_A, FrmAssets);
    EXPECT_EQ(assets.caption, QStringLiteral("Assets Transactions"));
    EXPECT_FALSE(assets.mainWindowVisible);
    EXPECT_EQ(FrmAssets, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(presenter.errors.empty());
}

} // namespace
