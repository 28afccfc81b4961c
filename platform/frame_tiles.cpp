#include "platform/frame_tiles.h"

#include <QPainter>

#include <vector>

namespace orrelume {

QRegion TakeChangedRegion(const DrawingSurface& surface) {
    return ChangedRegion(surface, surface.TakeChanges());
}

QRegion ChangedRegion(const DrawingSurface& surface, const SurfaceChanges& changes) {
    if (changes.cleared || !changes.rects) return QRegion(0, 0, surface.width(), surface.height());
    // The rectangles are banded and apart, as a region keeps them.
    std::vector<QRect> rects;
    rects.reserve(changes.rects->size());
    for (const PixelRect& r : *changes.rects)
        rects.emplace_back(r.x, r.y, r.width, r.height);
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

QImage SurfaceImage(const DrawingSurface& surface) {
    const auto& pixels = surface.pixels();
    const size_t needed = static_cast<size_t>(surface.width()) * surface.height();
    if (pixels.size() < needed || needed == 0) return QImage();
    // The display's order: the toolkit's own 32-bit format, painted without
    // a conversion.
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), surface.width(), surface.height(),
                  surface.width() * 4, QImage::Format_RGB32);
}

void PaintSurface(QPainter& painter, const DrawingSurface* surface, const QRegion& region,
                  qreal ratio) {
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    QRegion rest = region;
    QImage image = surface ? SurfaceImage(*surface) : QImage();
    if (!image.isNull()) {
        image.setDevicePixelRatio(ratio);
        const QRect picture(QPoint(0, 0), image.deviceIndependentSize().toSize());
        for (const QRect& dirty : region) {
            const QRect target = dirty & picture;
            if (target.isEmpty()) continue;
            const QRect source(
                QPoint(qRound(target.x() * ratio), qRound(target.y() * ratio)),
                QSize(qRound(target.width() * ratio), qRound(target.height() * ratio)));
            painter.drawImage(target, image, source);
        }
        rest -= QRegion(picture);
    }
    // Whatever the picture does not cover (for a moment while a window
    // grows) is black.
    for (const QRect& r : rest)
        painter.fillRect(r, Qt::black);
}

}  // namespace orrelume
