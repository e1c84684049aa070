#include "app/program.h"
#include "app/main_menu.h"
#include "app/splash_form.h"
#include "data/adm1.h"
#include "data/adm2.h"
#include "data/adm3.h"
#include "platform/db/dataset.h"
#include "platform/ui/application.h"
#include <QPointer>
#include <QSocketNotifier>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

bool ShowSplash = true;
TDateTime SplashStartTime = 0;

namespace {

constexpr TDateTime SplashSeconds = 2.0 / 86400;

// Shows the splash window and paints it now: the slow start-up work that
// follows processes no events, so it would otherwise appear blank or not at all.
void ShowStartupSplash(TSplashForm* splash)
{
    splash->Show();
    Application->ProcessMessages();
    splash->repaint();
}

// SIGTERM and SIGINT (the desktop's log-out, Ctrl+C in a terminal) end the
// program as closing its main window does, so that the database is closed
// cleanly. The handler only writes a byte to a socket pair; the message loop
// reads it and does the work.
class TEndSignals {
public:
    TEndSignals()
    {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets_) != 0)
            return;
        ::fcntl(sockets_[0], F_SETFL, O_NONBLOCK);
        ::fcntl(sockets_[1], F_SETFL, O_NONBLOCK);
        writeEnd = sockets_[0];
        notifier_ = std::make_unique<QSocketNotifier>(sockets_[1], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Received(); });
        struct sigaction action {};
        action.sa_handler = Handle;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (std::size_t k = 0; k < std::size(Signals); ++k)
            ::sigaction(Signals[k], &action, &previous_[k]);
    }
    ~TEndSignals()
    {
        if (!notifier_)
            return;
        for (std::size_t k = 0; k < std::size(Signals); ++k)
            ::sigaction(Signals[k], &previous_[k], nullptr);
        writeEnd = -1;
        notifier_.reset();
        ::close(sockets_[0]);
        ::close(sockets_[1]);
    }
    TEndSignals(const TEndSignals&) = delete;
    TEndSignals& operator=(const TEndSignals&) = delete;

    // A signal came, perhaps before the message loop ran.
    bool Requested() const { return requested_; }

private:
    static constexpr int Signals[] = {SIGTERM, SIGINT};
    static inline volatile std::sig_atomic_t writeEnd = -1;

    static void Handle(int)
    {
        const int saved = errno;
        const char byte = 1;
        if (writeEnd >= 0) {
            const ssize_t written = ::write(writeEnd, &byte, 1);
            static_cast<void>(written);   // a full socket already holds a request
        }
        errno = saved;
    }

    void Received()
    {
        char bytes[16];
        while (::read(sockets_[1], bytes, sizeof bytes) > 0) {
        }
        requested_ = true;
        Application->Terminate();
    }

    int sockets_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previous_[std::size(Signals)] {};
    bool requested_ = false;
};

// Edits not posted when the program ends are given up, as the user did not
// post them; nothing half-typed reaches the file.
void CancelPendingEdits()
{
    for (QObject* root : std::initializer_list<QObject*>{FrmMainMenu, ADm3, ADm2, ADm1}) {
        if (!root)
            continue;
        for (TDataSet* dataSet : root->findChildren<TDataSet*>()) {
            if (!IsEditState(dataSet->State()))
                continue;
            try {
                dataSet->Cancel();
            } catch (...) {
                Application->HandleException(std::current_exception());
            }
        }
    }
}

// Without a screen anyone sees (the offscreen platform of a script or a
// service), a box would wait for ever for an answer nobody can give: errors
// go to standard error only, and questions take their default answer.
class TStandardErrorPresenter : public TPresenter {
public:
    int ShowMessage(const TMessageRequest& request) override
    {
        if (request.Type == TMsgDlgType::mtError)
            WriteErrorLine(request.Text);
        return DefaultAnswer(request.Buttons);
    }
    void ShowException(const Exception& error) override { WriteErrorLine(error.Message); }
    void SetHourglass(bool) override {}
    void SetProgressMax(int) override {}
    void SetProgressPosition(int) override {}
};

// Puts the standard-error presenter in force while the screen is one nobody
// sees and the application's own presenter would show the boxes.
class THeadlessBoxes {
public:
    THeadlessBoxes()
        : active_(QGuiApplication::platformName() == QLatin1String("offscreen")
                  && &Presenter() == &Application->QtPresenter())
    {
        if (active_)
            SetPresenter(&presenter_);
    }
    ~THeadlessBoxes()
    {
        if (active_ && &Presenter() == &presenter_)
            SetPresenter(&Application->QtPresenter());
    }
    THeadlessBoxes(const THeadlessBoxes&) = delete;
    THeadlessBoxes& operator=(const THeadlessBoxes&) = delete;

private:
    TStandardErrorPresenter presenter_;
    bool active_;
};

} // namespace

bool ShowSplashFor(const QStringList& arguments)
{
    return !(arguments.size() == 1 && arguments.front().toLower() == QStringLiteral("/nosplash"));
}

void WaitForSplash(TDateTime start)
{
    using namespace std::chrono_literals;
    while (Now() - start <= SplashSeconds)
        std::this_thread::sleep_for(5ms);
}

void CreateDataModules()
{
    // Each module is handed to the application as soon as it stands, so that
    // a failure of a later one still frees the earlier ones at exit.
    Application->InsertComponent(new TADm1(nullptr));
    Application->InsertComponent(new TADm2(nullptr));
    Application->InsertComponent(new TADm3(nullptr));
}

int RunProgram(const QStringList& arguments)
{
    ShowSplash = ShowSplashFor(arguments);
    const THeadlessBoxes headless;
    const TEndSignals endSignals;
    QPointer<TSplashForm> startupSplash;
    int status = EXIT_FAILURE;
    try {
        if (ShowSplash) {
            SplashForm = new TSplashForm;
            Application->InsertComponent(SplashForm);
            startupSplash = SplashForm;
            ShowStartupSplash(SplashForm);
        }
        Application->SetHelpFile(QStringLiteral("Quelt.chm"));
        CreateDataModules();
        FrmMainMenu = Application->CreateForm<TFrmMainMenu>();
        if (ShowSplash) {
            SplashStartTime = Now();
            WaitForSplash(SplashStartTime);
            startupSplash->Hide();
        }
        // A signal during start-up ends the program once it stands.
        status = endSignals.Requested() ? EXIT_SUCCESS : Application->Run();
        CancelPendingEdits();
    } catch (...) {
        // A start-up that failed half way must not go on: the windows would
        // work on tables that are not there. The splash stays on top, so it
        // goes first to leave the error box in view.
        if (startupSplash)
            startupSplash->Hide();
        Application->HandleException(std::current_exception());
    }
    delete startupSplash.data();
    Application->DestroyComponents();
    return status;
}
