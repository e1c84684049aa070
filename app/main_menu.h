#pragma once
// The application's main window. Closing it ends the program.
#include "platform/ui/form.h"

class TFrmMainMenu : public TForm {
    Q_OBJECT
public:
    TFrmMainMenu();
    ~TFrmMainMenu() override;
};

extern TFrmMainMenu* FrmMainMenu;
