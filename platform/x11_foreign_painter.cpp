#include "platform/x11_foreign_painter.h"

#include <xcb/render.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>

namespace orrelume {

namespace {

void (*gPainterTrace)(std::string_view event) = nullptr;

}  // namespace

void SetPainterTrace(void (*trace)(std::string_view event)) {
    gPainterTrace = trace;
}

const char* TransportName(PainterTransport way) {
    switch (way) {
        case PainterTransport::kNone:
            return "none";
        case PainterTransport::kSharedPixmap:
            return "shared-pixmap";
        case PainterTransport::kSharedRender:
            return "shared-render";
        case PainterTransport::kSharedSurface:
            return "shared-surface";
        case PainterTransport::kSharedConverted:
            return "shared-converted";
        case PainterTransport::kPutImage:
            return "put-image";
    }
    return "none";
}

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
    uint8_t bitsPerPixel = 0, scanlinePad = 32;
    for (xcb_format_iterator_t f = xcb_setup_pixmap_formats_iterator(setup); f.rem;
         xcb_format_next(&f)) {
        if (f.data->depth == depth_) {
            bitsPerPixel = f.data->bits_per_pixel;
            scanlinePad = f.data->scanline_pad;
        }
    }
    uint32_t red = 0, green = 0, blue = 0;
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
                    red = v.data->red_mask;
                    green = v.data->green_mask;
                    blue = v.data->blue_mask;
                    found = true;
                }
                break;
            }
        }
    }
    if (!found || (bitsPerPixel != 32 && bitsPerPixel != 16)) return false;
    format_ = FormatOf(depth_, bitsPerPixel, scanlinePad, red, green, blue,
                       setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST);
    // The longest request the display takes, less the request's own header.
    maxRequestBytes_ = static_cast<size_t>(xcb_get_maximum_request_length(c)) * 4 - 64;

    gc_ = xcb_generate_id(c);
    const uint32_t values[] = {format_.opaque, 0};
    xcb_create_gc(c, gc_, window_, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES, values);
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
    originX = std::clamp(originX, -kFarEdge, kFarEdge);
    originY = std::clamp(originY, -kFarEdge, kFarEdge);
    PixelRect a;
    if (area.width > 0 && area.height > 0) {
        a.x = std::clamp(area.x, 0, kFarEdge);
        a.y = std::clamp(area.y, 0, kFarEdge);
        a.width = std::clamp(area.width, 0, kFarEdge - a.x);
        a.height = std::clamp(area.height, 0, kFarEdge - a.y);
    }
    if (originX == originX_ && originY == originY_ && a == area_) return;
    originX_ = originX;
    originY_ = originY;
    area_ = a;
    whole_ = true;
    if (prepared_ && usable_) ApplyClip();
}

