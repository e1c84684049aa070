#pragma once
// The application object: title, help file, main window, the components it owns
// and the default handler for every exception that leaves an event handler.
#include "platform/ui/form.h"
#include "platform/ui/qt_presenter.h"
#include "platform/ui/screen.h"
#include <QApplication>
#include <QPointer>
#include <exception>
#include <vector>

class TApplication : public QApplication {
    Q_OBJECT
public:
    // Makes Screen and installs the Qt presenter, so that message boxes, the
    // hourglass and the progress bar reach the screen.
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    QString Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }
    QString HelpFile() const { return helpFile_; }
    void SetHelpFile(const QString& file) { helpFile_ = file; }
    TForm* MainForm() const { return mainForm_; }
    TQtPresenter& QtPresenter() { return presenter_; }

    // Creates a form owned by the application; the first form made this way is
    // the main window, whose closing ends the message loop.
    template <class T> T* CreateForm()
    {
        T* form = new T();
        InsertComponent(form);
        if (!mainForm_)
            mainForm_ = form;
        return form;
    }

    // The application frees its components at exit, newest first.
    void InsertComponent(QObject* component);
    void DestroyComponents();

    void ProcessMessages();
    // Shows the main window and runs the message loop until it closes.
    int Run();
    void Terminate();

    // The default error box for an exception in flight; EAbort is shown nowhere.
    void HandleException(std::exception_ptr error) noexcept;

    // Qt must never see an exception: whatever an event handler throws ends here.
    bool notify(QObject* receiver, QEvent* event) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A click whose focus change was refused (a cell the record will not
    // take keeps the keyboard, with its one box) does nothing else: the user
    // sees to the refused value first, and the click would only meet the
    // same refusal again.
    int refusals_ = 0;          // exceptions handled so far
    int refusalsAtPress_ = -1;  // before the press being delivered gave the focus; -1: none
    Qt::MouseButton swallowRelease_ = Qt::NoButton;   // the held button of a swallowed press

    QString title_;
    QString helpFile_;
    QPointer<TForm> mainForm_;
    std::vector<QPointer<QObject>> components_;
    TScreen screen_;   // outlives the presenter, which may still restore the cursor
    TQtPresenter presenter_;
};

extern TApplication* Application;
