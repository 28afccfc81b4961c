// The sprite drawers: their patterns, their size limits, and that the same
// call with colour 0 takes away exactly what it drew.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "driver/drawing_surface.h"
#include "engine/random.h"
#include "engine/special_stars.h"

namespace orrelume {
namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr uint32_t kSprite = 0x3377EEu;
constexpr uint32_t kBackground = 0x102030u;

struct Surface {
    DrawingSurface surface;
    Canvas canvas;
    explicit Surface(int width = 200, int height = 160, float focal = 1.0f) {
        surface.FocalLength = focal;
        surface.SetSize(width, height);
        surface.ComputeGeometry(1.0f);
        canvas = surface.View();
    }
    // Every lit pixel.
    Pixels Lit() const {
        Pixels out;
        for (int y = 0; y < canvas.height; ++y) {
            for (int x = 0; x < canvas.width; ++x) {
                if (canvas.PixelAt(x, y) != 0) out.insert({x, y});
            }
        }
        return out;
    }
    std::vector<uint32_t> Snapshot() const {
        std::vector<uint32_t> out;
        for (int y = 0; y < canvas.height; ++y) {
            for (int x = 0; x < canvas.width; ++x)
                out.push_back(canvas.PixelAt(x, y));
        }
        return out;
    }
    // A sparse starfield, so that erasing can be seen to spare what the
    // sprite did not draw.
    void Scatter(uint64_t seed) {
        Random rng(seed);
        for (int i = 0; i < canvas.width * canvas.height / 7; ++i) {
            const int x = static_cast<int>(rng.Next() * canvas.width);
            const int y = static_cast<int>(rng.Next() * canvas.height);
            canvas.Plot(x, y, kBackground);
        }
    }
};

// Pixels relative to a centre.
Pixels Around(int cx, int cy, const Pixels& offsets) {
    Pixels out;
    for (const auto& [dx, dy] : offsets)
        out.insert({cx + dx, cy + dy});
    return out;
}
Pixels Cross(int r) {
    return {{r, 0}, {-r, 0}, {0, r}, {0, -r}};
}
Pixels Diagonal(int r) {
    return {{r, r}, {-r, r}, {r, -r}, {-r, -r}};
}
Pixels Join(std::initializer_list<Pixels> parts) {
    Pixels out;
    for (const Pixels& p : parts)
        out.insert(p.begin(), p.end());
    return out;
}

// Draws with a colour on a scattered surface, then erases with colour 0:
// the pixels drawn are black afterwards and every other pixel is as it was.
// Returns how many pixels the sprite drew.
template <typename Draw>
int CheckErase(Surface& s, Draw draw, uint64_t seed) {
    s.Scatter(seed);
    const std::vector<uint32_t> before = s.Snapshot();
    draw(kSprite);
    const std::vector<uint32_t> drawn = s.Snapshot();
    draw(0);
    const std::vector<uint32_t> after = s.Snapshot();
    int count = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        if (drawn[i] == kSprite) {
            ++count;
            EXPECT_EQ(after[i], 0u) << "pixel " << i << " drawn but not erased";
        } else {
            EXPECT_EQ(drawn[i], before[i]);
            EXPECT_EQ(after[i], before[i]) << "pixel " << i << " erased but not drawn";
        }
    }
    return count;
}

