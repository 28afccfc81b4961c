// The window painter's arithmetic, without a display: what of the surface
// lands in the area, the clips that keep the frame out of other parts, and
// the pixels a visual takes.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/painter_geometry.h"

namespace orrelume {
namespace {

std::vector<PixelRect> Rects(const std::vector<xcb_rectangle_t>& in) {
    std::vector<PixelRect> out;
    for (const xcb_rectangle_t& r : in)
        out.push_back({r.x, r.y, r.width, r.height});
    return out;
}

TEST(PainterGeometry, TheVisiblePartRoundsOutwardsOnBothSidesOfTheOrigin) {
    // Pixel size 3, the picture starting left of and above the area: the
    // surface pixel that straddles the area's edge is in.
    const Placement p{3, -7, -4, {0, 0, 20, 10}};
    EXPECT_EQ(VisiblePart(p, 100, 100), (PixelRect{2, 1, 7, 4}));
    // An area in the middle of a window, the picture placed beyond it.
    EXPECT_EQ(VisiblePart({1, 50, 0, {10, 10, 30, 30}}, 8, 8).width, 0);
    // No area: the whole window, the surface cut at its own size.
    EXPECT_EQ(VisiblePart({2, 0, 0, {}}, 9, 5), (PixelRect{0, 0, 9, 5}));
    // The picture ends inside the area: it does not cover it.
    EXPECT_FALSE(CoversArea({2, 0, 0, {0, 0, 41, 20}}, 20, 10));
    EXPECT_TRUE(CoversArea({2, -1, 0, {0, 0, 39, 20}}, 20, 10));
    EXPECT_FALSE(CoversArea({1, 1, 0, {}}, 20, 10));
}

TEST(PainterGeometry, TheAreaClipLeavesOutTheExcludedPartWithinTheArea) {
    // Nothing to clip.
    EXPECT_TRUE(AreaClip({}, {}).empty());
    // The excluded part reaches past the area's right edge: above, left
    // of it and below, banded from the top.
    EXPECT_EQ(Rects(AreaClip({10, 10, 100, 50}, {90, 20, 40, 10})),
              (std::vector<PixelRect>{{10, 10, 100, 10}, {10, 20, 80, 10}, {10, 30, 100, 30}}));
    // All of the area excluded: nothing is drawn at all.
    EXPECT_TRUE(AreaClip({10, 10, 20, 20}, {0, 0, 100, 100}).empty());
    // Excluded without an area: the window around it.
    EXPECT_EQ(AreaClip({}, {5, 5, 10, 10}).size(), 4u);
}

TEST(PainterGeometry, TheTileClipCutsTilesAtTheAreaAndAroundTheExcludedPart) {
    // Two bands of two tiles at pixel size 2 from (3, 1); the area ends
    // inside the second band, and a child window sits over the first tile.
    const std::vector<PixelRect> tiles{{0, 0, 8, 4}, {8, 0, 8, 4}, {0, 4, 8, 4}, {16, 4, 3, 4}};
    const Placement p{2, 3, 1, {0, 0, 30, 12}};
    std::vector<xcb_rectangle_t> clip;
    TileClip(tiles, p, {0, 0, 30, 12}, {5, 3, 4, 2}, clip);
    EXPECT_EQ(Rects(clip), (std::vector<PixelRect>{{3, 1, 16, 2},
                                                   {19, 1, 11, 2},
                                                   {3, 3, 2, 2},
                                                   {9, 3, 10, 2},
                                                   {19, 3, 11, 2},
                                                   {3, 5, 16, 4},
                                                   {19, 5, 11, 4},
                                                   {3, 9, 16, 3}}));
    // The bands stay in order from the top, left to right within each.
    for (size_t i = 1; i < clip.size(); ++i) {
        EXPECT_TRUE(clip[i].y > clip[i - 1].y ||
                    (clip[i].y == clip[i - 1].y && clip[i].x >= clip[i - 1].x + clip[i - 1].width));
    }
    // The copy's rectangle: the picture moved left past the window's edge
    // starts at 0.
    EXPECT_EQ(CopyArea({1, -5, 0, {}}, 20, 10), (PixelRect{0, 0, 15, 10}));
    EXPECT_EQ(CopyArea({2, 4, 4, {0, 0, 10, 30}}, 20, 10), (PixelRect{4, 4, 6, 20}));
}

TEST(PainterGeometry, BandsWithTheSameColumnsJoinDownwards) {
    const std::vector<PixelRect> tiles{{0, 0, 8, 8},  {16, 0, 8, 8}, {0, 8, 8, 8},
                                       {16, 8, 4, 8}, {0, 16, 8, 3}, {8, 16, 8, 3}};
    std::vector<PixelRect> out;
    std::vector<size_t> above, here;
    JoinBands(tiles, out, above, here);
    EXPECT_EQ(out,
              (std::vector<PixelRect>{{0, 0, 8, 19}, {16, 0, 8, 8}, {16, 8, 4, 8}, {8, 16, 8, 3}}));
}

TEST(PainterGeometry, ThePixelsOfEachVisual) {
    const uint32_t words[] = {0xFF102030u, 0xFFFFFFFFu, 0xFF0800F8u};
    // 5-6-5 bits, most significant byte first, pixel size 3 with rows
    // padded to 32 bits: 3 x 2 bytes wide rows take 8.
    PixelFormat f16 = FormatOf(16, 16, 32, 0xF800, 0x07E0, 0x001F, true);
    EXPECT_EQ(f16.RowBytes(3), 8u);
    std::vector<uint8_t> out(3 * 8, 0xAA);
    ConvertRect(f16, 3, words, 3, {2, 0, 1, 1}, out.data(), 8);
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        const uint8_t* r = out.data() + row * 8;
        for (int x = 0; x < 3; ++x) {
            // Red 0x08 keeps one bit, blue 0xF8 all five: 0x081F.
            EXPECT_EQ(r[x * 2], 0x08);
            EXPECT_EQ(r[x * 2 + 1], 0x1F);
        }
        EXPECT_EQ(r[6], 0xAA);  // the padding is left alone
    }
    // Blue and red swapped at depth 32: the bits beside the colours are
    // set (opaque), in the machine's order.
    const PixelFormat f32 = FormatOf(32, 32, 32, 0xFFu, 0xFF00u, 0xFF0000u, false);
    EXPECT_EQ(f32.opaque, 0xFF000000u);
    EXPECT_FALSE(f32.TakesSurfaceWords());
    uint32_t shown[2] = {};
    ConvertRect(f32, 1, words, 3, {0, 0, 2, 1}, reinterpret_cast<uint8_t*>(shown), 8);
    EXPECT_EQ(shown[0], 0xFF302010u);
    EXPECT_EQ(shown[1], 0xFFFFFFFFu);
    // Depth 24 sets nothing beyond the colours; a pad the server would not
    // use counts as 32 bits.
    const PixelFormat f24 = FormatOf(24, 32, 12, 0xFF0000u, 0xFF00u, 0xFFu, false);
    EXPECT_EQ(f24.opaque, 0u);
    EXPECT_EQ(f24.scanlinePad, 32);
    EXPECT_TRUE(f24.TakesSurfaceWords());
    // As they are, two rows of a 2 x 2 part enlarged by 2.
    const uint32_t square[] = {1, 2, 0, 3, 4, 0};
    uint32_t big[4 * 4] = {};
    ConvertRect(f24, 2, square, 3, {0, 0, 2, 2}, reinterpret_cast<uint8_t*>(big), 16);
    EXPECT_EQ(std::vector<uint32_t>(big, big + 16),
              (std::vector<uint32_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));
}

}  // namespace
}  // namespace orrelume
