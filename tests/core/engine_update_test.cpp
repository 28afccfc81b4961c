#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "engine/galaxy_slots.h"
#include "engine/generate.h"
#include "engine/type_runtime.h"
#include "engine/update.h"
#include "support/core_fixture.h"

namespace orrelume {
namespace {

TEST(EngineUpdate, RebirthCountRoundsHalvesToEven) {
    test::CoreRun run(test::TinyUniverse());
    std::set<int32_t> counts;
    for (int i = 0; i < 400; ++i)
        counts.insert(RebirthCount(run.engine(), 1250));
    EXPECT_EQ(counts, (std::set<int32_t>{12, 14}));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(RebirthCount(run.engine(), 0), 0);
    counts.clear();
    for (int i = 0; i < 400; ++i)
        counts.insert(RebirthCount(run.engine(), 130));
    EXPECT_EQ(counts, (std::set<int32_t>{1, 2}));  // 1.3 or 2.3
}

TEST(EngineUpdate, RebirthRateFollowsTheTour) {
    UniverseSettings u = test::TinyUniverse();
    u.newFreq = 1000;
    u.gPCtrl = 2;
    test::CoreRun run(u);
    EngineState& e = run.engine();
    e.types[3].newFreq = 200;
    e.types[4].newFreq = 600;
    e.galaxies.typeSlot[0] = 3;
    e.galaxies.typeSlot[1] = 4;
    // The first control point of the first visit: the universe rate.
    EXPECT_EQ(RebirthRate(e, {0, 0, 1, 0.0f, true, 0}), 1000);
    // The previous galaxy's rate fades into the universe's.
    EXPECT_EQ(RebirthRate(e, {1, 0, 1, 0.0f, true, 0}), 200);
    EXPECT_EQ(RebirthRate(e, {1, 0, 1, 0.5f, true, 0}), 600);
    EXPECT_EQ(RebirthRate(e, {1, 0, 2, 0.5f, true, 0}), 1000);
    // The universe rate gives way to the visited galaxy's.
    EXPECT_EQ(RebirthRate(e, {1, 0, 3, 0.0f, true, 0}), 1000);
    EXPECT_EQ(RebirthRate(e, {1, 0, 3, 0.5f, true, 0}), 800);
    EXPECT_EQ(RebirthRate(e, {1, 0, 4, 0.5f, true, 0}), 600);
    EXPECT_EQ(RebirthRate(e, {1, 0, 4, 0.5f, false, 0}), 1000);
    EXPECT_EQ(RebirthRate(e, {0, 0, kPreviewTourStep, 0, true, 1}), 200);
}

TEST(EngineUpdate, RetiredTrailVanishesOverThreeFramesThenTheStarIsReborn) {
    UniverseSettings u = test::TinyUniverse();
    u.stars = 10;
    u.sTrail = 3;
    u.galaxy = 1;
    test::CoreRun run(u);
    EngineState& e = run.engine();
    e.types[0].newFreq = 0;  // no re-births but the retired one
    e.types[0].newFrames = 0;
    StarTable& st = run.stars();
    ASSERT_EQ(st.trail, 3);
    for (int s = 0; s < st.count; ++s) {
        e.galaxies.typeSlot[0] = 0;
        st.galaxyIndex[s] = 0;
        st.typeIndex[s] = 0;
        GenerateStar(e, s, 0, 0);
    }
    e.galaxies.camZ[0] = 10;
    const FrameInputs frame{0, 0, 5, 0.5f, true, 0};
    auto trailPixels = [&](int s) {
        int lit = 0;
        for (int k = 0; k < 3; ++k)
            lit += e.canvas.PixelAt(st.screenX[s * 3 + k], st.screenY[s * 3 + k]) != 0;
        return lit;
    };
    // The other stars stay behind the eye; star 0 moves far enough each
    // frame for its three trail pixels to differ.
    for (int s = 1; s < st.count; ++s) {
        st.posX[s] = st.posY[s] = 0;
        st.posZ[s] = 100;
        st.spinCos[s] = 1;
        st.spinSin[s] = 0;
    }
    st.posX[0] = 0;
    st.posY[0] = 0;
    st.posZ[0] = 2.5f;
    st.spinCos[0] = std::cos(0.05f);
    st.spinSin[0] = std::sin(0.05f);
    for (int i = 0; i < 4; ++i)
        UpdateGalaxies(e, frame);
    EXPECT_EQ(trailPixels(0), 3);
    st.trailFade[0] = 4;  // retired, as the re-birth selection does
    const int32_t ageBefore = st.age[0];
    UpdateGalaxies(e, frame);
    EXPECT_EQ(trailPixels(0), 2);
    UpdateGalaxies(e, frame);
    EXPECT_EQ(trailPixels(0), 1);
    UpdateGalaxies(e, frame);
    EXPECT_EQ(trailPixels(0), 0);
    EXPECT_EQ(st.trailFade[0], 1);
    EXPECT_EQ(st.age[0], ageBefore + 3);
    UpdateGalaxies(e, frame);  // the fourth frame: born again
    EXPECT_EQ(st.trailFade[0], 0);
    EXPECT_EQ(st.age[0], 0);
}

TEST(EngineUpdate, CompositeGalaxiesOnlyEverYieldMemberTypes) {
    UniverseSettings u = test::TinyUniverse();
    u.stars = 500;
    u.galaxy = 3;
    u.newFreq = 5000;
    test::CoreRun run(u);
    EngineState& e = run.engine();
    CompositeGalaxy& c = e.composites[2];
    c.count = 3;
    c.members[0] = 7;
    c.members[1] = 9;
    c.members[2] = 7;
    e.types[9].stdLevels = 4;
    e.composites[5].count = 0;  // a composite without members
    PrepareTypeRuntimes(e, {});
    EXPECT_EQ(e.galaxySlots.memberWeight[2][0], 1);
    EXPECT_EQ(e.galaxySlots.memberWeight[2][1], 5);
    EXPECT_EQ(e.galaxySlots.memberWeight[2][2], 6);
    e.galaxies.typeSlot[0] = 52;
    e.galaxies.typeSlot[1] = 55;
    e.galaxies.typeSlot[2] = 52;
    e.galaxySlots.composite[52] = true;  // slot 55 is not even flagged
    run.CameraAtHome();
    std::set<int> types;
    for (int frame = 0; frame < 60; ++frame) {
        UpdateGalaxies(e, {frame % 3, 0, 5, 0.3f, true, 0});
        UpdateGalaxies(e, {0, 0, kPreviewTourStep, 0, true, 2});
    }
    for (int s = 0; s < run.stars().count; ++s)
        types.insert(run.stars().typeIndex[s]);
    for (int t : types)
        EXPECT_LT(t, 50);
    EXPECT_TRUE(types.count(7) && types.count(9));
    EXPECT_EQ(GalaxyTypeOf(e, 0), 7);
    EXPECT_EQ(GalaxyTypeOf(e, 1), 0);
}

TEST(EngineUpdate, GravitonStarsThroughTheCoreStayFinite) {
    UniverseSettings u = test::TinyUniverse();
    u.galaxy = 1;
    test::CoreRun run(u);
    EngineState& e = run.engine();
    e.types[0].galStyle = kStyleGraviton;
    e.types[0].qgForce = 99.9f;
    e.types[0].newFreq = 0;
    PrepareTypeRuntimes(e, {});
    StarTable& st = run.stars();
    for (int s = 0; s < st.count; ++s) {
        st.typeIndex[s] = 0;
        st.galaxyIndex[s] = 0;
        GenerateStar(e, s, 0, 0);
    }
    // One star exactly at the core, one very near it.
    st.posX[0] = st.posY[0] = st.posZ[0] = 0;
    st.posX[1] = 1e-6f;
    st.posY[1] = st.posZ[1] = 0;
    e.galaxies.camZ[0] = 5;
    for (int frame = 0; frame < 50; ++frame)
        UpdateGalaxies(e, {0, 0, 5, 0.5f, true, 0});
    // Flung out with a large velocity, and the frame goes on.
    EXPECT_GT(std::fabs(st.velX[1]), 1.0f);
    EXPECT_EQ(st.velX[0], 0.0f);
}

}  // namespace
}  // namespace orrelume

