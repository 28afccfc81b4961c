// Special phases: their tables, how a re-born star picks one, how long it
// lasts, its colours, and that a phase leaves nothing behind on the surface.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "engine/colour.h"
#include "engine/generate.h"
#include "engine/special_stars.h"
#include "engine/update.h"
#include "support/core_fixture.h"

namespace orrelume {
namespace {

uint32_t Grey(uint32_t g) {
    return Rgb(g, g, g);
}

TEST(EngineSpecialPhases, NewStarRampBrightensThenDims) {
    std::array<uint32_t, kSpecialTableSize> ramp{};
    BuildNewStarRamp(ramp, 8);
    // c = Int(8 / 4) = 2 frames of brightening: sin(30 and 60 degrees).
    EXPECT_EQ(ramp[8], Grey(168));  // 167.5 rounds to even
    EXPECT_EQ(ramp[7], Grey(232));
    // Then from full brightness down to 80 at the last frame.
    EXPECT_EQ(ramp[6], Grey(255));
    EXPECT_EQ(ramp[0], Grey(80));
    for (int k = 1; k <= 6; ++k)
        EXPECT_LT(RedOf(ramp[k - 1]), RedOf(ramp[k]));
    // No frames: nothing to build (such a flare is never drawn), and
    // nothing divides by zero.
    BuildNewStarRamp(ramp, 0);
    EXPECT_EQ(ramp[0], 0u);
    BuildNewStarRamp(ramp, 1);
    EXPECT_EQ(ramp[1], Grey(255));
    EXPECT_EQ(ramp[0], Grey(80));
}

TEST(EngineSpecialPhases, PulsarTablesRunFromSmallestToLargestWithAnEnvelope) {
    GalaxyType type = DefaultGalaxyType(0);
    type.pulsarFrames = 20;
    type.pulsarMinExt = 50;
    type.pulsarMaxExt = 1000;
    type.hwcStart = 100;
    type.hwcEnd = 200;
    SpecialStarTables::PerType t;
    BuildPulsarTables(t, type);
    EXPECT_NEAR(t.pulsarSize[0], 0.05f, 1e-6f);
    EXPECT_NEAR(t.pulsarSize[10], 1.0f, 1e-6f);
    EXPECT_NEAR(t.pulsarSize[5], t.pulsarSize[15], 1e-6f);
    // The colour walks the hue range: hue 100 at phase 0, 200 half a cycle
    // later; full strength in the middle of the cycle, faded at its ends.
    EXPECT_EQ(t.pulsarColor[10], WheelColor(200, 55, 100, 100, 100));
    const uint32_t start = WheelColor(100, 55, 100, 100, 100);
    EXPECT_EQ(t.pulsarColor[0], ScaleColor(start, std::sin(static_cast<double>(kTwoPi) / 20)));
    EXPECT_LT(GreenOf(t.pulsarColor[19]), GreenOf(t.pulsarColor[15]));
    // Phases beyond the cycle stay unused.
    EXPECT_EQ(t.pulsarSize[20], 0.0f);
}

struct PhaseRun : test::CoreRun {
    PhaseRun() : test::CoreRun(OneGalaxy(), 320, 240, 7) {
        EngineState& e = engine();
        e.galaxies.typeSlot[0] = 0;
        e.galaxies.camZ[0] = 6;
        e.types[0].newFreq = 0;    // only the phases re-birth stars
        e.types[0].cometFreq = 0;  // and nothing but stars is drawn
    }
    static UniverseSettings OneGalaxy() {
        UniverseSettings u = test::TinyUniverse();
        u.stars = 40;
        u.galaxy = 1;
        return u;
    }
    // Tables again after the type was changed.
    void Retable() {
        PrepareTypeRuntimes(engine(), {});
        BuildColourTables(engine(), 165, 210);
        BuildSpecialStarTables(engine());
    }
    void Frame() { UpdateGalaxies(engine(), {0, 0, kPreviewTourStep, 0, true, 1}); }
};

TEST(EngineSpecialPhases, CertainPulsarsWinOverNovasAndLastTheirCycles) {
    PhaseRun run;
    EngineState& e = run.engine();
    e.types[0].pulsarFreq = 10000;
    e.types[0].novaFreq = 9999;
    e.types[0].pulsarCycles = 3;
    e.types[0].pulsarFrames = 20;
    run.Retable();
    StarTable& st = run.stars();
    for (int s = 0; s < st.count; ++s) {
        RebirthStar(e, s, 0, 1);
        EXPECT_EQ(st.pulsarFrames[s], 60);
        EXPECT_EQ(st.novaFrames[s], 0);
        EXPECT_EQ(st.phaseFrames[s], 20);
    }
    // Nothing is drawn until the next frame.
    EXPECT_EQ(run.CountLitPixels(), 0);
    const float x0 = st.posX[0];
    for (int frame = 1; frame < 60; ++frame) {
        run.Frame();
        ASSERT_EQ(st.pulsarFrames[0], 60 - frame);
    }
    // Its 60th frame ends it: the star is born anew, again as a pulsar.
    run.Frame();
    EXPECT_EQ(st.pulsarFrames[0], 60);
    EXPECT_NE(st.posX[0], x0);
}

// A pulsar draws nothing when it starts, so its first frame has no sprite to
// erase: the pixels of other stars around it stay as they were.
TEST(EngineSpecialPhases, ANewPulsarErasesNothingOnItsFirstFrame) {
    PhaseRun run;
    EngineState& e = run.engine();
    GalaxyType& g = e.types[0];
    g.pulsarFreq = 10000;
    g.pulsarShape = kPulsarStar;
    g.pulsarFrames = 9;
    g.pulsarMinExt = 3000;
    g.pulsarMaxExt = 3000;
    g.rotation = 3000;
    run.Retable();
    StarTable& st = run.stars();
    RebirthStar(e, 0, 0, 1);
    ASSERT_GT(st.pulsarFrames[0], 0);
    // Every pixel lit, as if other stars shone everywhere; only the stars'
    // own pixels, before and after the frame, may go dark in it.
    std::set<std::pair<int, int>> own;
    const auto addOwn = [&] {
        for (size_t i = 0; i < st.screenX.size(); ++i)
            own.insert({st.screenX[i], st.screenY[i]});
    };
    addOwn();
    const uint32_t sentinel = Rgb(1, 2, 3);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            e.canvas.Plot(x, y, sentinel);
    // The camera moves on before the pulsar's first frame, as on a tour.
    e.galaxies.camX[0] += 1.0f;
    run.Frame();
    addOwn();
    int darkened = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            darkened += e.canvas.PixelAt(x, y) == 0 && !own.count({x, y});
    EXPECT_EQ(darkened, 0);
    EXPECT_GT(st.pulsarFrames[0], 0);
}

TEST(EngineSpecialPhases, AStarWithoutFlareFramesIsOrdinaryAtOnce) {
    PhaseRun run;
    EngineState& e = run.engine();
    e.types[0].pulsarFreq = 0;
    e.types[0].novaFreq = 0;
    e.types[0].newFrames = 0;
    run.Retable();
    StarTable& st = run.stars();
    for (int s = 0; s < st.count; ++s) {
        RebirthStar(e, s, 0, 1);
        EXPECT_TRUE(st.IsOrdinary(s));
    }
    EXPECT_EQ(run.CountLitPixels(), 0);
}

TEST(EngineSpecialPhases, ANovaStartsWhiteAndEndsOnTheLastColourOfItsRange) {
    PhaseRun run;
    EngineState& e = run.engine();
    e.types[0].pulsarFreq = 0;
    e.types[0].novaFreq = 9999;
    e.types[0].novaFrames = 999;
    e.types[0].novaExtMult = 1;  // tiny: a pixel
    e.types[0].hwcStart = 0;
    e.types[0].hwcEnd = 120;
    run.Retable();
    StarTable& st = run.stars();
    int s = -1;
    for (int tries = 0; tries < 50 && s < 0; ++tries) {
        RebirthStar(e, 0, 0, 1);
        if (st.novaFrames[0] == 999) s = 0;
    }
    ASSERT_EQ(s, 0);
    int32_t x, y;
    ASSERT_TRUE(ProjectPoint(e.canvas, StarCameraPoint(e, 0), x, y));
    EXPECT_EQ(e.canvas.PixelAt(x, y), Rgb(255, 255, 255));
    // A nova longer than 160 frames reaches step 80 near its end; that step
    // shows the ramp's last colour.
    EXPECT_EQ(NovaRampIndex(1, 999), 80);
    EXPECT_EQ(NovaRampIndex(1, 160), 80);  // 79.5 rounds to even
    EXPECT_EQ(NovaRampIndex(1, 100), 79);
    EXPECT_EQ(NovaRampIndex(999, 999), 0);
    st.novaFrames[0] = 1;
    EXPECT_EQ(NovaColour(e, 0), e.flareRamp[0][79]);
    EXPECT_NE(NovaColour(e, 0), 0u);
    st.novaFrames[0] = 500;
    EXPECT_EQ(NovaColour(e, 0), e.flareRamp[0][40]);
}

// Every phase, played to its end in the star pass, takes its sprites away
// again: what is left is the stars' own pixels.
TEST(EngineSpecialPhases, PhasesLeaveNothingBehind) {
    for (int phase = 0; phase < 3; ++phase) {
        for (int trail : {1, 3}) {
            UniverseSettings u = PhaseRun::OneGalaxy();
            u.sTrail = static_cast<int16_t>(trail);
            test::CoreRun run(u, 320, 240, 11 + phase);
            EngineState& e = run.engine();
            e.galaxies.typeSlot[0] = 0;
            e.galaxies.camZ[0] = 5;
            GalaxyType& g = e.types[0];
            g.newFreq = 0;
            g.cometFreq = 0;
            g.newFrames = 12;
            g.newExtMult = 4000;
            g.novaFrames = 25;
            g.novaExtMult = 9000;
            g.pulsarCycles = 2;
            g.pulsarFrames = 9;
            g.pulsarMaxExt = 3000;
            g.pulsarShape = static_cast<int16_t>(phase == 2 ? kPulsarSphere2 : kPulsarStar);
            g.pulsarFreq = phase == 2 ? 10000 : 0;
            g.novaFreq = phase == 1 ? 10000 : 0;
            g.rotation = 3000;
            PrepareTypeRuntimes(e, {});
            BuildSpecialStarTables(e);
            StarTable& st = run.stars();
            for (int s = 0; s < st.count; ++s) {
                st.galaxyIndex[s] = 0;
                RebirthStar(e, s, 0, 1);
            }
            ASSERT_FALSE(st.IsOrdinary(0));
            // From now on a re-born star is ordinary at once.
            g.pulsarFreq = 0;
            g.novaFreq = 0;
            g.newFrames = 0;
            PrepareTypeRuntimes(e, {});
            for (int frame = 0; frame < 40; ++frame)
                UpdateGalaxies(e, {0, 0, kPreviewTourStep, 0, true, 1});
            // Every star shows its trail of at most `trail` pixels, nothing more.
            std::set<std::pair<int, int>> own;
            for (int s = 0; s < st.count; ++s) {
                ASSERT_TRUE(st.IsOrdinary(s));
                for (int k = 0; k < st.trail; ++k) {
                    const size_t i = static_cast<size_t>(s * st.trail + k);
                    if (e.canvas.PixelAt(st.screenX[i], st.screenY[i]) != 0)
                        own.insert({st.screenX[i], st.screenY[i]});
                }
            }
            EXPECT_EQ(run.CountLitPixels(), static_cast<int>(own.size()))
                << "phase " << phase << " trail " << trail;
            EXPECT_GT(own.size(), 0u);
        }
    }
}

}  // namespace
}  // namespace orrelume
