#include "platform/x11_foreign_painter.h"

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>

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

// Pixels of the surface are 0xFFRRGGBB words; these place their channels
// under the visual's colour masks, in the display's byte order.
void ConvertRow32(const uint32_t* in, uint8_t* out, int32_t width, const ChannelPlace& r,
                  const ChannelPlace& g, const ChannelPlace& b, uint32_t opaque, bool msbFirst) {
    for (int32_t x = 0; x < width; ++x) {
        const uint32_t p = in[x];
        uint32_t v =
            r.Place((p >> 16) & 0xFF) | g.Place((p >> 8) & 0xFF) | b.Place(p & 0xFF) | opaque;
        if (msbFirst) v = __builtin_bswap32(v);
        std::memcpy(out + static_cast<size_t>(x) * 4, &v, 4);
    }
}

void ConvertRow16(const uint32_t* in, uint8_t* out, int32_t width, const ChannelPlace& r,
                  const ChannelPlace& g, const ChannelPlace& b, bool msbFirst) {
    for (int32_t x = 0; x < width; ++x) {
        const uint32_t p = in[x];
        auto v = static_cast<uint16_t>(r.Place((p >> 16) & 0xFF) | g.Place((p >> 8) & 0xFF) |
                                       b.Place(p & 0xFF));
        if (msbFirst) v = __builtin_bswap16(v);
        std::memcpy(out + static_cast<size_t>(x) * 2, &v, 2);
    }
}

// The rectangles of a band that continue ones of the band above (the same
// columns) grow those downwards instead: fewer requests for the same pixels.
void JoinBands(const std::vector<PixelRect>& in, std::vector<PixelRect>& out,
               std::vector<size_t>& above, std::vector<size_t>& here) {
    out.clear();
    above.clear();
    for (size_t i = 0; i < in.size();) {
        const int32_t y = in[i].y;
        here.clear();
        size_t a = 0;
        for (; i < in.size() && in[i].y == y; ++i) {
            const PixelRect& r = in[i];
            while (a < above.size() && out[above[a]].x < r.x)
                ++a;
            if (a < above.size()) {
                PixelRect& up = out[above[a]];
                if (up.x == r.x && up.width == r.width && up.y + up.height == y) {
                    up.height += r.height;
                    here.push_back(above[a]);
                    continue;
                }
            }
            here.push_back(out.size());
            out.push_back(r);
        }
        std::swap(above, here);
    }
}

bool MachineIsLittleEndian() {
    return std::endian::native == std::endian::little;
}

}  // namespace

