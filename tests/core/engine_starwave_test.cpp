// The starwave: stars born at the core, leaving along arms in interleaved
// waves that die down as they age.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/generate.h"
#include "engine/type_runtime.h"
#include "engine/update.h"
#include "support/core_fixture.h"

namespace orrelume {
namespace {

struct WaveRun {
    test::CoreRun run{test::TinyUniverse()};
    EngineState& e = run.engine();
    GalaxyType& type = e.types[0];

    WaveRun() { type.galStyle = kStyleStarwave; }
    void Prepare() { PrepareTypeRuntimes(e, {}); }
};

TEST(EngineStarwave, StarsLeaveTheCoreAlongTheTurningArmsInEvenlySpacedWaves) {
    WaveRun r;
    r.type.radSegs = 3;
    r.type.radFill = 20;
    r.type.radBands = 4;
    r.Prepare();
    EngineState& e = r.e;
    TypeRuntime& rt = e.rt[0];
    rt.spinPhase = 0.5f;
    StarTable& st = e.stars;
    std::set<float> phases;
    for (int s = 0; s < st.count; ++s) {
        st.age[s] = 77;
        GenerateStar(e, s, 0, 0);
        EXPECT_EQ(st.posX[s], 0.0f);
        EXPECT_EQ(st.posY[s], 0.0f);
        EXPECT_EQ(st.posZ[s], 0.0f);
        EXPECT_EQ(st.age[s], 0);
        // Outwards at a hundredth of the radius per frame...
        EXPECT_NEAR(std::hypot(st.velX[s], st.velZ[s]), 0.03, 1e-6);
        // ...within the first fifth of one of three sectors, turned by the
        // spin phase.
        double a = std::atan2(st.velZ[s], st.velX[s]) - 0.5;
        a = std::fmod(a + 4 * M_PI, 2 * M_PI / 3);
        EXPECT_LE(a, 2 * M_PI / 3 * 0.2 + 1e-5) << a;
        phases.insert(st.velY[s]);
    }
    EXPECT_EQ(phases, (std::set<float>{0.0f, kHalfPi, kPi, 3 * kHalfPi}));
    // Starwave stars keep their birth colour.
    EXPECT_EQ(rt.hueStep, 0);
}

TEST(EngineStarwave, WavesInStepAndTheFlatDiscOfSpokes) {
    // One wave: every star starts at phase 0, so all rise and fall together.
    WaveRun r;
    r.type.radBands = 1;
    r.type.radBFill = 20;
    r.type.radiusExp = 10;  // 10 degrees per frame
    r.Prepare();
    EngineState& e = r.e;
    StarTable& st = e.stars;
    for (int s = 0; s < st.count; ++s) {
        st.typeIndex[s] = 0;
        GenerateStar(e, s, 0, 0);
        EXPECT_EQ(st.velY[s], 0.0f);
    }
    for (int frame = 0; frame < 5; ++frame) {
        for (int s = 0; s < st.count; ++s)
            MoveStar(e, s);
    }
    // Age 5, half-life 20: 20 / 25 of sin(50 degrees) of the amplitude
    // (0.3 x 300 x 0.01).
    const double height = 20.0 / 25.0 * std::sin(50 * M_PI / 180) * 0.9;
    for (int s = 0; s < st.count; ++s)
        EXPECT_NEAR(st.posY[s], height, 1e-4);

    // No persistence: the wave is gone once the star is a frame old.
    r.type.radBFill = 0;
    r.type.radBands = 7;
    r.Prepare();
    for (int s = 0; s < st.count; ++s) {
        GenerateStar(e, s, 0, 0);
        MoveStar(e, s);
        EXPECT_EQ(st.posY[s], 0.0f);
        EXPECT_GT(std::hypot(st.posX[s], st.posZ[s]), 0.0f);
    }
}

}  // namespace
}  // namespace orrelume
