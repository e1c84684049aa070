#include "platform/ui/design_fonts.h"

namespace {

// Its widths are those of the narrow sans faces the forms were laid out with.
const char* const MetricFace = "Liberation Sans";

const char* const DesignFaces[] = {"MS Sans Serif", "Arial", "System"};

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
        font.setPixelSize(-height);
    else
        font.setPointSize(height);
    return font;
}
