#include "platform/ui/design_fonts.h"
#include <algorithm>
#include <iterator>

namespace {

// Its widths are those of the narrow sans faces the forms were laid out with.
const char* const MetricFace = "Liberation Sans";

const char* const DesignFaces[] = {"MS Sans Serif", "Arial", "System"};

// "MS Sans Serif" was a bitmap face, drawn only at these character heights: a
// form that asked for another height was shown, and laid out, with the next
// smaller one (with the smallest when it asked for less).
const char* const BitmapFace = "MS Sans Serif";
constexpr int BitmapHeights[] = {11, 13, 16, 19, 24, 32};

int DrawnHeight(const QString& family, int pixels)
{
    if (family.compare(QLatin1String(BitmapFace), Qt::CaseInsensitive) != 0)
        return pixels;
    const auto above = std::upper_bound(std::begin(BitmapHeights), std::end(BitmapHeights), pixels);
    return above == std::begin(BitmapHeights) ? BitmapHeights[0] : *std::prev(above);
}

} // namespace

void MapDesignFaces()
{
    for (const char* face : DesignFaces)
        QFont::insertSubstitution(QString::fromLatin1(face), QString::fromLatin1(MetricFace));
}

QFont DesignFont(const QString& family, int height)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (height < 0)
        font.setPixelSize(DrawnHeight(family, -height));
    else
        font.setPointSize(height);
    return font;
}
