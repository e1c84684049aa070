// The report page through the real window: each report of the list built,
// labelled and coloured, title clicks, the rebuild before a report when the
// summaries are out of date, and a builder's failure.
#include "tests/app/reports_window_fixture.h"
#include "app/grid_colours.h"
#include "dataset/ww_data_source.h"
#include "grid/ww_db_grid.h"

namespace {

const QColor Green(0x00, 0x80, 0x00);
const QColor LightYellow(0xFF, 0xFF, 0xC0);
const QColor White(0xFF, 0xFF, 0xFF);

bool HasPixel(const QImage& image, const QRect& rect, const QColor& colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

} // namespace

class ReportPageTest : public ReportsWindowTest {
protected:
    TwwDBGrid* Grid() { return Reports().DBGrid1; }
    int ColumnOf(const QString& field)
    {
        for (int col = Grid()->IndicatorOffset(); col < Grid()->ColCount(); ++col)
            if (TField* shown = Grid()->GetColField(col - Grid()->IndicatorOffset());
                shown && shown->FieldName().compare(field, Qt::CaseInsensitive) == 0)
                return col;
        return -1;
    }
    QString Value(const char* field) { return adm3->TblProc->FieldByName(QLatin1String(field))->AsString(); }
};

TEST_F(ReportPageTest, ACrossTabReportRebuildsFirstThenShowsItsMonthsTotalsColoursAndSorts)
{
    ASSERT_TRUE(DataUpdated());
    EXPECT_EQ(Reports().CbReportItems->count(), 10);
    EXPECT_EQ(Reports().CbReportItems->itemText(7), QStringLiteral("Overall Comparasion Summary "));
    EXPECT_EQ(Reports().CbReportItems->itemText(9), QString());
    presenter.progressPositions.clear();

    RunReport(0);

    // The summaries were rebuilt first and are up to date now; the chart took the new years.
    EXPECT_FALSE(DataUpdated());
    EXPECT_EQ(Chart().UpDownYear->Min(), 2025);
    EXPECT_EQ(Chart().UpDownYear->Max(), 2026);
    // The bar was left full by the build and hidden by the page.
    ASSERT_FALSE(presenter.progressPositions.empty());
    EXPECT_EQ(presenter.progressPositions.back(), presenter.progressMax);
    EXPECT_FALSE(window->ProgressBar1->isVisible());
    EXPECT_FALSE(presenter.hourglass);
    EXPECT_TRUE(presenter.errors.empty());

    ASSERT_EQ(Grid()->DataSource(), adm3->DsReports);
    EXPECT_EQ(adm3->TblProc->TableName(), QStringLiteral("TempBnk1"));
    const QStringList months = {"Nov-2025", "Dec-2025", "Jan-2026", "Feb-2026", "Mar-2026"};
    EXPECT_EQ(Lines(*adm1->ColumnCaptions), months);
    const QString width = QString::number(ReportColumnWidth);
    QStringList expected = {"Bank Account Name|20", "Item Description|20"};
    for (const QString& month : months)
        expected << month + QLatin1Char('|') + width;
    expected << QStringLiteral("Total|%1").arg(ReportColumnWidth + 2);
    EXPECT_EQ(ShownColumns(), expected);

    // Rows alternate white and light yellow; the total column and the grand
    // total row (the last) are green with white text.
    const int rows = adm3->TblProc->RecordCount();
    ASSERT_GE(rows, 4);
    QImage image = GrabGrid(Grid());
    const int nameCol = ColumnOf(QStringLiteral("KeyField1Desc"));
    const int totalCol = ColumnOf(QStringLiteral("Total1"));
    ASSERT_GT(totalCol, 0);
    EXPECT_EQ(CellColour(image, Grid(), nameCol + 1, 1), White);
    EXPECT_EQ(CellColour(image, Grid(), nameCol + 1, 2), LightYellow);
    EXPECT_EQ(CellColour(image, Grid(), nameCol + 1, 3), White);
    EXPECT_EQ(CellColour(image, Grid(), totalCol, 2), Green);
    EXPECT_TRUE(HasPixel(image, Grid()->CellRect(totalCol, 2), White)) << "white figures on green";
    EXPECT_EQ(CellColour(image, Grid(), nameCol, rows), Green);
    EXPECT_TRUE(HasPixel(image, Grid()->CellRect(nameCol, rows), White));
    SaveGrab(window.get(), QStringLiteral("report_crosstab"));

    // A title click on a month sorts by it, ascending, and colours its title.
    const int febCol = ColumnOf(QStringLiteral("col3"));
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->CellRect(febCol, 0).center());
    EXPECT_EQ(adm3->TblProc->IndexName(), QStringLiteral("ByCol3"));
    std::vector<double> february;
    for (adm3->TblProc->First(); !adm3->TblProc->Eof(); adm3->TblProc->Next())
        february.push_back(adm3->TblProc->FieldByName(QStringLiteral("col3"))->AsFloat());
    EXPECT_TRUE(std::is_sorted(february.begin(), february.end()));
    adm3->TblProc->First();
    image = GrabGrid(Grid());
    EXPECT_EQ(CellColour(image, Grid(), febCol, 0), ToQColor(GridColorASort));
    EXPECT_NE(CellColour(image, Grid(), febCol + 1, 0), ToQColor(GridColorASort));

