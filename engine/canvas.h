// Where the engine draws: a view of a 32-bit framebuffer with the screen
// constants of the projection.
//
// Pixels are RGB values with red in the low byte; each is stored with the
// fourth byte set, so the buffer is an RGBX image on little-endian machines.
// Erasing is plotting black. Pixels outside the surface are dropped.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orrelume {

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

    void Plot(int32_t x, int32_t y, uint32_t color) const {
        if (static_cast<uint32_t>(x) < static_cast<uint32_t>(width) &&
            static_cast<uint32_t>(y) < static_cast<uint32_t>(height)) {
            pixels[static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x)] =
                color | 0xFF000000u;
        }
    }
    // Where pixel (x, y) lives, or the spare word when it is outside or not
    // drawn. Needs a spare word.
    uint32_t* SlotOrSpare(int32_t x, int32_t y, bool draw) const {
        const bool inside = draw & (static_cast<uint32_t>(x) < static_cast<uint32_t>(width)) &
                            (static_cast<uint32_t>(y) < static_cast<uint32_t>(height));
        const size_t index =
            inside ? static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x)
                   : 0;
        return inside ? pixels + index : spare;
    }
    uint32_t PixelAt(int32_t x, int32_t y) const {
        if (static_cast<uint32_t>(x) < static_cast<uint32_t>(width) &&
            static_cast<uint32_t>(y) < static_cast<uint32_t>(height)) {
            return pixels[static_cast<size_t>(y) * static_cast<size_t>(stride) +
                          static_cast<size_t>(x)] &
                   0x00FFFFFFu;
        }
        return 0;
    }
};

}  // namespace orrelume
