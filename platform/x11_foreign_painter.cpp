#include "platform/x11_foreign_painter.h"

#include <xcb/render.h>
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

// Each word `scale` times over; the usual sizes with the count known to the
// compiler, which then writes them in wide stores.
template <int32_t S>
void WidenRowBy(const uint32_t* in, uint32_t* out, int32_t width) {
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t k = 0; k < S; ++k)
            out[static_cast<size_t>(x) * S + k] = in[x];
    }
}

void WidenRow(const uint32_t* in, uint32_t* out, int32_t width, int32_t scale) {
    switch (scale) {
        case 2:
            WidenRowBy<2>(in, out, width);
            return;
        case 3:
            WidenRowBy<3>(in, out, width);
            return;
        case 4:
            WidenRowBy<4>(in, out, width);
            return;
        default:
            for (int32_t x = 0; x < width; ++x)
                std::fill_n(out + static_cast<size_t>(x) * static_cast<size_t>(scale), scale,
                            in[x]);
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
    FreeRender();
    FreeSurfacePixmap();
    image_.reset();
    if (connection_ && (gc_ != 0 || tileGc_ != 0)) {
        if (gc_ != 0) xcb_free_gc(connection_, gc_);
        if (tileGc_ != 0) xcb_free_gc(connection_, tileGc_);
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
    visual_ = visual;
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
    if (useShared_) {
        const SharedMemoryOffer offer = QuerySharedMemory(c);
        sharedPossible_ = offer.segments;
        sharedPixmaps_ = offer.pixmaps;
    }
    ApplyClip();
    return true;
}

void ForeignWindowPainter::SetExcluded(const PixelRect& area) {
    if (area == excluded_) return;
    excluded_ = area;
    if (prepared_ && usable_) ApplyClip();
}

void ForeignWindowPainter::SetScale(int32_t scale) {
    scale = std::clamp(scale, 1, 8);
    if (scale == scale_) return;
    scale_ = scale;
    // The picture in window pixels has another size now.
    imageWidth_ = imageHeight_ = 0;
    whole_ = true;
}

void ForeignWindowPainter::SetPlacement(int32_t originX, int32_t originY, const PixelRect& area) {
    constexpr int32_t kFar = 32767;
    originX = std::clamp(originX, -kFar, kFar);
    originY = std::clamp(originY, -kFar, kFar);
    PixelRect a;
    if (area.width > 0 && area.height > 0) {
        a.x = std::clamp(area.x, 0, kFar);
        a.y = std::clamp(area.y, 0, kFar);
        a.width = std::clamp(area.width, 0, kFar - a.x);
        a.height = std::clamp(area.height, 0, kFar - a.y);
    }
    if (originX == originX_ && originY == originY_ && a == area_) return;
    originX_ = originX;
    originY_ = originY;
    area_ = a;
    whole_ = true;
    if (prepared_ && usable_) ApplyClip();
}

namespace {

constexpr int32_t kFarEdge = 32767;

// Division rounding towards minus infinity (towards plus infinity for
// CeilDiv), for positions that may lie left of the origin.
int32_t FloorDiv(int32_t a, int32_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int32_t CeilDiv(int32_t a, int32_t b) {
    return -FloorDiv(-a, b);
}

}  // namespace

PixelRect ForeignWindowPainter::VisiblePart(int32_t width, int32_t height) const {
    const PixelRect a = area_.width > 0 ? area_ : PixelRect{0, 0, kFarEdge, kFarEdge};
    const int32_t s = scale_;
    const int32_t x0 = std::clamp(FloorDiv(a.x - originX_, s), 0, width);
    const int32_t y0 = std::clamp(FloorDiv(a.y - originY_, s), 0, height);
    const int32_t x1 = std::clamp(CeilDiv(a.x + a.width - originX_, s), x0, width);
    const int32_t y1 = std::clamp(CeilDiv(a.y + a.height - originY_, s), y0, height);
    return {x0, y0, x1 - x0, y1 - y0};
}

bool ForeignWindowPainter::CoversArea(int32_t width, int32_t height) const {
    if (area_.width <= 0) return originX_ <= 0 && originY_ <= 0;
    return originX_ <= area_.x && originY_ <= area_.y &&
           originX_ + width * scale_ >= area_.x + area_.width &&
           originY_ + height * scale_ >= area_.y + area_.height;
}

void ForeignWindowPainter::ApplyClip() {
    const PixelRect& e = excluded_;
    const bool excluded = e.width > 0 && e.height > 0;
    if (!excluded && area_.width <= 0) {
        if (clipSet_) {
            const uint32_t none = XCB_NONE;
            xcb_change_gc(connection_, gc_, XCB_GC_CLIP_MASK, &none);
            if (windowPicture_ != 0) {
                xcb_render_change_picture(connection_, windowPicture_, XCB_RENDER_CP_CLIP_MASK,
                                          &none);
            }
            clipSet_ = false;
        }
        return;
    }
    // The area, less the excluded part, in bands from the top.
    const PixelRect a = area_.width > 0 ? area_ : PixelRect{0, 0, kFarEdge, kFarEdge};
    const int32_t ax1 = a.x + a.width, ay1 = a.y + a.height;
    int32_t left = ax1, top = ay1, right = ax1, bottom = ay1;
    if (excluded) {
        left = std::clamp(e.x, a.x, ax1);
        top = std::clamp(e.y, a.y, ay1);
        right = std::clamp(e.x + e.width, left, ax1);
        bottom = std::clamp(e.y + e.height, top, ay1);
    }
    xcb_rectangle_t rects[4];
    int n = 0;
    auto add = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        if (x1 > x0 && y1 > y0) {
            rects[n++] = {static_cast<int16_t>(x0), static_cast<int16_t>(y0),
                          static_cast<uint16_t>(x1 - x0), static_cast<uint16_t>(y1 - y0)};
        }
    };
    add(a.x, a.y, ax1, top);
    add(a.x, top, left, bottom);
    add(right, top, ax1, bottom);
    add(a.x, bottom, ax1, ay1);
    xcb_set_clip_rectangles(connection_, XCB_CLIP_ORDERING_YX_BANDED, gc_, 0, 0,
                            static_cast<uint32_t>(n), rects);
    if (windowPicture_ != 0) {
        xcb_render_set_picture_clip_rectangles(connection_, windowPicture_, 0, 0,
                                               static_cast<uint32_t>(n), rects);
    }
    clipSet_ = true;
}

bool ForeignWindowPainter::PrepareRender() {
    renderTried_ = true;
    xcb_connection_t* c = connection_;
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_render_id);
    if (!ext || !ext->present) return false;
    // Transforms and filters came with version 0.6.
    xcb_render_query_version_reply_t* version =
        xcb_render_query_version_reply(c, xcb_render_query_version(c, 0, 11), nullptr);
    if (!version) return false;
    const bool recent = version->major_version > 0 || version->minor_version >= 6;
    std::free(version);
    // The surface's memory becomes a pixmap of the server's.
    if (!recent || !sharedPixmaps_) return false;
    xcb_render_query_pict_formats_reply_t* formats =
        xcb_render_query_pict_formats_reply(c, xcb_render_query_pict_formats(c), nullptr);
    if (!formats) return false;
    // The surface's words: 24 bits of colour in the usual places, no alpha.
    for (xcb_render_pictforminfo_iterator_t f =
             xcb_render_query_pict_formats_formats_iterator(formats);
         f.rem; xcb_render_pictforminfo_next(&f)) {
        const xcb_render_directformat_t& d = f.data->direct;
        if (f.data->type == XCB_RENDER_PICT_TYPE_DIRECT && f.data->depth == 24 &&
            d.red_shift == 16 && d.red_mask == 0xFF && d.green_shift == 8 && d.green_mask == 0xFF &&
            d.blue_shift == 0 && d.blue_mask == 0xFF && d.alpha_mask == 0) {
            sourceFormat_ = f.data->id;
        }
    }
    for (xcb_render_pictscreen_iterator_t sc =
             xcb_render_query_pict_formats_screens_iterator(formats);
         sc.rem && windowFormat_ == 0; xcb_render_pictscreen_next(&sc)) {
        for (xcb_render_pictdepth_iterator_t d = xcb_render_pictscreen_depths_iterator(sc.data);
             d.rem && windowFormat_ == 0; xcb_render_pictdepth_next(&d)) {
            for (xcb_render_pictvisual_iterator_t v = xcb_render_pictdepth_visuals_iterator(d.data);
                 v.rem; xcb_render_pictvisual_next(&v)) {
                if (v.data->visual == visual_) {
                    windowFormat_ = v.data->format;
                    break;
                }
            }
        }
    }
    std::free(formats);
    if (sourceFormat_ == 0 || windowFormat_ == 0) return false;
    windowPicture_ = xcb_generate_id(c);
    xcb_render_create_picture(c, windowPicture_, window_, windowFormat_, 0, nullptr);
    clipSet_ = true;  // the picture's clip is set anew now
    ApplyClip();
    return true;
}

bool ForeignWindowPainter::SourcePicture(const X11SharedMemory& memory, int32_t width,
                                         int32_t height) {
    if (sourcePicture_ != 0 && sourceMemory_ == &memory && sourceWidth_ == width &&
        sourceHeight_ == height && sourceScale_ == scale_) {
        return true;
    }
    xcb_connection_t* c = connection_;
    if (sourcePicture_ != 0) xcb_render_free_picture(c, sourcePicture_);
    if (sourcePixmap_ != 0) xcb_free_pixmap(c, sourcePixmap_);
    sourcePixmap_ = xcb_generate_id(c);
    xcb_shm_create_pixmap(c, sourcePixmap_, window_, static_cast<uint16_t>(width),
                          static_cast<uint16_t>(height), 24, memory.Segment(), 0);
    sourcePicture_ = xcb_generate_id(c);
    xcb_render_create_picture(c, sourcePicture_, sourcePixmap_, sourceFormat_, 0, nullptr);
    // Every window pixel takes the surface pixel it lies in.
    const auto unit = static_cast<xcb_render_fixed_t>(65536 / scale_);
    const xcb_render_transform_t shrink{unit, 0, 0, 0, unit, 0, 0, 0, 65536};
    xcb_render_set_picture_transform(c, sourcePicture_, shrink);
    static constexpr char kNearest[] = "nearest";
    xcb_render_set_picture_filter(c, sourcePicture_, sizeof(kNearest) - 1, kNearest, 0, nullptr);
    sourceMemory_ = &memory;
    sourceWidth_ = width;
    sourceHeight_ = height;
    sourceScale_ = scale_;
    return true;
}

void ForeignWindowPainter::FreeRender() {
    if (!connection_) return;
    if (sourcePicture_ != 0) xcb_render_free_picture(connection_, sourcePicture_);
    if (sourcePixmap_ != 0) xcb_free_pixmap(connection_, sourcePixmap_);
    if (windowPicture_ != 0) xcb_render_free_picture(connection_, windowPicture_);
    if (tilePicture_ != 0) xcb_render_free_picture(connection_, tilePicture_);
    sourcePicture_ = sourcePixmap_ = windowPicture_ = tilePicture_ = 0;
    sourceMemory_ = nullptr;
}

void ForeignWindowPainter::SurfacePixmap(const X11SharedMemory& memory, int32_t width,
                                         int32_t height) {
    if (surfacePixmap_ != 0 && pixmapMemory_ == &memory && pixmapSegment_ == memory.Segment() &&
        pixmapWidth_ == width && pixmapHeight_ == height) {
        return;
    }
    FreeSurfacePixmap();
    xcb_connection_t* c = connection_;
    surfacePixmap_ = xcb_generate_id(c);
    xcb_shm_create_pixmap(c, surfacePixmap_, window_, static_cast<uint16_t>(width),
                          static_cast<uint16_t>(height), depth_, memory.Segment(), 0);
    pixmapMemory_ = &memory;
    pixmapSegment_ = memory.Segment();
    pixmapWidth_ = width;
    pixmapHeight_ = height;
}

void ForeignWindowPainter::FreeSurfacePixmap() {
    if (surfacePixmap_ != 0 && connection_) xcb_free_pixmap(connection_, surfacePixmap_);
    surfacePixmap_ = 0;
    pixmapMemory_ = nullptr;
}

namespace {

// The window's part of the tiles, less an excluded rectangle: the clip of
// a copy, in the window's pixels. The tiles come band by band (each band's
// tiles share their rows, left to right, none overlapping) and so do the
// clip's rectangles, which lets the display take them without sorting.
void TileClip(const std::vector<PixelRect>& tiles, int32_t scale, int32_t originX, int32_t originY,
              const PixelRect& area, const PixelRect& excluded, std::vector<xcb_rectangle_t>& out) {
    out.clear();
    const int32_t ax0 = area.x, ay0 = area.y;
    const int32_t ax1 = area.x + area.width, ay1 = area.y + area.height;
    const bool cut = excluded.width > 0 && excluded.height > 0;
    const int32_t ex0 = excluded.x, ey0 = excluded.y;
    const int32_t ex1 = excluded.x + excluded.width, ey1 = excluded.y + excluded.height;
    auto add = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        if (x1 > x0 && y1 > y0) {
            out.push_back({static_cast<int16_t>(x0), static_cast<int16_t>(y0),
                           static_cast<uint16_t>(x1 - x0), static_cast<uint16_t>(y1 - y0)});
        }
    };
    for (size_t i = 0; i < tiles.size();) {
        // One band: its rows in the window, within the area.
        const int32_t ty = tiles[i].y;
        size_t end = i;
        while (end < tiles.size() && tiles[end].y == ty)
            ++end;
        const int32_t y0 = std::max(originY + ty * scale, ay0);
        const int32_t y1 = std::min(originY + (ty + tiles[i].height) * scale, ay1);
        if (y1 > y0) {
            // The excluded rectangle splits the band into up to three bands:
            // above it, beside it, below it.
            const int32_t splits[4] = {y0, cut ? std::clamp(ey0, y0, y1) : y1,
                                       cut ? std::clamp(ey1, y0, y1) : y1, y1};
            for (int part = 0; part < 3; ++part) {
                const int32_t top = splits[part], bottom = splits[part + 1];
                if (bottom <= top) continue;
                const bool beside = cut && part == 1;
                for (size_t j = i; j < end; ++j) {
                    const int32_t x0 = std::max(originX + tiles[j].x * scale, ax0);
                    const int32_t x1 =
                        std::min(originX + (tiles[j].x + tiles[j].width) * scale, ax1);
                    if (beside) {
                        add(x0, top, std::min(x1, ex0), bottom);
                        add(std::max(x0, ex1), top, x1, bottom);
                    } else {
                        add(x0, top, x1, bottom);
                    }
                }
            }
        }
        i = end;
    }
}

}  // namespace

