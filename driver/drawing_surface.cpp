#include "driver/drawing_surface.h"

#include <algorithm>
#include <cstring>

#include "settings/numeric.h"

namespace orrelume {

DrawingSurface::DrawingSurface() = default;
DrawingSurface::~DrawingSurface() = default;

void DrawingSurface::SetSize(int32_t width, int32_t height) {
    width_ = static_cast<int16_t>(std::clamp(width, 1, 32767));
    height_ = static_cast<int16_t>(std::clamp(height, 1, 32767));
    // One word more than the picture: the canvas's spare word.
    const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_) + 1;
    // Memory of the right size is kept: a surface set up again at the size
    // it had (every run start) needs none anew.
    if (count != count_ || (allocator_ != nullptr) != (memory_ != nullptr)) {
        memory_.reset();
        own_ = {};
        if (allocator_) memory_ = allocator_(count);
        if (memory_) {
            words_ = memory_->Words();
        } else {
            own_.resize(count);
            words_ = own_.data();
        }
        count_ = count;
    }
    std::fill_n(words_, count_, 0xFF000000u);
    const int32_t tilesX = (width_ + kTileWidth - 1) >> kTileShiftX;
    const int32_t tilesY = (height_ + kTileHeight - 1) >> kTileShiftY;
    tilesX_ = tilesX;
    tilesPerRow_ = (tilesX + 7) & ~7;
    tiles_.assign(static_cast<size_t>(tilesPerRow_) * static_cast<size_t>(tilesY) + 1, 0);
    cleared_ = true;
}

void DrawingSurface::ComputeGeometry(float extraFactor) {
    const auto cx = CInt(width_ * 0.5);
    const auto cy = CInt(height_ * 0.5);
    centerX_ = cx ? *cx : 0;
    centerY_ = cy ? *cy : 0;
    projScale_ = (centerX_ + centerY_) * 0.5f * FocalLength * extraFactor;
}

void DrawingSurface::ClearSurface() {
    std::fill_n(words_, count_, 0xFF000000u);
    // All black now: what was drawn before no longer needs showing.
    std::fill(tiles_.begin(), tiles_.end(), uint8_t{0});
    cleared_ = true;
}

void DrawingSurface::MarkAll() {
    if (tiles_.empty()) return;
    for (size_t band = 0; band + 1 < tiles_.size(); band += static_cast<size_t>(tilesPerRow_))
        std::fill_n(tiles_.begin() + static_cast<ptrdiff_t>(band), tilesX_, uint8_t{1});
}

SurfaceChanges DrawingSurface::TakeChanges() const {
    changed_.clear();
    SurfaceChanges out;
    out.cleared = cleared_;
    out.rects = &changed_;
    cleared_ = false;
    if (tiles_.empty()) return out;
    const int32_t tilesY = static_cast<int32_t>((tiles_.size() - 1) / tilesPerRow_);
    for (int32_t band = 0; band < tilesY; ++band) {
        uint8_t* row = tiles_.data() + static_cast<size_t>(band) * tilesPerRow_;
        const int32_t y = band * kTileHeight;
        const int32_t h = std::min<int32_t>(kTileHeight, height_ - y);
        int32_t runStart = -1;
        // Eight marks at a time: most of a starfield's bands are unmarked.
        for (int32_t t = 0; t < tilesPerRow_; t += 8) {
            uint64_t word;
            std::memcpy(&word, row + t, 8);
            if (word == 0 && runStart < 0) continue;
            for (int32_t i = t; i < t + 8; ++i) {
                if (row[i] != 0) {
                    if (runStart < 0) runStart = i;
                } else if (runStart >= 0) {
                    const int32_t x = runStart * kTileWidth;
                    changed_.push_back({x, y, std::min<int32_t>(i * kTileWidth, width_) - x, h});
                    runStart = -1;
                }
            }
            if (word != 0) std::memset(row + t, 0, 8);
        }
        if (runStart >= 0) {
            const int32_t x = runStart * kTileWidth;
            changed_.push_back({x, y, width_ - x, h});
        }
    }
    return out;
}

Canvas DrawingSurface::View() {
    Canvas c;
    c.pixels = words_;
    c.width = count_ == 0 ? 0 : width_;
    c.height = count_ == 0 ? 0 : height_;
    c.stride = width_;
    c.centerX = centerX_;
    c.centerY = centerY_;
    c.projScale = projScale_;
    c.spriteScale = FocalLength;
    c.spare = count_ == 0 ? nullptr : words_ + count_ - 1;
    c.tiles = tiles_.empty() ? nullptr : tiles_.data();
    c.tilesPerRow = tilesPerRow_;
    if (!tiles_.empty()) c.spareTile = &tiles_.back();
    return c;
}

}  // namespace orrelume
