// Data-aware controls and the record navigator on a real table.
#include "platform/db/data_source.h"
#include "platform/ui/buttons.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/form.h"
#include "tests/db/db_test_env.h"
#include "tests/support/scripted_presenter.h"
#include "tests/ui/show_modal.h"
#include "tests/ui/test_application.h"
#include "tests/ui/type_characters.h"
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

class DbControlsTest : public DbTest {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        DbTest::SetUp();
        using enum TFieldType;
        TTableDesc desc;
        desc.Name = QStringLiteral("Items");
        desc.Columns = {Column("Code", ftString, 10), Column("Name", ftString, 30), Column("Active", ftBoolean),
                        Column("Kind", ftString, 1), Column("Notes", ftMemo)};
        desc.Indexes = {TIndexDesc{QString(), {"Code"}, true, true, false, false}};
        Engine().CreateTable(desc);
        for (const char* code : {"A", "B", "C"})
            Engine().InsertRow(QStringLiteral("Items"), {QString::fromLatin1(code), QStringLiteral("Item %1").arg(code),
                                                         false, QStringLiteral("B"), QStringLiteral("note")});
        table = NewTable(QStringLiteral("Items"));
        source = new TDataSource(&owner);
        source->SetDataSet(table);
        form->resize(400, 300);
    }
    void TearDown() override
    {
        form.reset();   // the controls let go of the data source before it goes
        DbTest::TearDown();
    }

    // Which navigator buttons are enabled, as a string of 10 flags (First..Refresh).
    QString EnabledButtons(const TDBNavigator& navigator) const
    {
        QString flags;
        for (int i = 0; i < NavigateButtonCount; ++i)
            flags += navigator.Button(static_cast<TNavigateBtn>(i))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return flags;
    }

    QString Stored(const QString& column, const QString& code)
    {
        auto rows = Engine().Query(QStringLiteral("select %1 from Items where Code = '%2'").arg(column, code));
        return rows->Next() ? rows->Value(0).toString() : QStringLiteral("<none>");
    }

    ScriptedPresenter presenter;
    TTable* table = nullptr;
    TDataSource* source = nullptr;
    std::unique_ptr<TForm> form = std::make_unique<TForm>();
};

} // namespace

TEST_F(DbControlsTest, NavigatorButtonsFollowTheDatasetState)
{
    auto* navigator = new TDBNavigator(form.get());
    navigator->SetDataSource(source);
    form->Show();
    //                                       FPNLIDEPCR
    EXPECT_EQ(EnabledButtons(*navigator), "0000000000") << "closed";
    table->Open();
    EXPECT_EQ(EnabledButtons(*navigator), "0011111001") << "at the first record";
    QTest::mouseClick(navigator->Button(nbLast), Qt::LeftButton);
    EXPECT_EQ(table->FieldByName("Code")->AsString(), "C");
    QTest::mouseClick(navigator->Button(nbNext), Qt::LeftButton);
    EXPECT_EQ(EnabledButtons(*navigator), "1100111001") << "at the end";
    QTest::mouseClick(navigator->Button(nbPrior), Qt::LeftButton);
    EXPECT_EQ(EnabledButtons(*navigator), "1111111001");
    QTest::mouseClick(navigator->Button(nbEdit), Qt::LeftButton);
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_EQ(EnabledButtons(*navigator), "1111110111") << "editing: Post and Cancel, no Edit";
    QTest::mouseClick(navigator->Button(nbCancel), Qt::LeftButton);
    EXPECT_EQ(table->State(), dsBrowse);
    QTest::mouseClick(navigator->Button(nbInsert), Qt::LeftButton);
    EXPECT_EQ(table->State(), dsInsert);
    EXPECT_EQ(EnabledButtons(*navigator).mid(nbInsert), "110111");
    table->Cancel();

    table->Close();
    table->SetReadOnly(true);
    table->Open();
    EXPECT_EQ(EnabledButtons(*navigator), "0011000000") << "read-only: it moves but changes nothing";
    navigator->setEnabled(false);
    EXPECT_EQ(EnabledButtons(*navigator), "0000000000");
}

