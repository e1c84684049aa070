#pragma once
// Where a modal box or window stands among the program's windows. A window
// kept on top lives in the window manager's upper layer, where a modal one
// opened in the ordinary layer would open hidden behind it, and, being modal,
// leave every click doing nothing. While a window of the program is kept on
// top, the modal one is kept on top too and belongs to the window it was
// opened from; when it closes, that window has the keyboard again.
#include <QPointer>
#include <QWidget>

class TModalStacking {
public:
    // Made before modal is shown; opener may be nullptr.
    TModalStacking(QWidget& modal, QWidget* opener);
    ~TModalStacking();
    TModalStacking(const TModalStacking&) = delete;
    TModalStacking& operator=(const TModalStacking&) = delete;

private:
    QPointer<QWidget> modal_;
    QPointer<QWidget> opener_;
    bool raised_ = false;
    bool ownsTransientParent_ = false;
};
