// Tab through every dialog: the keyboard goes through the controls in the
// order the user reads them, page by page.
#include "app/assets_form.h"
#include "app/chart_options_form.h"
#include "app/close_period_form.h"
#include "app/double_entry_form.h"
#include "app/filter_form.h"
#include "app/legend_form.h"
#include "app/loans_form.h"
#include "app/recur_form.h"
#include "app/references_form.h"
#include "app/tel_payment_form.h"
#include "platform/ui/containers.h"
#include "platform/ui/custom_grid.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/page_controls.h"
#include "tests/app/schedule_dialog_fixture.h"
#include <QSplitter>
#include <vector>

extern int PaymentPageTag;

namespace {

// Where a control stands in the container that holds both it and the
// control it is compared with.
const QWidget* PlaceIn(const QWidget* container, const QWidget* control)
{
    while (control->parentWidget() != container)
        control = control->parentWidget();
    return control;
}

const QWidget* CommonContainer(const QWidget* a, const QWidget* b)
{
    for (const QWidget* container = a->parentWidget(); container; container = container->parentWidget())
        if (container->isAncestorOf(b))
            return container;
    return nullptr;
}

QString Describe(const QWidget* control)
{
    QString name = control->objectName();
    for (const QWidget* up = control->parentWidget(); name.isEmpty() && up; up = up->parentWidget())
        name = up->objectName();
    return name + QLatin1Char('(') + QLatin1String(control->metaObject()->className()) + QLatin1Char(')');
}

// Whether b comes after a as the user reads: below it, or on its row to its
// right.
bool ReadAfter(const QWidget* a, const QWidget* b)
{
    if (a->isAncestorOf(b))
        return true;   // a grid's control over its current cell
    const QWidget* container = CommonContainer(a, b);
    const QWidget* placeOfA = PlaceIn(container, a);
    const QWidget* placeOfB = PlaceIn(container, b);
    // A splitter's panes, like a choice's items, go in their own order.
    if (const auto* splitter = qobject_cast<const QSplitter*>(container))
        return splitter->indexOf(const_cast<QWidget*>(placeOfA)) < splitter->indexOf(const_cast<QWidget*>(placeOfB));
    if (qobject_cast<const TRadioGroup*>(container))
        return container->children().indexOf(placeOfA) < container->children().indexOf(placeOfB);
    const QRect first = placeOfA->geometry();
    const QRect second = placeOfB->geometry();
    const int drop = second.top() - first.top();
    const bool sameRow = 2 * std::abs(drop) < std::min(first.height(), second.height());
    return sameRow ? second.left() > first.left() : drop > 0;
}

// A grid that keeps Tab for its cells, or the control over its current cell.
bool InGridKeepingTab(QWidget* control)
{
    for (; control; control = control->parentWidget())
        if (auto* grid = qobject_cast<TCustomGrid*>(control); grid && (grid->Options() & goTabs))
            return true;
    return false;
}

class TabOrderTest : public MainWindowTest {
protected:
    // One round of Tab through the window as it shows now, from its first
    // tab stop until the keyboard comes back to it. A grid keeps Tab for its
    // cells; the round steps past it as the window does.
    static std::vector<QWidget*> TabRound(QWidget& window)
    {
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        QTest::keyClick(&window, Qt::Key_Tab);
        std::vector<QWidget*> round;
        for (QWidget* focused = QApplication::focusWidget(); focused && round.size() < 200;) {
            round.push_back(focused);
            QTest::keyClick(InGridKeepingTab(focused) ? &window : focused, Qt::Key_Tab);
            focused = QApplication::focusWidget();
            if (std::find(round.begin(), round.end(), focused) != round.end())
                break;
            EXPECT_NE(focused, round.back()) << "Tab is kept by " << Describe(round.back()).toStdString();
            if (focused == round.back())
                break;
        }
        return round;
    }

    // Every page of every page control in turn.
    static void ExpectReadingOrder(TForm& window)
    {
        window.Show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();
        const auto check = [&](const QString& where) {
            const std::vector<QWidget*> round = TabRound(window);
            QStringList path;
            for (QWidget* control : round)
                path << Describe(control);
            for (size_t i = 1; i < round.size(); ++i)
                EXPECT_TRUE(ReadAfter(round[i - 1], round[i]))
                    << where.toStdString() << ": Tab went from " << Describe(round[i - 1]).toStdString() << " to "
                    << Describe(round[i]).toStdString() << "\n  " << path.join(QLatin1String(" > ")).toStdString();
        };
        const auto pageControls = window.findChildren<TPageControl*>();
        if (pageControls.isEmpty())
            check(window.objectName());
        for (TPageControl* pages : pageControls)
            for (int page = 0; page < pages->PageCount(); ++page) {
                pages->SetActivePage(pages->Pages(page));
                QApplication::processEvents();
                check(window.objectName() + QLatin1Char('/') + pages->Pages(page)->objectName());
            }
    }
};

TEST_F(TabOrderTest, EveryDialogTabsInReadingOrder)
{
    ExpectReadingOrder(*std::make_unique<TFrmLoans>());
    ExpectReadingOrder(*std::make_unique<TFrmRecur>());
    ExpectReadingOrder(*std::make_unique<TFrmDoubleEntry>());
    ExpectReadingOrder(*std::make_unique<TFrmAssets>());
    for (int tag : {CommunicationPaymentsTag, BankBalancesTag}) {
        PaymentPageTag = tag;
        ExpectReadingOrder(*std::make_unique<TFrmTelPayment>());
    }
    ExpectReadingOrder(*std::make_unique<TFrmRefrences>());
    ExpectReadingOrder(*std::make_unique<TFrmClosePeriod>());
    ExpectReadingOrder(*std::make_unique<TFrmFilter>());
    ExpectReadingOrder(*std::make_unique<TFrmLegend>());
    ExpectReadingOrder(*std::make_unique<TFrmChartOptions>());
}

using LoansTabTest = ScheduleDialogTest;

// Tab from the months goes on to the loan amount, and what is typed there is stored.
TEST_F(LoansTabTest, TabFromTheMonthsTypesTheLoanAmount)
{
    ShowDialog(new TFrmLoans);
    auto& loans = static_cast<TFrmLoans&>(*dialog);
    Click(loans.DBNavigator2, nbInsert);
    Type(loans.DBEdit1, QStringLiteral("Boat Loan"));
    Type(loans.DBEdit3, QStringLiteral("03/15/2026"));
    QTest::mouseClick(loans.DBEdit9, Qt::LeftButton);
    loans.DBEdit9->selectAll();   // over the month a new loan starts with
    QTest::keyClicks(loans.DBEdit9, QStringLiteral("12"));
    QTest::keyClick(loans.DBEdit9, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), loans.DBEdit5) << Describe(QApplication::focusWidget()).toStdString();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2500"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), loans.DBEdit6);
    PostHeader();
    EXPECT_EQ(Rows(QStringLiteral("select Duration, LoanAmount from TrnLon1a where LoanDetails = 'Boat Loan'")),
              QStringList{"12 2500"});
}

} // namespace
