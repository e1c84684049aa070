// What the screen shows of the record being typed is the record: when the
// bank rule clears the other amount as one is written, the other amount's
// cell shows the nought at once, and the navigator's post stores what the
// row showed.
#include "tests/app/main_window_fixture.h"
#include "platform/ui/db_navigator.h"
#include <QScreen>

namespace {

class ShownValuesTest : public MainWindowTest {
protected:
    enum { DebitCol = 3, CreditCol = 4 };

    TwwDBGrid* BankGrid() { return window->wwDBGrid14; }
    TwwTable* Bank() { return adm1->TblTranBank1; }
    static QWidget* Focus() { return QApplication::focusWidget(); }
    double Amount(const char* field) { return Bank()->FieldByName(QString::fromLatin1(field))->AsFloat(); }

    // A cell of the bank grid as the window last painted it.
    QImage Shown(int col)
    {
        QApplication::processEvents();
        const QImage whole = window->screen()->grabWindow(window->winId()).toImage();
        const QRect cell = BankGrid()->CellRect(col, BankGrid()->Row());
        return whole.copy(cell.translated(BankGrid()->viewport()->mapTo(window.get(), QPoint(0, 0))));
    }

    // The same cell drawn afresh from the record as it is now.
    QImage Drawn(int col)
    {
        return BankGrid()->viewport()->grab(BankGrid()->CellRect(col, BankGrid()->Row())).toImage();
    }

    // A new row of the page's navigator with its date and item typed into
    // the grid; the keyboard is left in the item cell's lookup.
    void BeginRow(const QString& date)
    {
        QTest::mouseClick(window->DBNavigator27->Button(nbInsert), Qt::LeftButton);
        QApplication::processEvents();
        ASSERT_EQ(Bank()->State(), dsInsert);
        ClickCell(BankGrid(), 1, BankGrid()->Row());
        QTest::keyClicks(Focus(), date);
        QTest::keyClick(Focus(), Qt::Key_Tab);
        QApplication::processEvents();   // the grid lays the item's lookup over the cell
        for (const QChar key : QStringLiteral("Sal"))
            QTest::keyClick(Focus(), key.toLatin1());
        QTest::qWait(400);   // the lookup's incremental search runs on its timer
        QTest::keyClick(Focus(), Qt::Key_Return);
        ASSERT_EQ(Bank()->FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("001"));
    }

    // Posts with the navigator's tick and reads back the two amounts stored for the row.
    QStringList PostAndReadAmounts(const QString& serialNum)
    {
        QTest::mouseClick(window->DBNavigator27->Button(nbPost), Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(Bank()->State(), dsBrowse) << presenter.LastText().toStdString();
        return Rows(QStringLiteral("SELECT DebitAmount, CreditAmount FROM TrnBnk1a WHERE BankAccountCode = "
                                   "'0000000001' AND BankTranSerialNum = '%1'").arg(serialNum));
    }
};

TEST_F(ShownValuesTest, TheOtherAmountShowsItsNoughtAsSoonAsOneIsWrittenAndThePostStoresWhatIsShown)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));

    // Debit, then credit, then Enter: the debit's cell shows the rule's nought.
    BeginRow(QStringLiteral("03102026"));
    QTest::keyClick(Focus(), Qt::Key_Tab);
    QTest::keyClicks(Focus(), QStringLiteral("50"));
    QTest::keyClick(Focus(), Qt::Key_Tab);
    ASSERT_EQ(BankGrid()->Col(), CreditCol);
    ASSERT_EQ(Amount("DebitAmount"), 50.0);
    const QImage fifty = Shown(DebitCol);
    QTest::keyClicks(Focus(), QStringLiteral("3200"));
    QTest::keyClick(Focus(), Qt::Key_Return);
    EXPECT_EQ(Amount("DebitAmount"), 0.0);
    EXPECT_EQ(Amount("CreditAmount"), 3200.0);
    EXPECT_TRUE(Shown(DebitCol) != fifty) << "the debit cell still shows 50.00";
    EXPECT_TRUE(Shown(DebitCol) == Drawn(DebitCol)) << "the debit cell shows another value than the record's";
    EXPECT_EQ(PostAndReadAmounts(QStringLiteral("0000000005")), QStringList{QStringLiteral("0 3200")});

    // Credit, then back to the debit with Shift+Tab: the credit's cell
    // shows the nought as the debit is written on the way out.
    BeginRow(QStringLiteral("03112026"));
    QTest::keyClick(Focus(), Qt::Key_Tab);
    QTest::keyClick(Focus(), Qt::Key_Tab);
    ASSERT_EQ(BankGrid()->Col(), CreditCol);
    QTest::keyClicks(Focus(), QStringLiteral("3200"));
    QTest::keyClick(Focus(), Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(BankGrid()->Col(), DebitCol);
    ASSERT_EQ(Amount("CreditAmount"), 3200.0);
    const QImage credit = Shown(CreditCol);
    QTest::keyClicks(Focus(), QStringLiteral("50"));
    QTest::keyClick(Focus(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Amount("DebitAmount"), 50.0);
    EXPECT_EQ(Amount("CreditAmount"), 0.0);
    EXPECT_TRUE(Shown(CreditCol) != credit) << "the credit cell still shows 3,200.00";
    EXPECT_TRUE(Shown(CreditCol) == Drawn(CreditCol)) << "the credit cell shows another value than the record's";
    EXPECT_EQ(PostAndReadAmounts(QStringLiteral("0000000006")), QStringList{QStringLiteral("50 0")});
}

} // namespace
