// Where the engine draws: a view of a 32-bit framebuffer with the screen
// constants of the projection.
//
// Colours are RGB values with red in the low byte. The framebuffer keeps
// each pixel in the display's order instead (blue in the low byte, red in
// the third, the fourth byte set: what X servers and the toolkit's 32-bit
// images take as they are), so that showing a frame needs no conversion.
// Erasing is plotting black. Pixels outside the surface are dropped.
//
// Every write also marks the tile of the picture it falls in, so that
// showing a frame costs what the frame drew, not what the screen holds: only
// the marked tiles are sent to the display.
//
// A canvas of a drawing surface holds its writes back in the surface's
// pixel log, which writes them into the picture before anyone reads it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/pixel_log.h"

namespace orrelume {

// Tiles of 32 x 8 pixels: small enough that a star marks little around it,
// large enough that a frame's changes make few rectangles to send.
inline constexpr int kTileShiftX = 5;
inline constexpr int kTileShiftY = 3;
inline constexpr int32_t kTileWidth = 1 << kTileShiftX;
inline constexpr int32_t kTileHeight = 1 << kTileShiftY;

// Takes the tile marks of canvases that have no tile map of their own.
inline uint8_t gNoTileMap = 0;

struct Canvas {
    uint32_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;  // pixels per row
    int16_t centerX = 0;
    int16_t centerY = 0;
    float projScale = 1;    // (centerX + centerY) / 2 x focal length (x a preview factor)
    float spriteScale = 1;  // the focal length alone
    // A word outside the picture that takes the pixels the hot paths drop,
    // so they can write without a branch; null when there is none.
    uint32_t* spare = nullptr;
    // One byte per tile, set to 1 when a pixel of the tile is written; a
    // canvas with pixels has one. `tilesPerRow` bytes per band of tiles.
    uint8_t* tiles = nullptr;
    int32_t tilesPerRow = 0;
    // A byte outside the map that takes the marks of the dropped pixels.
    uint8_t* spareTile = &gNoTileMap;
    // Where the writes wait for the picture, when the canvas has a log (its
    // spare word is then the picture's last word).
    PixelLog* log = nullptr;

    // The word that shows a colour; its own inverse on the colour bits.
    static constexpr uint32_t Pixel(uint32_t rgb) {
        return 0xFF000000u | ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
    }
    size_t TileOf(int32_t x, int32_t y) const {
        return static_cast<size_t>(y >> kTileShiftY) * static_cast<size_t>(tilesPerRow) +
               static_cast<size_t>(x >> kTileShiftX);
    }
    void Plot(int32_t x, int32_t y, uint32_t color) const {
        if (static_cast<uint32_t>(x) < static_cast<uint32_t>(width) &&
            static_cast<uint32_t>(y) < static_cast<uint32_t>(height)) {
            const size_t index =
                static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x);
            *(log ? log->Slot(static_cast<uint32_t>(index)) : pixels + index) = Pixel(color);
            tiles[TileOf(x, y)] = 1;
        }
    }
    // Where pixel (x, y) lives, or the spare word when it is outside or not
    // drawn; its tile counts as written. Needs a spare word. The word
    // written there is a Pixel().
    uint32_t* SlotOrSpare(int32_t x, int32_t y, bool draw) const {
        const bool inside = draw & (static_cast<uint32_t>(x) < static_cast<uint32_t>(width)) &
                            (static_cast<uint32_t>(y) < static_cast<uint32_t>(height));
        const size_t index =
            inside ? static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x)
                   : 0;
        *(inside ? tiles + TileOf(x, y) : spareTile) = 1;
        if (log) return log->Slot(inside ? static_cast<uint32_t>(index) : log->SpareIndex());
        return inside ? pixels + index : spare;
    }
    // The colour of pixel (x, y), red in the low byte; black outside.
    uint32_t PixelAt(int32_t x, int32_t y) const {
        if (log) log->Apply();
        if (static_cast<uint32_t>(x) < static_cast<uint32_t>(width) &&
            static_cast<uint32_t>(y) < static_cast<uint32_t>(height)) {
            return Pixel(pixels[static_cast<size_t>(y) * static_cast<size_t>(stride) +
                                static_cast<size_t>(x)]) &
                   0x00FFFFFFu;
        }
        return 0;
    }
};

}  // namespace orrelume
