// The memo dialog on a real memo field, driven by keys and clicks inside its
// modal loop.
#include "dataset/intl.h"
#include "grid/memo_dialog.h"
#include "tests/grid/edits_fixture.h"
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

class MemoDialogTest : public EditsTest {
protected:
    void SetUp() override
    {
        EditsTest::SetUp();
        table->Open();
        dialog.SetDataSource(source.get());
        dialog.SetDataField(QStringLiteral("Notes"));
    }

    // Executes the dialog and runs Steps inside its modal loop once it shows.
    bool ExecuteWith(std::function<void(TwwMemoDlg&)> steps)
    {
        dialog.OnInitDialog = [steps](TwwMemoDlg& form) {
            QTimer::singleShot(0, &form, [&form, steps] { steps(form); });
            // Only a fault leaves the loop running.
            QTimer::singleShot(10000, &form, [&form] {
                if (form.Modal()) form.SetModalResult(99);
            });
        };
        return dialog.Execute();
    }

    TwwMemoDialog dialog;
};

TEST_F(MemoDialogTest, OkWritesTheMemoOnlyWhenItWasChanged)
{
    // A look at the memo of a posted record, closed with OK, leaves it posted.
    QString shown;
    EXPECT_TRUE(ExecuteWith([&shown](TwwMemoDlg& form) {
        shown = form.Memo->toPlainText();
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
    }));
    EXPECT_EQ(shown, QStringLiteral("First line 1\nSecond line"));
    EXPECT_EQ(table->State(), dsBrowse);

    // Typed and closed with Ctrl+Enter: the record is in edit with the new memo.
    EXPECT_TRUE(ExecuteWith([](TwwMemoDlg& form) {
        QTest::keyClick(form.Memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(form.Memo, Qt::Key_Return);
        QTest::keyClicks(form.Memo, QStringLiteral("Third"));
        form.grab().save(QStringLiteral("/tmp/memo_dialog.png"));
        QTest::keyClick(form.Memo, Qt::Key_Return, Qt::ControlModifier);
    }));
    EXPECT_EQ(table->State(), dsEdit);
    table->Post();
    EXPECT_EQ(Stored(QStringLiteral("0001"), "Notes").toString(), QStringLiteral("First line 1\nSecond line\nThird"));
}

TEST_F(MemoDialogTest, EscapeOnAChangedMemoAsksAndAViewOnlyMemoChangesNothing)
{
    presenter.Answer(mrNo);
    presenter.Answer(mrYes);
    bool openAfterNo = false;
    EXPECT_FALSE(ExecuteWith([&openAfterNo](TwwMemoDlg& form) {
        QTest::keyClicks(form.Memo, QStringLiteral("x"));
        QTest::keyClick(form.Memo, Qt::Key_Escape);
        openAfterNo = form.isVisible();
        QTest::keyClick(form.Memo, Qt::Key_Escape);
    }));
    EXPECT_TRUE(openAfterNo);
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[0].Text, GlobalIntl().UserMessages.MemoChangesWarning);
    EXPECT_EQ(table->State(), dsBrowse);

    // Escape on an unchanged memo closes without a question.
    EXPECT_FALSE(ExecuteWith([](TwwMemoDlg& form) { QTest::keyClick(form.Memo, Qt::Key_Escape); }));
    EXPECT_EQ(presenter.shown.size(), 2u);

    dialog.SetMemoAttributes(mViewOnly | mWordWrap);
    dialog.UserButton1Caption = QStringLiteral("Copy");
    QString handedMemo;
    dialog.OnUserButton1Click = [&handedMemo](TwwMemoDlg&, QPlainTextEdit& memo) { handedMemo = memo.toPlainText(); };
    bool cancelShown = true;
    QSize size;
    EXPECT_TRUE(ExecuteWith([&cancelShown, &size](TwwMemoDlg& form) {
        cancelShown = form.CancelBtn->isVisible();
        size = form.size();
        QTest::keyClicks(form.Memo, QStringLiteral("typed"));
        QTest::mouseClick(form.UserButton1, Qt::LeftButton);
        form.grab().save(QStringLiteral("/tmp/memo_dialog_view_only.png"));
        QTest::keyClick(form.Memo, Qt::Key_F2);
    }));
    EXPECT_FALSE(cancelShown);
    EXPECT_EQ(size, QSize(dialog.DlgWidth, dialog.DlgHeight));   // a dialog border keeps the designed size
    EXPECT_EQ(handedMemo, QStringLiteral("First line 1\nSecond line"));
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(Field("Notes").AsString(), QStringLiteral("First line 1\nSecond line"));
}

} // namespace
