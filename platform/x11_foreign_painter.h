// Draws a drawing surface straight into an X window through the X protocol,
// past the toolkit: the host window of a preview (another program's), or a
// window of ours whose frames would otherwise go through the toolkit's
// painting. Each frame sends only what changed since the one before, so a
// frame costs what it drew, not what the window holds. Where the display
// offers shared memory and the surface keeps its pixels there
// (SharedPixelAllocator), the server reads them where they are: a frame is
// then a handful of requests.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "driver/drawing_surface.h"
#include "platform/painter_geometry.h"
#include "platform/x11_shm_image.h"

namespace orrelume {

// The way a painter's frames reach the window, chosen from what the display
// offers, the window's visual and the surface's memory; chosen again only
// when the surface's size, memory or scale changes.
enum class PainterTransport {
    kNone,  // not chosen yet
    // The surface's memory as a pixmap of the server's (a segment it attached
    // for writing too): a frame's tiles go in one clipped copy.
    kSharedPixmap,
    // That pixmap enlarged by the server itself (RENDER), at a scale above 1.
    kSharedRender,
    // The server reads the surface's memory a rectangle at a time (a segment
    // attached read-only, or a display without shared pixmaps).
    kSharedSurface,
    // Converted for the visual (or enlarged) into a segment of the painter's
    // own, which the server reads.
    kSharedConverted,
    // Every pixel through the connection (no shared memory), converted where
    // the visual needs it.
    kPutImage,
};
// A short name for traces and messages ("shared-pixmap").
const char* TransportName(PainterTransport way);

// Where each painter reports the way it takes (and each change of it): a
// line "painter WINDOW WAY depth DEPTH BITS-bit". None by default.
void SetPainterTrace(void (*trace)(std::string_view event));

class ForeignWindowPainter {
  public:
    // Draws into `window` through `connection`, which stays the caller's.
    // `useShared` false sends every pixel through the connection.
    ForeignWindowPainter(xcb_connection_t* connection, uint32_t window, bool useShared = true);
    ~ForeignWindowPainter();
    ForeignWindowPainter(const ForeignWindowPainter&) = delete;
    ForeignWindowPainter& operator=(const ForeignWindowPainter&) = delete;

    // Shows the surface at the window's top-left corner: what changed since
    // the last call (taking the surface's changes), or all of it the first
    // time, after Invalidate and after a change of size. False when nothing
    // could be sent: the window is gone, or its visual is not a true-colour
    // one of 16 or 32 bits per pixel.
    bool Present(const DrawingSurface& surface);
    // The same with changes already taken from the surface: several
    // painters may show one surface (one per monitor), each given the same
    // changes.
    bool Present(const DrawingSurface& surface, const SurfaceChanges& changes);
    // The window lost what it showed (it was exposed): the next Present
    // sends everything.
    void Invalidate() { whole_ = true; }
    // A part of the window never drawn into (a child window's area); an
    // empty rectangle for none.
    void SetExcluded(const PixelRect& area);
    // Each surface pixel covers `scale` x `scale` window pixels (1..8): a
    // surface kept at a fraction of the window's size, shown whole.
    void SetScale(int32_t scale);
    // Where the surface's top-left pixel goes in the window (it may lie
    // outside: a picture larger than the area is cropped), and the part of
    // the window this painter owns (an empty rectangle: all of it). What
    // the picture leaves of the area is black.
    void SetPlacement(int32_t originX, int32_t originY, const PixelRect& area);

    uint32_t Window() const { return window_; }
    // The way frames go (known after the first Present).
    PainterTransport Transport() const { return way_; }
    // Whether frames go through shared memory (known after the first
    // Present).
    bool SharedMemory() const {
        return way_ != PainterTransport::kNone && way_ != PainterTransport::kPutImage;
    }

