// The filter and legend windows beside the real main window.
#include "app/filter_form.h"
#include "app/grid_colours.h"
#include "app/legend_form.h"
#include "platform/ui/colors.h"
#include "platform/ui/containers.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include "tests/app/main_window_fixture.h"
#include "widgets/date_edit.h"
#include "widgets/month_calendar_form.h"
#include "widgets/year_calendar_form.h"
#include <QColorDialog>
#include <QMessageBox>
#include <QRadioButton>
#include <QTimer>
#include <QWindow>

namespace {

// Counts the paint events a widget receives.
class TPaintCount : public QObject {
public:
    int Count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

class FilterLegendTest : public MainWindowTest {
protected:
    // The dates of the rows the table shows, in its order.
    static QStringList Dates(TwwTable* table) {
        QStringList dates;
        for (table->First(); !table->Eof(); table->Next())
            dates << table->FieldByName(QStringLiteral("TransactionDate"))->AsString();
        return dates;
    }
    static void TypeDate(TVrDateEdit* edit, const QString& text) {
        edit->SetFocus();
        edit->Edit()->selectAll();
        QTest::keyClicks(edit->Edit(), text);
    }
    // Answers the colour dialog the legend opens with colour, or cancels it.
    static void AnswerColourDialog(const QColor& colour) {
        QTimer::singleShot(0, [colour] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (!colour.isValid())
                return dialog->reject();
            dialog->setCurrentColor(colour);
            dialog->accept();
        });
    }
    static QColor Swatch(const TFrmLegend& legend, int row) { return legend.Rows()[row].Swatch->BrushColor(); }
    TColor Stored(const char* field) {
        adm1->TblConfig->Refresh();
        return adm1->TblConfig->FieldByName(QString::fromLatin1(field))->AsInteger();
    }
};

TEST_F(FilterLegendTest, TheFilterNarrowsTheTransactionPagesToTheRange) {
    ShowWindow();
    const auto filter = std::make_unique<TFrmFilter>();
    filter->Show();
    QApplication::setActiveWindow(filter.get());
    TwwTable* incomes = adm1->TblTranIncome;
    EXPECT_FALSE(filter->BtnUpdate->isEnabled());
    EXPECT_EQ(Dates(incomes), QStringList({"02/28/2026", "03/01/2026"}));

    QTest::mouseClick(filter->CbActive, Qt::LeftButton, {}, QPoint(8, 9));
    EXPECT_TRUE(adm1->FilterActive);
    EXPECT_TRUE(filter->BtnUpdate->isEnabled());
    EXPECT_EQ(Dates(incomes).size(), 2) << "checking only enables Apply";
    TypeDate(filter->DBEdFrom, "03/01/2026");
    TypeDate(filter->DBEdTo, "03/31/2026");
    QTest::mouseClick(filter->BtnUpdate, Qt::LeftButton);
    EXPECT_EQ(adm1->TblOptions->FieldByName(QStringLiteral("FromDate"))->AsDateTime(), EncodeDate(2026, 3, 1));
    EXPECT_EQ(Dates(incomes), QStringList({"03/01/2026"}));
    EXPECT_EQ(Dates(adm1->TblTranExpense), QStringList());
    EXPECT_EQ(Status(0), QStringLiteral("Filter Active"));

    // Unchecking clears the filter at once.
    QTest::mouseClick(filter->CbActive, Qt::LeftButton, {}, QPoint(8, 9));
    EXPECT_FALSE(adm1->FilterActive);
    EXPECT_FALSE(filter->BtnUpdate->isEnabled());
    EXPECT_FALSE(filter->DBEdFrom->isEnabled());
    EXPECT_EQ(Dates(incomes).size(), 2);
    EXPECT_EQ(Status(0), QStringLiteral("Filter Not Active"));

    window->MnuFilterOptions->SetChecked(true);
    filter->Close();
    EXPECT_FALSE(filter->isVisible());
    EXPECT_FALSE(window->MnuFilterOptions->Checked());
}

TEST_F(FilterLegendTest, APickedColourReachesTheGridsOnApplyAndDefaultsComeBackAfterTheQuestion) {
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    TwwDBGrid* grid = window->wwDBGrid14;
    const QColor posted = CellColour(GrabGrid(grid), grid, 1, 1);   // 20 January, closed
    ASSERT_EQ(posted, ToQColor(DefaultGridColour("ColorPosted")));

    const auto legend = std::make_unique<TFrmLegend>();
    legend->Show();
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(Swatch(*legend, row), ToQColor(DefaultGridColour(legend->Rows()[row].Field))) << row;

    // Cancelled: nothing changes.
    AnswerColourDialog(QColor());
    QTest::mouseDClick(legend->Label2, Qt::LeftButton, {}, QPoint(120, 6));
    EXPECT_EQ(Swatch(*legend, 1), posted);
    const QColor green(0x20, 0x90, 0x40);
    AnswerColourDialog(green);
    QTest::mouseDClick(legend->Label2, Qt::LeftButton, {}, QPoint(120, 6));
    EXPECT_EQ(Swatch(*legend, 1), green);
    EXPECT_EQ(Stored("ColorPosted"), FromQColor(green));
    EXPECT_EQ(CellColour(GrabGrid(grid), grid, 1, 1), posted) << "the grids wait for Apply";

    // The grid on screen repaints in the new colours, not only a fresh grab of it.
    TPaintCount paints;
    grid->viewport()->installEventFilter(&paints);
    QTest::mouseClick(legend->BtnUpdate, Qt::LeftButton);
    QApplication::processEvents();
    grid->viewport()->removeEventFilter(&paints);
    EXPECT_GT(paints.Count, 0);
    EXPECT_EQ(GridColorPosted, FromQColor(green));
    EXPECT_EQ(CellColour(GrabGrid(grid), grid, 1, 1), green);

    presenter.Answer(mrNo);
    QTest::mouseClick(legend->BitBtn2, Qt::LeftButton);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("Reset All Legend Colors to thier Default Settings ?"));
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(presenter.shown[0].Buttons, mbYesNo);
    EXPECT_EQ(Stored("ColorPosted"), FromQColor(green));
    EXPECT_EQ(Swatch(*legend, 1), green);

