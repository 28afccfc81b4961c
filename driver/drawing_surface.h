// The surface an animation draws on: a 32-bit framebuffer of the window or
// picture box, its centre, the projection scale, the focal length and the
// frame delay.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/canvas.h"

namespace orrelume {

class DrawingSurface {
  public:
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
    // The picture's width x height pixels, red in the low byte and the
    // fourth byte set (RGBX), then the canvas's spare word.
    const std::vector<uint32_t>& pixels() const { return pixels_; }
    std::vector<uint32_t>& pixels() { return pixels_; }

    float FocalLength = 1.0f;  // 0.01..10
    int32_t FrameDelay = 0;    // milliseconds
    bool frameDelaySet = false;
    // A run window, as opposed to a dialog's picture box.
    bool isWindow = true;

  private:
    std::vector<uint32_t> pixels_;
    int16_t width_ = 0, height_ = 0;
    int16_t centerX_ = 0, centerY_ = 0;
    float projScale_ = 1.0f;
};

}  // namespace orrelume