  private:
    bool Prepare();
    // Enlarging on the server: the surface's shared memory as a picture
    // that the display scales into the window itself (RENDER), so the
    // program's work stays that of the smaller picture. False where the
    // display cannot.
    bool PrepareRender();
    bool SourcePicture(const X11SharedMemory& memory, int32_t width, int32_t height);
    void FreeRender();
    // Picks the way for a surface of the size in `shared` (or in memory of
    // its own: null), and traces it when it changed.
    void Choose(const X11SharedMemory* shared, int32_t width, int32_t height);
    // The converted picture for a surface of the size, in a segment where
    // `converted` and the display offers one.
    void SizeImage(int32_t width, int32_t height, bool converted);
    void ApplyClip();
    void FillBlack();
    // Sends a part of the surface (converted, where the window's visual
    // needs it), whose pixels, with the canvas's writes in, are `pixels`.
    void SendRect(const DrawingSurface& surface, PixelRect r, const uint32_t* pixels);
    // Sends all the changed tiles at once where the display reads the
    // surface's memory as a pixmap of its own: the tiles become the clip of
    // one copy (a request of 8 bytes a tile instead of one request a tile).
    // False where it cannot; the tiles then go one run at a time.
    bool SendTilesAtOnce(const DrawingSurface& surface, const std::vector<PixelRect>& tiles);
    // The surface's memory as a pixmap of the display, for SendTilesAtOnce.
    void SurfacePixmap(const X11SharedMemory& memory, int32_t width, int32_t height);
    void FreeSurfacePixmap();
    // Sends the part `r` of a picture in `memory` to the window, where the
    // picture's top-left pixel lies at (atX, atY).
    void PutShared(const X11SharedMemory& memory, int32_t totalWidth, int32_t totalHeight,
                   const PixelRect& r, int32_t atX, int32_t atY);
    Placement Place() const { return {scale_, originX_, originY_, area_}; }

    xcb_connection_t* connection_;
    uint32_t window_;
    bool useShared_;
    uint32_t gc_ = 0;
    bool prepared_ = false;
    bool usable_ = false;
    bool whole_ = true;
    uint8_t depth_ = 0;
    PixelFormat format_;
    bool sharedPossible_ = false;
    PainterTransport way_ = PainterTransport::kNone;
    // What the way was chosen for.
    const X11SharedMemory* chosenMemory_ = nullptr;
    uint32_t chosenSegment_ = 0;
    int32_t chosenWidth_ = 0, chosenHeight_ = 0, chosenScale_ = 0;
    // The surface's memory, when the server reads it directly.
    const X11SharedMemory* surfaceMemory_ = nullptr;
    // The picture converted for the window's visual, in memory the server
    // reads (kSharedConverted).
    std::unique_ptr<X11SharedMemory> image_;
    int32_t imageWidth_ = 0, imageHeight_ = 0;
    size_t imageRowBytes_ = 0;
    size_t maxRequestBytes_ = 0;
    // The rectangles to send, and the bookkeeping of joining them.
    std::vector<PixelRect> joined_;
    std::vector<size_t> above_, here_;
    // A part on its way through the connection, without shared memory.
    std::vector<uint8_t> strip_;
    PixelRect excluded_;
    bool clipSet_ = false;
    int32_t scale_ = 1;
    int32_t originX_ = 0, originY_ = 0;
    PixelRect area_;
    uint32_t visual_ = 0;
    bool renderTried_ = false, renderPossible_ = false;
    uint32_t sourceFormat_ = 0, windowFormat_ = 0;
    uint32_t windowPicture_ = 0, sourcePixmap_ = 0, sourcePicture_ = 0;
    const X11SharedMemory* sourceMemory_ = nullptr;
    uint32_t sourceSegment_ = 0;
    int32_t sourceWidth_ = 0, sourceHeight_ = 0, sourceScale_ = 0;
    // The display makes pixmaps of shared memory.
    bool sharedPixmaps_ = false;
    // The surface's memory as a pixmap, and the clip of each frame's copy:
    // a graphics context (or a window picture, when enlarging) of its own,
    // so the area's clip stays on the other.
    uint32_t surfacePixmap_ = 0, tileGc_ = 0, tilePicture_ = 0;
    const X11SharedMemory* pixmapMemory_ = nullptr;
    uint32_t pixmapSegment_ = 0;
    int32_t pixmapWidth_ = 0, pixmapHeight_ = 0;
    std::vector<xcb_rectangle_t> tileClip_;
};

// The toolkit's own X connection, when it runs on an X display; null
// otherwise. Drawing through it keeps our frames in order with what the
// toolkit paints into the same window.
xcb_connection_t* ToolkitConnection();

}  // namespace orrelume