    presenter.Answer(mrYes);
    QTest::mouseClick(legend->BitBtn2, Qt::LeftButton);
    EXPECT_EQ(Swatch(*legend, 1), posted);
    EXPECT_EQ(Stored("ColorPosted"), 0xA4ACFD);
    EXPECT_EQ(Stored("ColorDSort"), 0x80FFFF);

    // Closing applies what is stored and unchecks the menu item.
    window->MnuViewLegend->SetChecked(true);
    legend->Close();
    EXPECT_FALSE(window->MnuViewLegend->Checked());
    EXPECT_EQ(GridColorPosted, 0xA4ACFD);
    EXPECT_EQ(CellColour(GrabGrid(grid), grid, 1, 1), posted);
}

// The first key typed over a selection puts the browsing record into edit
// state, which shows the field anew; the key still replaces the selection.
TEST_F(FilterLegendTest, TheFirstKeyReplacesTheSelectionWhileTheRecordIsBrowsing) {
    ShowWindow();
    TTable* config = adm1->TblConfig;
    config->Edit();
    config->FieldByName(QStringLiteral("GridSize1"))->SetAsInteger(12);
    config->Post();
    const auto legend = std::make_unique<TFrmLegend>();
    QString typed;
    QTimer::singleShot(0, [&] {
        TDBEdit* size = legend->EdtGridSize;
        QApplication::setActiveWindow(legend.get());
        size->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(size->SelText(), QStringLiteral("12"));
        EXPECT_EQ(config->State(), dsBrowse);
        QTest::keyClicks(size, "15");
        typed = size->Text();
        QTest::mouseClick(legend->BtnUpdate2, Qt::LeftButton);
        QTest::mouseClick(legend->BtnClose2, Qt::LeftButton);
    });
    window->Preferences1->Action()->trigger();
    EXPECT_EQ(typed, QStringLiteral("15"));
    EXPECT_EQ(ReportColumnWidth, 15);

    // The filter's dates type through their mask: the whole date selected,
    // the first digit starts a new one, also on an options record posted.
    adm1->TblOptions->Post();
    const auto filter = std::make_unique<TFrmFilter>();
    filter->Show();
    QApplication::setActiveWindow(filter.get());
    QTest::mouseClick(filter->CbActive, Qt::LeftButton, {}, QPoint(8, 9));
    ASSERT_EQ(adm1->TblOptions->State(), dsBrowse);
    TDBEdit* from = filter->DBEdFrom->Edit();
    from->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(from, "0");
    EXPECT_EQ(from->EditText(), QStringLiteral("0_/__/____"));
    QTest::keyClicks(from, "3012026");
    EXPECT_EQ(from->EditText(), QStringLiteral("03/01/2026"));
}

