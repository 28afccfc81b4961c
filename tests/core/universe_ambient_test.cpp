// Ambient stars: re-birth, flares, ageing along the universe ramp, both
// modes, and that they take away exactly what they showed.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/colour.h"
#include "support/core_fixture.h"
#include "universe/ambient.h"

namespace orrelume {
namespace {

struct AmbientRun : test::CoreRun {
    static constexpr float kRadius = 10;  // R_x: the expansion reached it

    explicit AmbientRun(uint64_t seed = 5, float expand = 2500)
        : test::CoreRun(Settings(expand), 320, 240, seed) {
        universe->expansionRadius = kRadius;
    }
    static UniverseSettings Settings(float expand) {
        UniverseSettings u = test::TinyUniverse();
        u.amStar = 200;
        u.amFrames = 6;
        u.amMaxExt = 300;
        u.expand = expand;
        return u;
    }
    AmbientStars& ambient() { return universe->ambient; }
    RunValues& values() { return engine().values; }
    // One tour frame with the camera where the tour starts.
    void Tour() {
        UpdateAmbientStars(*universe, 0, 0, -values().dstCen, kRadius, values().expandSpeed, 1, 0);
    }
    // Frames with frequent re-births, so the stars spread through the shape.
    void Spread(int frames = 40) {
        const float keep = values().amPers;
        values().amPers = 0.25f;
        for (int i = 0; i < frames; ++i)
            Tour();
        values().amPers = keep;
    }
};

TEST(UniverseAmbient, WithCertainPersistenceStarsAreNeverRebornAndFadeOutForGood) {
    AmbientRun run;
    run.Spread();
    AmbientStars& a = run.ambient();
    run.values().amPers = 1;
    run.values().amCAge = 10;
    // Let the last flares end.
    for (int i = 0; i < run.values().amFrames; ++i)
        run.Tour();
    const std::vector<float> x = a.posX;
    int shining = 0;
    for (int frame = 0; frame < 20; ++frame) {
        run.Tour();
        for (int32_t i = 0; i < a.count; ++i) {
            ASSERT_EQ(a.countdown[i], 0);
            ASSERT_EQ(a.posX[i], x[i]);
        }
        if (frame == 0) shining = run.CountLitPixels();
    }
    EXPECT_GT(shining, 20);
    // Aged past the ramp, every star is spent: nothing is left on screen,
    // and a spent star erases nothing that was drawn where it stands.
    EXPECT_EQ(run.CountLitPixels(), 0);
    for (uint32_t& p : run.surface.pixels())
        p = 0xFF204060u;
    run.Tour();
    EXPECT_EQ(run.CountLitPixels(), run.engine().canvas.width * run.engine().canvas.height);
}

TEST(UniverseAmbient, ReBornStarsFlareFromTheSecondRampEntryAndLeaveNothingBehind) {
    AmbientRun run;
    // Mark the white first entry, which must never reach the surface, and
    // the second, which every flare shows first.
    const uint32_t marker = 0x123456, first = 0x654321;
    run.universe->ambientFlareRamp[0] = marker;
    run.universe->ambientFlareRamp[1] = first;
    const Canvas& canvas = run.engine().canvas;
    bool sawFirstStep = false;
    run.values().amPers = 0.25f;
    for (int frame = 0; frame < 60; ++frame) {
        run.Tour();
        for (int y = 0; y < canvas.height; ++y) {
            for (int x = 0; x < canvas.width; ++x) {
                const uint32_t p = canvas.PixelAt(x, y);
                ASSERT_NE(p, marker);
                sawFirstStep |= p == first;
            }
        }
    }
    EXPECT_TRUE(sawFirstStep);
    // No more re-births; the flares end and the stars age away: the
    // surface is black again.
    run.values().amPers = 1;
    run.values().amCAge = 10;
    for (int frame = 0; frame < run.values().amFrames + 10; ++frame)
        run.Tour();
    EXPECT_EQ(run.CountLitPixels(), 0);
}

TEST(UniverseAmbient, WithoutAgeingAShiningStarKeepsTheFirstRampColour) {
    AmbientRun run;
    run.Spread();
    run.values().amPers = 1;
    run.values().amCAge = 0;
    for (int frame = 0; frame < 50; ++frame)
        run.Tour();
    const Canvas& canvas = run.engine().canvas;
    int lit = 0;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const uint32_t p = canvas.PixelAt(x, y);
            if (p == 0) continue;
            ++lit;
            EXPECT_EQ(p, run.engine().universeRamp[0]);
        }
    }
    EXPECT_GT(lit, 20);
}

TEST(UniverseAmbient, DuringTheExpansionReBornStarsRideTheShell) {
    AmbientRun run;
    AmbientStars& a = run.ambient();
    run.values().amPers = 0.25f;
    const float radius = 4, speed = 0.5f;
    UpdateAmbientStars(*run.universe, 0, 0, -run.values().dstCen, radius, speed, 0, 0);
    int reborn = 0;
    for (int32_t i = 0; i < a.count; ++i) {
        if (a.countdown[i] != run.values().amFrames || a.age[i] != 0) continue;
        ++reborn;
        // At R_x x point, moving with V_x x point.
        EXPECT_NEAR(a.velX[i], a.posX[i] * speed / radius, 1e-5f);
        EXPECT_NEAR(a.velZ[i], a.posZ[i] * speed / radius, 1e-5f);
    }
    EXPECT_GT(reborn, 100);
}

TEST(UniverseAmbient, WithoutExpansionReBornStarsRestAtTheCentre) {
    AmbientRun run(5, 0);
    AmbientStars& a = run.ambient();
    run.values().amPers = 0.25f;
    // No expansion: R_x stays 0 and the speed is 0.
    for (int frame = 0; frame < 20; ++frame)
        UpdateAmbientStars(*run.universe, 0, 0, -run.values().dstCen, 0, 0, 0, 0);
    for (int32_t i = 0; i < a.count; ++i) {
        ASSERT_TRUE(std::isfinite(a.posX[i]) && std::isfinite(a.velX[i]));
        EXPECT_EQ(a.velX[i], 0.0f);
        EXPECT_EQ(a.posZ[i], 0.0f);
    }
}

}  // namespace
}  // namespace orrelume
