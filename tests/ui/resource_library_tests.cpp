#include "platform/ui/resource_library.h"
#include "tests/ui/test_application.h"
#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

namespace {

class ResourceLibraryTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
};

TEST_F(ResourceLibraryTest, TheProgramsLibraryHoldsBothBackgroundsAndLoadsOnce)
{
    const HINSTANCE library = LoadLibrary(QStringLiteral("KeldDll1.dll"));
    ASSERT_NE(library, 0);
    EXPECT_EQ(LoadLibrary(QStringLiteral("keldDLL1.dll")), library);

    for (const char* name : {"Back2", "Back4"}) {
        const QImage picture = LoadBitmap(library, QString::fromLatin1(name)).toImage();
        ASSERT_FALSE(picture.isNull()) << name;
        // A tile, not a flat colour: the backgrounds carry a texture.
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); ++y)
            colours.insert(picture.pixel(y % picture.width(), y));
        EXPECT_GT(colours.size(), 3) << name;
    }
    EXPECT_TRUE(LoadBitmap(library, QStringLiteral("Back3")).isNull());
}

TEST_F(ResourceLibraryTest, AMissingLibraryGivesNoHandleAndEmptyPictures)
{
    EXPECT_EQ(LoadLibrary(QStringLiteral("NoSuchLibrary.dll")), 0);
    EXPECT_TRUE(LoadBitmap(0, QStringLiteral("Back4")).isNull());
    EXPECT_TRUE(LoadBitmap(99, QStringLiteral("Back4")).isNull());
}

} // namespace
