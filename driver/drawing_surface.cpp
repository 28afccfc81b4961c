#include "driver/drawing_surface.h"

#include <algorithm>
#include <bit>
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
    const bool allocate = allocator_ != nullptr;
    // What was written to the picture before is gone with it.
    log_.Discard();
    if (count != count_ || allocate != allocated_) {
        memory_.reset();
        own_ = {};
        allocated_ = allocate;
        if (allocate) memory_ = allocator_(count);
        if (memory_) {
            words_ = memory_->Words();
        } else {
            own_.resize(count);
            words_ = own_.data();
        }
        count_ = count;
        log_.Target(words_, static_cast<uint32_t>(count_ - 1));
    }
    std::fill_n(words_, count_, 0xFF000000u);
    const int32_t tilesX = (width_ + kTileWidth - 1) >> kTileShiftX;
    const int32_t tilesY = (height_ + kTileHeight - 1) >> kTileShiftY;
    tilesX_ = tilesX;
    tilesPerRow_ = (tilesX + 31) & ~31;
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
    // All black: what was written before needs no writing.
    log_.Discard();
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

namespace {

// One bit per mark of eight (each 0 or 1), the first mark in the low bit.
inline uint32_t MarkBits(uint64_t word) {
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    return static_cast<uint32_t>((word * 0x0102040810204080ull) >> 56);
}

}  // namespace

SurfaceChanges DrawingSurface::TakeChanges() const {
    // What is shown is the picture with every write made.
    log_.Apply();
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
        auto emit = [&](int32_t first, int32_t end) {
            const int32_t x = first * kTileWidth;
            changed_.push_back({x, y, std::min<int32_t>(end * kTileWidth, width_) - x, h});
        };
        int32_t runStart = -1;
        // 32 marks at a time, turned into 32 bits whose runs are found a
        // step at a time: the work follows the runs, not the tiles.
        for (int32_t t = 0; t < tilesPerRow_; t += 32) {
            uint64_t words[4];
            std::memcpy(words, row + t, 32);
            if ((words[0] | words[1] | words[2] | words[3]) == 0) {
                if (runStart >= 0) emit(runStart, t);
                runStart = -1;
                continue;
            }
            std::memset(row + t, 0, 32);
            const uint32_t bits = MarkBits(words[0]) | MarkBits(words[1]) << 8 |
                                  MarkBits(words[2]) << 16 | MarkBits(words[3]) << 24;
            int pos = 0;
            while (pos < 32) {
                const uint32_t look = (runStart < 0 ? bits : ~bits) >> pos;
                if (look == 0) break;
                pos += std::countr_zero(look);
                if (runStart < 0) {
                    runStart = t + pos;
                } else {
                    emit(runStart, t + pos);
                    runStart = -1;
                }
            }
        }
        if (runStart >= 0) emit(runStart, tilesX_);
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
    if (count_ != 0) c.log = &log_;
    return c;
}

}  // namespace orrelume
