#include <gtest/gtest.h>

#include "support/core_fixture.h"
#include "universe/gravity.h"
#include "universe/tour.h"

namespace orrelume {
namespace {

TEST(UniverseTour, SplineOfTheSlidingWindow) {
    ControlWindow w;
    ResetWindow(w, {0, 0, -40});
    for (float t : {0.0f, 0.3f, 0.9f}) {
        const ShapePoint p = SplinePoint(w, t);
        EXPECT_FLOAT_EQ(p.z, -40);
        EXPECT_FLOAT_EQ(p.x, 0);
    }
    ShiftAndAppend(w, {6, 0, 0});
    EXPECT_FLOAT_EQ(w.points[2].z, -40);
    EXPECT_FLOAT_EQ(w.points[3].x, 6);
    // At t = 0 the spline sits at (p0 + 4 p1 + p2) / 6: the new point has not
    // pulled it yet.
    EXPECT_NEAR(SplinePoint(w, 0).x, 0, 1e-6);
    EXPECT_NEAR(SplinePoint(w, 0.999f).x, 1.0f, 1e-2);
}

TEST(UniverseTour, ApproachAndDeparturePoints) {
    UniverseSettings u = test::TinyUniverse();
    u.gPCtrl = 2;
    u.gCCtrl = 3;
    test::CoreRun run(u);
    EngineState& e = run.engine();
    e.galaxies.posX[1] = 5;
    e.galaxies.posZ[1] = 20;
    const float d = e.rt[0].viewDistance;  // 4
    EXPECT_FLOAT_EQ(ApproachPoint(e, 1, 0, 1).z, 20 - d);
    EXPECT_FLOAT_EQ(ApproachPoint(e, 1, 0, 2).x, 5);
    EXPECT_FLOAT_EQ(ApproachPoint(e, 1, 0, 3).z, 20 - d + d * 1.5f / 3);
    // The last pull-back point is 1.5 viewing distances beyond the first.
    EXPECT_FLOAT_EQ(ApproachPoint(e, 1, 0, 5).z, 20 - d + d * 1.5f);
    EXPECT_FLOAT_EQ(DeparturePoint(1, 2, 3).z, -15);
    EXPECT_FLOAT_EQ(DeparturePoint(2, 2, 3).z, -30000);
    EXPECT_FLOAT_EQ(DeparturePoint(1, 1, 3).z, -30000);
}

TEST(UniverseGravity, ForceFramesPairsAndSequentialUpdate) {
    GalaxyInstances gi;
    gi.Allocate(3);
    gi.posX = {0, 1, 1};
    gi.posY = {0, 0, 0};
    gi.posZ = {0, 0, 0};
    int16_t counter = 0;
    // Forces every third frame: the first in the third frame of the run.
    GravityStep(gi, 0.01f, 3, counter);
    GravityStep(gi, 0.01f, 3, counter);
    EXPECT_EQ(gi.velX[0], 0);
    GravityStep(gi, 0.01f, 3, counter);
    EXPECT_EQ(counter, 0);
    // Galaxy 0 is pulled by 1 and 2: 0.01 / 1 each.
    EXPECT_NEAR(gi.velX[0], 0.02f, 1e-6);
    // Galaxies 1 and 2 share a place: they pull each other with nothing.
    // Galaxy 1 is pulled back by galaxy 0, which has already moved.
    EXPECT_NEAR(gi.velX[1], -0.01f / 0.98f, 1e-5);
    EXPECT_NEAR(gi.posX[0], 0.02f, 1e-6);

    GalaxyInstances one;
    one.Allocate(1);
    one.posX = {3};
    for (int i = 0; i < 10; ++i)
        GravityStep(one, 0.1f, 1, counter);
    EXPECT_EQ(one.posX[0], 3);
    EXPECT_EQ(one.velX[0], 0);
    // No force: nothing moves, the counter stays.
    const int16_t before = counter;
    GravityStep(gi, 0, 1, counter);
    EXPECT_EQ(counter, before);
}

}  // namespace
}  // namespace orrelume
