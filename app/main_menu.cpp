#include "app/main_menu.h"

TFrmMainMenu* FrmMainMenu = nullptr;

TFrmMainMenu::TFrmMainMenu()
{
    setObjectName(QStringLiteral("FrmMainMenu"));
    SetCaption(QStringLiteral("Quelt"));
    SetDesignFont(QStringLiteral("MS Sans Serif"), -11);
    SetClientSize(800, 560);   // the size it takes when restored from maximised
    SetWindowState(TWindowState::wsMaximized);
}

TFrmMainMenu::~TFrmMainMenu()
{
    if (FrmMainMenu == this)
        FrmMainMenu = nullptr;
}
