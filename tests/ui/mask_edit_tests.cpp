#include "platform/rtl/format_settings.h"
#include "platform/ui/mask_edit.h"
#include "tests/support/qt_print.h"
#include "tests/support/scoped_format_settings.h"
#include "tests/support/scripted_presenter.h"
#include "tests/ui/test_application.h"
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MaskEditTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        edit.setFocus();
    }
    void Type(const QString& keys) { QTest::keyClicks(&edit, keys); }
    void Key(Qt::Key key) { QTest::keyClick(&edit, key); }
    ScopedFormatSettings formats;
    QWidget window;
    TMaskEdit& edit = *new TMaskEdit(&window);
    QLineEdit& other = *new QLineEdit(&window);
};

} // namespace

TEST_F(MaskEditTest, DateMaskTakesDigitsOnlyStepsOverLiteralsAndKeepsThemOnDelete)
{
    edit.SetEditMask(QStringLiteral("!99/99/0000;1;_"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("__/__/____"));
    EXPECT_EQ(edit.Text(), QString()) << "nothing entered reads as empty";
    edit.SetSelStart(0);
    Type(QStringLiteral("1a2"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("12/__/____")) << "a letter is refused";
    EXPECT_EQ(edit.SelStart(), 3) << "the caret steps over the separator";
    Type(QStringLiteral("05-2024"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("12/05/2024"));
    EXPECT_EQ(edit.Text(), QStringLiteral("12/05/2024"));
    EXPECT_TRUE(edit.Modified());
    Type(QStringLiteral("9"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("12/05/2024")) << "nothing past the last position";

    edit.SetSelStart(6);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(edit.EditText(), QStringLiteral("12/0_/2024")) << "Backspace skips the literal before the caret";
    EXPECT_EQ(edit.SelStart(), 4);
    edit.SetSelStart(2);
    Key(Qt::Key_Delete);
    EXPECT_EQ(edit.EditText(), QStringLiteral("12/__/2024")) << "Delete on a literal blanks the next digit";
    EXPECT_EQ(edit.Text(), QStringLiteral("12/  /2024"));

    edit.SetSelStart(0);
    edit.SetSelLength(10);
    Type(QStringLiteral("3"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("3_/__/____")) << "typing over a selection blanks it first";
}

TEST_F(MaskEditTest, SaveFlagDecidesWhetherTextCarriesTheLiterals)
{
    edit.SetEditMask(QStringLiteral("\\(000\\) 000-0000;0;*"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("(***) ***-****"));
    Type(QStringLiteral("5551234567"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("(555) 123-4567"));
    EXPECT_EQ(edit.Text(), QStringLiteral("5551234567"));
    edit.SetText(QStringLiteral("4441"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("(444) 1**-****"));
    EXPECT_EQ(edit.Text(), QStringLiteral("4441"));

    edit.SetEditMask(QStringLiteral("\\(000\\) 000-0000;1;_"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("(444) 1__-____")) << "a new mask keeps what was entered";
    EXPECT_EQ(edit.Text(), QStringLiteral("(444) 1  -    "));
    edit.SetText(QStringLiteral("(123) 456-7890"));
    EXPECT_EQ(edit.Text(), QStringLiteral("(123) 456-7890"));
}

TEST_F(MaskEditTest, CaseDirectivesCharacterClassesAndLeadingBlanks)
{
    edit.SetEditMask(QStringLiteral(">LL<ll<>c;0;_"));
    Type(QStringLiteral("ab1CDe"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("ABcde")) << "the digit is refused by a letter position";

    edit.SetEditMask(QStringLiteral("#99;0;_"));
    edit.SetEditText(QString());
    edit.SetSelStart(0);
    Type(QStringLiteral("-x4"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("-4_"));
    EXPECT_EQ(edit.Text(), QStringLiteral("-4"));

    edit.SetEditMask(QStringLiteral("!999;0;_"));
    edit.SetText(QStringLiteral("7"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("__7")) << "with ! a short text fills from the right";
    EXPECT_EQ(edit.Text(), QStringLiteral("7"));
}

TEST_F(MaskEditTest, RegionalSeparatorsStandForSlashAndColon)
{
    TFormatSettings settings = TFormatSettings::UsEnglish();
    settings.DateSeparator = QLatin1Char('.');
    settings.TimeSeparator = QLatin1Char('h');
    ScopedFormatSettings scoped(settings);
    edit.SetEditMask(QStringLiteral("99/99 90:00;1;_"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("__.__ __h__"));
}

TEST_F(MaskEditTest, IncompleteRequiredPositionFailsValidationAndKeepsTheFocus)
{
    ScriptedPresenter presenter;
    edit.SetEditMask(QStringLiteral("!99/99/0000;1;_"));
    EXPECT_NO_THROW(edit.ValidateEdit()) << "an empty date is no error";
    edit.SetSelStart(0);
    Type(QStringLiteral("010320"));
    try {
        edit.ValidateEdit();
        ADD_FAILURE() << "an incomplete year passed";
    } catch (const EDBEditError& error) {
        EXPECT_EQ(error.Message, QStringLiteral("Invalid input value.  Use escape key to abandon changes"));
        EXPECT_EQ(edit.SelStart(), 8) << "the caret goes to the first blank required position";
    }

    other.setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(edit.hasFocus());
    EXPECT_EQ(presenter.errors, std::vector<QString>{QString::fromLatin1(SMaskEditErr)});

    Type(QStringLiteral("26"));
    EXPECT_NO_THROW(edit.ValidateEdit());
    other.setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(other.hasFocus());
}

TEST_F(MaskEditTest, PlainEditEventsCaseLimitAndReadOnly)
{
    QString log;
    edit.OnKeyPress = [&](QObject*, QChar& key) {
        if (key == QLatin1Char('x'))
            key = QChar();
        else if (key == QLatin1Char('y'))
            key = QLatin1Char('z');
    };
    edit.OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_F5) {
            log += QStringLiteral("F5 ");
            key = 0;
        }
    };
    edit.OnChange = [&](QObject*) { log += edit.Text() + QLatin1Char(' '); };
    edit.SetCharCase(TEditCharCase::ecUpperCase);
    edit.SetMaxLength(3);
    Type(QStringLiteral("axy"));
    Key(Qt::Key_F5);
    Type(QStringLiteral("bc"));
    EXPECT_EQ(edit.Text(), QStringLiteral("AZB"));
    EXPECT_EQ(log, QStringLiteral("A AZ F5 AZB "));
    EXPECT_TRUE(edit.Modified());

    edit.SetText(QStringLiteral("abc"));
    EXPECT_EQ(edit.Text(), QStringLiteral("ABC"));
    EXPECT_FALSE(edit.Modified());
    edit.SetReadOnly(true);
    edit.SelectAll();
    Type(QStringLiteral("q"));
    EXPECT_EQ(edit.Text(), QStringLiteral("ABC"));
    EXPECT_EQ(edit.SelText(), QStringLiteral("ABC"));

    edit.SetPasswordChar(QLatin1Char('*'));
    EXPECT_EQ(edit.displayText(), QStringLiteral("***"));
}

TEST_F(MaskEditTest, LineEditShortcutsCannotShiftCharactersAcrossTheMask)
{
    edit.SetEditMask(QStringLiteral("!99/99/0000;1;_"));
    edit.SetMaxLength(4);
    Type(QStringLiteral("01022020"));
    EXPECT_EQ(edit.EditText(), QStringLiteral("01/02/2020")) << "the mask decides the length";
    QTest::keyClick(&edit, Qt::Key_Backspace, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(edit.EditText(), QStringLiteral("01/02/202_")) << "Ctrl+Backspace blanks one position, the rest stays";
    EXPECT_EQ(edit.SelStart(), 0) << "Home still moves the caret";
}

TEST_F(MaskEditTest, PastingByKeyOrMenuOrDroppingEntersWhatTypingWould)
{
    // The edit's own key check refuses 'x'; line breaks, NUL and half a character are never typed.
    edit.OnKeyPress = [](QObject*, QChar& key) {
        if (key == QLatin1Char('x'))
            key = QChar();
    };
    const QString pasted = QStringLiteral("a\nb") + QChar(0) + QChar(0xD800) + QStringLiteral("xc\r");
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.Text(), QStringLiteral("abc"));
    EXPECT_TRUE(edit.Modified());

    edit.SetText(QString());
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(2, 2), edit.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&edit, &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(),
                                    [](QAction* action) { return action->text().startsWith(QStringLiteral("&Paste")); });
    ASSERT_NE(paste, actions.end());
    (*paste)->trigger();
    menu->close();
    EXPECT_EQ(edit.Text(), QStringLiteral("abc"));

    edit.SetText(QString());
    QMimeData dropped;
    dropped.setText(pasted);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject&>(edit).event(&drop);   // straight to the edit: no drag is under way to deliver it
    EXPECT_EQ(edit.Text(), QStringLiteral("abc")) << "dropped";

    // Through a mask, a refused character is left out as a typed one is, not the end of the paste.
    edit.SetEditMask(QStringLiteral("!99/99/0000;1;_"));
    QApplication::clipboard()->setText(QStringLiteral("04-1") + QChar(0xDC00) + QStringLiteral("5/2026"));
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.EditText(), QStringLiteral("04/15/2026"));
}
