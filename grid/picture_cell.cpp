#include "grid/picture_cell.h"
#include <QtEndian>
#include <array>
#include <utility>

QImage PictureFromBlob(const QByteArray& blob)
{
    constexpr int HeaderSize = 8;
    if (blob.size() >= HeaderSize) {
        const auto* bytes = reinterpret_cast<const uchar*>(blob.constData());
        const bool header = qFromLittleEndian<quint16>(bytes) == 1 && qFromLittleEndian<quint16>(bytes + 2) == 256
                            && qFromLittleEndian<quint32>(bytes + 4) == quint32(blob.size() - HeaderSize);
        if (header) return QImage::fromData(blob.mid(HeaderSize));
    }
    return QImage::fromData(blob);
}

TCopyMode CopyModeByName(const QString& name)
{
    static const std::array<std::pair<const char*, TCopyMode>, 8> modes{{
        {"Source Copy", TCopyMode::cmSrcCopy},
        {"Source Paint", TCopyMode::cmSrcPaint},
        {"Source And", TCopyMode::cmSrcAnd},
        {"Source Invert", TCopyMode::cmSrcInvert},
        {"Source Erase", TCopyMode::cmSrcErase},
        {"Not Source Copy", TCopyMode::cmNotSrcCopy},
        {"Not Source Erase", TCopyMode::cmNotSrcErase},
        {"Merge Paint", TCopyMode::cmMergePaint},
    }};
    for (const auto& [modeName, mode] : modes)
        if (name.compare(QLatin1String(modeName), Qt::CaseInsensitive) == 0) return mode;
    return TCopyMode::cmSrcCopy;
}

TPicturePlacement PlacePicture(const QSize& picture, const QRect& cell, const QString& stretchMode)
{
    const QRect whole(QPoint(0, 0), picture);
    const auto is = [&](const char* mode) { return stretchMode.compare(QLatin1String(mode), Qt::CaseInsensitive) == 0; };
    if (is("Original Size")) {
        const QSize shown(std::min(picture.width(), cell.width() - 1), std::min(picture.height(), cell.height() - 1));
        return {QRect(cell.topLeft() + QPoint(1, 1), shown), QRect(QPoint(0, 0), shown)};
    }
    if (is("Stretch To Fit")) return {cell, whole};
    if (!is("Fit Height") && !is("Fit Width")) return {};
    if (picture.isEmpty()) return {};
    // Scaled to one side, and to the other when that side would overflow.
    QSize size = is("Fit Height") ? QSize(picture.width() * cell.height() / picture.height(), cell.height())
                                  : QSize(cell.width(), picture.height() * cell.width() / picture.width());
    if (size.width() > cell.width()) size = QSize(cell.width(), picture.height() * cell.width() / picture.width());
    if (size.height() > cell.height())
        size = QSize(picture.width() * cell.height() / picture.height(), cell.height());
    if (size.width() < 3 || size.height() < 3) return {};
    return {QRect(cell.topLeft(), size), whole};
}
