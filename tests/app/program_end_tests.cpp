// How the program ends: closing its main window or a SIGTERM/SIGINT leaves one
// whole database file, and a start that fails without a screen says why on
// standard error instead of waiting on a box nobody sees.
#include "app/main_menu.h"
#include "app/program.h"
#include "data/adm1.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/engine/engine_session.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_application.h"
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <thread>

namespace {

const QString DatabaseFile = QStringLiteral("DataQuelt.sqlite");

// The single value of a query on a file, read past the program.
QString Scalar(const QString& path, const char* sql)
{
    sqlite3* raw = nullptr;
    QString value;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(raw, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
            value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        else
            value = QString::fromUtf8(sqlite3_errmsg(raw));
        sqlite3_finalize(statement);
    }
    sqlite3_close(raw);
    return value;
}

class ProgramEndTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        qputenv("VRACCOUNTS_DIR", accounts.Path().toLocal8Bit());
        TEngineSession::Default().AddAlias(QStringLiteral("VrAccounts"), accounts.Path());
    }
    void TearDown() override { qunsetenv("VRACCOUNTS_DIR"); }

    // Runs work once the main window is on screen; a program that never shows
    // it ends with 99.
    void WhenMainWindowShown(std::function<void()> work, int turnsLeft = 1000)
    {
        QTimer::singleShot(0, [this, work, turnsLeft] {
            if (FrmMainMenu && FrmMainMenu->isVisible())
                work();
            else if (turnsLeft > 0)
                WhenMainWindowShown(work, turnsLeft - 1);
            else
                Application->exit(99);
        });
    }

    // The accounts directory would lie below a plain file: the start cannot make it.
    void PointAliasBelowAFile()
    {
        const QString blocker = accounts.File(QStringLiteral("blocker"));
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        TEngineSession::Default().AddAlias(QStringLiteral("VrAccounts"), blocker + QStringLiteral("/data"));
    }

    TestDir accounts;
};

TEST_F(ProgramEndTest, EveryNormalEndCancelsPendingEditsAndLeavesOneWholeFile)
{
    enum class End { CloseMainWindow, Terminate, Interrupt };
    for (const End end : {End::CloseMainWindow, End::Terminate, End::Interrupt}) {
        SCOPED_TRACE(int(end));
        const TestDir dir;
        TEngineSession::Default().AddAlias(QStringLiteral("VrAccounts"), dir.Path());
        const ScriptedPresenter presenter;
        bool cancelled = false;
        WhenMainWindowShown([end, &cancelled] {
            TwwTable* currency = ADm1->TblCurrency;
            currency->AfterCancel = [&cancelled](TDataSet&) { cancelled = true; };
            currency->Append();
            currency->FieldByName(QStringLiteral("CurrencyShortName"))->SetAsString(QStringLiteral("EUR"));
            currency->FieldByName(QStringLiteral("CurrencyName"))->SetAsString(QStringLiteral("Euro"));
            currency->Post();
            currency->Append();
            currency->FieldByName(QStringLiteral("CurrencyShortName"))->SetAsString(QStringLiteral("USD"));
            if (end == End::CloseMainWindow)
                FrmMainMenu->close();
            else
                std::raise(end == End::Terminate ? SIGTERM : SIGINT);
        });
        EXPECT_EQ(RunProgram({QStringLiteral("/nosplash")}), EXIT_SUCCESS);
        EXPECT_TRUE(presenter.errors.empty()) << presenter.errors.front().toStdString();
        EXPECT_TRUE(cancelled) << "the edit was cancelled, not just dropped";

        const QString file = dir.File(DatabaseFile);
        EXPECT_FALSE(QFile::exists(file + QStringLiteral("-wal"))) << "the journal was checkpointed into the file";
        EXPECT_EQ(Scalar(file, "select group_concat(CurrencyName) from PCurncy"), QStringLiteral("Euro"));
        EXPECT_EQ(Scalar(file, "select count(*) from PConfig1"), QStringLiteral("1"));
    }
}