    // The account name title sorts by the account.
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->CellRect(nameCol, 0).center());
    EXPECT_EQ(adm3->TblProc->IndexName(), QStringLiteral("ByKeyField1"));
    EXPECT_EQ(CellColour(GrabGrid(Grid()), Grid(), nameCol, 0), ToQColor(GridColorASort));
}

TEST_F(ReportPageTest, EachCrossTabTakesItsCaptionsAndModeOneHidesTheSecondName)
{
    struct TExpected {
        int Index;
        const char* Table;
        const char* Key1Caption;
        int Key1Width;   // the designed 20 characters, widened where the bold title is wider
        bool SecondNameShown;
        QStringList Months;
    };
    const QStringList bankMonths = {"Nov-2025", "Dec-2025", "Jan-2026", "Feb-2026", "Mar-2026"};
    const std::vector<TExpected> reports = {
        {1, "TempBnk1", "Bank Account Name", 20, false, bankMonths},
        {2, "TempBnk1", "Bank Item Name", 20, false, bankMonths},
        {3, "TempTel1", "Communication Account Name", 28, true, {"Dec-2025", "Feb-2026"}},
        {4, "TempTel1", "Communication Account Name", 28, false, {"Dec-2025", "Feb-2026"}},
        {5, "TempInc1", "Income Account Name", 21, false, {"Nov-2025", "Feb-2026", "Mar-2026"}},
        {6, "TempExp1", "Expense Account Name", 22, false, {"Dec-2025", "Feb-2026"}},
    };
    for (const TExpected& report : reports) {
        SCOPED_TRACE(report.Index);
        RunReport(report.Index);
        EXPECT_EQ(adm3->TblProc->TableName(), QLatin1String(report.Table));
        EXPECT_EQ(adm1->CrossTabMode, report.SecondNameShown ? 2 : 1);
        QStringList expected = {QStringLiteral("%1|%2").arg(QLatin1String(report.Key1Caption)).arg(report.Key1Width)};
        if (report.SecondNameShown)
            expected << QStringLiteral("Item Description|20");
        for (const QString& month : report.Months)
            expected << month + QStringLiteral("|%1").arg(ReportColumnWidth);
        expected << QStringLiteral("Total|%1").arg(ReportColumnWidth + 2);
        EXPECT_EQ(ShownColumns(), expected);
    }
    // The income and expense reports leave the second title as it was.
    EXPECT_EQ(adm1->Key2Caption, QStringLiteral("Item Description"));
    EXPECT_TRUE(presenter.errors.empty());
}

TEST_F(ReportPageTest, MonthReportsShowTheirColumnsKeepTheirOrderAndColourTheirTotals)
{
    RunReport(7);
    EXPECT_EQ(adm3->TblProc->TableName(), QStringLiteral("TempCom1"));
    // The designed 8 characters, widened where the bold title is wider.
    EXPECT_EQ(ShownColumns(), QStringList({"Month/Year|15", "Income|8", "Bank Tran|10", "Expense|8",
                                           "Communications|16", "Bank-Total|10", "Bank-Diff|9", "Total4|10"}));
    const int monthCol = ColumnOf(QStringLiteral("KeyField1Desc"));
    const int bankTotalCol = ColumnOf(QStringLiteral("Total2"));
    QImage image = GrabGrid(Grid());
    EXPECT_EQ(CellColour(image, Grid(), bankTotalCol, 1), Green);
    EXPECT_EQ(CellColour(image, Grid(), monthCol, 1), White);
    EXPECT_EQ(CellColour(image, Grid(), monthCol, 2), LightYellow);
    EXPECT_EQ(Value("KeyField1Desc"), QStringLiteral("Nov-2025"));
    SaveGrab(window.get(), QStringLiteral("report_comparison"));

    // Its titles neither sort nor colour.
    const auto titles = [this] {
        const QImage image = GrabGrid(Grid());
        return image.copy(0, 0, image.width(), Grid()->CellRect(0, 0).bottom());
    };
    const QImage before = titles();
    const QString index = adm3->TblProc->IndexName(), fields = adm3->TblProc->IndexFieldNames();
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->CellRect(bankTotalCol, 0).center());
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->CellRect(monthCol, 0).center());
    EXPECT_EQ(adm3->TblProc->IndexName(), index);
    EXPECT_EQ(adm3->TblProc->IndexFieldNames(), fields);
    EXPECT_EQ(Value("KeyField1Desc"), QStringLiteral("Nov-2025"));
    EXPECT_EQ(titles(), before);

    // The bank balances: a column per account under its name.
    RunReport(8);
    EXPECT_EQ(adm3->TblProc->TableName(), QStringLiteral("TempBank1"));
    const QString width = QString::number(ReportColumnWidth);
    EXPECT_EQ(Lines(*adm1->BankColumnCaptions), QStringList({"Household", "Savings"}));
    const QStringList columns = ShownColumns();
    EXPECT_EQ(columns.first(), QStringLiteral("Month/Year|15"));
    EXPECT_TRUE(columns.contains(QStringLiteral("Household|") + width)) << qPrintable(columns.join(QLatin1Char(',')));
    EXPECT_TRUE(columns.contains(QStringLiteral("Savings|") + width));
    EXPECT_TRUE(columns.contains(QStringLiteral("Total|8")));
    image = GrabGrid(Grid());
    EXPECT_EQ(CellColour(image, Grid(), ColumnOf(QStringLiteral("Total1")), 1), Green);
    EXPECT_EQ(CellColour(image, Grid(), ColumnOf(QStringLiteral("KeyField1Desc")), 2), LightYellow);
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->CellRect(ColumnOf("col0"), 0).center());
    EXPECT_EQ(adm3->TblProc->IndexName(), QString());
    EXPECT_TRUE(presenter.errors.empty());
}