TEST(EngineSpecialSprites, EverySpriteErasedWithColourZeroLeavesTheSurfaceAsItWas) {
    Surface s;
    const Canvas& c = s.canvas;
    uint64_t seed = 1;
    // Flares of every size class, inside and partly off the surface.
    for (const float depth : {200.0f, 16.0f, 8.0f, 4.0f, 1.0f, 0.25f}) {
        for (const int x : {100, 3, 195}) {
            const int n = CheckErase(
                s, [&](uint32_t colour) { DrawFlare(c, x, 80, depth, 5, 7, 0.9f, colour); },
                ++seed);
            EXPECT_GE(n, 1);
        }
    }
    // Novas near and far, young and old, partly off-screen, and with layers
    // at or behind the eye.
    for (const float depth : {500.0f, 40.0f, 5.0f, 1.0f, 0.12f}) {
        for (const float x : {0.0f, -0.9f * depth}) {
            for (const int left : {30, 1}) {
                CheckErase(
                    s,
                    [&](uint32_t colour) { DrawNova(c, x, 0.1f, depth, left, 30, 0.6f, colour); },
                    ++seed);
            }
        }
    }
    // Pulsars of every shape, near and far, with and without depth spread,
    // with front layers behind the eye.
    for (int16_t shape = 0; shape <= 4; ++shape) {
        for (const float depth : {300.0f, 20.0f, 2.0f, 0.3f}) {
            for (const float spread : {0.0f, 0.1f, 2.0f}) {
                for (const float x : {0.0f, 0.45f * depth}) {
                    CheckErase(
                        s,
                        [&](uint32_t colour) {
                            DrawPulsar(c, x, -0.2f, depth, 0.8f, shape, spread, colour);
                        },
                        ++seed);
                }
            }
        }
    }
}

TEST(EngineSpecialSprites, ExtremeSizesAndDepthsDrawWhatTheyCanAndEraseIt) {
    Surface s(120, 90, 10.0f);
    const Canvas& c = s.canvas;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    uint64_t seed = 100;
    for (const float depth : {0.00011f, 1e30f, nan, inf}) {
        CheckErase(
            s, [&](uint32_t colour) { DrawFlare(c, 60, 45, depth, 99, 1, 9.999f, colour); },
            ++seed);
        CheckErase(
            s, [&](uint32_t colour) { DrawNova(c, 0, 0, depth, 1, 999, 0.9999f, colour); }, ++seed);
        for (int16_t shape = 0; shape <= 4; ++shape) {
            CheckErase(
                s,
                [&](uint32_t colour) {
                    DrawPulsar(c, 1e3f, 0, depth, 9.999f, shape, 9.999f, colour);
                },
                ++seed);
        }
    }
    // A flare of no frames (never drawn by the engine) stays a dot.
    CheckErase(
        s, [&](uint32_t colour) { DrawFlare(c, 60, 45, 1.0f, 3, 0, 1.0f, colour); }, ++seed);
}

TEST(EngineSpecialSprites, FlarePatternsFollowTheirSize) {
    Surface s;
    const int cx = 100, cy = 80;
    // Focal length 1, scale 1, a whole phase left: s = 1 / depth.
    auto flare = [&](float depth) {
        s.surface.ClearSurface();
        DrawFlare(s.canvas, cx, cy, depth, 4, 4, 1.0f, kSprite);
        return s.Lit();
    };
    // f = nearest(32 s) = 0: the centre alone.
    EXPECT_EQ(flare(100.0f), (Pixels{{cx, cy}}));
    // f = 1: exactly five pixels.
    EXPECT_EQ(flare(32.0f), Around(cx, cy, Join({{{0, 0}}, Cross(1)})));
    // f = 2: cross r16 = 1 and cross f.
    EXPECT_EQ(flare(16.0f), Around(cx, cy, Join({{{0, 0}}, Cross(1), Cross(2)})));
    // f = 6 (s = 0.2): diagonals r8 = 2, r12 = 2, cross r16 = 3, cross f.
    EXPECT_EQ(flare(5.0f), Around(cx, cy, Join({{{0, 0}}, Diagonal(2), Cross(3), Cross(6)})));
    // f = 16 (s = 0.5): the cross at distance s rounds onto the centre
    // (100.5 and 99.5 both go to 100); r4 = 2, r8 = 4, r12 = 6, r16 = 8.
    EXPECT_EQ(
        flare(2.0f),
        Around(cx, cy, Join({{{0, 0}}, Cross(2), Diagonal(4), Diagonal(6), Cross(8), Cross(16)})));
    // The flare shrinks as it ends: a quarter of the frames left.
    s.surface.ClearSurface();
    DrawFlare(s.canvas, cx, cy, 8.0f, 1, 4, 1.0f, kSprite);  // s = 1/32
    EXPECT_EQ(s.Lit().size(), 5u);
}