xcb_connection_t* ToolkitConnection() {
    auto* app = qGuiApp;
    if (!app) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

ForeignWindowPainter::ForeignWindowPainter(xcb_connection_t* connection, uint32_t window,
                                           bool useShared)
    : connection_(connection), window_(window), useShared_(useShared) {}

ForeignWindowPainter::~ForeignWindowPainter() {
    image_.reset();
    if (gc_ != 0 && connection_) {
        xcb_free_gc(connection_, gc_);
        xcb_flush(connection_);
    }
}

bool ForeignWindowPainter::Prepare() {
    prepared_ = true;
    xcb_connection_t* c = connection_;
    if (!c || window_ == 0 || xcb_connection_has_error(c)) return false;
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
        if (f.data->depth == depth_) {
            bitsPerPixel_ = f.data->bits_per_pixel;
            scanlinePad_ = f.data->scanline_pad;
        }
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
    if (scanlinePad_ < 8 || scanlinePad_ > 32 || !std::has_single_bit(scanlinePad_)) {
        scanlinePad_ = 32;
    }
    opaque_ = bitsPerPixel_ == 32 && depth_ == 32 ? ~(redMask_ | greenMask_ | blueMask_) : 0;
    // The longest request the display takes, less the request's own header.
    maxRequestBytes_ = static_cast<size_t>(xcb_get_maximum_request_length(c)) * 4 - 64;

    gc_ = xcb_generate_id(c);
    const uint32_t values[] = {opaque_, 0};
    xcb_create_gc(c, gc_, window_, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES, values);
    // The usual visual takes the surface's words as they are.
    usual_ = bitsPerPixel_ == 32 && redMask_ == 0xFF0000u && greenMask_ == 0xFF00u &&
             blueMask_ == 0xFFu && msbFirst_ != MachineIsLittleEndian();
    sharedPossible_ = useShared_ && DisplayOffersSharedMemory(c);
    ApplyClip();
    return true;
}

void ForeignWindowPainter::SetExcluded(const PixelRect& area) {
    if (area == excluded_) return;
    excluded_ = area;
    if (prepared_ && usable_) ApplyClip();
}

void ForeignWindowPainter::ApplyClip() {
    const PixelRect& e = excluded_;
    if (e.width <= 0 || e.height <= 0) {
        if (clipSet_) {
            const uint32_t none = XCB_NONE;
            xcb_change_gc(connection_, gc_, XCB_GC_CLIP_MASK, &none);
            clipSet_ = false;
        }
        return;
    }
    // Everything but the excluded area, in bands from the top.
    constexpr int32_t kFar = 32767;
    const int32_t left = std::clamp(e.x, 0, kFar), top = std::clamp(e.y, 0, kFar);
    const int32_t right = std::clamp(e.x + e.width, left, kFar);
    const int32_t bottom = std::clamp(e.y + e.height, top, kFar);
    xcb_rectangle_t rects[4];
    int n = 0;
    auto add = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        if (x1 > x0 && y1 > y0) {
            rects[n++] = {static_cast<int16_t>(x0), static_cast<int16_t>(y0),
                          static_cast<uint16_t>(x1 - x0), static_cast<uint16_t>(y1 - y0)};
        }
    };
    add(0, 0, kFar, top);
    add(0, top, left, bottom);
    add(right, top, kFar, bottom);
    add(0, bottom, kFar, kFar);
    xcb_set_clip_rectangles(connection_, XCB_CLIP_ORDERING_YX_BANDED, gc_, 0, 0,
                            static_cast<uint32_t>(n), rects);
    clipSet_ = true;
}

void ForeignWindowPainter::SizeImage(int32_t width, int32_t height) {
    const size_t padBytes = scanlinePad_ / 8;
    imageRowBytes_ =
        (static_cast<size_t>(width) * (bitsPerPixel_ / 8) + padBytes - 1) / padBytes * padBytes;
    imageWidth_ = width;
    imageHeight_ = height;
    image_.reset();
    // A picture converted for the window's visual, where the surface's own
    // pixels cannot be shown as they are.
    if (!usual_ && useShared_ && sharedPossible_) {
        image_ = X11SharedMemory::Create(connection_, imageRowBytes_ * static_cast<size_t>(height));
        if (!image_) sharedPossible_ = false;
    }
}

void ForeignWindowPainter::FillBlack() {
    const xcb_rectangle_t all{0, 0, 32767, 32767};
    xcb_poly_fill_rectangle(connection_, window_, gc_, 1, &all);
}

void ForeignWindowPainter::ConvertRect(const uint32_t* pixels, int32_t stride, const PixelRect& r,
                                       uint8_t* out, size_t outRowBytes) const {
    const ChannelPlace red(redMask_), green(greenMask_), blue(blueMask_);
    for (int32_t y = 0; y < r.height; ++y) {
        const uint32_t* in =
            pixels + static_cast<size_t>(r.y + y) * static_cast<size_t>(stride) + r.x;
        uint8_t* row = out + static_cast<size_t>(y) * outRowBytes;
        if (usual_) {
            std::memcpy(row, in, static_cast<size_t>(r.width) * 4);
        } else if (bitsPerPixel_ == 32) {
            ConvertRow32(in, row, r.width, red, green, blue, opaque_, msbFirst_);
        } else {
            ConvertRow16(in, row, r.width, red, green, blue, msbFirst_);
        }
    }
}

