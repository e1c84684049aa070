#pragma once
// Boxes that take the keyboard while they are up, as real ones do: the main
// window is inactive until the box is answered, and the control that had the
// focus loses it meanwhile.
#include "tests/support/scripted_presenter.h"
#include <QApplication>
#include <QWidget>

class WindowedBoxes : public ScriptedPresenter {
public:
    explicit WindowedBoxes(QWidget* owner) : owner_(owner) {}

    int ShowMessage(const TMessageRequest& request) override
    {
        const int answer = ScriptedPresenter::ShowMessage(request);
        TakeTheKeyboard();
        return answer;
    }

    void ShowException(const Exception& error) override
    {
        ScriptedPresenter::ShowException(error);
        TakeTheKeyboard();
    }

private:
    void TakeTheKeyboard()
    {
        QWidget box;
        box.show();
        QApplication::setActiveWindow(&box);
        QApplication::processEvents();
        box.hide();
        QApplication::setActiveWindow(owner_);
        QApplication::processEvents();
    }

    QWidget* owner_;
};