bool ForeignWindowPainter::SendTilesAtOnce(const DrawingSurface& surface,
                                           const std::vector<PixelRect>& tiles) {
    if (!render_ && !(direct_ && sharedPixmaps_ && direct_->Writable())) return false;
    xcb_connection_t* c = connection_;
    if (render_) {
        if (tilePicture_ == 0) {
            tilePicture_ = xcb_generate_id(c);
            xcb_render_create_picture(c, tilePicture_, window_, windowFormat_, 0, nullptr);
        }
    } else {
        if (tileGc_ == 0) {
            tileGc_ = xcb_generate_id(c);
            const uint32_t values[] = {0};
            xcb_create_gc(c, tileGc_, window_, XCB_GC_GRAPHICS_EXPOSURES, values);
        }
        SurfacePixmap(*direct_, surface.width(), surface.height());
    }
    const int32_t s = scale_;
    // The picture's part of the area, in the window's pixels.
    const PixelRect visible = VisiblePart(surface.width(), surface.height());
    PixelRect area{originX_ + visible.x * s, originY_ + visible.y * s, visible.width * s,
                   visible.height * s};
    if (area_.width > 0) {
        const int32_t x0 = std::max(area.x, area_.x), y0 = std::max(area.y, area_.y);
        const int32_t x1 = std::min(area.x + area.width, area_.x + area_.width);
        const int32_t y1 = std::min(area.y + area.height, area_.y + area_.height);
        area = {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
    }
    {
        // Within what the protocol counts.
        const int32_t x0 = std::clamp(area.x, 0, kFarEdge), y0 = std::clamp(area.y, 0, kFarEdge);
        const int32_t x1 = std::clamp(area.x + area.width, x0, kFarEdge);
        const int32_t y1 = std::clamp(area.y + area.height, y0, kFarEdge);
        area = {x0, y0, x1 - x0, y1 - y0};
    }
    TileClip(tiles, s, originX_, originY_, area, excluded_, tileClip_);
    // As many rectangles to a request as the display takes.
    const size_t perRequest = std::clamp<size_t>((maxRequestBytes_ - 16) / 8, 1, 8192);
    for (size_t first = 0; first < tileClip_.size(); first += perRequest) {
        const size_t n = std::min(perRequest, tileClip_.size() - first);
        const xcb_rectangle_t* rects = tileClip_.data() + first;
        int32_t x0 = kFarEdge, y0 = kFarEdge, x1 = 0, y1 = 0;
        for (size_t k = 0; k < n; ++k) {
            x0 = std::min<int32_t>(x0, rects[k].x);
            y0 = std::min<int32_t>(y0, rects[k].y);
            x1 = std::max<int32_t>(x1, rects[k].x + rects[k].width);
            y1 = std::max<int32_t>(y1, rects[k].y + rects[k].height);
        }
        const auto count = static_cast<uint32_t>(n);
        if (render_) {
            xcb_render_set_picture_clip_rectangles(c, tilePicture_, 0, 0, count, rects);
            xcb_render_composite(c, XCB_RENDER_PICT_OP_SRC, sourcePicture_, XCB_NONE, tilePicture_,
                                 static_cast<int16_t>(x0 - originX_),
                                 static_cast<int16_t>(y0 - originY_), 0, 0,
                                 static_cast<int16_t>(x0), static_cast<int16_t>(y0),
                                 static_cast<uint16_t>(x1 - x0), static_cast<uint16_t>(y1 - y0));
        } else {
            xcb_set_clip_rectangles(c, XCB_CLIP_ORDERING_YX_BANDED, tileGc_, 0, 0, count, rects);
            xcb_copy_area(c, surfacePixmap_, window_, tileGc_, static_cast<int16_t>(x0 - originX_),
                          static_cast<int16_t>(y0 - originY_), static_cast<int16_t>(x0),
                          static_cast<int16_t>(y0), static_cast<uint16_t>(x1 - x0),
                          static_cast<uint16_t>(y1 - y0));
        }
    }
    return true;
}

void ForeignWindowPainter::SizeImage(int32_t width, int32_t height) {
    const size_t padBytes = scanlinePad_ / 8;
    const int32_t windowWidth = width * scale_, windowHeight = height * scale_;
    imageRowBytes_ = (static_cast<size_t>(windowWidth) * (bitsPerPixel_ / 8) + padBytes - 1) /
                     padBytes * padBytes;
    imageWidth_ = width;
    imageHeight_ = height;
    image_.reset();
    // A picture converted for the window's visual (or enlarged), where the
    // surface's own pixels cannot be shown as they are.
    if ((!usual_ || (scale_ > 1 && !render_)) && useShared_ && sharedPossible_) {
        image_ = X11SharedMemory::Create(connection_,
                                         imageRowBytes_ * static_cast<size_t>(windowHeight));
        if (!image_) sharedPossible_ = false;
    }
}

void ForeignWindowPainter::FillBlack() {
    const xcb_rectangle_t all =
        area_.width > 0
            ? xcb_rectangle_t{static_cast<int16_t>(area_.x), static_cast<int16_t>(area_.y),
                              static_cast<uint16_t>(area_.width),
                              static_cast<uint16_t>(area_.height)}
            : xcb_rectangle_t{0, 0, 32767, 32767};
    xcb_poly_fill_rectangle(connection_, window_, gc_, 1, &all);
}

void ForeignWindowPainter::ConvertRect(const uint32_t* pixels, int32_t stride, const PixelRect& r,
                                       uint8_t* out, size_t outRowBytes) const {
    const ChannelPlace red(redMask_), green(greenMask_), blue(blueMask_);
    const int32_t s = scale_;
    const size_t bytesPerPixel = bitsPerPixel_ / 8;
    for (int32_t y = 0; y < r.height; ++y) {
        const uint32_t* in =
            pixels + static_cast<size_t>(r.y + y) * static_cast<size_t>(stride) + r.x;
        uint8_t* row = out + static_cast<size_t>(y) * static_cast<size_t>(s) * outRowBytes;
        if (usual_) {
            if (s == 1) {
                std::memcpy(row, in, static_cast<size_t>(r.width) * 4);
            } else {
                WidenRow(in, reinterpret_cast<uint32_t*>(row), r.width, s);
            }
        } else if (bitsPerPixel_ == 32) {
            ConvertRow32(in, row, r.width, red, green, blue, opaque_, msbFirst_);
        } else {
            ConvertRow16(in, row, r.width, red, green, blue, msbFirst_);
        }
        if (s > 1 && !usual_) {
            // Widen the converted row in place, from its end backwards.
            for (int32_t x = r.width - 1; x >= 0; --x) {
                const uint8_t* from = row + static_cast<size_t>(x) * bytesPerPixel;
                for (int32_t k = s - 1; k >= 0; --k) {
                    std::memmove(row + (static_cast<size_t>(x) * s + k) * bytesPerPixel, from,
                                 bytesPerPixel);
                }
            }
        }
        const size_t rowBytes = static_cast<size_t>(r.width) * s * bytesPerPixel;
        for (int32_t k = 1; k < s; ++k)
            std::memcpy(row + static_cast<size_t>(k) * outRowBytes, row, rowBytes);
    }
}

void ForeignWindowPainter::PutShared(const X11SharedMemory& memory, int32_t totalWidth,
                                     int32_t totalHeight, const PixelRect& r, int32_t atX,
                                     int32_t atY) {
    xcb_shm_put_image(connection_, window_, gc_, static_cast<uint16_t>(totalWidth),
                      static_cast<uint16_t>(totalHeight), static_cast<uint16_t>(r.x),
                      static_cast<uint16_t>(r.y), static_cast<uint16_t>(r.width),
                      static_cast<uint16_t>(r.height), static_cast<int16_t>(atX + r.x),
                      static_cast<int16_t>(atY + r.y), depth_, XCB_IMAGE_FORMAT_Z_PIXMAP, 0,
                      memory.Segment(), 0);
}

void ForeignWindowPainter::SendRect(const DrawingSurface& surface, PixelRect r) {
    // Only what lands in the area goes.
    const PixelRect visible = VisiblePart(surface.width(), surface.height());
    const int32_t x0 = std::max(r.x, visible.x), y0 = std::max(r.y, visible.y);
    const int32_t x1 = std::min(r.x + r.width, visible.x + visible.width);
    const int32_t y1 = std::min(r.y + r.height, visible.y + visible.height);
    if (x1 <= x0 || y1 <= y0) return;
    r = {x0, y0, x1 - x0, y1 - y0};
    const int32_t s = scale_;
    if (render_) {
        // The server reads the surface's memory and enlarges it.
        xcb_render_composite(
            connection_, XCB_RENDER_PICT_OP_SRC, sourcePicture_, XCB_NONE, windowPicture_,
            static_cast<int16_t>(r.x * s), static_cast<int16_t>(r.y * s), 0, 0,
            static_cast<int16_t>(originX_ + r.x * s), static_cast<int16_t>(originY_ + r.y * s),
            static_cast<uint16_t>(r.width * s), static_cast<uint16_t>(r.height * s));
        return;
    }
    if (direct_) {
        // The surface's own memory is what the server reads.
        PutShared(*direct_, surface.width(), surface.height(), r, originX_, originY_);
        return;
    }
    const uint32_t* pixels = surface.pixels().data();
    const int32_t stride = surface.width();
    const size_t bytesPerPixel = bitsPerPixel_ / 8;
    if (image_) {
        uint8_t* at = image_->Data() + static_cast<size_t>(r.y) * s * imageRowBytes_ +
                      static_cast<size_t>(r.x) * s * bytesPerPixel;
        ConvertRect(pixels, stride, r, at, imageRowBytes_);
        PutShared(*image_, imageWidth_ * s, imageHeight_ * s,
                  PixelRect{r.x * s, r.y * s, r.width * s, r.height * s}, originX_, originY_);
        return;
    }
    // Through the connection, in strips of rows that fit a request.
    const size_t padBytes = scanlinePad_ / 8;
    const size_t rowBytes =
        (static_cast<size_t>(r.width) * s * bytesPerPixel + padBytes - 1) / padBytes * padBytes;
    const size_t bandBytes = rowBytes * static_cast<size_t>(s);
    if (bandBytes > maxRequestBytes_) return;
    const int32_t rowsPerStrip =
        static_cast<int32_t>(std::clamp<size_t>(maxRequestBytes_ / bandBytes, 1, 4096));
    for (int32_t top = 0; top < r.height; top += rowsPerStrip) {
        const PixelRect strip{r.x, r.y + top, r.width, std::min(rowsPerStrip, r.height - top)};
        strip_.assign(bandBytes * static_cast<size_t>(strip.height), 0);
        ConvertRect(pixels, stride, strip, strip_.data(), rowBytes);
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                      static_cast<uint16_t>(strip.width * s),
                      static_cast<uint16_t>(strip.height * s),
                      static_cast<int16_t>(originX_ + strip.x * s),
                      static_cast<int16_t>(originY_ + strip.y * s), 0, depth_,
                      static_cast<uint32_t>(strip_.size()), strip_.data());
    }
}

