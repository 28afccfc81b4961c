// What a window of an X display shows, read back for the window tests.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace orrelume::testing {

// One word per pixel as a surface keeps it (0xFFRRGGBB), read at 16 or 32
// bits per pixel; 16-bit pixels are widened again by repeating their top
// bits.
inline std::vector<uint32_t> WindowPixels(xcb_connection_t* c, uint32_t window, int w, int h,
                                          int bits) {
    std::vector<uint32_t> out;
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, w, h, ~0u), nullptr);
    if (!image) return out;
    const uint8_t* data = xcb_get_image_data(image);
    const size_t rowBytes = static_cast<size_t>(xcb_get_image_data_length(image)) / h;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t p = 0;
            if (bits == 16) {
                uint16_t v;
                std::memcpy(&v, data + y * rowBytes + x * 2, 2);
                const uint32_t r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
                p = ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
            } else {
                std::memcpy(&p, data + y * rowBytes + x * 4, 4);
            }
            out.push_back(0xFF000000u | p);
        }
    }
    std::free(image);
    return out;
}

}  // namespace orrelume::testing
