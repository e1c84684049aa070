// The masked data edit through real keys on a real table: date and time
// completion on the space key, the picture mask while typing and on leaving.
#include "dataset/property_reflection.h"
#include "grid/ww_db_edit.h"
#include "tests/grid/edits_fixture.h"
#include "tests/support/qt_print.h"
#include "tests/ui/type_characters.h"
#include <QClipboard>
#include "grid/ww_db_grid.h"
#include <QImage>
#include <QScrollBar>
#include <QStyle>
#include <functional>

namespace {

class WwDBEditTest : public EditsTest {
protected:
    // An edit on Field of the first record, and a second edit to tab to.
    TwwDBEdit& EditOn(const char* field)
    {
        if (!table->Active()) table->Open();
        edit = new TwwDBEdit(form.get());
        edit->setGeometry(10, 10, 160, 24);
        edit->SetDataSource(source.get());
        edit->SetDataField(QString::fromLatin1(field));
        other = new TwwDBEdit(form.get());
        other->setGeometry(10, 50, 160, 24);
        ShowForm();
        Focus(edit);
        return *edit;
    }

    void Spaces(int count)
    {
        for (int i = 0; i < count; ++i) Key(Qt::Key_Space);
    }

    TwwDBEdit* edit = nullptr;    // owned by the form
    TwwDBEdit* other = nullptr;
};

TEST_F(WwDBEditTest, SpaceCompletesPartialDatesToTodayUnderDayMonthAndMonthDayFormats)
{
    struct Case {
        TFormatSettings settings;
        QString typed;
        int spaces;
        QString completed;
        QDate stored;
    };
    TFormatSettings dayMonthTwoDigitYear = ScopedFormatSettings::DayMonthYear();
    dayMonthTwoDigitYear.ShortDateFormat = QStringLiteral("dd/mm/yy");
    TFormatSettings monthDay = TFormatSettings::UsEnglish();
    monthDay.ShortDateFormat = QStringLiteral("m/d/yyyy");
    const Case cases[] = {
        // The format has no "yyyy": the completed year still has four digits, so
        // that today is not read back as 1926.
        {dayMonthTwoDigitYear, QString(), 3, QStringLiteral("07/12/2026"), QDate(2026, 12, 7)},
        {dayMonthTwoDigitYear, QStringLiteral("3"), 3, QStringLiteral("3/12/2026"), QDate(2026, 12, 3)},
        {monthDay, QStringLiteral("3/1"), 2, QStringLiteral("3/1/2026"), QDate(2026, 3, 1)},
        {monthDay, QString(), 3, QStringLiteral("12/7/2026"), QDate(2026, 12, 7)},
    };
    EditOn("Opened");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.completed.toStdString());
        Focus(other);
        const ScopedFormatSettings regional(c.settings);
        Focus(edit);   // shows the field's text in this format, all selected
        Key(Qt::Key_Delete);
        Type(c.typed);
        Spaces(c.spaces);
        EXPECT_EQ(edit->text(), c.completed);
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), other);
        EXPECT_EQ(DateTimeToQDate(Field("Opened").AsDateTime()), c.stored);
    }
    table->Post();
    EXPECT_EQ(Stored(QStringLiteral("0001"), "Opened").toDate(), QDate(2026, 12, 7));
}

