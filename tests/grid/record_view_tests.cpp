// The record-view dialog on the notes table: its layout from the field list,
// the controls it makes and borrows, its keys and the way it closes.
#include "grid/record_view_dialog.h"
#include "grid/record_view_form.h"
#include "grid/ww_db_edit.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/db_navigator.h"
#include "grid/memo_dialog.h"
#include "tests/grid/edits_fixture.h"
#include "tests/support/real_boxes.h"
#include "tests/ui/keyboard_away.h"
#include <QPushButton>
#include <QTimer>

namespace {

class RecordViewTest : public EditsTest {
protected:
    void SetUp() override
    {
        EditsTest::SetUp();
        table->ControlType()->Add(QStringLiteral("Done;CheckBox;Y;N"));
        table->ControlType()->Add(QStringLiteral("Descr;CustomEdit;EdDescr"));
        table->Open();
        // The form's own edit, which the record view borrows for Descr.
        borrowed = new TwwDBEdit(form.get());
        borrowed->setObjectName(QStringLiteral("EdDescr"));
        borrowed->setGeometry(10, 10, 80, 21);
        borrowed->OnKeyDown = [this](QObject*, int&, Qt::KeyboardModifiers) { ++formKeys; };
        dialog.SetDataSource(source.get());
        for (const char* line : {"Code\t4\tThe~Code", "Descr\t20\tDescription", "<New Line>", "Done\t1\tDone",
                                 "Notes\t30\tNotes", "Missing\t5\tNot in the table"})
            dialog.Selected().Add(QString::fromLatin1(line));
        ShowForm();
    }

    // Executes the dialog and runs Steps once its form is up.
    bool ExecuteWith(std::function<void(TwwRecordViewForm&)> steps)
    {
        dialog.OnInitDialog = [steps](TwwRecordViewForm& shown) {
            QTimer::singleShot(0, &shown, [&shown, steps] {
                QApplication::setActiveWindow(&shown);
                steps(shown);
            });
            QTimer::singleShot(10000, &shown, [&shown] { if (shown.Modal()) shown.SetModalResult(99); });
        };
        return dialog.Execute();
    }

    void ExpectGivenBack()
    {
        EXPECT_EQ(borrowed->parentWidget(), form.get());
        EXPECT_EQ(borrowed->geometry(), QRect(10, 10, 80, 21));
        EXPECT_TRUE(borrowed->isVisible());
        EXPECT_TRUE(borrowed->DataField().isEmpty());
        formKeys = 0;
        QTest::keyClick(borrowed, Qt::Key_A);
        EXPECT_EQ(formKeys, 1);
    }

