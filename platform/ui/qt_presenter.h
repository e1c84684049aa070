#pragma once
// The presenter of the running program: message boxes as QMessageBox, the
// hourglass as the screen cursor and the progress bar the main window lends it.
#include "platform/rtl/presenter.h"
#include "platform/ui/screen.h"
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>

class TQtPresenter : public TPresenter {
public:
    ~TQtPresenter() override;

    int ShowMessage(const TMessageRequest& request) override;
    void ShowException(const Exception& error) override;
    void SetHourglass(bool on) override;
    void SetProgressMax(int max) override;
    void SetProgressPosition(int position) override;
    void SetProgressVisible(bool visible) override;
    void ProcessMessages() override;

    // The bar that the progress calls show, step and hide; nullptr (or a bar
    // that has been destroyed) makes them do nothing.
    void SetProgressBar(QProgressBar* bar) { progressBar_ = bar; }

private:
    QWidget* BoxOwner();

    QPointer<QProgressBar> progressBar_;
    // The window the last box was shown over.
    QPointer<QWidget> lastBoxOwner_;
    bool hourglassShown_ = false;
    // The screen cursor the hourglass replaced, put back when it ends.
    TCursor cursorBeforeHourglass_ = crDefault;
};

QMessageBox::Icon MessageIcon(TMsgDlgType type);

// Writes an error on standard error as one line under the application's
// title; every error box the presenter shows goes there too, so that a start
// from a terminal or a script always says what went wrong.
void WriteErrorLine(const QString& text);
