#pragma once
// Bringing a control back before the user's eyes.
class QWidget;

// Every page that holds the control comes to the front of its page control,
// outermost first, as clicks on their tabs would bring them (each page
// control's OnChange follows); then the control takes the keyboard, unless
// it, or a control in it, has it already.
void ShowInView(QWidget& control);