    TwwRecordViewDialog dialog;
    TwwDBEdit* borrowed = nullptr;
    int formKeys = 0;
};

TEST_F(RecordViewTest, LaysOutTheFieldListWithItsOwnAndBorrowedControlsAndGivesThemBack)
{
    QStringList titles;
    QList<int> tops;
    const bool ok = ExecuteWith([&](TwwRecordViewForm& shown) {
        for (QWidget* edit : shown.Edits()) tops << edit->y();
        for (TLabel* label : shown.findChildren<TwwLabel*>()) {
            titles << label->Caption();
            // A row's label and control share its top.
            EXPECT_EQ(label->y(), label->FocusControl()->y()) << label->Caption().toStdString();
        }
        EXPECT_EQ(shown.Edits().at(1), borrowed);
        EXPECT_EQ(borrowed->DataField(), "Descr");
        EXPECT_TRUE(qobject_cast<TDBCheckBox*>(shown.Edits().at(2)));
        EXPECT_TRUE(qobject_cast<TDBMemo*>(shown.Edits().at(3)));
        // Typing into the borrowed edit does not reach its form's handler.
        Focus(borrowed);
        Key(Qt::Key_End);
        Type(QStringLiteral("!"));
        EXPECT_EQ(formKeys, 0);
        Key(Qt::Key_Return, Qt::ControlModifier);
    });
    // Ctrl+Enter closes with OK and posts the edit typed.
    EXPECT_TRUE(ok);
    EXPECT_EQ(Stored(QStringLiteral("0001"), "Descr").toString(), "Note 1!");
    // The field-less lines are passed over; one field a row.
    EXPECT_EQ(titles, (QStringList{"The Code", "Description", "Notes"}));
    ASSERT_EQ(tops.size(), 4);
    EXPECT_TRUE(std::is_sorted(tops.begin(), tops.end()) && tops[0] < tops[1]);
    ExpectGivenBack();

    // Side by side in the horizontal style, and "<New Line>" starts the next row.
    dialog.Style = TwwRecordViewStyle::rvsHorizontal;
    tops.clear();
    EXPECT_FALSE(ExecuteWith([&](TwwRecordViewForm& shown) {
        for (QWidget* edit : shown.Edits()) tops << edit->y();
        Key(Qt::Key_Escape);
    }));
    ASSERT_EQ(tops.size(), 4);
    EXPECT_EQ(tops[0], tops[1]);
    EXPECT_GT(tops[2], tops[1]);
    ExpectGivenBack();
}

TEST_F(RecordViewTest, ClosingCountsAsItsOptionsSayAndAFailureGivesTheBorrowedEditBack)
{
    // Without CloseIsCancel the close box counts as OK.
    dialog.Options &= ~rvoCloseIsCancel;
    EXPECT_TRUE(ExecuteWith([](TwwRecordViewForm& shown) { shown.Close(); }));

    // A failure while the form is laid out leaves the form's edit as it was.
    dialog.OnAfterCreateControl = [](TwwRecordViewForm&, TField*, QWidget&) {
        throw EDatabaseError(QStringLiteral("no room"));
    };
    EXPECT_THROW(dialog.Execute(), EDatabaseError);
    EXPECT_EQ(dialog.Form(), nullptr);
    ExpectGivenBack();

    table->Close();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(presenter.LastText(), "DataSet must be active.");
    dialog.SetDataSource(nullptr);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(presenter.LastText(), "DataSource or DataSource.DataSet not defined.");
}

// A date typed that no calendar has is refused where it is typed: leaving
// the field says why in one box and the focus comes back to it; OK says it
// once more, not twice, and keeps the form; the mended date is posted.
TEST_F(RecordViewTest, AnImpossibleDateSaysWhyOnceEachTimeItIsRefused)
{
    dialog.Selected().Clear();
    dialog.Selected().Add(QStringLiteral("Opened\t10\tIssued Date"));
    dialog.Selected().Add(QStringLiteral("Code\t4\tCode"));
    const bool ok = ExecuteWith([&](TwwRecordViewForm& shown) {
        QWidget* issued = shown.EditOf(Field("Opened"));
        Focus(issued);
        auto* date = qobject_cast<TwwDBEdit*>(issued);
        date->selectAll();
        Type(QStringLiteral("31022020"));
        Key(Qt::Key_Tab);
        EXPECT_EQ(presenter.errors, std::vector<QString>{QStringLiteral("'31022020' is not a valid date")});
        EXPECT_EQ(QApplication::focusWidget(), issued);

        QTest::mouseClick(shown.OKBtn, Qt::LeftButton);
        EXPECT_EQ(presenter.errors.size(), 2u);
        EXPECT_TRUE(shown.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), issued);

        // The box takes the keyboard from the form: that says nothing more,
        // and the typing waits in the field.
        TakeKeyboardAwayAndBack(shown);
        EXPECT_EQ(presenter.errors.size(), 2u);
        EXPECT_EQ(QApplication::focusWidget(), issued);
        EXPECT_EQ(date->text(), QStringLiteral("31022020"));

        date->selectAll();
        Type(QStringLiteral("02/27/2020"));
        QTest::mouseClick(shown.OKBtn, Qt::LeftButton);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(presenter.errors.size(), 2u);
    EXPECT_EQ(Stored(QStringLiteral("0001"), "Opened").toDate(), QDate(2020, 2, 27));
}

// A look at a memo through its dialog, closed with OK, changes nothing: the
// record view then closes by its close box without a word, the record as it
// was.
TEST_F(RecordViewTest, ClosingAfterALookAtAMemoSaysNothing)
{
    RealBoxes boxes;
    QString memoText;
    bool closed = false;
    ExecuteWith([&](TwwRecordViewForm& shown) {
        QWidget* notes = shown.EditOf(Field("Notes"));
        Focus(notes);
        QTimer::singleShot(0, [] {
            if (auto* memo = qobject_cast<TwwMemoDlg*>(QApplication::activeModalWidget()))
                QTest::mouseClick(memo->OKBtn, Qt::LeftButton);
        });
        Key(Qt::Key_F2);
        // The window manager gives the form back its activation.
        QApplication::setActiveWindow(&shown);
        QApplication::processEvents();
        memoText = qobject_cast<QPlainTextEdit*>(notes)->toPlainText();
        EXPECT_EQ(QApplication::focusWidget(), notes);
        shown.close();
        closed = !shown.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(boxes.BoxCount(), 0) << (boxes.errors.empty() ? boxes.LastText() : boxes.errors.front()).toStdString();
    EXPECT_EQ(memoText, QStringLiteral("First line 1\nSecond line"));
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(Stored(QStringLiteral("0001"), "Notes").toString(), QStringLiteral("First line 1\nSecond line"));

    // Typed into the memo before the look: the dialog shows the typing, which
    // stays in the memo after it and is posted with the record.
    QString inDialog;
    EXPECT_TRUE(ExecuteWith([&](TwwRecordViewForm& shown) {
        auto* notes = qobject_cast<QPlainTextEdit*>(shown.EditOf(Field("Notes")));
        Focus(notes);
        notes->moveCursor(QTextCursor::End);
        Type(QStringLiteral(" and more"));
        QTimer::singleShot(0, [&inDialog] {
            if (auto* memo = qobject_cast<TwwMemoDlg*>(QApplication::activeModalWidget())) {
                inDialog = memo->Memo->toPlainText();
                QTest::mouseClick(memo->OKBtn, Qt::LeftButton);
            }
        });
        Key(Qt::Key_F2);
        QApplication::setActiveWindow(&shown);
        QApplication::processEvents();
        Key(Qt::Key_Return, Qt::ControlModifier);
    }));
    EXPECT_EQ(inDialog, QStringLiteral("First line 1\nSecond line and more"));
    EXPECT_EQ(boxes.BoxCount(), 0);
    EXPECT_EQ(Stored(QStringLiteral("0001"), "Notes").toString(), QStringLiteral("First line 1\nSecond line and more"));
}

} // namespace
