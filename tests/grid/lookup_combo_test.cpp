#include "tests/grid/lookup_fixture.h"
#include <QImage>

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

    // Enter runs the pending search at once and takes the row.
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_FALSE(combo->SearchTimer().isActive());
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
}

// Escape while the list is open gives back the text, the code and the record
// as they were; a refused not-in-list answer gives back the previous text.
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
}

// The button opens the list over the form; a click on a row takes it.
TEST_F(LookupTest, ButtonOpensTheListAndAClickPicks)
{
    BindCombo();
    combo->SetOptions(loRowLines);
    ShowForm();
    const QPoint buttonCentre = combo->rect().topRight() + QPoint(-8, 12);
    QTest::mouseClick(combo->childAt(buttonCentre), Qt::LeftButton);
    ASSERT_TRUE(combo->IsDroppedDown());

    TwwPopupGrid& grid = *combo->Grid();
    EXPECT_EQ(grid.mapToGlobal(QPoint(0, 0)).y(), combo->mapToGlobal(QPoint(0, combo->height() - 1)).y());
    EXPECT_GE(grid.width(), 30 * grid.fontMetrics().horizontalAdvance(QLatin1Char('0')));
    // The row of the record's item is the chosen one, drawn highlighted.
    const QRect chosen = grid.CellRect(0, 0);
    EXPECT_EQ(PixelAt(*grid.viewport(), chosen.center() + QPoint(chosen.width() / 3, 0)),
              grid.palette().color(QPalette::Highlight));
    EXPECT_EQ(grid.ChosenRow(), 0);
    // "Salary" is the fourth row in description order.
    const QRect salary = grid.CellRect(0, 3);
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
