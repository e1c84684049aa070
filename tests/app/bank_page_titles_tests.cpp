// The transaction pages' column titles: shown before any account is chosen,
// and whole, with room to their borders, in the face the grids draw in.
#include "tests/app/main_window_fixture.h"

namespace {

class BankPageTitlesTest : public MainWindowTest {};

// Pixels of a cell, inside its edges, as dark as text.
int DarkPixels(const QImage& image, TwwDBGrid* grid, int col, int row)
{
    const QRect cell = grid->CellRect(col, row).adjusted(3, 3, -3, -3);
    int dark = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            dark += QColor::fromRgb(image.pixel(x, y)).lightness() < 100;
    return dark;
}

TEST_F(BankPageTitlesTest, TheClosedBankGridStillShowsItsColumnTitles)
{
    ShowWindow();
    ASSERT_FALSE(adm1->TblTranBank1->Active());
    TwwDBGrid* grid = window->wwDBGrid14;
    const QImage image = GrabGrid(grid);
    for (int col = 1; col <= 4; ++col)
        EXPECT_GT(DarkPixels(image, grid, col, 0), 0) << "column " << col;
}

TEST_F(BankPageTitlesTest, EveryPagesTitlesFitTheirColumnsInTheGridsFace)
{
    constexpr int Margins = 2 * 3;
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    for (const TTransactionPage& page : window->TransactionPages()) {
        TwwDBGrid* grid = page.Grid;
        const QFontMetrics titleFace(grid->TitleFont().Font());
        for (int col = grid->IndicatorOffset(); col < grid->ColCount(); ++col) {
            const TField* field = grid->GetColField(col - grid->IndicatorOffset());
            if (!field)
                continue;
            EXPECT_LE(titleFace.horizontalAdvance(field->DisplayLabel()) + Margins, grid->ColWidths(col))
                << qPrintable(grid->objectName() + QLatin1Char(' ') + field->DisplayLabel());
        }
    }
}

}  // namespace