bool ForeignWindowPainter::Present(const DrawingSurface& surface) {
    return Present(surface, surface.TakeChanges());
}

bool ForeignWindowPainter::Present(const DrawingSurface& surface, const SurfaceChanges& changes) {
    if (!prepared_) usable_ = Prepare();
    if (!usable_ || xcb_connection_has_error(connection_)) return false;
    const int32_t width = surface.width(), height = surface.height();
    if (surface.pixels().size() < static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return false;
    }
    // The picture in window pixels stays within what the protocol counts.
    if (std::max(width, height) * scale_ > kFarEdge) SetScale(kFarEdge / std::max(width, height));
    // Rows of the surface are whole words, which the display takes as they
    // are only with a scanline pad of at most 32 bits.
    const auto* shared = dynamic_cast<const X11SharedMemory*>(surface.Memory());
    const bool readable = usual_ && useShared_ && shared && shared->Connection() == connection_ &&
                          (static_cast<size_t>(width) * 4) % (scanlinePad_ / 8) == 0;
    direct_ = readable && scale_ == 1 ? shared : nullptr;
    render_ = false;
    if (readable && scale_ > 1 && shared->Writable()) {
        if (!renderTried_) renderPossible_ = PrepareRender();
        render_ = renderPossible_ && SourcePicture(*shared, width, height);
    }
    if (width != imageWidth_ || height != imageHeight_) {
        SizeImage(width, height);
        whole_ = true;
    }
    if (changes.cleared || !whole_) {
        // After a clear all is black but what was drawn since: no need to
        // send the rest.
        if (changes.cleared) FillBlack();
        if (changes.rects && !SendTilesAtOnce(surface, *changes.rects)) {
            JoinBands(*changes.rects, joined_, above_, here_);
            for (const PixelRect& r : joined_)
                SendRect(surface, r);
        }
    } else {
        if (!CoversArea(width, height)) FillBlack();
        SendRect(surface, PixelRect{0, 0, width, height});
    }
    whole_ = false;
    xcb_flush(connection_);
    return true;
}

}  // namespace orrelume