TEST(EngineSpecialSprites, AFarNovaIsOnePixelAndANearOneIsLayered) {
    Surface s;
    // s0 = scale x focal / depth x growth = 0.5 / 100 < 1/128.
    DrawNova(s.canvas, 0, 0, 100.0f, 10, 10, 0.5f, kSprite);
    EXPECT_EQ(s.Lit(), (Pixels{{s.canvas.centerX, s.canvas.centerY}}));
    s.surface.ClearSurface();
    // Near: the middle layer alone holds 1 + 7 x 4 + 8 pixels at most.
    DrawNova(s.canvas, 0, 0, 2.0f, 10, 10, 0.5f, kSprite);
    EXPECT_GT(s.Lit().size(), 30u);
    // It swells as it ages: the same nova in its last frame is wider.
    const Pixels young = s.Lit();
    s.surface.ClearSurface();
    DrawNova(s.canvas, 0, 0, 2.0f, 1, 10, 0.5f, kSprite);
    auto width = [](const Pixels& p) {
        int lo = 1 << 30, hi = -(1 << 30);
        for (const auto& [x, y] : p) {
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        return hi - lo;
    };
    EXPECT_GT(width(s.Lit()), width(young));
}

TEST(EngineSpecialSprites, SmallPulsarsShowTheirCentreExceptTheSpheres) {
    Surface s;
    const int cx = s.canvas.centerX, cy = s.canvas.centerY;
    for (int16_t shape = 0; shape <= 4; ++shape) {
        s.surface.ClearSurface();
        // s = focal / depth x size = 0.5 / 100 <= 1/128.
        DrawPulsar(s.canvas, 0, 0, 100.0f, 0.5f, shape, 1.0f, kSprite);
        if (shape == kPulsarSphere || shape == kPulsarSphere2) {
            EXPECT_TRUE(s.Lit().empty()) << "shape " << shape;
        } else {
            EXPECT_EQ(s.Lit(), (Pixels{{cx, cy}})) << "shape " << shape;
        }
    }
}

TEST(EngineSpecialSprites, PulsarShapesDrawTheirTabulatedLayers) {
    Surface s(400, 300);
    const int cx = s.canvas.centerX, cy = s.canvas.centerY;
    // s = 1 at the middle layer; with no depth spread every layer coincides
    // with it, so the layers in front and behind overplot it.
    auto pulsar = [&](int16_t shape, float spread) {
        s.surface.ClearSurface();
        DrawPulsar(s.canvas, 0, 0, 1.0f, 1.0f, shape, spread, kSprite);
        return s.Lit();
    };
    EXPECT_EQ(pulsar(kPulsarAxes, 0),
              Around(cx, cy, Join({{{0, 0}}, Cross(8), Cross(12), Cross(20), Cross(32)})));
    EXPECT_EQ(pulsar(kPulsarStar, 0), Around(cx, cy,
                                             Join({{{0, 0}},
                                                   Cross(8),
                                                   Cross(12),
                                                   Cross(18),
                                                   Cross(32),
                                                   Diagonal(8),
                                                   Diagonal(12),
                                                   Diagonal(18)})));
    Pixels sphere = Join({Cross(32), Diagonal(23), Cross(28), Cross(16), Diagonal(11)});
    for (const auto& [a, b] : {std::pair{12, 29}, std::pair{14, 23}}) {
        for (const int sa : {a, -a}) {
            for (const int sb : {b, -b}) {
                sphere.insert({sa, sb});
                sphere.insert({sb, sa});
            }
        }
    }
    EXPECT_EQ(pulsar(kPulsarSphere, 0), Around(cx, cy, sphere));
    // Spread along the line of sight, "Axes" strings single pixels towards
    // the centre of the view: a pulsar off to the right leaves its front
    // layers further right and its back layers further in.
    s.surface.ClearSurface();
    DrawPulsar(s.canvas, 0.5f, 0, 1.0f, 0.1f, kPulsarAxes, 4.0f, kSprite);
    int onAxis = 0;
    for (const auto& [x, y] : s.Lit())
        onAxis += y == cy;
    // The middle layer's row and a centre for each of the eight other layers.
    EXPECT_GE(onAxis, 13);
}

}  // namespace
}  // namespace orrelume
