// What the grid paints: the indicator pictures, the colours the windows give
// rows and titles, and the title buttons.
#include "grid/word_wrap.h"
#include "tests/grid/grid_fixture.h"
#include <QBuffer>
#include <QScreen>
#include <QtEndian>

namespace {

// Pixels of Color inside Rect (its one-pixel edge left out).
int CountPixels(const QImage& image, const QRect& rect, const QColor& color)
{
    int count = 0;
    for (int y = rect.top() + 1; y < rect.bottom(); ++y)
        for (int x = rect.left() + 1; x < rect.right(); ++x)
            count += image.pixelColor(x, y) == color;
    return count;
}

int OpaquePixels(const QImage& picture)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) count += qAlpha(picture.pixel(x, y)) > 0;
    return count;
}

} // namespace

TEST_F(GridTest, IndicatorShowsTheCurrentEditAndInsertPictures)
{
    ShowGrid({"Code\t4\tCode", "Descr\t20\tDescription"});
    const auto marks = [&](int row, const QColor& color) { return CountPixels(Grab(), grid->CellRect(0, row), color); };
    const int arrow = OpaquePixels(IndicatorPicture(TIndicatorPicture::Arrow, icBlack));
    const int edit = OpaquePixels(IndicatorPicture(TIndicatorPicture::Edit, icBlack));
    const int insert = OpaquePixels(IndicatorPicture(TIndicatorPicture::Insert, icBlack));
    ASSERT_TRUE(arrow != edit && edit != insert && arrow != insert);

    Key(Qt::Key_Down);
    EXPECT_EQ(marks(2, Qt::black), arrow);
    EXPECT_EQ(marks(1, Qt::black), 0);
    Type(QStringLiteral("x"));
    ASSERT_EQ(table->State(), dsEdit);
    QApplication::processEvents();
    EXPECT_EQ(marks(2, Qt::black), edit);
    Key(Qt::Key_Escape);
    Key(Qt::Key_Escape);
    ASSERT_EQ(table->State(), dsBrowse);
    Key(Qt::Key_Insert);
    ASSERT_EQ(table->State(), dsInsert);
    QApplication::processEvents();
    EXPECT_EQ(marks(2, Qt::black), insert);
    EXPECT_EQ(marks(3, Qt::black), 0);

    grid->SetIndicatorColor(icYellow);
    QApplication::processEvents();
    EXPECT_EQ(marks(2, Qt::yellow), insert);
    EXPECT_EQ(marks(2, Qt::black), 0);
}

TEST_F(GridTest, WindowsColourRowsAndTitlesThroughTheirEvents)
{
    const TColor posted = RGB(255, 255, 160);
    grid->OnCalcCellColors = [&](QObject*, TField*, TGridDrawState, bool highlight, TFont&, TBrush& brush) {
        if (!highlight && table->FieldByName("Posted")->AsString() == QStringLiteral("T")) brush.Color = posted;
    };
    grid->OnCalcTitleAttributes = [](QObject*, const QString& field, TFont&, TBrush& brush, TAlignment&) {
        if (field == QStringLiteral("Amount")) brush.Color = clAqua;
    };
    ShowGrid({"Code\t4\tCode", "Descr\t20\tDescription", "Amount\t10\tAmount"});
    const QImage image = Grab();
    const auto background = [&](int col, int row) {
        const QRect cell = grid->CellRect(col, row);
        return image.pixel(cell.right() - 3, cell.center().y());
    };
    // Record 1 is not posted, record 2 is: every cell of its row shows it.
    EXPECT_EQ(background(2, 1), ToQColor(clWindow).rgb());
    EXPECT_EQ(background(1, 2), ToQColor(posted).rgb());
    EXPECT_EQ(background(2, 2), ToQColor(posted).rgb());
    EXPECT_EQ(background(2, 3), ToQColor(clWindow).rgb());
    EXPECT_EQ(background(3, 0), ToQColor(clAqua).rgb());
    EXPECT_EQ(background(2, 0), ToQColor(clBtnFace).rgb());

    // A frozen column takes the title colour and stays when the others scroll.
    grid->SetFixedCols(1);
    grid->resize(160, 200);
    QApplication::processEvents();
    EXPECT_EQ(grid->TCustomGrid::FixedCols(), 2);
    EXPECT_EQ(Grab().pixel(grid->CellRect(1, 1).right() - 2, grid->CellRect(1, 1).center().y()),
              ToQColor(clBtnFace).rgb());
    Key(Qt::Key_End);
    EXPECT_GT(grid->LeftCol(), 2);
    EXPECT_FALSE(grid->CellRect(1, 1).isEmpty());
}

