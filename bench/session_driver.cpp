// The program as its own main starts it, driven through a session for the
// process figures of app_process_bench. It tells the measuring process on the
// descriptor named by its second argument when the main window is mapped
// ("mapped <cpu us>"), and in "session" mode then goes through a user's
// session before quitting: three bank accounts chosen, a title-click sort,
// "Processing for reports", every report, the chart and a change of its year.
// In "start" mode it quits once the window is mapped; "splash-start" is the
// same start with the splash window. In "idle" mode it is left alone on its
// main window until the measuring process ends it with SIGTERM. A step that
// fails ends the program with status 3.
#include "app/chart_page.h"
#include "app/main_menu.h"
#include "app/program.h"
#include "app/report_page.h"
#include "bench/support/app_program.h"
#include "bench/support/painting.h"
#include "data/adm1.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "grid/ww_db_grid.h"
#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

int notifyFd = -1;
bool failed = false;

long long CpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL + usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
}

void Tell(const std::string& message)
{
    const std::string line = message + '\n';
    if (write(notifyFd, line.data(), line.size()) != ssize_t(line.size()))
        std::fprintf(stderr, "session driver: cannot reach the measuring process\n");
}

void Require(bool holds, const char* what)
{
    if (!holds)
        throw std::runtime_error(what);
}

void RunSession()
{
    TFrmMainMenu& window = *FrmMainMenu;
    for (int account : {1, 17, 33}) {
        ShowBankAccount(window, account);
        PaintPending();
        Require(!ADm1->TblTranBank1->IsEmpty(), "a chosen account shows no transactions");
    }
    window.TransactionTitleButtonClick(window.wwDBGrid14, QStringLiteral("DebitAmount"));
    PaintPending();
    window.ReportPage->ProcessingForReports1Click(nullptr);
    PaintPending();
    window.PageControlMain->SetActivePage(window.TabReports);
    TReportPage& reports = *window.ReportPage;
    Require(reports.CbReportItems->count() > 0, "the report page offers no report");
    for (int report = 0; report < reports.CbReportItems->count(); ++report) {
        reports.CbReportItems->setCurrentIndex(report);
        reports.SpeedButton2Click(reports.SpeedButton2);
        PaintPending();
    }
    if (!window.MnuViewChart->Checked())
        window.MnuViewChartClick(nullptr);
    PaintPending();
    window.ChartPage->EdtYear->setText(QString::number(ADm1->LastDataYear - 1));
    PaintPending();
}

enum class TMode { Start, SplashStart, Session, Idle };

// Notes the main window's first exposure; what follows runs once its paint is done.
class TMappedWatch : public QObject {
public:
    explicit TMappedWatch(TMode mode) : mode_(mode) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || !FrmMainMenu || target != FrmMainMenu->windowHandle() ||
            !FrmMainMenu->windowHandle()->isExposed())
            return false;
        qApp->removeEventFilter(this);
        QTimer::singleShot(0, [this] { Mapped(); });
        return false;
    }

private:
    void Mapped()
    {
        Tell("mapped " + std::to_string(CpuMicroseconds()));
        if (mode_ == TMode::Idle)
            return;
        try {
            if (mode_ == TMode::Session)
                RunSession();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "session driver: %s\n", error.what());
            failed = true;
        }
        Application->Terminate();
    }

    TMode mode_;
};

}  // namespace

int main(int argc, char** argv)
{
    static const std::map<std::string, TMode> modes = {
        {"start", TMode::Start}, {"splash-start", TMode::SplashStart}, {"session", TMode::Session}, {"idle", TMode::Idle}};
    const auto mode = argc == 3 ? modes.find(argv[1]) : modes.end();
    if (mode == modes.end()) {
        std::fprintf(stderr, "usage: %s start|splash-start|session|idle <descriptor to tell>\n", argv[0]);
        return 2;
    }
    notifyFd = std::atoi(argv[2]);
    // As the program's own main; the splash only where the figure asks for it.
    TApplication application(argc, argv);
    application.SetTitle(QStringLiteral("Quelt"));
    const TMappedWatch watch(mode->second);
    const int status =
        RunProgram(mode->second == TMode::SplashStart ? QStringList() : QStringList{QStringLiteral("/nosplash")});
    return failed ? 3 : status;
}
