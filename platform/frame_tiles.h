// Presenting a frame: the framebuffer (red in the low byte) is converted into
// the picture the window shows (the display's order, blue in the low byte),
// and only the tiles that changed are sent to the display. Most of a
// starfield stays black from one frame to the next, so this saves most of
// the conversion and transfer a whole frame would cost.
#pragma once

#include <QImage>
#include <QRegion>

#include <cstdint>

namespace orrelume {

// Brings `shown` (Format_RGB32, re-made when its size or format differs) up
// to date with `width` x `height` framebuffer pixels and returns the region
// that changed, as rectangles of whole tiles of 64 x 16 pixels.
QRegion ConvertChangedTiles(const uint32_t* pixels, int width, int height, QImage& shown);

}  // namespace orrelume
