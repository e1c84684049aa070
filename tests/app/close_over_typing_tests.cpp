// Text typed and not yet written is a change like any other: closing over it
// asks, and No gives the user back the window as it was, with the keyboard
// in the control (and cell) the user was typing in. The boxes are the
// program's real ones, answered from inside their loop, so the focus moves
// they cause are the user's.
#include "tests/app/entry_dialog_fixture.h"
#include "tests/support/real_boxes.h"
#include "app/assets_form.h"
#include "app/loans_form.h"
#include "grid/ww_db_edit.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/menus.h"
#include "platform/ui/tool_bars.h"

namespace {

const QString DiscardQuestion = QStringLiteral("Discard changes to this record?");

class CloseOverTypingTest : public EntryDialogTest {
protected:
    // The window manager's part once a box has gone: its window is active again.
    static void Reactivate(QWidget& window)
    {
        QApplication::processEvents();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
    }

    static void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }

    // Text typed at the end of the control's value, the caret left there.
    static void TypeAtEnd(QWidget* control, const QString& text)
    {
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(control->width() - 4, 6));
        QTest::keyClick(control, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(control, text);
    }

    // The control has the keyboard, its caret at the end of its text and nothing selected.
    static void ExpectTypingOnAt(QWidget* control, const QString& text)
    {
        EXPECT_EQ(QApplication::focusWidget(), control);
        if (auto* line = qobject_cast<QLineEdit*>(control)) {
            EXPECT_EQ(line->text(), text);
            EXPECT_EQ(line->cursorPosition(), text.size());
            EXPECT_FALSE(line->hasSelectedText());
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
            EXPECT_EQ(memo->toPlainText(), text);
            EXPECT_EQ(memo->textCursor().position(), text.size());
            EXPECT_FALSE(memo->textCursor().hasSelection());
        }
    }

    // The window's close box over the typing: the question, answered No,
    // keeps the window, the typing and the keyboard where they were.
    void CloseBoxAnsweredNo(RealBoxes& boxes, QWidget& dialog, QWidget* control, const QString& text)
    {
        const int before = boxes.BoxCount();
        boxes.Answer(mrNo);
        dialog.close();
        Reactivate(dialog);
        ASSERT_EQ(boxes.BoxCount(), before + 1);
        EXPECT_EQ(Texts(boxes).back(), DiscardQuestion);
        EXPECT_TRUE(dialog.isVisible());
        ExpectTypingOnAt(control, text);
    }

    QStringList Texts(const RealBoxes& boxes) const
    {
        QStringList texts;
        for (const TMessageRequest& box : boxes.shown)
            texts << box.Text;
        for (const QString& error : boxes.errors)
            texts << error;
        return texts;
    }
};

// Escape over a row the table refused asks; after No the keyboard is in the
// grid on the cell the user was in, and the keys work there again. Closing
// the program over a cell being typed asks too, and after No the typing goes
// on in the cell's editor.
TEST_F(CloseOverTypingTest, AfterNoTheKeyboardIsBackInTheCellTheUserWasIn)
{
    RealBoxes boxes;
    ShowWindow();
    ChooseComAccount(QStringLiteral("Home Phone"));
    struct TPage {
        int index;
        TwwDBGrid* grid;
        TwwTable* table;
        QString refusal;
    };
    for (const TPage& page : {TPage{2, window->wwDBGrid17, adm1->TblTranIncome, "Income Description has to be entered"},
                              TPage{1, window->wwDBGrid10, adm1->TblTranTel1, "Item Description has to be entered"}}) {
        SCOPED_TRACE(page.refusal.toStdString());
        ClickTab(window->PageControl2, page.index);
        page.grid->setFocus();
        QTest::keyClick(page.grid, Qt::Key_Insert);
        Type(QStringLiteral("03102026"));
        Key(Qt::Key_Tab);
        Key(Qt::Key_Tab);
        Type(QStringLiteral("99"));
        const int amountCol = page.grid->Col();
        const int before = boxes.BoxCount();
        Key(Qt::Key_Tab);
        Reactivate(*window);
        ASSERT_EQ(boxes.BoxCount(), before + 1);
        EXPECT_TRUE(Texts(boxes).back().startsWith(page.refusal));

        boxes.Answer(mrNo);
        Key(Qt::Key_Escape);
        Reactivate(*window);
        ASSERT_EQ(boxes.BoxCount(), before + 2);
        EXPECT_EQ(boxes.LastText(), DiscardQuestion);
        EXPECT_EQ(page.table->State(), dsInsert);
        QWidget* focused = QApplication::focusWidget();
        ASSERT_TRUE(focused == page.grid || page.grid->isAncestorOf(focused));
        EXPECT_EQ(page.grid->Col(), amountCol);
        // Escape reaches the grid again: Yes gives the row up.
        boxes.Answer(mrYes);
        Key(Qt::Key_Escape);
        Reactivate(*window);
        EXPECT_EQ(boxes.LastText(), DiscardQuestion);
        EXPECT_EQ(page.table->State(), dsBrowse);
    }

    // A cell typed into and not left: the program's close asks, and after No
    // the keys go on in the cell's editor.
    TwwDBGrid* grid = window->wwDBGrid10;
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Insert);
    Type(QStringLiteral("03102026"));
    auto* editor = QApplication::focusWidget();
    ASSERT_TRUE(grid->isAncestorOf(editor));
    boxes.Answer(mrNo);
    QTest::mouseClick(window->SpeedButton3, Qt::LeftButton);
    Reactivate(*window);
    EXPECT_EQ(boxes.LastText(), DiscardQuestion);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), editor);
    Key(Qt::Key_Backspace);
    Type(QStringLiteral("7"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(editor)->text(), QStringLiteral("03102027"));
}

