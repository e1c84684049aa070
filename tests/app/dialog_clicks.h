#pragma once
// The dialogs' list and lookup combos worked as the user works them: a click
// on a row of the list, an account picked by typing the start of its name.
#include "grid/lookup_combo.h"
#include "platform/ui/custom_grid.h"
#include <QApplication>
#include <QTest>

// Clicks the cell as the mouse does: on the editor or control that lies over it, if any.
inline void ClickGridCell(TCustomGrid* grid, int col, int row)
{
    const QPoint centre = grid->CellRect(col, row).center();
    QWidget* target = grid->viewport()->childAt(centre);
    if (!target)
        target = grid->viewport();
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(grid->viewport(), centre));
    QApplication::processEvents();
}

// Clicks into the combo, types the start of a row's text and takes the row
// with Enter. The drop-down was a window of its own: the combo's window is
// active again afterwards, as the window manager makes it.
inline void ChooseInCombo(TwwDBCustomLookupCombo* combo, const QString& text)
{
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(4, combo->height() / 2));
    QTest::keyClicks(combo, text);
    combo->PerformSearch();
    QTest::keyClick(combo, Qt::Key_Return);
    QApplication::processEvents();
    combo->window()->activateWindow();
    QApplication::setActiveWindow(combo->window());
    QApplication::processEvents();
}
