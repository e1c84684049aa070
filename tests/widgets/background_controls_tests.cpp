#include "widgets/net_gradient.h"
#include "widgets/tiled_bitmap.h"
#include "tests/ui/test_application.h"
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QColor PanelYellow(255, 255, 0);

QColor At(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

// A panel of plain yellow, so that whatever a control leaves unpainted shows.
class BackgroundTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        panel.resize(220, 120);
        panel.setAutoFillBackground(true);
        QPalette colours = panel.palette();
        colours.setColor(QPalette::Window, PanelYellow);
        panel.setPalette(colours);
    }
    QImage Grab() { return panel.grab().toImage(); }

    QWidget panel;
};

// 65 x 65 of red with a blue top-left and a green bottom-right pixel: the
// corners show where each copy lies.
QPixmap MarkedPicture()
{
    QImage picture(65, 65, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setPixelColor(0, 0, Qt::blue);
    picture.setPixelColor(64, 64, Qt::green);
    return QPixmap::fromImage(picture);
}

} // namespace

TEST_F(BackgroundTest, PictureIsTiledFromTheCornerAndCutAtTheEdges)
{
    // A control made before the background stays in front of it.
    QWidget button(&panel);
    button.setGeometry(150, 40, 20, 10);
    button.setAutoFillBackground(true);
    QPalette black = button.palette();
    black.setColor(QPalette::Window, Qt::black);
    button.setPalette(black);

    TTiledBitmap tiled(&panel);
    EXPECT_EQ(tiled.size(), QSize(65, 65));
    tiled.setGeometry(0, 0, 200, 100);
    tiled.SetBitMap(MarkedPicture());
    const QImage shot = Grab();

    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 2; ++row)
            EXPECT_EQ(At(shot, column * 65, row * 65), QColor(Qt::blue)) << column << "," << row;
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(At(shot, column * 65 + 64, 64), QColor(Qt::green)) << column;
    // The fourth column and the second row are cut off at 200 x 100.
    EXPECT_EQ(At(shot, 199, 99), QColor(Qt::red));
    EXPECT_EQ(At(shot, 200, 99), PanelYellow);
    EXPECT_EQ(At(shot, 199, 100), PanelYellow);
    EXPECT_EQ(At(shot, 155, 45), QColor(Qt::black));
    shot.save(QStringLiteral("/tmp/quelt_tiled_bitmap.png"));
}

TEST_F(BackgroundTest, EmptyPictureLeavesTheBackgroundAsItIs)
{
    TTiledBitmap tiled(&panel);
    tiled.setGeometry(0, 0, 200, 100);
    tiled.SetBitMap(MarkedPicture());
    tiled.SetBitMap(QPixmap());   // a resource library without the picture
    const QImage shot = Grab();
    EXPECT_EQ(At(shot, 0, 0), PanelYellow);
    EXPECT_EQ(At(shot, 100, 50), PanelYellow);
}

TEST_F(BackgroundTest, GradientRunsThroughEveryBandFromBeginToEnd)
{
    TNetGradient gradient(&panel);
    EXPECT_EQ(gradient.size(), QSize(400, 25));
    EXPECT_EQ(gradient.Caption(), QStringLiteral("TNetGradient"));
    gradient.SetCaption(QString());
    gradient.SetBeginColor(Qt::black);
    gradient.SetEndColor(Qt::white);
    const QImage shot = gradient.grab().toImage();

    EXPECT_EQ(At(shot, 0, 12), QColor(Qt::black));
    EXPECT_EQ(At(shot, 399, 12), QColor(Qt::white));
    // x = 200 falls in band 127 of 255 (pixels 199..200), whose grey is
    // 127 * 255 / 254 rounded: 128.
    EXPECT_EQ(At(shot, 200, 12), QColor(128, 128, 128));
    int previous = 0;
    for (int x = 0; x < 400; ++x) {
        const QColor colour = At(shot, x, 12);
        ASSERT_TRUE(colour.red() == colour.green() && colour.green() == colour.blue()) << x;
        ASSERT_GE(colour.red(), previous) << x;
        ASSERT_EQ(At(shot, x, 0), colour) << x;
        ASSERT_EQ(At(shot, x, 24), colour) << x;
        previous = colour.red();
    }

    gradient.SetFillDirection(TFillDirection::fdRightToLeft);
    gradient.SetNumberOfColors(2);   // each half in one colour, the end colour first
    const QImage reversed = gradient.grab().toImage();
    EXPECT_EQ(At(reversed, 199, 10), QColor(Qt::white));
    EXPECT_EQ(At(reversed, 200, 10), QColor(Qt::black));
    gradient.SetNumberOfColors(1);
    EXPECT_EQ(At(gradient.grab().toImage(), 399, 10), QColor(Qt::white));
}

TEST_F(BackgroundTest, CaptionIsWrittenAtItsPlaceInTheFontColour)
{
    const QColor teal(0, 128, 128), aqua(0, 255, 255);
    TNetGradient header(&panel);
    header.SetBeginColor(teal);
    header.SetEndColor(QColor(0xF0, 0xF0, 0xF0));
    header.SetFontColor(aqua);
    header.SetCaption(QStringLiteral("Bank Names"));
    EXPECT_TRUE(header.font().bold());
    const QImage shot = header.grab().toImage();
    shot.save(QStringLiteral("/tmp/quelt_net_gradient.png"));

    const auto isAqua = [](const QColor& c) { return c.red() < 80 && c.green() > 200 && c.blue() > 200; };
    const QFontMetrics metrics(header.font());
    const QRect caption(12, 5, metrics.horizontalAdvance(QStringLiteral("Bank Names")), metrics.height());
    int inside = 0, outside = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (isAqua(At(shot, x, y)))
                ++(caption.contains(x, y) ? inside : outside);
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(At(shot, 0, 2), teal);
}