// The main window's commands show the two windows made at start-up.
TEST_F(FilterLegendTest, TheCommandsShowTheWindowsOnTheirPages) {
    ShowWindow();
    const auto filter = std::make_unique<TFrmFilter>();
    const auto legend = std::make_unique<TFrmLegend>();
    const auto choose = [](TMenuItem* item) { item->Action()->trigger(); };

    choose(window->MnuFilterOptions);
    EXPECT_TRUE(filter->isVisible());
    EXPECT_TRUE(window->MnuFilterOptions->Checked());
    choose(window->MnuFilterOptions);
    EXPECT_FALSE(filter->isVisible());

    legend->PageControl1->SetActivePage(legend->TabSetup);
    choose(window->MnuViewLegend);
    EXPECT_TRUE(legend->isVisible());
    EXPECT_EQ(legend->Caption(), QStringLiteral("Color Legend"));
    EXPECT_EQ(legend->PageControl1->ActivePage(), legend->TabLegend);
    EXPECT_FALSE(legend->TabLegend->TabVisible());
    choose(window->MnuViewLegend);
    EXPECT_FALSE(legend->isVisible());
    EXPECT_FALSE(window->MnuViewLegend->Checked());

    // The preferences: a start day and a column width, kept by Apply.
    QString caption;
    QTimer::singleShot(0, [&] {
        caption = legend->Caption();
        EXPECT_TRUE(legend->Modal());
        EXPECT_EQ(legend->PageControl1->ActivePage(), legend->TabSetup);
        QTest::mouseClick(legend->RbStartDay->Button(1), Qt::LeftButton);
        legend->EdtGridSize->setFocus();
        legend->EdtGridSize->selectAll();
        QTest::keyClicks(legend->EdtGridSize, "14");
        QTest::mouseClick(legend->BtnUpdate2, Qt::LeftButton);
        QTest::mouseClick(legend->BtnClose2, Qt::LeftButton);
    });
    choose(window->Preferences1);
    EXPECT_EQ(caption, QStringLiteral("Application Preferences"));
    EXPECT_FALSE(legend->isVisible());
    EXPECT_EQ(ReportColumnWidth, 14);
    adm1->TblConfig->Refresh();
    EXPECT_EQ(adm1->TblConfig->FieldByName(QStringLiteral("GridSize1"))->AsInteger(), 14);
    EXPECT_EQ(adm1->TblConfig->FieldByName(QStringLiteral("StartDayOfWeek"))->AsString(), QStringLiteral("1"));
}

// The legend is kept on top; the box refusing the preferences while it is
// open must not open hidden behind it, and the main window has the keyboard
// again afterwards. A legend the user minimised comes back when shown again.
TEST_F(FilterLegendTest, TheRefusalBoxOpensAboveTheLegendAndAMinimisedLegendComesBack) {
    ShowWindow();
    const auto legend = std::make_unique<TFrmLegend>();
    window->MnuViewLegend->Action()->trigger();
    ASSERT_TRUE(legend->isVisible());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    SetPresenter(&Application->QtPresenter());
    QString text;
    bool keptOnTop = false, hasKeyboard = false;
    // The command runs from the event loop, as a click on the menu does, so
    // that the application's handler shows what it raises.
    QTimer::singleShot(0, window.get(), [&] {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            text = box->text();
            keptOnTop = box->windowFlags() & Qt::WindowStaysOnTopHint;
            hasKeyboard = QTest::qWaitForWindowActive(box);
            box->buttons().first()->click();
        });
        window->Preferences1->Action()->trigger();
    });
    for (int i = 0; i < 100 && text.isEmpty(); ++i)
        QTest::qWait(10);
    SetPresenter(&presenter);
    EXPECT_EQ(text, QStringLiteral("Cannot make a visible window modal"));
    EXPECT_TRUE(keptOnTop) << "the box opened under the legend";
    EXPECT_TRUE(hasKeyboard);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(legend->isVisible());

    // Minimised, switched off and on again: it is there to be seen.
    legend->showMinimized();
    window->MnuViewLegend->Action()->trigger();
    EXPECT_FALSE(legend->isVisible());
    window->MnuViewLegend->Action()->trigger();
    EXPECT_TRUE(legend->isVisible());
    EXPECT_FALSE(legend->isMinimized());
    EXPECT_TRUE(QTest::qWaitForWindowActive(legend.get()));
}

}  // namespace

// The filter window is kept on top: its calendars must open above it, under
// the date edit that opened them, and write the date picked there.
TEST_F(FilterLegendTest, TheFiltersCalendarsOpenAboveTheWindowKeptOnTop) {
    ShowWindow();
    const auto filter = std::make_unique<TFrmFilter>();
    filter->Show();
    filter->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(filter.get()));
    QTest::mouseClick(filter->CbActive, Qt::LeftButton, {}, QPoint(8, 9));
    ASSERT_TRUE(filter->windowFlags() & Qt::WindowStaysOnTopHint);

    const auto checkAbove = [&](TForm* popUp, TVrDateEdit* dateEdit) {
        ASSERT_NE(popUp, nullptr);
        EXPECT_TRUE(popUp->windowFlags() & Qt::WindowStaysOnTopHint);
        ASSERT_NE(popUp->windowHandle(), nullptr);
        EXPECT_EQ(popUp->windowHandle()->transientParent(), filter->windowHandle());
        EXPECT_EQ(popUp->pos(), dateEdit->mapToGlobal(QPoint(0, dateEdit->height())));
        popUp->SetModalResult(mrCancel);
    };
    bool checked = false;
    QTimer::singleShot(0, [&] {
        checkAbove(CalMonthform, filter->DBEdFrom);
        checked = true;
    });
    QTest::mouseClick(filter->DBEdFrom->MonthButton(), Qt::LeftButton);
    EXPECT_TRUE(checked);

    // The window manager gives the activation back to the filter window.
    filter->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(filter.get()));
    checked = false;
    QTimer::singleShot(0, [&] {
        checkAbove(CalYearForm, filter->DBEdTo);
        checked = true;
    });
    QTest::mouseClick(filter->DBEdTo->YearButton(), Qt::LeftButton);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(filter->isVisible());
}
