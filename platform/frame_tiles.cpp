#include "platform/frame_tiles.h"

// Each frame is converted to the display's pixel order over the whole
// picture: that loop gets the optimiser's full settings, like the star pass.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif

#include <algorithm>
#include <vector>

namespace orrelume {

namespace {

constexpr int kTileW = 64, kTileH = 16;

// Converts `count` framebuffer pixels (red in the low byte) to the display's
// order (blue in the low byte) into `out`; the result is non-zero when any of
// them differed from what `out` held.
inline uint32_t ConvertSpan(const uint32_t* __restrict in, uint32_t* __restrict out, int count) {
    uint32_t diff = 0;
    for (int x = 0; x < count; ++x) {
        const uint32_t p = in[x];
        const uint32_t v = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
        diff |= v ^ out[x];
        out[x] = v;
    }
    return diff;
}

// The same for a whole tile row, a fixed count the compiler vectorises; the
// row is compared first and written only when it changed, since most rows
// of a starfield stay as they were.
inline uint32_t ConvertTileRow(const uint32_t* __restrict in, uint32_t* __restrict out) {
    uint32_t diff = 0;
    for (int x = 0; x < kTileW; ++x) {
        const uint32_t p = in[x];
        diff |= (0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu)) ^ out[x];
    }
    if (diff == 0) return 0;
    for (int x = 0; x < kTileW; ++x) {
        const uint32_t p = in[x];
        out[x] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
    }
    return diff;
}

}  // namespace

QRegion ConvertChangedTiles(const uint32_t* pixels, int w, int h, QImage& shown) {
    if (!pixels || w <= 0 || h <= 0) return QRegion();
    if (shown.width() != w || shown.height() != h || shown.format() != QImage::Format_RGB32) {
        shown = QImage(w, h, QImage::Format_RGB32);
        if (shown.isNull()) return QRegion();
        shown.fill(Qt::black);
        ConvertChangedTiles(pixels, w, h, shown);
        return QRegion(0, 0, w, h);
    }
    // Tiles of 64 x 16 pixels, each sent only when something in it changed.
    const int fullTiles = w / kTileW;
    const int tilesX = (w + kTileW - 1) / kTileW;
    std::vector<uint32_t> changed(static_cast<size_t>(tilesX));
    std::vector<QRect> rects;
    const int stride = shown.bytesPerLine() / 4;
    auto* base = reinterpret_cast<uint32_t*>(shown.bits());
    for (int y0 = 0; y0 < h; y0 += kTileH) {
        const int rows = std::min(kTileH, h - y0);
        std::fill(changed.begin(), changed.end(), 0u);
        for (int y = y0; y < y0 + rows; ++y) {
            const uint32_t* in = pixels + static_cast<size_t>(y) * w;
            uint32_t* out = base + static_cast<size_t>(y) * stride;
            for (int t = 0; t < fullTiles; ++t) {
                changed[static_cast<size_t>(t)] |=
                    ConvertTileRow(in + t * kTileW, out + t * kTileW);
            }
            if (fullTiles < tilesX) {
                const int x0 = fullTiles * kTileW;
                changed[static_cast<size_t>(fullTiles)] |= ConvertSpan(in + x0, out + x0, w - x0);
            }
        }
        // Neighbouring changed tiles of a band become one rectangle.
        for (int t = 0; t < tilesX;) {
            if (!changed[static_cast<size_t>(t)]) {
                ++t;
                continue;
            }
            const int first = t;
            while (t < tilesX && changed[static_cast<size_t>(t)])
                ++t;
            const int x0 = first * kTileW;
            rects.emplace_back(x0, y0, std::min(w, t * kTileW) - x0, rows);
        }
    }
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

}  // namespace orrelume