TEST_F(GridTest, CheckBoxCellsAndWrappedText)
{
    table->ControlType()->Add(QStringLiteral("Posted;CheckBox;T;F"));
    grid->SetRowHeightPercent(250);
    ShowGrid({"Code\t4\tCode", "Descr\t3\tD", "Posted\t3\tP"});
    const QImage image = Grab();
    const auto dark = [&](int col, int row, bool lowerHalf) {
        QRect cell = grid->CellRect(col, row);
        cell.setTop(lowerHalf ? cell.center().y() : cell.top());
        cell.setBottom(lowerHalf ? cell.bottom() : cell.center().y());
        return CountPixels(image, cell, Qt::black) + CountPixels(image, cell, ToQColor(clWindowText));
    };
    // Record 2 is posted: its box is ticked; record 1's is empty.
    EXPECT_GT(dark(3, 2, false) + dark(3, 2, true), dark(3, 1, false) + dark(3, 1, true) + 10);
    // "Item 1" is wider than three characters: its second word goes below.
    EXPECT_GT(dark(2, 1, false), 0);
    EXPECT_GT(dark(2, 1, true), 0);
    EXPECT_EQ(dark(1, 1, true), 0);
}

TEST_F(GridTest, TitleButtonsPressReleaseAndClickOnlyWithinTheirColumn)
{
    grid->SetTitleButtons(true);
    QStringList clicked;
    grid->OnTitleButtonClick = [&](QObject*, const QString& field) { clicked << field; };
    ShowGrid({"Code\t4\tCode", "Descr\t20\tDescription", "Amount\t10\tAmount"});
    const QRect title = grid->CellRect(2, 0);
    const auto topLeftEdge = [&] { return Grab().pixel(title.left(), title.top() + 3); };
    // The top-left corner of the title's text.
    const auto textCorner = [&] {
        const QImage picture = Grab();
        QPoint corner(title.right(), title.bottom());
        for (int y = title.top() + 2; y < title.bottom() - 1; ++y)
            for (int x = title.left() + 2; x < title.right() - 1; ++x)
                if (picture.pixelColor(x, y) == Qt::black)
                    corner = QPoint(std::min(corner.x(), x), std::min(corner.y(), y));
        return corner;
    };
    const QPoint raisedText = textCorner();

    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, title.center());
    EXPECT_EQ(topLeftEdge(), ToQColor(clBtnShadow).rgb());   // sunken while held
    EXPECT_EQ(textCorner(), raisedText + QPoint(1, 1));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, title.center() + QPoint(5, 2));
    EXPECT_EQ(topLeftEdge(), ToQColor(clBtnHighlight).rgb());
    EXPECT_EQ(clicked, QStringList{QStringLiteral("Descr")});

    // Released below the title, or over another title, it is no click.
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, title.center());
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, CellCentre(2, 2));
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, title.center());
    QTest::mouseMove(grid->viewport(), CellCentre(3, 0));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, CellCentre(3, 0));
    EXPECT_EQ(clicked.size(), 1);
    EXPECT_EQ(topLeftEdge(), ToQColor(clBtnHighlight).rgb());

    // A title without a field is no button.
    grid->Selected().Clear();
    grid->LayoutChanged();
    ASSERT_EQ(grid->ColCount(), 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(1, 0));
    EXPECT_EQ(clicked.size(), 1);
}

