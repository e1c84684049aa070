#pragma once
// The multiple-entry, assets and payments dialogs on the main window's small
// accounts database: the dialog is shown on its own (the launcher tests go
// through the menus), clicked and typed into as the user does.
#include "tests/app/main_window_fixture.h"
#include "tests/ui/save_screenshot.h"
#include "platform/ui/containers.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/page_controls.h"
#include <QRadioButton>
#include <QToolButton>

class EntryDialogTest : public MainWindowTest {
protected:
    static void DBNavigatorClick(TDBNavigator* navigator, TNavigateBtn button)
    {
        QTest::mouseClick(navigator->Button(button), Qt::LeftButton);
        QApplication::processEvents();
    }

    static void Click(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }

    // On the button's circle: a radio button takes clicks on its circle and caption only.
    static void ClickRadio(TRadioGroup* group, int index)
    {
        QRadioButton* button = group->Button(index);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        QApplication::processEvents();
    }

    // Types text into the cell the grid stands on, then leaves the cell.
    static void TypeCell(TwwDBGrid* grid, int col, const QString& text)
    {
        grid->setFocus();
        grid->SetCol(col);
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    QStringList Rows(const QString& sql) { return MainWindowTest::Rows(sql, QLatin1Char('|')); }

    void Grab(QWidget& dialog, const QString& name)
    {
        ::SaveScreenshot(dialog, name);
    }
};

// Each test on its own Form, made anew, shown and active.
template <class Form>
class ShownEntryDialogTest : public EntryDialogTest {
protected:
    void SetUp() override
    {
        EntryDialogTest::SetUp();
        dialog = std::make_unique<Form>();
        dialog->Show();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    void TearDown() override
    {
        dialog.reset();
        EntryDialogTest::TearDown();
    }

    std::unique_ptr<Form> dialog;
};
