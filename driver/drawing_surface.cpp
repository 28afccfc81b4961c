#include "driver/drawing_surface.h"

#include <algorithm>

#include "settings/numeric.h"

namespace orrelume {

void DrawingSurface::SetSize(int32_t width, int32_t height) {
    width_ = static_cast<int16_t>(std::clamp(width, 1, 32767));
    height_ = static_cast<int16_t>(std::clamp(height, 1, 32767));
    // One word more than the picture: the canvas's spare word.
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_) + 1, 0xFF000000u);
}

void DrawingSurface::ComputeGeometry(float extraFactor) {
    const auto cx = CInt(width_ * 0.5);
    const auto cy = CInt(height_ * 0.5);
    centerX_ = cx ? *cx : 0;
    centerY_ = cy ? *cy : 0;
    projScale_ = (centerX_ + centerY_) * 0.5f * FocalLength * extraFactor;
}

void DrawingSurface::ClearSurface() {
    std::fill(pixels_.begin(), pixels_.end(), 0xFF000000u);
}

Canvas DrawingSurface::View() {
    Canvas c;
    c.pixels = pixels_.data();
    c.width = pixels_.empty() ? 0 : width_;
    c.height = pixels_.empty() ? 0 : height_;
    c.stride = width_;
    c.centerX = centerX_;
    c.centerY = centerY_;
    c.projScale = projScale_;
    c.spriteScale = FocalLength;
    c.spare = pixels_.empty() ? nullptr : &pixels_.back();
    return c;
}

}  // namespace orrelume
