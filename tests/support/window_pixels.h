// What a window of an X display shows, read back for the window tests.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace orrelume::testing {

// A w x h window at the top left of the screen, mapped and seen by the
// server, with a white background so that whatever a painter leaves out
// shows. With `argbVisual` it is a 32-bit window of that visual.
inline uint32_t MapWhiteWindow(xcb_connection_t* c, xcb_screen_t* screen, int w, int h,
                               uint32_t argbVisual = 0) {
    const uint32_t window = xcb_generate_id(c);
    if (argbVisual != 0) {
        const uint32_t colormap = xcb_generate_id(c);
        xcb_create_colormap(c, XCB_COLORMAP_ALLOC_NONE, colormap, screen->root, argbVisual);
        const uint32_t values[] = {0xFFFFFFFFu, 0, colormap};
        xcb_create_window(c, 32, window, screen->root, 0, 0, w, h, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          argbVisual, XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_COLORMAP,
                          values);
    } else {
        const uint32_t white = screen->white_pixel;
        xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, w, h, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL,
                          &white);
    }
    xcb_map_window(c, window);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return window;
}

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