TEST_F(GridTest, PictureCellsShowTheBlobsPicture)
{
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    red.save(&buffer, "PNG");
    // Record 1 holds the picture after a stored picture's header, record 2 as it stands.
    QByteArray stored(8, '\0');
    qToLittleEndian<quint16>(1, stored.data());
    qToLittleEndian<quint16>(256, stored.data() + 2);
    qToLittleEndian<quint32>(quint32(png.size()), stored.data() + 4);
    table->Open();
    for (const QByteArray& blob : {stored + png, png}) {
        table->Edit();
        table->FieldByName("Picture")->SetValue(blob);
        table->Post();
        table->Next();
    }
    table->First();
    table->ControlType()->Add(QStringLiteral("Picture;Bitmap;Stretch To Fit;Not Source Copy"));
    grid->SetRowHeightPercent(200);
    ShowGrid({"Code\t4\tCode", "Picture\t6\tPicture"});
    const QImage image = Grab();
    const auto centre = [&](int row) { return image.pixel(grid->CellRect(2, row).center()); };
    EXPECT_EQ(centre(1), qRgb(0, 255, 255));   // red, not copied
    EXPECT_EQ(centre(2), qRgb(0, 255, 255));
    EXPECT_EQ(centre(3), ToQColor(clWindow).rgb());
    Key(Qt::Key_Right);
    Type(QStringLiteral("x"));
    EXPECT_EQ(table->State(), dsBrowse);   // no editor over a picture
}

TEST_F(GridTest, RowsScrolledOnScreenMatchAFreshPaint)
{
    grid->OnCalcCellColors = [&](QObject*, TField*, TGridDrawState, bool highlight, TFont& font, TBrush& brush) {
        if (!highlight && table->FieldByName("Posted")->AsString() == QStringLiteral("T")) {
            brush.Color = RGB(255, 255, 160);
            font.SetColor(clNavy);
        }
    };
    ShowGrid({"Code\t4\tCode", "Descr\t20\tDescription", "Amount\t10\tAmount"});
    const auto screen = [&] { return form->screen()->grabWindow(form->winId()).toImage(); };
    // Down past the last row, a page down, and back up past the first row.
    for (int i = 0; i < grid->VisibleRowCount() + 3; ++i) {
        Key(Qt::Key_Down);
        QApplication::processEvents();
    }
    Key(Qt::Key_PageDown);
    QApplication::processEvents();
    for (int i = 0; i < grid->VisibleRowCount() + 2; ++i) {
        Key(Qt::Key_Up);
        QApplication::processEvents();
    }
    const QImage scrolled = screen();
    grid->viewport()->update();
    QApplication::processEvents();
    EXPECT_EQ(scrolled, screen());
}

TEST(WordWrap, WordsFillLinesAndBreaksEndThem)
{
    const auto chars = [](const QString& text) { return int(text.size()); };
    EXPECT_EQ(WrapText(QStringLiteral("one two three"), 7, chars), (QStringList{"one two ", "three"}));
    // CR LF and LF CR count once; a word wider than the line stands alone.
    EXPECT_EQ(WrapText(QStringLiteral("ab\r\ncd\n\ref\rlongerword x"), 5, chars),
              (QStringList{"ab", "cd", "ef", "longerword ", "x"}));
    EXPECT_EQ(WrapText(QStringLiteral("a\n\nb"), 5, chars), (QStringList{"a", "", "b"}));
    EXPECT_EQ(WrapText(QStringLiteral("  lead\tx"), 20, chars), (QStringList{"  lead\tx"}));
    EXPECT_EQ(WrapText(QString(), 5, chars), QStringList{QString()});
}
