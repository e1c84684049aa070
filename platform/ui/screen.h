#pragma once
// TScreen: the program's view of the screen: the cursor that overrides every
// control's own (the hourglass during long work), the active form, the size.
// The application object owns the one instance, Screen.
#include <QObject>

class TForm;

// Cursor numbers as the component library knows them.
enum TCursor : int { crDefault = 0, crArrow = -2, crHourGlass = -11 };

class TScreen : public QObject {
    Q_OBJECT
public:
    TScreen();
    ~TScreen() override;

    // crDefault lets each control show its own cursor; any other cursor shows
    // over the whole program until the cursor goes back to crDefault.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    // The form that has the keyboard focus; nullptr when the program is not
    // active or the active window is not a form.
    TForm* ActiveForm() const;
    int Width() const;
    int Height() const;

private:
    TCursor cursor_ = crDefault;
};

extern TScreen* Screen;
