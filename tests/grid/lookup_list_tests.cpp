#include "grid/lookup_list.h"
#include "tests/grid/lookup_fixture.h"
#include <QScreen>
#include <QScrollBar>

// A lookup list of its own on a form: the record's item is the chosen row, a
// click on another row takes its code, and the post stores it.
TEST_F(LookupTest, ListPicksTheClickedRowIntoItsField)
{
    auto* list = new TwwDBLookupList(form.get());
    list->setGeometry(10, 50, 250, 150);
    list->SetUseTFields(false);
    list->Selected().Add(QStringLiteral("BankItemDesc\t10\tItem"));
    list->SetLookupTable(items.get());
    list->SetLookupField(QStringLiteral("BankItemCode"));
    list->SetDataSource(transSource.get());
    list->SetDataField(QStringLiteral("BankItemCode"));
    int clicks = 0;
    list->OnClick = [&](QObject*) { ++clicks; };
    ShowForm();
    list->grab();
    EXPECT_EQ(list->ChosenRow(), 0);
    EXPECT_EQ(list->ColCount(), 1);
    EXPECT_EQ(list->ColWidths(0), list->viewport()->width());

    // Rows in code order: the fourth is Salary.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->CellRect(0, 3).center());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list->Binding().Value(), QStringLiteral("004"));
    EXPECT_EQ(trans->State(), dsEdit);
    trans->Post();
    EXPECT_EQ(StoredItemCode(QStringLiteral("0000000001")), QStringLiteral("004"));
    list->grab();
    EXPECT_EQ(list->ChosenRow(), 3);

    // With column lines the widened last column leaves room for every line:
    // the list fits its width and needs no horizontal scroll bar.
    list->SetLookupOptions(loColLines);
    list->Selected().Clear();
    list->Selected().Add(QStringLiteral("BankItemDesc\t10\tItem"));
    list->Selected().Add(QStringLiteral("BankItemCode\t3\tCode"));
    list->LayoutChanged();
    ASSERT_EQ(list->ColCount(), 2);
    EXPECT_EQ(list->ColWidths(0) + 1 + list->ColWidths(1) + 1, list->viewport()->width());
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
}

// Where the list opens and how high it is.
TEST_F(LookupTest, DropDownPlacementAndHeight)
{
    BindCombo();
    ShowForm();
    // Fewer records than DropDownCount: as many rows as records.
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    TwwPopupGrid& grid = *combo->Grid();
    ASSERT_TRUE(combo->IsDroppedDown());
    EXPECT_EQ(grid.VisibleRowCount(), 6);
    QTest::keyClick(combo, Qt::Key_Escape);

    combo->SetDropDownCount(0);
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(grid.VisibleRowCount(), 1);
    // The scroll bar moves through the table although the list never has the focus.
    grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(items->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("002"));
    QTest::keyClick(combo, Qt::Key_Escape);

    // Lined up with the combo's right edge.
    combo->SetDropDownAlignment(taRightJustify);
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(grid.mapToGlobal(QPoint(grid.width(), 0)).x(), combo->mapToGlobal(QPoint(combo->width(), 0)).x() + 1);
    QTest::keyClick(combo, Qt::Key_Escape);

    // Near the screen's bottom the list opens above the combo.
    combo->SetDropDownCount(8);
    const QRect area = combo->screen()->availableGeometry();
    form->move(form->x(), area.bottom() - 60);
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->IsDroppedDown());
    EXPECT_EQ(grid.mapToGlobal(QPoint(0, 0)).y() + grid.height(), combo->mapToGlobal(QPoint(0, 0)).y() + 1);
    QTest::keyClick(combo, Qt::Key_Escape);

    // Too narrow to show a list: it stays closed, without a word.
    combo->resize(20, combo->height());
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_TRUE(presenter.shown.empty());
}

// A list-style combo that does not drop down while typing takes no typing;
// a click opens its list and another closes it.
TEST_F(LookupTest, AClickTogglesAListStyleComboThatTakesNoTyping)
{
    BindCombo();
    combo->SetAutoDropDown(false);
    ShowForm();
    QTest::keyClicks(combo, QStringLiteral("re"));
    EXPECT_EQ(combo->Text(), QStringLiteral("Bank charges"));
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(trans->State(), dsBrowse);

    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_TRUE(combo->IsDroppedDown());
    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(combo->Text(), QStringLiteral("Bank charges"));
    EXPECT_EQ(trans->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("001"));
}