TEST_F(DbControlsTest, NavigatorDeleteAsksFirstAndNoKeepsTheRecord)
{
    auto* navigator = new TDBNavigator(form.get());
    navigator->SetDataSource(source);
    QStringList events;
    navigator->BeforeAction = [&](QObject*, TNavigateBtn button) { events << QStringLiteral("before %1").arg(button); };
    navigator->OnClick = [&](QObject*, TNavigateBtn button) { events << QStringLiteral("click %1").arg(button); };
    table->Open();
    form->Show();

    presenter.Answer(mrNo);
    QTest::mouseClick(navigator->Button(nbDelete), Qt::LeftButton);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("Delete record?"));
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(presenter.shown[0].Buttons, mbYesNo);
    EXPECT_EQ(Count("select count(*) from Items"), 3);

    presenter.Answer(mrYes);
    QTest::mouseClick(navigator->Button(nbDelete), Qt::LeftButton);
    EXPECT_EQ(Count("select count(*) from Items"), 2);
    EXPECT_EQ(Stored("Code", "A"), "<none>");
    EXPECT_EQ(events, QStringList({"before 5", "click 5", "before 5", "click 5"}));

    navigator->SetConfirmDelete(false);
    navigator->SetVisibleButtons(TButtonSet{nbInsert, nbDelete, nbEdit, nbPost, nbCancel} - TButtonSet{nbEdit});
    navigator->resize(100, 25);
    EXPECT_TRUE(navigator->Button(nbEdit)->isHidden());
    EXPECT_EQ(navigator->Button(nbDelete)->geometry(), QRect(25, 0, 25, 25));
    QTest::mouseClick(navigator->Button(nbDelete), Qt::LeftButton);
    EXPECT_EQ(presenter.shown.size(), 2u) << "no question without ConfirmDelete";
    EXPECT_EQ(Count("select count(*) from Items"), 1);
    QTest::mouseClick(navigator->Button(nbDelete), Qt::LeftButton);
    EXPECT_FALSE(navigator->Button(nbDelete)->isEnabled()) << "nothing left to delete";
}

TEST_F(DbControlsTest, CheckBoxToggledByMouseWritesItsValues)
{
    auto* logical = new TDBCheckBox(form.get());
    logical->SetDataSource(source);
    logical->SetDataField(QStringLiteral("Active"));
    auto* kind = new TDBCheckBox(form.get());
    kind->move(0, 30);
    kind->SetDataSource(source);
    kind->SetDataField(QStringLiteral("Kind"));
    kind->SetValueChecked(QStringLiteral("I;Income"));
    kind->SetValueUnchecked(QStringLiteral("B"));
    table->Open();
    form->Show();
    EXPECT_EQ(kind->checkState(), Qt::Unchecked);

    QTest::mouseClick(logical, Qt::LeftButton, {}, QPoint(5, logical->height() / 2));
    EXPECT_EQ(table->State(), dsEdit) << "a click puts the dataset into edit mode";
    EXPECT_TRUE(table->FieldByName("Active")->AsBoolean());
    QTest::mouseClick(kind, Qt::LeftButton, {}, QPoint(5, kind->height() / 2));
    EXPECT_EQ(table->FieldByName("Kind")->AsString(), "I") << "the first of the checked values is written";
    table->Post();
    EXPECT_EQ(Stored("Active", "A"), "true");
    EXPECT_EQ(Stored("Kind", "A"), "I");

    table->Next();
    EXPECT_EQ(logical->checkState(), Qt::Unchecked) << "the next record shows its own value";
    table->Edit();
    table->FieldByName("Kind")->SetAsString(QStringLiteral("X"));
    EXPECT_EQ(kind->checkState(), Qt::PartiallyChecked) << "a value of neither list is grayed";
    table->FieldByName("Kind")->SetAsString(QStringLiteral("Income"));
    EXPECT_EQ(kind->checkState(), Qt::Checked);
    table->Cancel();

    kind->SetReadOnly(true);
    QTest::mouseClick(kind, Qt::LeftButton, {}, QPoint(5, kind->height() / 2));
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(kind->checkState(), Qt::Unchecked);
}