// The assets dialog's description and notes, and the loans dialog's data
// edit: typing not yet written to the field is a change the close box asks
// about; No keeps it and the keyboard in it, Yes gives it up.
TEST_F(CloseOverTypingTest, ClosingOverTypedTextAsks)
{
    Put(adm1->DataQuelt->EngineDatabase(), "TRNAST1A", {{"AssetCode", "0000000001"}, {"AssetDesc", "Piano"}});
    Put(adm1->DataQuelt->EngineDatabase(), "TrnLon1a",
        {{"LoanCode", "0000000001"}, {"LoanDetails", "Car Loan"}, {"LoanType", "B"},
         {"StartDate", QDate(2026, 3, 15)}, {"FinishDate", QDate(2026, 4, 14)}, {"Duration", 1},
         {"LoanAmount", 100.0}, {"InterestAmount", 0.0}, {"TotalPaybackAmount", 0.0}, {"Approved", false}});
    adm3->TblAsset1a->Refresh();
    RealBoxes boxes;
    ShowWindow();
    InDialog<TFrmAssets>(Qt::Key_A, FrmAssets, [&](TFrmAssets& assets) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&assets));
        DBNavigatorClick(assets.DBNavigator2, nbEdit);
        TypeAtEnd(assets.DBEdit1, QStringLiteral(" and trailer"));
        CloseBoxAnsweredNo(boxes, assets, assets.DBEdit1, QStringLiteral("Piano and trailer"));
        // The keys go on where they were.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("!"));
        EXPECT_EQ(assets.DBEdit1->text(), QStringLiteral("Piano and trailer!"));
        boxes.Answer(mrYes);
        assets.close();
    });
    EXPECT_EQ(Rows(QStringLiteral("select AssetDesc from TRNAST1A")), QStringList{"Piano"});

    // A new asset: its description written as the notes take the keyboard,
    // the notes typed.
    InDialog<TFrmAssets>(Qt::Key_A, FrmAssets, [&](TFrmAssets& assets) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&assets));
        DBNavigatorClick(assets.DBNavigator2, nbInsert);
        TypeAtEnd(assets.DBEdit1, QStringLiteral("Boat"));
        TypeAtEnd(assets.DBMemo1, QStringLiteral("Moored"));
        CloseBoxAnsweredNo(boxes, assets, assets.DBMemo1, QStringLiteral("Moored"));
        boxes.Answer(mrYes);
        assets.close();
    });
    EXPECT_EQ(Rows(QStringLiteral("select AssetDesc from TRNAST1A")), QStringList{"Piano"});

    InDialog<TFrmLoans>(Qt::Key_L, FrmLoans, [&](TFrmLoans& loans) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&loans));
        DBNavigatorClick(loans.DBNavigator2, nbEdit);
        TypeAtEnd(loans.DBEdit1, QStringLiteral(" two"));
        CloseBoxAnsweredNo(boxes, loans, loans.DBEdit1, QStringLiteral("Car Loan two"));
        boxes.Answer(mrYes);
        loans.close();
    });
    EXPECT_EQ(Rows(QStringLiteral("select LoanDetails from TrnLon1a")), QStringList{"Car Loan"});
    EXPECT_EQ(Texts(boxes), QStringList(6, DiscardQuestion));
}

} // namespace