TEST_F(WwDBEditTest, AnImpossibleDateKeepsTheFocusAndNeverReachesTheField)
{
    const ScopedFormatSettings regional(ScopedFormatSettings::DayMonthYear());
    // Bound to a date field.
    EditOn("Opened");
    edit->selectAll();
    Type(QStringLiteral("31/02/2026"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_TRUE(edit->InvalidExit());
    EXPECT_EQ(edit->selectedText(), QStringLiteral("31/02/2026"));
    EXPECT_EQ(DateTimeToQDate(Field("Opened").AsDateTime()), QDate(1999, 12, 31));
    // One box says why, at once.
    EXPECT_EQ(presenter.errors, std::vector<QString>{QStringLiteral("'31/02/2026' is not a valid date")});
    Type(QStringLiteral("28/02/2026"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), other);
    EXPECT_EQ(DateTimeToQDate(Field("Opened").AsDateTime()), QDate(2026, 2, 28));

    // Unbound, typing through a date picture: the picture fills in the
    // separators, and a date the picture takes is still refused when impossible.
    auto* unbound = new TwwDBEdit(form.get());
    unbound->setGeometry(10, 80, 160, 24);
    unbound->SetUnboundDataType(TwwEditDataType::wwEdtDate);
    unbound->Picture().SetPictureMask(QStringLiteral("##/##/####"));
    unbound->show();
    Focus(unbound);
    Type(QStringLiteral("3102x2026"));
    EXPECT_EQ(unbound->text(), QStringLiteral("31/02/2026"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), unbound);
    unbound->selectAll();
    Type(QStringLiteral("3112"));
    Key(Qt::Key_Tab);   // incomplete under the picture
    EXPECT_EQ(QApplication::focusWidget(), unbound);
    EXPECT_EQ(unbound->selectedText(), QStringLiteral("31/12/"));
    Type(QStringLiteral("31122026"));
    Key(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), unbound);
    EXPECT_EQ(unbound->text(), QStringLiteral("31/12/2026"));
    EXPECT_EQ(presenter.errors, (std::vector<QString>{QStringLiteral("'31/02/2026' is not a valid date"),
                                                      QStringLiteral("'31/02/2026' is not a valid date"),
                                                      QString::fromLatin1(SMaskEditErr)}));

    // A time no clock shows says so too, and the typing stays to be mended.
    presenter.errors.clear();
    edit->SetDataField(QStringLiteral("AtTime"));
    Focus(edit);
    Type(QStringLiteral("25:61"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(presenter.errors, std::vector<QString>{QStringLiteral("'25:61' is not a valid time")});
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(edit->text(), QStringLiteral("25:61"));
    Key(Qt::Key_Backspace);
    Type(QStringLiteral("9:15"));   // over the selected text
    Key(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), edit);
    table->Post();
    EXPECT_EQ(Stored(QStringLiteral("0001"), "AtTime").toString().left(5), QStringLiteral("09:15"));
    EXPECT_EQ(presenter.errors.size(), 1u);
}

TEST_F(WwDBEditTest, SpaceCompletesTimesInTwelveAndTwentyFourHourForms)
{
    EditOn("AtTime");
    {
        const ScopedFormatSettings regional(ScopedFormatSettings::DayMonthYear());   // hh:nn:ss
        Focus(edit);
        Spaces(3);
        EXPECT_EQ(edit->text(), QStringLiteral("21:05:33"));
    }
    {
        const ScopedFormatSettings regional;   // h:nn:ss AMPM
        Focus(edit);
        edit->selectAll();
        Key(Qt::Key_Delete);
        Spaces(3);
        EXPECT_EQ(edit->text(), QStringLiteral("9:05:33"));
        Spaces(2);
        EXPECT_EQ(edit->text(), QStringLiteral("9:05:33 PM"));
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), other);
    }
    int hour = 0, minute = 0, second = 0, msec = 0;
    DecodeTime(Field("AtTime").AsDateTime(), hour, minute, second, msec);
    EXPECT_EQ(QTime(hour, minute, second), QTime(21, 5, 33));
}