TEST_F(ProgramEndTest, StartErrorWithoutAScreenGoesToStandardErrorAndFails)
{
    PointAliasBelowAFile();
    SetPresenter(&Application->QtPresenter());   // the program's own boxes, as in a real start
    const QObject guard;
    QTimer::singleShot(0, &guard, [] { Application->exit(99); });   // a box that waited would end here

    testing::internal::CaptureStderr();
    const int status = RunProgram({QStringLiteral("/nosplash")});
    const QString errors = QString::fromStdString(testing::internal::GetCapturedStderr());
    SetPresenter(nullptr);
    EXPECT_EQ(status, EXIT_FAILURE);
    const QStringList lines = errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts).filter(QStringLiteral("blocker"));
    ASSERT_EQ(lines.size(), 1) << errors.toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral(": Cannot create the directory"))) << lines[0].toStdString();
}

// Shows a start-up error in the program's real box and sends the signal while
// it waits for an answer.
class SignalInBoxPresenter : public ScriptedPresenter {
public:
    explicit SignalInBoxPresenter(int signal) : signal_(signal) {}
    void ShowException(const Exception& error) override
    {
        ScriptedPresenter::ShowException(error);
        QTimer::singleShot(0, [this] { std::raise(signal_); });
        // Should the signal not end the box, a guard answers it so that the suite goes on.
        QTimer::singleShot(30000, [this] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                answeredByGuard = true;
                box->close();
            }
        });
        Application->QtPresenter().ShowException(error);
    }
    bool answeredByGuard = false;

private:
    int signal_;
};

TEST_F(ProgramEndTest, SignalEndsTheStartErrorBox)
{
    PointAliasBelowAFile();
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        SignalInBoxPresenter presenter(signal);
        EXPECT_EQ(RunProgram({QStringLiteral("/nosplash")}), EXIT_FAILURE);
        ASSERT_EQ(presenter.errors.size(), 1u);
        EXPECT_FALSE(presenter.answeredByGuard) << "the box stayed up after the signal";
        // The signal ends every loop until a main loop ends; the suite's next
        // boxes need loops that wait again.
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
}

// --- the program itself, as a script or the desktop starts it -----------------

class ProgramProcessTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    void Start(const QString& accountsDir)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("VRACCOUNTS_DIR"), accountsDir);
        program.setProcessEnvironment(environment);
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/app/quelt"), {QStringLiteral("/nosplash")});
        ASSERT_TRUE(program.waitForStarted()) << "the program is built beside the tests: " << program.errorString().toStdString();
    }

    // Waits for the end, killing a program that hangs so that the suite goes on.
    bool Ended()
    {
        if (program.waitForFinished(60000))
            return true;
        program.kill();
        program.waitForFinished();
        return false;
    }

    TestDir accounts;
    QProcess program;
};

TEST_F(ProgramProcessTest, StartErrorUnderOffscreenIsPrintedAndExitsWithOne)
{
    QFile file(accounts.File(QStringLiteral("blocker")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Start(file.fileName() + QStringLiteral("/data"));
    ASSERT_TRUE(Ended()) << "a box waited for an answer";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(errors.contains(QStringLiteral("Quelt: ")) && errors.contains(QStringLiteral("blocker/data")))
        << errors.toStdString();
}

TEST_F(ProgramProcessTest, SigtermLeavesEveryPostedRowInTheMainFile)
{
    Start(accounts.Path());
    const QString file = accounts.File(DatabaseFile);
    // The journal appears once the database is open, after the signal handlers stand.
    QDeadlineTimer patience(60000);
    while (!QFile::exists(file + QStringLiteral("-wal")) && !patience.hasExpired() && program.state() == QProcess::Running)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(QFile::exists(file + QStringLiteral("-wal")));
    ::kill(pid_t(program.processId()), SIGTERM);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_FALSE(QFile::exists(file + QStringLiteral("-wal")));
    // Everything the start wrote is in the one file a user would copy.
    EXPECT_EQ(Scalar(file, "select count(*) from PConfig1"), QStringLiteral("1"));
    EXPECT_EQ(Scalar(file, "select count(*) from POPTION1"), QStringLiteral("1"));
}

} // namespace
