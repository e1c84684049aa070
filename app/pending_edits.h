#pragma once
// What a window leaves unposted when it closes: the edits open in the tables
// its navigators work on. The tables outlive the window, and a row left in
// edit would come back half-typed when it opens again, or move the main
// window's pages, while the file keeps the old values.
class QWidget;

// Gives those edits up without a word.
void CancelPendingEdits(const QWidget& window);

// Gives them up as the grid's Escape does: a row the user changed, in its
// record or in text a control holds and has not written yet, goes only once
// "Discard changes to this record?" is answered Yes. No brings the user back
// to the change, on its page, with the keyboard in the control that holds
// it (else in the row's list), and keeps it and the rest: false.
bool DiscardPendingEdits(QWidget& window);

// From now on, closing the window (its close box, a Close button, an Exit
// command) first gives up its edits so; a No keeps the window open.
void AskBeforeClosingOverEdits(QWidget& window);
