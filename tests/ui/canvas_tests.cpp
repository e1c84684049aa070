#include "platform/ui/canvas.h"
#include "tests/support/qt_print.h"
#include "tests/ui/test_application.h"
#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

class CanvasTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    static QImage Filled(QRgb colour)
    {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }
};

} // namespace

TEST_F(CanvasTest, ColoursAreBgrValuesAndSystemColoursComeFromThePalette)
{
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(clNavy), QColor(0, 0, 128));
    EXPECT_EQ(ToQColor(clCream), QColor(255, 251, 240));
    EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412);
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
    EXPECT_EQ(ToQColor(clWindow, palette), QColor(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clHighlight, palette), RGB(4, 5, 6));
    EXPECT_EQ(ColorToRGB(clYellow, palette), clYellow);
}

TEST_F(CanvasTest, CopyRectCombinesSourceAndDestinationByTheCopyMode)
{
    const QRgb source = qRgb(0xCC, 0xAA, 0x0F);
    const QRgb dest = qRgb(0x0F, 0xAA, 0xF0);
    QImage sourceImage = Filled(source);
    TCanvas sourceCanvas(&sourceImage);
    auto combine = [](std::function<int(int, int)> f) {
        return qRgb(f(0xCC, 0x0F) & 0xFF, f(0xAA, 0xAA) & 0xFF, f(0x0F, 0xF0) & 0xFF);
    };
    const std::vector<std::pair<TCopyMode, QRgb>> modes = {
        {TCopyMode::cmSrcCopy, source},
        {TCopyMode::cmSrcPaint, combine([](int s, int d) { return s | d; })},
        {TCopyMode::cmSrcAnd, combine([](int s, int d) { return s & d; })},
        {TCopyMode::cmSrcInvert, combine([](int s, int d) { return s ^ d; })},
        {TCopyMode::cmSrcErase, combine([](int s, int d) { return s & ~d; })},
        {TCopyMode::cmNotSrcCopy, combine([](int s, int) { return ~s; })},
        {TCopyMode::cmNotSrcErase, combine([](int s, int d) { return ~(s | d); })},
        {TCopyMode::cmMergePaint, combine([](int s, int d) { return ~s | d; })},
    };
    for (const auto& [mode, expected] : modes) {
        QImage target = Filled(dest);
        {
            TCanvas canvas(&target);
            canvas.CopyMode = mode;
            canvas.CopyRect(QRect(5, 5, 10, 10), sourceCanvas, QRect(0, 0, 10, 10));
        }
        EXPECT_EQ(QColor(target.pixel(8, 8)), QColor(expected)) << "copy mode " << static_cast<int>(mode);
        EXPECT_EQ(target.pixel(2, 2), dest) << "outside the rectangle";
    }
}

TEST_F(CanvasTest, FocusRectangleDrawnTwiceLeavesNoTrace)
{
    QImage image = Filled(qRgb(0x20, 0x40, 0x60));
    const QImage before = image;
    TCanvas canvas(&image);
    canvas.DrawFocusRect(QRect(2, 2, 12, 8));
    EXPECT_NE(image, before);
    EXPECT_EQ(image.pixel(2, 2), qRgb(0xDF, 0xBF, 0x9F)) << "the corner is inverted";
    EXPECT_EQ(image.pixel(3, 2), before.pixel(3, 2)) << "dotted";
    canvas.DrawFocusRect(QRect(2, 2, 12, 8));
    EXPECT_EQ(image, before);
}

TEST_F(CanvasTest, FramesLinesAndClippedText)
{
    QImage image = Filled(qRgb(255, 255, 255));
    TCanvas canvas(&image);
    canvas.Brush.Color = clBlue;
    canvas.FrameRect(QRect(2, 2, 6, 6));
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(7, 7), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(4, 4), qRgb(255, 255, 255)) << "a frame leaves its inside";

    canvas.Pen.Color = clRed;
    canvas.MoveTo(0, 15);
    canvas.LineTo(10, 15);
    EXPECT_EQ(image.pixel(9, 15), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(10, 15), qRgb(255, 255, 255)) << "the end point is not drawn";
    EXPECT_EQ(canvas.PenPos(), QPoint(10, 15));

    canvas.Brush.Color = clYellow;
    canvas.Font.SetColor(clBlack);
    canvas.TextRect(QRect(10, 0, 6, 20), 10, 0, QStringLiteral("WWWWWWWW"));
    EXPECT_EQ(image.pixel(12, 19), qRgb(255, 255, 0)) << "the brush fills the rectangle";
    EXPECT_EQ(image.pixel(17, 3), qRgb(255, 255, 255)) << "text is clipped to the rectangle";
    EXPECT_GT(canvas.TextWidth(QStringLiteral("WW")), canvas.TextWidth(QStringLiteral("W")));
}

TEST_F(CanvasTest, LinesCoverTheirStartAndLeaveTheirEndWhicheverWayTheyRun)
{
    QImage image = Filled(qRgb(255, 255, 255));
    TCanvas canvas(&image);
    canvas.Pen.Color = clBlack;
    canvas.MoveTo(5, 15);
    canvas.LineTo(5, 3);    // upwards
    canvas.LineTo(12, 3);   // rightwards
    canvas.LineTo(12, 15);  // downwards
    canvas.LineTo(6, 15);   // leftwards
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    EXPECT_EQ(image.pixel(5, 15), black) << "start of the upward line";
    EXPECT_EQ(image.pixel(5, 4), black);
    EXPECT_EQ(image.pixel(5, 3), black) << "start of the rightward line";
    EXPECT_EQ(image.pixel(12, 3), black) << "start of the downward line";
    EXPECT_EQ(image.pixel(12, 15), black) << "start of the leftward line";
    EXPECT_EQ(image.pixel(7, 15), black);
    EXPECT_EQ(image.pixel(6, 15), white) << "the last end point is left out";
    EXPECT_EQ(image.pixel(5, 16), white);
    EXPECT_EQ(image.pixel(13, 3), white);
}
