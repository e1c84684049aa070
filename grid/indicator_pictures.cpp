#include "grid/indicator_pictures.h"
#include <QPainter>
#include <array>

// Outside any namespace, as the resource initialiser must be.
static void InitGridResources()
{
    Q_INIT_RESOURCE(grid);
}

namespace {

QImage Load(const char* name)
{
    InitGridResources();
    return QImage(QStringLiteral(":/") + QLatin1String(name)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Tinted(QImage image, const QColor& color)
{
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}

} // namespace

const QImage& IndicatorPicture(TIndicatorPicture picture, TIndicatorColorType color)
{
    static const std::array<QImage, 3> black{Load("WWDBGARROW"), Load("WWDBEDIT"), Load("WWDBINSERT")};
    static const std::array<QImage, 3> yellow{Tinted(black[0], Qt::yellow), Tinted(black[1], Qt::yellow),
                                              Tinted(black[2], Qt::yellow)};
    const auto index = static_cast<size_t>(picture);
    return color == icYellow ? yellow[index] : black[index];
}
