// The surface an animation draws on: a 32-bit framebuffer of the window or
// picture box, its centre, the projection scale, the focal length and the
// frame delay.
//
// It also keeps account of what changed since the frame was last shown (the
// tiles the canvas marked, and whether the picture was cleared), so that a
// window can send the display only that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "engine/canvas.h"

namespace orrelume {

struct PixelRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
};

// What changed in the picture since it was last shown.
struct SurfaceChanges {
    // The picture was made all black (cleared or resized) first: whatever
    // the window showed before is gone.
    bool cleared = false;
    // The parts drawn (after the clearing), as rectangles of whole tiles cut
    // at the picture's edges, band by band from the top, left to right
    // within a band; none overlap.
    const std::vector<PixelRect>* rects = nullptr;
};

// Memory that a surface keeps its pixels in, when not its own: memory that
// the display reads directly, say.
class PixelMemory {
  public:
    virtual ~PixelMemory() = default;
    virtual uint32_t* Words() = 0;
};
// Makes memory for the given number of words; null leaves the surface to
// its own memory.
using PixelAllocator = std::function<std::unique_ptr<PixelMemory>(size_t words)>;

class DrawingSurface {
  public:
    DrawingSurface();
    ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    // Where the pixels of the next size are kept (an empty allocator: the
    // surface's own memory).
    void SetPixelAllocator(PixelAllocator allocator) { allocator_ = std::move(allocator); }
    // The memory the pixels are in, when an allocator made it; else null.
    const PixelMemory* Memory() const { return memory_.get(); }

    // Sizes the framebuffer (cleared to black); sizes are kept within 1..32767.
    void SetSize(int32_t width, int32_t height);
    // Centres from the size, and the projection scale with an extra factor.
    void ComputeGeometry(float extraFactor);
    // Black background and clear. (Foreground, pen and line width are a
    // window's business; the framebuffer has none.)
    void ResetSurface() { ClearSurface(); }
    void ClearSurface();

    Canvas View();

    int16_t width() const { return width_; }
    int16_t height() const { return height_; }
    int16_t centerX() const { return centerX_; }
    int16_t centerY() const { return centerY_; }
    float projScale() const { return projScale_; }
    // The picture's width x height pixels, row after row, in the display's
    // order (Canvas::Pixel: blue in the low byte, the fourth byte set; a
    // 32-bit RGB image), then the canvas's spare word, with every write of
    // the canvas made so far. Writing here directly marks nothing: the
    // change is not shown until its tile is marked (MarkAll).
    std::span<const uint32_t> pixels() const {
        log_.Apply();
        return {words_, count_};
    }
    std::span<uint32_t> pixels() {
        log_.Apply();
        return {words_, count_};
    }

    // Hands what changed since the last call to whoever shows the picture,
    // and starts counting afresh. The rectangles stay valid until the next
    // call. Const, as showing the picture does not change it; there is one
    // taker per surface.
    SurfaceChanges TakeChanges() const;
    // Counts every tile as changed.
    void MarkAll();

    float FocalLength = 1.0f;  // 0.01..10
    int32_t FrameDelay = 0;    // milliseconds
    bool frameDelaySet = false;
    // A run window, as opposed to a dialog's picture box.
    bool isWindow = true;

  private:
    PixelAllocator allocator_;
    std::unique_ptr<PixelMemory> memory_;
    bool allocated_ = false;  // the allocator was asked, at the last size
    std::vector<uint32_t> own_;
    uint32_t* words_ = nullptr;
    size_t count_ = 0;
    int16_t width_ = 0, height_ = 0;
    int16_t centerX_ = 0, centerY_ = 0;
    float projScale_ = 1.0f;
    // One byte per tile (plain stores, cheaper to mark than bits), bands
    // padded to whole 32 bytes, then the spare byte; the marks and the
    // rectangles are the taker's to reset.
    mutable std::vector<uint8_t> tiles_;
    int32_t tilesX_ = 0, tilesPerRow_ = 0;
    mutable bool cleared_ = true;
    mutable std::vector<PixelRect> changed_;
    // The canvas's writes not yet in the picture.
    mutable PixelLog log_;
};

}  // namespace orrelume
