#pragma once
// What a window leaves unposted when it closes.
class QWidget;

// Gives up the edits still open in the tables the window's navigators work
// on, as closing the main window does: the tables outlive the window, and a
// row left in edit would come back half-typed when it opens again, or move
// the main window's pages, while the file keeps the old values.
void CancelPendingEdits(const QWidget& window);
