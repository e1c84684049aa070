// Editing in the grid: picture masks, Escape, leaving a column, appending,
// deleting, and a value the field refuses.
#include "grid/ww_inplace_edit.h"
#include "tests/grid/grid_fixture.h"
#include "tests/ui/type_characters.h"
#include <QClipboard>
#include <QLineEdit>

namespace {
const QString InvalidInput = QStringLiteral("Invalid input value.  Use escape key to abandon changes");
}

TEST_F(GridTest, TypingUnderAPictureMaskDropsWhatTheMaskRefusesAndEscapeAbandons)
{
    table->PictureMasks()->Add(QStringLiteral("Code\t####\tT\tT"));
    ShowGrid({"Code\t4\tCode", "Descr\t20\tDescription"});
    Type(QStringLiteral("9x8"));
    auto* editor = qobject_cast<TwwInplaceEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("98"));
    Type(QStringLiteral("765"));
    EXPECT_EQ(editor->text(), QStringLiteral("9876"));
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_EQ(Field("Code"), QStringLiteral("0001"));

    // The first Escape drops the typing, the second the untouched edit.
    Key(Qt::Key_Escape);
    EXPECT_EQ(Field("Code"), QStringLiteral("0001"));
    EXPECT_TRUE(presenter.shown.empty());
    Key(Qt::Key_Escape);
    EXPECT_EQ(table->State(), dsBrowse);

    // An incomplete code keeps its column; Escape lets it go.
    Type(QStringLiteral("12"));
    Key(Qt::Key_Tab);
    ASSERT_EQ(presenter.errors.size(), 1u);
    EXPECT_EQ(presenter.errors[0], InvalidInput);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(QApplication::focusWidget(), editor);
    EXPECT_EQ(editor->text(), QStringLiteral("12"));
    Key(Qt::Key_Escape);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(presenter.errors.size(), 1u);
    EXPECT_EQ(Field("Code"), QStringLiteral("0001"));
}

TEST_F(GridTest, KeysAppendAtTheEndAndDeleteAfterTheQuestion)
{
    grid->SetKeyOptions(dgEnterToTab | dgAllowDelete | dgAllowInsert);
    QStringList columnEvents;
    grid->OnColExit = [&](QObject*) { columnEvents << QStringLiteral("exit %1").arg(grid->Col()); };
    grid->OnColEnter = [&](QObject*) { columnEvents << QStringLiteral("enter %1").arg(grid->Col()); };
    ShowGrid({"Code\t4\tCode", "Descr\t20\tDescription"});
    Key(Qt::Key_End, Qt::ControlModifier);
    ASSERT_EQ(Field("Code"), QStringLiteral("0030"));
    Key(Qt::Key_Down);
    EXPECT_EQ(table->State(), dsInsert);
    // Up leaves an untouched new record at the end without a trace.
    Key(Qt::Key_Up);
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(Field("Code"), QStringLiteral("0030"));

    // Enter steps as Tab; past the last column of the last record it appends.
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), 2);
    Key(Qt::Key_Return);
    EXPECT_EQ(table->State(), dsInsert);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(columnEvents, (QStringList{"exit 1", "enter 2", "exit 2", "enter 1"}));
    Type(QStringLiteral("0031"));
    Key(Qt::Key_Return);
    Type(QStringLiteral("New one"));
    Key(Qt::Key_Up);
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(CountRows(), 31);

    // Ctrl+Delete asks; Cancel keeps the record, OK deletes it.
    Key(Qt::Key_End, Qt::ControlModifier);
    presenter.Answer(mrCancel);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("Delete record?"));
    EXPECT_EQ(CountRows(), 31);
    presenter.Answer(mrOk);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(CountRows(), 30);
    EXPECT_EQ(Field("Code"), QStringLiteral("0030"));

    // Escape on a record already changed asks first; No keeps the change.
    Key(Qt::Key_Home, Qt::ControlModifier);
    Key(Qt::Key_Left, Qt::ControlModifier);
    Type(QStringLiteral("X"));
    Key(Qt::Key_Return);
    ASSERT_EQ(Field("Code"), QStringLiteral("X"));
    presenter.Answer(mrNo);
    Key(Qt::Key_Escape);
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Discard changes to this record?"));
    EXPECT_EQ(table->State(), dsEdit);
    presenter.Answer(mrYes);
    Key(Qt::Key_Escape);
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(Field("Code"), QStringLiteral("0001"));

    // Leaving the grid drops a new record nobody typed into.
    QLineEdit elsewhere(form.get());
    elsewhere.show();
    Key(Qt::Key_Insert);
    ASSERT_EQ(table->State(), dsInsert);
    elsewhere.setFocus();
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(CountRows(), 30);
}

