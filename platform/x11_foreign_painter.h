// Draws a framebuffer straight into a window of another program (the host
// window of a preview): the pixels are converted to the window's visual and
// sent with PutImage, in strips that fit the display's request size.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/x11_windows.h"

namespace orrelume {

class ForeignWindowPainter {
  public:
    ForeignWindowPainter(X11Display& display, uint32_t window);
    ~ForeignWindowPainter();
    ForeignWindowPainter(const ForeignWindowPainter&) = delete;
    ForeignWindowPainter& operator=(const ForeignWindowPainter&) = delete;

    // Draws `width` x `height` pixels (red in the low byte, one row after
    // the other) at the window's top-left corner. False when nothing could
    // be sent: the window is gone, or its visual is not a true-colour one of
    // 16 or 32 bits per pixel.
    bool Draw(const uint32_t* pixels, int32_t width, int32_t height);

  private:
    bool Prepare();

    X11Display& display_;
    uint32_t window_;
    uint32_t gc_ = 0;
    bool prepared_ = false;
    bool usable_ = false;
    uint8_t depth_ = 0;
    uint8_t bitsPerPixel_ = 0;
    bool msbFirst_ = false;
    uint32_t redMask_ = 0, greenMask_ = 0, blueMask_ = 0;
    std::vector<uint8_t> strip_;
};

}  // namespace orrelume
