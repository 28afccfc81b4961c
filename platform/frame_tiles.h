// Showing a drawing surface in a widget the toolkit paints: the part of a
// frame to paint again (the tiles the frame drew, or all of it after a
// clear), and painting the surface's pixels without a copy of the picture.
#pragma once

#include <QImage>
#include <QRegion>

#include "driver/drawing_surface.h"

class QPainter;

namespace orrelume {

// Takes the surface's changes: the part of the picture (in its pixels) that
// differs from what was shown before. All of it when it was cleared.
QRegion TakeChangedRegion(const DrawingSurface& surface);
// The same for changes already taken.
QRegion ChangedRegion(const DrawingSurface& surface, const SurfaceChanges& changes);

// The surface's pixels as an image, without copying them (valid while the
// surface keeps its size).
QImage SurfaceImage(const DrawingSurface& surface);

// Paints `region` of a widget (in its logical pixels; `ratio` device pixels
// each) from the surface where the picture covers it, black elsewhere; with
// no surface, all black.
void PaintSurface(QPainter& painter, const DrawingSurface* surface, const QRegion& region,
                  qreal ratio);

}  // namespace orrelume
