#include "app/program.h"
#include "app/end_signals.h"
#include "app/headless_boxes.h"
#include "app/filter_form.h"
#include "app/legend_form.h"
#include "app/main_menu.h"
#include "app/splash_form.h"
#include "data/accounts_directory.h"
#include "data/adm1.h"
#include "data/adm2.h"
#include "data/adm3.h"
#include "dataset/filter_record_callback.h"
#include "grid/filter_escape.h"
#include "platform/db/dataset.h"
#include "platform/ui/application.h"
#include <QPointer>
#include <chrono>
#include <cstdlib>
#include <thread>

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
    RegisterAccountsAlias();
    ShowSplash = ShowSplashFor(arguments);
    const THeadlessBoxes headless;
    const TEndSignals endSignals;
    // A long record-filter pass stops when the user presses Escape.
    SetFilterEscapePoll(EscapePressed);
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
        Application->CreateForm<TFrmFilter>();
        Application->CreateForm<TFrmLegend>();
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