TEST_F(ReportPageTest, TheEmptyEntryShowsTheLastReportAgainAndNothingBeforeOne)
{
    RunReport(9);
    EXPECT_EQ(Grid()->DataSource(), nullptr);
    EXPECT_FALSE(adm3->TblProc->Active());
    EXPECT_TRUE(DataUpdated()) << "nothing ran, not even the rebuild";
    EXPECT_TRUE(presenter.errors.empty());

    RunReport(5);
    // The grid was sorted by a month; the empty entry binds it again as it stands.
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->CellRect(ColumnOf("col1"), 0).center());
    Reports().CbReportItems->setCurrentIndex(9);
    QTest::mouseClick(Reports().SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(Grid()->DataSource(), adm3->DsReports);
    EXPECT_EQ(adm3->TblProc->TableName(), QStringLiteral("TempInc1"));
    EXPECT_EQ(ShownColumns().first(), QStringLiteral("Income Account Name|21"));
    EXPECT_EQ(adm3->TblProc->IndexName(), QStringLiteral("ByCol1"));

    // After a month-row report it comes back with that report's columns.
    RunReport(8);
    const QStringList balances = ShownColumns();
    RunReport(9);
    EXPECT_EQ(ShownColumns(), balances);
    EXPECT_TRUE(presenter.errors.empty());
}

TEST_F(ReportPageTest, ABuildersErrorIsShownOnceAndTheLastReportStays)
{
    RunReport(5);
    ASSERT_EQ(adm3->TblProc->TableName(), QStringLiteral("TempInc1"));
    const QStringList columns = ShownColumns();
    // The bank summary is gone: the bank reports cannot be built.
    Db().Execute(QStringLiteral("drop table MthBnk1a"));
    presenter.progressPositions.clear();

    RunReport(0);

    ASSERT_EQ(presenter.errors.size(), 1u);
    EXPECT_FALSE(window->ProgressBar1->isVisible());
    EXPECT_FALSE(presenter.hourglass);
    ASSERT_FALSE(presenter.progressPositions.empty());
    EXPECT_EQ(presenter.progressPositions.back(), 0);
    EXPECT_EQ(Grid()->DataSource(), adm3->DsReports);
    ASSERT_TRUE(adm3->TblProc->Active());
    EXPECT_EQ(adm3->TblProc->TableName(), QStringLiteral("TempInc1"));
    EXPECT_EQ(ShownColumns(), columns);
    EXPECT_EQ(Value("KeyField1Desc"), QStringLiteral("Wages"));
    EXPECT_EQ(CellColour(GrabGrid(Grid()), Grid(), ColumnOf(QStringLiteral("Total1")), 1), Green);

    // A rebuild that fails keeps the summaries marked out of date.
    adm1->SetDataUpdated(true);
    RunReport(6);
    EXPECT_EQ(presenter.errors.size(), 2u);
    EXPECT_TRUE(DataUpdated());
    EXPECT_FALSE(window->ProgressBar1->isVisible());
    EXPECT_FALSE(presenter.hourglass);
    EXPECT_EQ(adm3->TblProc->TableName(), QStringLiteral("TempInc1"));
}

// Every title of every report stands whole in its column in the grid's bold
// title face, with the grid's margin of 3 pixels on either side of the text,
// so that none loses its last letter or touches the border.
TEST_F(ReportPageTest, EveryReportTitleFitsItsColumnInTheGridsFace)
{
    constexpr int Margins = 2 * 3;
    const QFontMetrics titleFace(Grid()->TitleFont().Font());
    for (int report = 0; report <= 8; ++report) {
        SCOPED_TRACE(report);
        RunReport(report);
        int titles = 0;
        for (int col = Grid()->IndicatorOffset(); col < Grid()->ColCount(); ++col) {
            const TField* field = Grid()->GetColField(col - Grid()->IndicatorOffset());
            if (!field)
                continue;
            ++titles;
            EXPECT_LE(titleFace.horizontalAdvance(field->DisplayLabel()) + Margins, Grid()->ColWidths(col))
                << qPrintable(field->DisplayLabel());
        }
        EXPECT_GE(titles, 3);
    }
    SaveGrab(window.get(), QStringLiteral("report_titles"));
    EXPECT_TRUE(presenter.errors.empty());
}
