#include "grid/ww_db_grid.h"
#include "platform/db/fields.h"
#include "tests/grid/lookup_fixture.h"
#include <QImage>
#include <QLineEdit>

namespace {

QColor PixelAt(QWidget& widget, const QPoint& point)
{
    return widget.grab().toImage().pixelColor(point);
}

}  // namespace

// The flow of picking an item: the record shows its description, typing
// searches the description index as typed (its case rule), the list opens
// while typing, Enter writes the code and shows the description, and the code
// is what the post stores.
TEST_F(LookupTest, TypingSearchesDropsDownAndWritesTheCode)
{
    BindCombo();
    ShowForm();
    EXPECT_EQ(combo->Text(), QStringLiteral("Bank charges"));
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("001"));

    QTest::keyClick(combo, Qt::Key_R);
    ASSERT_TRUE(combo->IsDroppedDown());
    EXPECT_EQ(items->FieldByName(QStringLiteral("BankItemDesc"))->AsString(), QStringLiteral("Rates"));
    EXPECT_EQ(trans->State(), dsEdit);

    // Later keys are gathered by the timer: half the delay on a local table.
    QTest::keyClick(combo, Qt::Key_E);
    EXPECT_EQ(combo->Text(), QStringLiteral("re"));
    EXPECT_TRUE(combo->SearchTimer().isActive());
    EXPECT_EQ(combo->SearchTimer().interval(), TwwDBCustomLookupCombo::SearchDelay / 2);

    // The timer's search finds the row while the list stays open and the
    // keys stay with the combo; Enter takes the row.
    const TField& description = *items->FieldByName(QStringLiteral("BankItemDesc"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return description.AsString() == QStringLiteral("Rent"); }));
    EXPECT_TRUE(combo->IsDroppedDown());
    EXPECT_TRUE(combo->hasFocus());
    EXPECT_EQ(combo->Text(), QStringLiteral("re"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("Rent"));
    EXPECT_EQ(trans->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("003"));

    trans->Post();
    EXPECT_EQ(StoredItemCode(QStringLiteral("0000000001")), QStringLiteral("003"));
    EXPECT_TRUE(presenter.shown.empty());

    // Upper case finds the same row on the case-insensitive index.
    trans->Next();
    EXPECT_EQ(combo->Text(), QStringLiteral("Salary"));
    QTest::keyClicks(combo, QStringLiteral("GR"));
    QTest::keyClick(combo, Qt::Key_Tab);
    EXPECT_EQ(trans->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("005"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Groceries"));

    // A code added to the reference table since is shown too.
    items->Append();
    items->FieldByName(QStringLiteral("BankItemDesc"))->SetAsString(QStringLiteral("Water"));
    items->FieldByName(QStringLiteral("BankItemCode"))->SetAsString(QStringLiteral("007"));
    items->Post();
    trans->FieldByName(QStringLiteral("BankItemCode"))->SetAsString(QStringLiteral("007"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Water"));
    trans->FieldByName(QStringLiteral("BankItemCode"))->SetAsString(QStringLiteral("003"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Rent"));
}

// Escape while the list is open gives back the text, the code and the record
// as they were; a refused not-in-list answer gives back the previous text
// (Enter runs the search still pending on the timer first).
TEST_F(LookupTest, EscapeAndARefusedNotInListRestore)
{
    BindCombo();
    ShowForm();
    QTest::keyClicks(combo, QStringLiteral("sal"));
    ASSERT_TRUE(combo->IsDroppedDown());
    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("Bank charges"));
    EXPECT_EQ(trans->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("001"));
    EXPECT_FALSE(trans->Modified());

    QStringList offered;
    combo->OnNotInList = [&](QObject*, TDataSet* table, const QString& value, bool& accept) {
        EXPECT_EQ(table, items.get());
        offered << value;
        accept = false;
    };
    QTest::keyClicks(combo, QStringLiteral("zz"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(offered, QStringList{QStringLiteral("zz")});
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("Bank charges"));
    EXPECT_EQ(trans->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("001"));

    // A text that names a row never asks.
    QTest::keyClicks(combo, QStringLiteral("ins"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(offered.size(), 1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Insurance"));

    // A handler that adds the row and accepts gets it written.
    combo->OnNotInList = [&](QObject*, TDataSet*, const QString& value, bool& accept) {
        offered << value;
        items->Append();
        items->FieldByName(QStringLiteral("BankItemDesc"))->SetAsString(QStringLiteral("Water rates"));
        items->FieldByName(QStringLiteral("BankItemCode"))->SetAsString(QStringLiteral("007"));
        items->Post();
        accept = true;
    };
    QTest::keyClicks(combo, QStringLiteral("water"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(offered.last(), QStringLiteral("water"));
    EXPECT_EQ(trans->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("007"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Water rates"));
}

// Typing completes the text with the first matching description (read row by
// row, as the description has no index), leaving the completion selected;
// leaving writes its code. Delete on the whole text clears the field.
TEST_F(LookupTest, MatchTextCompletesWithoutAnIndexAndTheClearKeyEmptiesTheField)
{
    combo->SetShowMatchText(true);
    combo->SetAllowClearKey(true);
    BindLookup(telItems.get(), QStringLiteral("TelItemCode"), QStringLiteral("TelItemDesc\t20\tItem"));
    combo->SetDataSource(transSource.get());
    combo->SetDataField(QStringLiteral("BankItemCode"));
    auto* next = new QLineEdit(form.get());
    next->setGeometry(10, 60, 100, 25);
    ShowForm();
    EXPECT_EQ(combo->Text(), QStringLiteral("Line rental"));

    QTest::keyClicks(combo, QStringLiteral("IN"));
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("Internet"));
    EXPECT_EQ(combo->SelStart(), 2);
    EXPECT_EQ(combo->SelText(), QStringLiteral("ternet"));
    QTest::keyClick(combo, Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(trans->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("003"));

    combo->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(combo->SelText(), QStringLiteral("Internet"));
    QTest::keyClick(combo, Qt::Key_Delete);
    EXPECT_EQ(combo->Text(), QString());
    next->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(trans->FieldByName(QStringLiteral("BankItemCode"))->IsNull());
    trans->Post();
    EXPECT_EQ(StoredItemCode(QStringLiteral("0000000001")), QString());
}

// The button opens the list over the form; a click on a row takes it, a click
// on the title does not.
TEST_F(LookupTest, ButtonOpensTheListAndAClickPicks)
{
    BindCombo();
    combo->SetOptions(loRowLines | loTitles);
    ShowForm();
    const QPoint buttonCentre = combo->rect().topRight() + QPoint(-8, 12);
    QTest::mouseClick(combo->childAt(buttonCentre), Qt::LeftButton);
    ASSERT_TRUE(combo->IsDroppedDown());

    TwwPopupGrid& grid = *combo->Grid();
    EXPECT_EQ(grid.mapToGlobal(QPoint(0, 0)).y(), combo->mapToGlobal(QPoint(0, combo->height() - 1)).y());
    EXPECT_GE(grid.width(), 30 * grid.fontMetrics().horizontalAdvance(QLatin1Char('0')));
    // One column fills the list; the row of the record's item is the chosen
    // one, drawn highlighted, below the title.
    EXPECT_EQ(grid.ColWidths(0), grid.viewport()->width());
    const QRect chosen = grid.CellRect(0, 1);
    EXPECT_EQ(PixelAt(*grid.viewport(), chosen.center() + QPoint(chosen.width() / 3, 0)),
              grid.palette().color(QPalette::Highlight));
    EXPECT_EQ(grid.ChosenRow(), 0);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, grid.CellRect(0, 0).center());
    EXPECT_TRUE(combo->IsDroppedDown());

    // "Salary" is the fourth record in code order.
    const QRect salary = grid.CellRect(0, 4);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, salary.center());
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("Salary"));
    EXPECT_EQ(trans->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("004"));
}

// What cannot open says so; a lookup table that is the edited dataset is refused.
TEST_F(LookupTest, MissingOrClosedLookupTableWarnsAndDuplicateSourceIsRefused)
{
    combo->SetDataSource(transSource.get());
    combo->SetDataField(QStringLiteral("BankItemCode"));
    ShowForm();
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("No lookup table specified!"));
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtWarning);

    BindCombo();
    items->Close();
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[1].Text, QStringLiteral("Lookup table is not active!"));
    EXPECT_EQ(presenter.shown[1].Type, TMsgDlgType::mtWarning);
    EXPECT_FALSE(combo->IsDroppedDown());
    // Opened again, the table serves with its new fields.
    items->Open();
    QTest::keyClicks(combo, QStringLiteral("sal"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(combo->Text(), QStringLiteral("Salary"));

    try {
        combo->SetLookupTable(trans.get());
        FAIL() << "the edited dataset became the lookup table";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message, QStringLiteral("Unable to use duplicate DataSource and LookupSource"));
    }
    EXPECT_EQ(combo->LookupTable(), items.get());
    combo->SetDataSource(nullptr);
    EXPECT_THROW(combo->SetDataSource(itemsSource.get()), EInvalidOperation);
    EXPECT_EQ(combo->DataSource(), nullptr);
}

// Editing a grid cell, the combo leaves the record keys to the grid while its
// list is closed; Alt+Down still opens the list.
TEST_F(LookupTest, InAGridCellTheRecordKeysGoToTheGrid)
{
    auto* grid = new TwwDBGrid(form.get());
    grid->setGeometry(0, 40, 320, 200);
    grid->SetDataSource(transSource.get());
    combo->setParent(grid->viewport());
    BindCombo();
    ShowForm();
    combo->show();
    combo->setFocus(Qt::OtherFocusReason);

    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(combo->IsDroppedDown());
    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(trans->FieldByName(QStringLiteral("TranCode"))->AsString(), QStringLiteral("0000000001"));

    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(trans->FieldByName(QStringLiteral("TranCode"))->AsString(), QStringLiteral("0000000002"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Salary"));
}

// On a lookup field of the edited dataset the combo shows the field's result
// and writes the key field that the lookup follows.
TEST_F(LookupTest, OnALookupFieldTheKeyFieldIsWritten)
{
    trans->Close();
    const auto addField = [&](TField* field, const QString& name) {
        field->SetFieldName(name);
        field->SetDataSet(trans.get());
        return field;
    };
    addField(new TStringField(trans.get(), 10), QStringLiteral("TranCode"));
    addField(new TStringField(trans.get(), 3), QStringLiteral("BankItemCode"));
    addField(new TFloatField(trans.get()), QStringLiteral("DebitAmount"));
    TField* description = addField(new TStringField(trans.get(), 50), QStringLiteral("CalcBankItemDescription"));
    description->SetFieldKind(fkLookup);
    description->SetLookupDataSet(items.get());
    description->SetKeyFields(QStringLiteral("BankItemCode"));
    description->SetLookupKeyFields(QStringLiteral("BankItemCode"));
    description->SetLookupResultField(QStringLiteral("BankItemDesc"));
    trans->Open();

    combo->SetStyle(csDropDownList);
    combo->SetAutoDropDown(true);
    BindLookup(items.get(), QStringLiteral("BankItemCode"), QString());
    combo->SetDataSource(transSource.get());
    combo->SetDataField(QStringLiteral("CalcBankItemDescription"));
    ShowForm();
    EXPECT_EQ(combo->Text(), QStringLiteral("Bank charges"));

    QTest::keyClicks(combo, QStringLiteral("ins"));
    ASSERT_TRUE(combo->IsDroppedDown());
    EXPECT_EQ(combo->Selected()->Strings(0).section(QLatin1Char('\t'), 0, 0), QStringLiteral("BankItemDesc"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(trans->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("006"));
    EXPECT_EQ(description->AsString(), QStringLiteral("Insurance"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Insurance"));

    // Opened again on the next record, the list stands on that record's item.
    trans->Post();
    trans->Next();
    EXPECT_EQ(combo->Text(), QStringLiteral("Salary"));
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->IsDroppedDown());
    EXPECT_EQ(items->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("004"));
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("004"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Salary"));
}

// Without a data source the combo is a picker: the chosen row's code is its
// lookup value, and OnCloseUp tells that it changed.
TEST_F(LookupTest, WithoutADataSourceThePickIsTheLookupValue)
{
    combo->SetStyle(csDropDownList);
    combo->SetAutoDropDown(true);
    BindLookup(items.get(), QStringLiteral("BankItemCode"), QStringLiteral("BankItemDesc\t30\tItem Desc"));
    std::vector<bool> closeUps;
    combo->OnCloseUp = [&](QObject*, TDataSet* lookupTable, TDataSet* fillTable, bool modified) {
        EXPECT_EQ(lookupTable, items.get());
        EXPECT_EQ(fillTable, nullptr);
        closeUps.push_back(modified);
    };
    ShowForm();
    QTest::keyClicks(combo, QStringLiteral("gro"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("005"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Groceries"));
    EXPECT_EQ(closeUps, std::vector<bool>{true});
}

// A list-style combo that drops down while typing shows only what its list
// holds: Enter on a text that names no row gives the text and value back as
// they were, bound or not. With the list closed, Backspace and Delete still
// edit the text, so that a typo can be mended: a bound combo opens its list
// on what is left (also on a record still browsing, where the first key
// puts it into edit state); a combo that completes the typed text (the
// account pickers) keeps the whole row's text it shows until its list opens.
TEST_F(LookupTest, ATextThatNamesNoRowGivesWayAndTheClosedListTakesBackspaceUnlessItCompletesTheText)
{
    BindCombo();
    ShowForm();
    const TField& code = *trans->FieldByName(QStringLiteral("BankItemCode"));
    QTest::keyClick(combo, Qt::Key_End);
    QTest::keyClick(combo, Qt::Key_Backspace);
    EXPECT_EQ(combo->Text(), QStringLiteral("Bank charge"));
    EXPECT_TRUE(combo->IsDroppedDown());
    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_EQ(combo->Text(), QStringLiteral("Bank charges"));

    QTest::keyClicks(combo, QStringLiteral("zq"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("Bank charges"));
    EXPECT_EQ(code.AsString(), QStringLiteral("001"));
    QTest::keyClick(combo, Qt::Key_Home);
    QTest::keyClick(combo, Qt::Key_Delete);
    EXPECT_EQ(combo->Text(), QStringLiteral("ank charges"));
    EXPECT_TRUE(combo->IsDroppedDown());
    QTest::keyClick(combo, Qt::Key_Escape);

    // The account pickers: no data source, the typed text completed.
    combo->SetDataSource(nullptr);
    combo->SetShowMatchText(true);
    QTest::keyClicks(combo, QStringLiteral("ren"));
    QTest::keyClick(combo, Qt::Key_Return);
    ASSERT_EQ(combo->Text(), QStringLiteral("Rent"));
    QTest::keyClicks(combo, QStringLiteral("rez"));
    combo->PerformSearch();
    EXPECT_EQ(combo->Text(), QStringLiteral("Rez"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(combo->Text(), QStringLiteral("Rent"));
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("003"));
    QTest::keyClick(combo, Qt::Key_End);
    QTest::keyClick(combo, Qt::Key_Backspace);
    QTest::keyClick(combo, Qt::Key_Backspace);
    EXPECT_EQ(combo->Text(), QStringLiteral("Rent"));
    EXPECT_FALSE(combo->IsDroppedDown());
    QTest::keyClick(combo, Qt::Key_Home);
    QTest::keyClick(combo, Qt::Key_Delete);
    EXPECT_EQ(combo->Text(), QStringLiteral("Rent"));
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("003"));
    // Open, they edit the text as typing does.
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->IsDroppedDown());
    QTest::keyClick(combo, Qt::Key_End);
    QTest::keyClick(combo, Qt::Key_Backspace);
    EXPECT_EQ(combo->Text(), QStringLiteral("Ren"));
    QTest::keyClick(combo, Qt::Key_Escape);
    combo->selectAll();
    QTest::keyClicks(combo, QStringLiteral("sa"));
    EXPECT_TRUE(combo->IsDroppedDown());
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(combo->Text(), QStringLiteral("Salary"));
    EXPECT_EQ(combo->LookupValue(), QStringLiteral("004"));
}

// A bound list that completes the typed text keeps its whole text against
// Backspace and Delete while closed, but the keys still begin the change
// the user means, as Insert does: the record goes into edit, to be given up
// with Escape or cancelled like any other edit.
TEST_F(LookupTest, AClosedListKeepsItsTextButBackspaceAndDeleteBeginTheEdit)
{
    BindCombo();
    combo->SetShowMatchText(true);
    ShowForm();
    const TField& code = *trans->FieldByName(QStringLiteral("BankItemCode"));
    for (const auto& [place, cut] : {std::pair{Qt::Key_End, Qt::Key_Backspace}, {Qt::Key_Home, Qt::Key_Delete}}) {
        ASSERT_EQ(trans->State(), dsBrowse);
        QTest::keyClick(combo, place);
        QTest::keyClick(combo, cut);
        EXPECT_EQ(trans->State(), dsEdit);
        EXPECT_FALSE(combo->IsDroppedDown());
        EXPECT_EQ(combo->Text(), QStringLiteral("Bank charges"));
        EXPECT_EQ(code.AsString(), QStringLiteral("001"));
        trans->Cancel();
    }
    EXPECT_TRUE(presenter.shown.empty());
}
