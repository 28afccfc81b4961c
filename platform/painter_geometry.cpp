#include "platform/painter_geometry.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace orrelume {

namespace {

// Division rounding towards minus infinity (towards plus infinity for
// CeilDiv), for positions that may lie left of the origin.
int32_t FloorDiv(int32_t a, int32_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int32_t CeilDiv(int32_t a, int32_t b) {
    return -FloorDiv(-a, b);
}

PixelRect AreaOrAll(const PixelRect& area) {
    return area.width > 0 ? area : PixelRect{0, 0, kFarEdge, kFarEdge};
}

void AddRect(std::vector<xcb_rectangle_t>& out, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    if (x1 > x0 && y1 > y0) {
        out.push_back({static_cast<int16_t>(x0), static_cast<int16_t>(y0),
                       static_cast<uint16_t>(x1 - x0), static_cast<uint16_t>(y1 - y0)});
    }
}

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

}  // namespace

PixelRect VisiblePart(const Placement& p, int32_t width, int32_t height) {
    const PixelRect a = AreaOrAll(p.area);
    const int32_t s = p.scale;
    const int32_t x0 = std::clamp(FloorDiv(a.x - p.originX, s), 0, width);
    const int32_t y0 = std::clamp(FloorDiv(a.y - p.originY, s), 0, height);
    const int32_t x1 = std::clamp(CeilDiv(a.x + a.width - p.originX, s), x0, width);
    const int32_t y1 = std::clamp(CeilDiv(a.y + a.height - p.originY, s), y0, height);
    return {x0, y0, x1 - x0, y1 - y0};
}

bool CoversArea(const Placement& p, int32_t width, int32_t height) {
    const PixelRect& a = p.area;
    if (a.width <= 0) return p.originX <= 0 && p.originY <= 0;
    return p.originX <= a.x && p.originY <= a.y && p.originX + width * p.scale >= a.x + a.width &&
           p.originY + height * p.scale >= a.y + a.height;
}

std::vector<xcb_rectangle_t> AreaClip(const PixelRect& area, const PixelRect& e) {
    std::vector<xcb_rectangle_t> rects;
    const bool excluded = e.width > 0 && e.height > 0;
    if (!excluded && area.width <= 0) return rects;
    // The area, less the excluded part, in bands from the top.
    const PixelRect a = AreaOrAll(area);
    const int32_t ax1 = a.x + a.width, ay1 = a.y + a.height;
    int32_t left = ax1, top = ay1, right = ax1, bottom = ay1;
    if (excluded) {
        left = std::clamp(e.x, a.x, ax1);
        top = std::clamp(e.y, a.y, ay1);
        right = std::clamp(e.x + e.width, left, ax1);
        bottom = std::clamp(e.y + e.height, top, ay1);
    }
    AddRect(rects, a.x, a.y, ax1, top);
    AddRect(rects, a.x, top, left, bottom);
    AddRect(rects, right, top, ax1, bottom);
    AddRect(rects, a.x, bottom, ax1, ay1);
    return rects;
}

PixelRect CopyArea(const Placement& p, int32_t width, int32_t height) {
    const int32_t s = p.scale;
    const PixelRect visible = VisiblePart(p, width, height);
    PixelRect area{p.originX + visible.x * s, p.originY + visible.y * s, visible.width * s,
                   visible.height * s};
    if (p.area.width > 0) {
        const int32_t x0 = std::max(area.x, p.area.x), y0 = std::max(area.y, p.area.y);
        const int32_t x1 = std::min(area.x + area.width, p.area.x + p.area.width);
        const int32_t y1 = std::min(area.y + area.height, p.area.y + p.area.height);
        area = {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
    }
    // Within what the protocol counts.
    const int32_t x0 = std::clamp(area.x, 0, kFarEdge), y0 = std::clamp(area.y, 0, kFarEdge);
    const int32_t x1 = std::clamp(area.x + area.width, x0, kFarEdge);
    const int32_t y1 = std::clamp(area.y + area.height, y0, kFarEdge);
    return {x0, y0, x1 - x0, y1 - y0};
}

void TileClip(const std::vector<PixelRect>& tiles, const Placement& p, const PixelRect& area,
              const PixelRect& excluded, std::vector<xcb_rectangle_t>& out) {
    out.clear();
    const int32_t scale = p.scale, originX = p.originX, originY = p.originY;
    const int32_t ax0 = area.x, ay0 = area.y;
    const int32_t ax1 = area.x + area.width, ay1 = area.y + area.height;
    const bool cut = excluded.width > 0 && excluded.height > 0;
    const int32_t ex0 = excluded.x, ey0 = excluded.y;
    const int32_t ex1 = excluded.x + excluded.width, ey1 = excluded.y + excluded.height;
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
                        AddRect(out, x0, top, std::min(x1, ex0), bottom);
                        AddRect(out, std::max(x0, ex1), top, x1, bottom);
                    } else {
                        AddRect(out, x0, top, x1, bottom);
                    }
                }
            }
        }
        i = end;
    }
}

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

bool PixelFormat::TakesSurfaceWords() const {
    return bitsPerPixel == 32 && redMask == 0xFF0000u && greenMask == 0xFF00u &&
           blueMask == 0xFFu && msbFirst != (std::endian::native == std::endian::little);
}

size_t PixelFormat::RowBytes(int32_t pixels) const {
    const size_t padBytes = scanlinePad / 8;
    return (static_cast<size_t>(pixels) * (bitsPerPixel / 8) + padBytes - 1) / padBytes * padBytes;
}

PixelFormat FormatOf(uint8_t depth, uint8_t bitsPerPixel, uint8_t scanlinePad, uint32_t redMask,
                     uint32_t greenMask, uint32_t blueMask, bool msbFirst) {
    PixelFormat f;
    f.bitsPerPixel = bitsPerPixel;
    f.redMask = redMask;
    f.greenMask = greenMask;
    f.blueMask = blueMask;
    f.msbFirst = msbFirst;
    f.scanlinePad = scanlinePad >= 8 && scanlinePad <= 32 && std::has_single_bit(scanlinePad)
                        ? scanlinePad
                        : uint8_t{32};
    // Bits of a pixel the colour masks leave free (an alpha channel), set.
    f.opaque = bitsPerPixel == 32 && depth == 32 ? ~(redMask | greenMask | blueMask) : 0;
    return f;
}

void ConvertRect(const PixelFormat& format, int32_t scale, const uint32_t* pixels, int32_t stride,
                 const PixelRect& r, uint8_t* out, size_t outRowBytes) {
    const ChannelPlace red(format.redMask), green(format.greenMask), blue(format.blueMask);
    const bool asIs = format.TakesSurfaceWords();
    const int32_t s = scale;
    const size_t bytesPerPixel = format.bitsPerPixel / 8;
    for (int32_t y = 0; y < r.height; ++y) {
        const uint32_t* in =
            pixels + static_cast<size_t>(r.y + y) * static_cast<size_t>(stride) + r.x;
        uint8_t* row = out + static_cast<size_t>(y) * static_cast<size_t>(s) * outRowBytes;
        if (asIs) {
            if (s == 1) {
                std::memcpy(row, in, static_cast<size_t>(r.width) * 4);
            } else {
                WidenRow(in, reinterpret_cast<uint32_t*>(row), r.width, s);
            }
        } else if (format.bitsPerPixel == 32) {
            ConvertRow32(in, row, r.width, red, green, blue, format.opaque, format.msbFirst);
        } else {
            ConvertRow16(in, row, r.width, red, green, blue, format.msbFirst);
        }
        if (s > 1 && !asIs) {
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

}  // namespace orrelume