TEST_F(WwDBEditTest, PictureMaskShapesTypingAndLeavingAndEscapeRestores)
{
    table->PictureMasks()->Add(QStringLiteral("Descr\t&*?\tT\tT"));
    table->PictureMasks()->Add(QStringLiteral("Code\t####\tT\tT"));
    std::vector<bool> checks;
    EditOn("Descr").OnCheckValue = [&checks](QObject*, bool passed) { checks.push_back(passed); };
    edit->selectAll();
    Type(QStringLiteral("ab1c"));   // letters only, the first in upper case
    EXPECT_EQ(edit->text(), QStringLiteral("Abc"));
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_TRUE(checks.back());
    Key(Qt::Key_Escape);
    EXPECT_EQ(edit->text(), QStringLiteral("Note 1"));
    EXPECT_FALSE(edit->Modified());

    edit->SetDataField(QStringLiteral("Code"));
    Focus(edit);
    edit->selectAll();
    Type(QStringLiteral("12"));
    Key(Qt::Key_Tab);   // incomplete: refused, and a box says why
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(presenter.errors, std::vector<QString>{QString::fromLatin1(SMaskEditErr)});
    EXPECT_FALSE(checks.back());
    edit->setCursorPosition(2);
    Type(QStringLiteral("345"));   // the fifth digit is dropped at the end
    EXPECT_EQ(edit->text(), QStringLiteral("1234"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), other);
    EXPECT_EQ(Field("Code").AsString(), QStringLiteral("1234"));

    edit->grab().save(QStringLiteral("/tmp/ww_db_edit.png"));

    // A character beyond 16 bits is no letter of a picture, typed or pasted.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    edit->SetDataField(QStringLiteral("Descr"));
    Focus(edit);
    edit->selectAll();
    TypeCharacters(edit, QStringLiteral("ab") + emoji + QStringLiteral("c"));
    EXPECT_EQ(edit->text(), QStringLiteral("Abc"));
    QApplication::clipboard()->setText(QStringLiteral("d") + emoji + QStringLiteral("e"));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("Abcde"));
    Key(Qt::Key_Tab);
    table->Post();
    EXPECT_EQ(Stored(QStringLiteral("1234"), "Descr").toString(), QStringLiteral("Abcde"));
}

} // namespace

TEST_F(WwDBEditTest, ADateFieldWithAnEditMaskTakesTypingCompletionAndTheExitCheck)
{
    const ScopedFormatSettings regional(ScopedFormatSettings::DayMonthYear());
    table->Open();
    Field("Opened").SetEditMask(QStringLiteral("!99/99/0000;1;_"));
    EditOn("Opened");
    EXPECT_EQ(edit->text(), QStringLiteral("31/12/1999"));
    edit->setCursorPosition(0);
    Type(QStringLiteral("15032026"));
    EXPECT_EQ(edit->text(), QStringLiteral("15/03/2026"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), other);
    EXPECT_EQ(DateTimeToQDate(Field("Opened").AsDateTime()), QDate(2026, 3, 15));

    // Space fills in today's parts over the cleared mask, and a day typed short
    // takes its leading zero.
    Focus(edit);
    edit->selectAll();
    Key(Qt::Key_Delete);
    Spaces(3);
    EXPECT_EQ(edit->text(), QStringLiteral("07/12/2026"));
    edit->selectAll();
    Key(Qt::Key_Delete);
    Type(QStringLiteral("3"));
    Key(Qt::Key_Space);
    EXPECT_EQ(edit->text(), QStringLiteral("03/__/____"));
    Spaces(2);
    EXPECT_EQ(edit->text(), QStringLiteral("03/12/2026"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(DateTimeToQDate(Field("Opened").AsDateTime()), QDate(2026, 12, 3));

    // An impossible date the mask takes is still refused on leaving.
    Focus(edit);
    edit->setCursorPosition(0);
    Type(QStringLiteral("31022026"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(DateTimeToQDate(Field("Opened").AsDateTime()), QDate(2026, 12, 3));
    Key(Qt::Key_Escape);
    EXPECT_EQ(edit->text(), QStringLiteral("03/12/2026"));
    table->Post();
    EXPECT_EQ(Stored(QStringLiteral("0001"), "Opened").toDate(), QDate(2026, 12, 3));
}

namespace {

int CountPixels(const QImage& image, const std::function<bool(const QColor&)>& test)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += test(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

bool IsDark(const QColor& c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; }
bool IsRed(const QColor& c) { return c.red() > 150 && c.green() < 90 && c.blue() < 90; }

} // namespace

// A word-wrapped edit: Enter (with WantReturns) starts a new line that
// reaches the field, words that do not fit the width go on lines of their
// own, the edit scrolls down with the caret, and Home and Up move along the
// lines; without WantReturns Enter adds nothing.
TEST_F(WwDBEditTest, AWordWrappedEditLaysItsTextOnLinesAndTakesReturns)
{
    EditOn("Descr");
    edit->SetWordWrap(true);
    edit->SetWantReturns(true);
    edit->SetShowVertScrollBar(true);
    const int line = QFontMetrics(edit->font()).height();
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    edit->resize(90, 2 * line + 2 * frame + 4);   // two lines in sight
    edit->setCursorPosition(6);
    Key(Qt::Key_Return);
    EXPECT_EQ(edit->text(), QStringLiteral("Note 1\r\n"));
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_EQ(edit->TopLine(), 0);   // the caret's line, the second, is still in sight

    Type(QStringLiteral("two three four"));
    EXPECT_GE(edit->TopLine(), 1);
    const auto* bar = edit->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->value(), edit->TopLine());
    Key(Qt::Key_Home);
    const int lineStart = edit->cursorPosition();
    EXPECT_GT(lineStart, 8);
    EXPECT_EQ(edit->text().at(lineStart - 1), QLatin1Char(' '));
    Key(Qt::Key_Up);
    EXPECT_LT(edit->cursorPosition(), lineStart);
    EXPECT_GE(edit->cursorPosition(), 8);

    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), other);
    EXPECT_EQ(Field("Descr").AsString(), QStringLiteral("Note 1\r\ntwo three four"));

    edit->SetWantReturns(false);
    Focus(edit);
    edit->setCursorPosition(3);
    Key(Qt::Key_Return);
    EXPECT_EQ(edit->text(), QStringLiteral("Note 1\r\ntwo three four"));

    // The mouse finds the line it points at: the second line begins at "two".
    const QPoint secondLine(frame + 3, frame + 2 + line + line / 2);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, secondLine);
    EXPECT_EQ(edit->cursorPosition(), 8);
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, secondLine);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("two"));
}