void ForeignWindowPainter::PutShared(const X11SharedMemory& memory, int32_t totalWidth,
                                     int32_t totalHeight, const PixelRect& r) {
    xcb_shm_put_image(
        connection_, window_, gc_, static_cast<uint16_t>(totalWidth),
        static_cast<uint16_t>(totalHeight), static_cast<uint16_t>(r.x), static_cast<uint16_t>(r.y),
        static_cast<uint16_t>(r.width), static_cast<uint16_t>(r.height), static_cast<int16_t>(r.x),
        static_cast<int16_t>(r.y), depth_, XCB_IMAGE_FORMAT_Z_PIXMAP, 0, memory.Segment(), 0);
}

void ForeignWindowPainter::SendRect(const DrawingSurface& surface, const PixelRect& r) {
    if (direct_) {
        // The surface's own memory is what the server reads.
        PutShared(*direct_, surface.width(), surface.height(), r);
        return;
    }
    const uint32_t* pixels = surface.pixels().data();
    const int32_t stride = surface.width();
    const size_t bytesPerPixel = bitsPerPixel_ / 8;
    if (image_) {
        uint8_t* at = image_->Data() + static_cast<size_t>(r.y) * imageRowBytes_ +
                      static_cast<size_t>(r.x) * bytesPerPixel;
        ConvertRect(pixels, stride, r, at, imageRowBytes_);
        PutShared(*image_, imageWidth_, imageHeight_, r);
        return;
    }
    // Through the connection, in strips of rows that fit a request.
    const size_t padBytes = scanlinePad_ / 8;
    const size_t rowBytes =
        (static_cast<size_t>(r.width) * bytesPerPixel + padBytes - 1) / padBytes * padBytes;
    if (rowBytes > maxRequestBytes_) return;
    const int32_t rowsPerStrip =
        static_cast<int32_t>(std::clamp<size_t>(maxRequestBytes_ / rowBytes, 1, 32767));
    for (int32_t top = 0; top < r.height; top += rowsPerStrip) {
        const PixelRect strip{r.x, r.y + top, r.width, std::min(rowsPerStrip, r.height - top)};
        strip_.assign(rowBytes * static_cast<size_t>(strip.height), 0);
        ConvertRect(pixels, stride, strip, strip_.data(), rowBytes);
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                      static_cast<uint16_t>(strip.width), static_cast<uint16_t>(strip.height),
                      static_cast<int16_t>(strip.x), static_cast<int16_t>(strip.y), 0, depth_,
                      static_cast<uint32_t>(strip_.size()), strip_.data());
    }
}

bool ForeignWindowPainter::Present(const DrawingSurface& surface) {
    const SurfaceChanges changes = surface.TakeChanges();
    if (!prepared_) usable_ = Prepare();
    if (!usable_ || xcb_connection_has_error(connection_)) return false;
    const int32_t width = surface.width(), height = surface.height();
    if (surface.pixels().size() < static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return false;
    }
    if (width != imageWidth_ || height != imageHeight_) {
        SizeImage(width, height);
        whole_ = true;
    }
    // Rows of the surface are whole words, which the display takes as they
    // are only with a scanline pad of at most 32 bits.
    const auto* shared = dynamic_cast<const X11SharedMemory*>(surface.Memory());
    direct_ = usual_ && useShared_ && shared && shared->Connection() == connection_ &&
                      (static_cast<size_t>(width) * 4) % (scanlinePad_ / 8) == 0
                  ? shared
                  : nullptr;
    if (changes.cleared || !whole_) {
        // After a clear all is black but what was drawn since: no need to
        // send the rest.
        if (changes.cleared) FillBlack();
        JoinBands(*changes.rects, joined_, above_, here_);
        for (const PixelRect& r : joined_)
            SendRect(surface, r);
    } else {
        SendRect(surface, PixelRect{0, 0, width, height});
    }
    whole_ = false;
    xcb_flush(connection_);
    return true;
}

}  // namespace orrelume