TEST_F(DbControlsTest, RadioGroupShowsAndWritesTheValueOfTheChosenItem)
{
    auto* group = new TDBRadioGroup(form.get());
    group->setGeometry(0, 0, 200, 80);
    group->SetItems({"Bank", "Income"});
    group->SetValues({"B", "I"});
    group->SetDataSource(source);
    group->SetDataField(QStringLiteral("Kind"));
    QStringList changes;
    group->OnChange = [&](QObject*) { changes << group->Value(); };
    table->Open();
    form->Show();
    EXPECT_EQ(group->ItemIndex(), 0);

    QRadioButton* income = group->Button(1);
    QTest::mouseClick(income, Qt::LeftButton, {}, QPoint(5, income->height() / 2));
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_EQ(table->FieldByName("Kind")->AsString(), "I");
    table->Post();
    table->Next();
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_EQ(changes, QStringList({"B", "I", "B"}));

    table->Close();
    table->SetReadOnly(true);
    table->Open();
    EXPECT_EQ(group->ItemIndex(), 1) << "the first record now holds I";
    QRadioButton* bank = group->Button(0);
    QTest::mouseClick(bank, Qt::LeftButton, {}, QPoint(5, bank->height() / 2));
    EXPECT_EQ(group->ItemIndex(), 1) << "a dataset that cannot be edited keeps the choice";
    EXPECT_FALSE(bank->isChecked());
}

TEST_F(DbControlsTest, MemoEditsTheFieldAndEscapeBringsItBack)
{
    auto* memo = new TDBMemo(form.get());
    memo->SetDataSource(source);
    memo->SetDataField(QStringLiteral("Notes"));
    auto* text = new TDBText(form.get());
    text->move(0, 120);
    text->SetDataSource(source);
    text->SetDataField(QStringLiteral("Name"));
    auto* other = new QLineEdit(form.get());
    other->move(0, 150);
    table->Open();
    form->Show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(memo->toPlainText(), "note");
    EXPECT_EQ(text->text(), "Item A");

    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(memo, QStringLiteral("s"));
    EXPECT_EQ(table->State(), dsEdit);
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_EQ(memo->toPlainText(), "note");
    QTest::keyClicks(memo, QStringLiteral("X"));
    other->setFocus();
    EXPECT_EQ(table->FieldByName("Notes")->AsString(), "X") << "leaving writes the field";
    table->Post();
    EXPECT_EQ(Stored("Notes", "A"), "X");

    table->Close();
    table->SetReadOnly(true);
    table->Open();
    QTest::keyClicks(memo, QStringLiteral("Y"));
    EXPECT_EQ(memo->toPlainText(), "X") << "a read-only table takes no typing";
}

