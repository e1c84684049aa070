#include "app/jpeg_image.h"
#include "app/splash_form.h"
#include <gtest/gtest.h>

namespace {

QByteArray SplashJpeg()
{
    return SplashPictureData();
}

QString DecodeError(const QByteArray& data)
{
    try {
        DecodeJpeg(data);
    } catch (const EJpegError& error) {
        return error.Message;
    }
    return {};
}

} // namespace

TEST(JpegImage, DecodesTheSplashPicture)
{
    const QByteArray data = SplashJpeg();
    ASSERT_FALSE(data.isEmpty());
    const QImage image = DecodeJpeg(data);
    EXPECT_EQ(image.size(), QSize(401, 170));
    // Dark blue at the top left, the white title letters, the pale ledger page.
    const QColor corner = image.pixelColor(3, 3);
    EXPECT_GT(corner.blue(), corner.red() + 40);
    EXPECT_LT(corner.lightness(), 80);
    // Matches Qt's own reading of the same file, give or take rounding.
    const QImage reference = QImage::fromData(data, "JPG").convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(reference.size(), image.size());
    int largest = 0;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7) {
            const QColor a = image.pixelColor(x, y), b = reference.pixelColor(x, y);
            largest = std::max({largest, std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                std::abs(a.blue() - b.blue())});
        }
    EXPECT_LE(largest, 3);
}

TEST(JpegImage, DamagedDataGivesAClearErrorInsteadOfAPicture)
{
    EXPECT_TRUE(DecodeError(QByteArray("this is no picture at all")).startsWith(
        QStringLiteral("Cannot read the JPEG picture: Not a JPEG file")));
    EXPECT_FALSE(DecodeError(QByteArray()).isEmpty());
    const QByteArray whole = SplashJpeg();
    EXPECT_FALSE(DecodeError(whole.left(whole.size() / 2)).isEmpty());   // truncated
    EXPECT_FALSE(DecodeError(whole.left(300)).isEmpty());                // header only
    // A decoder that failed leaves the next one working.
    EXPECT_EQ(DecodeJpeg(whole).width(), 401);
}
