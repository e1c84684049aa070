// TwwDBGrid's check-box cells, multi-select, memo cells and borrowed in-cell
// controls, through real clicks and keys on a real table.
#include "grid/lookup_combo.h"
#include "grid/ww_db_edit.h"
#include "grid/ww_db_grid.h"
#include "platform/db/db_errors.h"
#include "tests/grid/edits_fixture.h"
#include "tests/support/qt_print.h"
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace {

// Columns: indicator, Code, Done, Notes, Descr.
constexpr int CodeCol = 1, DoneCol = 2, NotesCol = 3, DescrCol = 4;

class TTestGrid : public TwwDBGrid {
public:
    using TwwDBGrid::TwwDBGrid;
    using TwwDBGrid::GetFieldCellText;
};

class GridInCellTest : public EditsTest {
protected:
    void ShowGrid()
    {
        form->resize(460, 300);
        grid = new TTestGrid(form.get());
        grid->setGeometry(0, 0, 460, 300);
        for (const char* line : {"Code\t4\tCode", "Done\t4\tDone", "Notes\t8\tNotes", "Descr\t12\tDescr"})
            grid->Selected().Add(QString::fromLatin1(line));
        grid->SetUseTFields(false);
        table->Open();
        grid->SetDataSource(source.get());
        ShowForm();
        grid->setFocus();
        QApplication::processEvents();
    }

    QWidget* Viewport() { return grid->viewport(); }
    // Data row 0 is grid row 1.
    QPoint Cell(int col, int dataRow) { return grid->CellRect(col, dataRow + 1).center(); }
    void Click(int col, int dataRow, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(Viewport(), Qt::LeftButton, modifiers, Cell(col, dataRow));
        QApplication::processEvents();
    }
    void DoubleClick(int col, int dataRow)
    {
        QTest::mouseDClick(Viewport(), Qt::LeftButton, Qt::NoModifier, Cell(col, dataRow));
        QApplication::processEvents();
    }
    QImage CellImage(int col, int dataRow)
    {
        return Viewport()->grab(grid->CellRect(col, dataRow + 1)).toImage();
    }
    QStringList SelectedCodes()
    {
        QStringList codes;
        const TBookmark current = table->GetBookmark();
        for (const TBookmark& bookmark : grid->SelectedList()) {
            table->GotoBookmark(bookmark);
            codes << Field("Code").AsString();
        }
        table->GotoBookmark(current);
        codes.sort();
        return codes;
    }

    TTestGrid* grid = nullptr;   // owned by the form
};

TEST_F(GridInCellTest, CheckBoxCellsToggleWithTheMouseAndTheSpaceBar)
{
    table->ControlType()->Add(QStringLiteral("Done;CheckBox;Y;N"));
    ShowGrid();
    Click(DoneCol, 0);   // a single click only moves there
    const QImage ticked = CellImage(DoneCol, 0);
    EXPECT_EQ(Field("Done").AsString(), QStringLiteral("Y"));
    EXPECT_EQ(table->State(), dsBrowse);
    DoubleClick(DoneCol, 0);
    EXPECT_EQ(Field("Done").AsString(), QStringLiteral("N"));
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_NE(CellImage(DoneCol, 0), ticked);
    Key(Qt::Key_Space);
    EXPECT_EQ(Field("Done").AsString(), QStringLiteral("Y"));
    Key(Qt::Key_Space);
    Key(Qt::Key_Down);   // posts
    EXPECT_EQ(Stored(QStringLiteral("0001"), "Done").toString(), QStringLiteral("N"));
    Viewport()->grab().save(QStringLiteral("/tmp/grid_check_boxes.png"));

    grid->SetEditControlOptions(ecoCheckboxSingleClick);
    Click(DoneCol, 3);   // "N" on an even row
    EXPECT_EQ(Field("Code").AsString(), QStringLiteral("0004"));
    EXPECT_EQ(Field("Done").AsString(), QStringLiteral("Y"));
    table->Cancel();

    grid->SetReadOnly(true);
    Key(Qt::Key_Space);
    Click(DoneCol, 3);
    EXPECT_EQ(Field("Done").AsString(), QStringLiteral("N"));
    EXPECT_EQ(table->State(), dsBrowse);
}

TEST_F(GridInCellTest, CtrlAndShiftClicksSelectTheRecordsTheyShould)
{
    ShowGrid();
    grid->SetOptions(grid->Options() | dgMultiSelect);
    grid->SetMultiSelectOptions(msoAutoUnselect | msoShiftSelect);
    Click(CodeCol, 1);
    EXPECT_EQ(SelectedCodes(), QStringList({"0002"}));
    Click(CodeCol, 3, Qt::ControlModifier);
    EXPECT_EQ(SelectedCodes(), QStringList({"0002", "0004"}));
    Click(CodeCol, 1, Qt::ControlModifier);
    EXPECT_EQ(SelectedCodes(), QStringList({"0004"}));
    Click(CodeCol, 5, Qt::ShiftModifier);   // from the last click, row 2, on to row 6
    EXPECT_EQ(SelectedCodes(), QStringList({"0002", "0003", "0004", "0005", "0006"}));
    EXPECT_EQ(Field("Code").AsString(), QStringLiteral("0006"));
    Click(CodeCol, 0, Qt::ShiftModifier);   // back from row 2 to row 1
    EXPECT_EQ(SelectedCodes(), QStringList({"0001", "0002", "0003", "0004", "0005", "0006"}));

    // Selected rows are painted in the highlight colour, the others not.
    const QImage image = Viewport()->grab().toImage();
    const auto background = [&](int dataRow) {
        const QRect rect = grid->CellRect(DescrCol, dataRow + 1);
        return image.pixelColor(rect.right() - 3, rect.center().y());
    };
    EXPECT_EQ(background(4), background(1));
    EXPECT_NE(background(4), background(6));
    EXPECT_EQ(background(6), ToQColor(clWindow, grid->palette()));

    Click(CodeCol, 7);
    EXPECT_EQ(SelectedCodes(), QStringList({"0008"}));
    grid->OnMultiSelectRecord = [](TwwDBGrid&, bool, bool& accept) { accept = false; };
    Click(CodeCol, 2, Qt::ControlModifier);
    Click(CodeCol, 7, Qt::ControlModifier);
    EXPECT_EQ(SelectedCodes(), QStringList({"0008"}));
}

TEST_F(GridInCellTest, MemoCellsShowMemoAndOpenTheMemoDialog)
{
    ShowGrid();
    EXPECT_EQ(grid->GetFieldCellText(NotesCol - 1), QStringLiteral("(Memo)"));
    grid->SetMemoAttributes(grid->MemoAttributes() | mGridShow);
    EXPECT_EQ(grid->GetFieldCellText(NotesCol - 1), QStringLiteral("First line 1\nSecond line"));

    QString caption;
    std::vector<bool> closes;
    std::function<void(TwwMemoDlg&)> steps;
    grid->OnMemoOpen = [&](TwwDBGrid&, TwwMemoDialog& dialog) {
        caption = dialog.Caption();
        dialog.OnInitDialog = [&steps](TwwMemoDlg& memo) { QTimer::singleShot(0, &memo, [&memo, &steps] { steps(memo); }); };
    };
    grid->OnMemoClose = [&closes](TwwDBGrid&, bool cancelled) { closes.push_back(cancelled); };

    // Looked at and closed with Escape: nothing changes.
    steps = [](TwwMemoDlg& memo) { QTest::keyClick(memo.Memo, Qt::Key_Escape); };
    Click(NotesCol, 1);
    DoubleClick(NotesCol, 1);
    EXPECT_EQ(caption, QStringLiteral("Notes"));
    EXPECT_EQ(closes, std::vector<bool>({true}));
    EXPECT_EQ(table->State(), dsBrowse);

    // Edited after F2 and closed with OK.
    steps = [](TwwMemoDlg& memo) {
        QTest::keyClicks(memo.Memo, QStringLiteral("New "));
        QTest::mouseClick(memo.OKBtn, Qt::LeftButton);
    };
    QTest::keyClick(grid, Qt::Key_F2);
    EXPECT_EQ(closes, std::vector<bool>({true, false}));
    QTest::keyClick(grid, Qt::Key_Up);   // posts
    EXPECT_EQ(Stored(QStringLiteral("0002"), "Notes").toString(), QStringLiteral("New First line 2\nSecond line"));
}

TEST_F(GridInCellTest, ABorrowedEditServesTheCellAndGoesBackWhenTheGridGoes)
{
    auto* edit = new TwwDBEdit(form.get());
    edit->setObjectName(QStringLiteral("EdtDescr"));
    const QRect designed(300, 260, 120, 22);
    edit->setGeometry(designed);
    int formKeys = 0;
    edit->OnKeyDown = [&formKeys](QObject*, int&, Qt::KeyboardModifiers) { ++formKeys; };
    table->ControlType()->Add(QStringLiteral("Descr;CustomEdit;edtdescr"));
    ShowGrid();
    EXPECT_EQ(edit->parentWidget(), Viewport());
    EXPECT_FALSE(edit->isVisible());

    Click(DescrCol, 2);
    ASSERT_EQ(grid->InCellControl(), edit);
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->geometry(), grid->CellRect(DescrCol, 3));
    EXPECT_EQ(edit->text(), QStringLiteral("Note 3"));
    Type(QStringLiteral("Q"));
    Key(Qt::Key_Escape);   // the field's text back, and the grid has the focus
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(edit->text(), QStringLiteral("Note 3"));
    Type(QStringLiteral("Z"));   // typed on the grid, taken by the edit
    EXPECT_EQ(QApplication::focusWidget(), edit);
    Type(QStringLiteral("ed"));
    form->grab().save(QStringLiteral("/tmp/grid_in_cell_edit.png"));
    EXPECT_EQ(edit->text(), QStringLiteral("Zed"));
    EXPECT_EQ(table->State(), dsEdit);
    Key(Qt::Key_Tab);   // past the last column: the next record's first
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(Field("Code").AsString(), QStringLiteral("0004"));
    EXPECT_EQ(Stored(QStringLiteral("0003"), "Descr").toString(), QStringLiteral("Zed"));
    EXPECT_FALSE(edit->isVisible());

    formKeys = 0;
    delete grid;
    EXPECT_EQ(edit->parentWidget(), form.get());
    EXPECT_EQ(edit->geometry(), designed);
    EXPECT_TRUE(edit->isVisible());
    EXPECT_TRUE(edit->hasFrame());
    Focus(edit);
    Key(Qt::Key_Tab);
    EXPECT_EQ(formKeys, 1);   // its own handler, no grid's in between
}

