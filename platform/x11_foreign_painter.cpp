#include "platform/x11_foreign_painter.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace orrelume {

namespace {

// Where an 8-bit channel goes under a colour mask of the visual.
struct ChannelPlace {
    uint32_t mask = 0;
    int shift = 0;  // of the mask's lowest bit
    int bits = 0;   // in the mask
    explicit ChannelPlace(uint32_t m)
        : mask(m), shift(m ? std::countr_zero(m) : 0), bits(std::popcount(m)) {}
    uint32_t Place(uint32_t value8) const {
        if (mask == 0) return 0;
        const uint32_t scaled = bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
        return (scaled << shift) & mask;
    }
};

// Converts one row of RGBX pixels (red in the low byte) to 32-bit pixels of
// the visual, in the display's byte order.
void ConvertRow32(const uint32_t* in, uint8_t* out, int32_t width, const ChannelPlace& r,
                  const ChannelPlace& g, const ChannelPlace& b, uint32_t rest, bool msbFirst) {
    if (r.mask == 0xFF0000u && g.mask == 0xFF00u && b.mask == 0xFFu && !msbFirst) {
        // The usual visual: only red and blue change places.
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t p = in[x];
            const uint32_t v = ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu) | rest;
            std::memcpy(out + static_cast<size_t>(x) * 4, &v, 4);
        }
        return;
    }
    for (int32_t x = 0; x < width; ++x) {
        const uint32_t p = in[x];
        uint32_t v =
            r.Place(p & 0xFF) | g.Place((p >> 8) & 0xFF) | b.Place((p >> 16) & 0xFF) | rest;
        if (msbFirst) v = __builtin_bswap32(v);
        std::memcpy(out + static_cast<size_t>(x) * 4, &v, 4);
    }
}

void ConvertRow16(const uint32_t* in, uint8_t* out, int32_t width, const ChannelPlace& r,
                  const ChannelPlace& g, const ChannelPlace& b, bool msbFirst) {
    for (int32_t x = 0; x < width; ++x) {
        const uint32_t p = in[x];
        auto v = static_cast<uint16_t>(r.Place(p & 0xFF) | g.Place((p >> 8) & 0xFF) |
                                       b.Place((p >> 16) & 0xFF));
        if (msbFirst) v = __builtin_bswap16(v);
        std::memcpy(out + static_cast<size_t>(x) * 2, &v, 2);
    }
}

}  // namespace

ForeignWindowPainter::ForeignWindowPainter(X11Display& display, uint32_t window)
    : display_(display), window_(window) {}

ForeignWindowPainter::~ForeignWindowPainter() {
    if (gc_ != 0 && display_.Connection()) {
        xcb_free_gc(display_.Connection(), gc_);
        xcb_flush(display_.Connection());
    }
}

bool ForeignWindowPainter::Prepare() {
    prepared_ = true;
    xcb_connection_t* c = display_.Connection();
    if (!c || window_ == 0) return false;
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window_), nullptr);
    if (!attributes) return false;
    const xcb_visualid_t visual = attributes->visual;
    std::free(attributes);
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window_), nullptr);
    if (!geometry) return false;
    depth_ = geometry->depth;
    std::free(geometry);

    const xcb_setup_t* setup = xcb_get_setup(c);
    msbFirst_ = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    for (xcb_format_iterator_t f = xcb_setup_pixmap_formats_iterator(setup); f.rem;
         xcb_format_next(&f)) {
        if (f.data->depth == depth_) bitsPerPixel_ = f.data->bits_per_pixel;
    }
    bool found = false;
    for (xcb_screen_iterator_t s = xcb_setup_roots_iterator(setup); s.rem && !found;
         xcb_screen_next(&s)) {
        for (xcb_depth_iterator_t d = xcb_screen_allowed_depths_iterator(s.data); d.rem && !found;
             xcb_depth_next(&d)) {
            for (xcb_visualtype_iterator_t v = xcb_depth_visuals_iterator(d.data); v.rem;
                 xcb_visualtype_next(&v)) {
                if (v.data->visual_id != visual) continue;
                if (v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR ||
                    v.data->_class == XCB_VISUAL_CLASS_DIRECT_COLOR) {
                    redMask_ = v.data->red_mask;
                    greenMask_ = v.data->green_mask;
                    blueMask_ = v.data->blue_mask;
                    found = true;
                }
                break;
            }
        }
    }
    if (!found || (bitsPerPixel_ != 32 && bitsPerPixel_ != 16)) return false;

    gc_ = xcb_generate_id(c);
    const uint32_t noExposures = 0;
    xcb_create_gc(c, gc_, window_, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    return true;
}

bool ForeignWindowPainter::Draw(const uint32_t* pixels, int32_t width, int32_t height) {
    if (!prepared_) usable_ = Prepare();
    xcb_connection_t* c = display_.Connection();
    if (!usable_ || !c || !pixels || width <= 0 || height <= 0) return false;
    width = std::min(width, 32767);
    height = std::min(height, 32767);

    const int bytesPerPixel = bitsPerPixel_ / 8;
    // Rows are padded to 32 bits.
    const size_t rowBytes = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~size_t{3};
    // The longest request the display takes, less the request's own header.
    const size_t maxBytes = static_cast<size_t>(xcb_get_maximum_request_length(c)) * 4 - 64;
    const int32_t rowsPerStrip =
        static_cast<int32_t>(std::clamp<size_t>(maxBytes / rowBytes, 1, 32767));
    if (rowBytes > maxBytes) return false;
    // The bits the colour masks leave free (an alpha channel) are set opaque.
    const uint32_t rest =
        bitsPerPixel_ == 32 && depth_ == 32 ? ~(redMask_ | greenMask_ | blueMask_) : 0;

    const ChannelPlace red(redMask_), green(greenMask_), blue(blueMask_);
    for (int32_t top = 0; top < height; top += rowsPerStrip) {
        const int32_t rows = std::min(rowsPerStrip, height - top);
        strip_.resize(rowBytes * static_cast<size_t>(rows));
        for (int32_t y = 0; y < rows; ++y) {
            const uint32_t* in = pixels + static_cast<size_t>(top + y) * width;
            uint8_t* out = strip_.data() + static_cast<size_t>(y) * rowBytes;
            if (bytesPerPixel == 4) {
                ConvertRow32(in, out, width, red, green, blue, rest, msbFirst_);
            } else {
                ConvertRow16(in, out, width, red, green, blue, msbFirst_);
                // The row's padding.
                std::memset(out + static_cast<size_t>(width) * 2, 0,
                            rowBytes - static_cast<size_t>(width) * 2);
            }
        }
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_, static_cast<uint16_t>(width),
                      static_cast<uint16_t>(rows), 0, static_cast<int16_t>(top), 0, depth_,
                      static_cast<uint32_t>(strip_.size()), strip_.data());
    }
    xcb_flush(c);
    return true;
}

}  // namespace orrelume
