// Closing a period from the main window's menu: the rows it posts show their
// posted colour on the page in front as soon as the dialog has gone.
#include "tests/app/main_window_fixture.h"
#include "app/close_period_form.h"
#include "app/grid_colours.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/custom_edit.h"
#include "platform/ui/menus.h"
#include "platform/ui/standard_controls.h"
#include <QRadioButton>
#include <QScreen>

namespace {

class ClosePeriodWindowTest : public MainWindowTest {
protected:
    // The grid as the window last painted it, not painted afresh for the picture.
    QImage Shown(TwwDBGrid* grid)
    {
        QApplication::processEvents();
        const QImage whole = window->screen()->grabWindow(window->winId()).toImage();
        return whole.copy(QRect(grid->viewport()->mapTo(window.get(), QPoint(0, 0)), grid->viewport()->size()));
    }
};

TEST_F(ClosePeriodWindowTest, RowsPostedByTheCloseTakeThePostedColourAtOnce)
{
    ShowWindow();
    ClickTab(window->PageControl2, 2);
    TwwDBGrid* income = window->wwDBGrid17;
    // Row 1 is the wages of 28 February, open while January is the last month closed.
    ASSERT_EQ(CellColour(Shown(income), income, 1, 1), ToQColor(GridColorNormal));

    bool driven = false;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        // Typed into once the dialog has the keyboard, as the user does:
        // before that the confirmation's "NO" is not yet selected to be typed over.
        if (!FrmClosePeriod || !FrmClosePeriod->isVisible() || !FrmClosePeriod->isActiveWindow())
            return;
        watch.stop();
        TFrmClosePeriod& form = *FrmClosePeriod;
        QTest::mouseClick(form.RbMonth->Button(1), Qt::LeftButton);
        form.EdtYear->SetText(QStringLiteral("2026"));
        QTest::mouseClick(form.BtnYes, Qt::LeftButton);
        form.EdtConfirm->setFocus();
        QTest::keyClicks(form.EdtConfirm, QStringLiteral("yes"));
        QTest::mouseClick(form.BtnYes2, Qt::LeftButton);
        driven = true;
    });
    watch.start();
    window->CloseCurrentPeriod1->Click();
    watch.stop();
    Reactivate();
    ASSERT_TRUE(driven);
    ASSERT_EQ(adm1->CurrentCloseDate, EncodeDate(2026, 2, 28));

    EXPECT_EQ(CellColour(Shown(income), income, 1, 1), ToQColor(GridColorPosted));
}

}  // namespace
