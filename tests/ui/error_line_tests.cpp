// Every error box of the program's presenter is also one line on standard
// error, so that a start from a terminal or a script says what went wrong.
#include "platform/ui/qt_presenter.h"
#include "tests/support/qt_print.h"
#include "tests/ui/test_application.h"
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Shows what show does, closes the box it opens, and gives the lines it wrote
// to standard error under the title (Qt's own warnings go there too).
QStringList StandardErrorOf(const std::function<void()>& show)
{
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->done(0);
    });
    testing::internal::CaptureStderr();
    show();
    return QString::fromStdString(testing::internal::GetCapturedStderr())
        .split(QLatin1Char('\n'))
        .filter(QRegularExpression(QStringLiteral("^Quelt: ")));
}

TEST(ErrorLine, ErrorBoxesAreWrittenAsOneLineAndOtherBoxesAreNot)
{
    const QString title = TestApplication().Title();
    TestApplication().SetTitle(QStringLiteral("Quelt"));
    TQtPresenter presenter;
    EXPECT_EQ(StandardErrorOf([&] { presenter.ShowException(EDatabaseError(QStringLiteral("Key violation\nin Pbanks"))); }),
              QStringList{QStringLiteral("Quelt: Key violation in Pbanks")});
    EXPECT_EQ(StandardErrorOf([&] { presenter.ShowException(EAbort()); }), QStringList());

    TMessageRequest request;
    request.Text = QStringLiteral("The period is closed.");
    request.Type = TMsgDlgType::mtError;
    EXPECT_EQ(StandardErrorOf([&] { presenter.ShowMessage(request); }), QStringList{QStringLiteral("Quelt: The period is closed.")});
    request.Type = TMsgDlgType::mtConfirmation;
    request.Buttons = mbYesNo;
    EXPECT_EQ(StandardErrorOf([&] { presenter.ShowMessage(request); }), QStringList());
    TestApplication().SetTitle(title);
}

} // namespace
