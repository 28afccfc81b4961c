#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/galaxy_slots.h"
#include "support/core_fixture.h"
#include "universe/creation.h"

namespace orrelume {
namespace {

int CountState(const UniverseState& u, ParticleState state) {
    int n = 0;
    for (int32_t i = 0; i < u.engine.stars.count; ++i)
        n += u.scratch.state[i] == state;
    return n;
}

TEST(UniverseCreation, ParticlesLeaveTheCloudOnlyAfterTheFirstQuarter) {
    UniverseSettings u = test::TinyUniverse();
    u.persist = 0.25f;  // most free particles leave as soon as they may
    u.eSteps = 4;
    test::CoreRun run(u);
    UniverseState& us = *run.universe;
    CreationRun creation = BeginCreation(us, 0);
    EXPECT_EQ(creation.quarter, 1);
    ExpansionStep(us, creation, 0);
    EXPECT_EQ(CountState(us, ParticleState::Free), run.stars().count);
    ExpansionStep(us, creation, 1);
    EXPECT_GT(CountState(us, ParticleState::Fading), 0);
    // With a trail of 1 a fading particle is captured one step later.
    ExpansionStep(us, creation, 2);
    EXPECT_GT(CountState(us, ParticleState::Captured), 0);
    ExpansionStep(us, creation, 3);
    FinishCreation(us);
    EXPECT_EQ(CountState(us, ParticleState::Captured), run.stars().count);

    // A single step: quarter 0, the step already lets particles go, and then
    // every particle is captured.
    u.eSteps = 1;
    run.Prepare(u);
    test::FreeFrames frames;
    CreateUniverse(us, 0, frames);
    EXPECT_EQ(frames.frames, 1);
    EXPECT_EQ(frames.stamps, 1);
    EXPECT_EQ(CountState(us, ParticleState::Captured), run.stars().count);
    for (int32_t s = 0; s < run.stars().count; ++s) {
        EXPECT_LT(run.stars().galaxyIndex[s], 5);
        EXPECT_LT(run.stars().typeIndex[s], 50);
    }
}

TEST(UniverseCreation, ExpansionRunsToRestAndTheCloudEndsInBlack) {
    UniverseSettings u = test::TinyUniverse();
    u.eSteps = 160;  // the colour index reaches 80 in the last steps
    u.persist = 1;   // nobody leaves the cloud before the end
    u.damping = 0;
    test::CoreRun run(u);
    UniverseState& us = *run.universe;
    test::FreeFrames frames;
    CreateUniverse(us, 0, frames);
    EXPECT_EQ(frames.frames, 160);
    // Speed 2.5, cosine damping over the last quarter: the radius is finite
    // and the motion has come to rest.
    EXPECT_GT(us.expansionRadius, 2.5f * 100);
    EXPECT_LT(std::fabs(us.expansionSpeed), 1e-3f);
    EXPECT_EQ(CountState(us, ParticleState::Captured), run.stars().count);
    EXPECT_EQ(us.engine.universeRamp[80], 0u);
}

TEST(UniverseCreation, GalaxySlotsByPercentageInTurnAndPreset) {
    UniverseSettings u = test::TinyUniverse();
    u.galaxy = 6;
    u.gVisit = 1;
    test::CoreRun run(u);
    EngineState& e = run.engine();
    e.types[3].uniGalPct = 10;
    e.types[7].uniGalPct = 1;
    test::FreeFrames frames;
    frames.stopAfter = 1;
    CreateUniverse(*run.universe, 0, frames);
    std::vector<int> slots(e.galaxies.typeSlot.begin(), e.galaxies.typeSlot.end());
    EXPECT_EQ(slots, (std::vector<int>{3, 7, 3, 7, 3, 7}));

    // At random, in proportion; a composite with weight 0 is never chosen.
    u.gVisit = 0;
    u.galaxy = 200;
    run.Prepare(u);
    e.types[3].uniGalPct = 0;
    e.types[7].uniGalPct = 0;
    e.types[12].uniGalPct = 30;
    e.composites[1].weight = 10;
    e.composites[1].count = 1;
    e.composites[1].members[0] = 4;
    CreateUniverse(*run.universe, 0, frames);
    int twelve = 0, composite = 0;
    for (int g = 0; g < 200; ++g) {
        const int slot = e.galaxies.typeSlot[g];
        ASSERT_TRUE(slot == 12 || slot == 51) << slot;
        (slot == 12 ? twelve : composite)++;
    }
    EXPECT_GT(twelve, composite);
    EXPECT_GT(composite, 20);
    EXPECT_TRUE(e.galaxySlots.composite[51]);

    // Preset tour galaxies take the first places, as many as there are
    // galaxies; tokens that name no slot are dropped.
    u.galaxy = 2;
    u.gsIdx = "0.4 5 52 9";
    run.Prepare(u);
    EXPECT_EQ(run.universe->tourList, (std::vector<int16_t>{4, 51, 8}));
    CreateUniverse(*run.universe, 0, frames);
    EXPECT_EQ(e.galaxies.typeSlot[0], 4);
    EXPECT_EQ(e.galaxies.typeSlot[1], 51);

    // No weight anywhere: every galaxy takes slot 0.
    e.types[12].uniGalPct = 0;
    e.composites[1].weight = 0;
    u.gsIdx.clear();
    u.galaxy = 5;
    run.Prepare(u);
    CreateUniverse(*run.universe, 0, frames);
    for (int g = 0; g < 5; ++g)
        EXPECT_EQ(e.galaxies.typeSlot[g], 0);
}

TEST(UniverseCreation, ShapeParticlesScaleToTheExpansionAndFollowTheMode) {
    test::CoreRun run(test::TinyUniverse());
    EngineState& e = run.engine();
    e.types[0].angleTilt = 0;
    PrepareTypeRuntimes(e, {});
    ShapePoint pos, vel;
    for (int i = 0; i < 100; ++i) {
        GenerateShapeParticle(e, pos, vel, 0, 2.0f, 0, 0);
        EXPECT_EQ(pos.x, 0);
        // The type's radius 3 is scaled to the expansion speed 2.5, times 2.
        EXPECT_LE(std::hypot(vel.x, vel.z), 5.0f + 1e-3f);
        GenerateShapeParticle(e, pos, vel, 0, 2.0f, 0.5f, 1);
        EXPECT_FLOAT_EQ(vel.x, pos.x * 0.5f);
        GenerateShapeParticle(e, pos, vel, 0, 2.0f, 0.5f, 2);
        EXPECT_EQ(vel.x, 0);
    }
}

}  // namespace
}  // namespace orrelume