TEST_F(DbControlsTest, EditTypesThroughTheFieldsMaskAndWritesOnLeaving)
{
    auto* name = new TDBEdit(form.get());
    name->SetDataSource(source);
    name->SetDataField(QStringLiteral("Name"));
    auto* code = new TDBEdit(form.get());
    code->move(0, 30);
    auto* other = new QLineEdit(form.get());
    other->move(0, 60);
    table->Open();
    table->FieldByName("Code")->SetEditMask(QStringLiteral(">L0;1;_"));
    code->SetDataSource(source);
    code->SetDataField(QStringLiteral("Code"));
    form->Show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(name->text(), "Item A");
    EXPECT_EQ(name->MaxLength(), 30) << "the text field's size";
    EXPECT_EQ(code->text(), "A_") << "the field's mask";
    EXPECT_TRUE(name->isReadOnly()) << "until the dataset is edited";

    name->setFocus();
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, QStringLiteral("Z"));
    EXPECT_EQ(table->State(), dsEdit) << "typing edits the dataset";
    EXPECT_EQ(name->text(), "Item AZ");
    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_EQ(name->text(), "Item A") << "Escape shows the field again";
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, QStringLiteral("Y"));

    code->setFocus();   // leaving the name writes it
    EXPECT_EQ(table->FieldByName("Name")->AsString(), "Item AY");
    QTest::keyClick(code, Qt::Key_Home);
    QTest::keyClicks(code, QStringLiteral("bx5"));
    EXPECT_EQ(code->text(), "B5") << "lower case raised, a letter refused where a digit belongs";
    other->setFocus();
    EXPECT_EQ(table->FieldByName("Code")->AsString(), "B5");

    code->setFocus();
    QTest::keyClick(code, Qt::Key_End);
    QTest::keyClick(code, Qt::Key_Backspace);
    other->setFocus();
    EXPECT_EQ(presenter.errors, std::vector<QString>{"Invalid input value.  Use escape key to abandon changes"});
    EXPECT_TRUE(code->hasFocus()) << "an incomplete entry keeps the focus";
    EXPECT_EQ(table->FieldByName("Code")->AsString(), "B5");
    QTest::keyClick(code, Qt::Key_Escape);
    EXPECT_EQ(code->text(), "B5");
    table->Post();
    EXPECT_EQ(Stored("Name", "B5"), "Item AY");

    table->FieldByName("Name")->SetReadOnly(true);
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("Q"));
    EXPECT_EQ(table->State(), dsBrowse) << "a read-only field takes no typing";
    EXPECT_EQ(name->text(), "Item AY");
}

TEST_F(DbControlsTest, EscapeInAnUnchangedEditReachesTheCancelButton)
{
    auto* name = new TDBEdit(form.get());
    name->SetDataSource(source);
    name->SetDataField(QStringLiteral("Name"));
    auto* cancel = new TButton(form.get());
    cancel->SetKind(TBitBtnKind::bkCancel);
    cancel->move(0, 40);
    table->Open();
    bool openAfterUndo = false;
    QString textAfterUndo;
    EXPECT_EQ(ShowModalThen(*form, [&] {
        name->setFocus();
        QTest::keyClick(name, Qt::Key_End);
        QTest::keyClicks(name, QStringLiteral("Z"));
        QTest::keyClick(name, Qt::Key_Escape);   // undoes the typing only
        openAfterUndo = form->isVisible();
        textAfterUndo = name->text();
        QTest::keyClick(name, Qt::Key_Escape);
    }), mrCancel);
    EXPECT_TRUE(openAfterUndo);
    EXPECT_EQ(textAfterUndo, "Item A");
}

TEST_F(DbControlsTest, MemoWithoutWantReturnsLeavesEnterToTheDefaultButton)
{
    auto* memo = new TDBMemo(form.get());
    memo->SetDataSource(source);
    memo->SetDataField(QStringLiteral("Notes"));
    auto* ok = new TButton(form.get());
    ok->SetKind(TBitBtnKind::bkOK);
    ok->move(0, 120);
    table->Open();
    QString textAfterEnter;
    bool openAfterEnter = false;
    EXPECT_EQ(ShowModalThen(*form, [&] {
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_Return);
        textAfterEnter = memo->toPlainText();
        openAfterEnter = form->isVisible();
        memo->SetWantReturns(false);
        QTest::keyClick(memo, Qt::Key_Return);
    }), mrOk);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(textAfterEnter.count(QLatin1Char('\n')), 1) << "with WantReturns Enter makes a new line";
}