TEST_F(GridInCellTest, ALookupComboCellShowsTheDescriptionAndPostsTheCode)
{
    using enum TFieldType;
    TTableDesc flags;
    flags.Name = QStringLiteral("Flags");
    flags.Columns = {{QStringLiteral("FlagCode"), ftString, 1}, {QStringLiteral("FlagDesc"), ftString, 10}};
    flags.Indexes = {{QString(), {QStringLiteral("FlagCode")}, true, true},
                     {QStringLiteral("ByDesc"), {QStringLiteral("FlagDesc")}, false, false, true}};
    Engine().CreateTable(flags);
    Engine().InsertRow(flags.Name, {QStringLiteral("Y"), QStringLiteral("Yes")});
    Engine().InsertRow(flags.Name, {QStringLiteral("N"), QStringLiteral("No")});
    table->ControlType()->Add(QStringLiteral("Done;LookupCombo;LupDone"));
    ShowGrid();
    // The form makes the combo after the grid met its dataset.
    auto* combo = new TwwDBLookupCombo(form.get());
    combo->setObjectName(QStringLiteral("LupDone"));
    combo->SetStyle(csDropDownList);
    combo->SetAutoDropDown(true);
    combo->SetLookupTable(&OpenTable(QStringLiteral("Flags")));
    combo->SetLookupField(QStringLiteral("FlagCode"));
    TStringList selected;
    selected.Add(QStringLiteral("FlagDesc\t10\tFlag"));
    combo->SetSelected(&selected);

    Click(DoneCol, 1);   // "N"
    ASSERT_EQ(grid->InCellControl(), combo);
    EXPECT_EQ(combo->DataField(), QStringLiteral("Done"));
    EXPECT_EQ(combo->geometry(), grid->CellRect(DoneCol, 2));
    EXPECT_EQ(combo->Text(), QStringLiteral("No"));
    form->grab().save(QStringLiteral("/tmp/grid_lookup_cell.png"));
    // Typed on the grid: the press goes to the combo, which has the focus when the key comes up.
    QTest::keyPress(grid, Qt::Key_Y, Qt::NoModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Y, Qt::NoModifier);
    ASSERT_EQ(QApplication::focusWidget(), combo);
    Key(Qt::Key_Return);
    EXPECT_EQ(combo->Text(), QStringLiteral("Yes"));
    EXPECT_EQ(Field("Done").AsString(), QStringLiteral("Y"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    Key(Qt::Key_Up);   // posts
    EXPECT_EQ(Stored(QStringLiteral("0002"), "Done").toString(), QStringLiteral("Y"));
    EXPECT_EQ(Field("Code").AsString(), QStringLiteral("0001"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Yes"));
    EXPECT_TRUE(presenter.shown.empty());
}

// An edit whose binding to a field fails: the grid's setting up of it stops half way.
class TRefusingEdit : public TwwDBEdit {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE RefuseField)
public:
    using TwwDBEdit::TwwDBEdit;
    void RefuseField(const QString&) { DatabaseError(QStringLiteral("No such field here")); }
};

TEST_F(GridInCellTest, AnEditWhoseSettingUpFailsIsGivenBackAsItWas)
{
    auto* edit = new TRefusingEdit(form.get());
    edit->setObjectName(QStringLiteral("EdtDescr"));
    edit->setGeometry(300, 260, 120, 22);
    bool ownHandler = false;
    edit->OnKeyDown = [&ownHandler](QObject*, int&, Qt::KeyboardModifiers) { ownHandler = true; };
    table->ControlType()->Add(QStringLiteral("Descr;CustomEdit;EdtDescr"));
    EXPECT_THROW(ShowGrid(), EDatabaseError);
    EXPECT_EQ(edit->parentWidget(), form.get());
    EXPECT_EQ(edit->geometry(), QRect(300, 260, 120, 22));
    EXPECT_FALSE(edit->isHidden());
    EXPECT_TRUE(edit->hasFrame());
    int key = Qt::Key_A;
    edit->OnKeyDown(edit, key, Qt::NoModifier);
    EXPECT_TRUE(ownHandler);
    EXPECT_EQ(key, int(Qt::Key_A));
}

} // namespace

#include "ww_db_grid_in_cell_tests.moc"