// Where the user cannot type into it (not focused, disabled, or painted as a
// copy into a grid cell), the edit draws its text itself: grey when
// disabled, in the grid's font colour inside a grid and highlighted over the
// cell of a focused grid, and as a copy the field's display text.
TEST_F(WwDBEditTest, TheEditPaintsItsOwnTextInTheColoursOfWhereItStands)
{
    EditOn("Descr");
    Focus(other);
    EXPECT_GT(CountPixels(edit->grab().toImage(), IsDark), 0);
    edit->setEnabled(false);
    const QImage disabled = edit->grab().toImage();
    EXPECT_EQ(CountPixels(disabled, IsDark), 0);
    EXPECT_GT(CountPixels(disabled, [](const QColor& c) { return c.lightness() < 200; }), 0);

    auto* grid = new TwwDBGrid(form.get());
    grid->setGeometry(10, 80, 300, 36);
    grid->Font().SetColor(clRed);
    grid->show();
    auto* cell = new TwwDBEdit(grid->viewport());
    cell->setFrame(false);
    cell->setGeometry(20, 4, 120, 20);
    cell->SetDataSource(source.get());
    cell->SetDataField(QStringLiteral("Descr"));
    cell->show();
    QApplication::processEvents();
    EXPECT_GT(CountPixels(cell->grab().toImage(), IsRed), 0);
    Focus(grid);
    const QColor highlight = cell->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_GT(CountPixels(cell->grab().toImage(), [&](const QColor& c) { return c == highlight; }), 100);

    Focus(cell);
    cell->selectAll();
    Type(QStringLiteral("Typed"));
    EXPECT_EQ(cell->GetDisplayText(), QStringLiteral("Typed"));
    cell->SetControlState(csPaintCopy);
    EXPECT_EQ(cell->GetDisplayText(), QStringLiteral("Note 1"));
    cell->SetDataField(QStringLiteral("Notes"));
    EXPECT_EQ(cell->GetDisplayText(), QStringLiteral("First line 1\nSecond line"));
}
