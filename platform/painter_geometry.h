// The arithmetic of showing a surface in a window, apart from the display:
// which part of the surface lands in the painter's area, the clip that keeps
// the area's frame out of other parts, the clip of one copy of many tiles,
// and the conversion of the surface's words into a visual's pixels. The
// painter sends what these compute; they are tried without a server.
#pragma once

#include <xcb/xproto.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "driver/drawing_surface.h"

namespace orrelume {

// The farthest a window coordinate goes in the protocol.
inline constexpr int32_t kFarEdge = 32767;

// Where the surface goes in a window: each surface pixel covers
// scale x scale window pixels, its top-left pixel at (originX, originY),
// and the painter owns `area` of the window (an empty rectangle: all of it).
struct Placement {
    int32_t scale = 1;
    int32_t originX = 0, originY = 0;
    PixelRect area;
};

// The part of a width x height surface (in its pixels) that lands in the
// area, or an empty one.
PixelRect VisiblePart(const Placement& p, int32_t width, int32_t height);
// Whether the surface covers all of the area (else the rest is black).
bool CoversArea(const Placement& p, int32_t width, int32_t height);
// The area less `excluded` (a child window's part; empty for none), in up to
// four rectangles banded from the top; none when the painter owns the whole
// window and nothing is excluded.
std::vector<xcb_rectangle_t> AreaClip(const PixelRect& area, const PixelRect& excluded);
// The window's part of `tiles` (surface pixels, band by band from the top,
// left to right within a band, none overlapping) within `area` (window
// pixels) less `excluded`: the clip of one copy, banded as the tiles are, so
// that the display takes it without sorting.
void TileClip(const std::vector<PixelRect>& tiles, const Placement& p, const PixelRect& area,
              const PixelRect& excluded, std::vector<xcb_rectangle_t>& out);
// The window's rectangle that one copy of tiles may touch: the surface's
// visible part in window pixels, within the area and the protocol's range.
PixelRect CopyArea(const Placement& p, int32_t width, int32_t height);
// The rectangles of a band that continue ones of the band above (the same
// columns) grow those downwards instead: fewer requests for the same pixels.
// `above` and `here` are bookkeeping kept between calls.
void JoinBands(const std::vector<PixelRect>& in, std::vector<PixelRect>& out,
               std::vector<size_t>& above, std::vector<size_t>& here);

// A window's pixels as the display keeps them.
struct PixelFormat {
    uint8_t bitsPerPixel = 32;  // 16 or 32
    uint32_t redMask = 0xFF0000u, greenMask = 0xFF00u, blueMask = 0xFFu;
    // Bits a pixel sets besides its colour (an alpha channel, opaque).
    uint32_t opaque = 0;
    // The display takes the pixels' bytes most significant first.
    bool msbFirst = false;
    // Rows are padded to whole multiples of this many bits (8, 16 or 32).
    uint8_t scanlinePad = 32;

    // The surface's words as they are (0xFFRRGGBB in this machine's order).
    bool TakesSurfaceWords() const;
    // Bytes of one row of `pixels` pixels, padded.
    size_t RowBytes(int32_t pixels) const;
};

// The format of a visual: its colour masks, the bits a pixel of its depth
// takes (with the row padding) and the display's byte order.
PixelFormat FormatOf(uint8_t depth, uint8_t bitsPerPixel, uint8_t scanlinePad, uint32_t redMask,
                     uint32_t greenMask, uint32_t blueMask, bool msbFirst);

// Converts (and enlarges by `scale`) the part `r` of a surface's words
// (`stride` words a row) into the format; `out` receives r.height * scale
// rows of `outRowBytes` each.
void ConvertRect(const PixelFormat& format, int32_t scale, const uint32_t* pixels, int32_t stride,
                 const PixelRect& r, uint8_t* out, size_t outRowBytes);

}  // namespace orrelume
