// Draws the background pictures of the program's resource library into the
// folder given as the first argument: "Back2" behind the tool bar and "Back4"
// behind the transaction, report and dialog panels. The build runs it and packs
// its output into KeldDll1.rcc beside the program, so the pictures live here as
// drawing code rather than as binary files.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <cstdio>

namespace {

// A soft steel-blue band, lighter at the top, with a faint brushed grain; it
// tiles across a tool bar of any width and repeats every 64 pixels down.
QImage ToolBarBackground()
{
    QImage image(64, 64, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient shade(0, 0, 0, 64);
    shade.setColorAt(0.0, QColor(232, 238, 246));
    shade.setColorAt(0.5, QColor(214, 224, 238));
    shade.setColorAt(1.0, QColor(232, 238, 246));
    painter.fillRect(image.rect(), shade);
    QRandomGenerator grain(2);
    for (int y = 0; y < 64; ++y) {
        const int alpha = 6 + grain.bounded(10);
        painter.setPen(QColor(255, 255, 255, alpha));
        painter.drawLine(0, y, 63, y);
    }
    return image;
}

// A warm paper texture: a pale cream ground, a fine diagonal weave and a few
// random fibres. The weave's period divides the tile, so tiles meet seamlessly.
QImage PanelBackground()
{
    constexpr int size = 96;
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(246, 242, 230));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(232, 226, 208), 1));
    for (int offset = -size; offset < size; offset += 8) {
        painter.drawLine(offset, 0, offset + size, size);
        painter.drawLine(offset + size, 0, offset, size);
    }
    QRandomGenerator fibres(4);
    for (int i = 0; i < 60; ++i) {
        const int x = fibres.bounded(size);
        const int y = fibres.bounded(size);
        const int length = 2 + fibres.bounded(5);
        painter.setPen(QColor(220, 212, 190, 90));
        painter.drawLine(x, y, (x + length) % size, y + fibres.bounded(3) - 1);
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_pictures <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    const bool saved = ToolBarBackground().save(folder.filePath(QStringLiteral("Back2.png")))
        && PanelBackground().save(folder.filePath(QStringLiteral("Back4.png")));
    return saved ? 0 : 1;
}