namespace {
// The darkest grey level in the middle of a button, where its glyph stands.
int GlyphInk(QToolButton* button)
{
    const QImage image = button->grab().toImage();
    const QRect glyph(image.width() / 2 - 6, image.height() / 2 - 6, 12, 12);
    int darkest = 255;
    for (int y = glyph.top(); y <= glyph.bottom(); ++y)
        for (int x = glyph.left(); x <= glyph.right(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}
} // namespace

TEST_F(DbControlsTest, DisabledNavigatorDrawsEveryGlyphGreyed)
{
    // One navigator disabled itself, one through its panel, both while the
    // record is being edited (when Post and Cancel would be live).
    auto* own = new TDBNavigator(form.get());
    own->SetDataSource(source);
    own->SetFlat(true);
    auto* panel = new QWidget(form.get());
    panel->setGeometry(0, 40, 300, 30);
    auto* inPanel = new TDBNavigator(panel);
    inPanel->SetDataSource(source);
    table->Open();
    form->Show();
    const int enabledInk = GlyphInk(own->Button(nbNext));
    table->Edit();
    own->setEnabled(false);
    panel->setEnabled(false);
    for (TDBNavigator* navigator : {own, inPanel})
        for (int i = 0; i < NavigateButtonCount; ++i)
            EXPECT_GT(GlyphInk(navigator->Button(static_cast<TNavigateBtn>(i))), enabledInk + 60)
                << "button " << i << " drawn as dark as an enabled one";
    table->Cancel();
}

// A character beyond 16 bits (an emoji: two halves in the edit's text) is
// typed and pasted whole: at the length limit it goes in whole or stays out,
// and the key checks see it as they see any other character.
TEST_F(DbControlsTest, ACharacterBeyondSixteenBitsIsTypedAndPastedWholeAndChecked)
{
    using enum TFieldType;
    TTableDesc desc;
    desc.Name = QStringLiteral("Counts");
    desc.Columns = {Column("Code", ftString, 4), Column("Qty", ftInteger)};
    desc.Indexes = {TIndexDesc{QString(), {"Code"}, true, true, false, false}};
    Engine().CreateTable(desc);
    Engine().InsertRow(QStringLiteral("Counts"), {QStringLiteral("A"), 1});
    TTable* counts = NewTable(QStringLiteral("Counts"));
    auto* countSource = new TDataSource(&owner);
    countSource->SetDataSet(counts);
    counts->Open();
    auto* code = new TDBEdit(form.get());
    code->SetDataSource(countSource);
    code->SetDataField(QStringLiteral("Code"));
    auto* qty = new TDBEdit(form.get());
    qty->move(0, 30);
    qty->SetDataSource(countSource);
    qty->SetDataField(QStringLiteral("Qty"));
    form->Show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");

    code->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("xyz") + emoji);
    QTest::keyClick(code, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(code->text(), QStringLiteral("xyz")) << "the fourth place holds no half of the emoji";
    TypeCharacters(code, emoji);
    EXPECT_EQ(code->text(), QStringLiteral("xyz")) << "typed where only half of it fits";
    QTest::keyClick(code, Qt::Key_Backspace);
    TypeCharacters(code, emoji);
    EXPECT_EQ(code->text(), QStringLiteral("xy") + emoji);
    QInputMethodEvent composed;   // an input method's text, over the emoji
    composed.setCommitString(QStringLiteral("q") + emoji);
    code->setSelection(2, 2);
    QApplication::sendEvent(code, &composed);
    EXPECT_EQ(code->text(), QStringLiteral("xyq"));
    QTest::keyClick(code, Qt::Key_Backspace);
    composed.setCommitString(emoji);
    QApplication::sendEvent(code, &composed);
    EXPECT_EQ(code->text(), QStringLiteral("xy") + emoji);

    // The integer field takes digits only, typed or pasted.
    qty->setFocus();
    EXPECT_EQ(counts->FieldByName("Code")->AsString(), QStringLiteral("xy") + emoji);
    TypeCharacters(qty, QStringLiteral("1") + emoji + QStringLiteral("2"));
    EXPECT_EQ(qty->text(), QStringLiteral("12"));
    qty->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("3") + emoji + QStringLiteral("4"));
    QTest::keyClick(qty, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(qty->text(), QStringLiteral("34"));
    code->setFocus();
    counts->Post();
    EXPECT_TRUE(presenter.errors.empty()) << presenter.errors.front().toStdString();
    auto rows = Engine().Query(QStringLiteral("select Code, Qty from Counts"));
    ASSERT_TRUE(rows->Next());
    EXPECT_EQ(rows->Value(0).toString(), QStringLiteral("xy") + emoji);
    EXPECT_EQ(rows->Value(1).toInt(), 34);
}
