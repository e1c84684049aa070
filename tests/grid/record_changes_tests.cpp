// A field that a rule or code changes shows its new value at once in every
// control on it: the grid's cells, its editor when nobody is typing in it,
// and the data edits; the text the user is typing into the grid's editor
// stays theirs until it is written.
#include "grid/ww_db_edit.h"
#include "platform/db/fields.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/inplace_edit.h"
#include "tests/grid/grid_fixture.h"
#include "tests/support/qt_print.h"
#include <QScreen>

namespace {

class RecordChangesTest : public GridTest {
protected:
    enum { DescrCol = 1, AmountCol = 2, CodeCol = 3, TitleCol = 4 };

    void SetUp() override
    {
        GridTest::SetUp();
        // The table's fields, and Title worked out from the description.
        const auto add = [this](TField* field, const char* name) {
            field->SetFieldName(QString::fromLatin1(name));
            field->SetDataSet(table.get());
            return field;
        };
        add(new TStringField(table.get(), 4), "Code");
        add(new TStringField(table.get(), 30), "Descr");
        add(new TFloatField(table.get()), "Amount");
        add(new TStringField(table.get(), 1), "Posted");
        add(new TBlobField(table.get()), "Picture");
        add(new TStringField(table.get(), 30), "Title")->SetFieldKind(fkCalculated);
        table->OnCalcFields = [](TDataSet& dataSet) {
            dataSet.FieldByName(QStringLiteral("Title"))
                ->SetAsString(dataSet.FieldByName(QStringLiteral("Descr"))->AsString().toUpper());
        };

        form->resize(420, 350);
        grid->setGeometry(0, 0, 420, 200);
        wwDescr = DataEdit<TwwDBEdit>("Descr", 210);
        dbDescr = DataEdit<TDBEdit>("Descr", 240);
        wwAmount = DataEdit<TwwDBEdit>("Amount", 270);
        dbTitle = DataEdit<TDBEdit>("Title", 300);
        ShowGrid({"Descr\t20\tDescription", "Amount\t8\tAmount", "Code\t4\tCode", "Title\t20\tTitle"});
        // The rule: a new amount writes the description.
        table->FieldByName(QStringLiteral("Amount"))->OnChange = [](TField& amount) {
            amount.DataSet()->FieldByName(QStringLiteral("Descr"))->SetAsString(QStringLiteral("Amount ") + amount.AsString());
        };
    }

    template <class TEdit>
    TEdit* DataEdit(const char* field, int top)
    {
        auto* edit = new TEdit(form.get());
        edit->setGeometry(10, top, 160, 24);
        edit->SetDataSource(source.get());
        edit->SetDataField(QString::fromLatin1(field));
        return edit;
    }

    // A cell of the current row as the form last painted it, and as the grid draws it now.
    QImage Shown(int col)
    {
        QApplication::processEvents();
        const QImage whole = form->screen()->grabWindow(form->winId()).toImage();
        return whole.copy(grid->CellRect(col, grid->Row()).translated(grid->viewport()->mapTo(form.get(), QPoint())));
    }
    QImage Drawn(int col) { return grid->viewport()->grab(grid->CellRect(col, grid->Row())).toImage(); }

    QString EditorText() const { return grid->InplaceEditor() ? grid->InplaceEditor()->text() : QString(); }

    TwwDBEdit* wwDescr = nullptr;   // owned by the form
    TDBEdit* dbDescr = nullptr;
    TwwDBEdit* wwAmount = nullptr;
    TDBEdit* dbTitle = nullptr;
};

TEST_F(RecordChangesTest, AFieldARuleChangesShowsItsNewValueInTheGridAndTheDataEdits)
{
    // Written by the grid: its own description cell and both data edits
    // follow. The record is in edit already, as a new row is, so that no
    // start of an edit repaints the whole grid.
    table->Edit();
    Key(Qt::Key_Tab);
    ASSERT_EQ(grid->Col(), AmountCol);
    const QImage before = Shown(DescrCol);
    Type(QStringLiteral("12.5"));
    QApplication::processEvents();
    Key(Qt::Key_Tab);
    ASSERT_EQ(grid->Col(), CodeCol);
    EXPECT_EQ(Field("Descr"), QStringLiteral("Amount 12.5"));
    EXPECT_TRUE(Shown(DescrCol) != before) << "the description cell still shows the old text";
    EXPECT_TRUE(Shown(DescrCol) == Drawn(DescrCol));
    EXPECT_EQ(wwDescr->text(), QStringLiteral("Amount 12.5"));
    EXPECT_EQ(dbDescr->text(), QStringLiteral("Amount 12.5"));
    // The title worked out from the description follows it, in the grid and in its edit.
    EXPECT_TRUE(Shown(TitleCol) == Drawn(TitleCol)) << "the title cell still shows the old title";
    EXPECT_EQ(dbTitle->text(), QStringLiteral("AMOUNT 12.5"));

    // Written by a data edit: the grid and the other edits follow.
    wwAmount->setFocus();
    QTest::keyClicks(wwAmount, QStringLiteral("7"));
    wwDescr->setFocus();
    EXPECT_EQ(Field("Descr"), QStringLiteral("Amount 7"));
    EXPECT_TRUE(Shown(DescrCol) == Drawn(DescrCol));
    EXPECT_EQ(dbDescr->text(), QStringLiteral("Amount 7"));
}

TEST_F(RecordChangesTest, TheEditorShowsACodeChangeUnlessTheUserIsTypingInIt)
{
    // Open but untouched: the editor shows the new amount.
    Key(Qt::Key_Tab);
    Key(Qt::Key_F2);
    ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->isVisible());
    table->Edit();
    table->FieldByName(QStringLiteral("Amount"))->SetAsFloat(99);
    EXPECT_EQ(EditorText(), QStringLiteral("99"));

    // Typed into: the description keeps what the user typed while code
    // changes the amount and, through the rule, the description itself; the
    // amount's cell shows the new amount; the typing is what is written.
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(grid->Col(), DescrCol);
    Type(QStringLiteral("Typed"));
    table->FieldByName(QStringLiteral("Amount"))->SetAsFloat(5);
    EXPECT_EQ(EditorText(), QStringLiteral("Typed"));
    EXPECT_TRUE(Shown(AmountCol) == Drawn(AmountCol));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Field("Descr"), QStringLiteral("Typed"));
    EXPECT_EQ(Field("Amount"), QStringLiteral("5"));
}

} // namespace
