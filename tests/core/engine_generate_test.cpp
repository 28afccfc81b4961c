#include <gtest/gtest.h>

#include <cmath>

#include "engine/generate.h"
#include "engine/random_velocity.h"
#include "engine/type_runtime.h"
#include "support/core_fixture.h"

namespace orrelume {
namespace {

double AxisDistance(const StarTable& st, int s) {
    return std::hypot(static_cast<double>(st.posX[s]), static_cast<double>(st.posZ[s]));
}

TEST(EngineGenerate, ShapeProfilesAreFiniteUpToTheRimAndSignedAtRandom) {
    Random rng(5);
    for (int profile = 0; profile <= 7; ++profile) {
        for (float p : {0.01f, 0.3f, 1.0f, 3.0f, 7.77f, 123.45f, 300.0f}) {
            // Where single and double precision meet: the rim itself.
            for (float r : {0.0f, p / 4, p / 2, 0.1f * p, 0.75f * p, p}) {
                const float h = ShapeProfile(rng, profile, r, p, p * p);
                EXPECT_TRUE(std::isfinite(h)) << profile << " " << p << " " << r;
            }
        }
    }
    // Conical: the radius at the centre, 0 at the rim; outer-hyperbolic: 0 at
    // the centre.
    int positive = 0, negative = 0;
    for (int i = 0; i < 200; ++i) {
        const float h = ShapeProfile(rng, 3, 0, 5, 25);
        EXPECT_EQ(std::fabs(h), 5.0f);
        (h > 0 ? positive : negative)++;
        EXPECT_EQ(ShapeProfile(rng, 3, 5, 5, 25), 0.0f);
        EXPECT_EQ(ShapeProfile(rng, 5, 0, 5, 25), 0.0f);
    }
    EXPECT_GT(positive, 50);
    EXPECT_GT(negative, 50);
}

TEST(EngineGenerate, LevelsBandsAndArms) {
    test::CoreRun run(test::TinyUniverse());
    EngineState& e = run.engine();
    GalaxyType& t = e.types[0];
    t.stdLevels = 3;
    t.stdLevDRad = 300;
    t.radiusExp = 1;
    PrepareTypeRuntimes(e, {});
    StarTable& st = run.stars();
    int seen[3] = {};
    for (int s = 0; s < st.count; ++s) {
        GenerateStar(e, s, 0, 0);
        const int level = st.level[s];
        ASSERT_GE(level, 0);
        ASSERT_LT(level, 3);
        ++seen[level];
        // Level l lies between 3 l and 3 l + R (R = 3) from the axis.
        EXPECT_GE(AxisDistance(st, s), 3.0 * level - 1e-4);
        EXPECT_LE(AxisDistance(st, s), 3.0 * level + 3 + 1e-4);
    }
    EXPECT_GT(seen[2], 0);

    // Four bands, each filled in its inner half: radius fractions in
    // [k/4, k/4 + 1/8].
    t = DefaultGalaxyType(0);
    t.radBands = 4;
    t.radBFill = 50;
    t.radiusExp = 1;
    PrepareTypeRuntimes(e, {});
    for (int s = 0; s < st.count; ++s) {
        GenerateStar(e, s, 0, 0);
        const double f = AxisDistance(st, s) / 3.0;
        const double inBand = f * 4 - std::floor(f * 4 + 1e-6);
        EXPECT_LE(inBand, 0.5 + 1e-4) << f;
    }

    // One narrow arm: every angle within a tenth of the circle.
    t = DefaultGalaxyType(0);
    t.radFill = 10;
    PrepareTypeRuntimes(e, {});
    for (int s = 0; s < st.count; ++s) {
        GenerateStar(e, s, 0, 0);
        double angle = std::atan2(st.posZ[s], st.posX[s]);
        if (angle < 0) angle += 2 * M_PI;
        EXPECT_LE(angle, 2 * M_PI * 0.1 + 1e-4);
    }
}

TEST(EngineGenerate, SpinIsAtMostAQuarterTurnAndOtherStylesHaveOneLevel) {
    test::CoreRun run(test::TinyUniverse());
    EngineState& e = run.engine();
    StarTable& st = run.stars();
    // A tiny fast galaxy: every star would spin faster than a quarter turn.
    e.types[0].radius = 1;
    e.types[0].rotation = 30000;
    e.types[1].galStyle = kStyleGraviton;
    e.types[1].stdLevels = 7;
    e.types[2].galStyle = kStyleQuasar;
    PrepareTypeRuntimes(e, {});
    EXPECT_EQ(e.rt[1].levels, 1);
    for (int s = 0; s < 20; ++s) {
        GenerateStar(e, s, 0, 0);
        EXPECT_EQ(st.spinSin[s], std::sin(kHalfPi));
        EXPECT_EQ(st.spinCos[s], std::cos(kHalfPi));
        GenerateStar(e, s, 1, 0);
        EXPECT_EQ(st.level[s], 0);
        EXPECT_EQ(st.velX[s], 0);
        GenerateStar(e, s, 2, 0);
        // A quasar star flies outwards in proportion to its distance.
        EXPECT_FLOAT_EQ(st.velX[s], st.posX[s] * e.rt[2].force);
        EXPECT_FLOAT_EQ(st.velZ[s], st.posZ[s] * e.rt[2].force);
    }
}

TEST(EngineGenerate, RandomVelocityHasTheGivenLength) {
    Random rng(9);
    double sumX = 0, sumY = 0;
    for (int i = 0; i < 2000; ++i) {
        const ShapePoint v = RandomVelocity(rng, 2.0f);
        const double length = std::sqrt(double{v.x} * v.x + double{v.y} * v.y + double{v.z} * v.z);
        EXPECT_NEAR(length, 2.0, 1e-5);
        sumX += v.x;
        sumY += v.y;
    }
    // Spread over all directions, not one side.
    EXPECT_LT(std::fabs(sumY / 2000), 0.1);
    EXPECT_LT(std::fabs(sumX / 2000), 0.1);
}

TEST(EngineGenerate, RandomFactorsScaleSizeAndSpin) {
    test::CoreRun run(test::TinyUniverse());
    EngineState& e = run.engine();
    PrepareTypeRuntimes(e, {true, 4, 1});
    int scaled = 0;
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        const double size = e.rt[t].radiusScale / 3.0;
        EXPECT_GE(size, 0.25 - 1e-6);
        EXPECT_LE(size, 4 + 1e-6);
        EXPECT_NEAR(e.rt[t].viewDistance / 4.0, size, 1e-5);
        scaled += std::fabs(size - 1) > 1e-3;
    }
    EXPECT_GT(scaled, 40);
    PrepareTypeRuntimes(e, {false, 4, 1});
    EXPECT_FLOAT_EQ(e.rt[0].radiusScale, 3);
}

}  // namespace
}  // namespace orrelume
