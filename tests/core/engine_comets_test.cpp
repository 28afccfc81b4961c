// Comets: how many a type has, when they launch and fall quiet, how their
// particles move and fade, that they leave nothing behind, and the drift of
// the comet hue range.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/colour.h"
#include "engine/comets.h"
#include "engine/update.h"
#include "support/core_fixture.h"

namespace orrelume {
namespace {

TEST(EngineComets, EveryCometBlockFitsThePool) {
    EXPECT_EQ(CometCountFor(999), 2);
    EXPECT_EQ(CometCountFor(1), 100);
    EXPECT_EQ(CometCountFor(25), 100);
    EXPECT_EQ(CometCountFor(27), 92);  // 92.6: a 93rd comet would not fit
    for (int particles = 1; particles <= 999; ++particles) {
        const int comets = CometCountFor(particles);
        ASSERT_LE(comets * particles, kCometSlots) << particles;
        ASSERT_GE(comets, 1);
    }
    // The galaxy preview counts its comets the same way.
    test::CoreRun run(test::TinyUniverse());
    run.engine().types[4].cometStars = 999;
    ResetComets(run.engine(), false, 4);
    EXPECT_EQ(run.engine().comets.set.cometCount, 2);
}

// One galaxy straight ahead, nothing but its comets drawn.
struct CometRun : test::CoreRun {
    explicit CometRun(uint64_t seed = 3) : test::CoreRun(Settings(), 320, 240, seed) {
        EngineState& e = engine();
        e.galaxies.typeSlot[0] = 0;
        e.galaxies.camZ[0] = 6;
        GalaxyType& g = e.types[0];
        g.cometFreq = 9999;
        g.cometStars = 20;
        g.cometSPersist = 0.9f;
        g.cometCPersist = 0.98f;
        Retype();
    }
    static UniverseSettings Settings() {
        UniverseSettings u = test::TinyUniverse();
        u.galaxy = 1;
        return u;
    }
    void Retype() {
        PrepareTypeRuntimes(engine(), {});
        ResetComets(engine(), false, 0);
    }
    void Frame(int tourStep) { UpdateComets(engine(), 0, 0, 6, 0, 0, tourStep); }
    int Launched() const {
        int n = 0;
        const CometSet& set = universe->engine.comets.set;
        for (int c = 0; c < set.cometCount; ++c)
            n += set.liveCount[c] > 0;
        return n;
    }
};

TEST(EngineComets, CometsLaunchOnlyPastTheSecondControlPointAndWithoutGravity) {
    CometRun run;
    for (int frame = 0; frame < 200; ++frame) {
        run.Frame(1);
        run.Frame(2);
    }
    EXPECT_EQ(run.Launched(), 0);
    run.Frame(3);
    EXPECT_EQ(run.Launched(), 1);
    // Back at the first control points, emitting comets fall quiet.
    run.Frame(2);
    const CometSet& set = run.engine().comets.set;
    for (int c = 0; c < set.cometCount; ++c)
        EXPECT_FALSE(set.emitting[c]);

    // Gravity between the galaxies switches the whole comet step off.
    CometRun gravity;
    gravity.engine().values.gravForce = 0.001f;
    for (int frame = 0; frame < 50; ++frame)
        UpdateGalaxies(gravity.engine(), {0, 0, kPreviewTourStep, 0, true, 1});
    EXPECT_EQ(gravity.Launched(), 0);

    // And a type that never throws comets.
    CometRun never;
    never.engine().types[0].cometFreq = 0;
    never.Retype();
    for (int frame = 0; frame < 500; ++frame)
        never.Frame(kPreviewTourStep);
    EXPECT_EQ(never.Launched(), 0);
}

TEST(EngineComets, ParticlesShowTheRampByAgeAndLeaveNothingBehind) {
    CometRun run;
    EngineState& e = run.engine();
    auto litColours = [&] {
        std::set<uint32_t> colours;
        for (int y = 0; y < e.canvas.height; ++y) {
            for (int x = 0; x < e.canvas.width; ++x) {
                if (e.canvas.PixelAt(x, y) != 0) colours.insert(e.canvas.PixelAt(x, y));
            }
        }
        return colours;
    };
    // The launch frame already moves and shows the surviving particles in
    // the first step of the ramp (white); a frame later they show the
    // second, and the particles emitted anew in the launch frame the first.
    run.Frame(kPreviewTourStep);
    ASSERT_EQ(run.Launched(), 1);
    e.rt[0].cometChance = 0;
    const ColourRamp& ramp = e.flareRamp[0];
    EXPECT_EQ(ramp[0], Rgb(255, 255, 255));
    EXPECT_EQ(litColours(), std::set<uint32_t>{ramp[0]});
    run.Frame(kPreviewTourStep);
    EXPECT_TRUE(litColours().count(ramp[1]));
    for (const uint32_t c : litColours())
        EXPECT_TRUE(c == ramp[0] || c == ramp[1]) << c;

    // Many comets over many frames, then none: when the last particle has
    // died the surface is black again.
    e.rt[0].cometChance = 0.5f;
    for (int frame = 0; frame < 300; ++frame)
        run.Frame(kPreviewTourStep);
    EXPECT_GT(run.Launched(), 3);
    EXPECT_GT(run.CountLitPixels(), 0);
    for (int frame = 0; frame < 400 && run.Launched() > 0; ++frame)
        run.Frame(1);
    EXPECT_EQ(run.Launched(), 0);
    EXPECT_EQ(run.CountLitPixels(), 0);

    // A reset with erasing takes every particle away at once.
    for (int frame = 0; frame < 100; ++frame)
        run.Frame(kPreviewTourStep);
    EXPECT_GT(run.CountLitPixels(), 0);
    ResetComets(e, true, 0);
    EXPECT_EQ(run.CountLitPixels(), 0);
}

TEST(EngineComets, OldParticlesMoveUnseenAndPunchNoHolesIntoTheGalaxy) {
    CometRun run;
    EngineState& e = run.engine();
    e.types[0].cometSPersist = 0.9999f;  // long lives
    e.types[0].cometCPersist = 0.1f;     // the nucleus falls quiet at once
    run.Retype();
    run.Frame(kPreviewTourStep);
    ASSERT_EQ(run.Launched(), 1);
    e.rt[0].cometChance = 0;
    for (int frame = 1; frame < 90; ++frame)
        run.Frame(kPreviewTourStep);
    ASSERT_EQ(run.Launched(), 1);
    // Every particle is past the end of the ramp: none shows, and none
    // erases a pixel it does not show.
    EXPECT_EQ(run.CountLitPixels(), 0);
    for (uint32_t& p : run.surface.pixels())
        p = 0xFF405060u;
    run.Frame(kPreviewTourStep);
    EXPECT_EQ(run.CountLitPixels(), e.canvas.width * e.canvas.height);
}

TEST(EngineComets, TheSolarWindPushesParticlesAwayFromTheCore) {
    CometRun run;
    EngineState& e = run.engine();
    e.types[0].cometSpeed = 0;     // no random spray: the wind alone
    e.types[0].cometSWind = 5000;  // 0.05 per frame
    e.types[0].cometSPersist = 0.9999f;
    e.types[0].cometOrbit = 0;
    run.Retype();
    run.Frame(kPreviewTourStep);
    ASSERT_EQ(run.Launched(), 1);
    const CometPool& pool = e.comets.pool;
    const int first = [&] {
        for (int i = 0; i < kCometSlots; ++i)
            if (pool.pAlive[i]) return i;
        return -1;
    }();
    ASSERT_GE(first, 0);
    auto distance = [&](int i) {
        return std::sqrt(pool.pX[i] * pool.pX[i] + pool.pY[i] * pool.pY[i] +
                         pool.pZ[i] * pool.pZ[i]);
    };
    const float r0 = distance(first);
    const float dir0 = pool.pX[first] / r0;
    e.rt[0].cometChance = 0;
    for (int frame = 1; frame <= 10; ++frame)
        run.Frame(kPreviewTourStep);
    ASSERT_TRUE(pool.pAlive[first]);
    EXPECT_NEAR(distance(first), r0 + 0.5f, 1e-3f);
    EXPECT_NEAR(pool.pX[first] / distance(first), dir0, 1e-4f);
}

TEST(EngineComets, AStandardNucleusOrbitsAtTheCometSpeed) {
    CometRun run;
    EngineState& e = run.engine();
    e.types[0].cometOrbit = 9999;
    run.Retype();
    run.Frame(kPreviewTourStep);
    const CometSet& set = e.comets.set;
    int c = 0;
    while (c < set.cometCount && set.liveCount[c] == 0)
        ++c;
    ASSERT_LT(c, set.cometCount);
    const float x = set.nucleusX[c], y = set.nucleusY[c], z = set.nucleusZ[c];
    e.rt[0].cometChance = 0;
    run.Frame(kPreviewTourStep);
    // (x, z) turned by the nucleus's own step; the height stays.
    EXPECT_FLOAT_EQ(set.nucleusY[c], y);
    EXPECT_NEAR(std::hypot(set.nucleusX[c], set.nucleusZ[c]), std::hypot(x, z), 1e-4);
    EXPECT_NEAR(set.nucleusX[c], x * set.nucleusCos[c] - set.nucleusSin[c] * z, 1e-6);
    EXPECT_LT(set.nucleusCos[c], 1.0f);
}

TEST(EngineComets, TheHueRangeCreepsAlongTheWheelAndWrapsTogether) {
    test::CoreRun run(test::TinyUniverse());
    EngineState& e = run.engine();
    e.types[2].hwcInc = 0.5f;
    TypeRuntime& rt = e.rt[2];
    rt.cometHueFrom = 1079;
    rt.cometHueTo = 1200;
    CometHueDrift(e);  // 0.5
    CometHueDrift(e);  // 1.0: not yet past 1
    EXPECT_EQ(rt.cometHueFrom, 1079.0f);
    CometHueDrift(e);  // 1.5: one degree on
    EXPECT_EQ(rt.cometHueFrom, 1080.0f);
    EXPECT_EQ(rt.cometHueTo, 1201.0f);
    EXPECT_EQ(rt.cometHueAcc, 0.0f);
    ColourRamp expected;
    BuildFlareRamp(expected, 1080, 1201);
    EXPECT_EQ(e.flareRamp[2], expected);
    // Only when both ends have passed 1080 does the range wrap.
    for (int i = 0; i < 3; ++i)
        CometHueDrift(e);
    EXPECT_EQ(rt.cometHueFrom, 1.0f);
    EXPECT_EQ(rt.cometHueTo, 122.0f);
    BuildFlareRamp(expected, 1, 122);
    EXPECT_EQ(e.flareRamp[2], expected);
    // A type whose range stands still keeps its ramp.
    BuildFlareRamp(expected, e.types[3].hwcStart, e.types[3].hwcEnd);
    EXPECT_EQ(e.flareRamp[3], expected);
}

}  // namespace
}  // namespace orrelume