namespace orrelume {
namespace {

TEST(EngineUpdate, ValuesThatCannotBePixelsAreSkippedAndTheFramesGoOn) {
    UniverseSettings u = test::TinyUniverse();
    u.galaxy = 3;
    u.stars = 40;
    for (int trail : {1, 2}) {
        u.sTrail = static_cast<int16_t>(trail);
        test::CoreRun run(u);
        EngineState& e = run.engine();
        StarTable& st = run.stars();
        const float inf = std::numeric_limits<float>::infinity();
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float wild[] = {nan, inf, -inf, 1e30f, -3e38f, 0};
        for (int s = 0; s < st.count; ++s) {
            st.posX[s] = wild[s % 6];
            st.posY[s] = wild[(s / 6) % 6];
            st.posZ[s] = wild[(s + 3) % 6];
            st.spinCos[s] = s % 7 == 0 ? nan : 1;
            st.spinSin[s] = 0;
            st.hue[s] = s % 5 == 0 ? nan : (s % 5 == 1 ? 3e38f : 10);
        }
        e.galaxies.camX[0] = inf;
        e.galaxies.camZ[1] = nan;
        e.galaxies.camZ[2] = 1e-30f;
        for (int frame = 0; frame < 20; ++frame)
            UpdateGalaxies(e, {frame % 3, 0, 4, 0.5f, true, 0});
        // A wild star that was never projected keeps its stored pixel; only
        // real pixels reach the picture.
        for (size_t i = 0; i < st.screenX.size(); ++i) {
            if (st.screenX[i] == kUnroundable) continue;
            EXPECT_GT(st.screenX[i], -100000000) << i;
        }
    }
}

}  // namespace
}  // namespace orrelume
