#pragma once
// The OK, Cancel and Help buttons of the library's dialogs (memo dialog,
// record view), captioned and styled from the global text object.
class QPushButton;
class TForm;

enum class TDialogButtonKind { OK, Cancel, Help };

// Makes the button on Dialog, which owns it. OK ends the dialog with mrOk and
// Cancel with mrCancel; Cancel also answers the Escape key (a QShortcut child
// of the button, which a dialog that handles Escape itself may disable).
QPushButton* CreateDialogButton(TForm* dialog, TDialogButtonKind kind);