TEST_F(GridTest, AValueTheFieldRefusesRaisesItsErrorAndLosesNothing)
{
    ShowGrid({"Code\t4\tCode", "Descr\t20\tDescription", "Amount\t10\tAmount"});
    Key(Qt::Key_Tab);
    Type(QStringLiteral("Changed"));
    Key(Qt::Key_Tab);
    Type(QStringLiteral("1.2.3"));
    Key(Qt::Key_Down);
    ASSERT_EQ(presenter.errors.size(), 1u);
    EXPECT_TRUE(presenter.errors[0].contains(QStringLiteral("1.2.3")));
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_EQ(Field("Code"), QStringLiteral("0001"));
    EXPECT_EQ(Field("Descr"), QStringLiteral("Changed"));
    auto* editor = qobject_cast<TwwInplaceEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("1.2.3"));

    editor->selectAll();
    Type(QStringLiteral("42"));
    Key(Qt::Key_Down);
    EXPECT_EQ(table->State(), dsBrowse);
    Key(Qt::Key_Up);
    EXPECT_EQ(Field("Descr"), QStringLiteral("Changed"));
    EXPECT_EQ(table->FieldByName("Amount")->AsFloat(), 42.0);

    // Pasted text edits the record as typing does.
    QApplication::clipboard()->setText(QStringLiteral("Pasted"));
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    Key(Qt::Key_F2);
    auto* descr = qobject_cast<TwwInplaceEdit*>(QApplication::focusWidget());
    ASSERT_NE(descr, nullptr);
    descr->selectAll();
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(table->State(), dsEdit);
    Key(Qt::Key_Down);
    Key(Qt::Key_Up);
    EXPECT_EQ(Field("Descr"), QStringLiteral("Pasted"));
}

// Tab past the last column of a new last record posts it and goes on at the
// first column of the record appended after it; Shift+Tab from there drops
// the untouched one and comes back to the last column of the posted record.
TEST_F(GridTest, TabWrapsAroundANewLastRecordBothWays)
{
    ShowGrid({"Code\t4\tCode", "Descr\t20\tDescription", "Amount\t10\tAmount"});
    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Down);
    ASSERT_EQ(table->State(), dsInsert);
    Type(QStringLiteral("0031"));
    Key(Qt::Key_Tab);
    Type(QStringLiteral("Typed"));
    Key(Qt::Key_Tab);
    Type(QStringLiteral("7"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(CountRows(), 31);
    EXPECT_EQ(table->State(), dsInsert);
    EXPECT_EQ(grid->Col(), 1);

    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(Field("Code"), QStringLiteral("0031"));
    Type(QStringLiteral("8"));
    Key(Qt::Key_Return);
    EXPECT_EQ(table->FieldByName("Amount")->AsFloat(), 8.0);
    EXPECT_EQ(CountRows(), 31);
}

// A character beyond 16 bits typed on a cell whose editor is closed opens
// the editor and goes into it whole, as every other character does.
TEST_F(GridTest, ACharacterBeyondSixteenBitsTypedOnAClosedCellGoesInWhole)
{
    ShowGrid({"Code\t4\tCode", "Descr\t20\tDescription"});
    grid->SetCol(2);
    ASSERT_FALSE(grid->InplaceEditor() && grid->InplaceEditor()->isVisible());
    TypeCharacters(QApplication::focusWidget(), QStringLiteral("\U0001F600 Tea"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Field("Descr"), QStringLiteral("\U0001F600 Tea"));
}

// The grid draws a long cell text wrapped (dgWordWrap, on by default), and its
// editor wraps it too: typing past the cell's width goes on on a new line, the
// editor scrolling down with the caret, and Home goes to the start of that
// line. Without dgWordWrap the editor keeps one line that scrolls sideways.
TEST_F(GridTest, TheEditorWrapsTheCellTextAsTheGridDrawsIt)
{
    ShowGrid({"Code\t4\tCode", "Descr\t8\tDescription"});
    Key(Qt::Key_Tab);
    Type(QStringLiteral("alpha beta gamma delta"));
    auto* editor = qobject_cast<TwwInplaceEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("alpha beta gamma delta"));
    EXPECT_GT(editor->TopLine(), 0);
    Key(Qt::Key_Home);
    EXPECT_GT(editor->cursorPosition(), 0);
    EXPECT_EQ(editor->text().at(editor->cursorPosition() - 1), QLatin1Char(' '));

    grid->SetOptions(grid->Options() & ~dgWordWrap);
    EXPECT_EQ(editor->TopLine(), 0);
    Key(Qt::Key_End);
    Key(Qt::Key_Home);
    EXPECT_EQ(editor->cursorPosition(), 0);
    Key(Qt::Key_Tab);   // past the last column: the next record
    table->Prior();
    EXPECT_EQ(Field("Descr"), QStringLiteral("alpha beta gamma delta"));
    EXPECT_EQ(presenter.errors.size(), 0u);
}

namespace {

// The top-left corner of the dark text in a cell: its leftmost ink column and
// the highest ink in that column's glyph stem.
QPoint TextCorner(const QImage& image, const QRect& cell)
{
    const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 100; };
    for (int x = cell.left() + 1; x < cell.right(); ++x)
        for (int y = cell.top() + 1; y < cell.bottom(); ++y)
            if (dark(x, y)) return QPoint(x, y);
    return QPoint(-1, -1);
}

} // namespace

// Opening the editor over a cell leaves its text where the cell drew it.
TEST_F(GridTest, TheEditorOpensWithTheTextWhereTheCellDrewIt)
{
    ShowGrid({"Code\t4\tCode", "Descr\t12\tDescription"});
    Key(Qt::Key_Tab);
    Key(Qt::Key_Escape);
    QApplication::processEvents();
    const QRect cell = grid->CellRect(2, grid->Row());
    const QPoint drawn = TextCorner(grid->viewport()->grab().toImage(), cell);
    Key(Qt::Key_F2);
    Key(Qt::Key_End);   // no selection: the text stays dark on white
    QApplication::processEvents();
    const QPoint edited = TextCorner(grid->viewport()->grab().toImage(), cell);
    ASSERT_NE(drawn.x(), -1);
    EXPECT_LE(std::abs(edited.x() - drawn.x()), 1);
    EXPECT_LE(std::abs(edited.y() - drawn.y()), 1);
}