void ForeignWindowPainter::ApplyClip() {
    if (area_.width <= 0 && (excluded_.width <= 0 || excluded_.height <= 0)) {
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
    const std::vector<xcb_rectangle_t> rects = AreaClip(area_, excluded_);
    const auto n = static_cast<uint32_t>(rects.size());
    xcb_set_clip_rectangles(connection_, XCB_CLIP_ORDERING_YX_BANDED, gc_, 0, 0, n, rects.data());
    if (windowPicture_ != 0) {
        xcb_render_set_picture_clip_rectangles(connection_, windowPicture_, 0, 0, n, rects.data());
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
    if (sourcePicture_ != 0 && sourceMemory_ == &memory && sourceSegment_ == memory.Segment() &&
        sourceWidth_ == width && sourceHeight_ == height && sourceScale_ == scale_) {
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
    sourceSegment_ = memory.Segment();
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

bool ForeignWindowPainter::SendTilesAtOnce(const DrawingSurface& surface,
                                           const std::vector<PixelRect>& tiles) {
    xcb_connection_t* c = connection_;
    if (way_ == PainterTransport::kSharedRender) {
        if (tilePicture_ == 0) {
            tilePicture_ = xcb_generate_id(c);
            xcb_render_create_picture(c, tilePicture_, window_, windowFormat_, 0, nullptr);
        }
    } else if (way_ == PainterTransport::kSharedPixmap) {
        if (tileGc_ == 0) {
            tileGc_ = xcb_generate_id(c);
            const uint32_t values[] = {0};
            xcb_create_gc(c, tileGc_, window_, XCB_GC_GRAPHICS_EXPOSURES, values);
        }
        SurfacePixmap(*surfaceMemory_, surface.width(), surface.height());
    } else {
        return false;
    }
    // The picture's part of the area, in the window's pixels.
    TileClip(tiles, Place(), CopyArea(Place(), surface.width(), surface.height()), excluded_,
             tileClip_);
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
        if (way_ == PainterTransport::kSharedRender) {
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

void ForeignWindowPainter::SizeImage(int32_t width, int32_t height, bool converted) {
    imageRowBytes_ = format_.RowBytes(width * scale_);
    imageWidth_ = width;
    imageHeight_ = height;
    image_.reset();
    // A picture converted for the window's visual (or enlarged), where the
    // surface's own pixels cannot be shown as they are.
    if (converted && useShared_ && sharedPossible_) {
        image_ = X11SharedMemory::Create(connection_,
                                         imageRowBytes_ * static_cast<size_t>(height * scale_));
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

void ForeignWindowPainter::SendRect(const DrawingSurface& surface, PixelRect r,
                                    const uint32_t* pixels) {
    // Only what lands in the area goes.
    const PixelRect visible = VisiblePart(Place(), surface.width(), surface.height());
    const int32_t x0 = std::max(r.x, visible.x), y0 = std::max(r.y, visible.y);
    const int32_t x1 = std::min(r.x + r.width, visible.x + visible.width);
    const int32_t y1 = std::min(r.y + r.height, visible.y + visible.height);
    if (x1 <= x0 || y1 <= y0) return;
    r = {x0, y0, x1 - x0, y1 - y0};
    const int32_t s = scale_;
    const int32_t stride = surface.width();
    const size_t bytesPerPixel = format_.bitsPerPixel / 8;
    switch (way_) {
        case PainterTransport::kNone:
            return;
        case PainterTransport::kSharedRender:
            // The server reads the surface's memory and enlarges it.
            xcb_render_composite(
                connection_, XCB_RENDER_PICT_OP_SRC, sourcePicture_, XCB_NONE, windowPicture_,
                static_cast<int16_t>(r.x * s), static_cast<int16_t>(r.y * s), 0, 0,
                static_cast<int16_t>(originX_ + r.x * s), static_cast<int16_t>(originY_ + r.y * s),
                static_cast<uint16_t>(r.width * s), static_cast<uint16_t>(r.height * s));
            return;
        case PainterTransport::kSharedPixmap:
        case PainterTransport::kSharedSurface:
            // The surface's own memory is what the server reads.
            PutShared(*surfaceMemory_, surface.width(), surface.height(), r, originX_, originY_);
            return;
        case PainterTransport::kSharedConverted: {
            uint8_t* at = image_->Data() + static_cast<size_t>(r.y) * s * imageRowBytes_ +
                          static_cast<size_t>(r.x) * s * bytesPerPixel;
            ConvertRect(format_, s, pixels, stride, r, at, imageRowBytes_);
            PutShared(*image_, imageWidth_ * s, imageHeight_ * s,
                      PixelRect{r.x * s, r.y * s, r.width * s, r.height * s}, originX_, originY_);
            return;
        }
        case PainterTransport::kPutImage:
            break;
    }
    // Through the connection, in strips of rows that fit a request.
    const size_t rowBytes = format_.RowBytes(r.width * s);
    const size_t bandBytes = rowBytes * static_cast<size_t>(s);
    if (bandBytes > maxRequestBytes_) return;
    const int32_t rowsPerStrip =
        static_cast<int32_t>(std::clamp<size_t>(maxRequestBytes_ / bandBytes, 1, 4096));
    for (int32_t top = 0; top < r.height; top += rowsPerStrip) {
        const PixelRect strip{r.x, r.y + top, r.width, std::min(rowsPerStrip, r.height - top)};
        strip_.assign(bandBytes * static_cast<size_t>(strip.height), 0);
        ConvertRect(format_, s, pixels, stride, strip, strip_.data(), rowBytes);
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                      static_cast<uint16_t>(strip.width * s),
                      static_cast<uint16_t>(strip.height * s),
                      static_cast<int16_t>(originX_ + strip.x * s),
                      static_cast<int16_t>(originY_ + strip.y * s), 0, depth_,
                      static_cast<uint32_t>(strip_.size()), strip_.data());
    }
}

void ForeignWindowPainter::Choose(const X11SharedMemory* shared, int32_t width, int32_t height) {
    // Rows of the surface are whole words, which the display takes as they
    // are only with a scanline pad of at most 32 bits.
    const bool readable = format_.TakesSurfaceWords() && useShared_ && shared &&
                          shared->Connection() == connection_ &&
                          (static_cast<size_t>(width) * 4) % (format_.scanlinePad / 8) == 0;
    PainterTransport way = PainterTransport::kNone;
    if (readable && scale_ == 1) {
        // A pixmap of the server's may live only in a segment it may write.
        way = sharedPixmaps_ && shared->Writable() ? PainterTransport::kSharedPixmap
                                                   : PainterTransport::kSharedSurface;
    } else if (readable && shared->Writable()) {
        if (!renderTried_) renderPossible_ = PrepareRender();
        if (renderPossible_ && SourcePicture(*shared, width, height)) {
            way = PainterTransport::kSharedRender;
        }
    }
    const bool resized = width != imageWidth_ || height != imageHeight_;
    const bool converted =
        way == PainterTransport::kNone && (!format_.TakesSurfaceWords() || scale_ > 1);
    // The converted picture is made anew with each size, and dropped where
    // the surface's own memory serves.
    if (resized || (converted && !image_) || (!converted && image_)) {
        SizeImage(width, height, converted);
    }
    if (way == PainterTransport::kNone) {
        way = image_ ? PainterTransport::kSharedConverted : PainterTransport::kPutImage;
    }
    surfaceMemory_ = readable ? shared : nullptr;
    chosenMemory_ = shared;
    chosenSegment_ = shared ? shared->Segment() : 0;
    chosenWidth_ = width;
    chosenHeight_ = height;
    chosenScale_ = scale_;
    if (way != way_ && gPainterTrace) {
        gPainterTrace("painter " + std::to_string(window_) + " " + TransportName(way) + " depth " +
                      std::to_string(depth_) + " " + std::to_string(format_.bitsPerPixel) + "-bit");
    }
    way_ = way;
}

bool ForeignWindowPainter::Present(const DrawingSurface& surface) {
    return Present(surface, surface.TakeChanges());
}

bool ForeignWindowPainter::Present(const DrawingSurface& surface, const SurfaceChanges& changes) {
    if (!prepared_) usable_ = Prepare();
    if (!usable_ || xcb_connection_has_error(connection_)) return false;
    const int32_t width = surface.width(), height = surface.height();
    // The canvas's writes still waiting go into the picture now, before the
    // server reads the surface's memory or the pixels are converted.
    const std::span<const uint32_t> pixels = surface.pixels();
    if (pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) return false;
    // The picture in window pixels stays within what the protocol counts.
    if (std::max(width, height) * scale_ > kFarEdge) SetScale(kFarEdge / std::max(width, height));
    const auto* shared = dynamic_cast<const X11SharedMemory*>(surface.Memory());
    if (width != imageWidth_ || height != imageHeight_) whole_ = true;
    if (way_ == PainterTransport::kNone || shared != chosenMemory_ ||
        (shared && shared->Segment() != chosenSegment_) || width != chosenWidth_ ||
        height != chosenHeight_ || scale_ != chosenScale_) {
        Choose(shared, width, height);
    }
    if (changes.cleared || !whole_) {
        // After a clear all is black but what was drawn since: no need to
        // send the rest.
        if (changes.cleared) FillBlack();
        if (changes.rects && !SendTilesAtOnce(surface, *changes.rects)) {
            JoinBands(*changes.rects, joined_, above_, here_);
            for (const PixelRect& r : joined_)
                SendRect(surface, r, pixels.data());
        }
    } else {
        if (!CoversArea(Place(), width, height)) FillBlack();
        SendRect(surface, PixelRect{0, 0, width, height}, pixels.data());
    }
    whole_ = false;
    xcb_flush(connection_);
    return true;
}

}  // namespace orrelume
