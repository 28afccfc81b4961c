// The nebula style: the B-spline, the ribbon's creation and per-frame
// advance, and where a nebula star is born.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "engine/generate.h"
#include "engine/nebula.h"
#include "engine/type_runtime.h"
#include "support/core_fixture.h"
#include "universe/creation.h"

namespace orrelume {
namespace {

struct NebulaRun {
    test::CoreRun run{test::TinyUniverse()};
    EngineState& e = run.engine();
    GalaxyType& type = e.types[0];

    NebulaRun() { type.galStyle = kStyleNebula; }
    void Prepare() {
        PrepareTypeRuntimes(e, {});
        PrepareGalaxyInstances(e, e.galaxies.count, {InstanceSource::FixedType, 0});
    }
    NebulaInstance& Ribbon(int i = 0) { return e.nebula.instances[static_cast<size_t>(i)]; }
};

TEST(EngineNebula, SplineSegmentsJoinAndRepeatAConstant) {
    // Four equal points give that point wherever along the segment.
    for (float t : {0.0f, 0.3f, 0.999f})
        EXPECT_NEAR(BSpline(2.5f, 2.5f, 2.5f, 2.5f, t), 2.5f, 1e-6f);
    // The end of one segment is the start of the next, and the curve is
    // smooth there: a ribbon without kinks or gaps.
    const float p[] = {0.0f, 4.0f, -1.0f, 3.0f, 7.0f};
    const float end = BSpline(p[0], p[1], p[2], p[3], 1.0f);
    const float start = BSpline(p[1], p[2], p[3], p[4], 0.0f);
    EXPECT_NEAR(end, start, 1e-5f);
    const float h = 1e-3f;
    const float slopeEnd = (end - BSpline(p[0], p[1], p[2], p[3], 1.0f - h)) / h;
    const float slopeStart = (BSpline(p[1], p[2], p[3], p[4], h) - start) / h;
    EXPECT_NEAR(slopeEnd, slopeStart, 0.05f);
    // At t = 0 the curve stands at (P0 + 4 P1 + P2) / 6.
    EXPECT_NEAR(BSpline(6, 0, 0, 100, 0), 1.0f, 1e-6f);
}

TEST(EngineNebula, OneClosedControlPointBearsEveryStarAtOnePlace) {
    NebulaRun r;
    r.type.cpPoints = 1;
    r.type.cpClose = 1;
    r.type.cpBPts = 7;
    r.type.cpBSpd = 999;
    r.type.radiusExp = 0;
    r.type.heightExp = 0;
    r.Prepare();
    StarTable& st = r.e.stars;
    std::set<std::tuple<float, float, float>> places;
    for (int s = 0; s < st.count; ++s) {
        GenerateStar(r.e, s, 0, 0);
        places.insert({st.posX[s], st.posY[s], st.posZ[s]});
        EXPECT_EQ(st.velX[s], 0.0f);
    }
    EXPECT_EQ(places.size(), 1u);
}

TEST(EngineNebula, ClosedRibbonRepeatsItsFirstPointsAndOpenOneWandersOnItsOwn) {
    NebulaRun closed;
    closed.type.cpPoints = 5;
    closed.type.cpClose = 1;
    closed.type.cpSteps = 3;
    closed.Prepare();
    for (int frame = 0; frame < 10; ++frame) {
        const NebulaInstance& n = closed.Ribbon();
        for (int i = 5; i < 8; ++i) {
            EXPECT_EQ(n.ribbonX[i], n.ribbonX[i - 5]);
            EXPECT_EQ(n.ribbonY[i], n.ribbonY[i - 5]);
            EXPECT_EQ(n.ribbonZ[i], n.ribbonZ[i - 5]);
        }
        AdvanceNebula(closed.e, 0);
    }

    // An open ribbon's last three points have guides of their own from the
    // start: its ends lie out in the cloud, not bunched at the centre.
    NebulaRun open;
    open.type.cpPoints = 5;
    open.type.cpClose = 0;
    open.Prepare();
    const NebulaInstance& n = open.Ribbon();
    for (int i = 5; i < 8; ++i) {
        EXPECT_NE(n.ribbonX[i], n.ribbonX[i - 5]);
        EXPECT_GT(std::hypot(n.ribbonX[i], n.ribbonZ[i]), 1e-3f) << i;
        for (int j = 0; j < 4; ++j) {
            EXPECT_LE(std::fabs(n.guideX[j][i]), 3.0f);
            EXPECT_LE(std::fabs(n.guideZ[j][i]), 3.0f);
        }
    }
}

TEST(EngineNebula, StillPathsTurnWithTheGalaxy) {
    NebulaRun r;
    r.type.cpSteps = 0;
    r.type.rotation = 20000;  // 0.02 radians per frame
    r.Prepare();
    EngineState& e = r.e;
    const NebulaInstance start = r.Ribbon();
    const double angle0 = std::atan2(start.ribbonX[2], start.ribbonZ[2]);
    const double radius0 = std::hypot(start.ribbonX[2], start.ribbonZ[2]);
    for (int frame = 0; frame < 25; ++frame)
        AdvanceNebula(e, 0);
    const NebulaInstance& n = r.Ribbon();
    EXPECT_EQ(n.ribbonClock, 0.0f);
    // The guides were never replaced, only turned: 25 frames of 0.02.
    EXPECT_NEAR(std::hypot(n.ribbonX[2], n.ribbonZ[2]), radius0, 1e-4);
    EXPECT_FLOAT_EQ(n.ribbonY[2], start.ribbonY[2]);
    double turned = start.ribbonX[2] == 0 ? 0 : std::atan2(n.ribbonX[2], n.ribbonZ[2]) - angle0;
    turned = std::remainder(turned, 2 * M_PI);
    EXPECT_NEAR(std::fabs(turned), 0.5, 1e-3);
}

TEST(EngineNebula, PathsMoveOnToFreshGuidesAsTheirClockRunsOver) {
    NebulaRun r;
    r.type.cpSteps = 4;
    r.type.rotation = 0;
    r.Prepare();
    EngineState& e = r.e;
    const NebulaInstance start = r.Ribbon();
    for (int frame = 0; frame < 3; ++frame)
        AdvanceNebula(e, 0);
    EXPECT_FLOAT_EQ(r.Ribbon().ribbonClock, 0.75f);
    EXPECT_EQ(r.Ribbon().guideX[0][0], start.guideX[0][0]);
    AdvanceNebula(e, 0);
    // The window moved on by one guide; the newest is fresh.
    const NebulaInstance& n = r.Ribbon();
    EXPECT_LT(n.ribbonClock, 1e-6f);
    EXPECT_EQ(n.guideX[0][0], start.guideX[1][0]);
    EXPECT_EQ(n.guideX[2][3], start.guideX[3][3]);
    EXPECT_NE(n.guideX[3][0], start.guideX[3][0]);
    // The control point moved continuously: where it reached at the end of
    // the old segment is where it starts the new one.
    EXPECT_NEAR(n.ribbonX[0],
                BSpline(start.guideX[0][0], start.guideX[1][0], start.guideX[2][0],
                        start.guideX[3][0], 1.0f),
                1e-4f);
}

TEST(EngineNebula, StarsGatherAtTheBiasPointsWhichCreepAlongTheRibbon) {
    NebulaRun r;
    r.type.cpPoints = 6;
    r.type.cpBPts = 3;
    r.type.cpBExp = 0;  // exactly on the bias points
    r.type.cpBSpd = 0;
    r.type.colorComp = 5;
    r.type.colorMult = 1000;
    r.type.hueStart = 0;
    r.type.hWheelInc = 0;
    r.Prepare();
    EngineState& e = r.e;
    StarTable& st = e.stars;
    std::set<std::tuple<float, float, float>> places;
    std::set<float> hues;
    for (int s = 0; s < st.count; ++s) {
        GenerateStar(e, s, 0, 0);
        places.insert({st.posX[s], st.posY[s], st.posZ[s]});
        hues.insert(st.hue[s]);
    }
    EXPECT_EQ(places.size(), 3u);
    EXPECT_EQ(e.rt[0].biasPos, 0.0f);
    // The bias points sit at 1/6, 1/2 and 5/6 of the ribbon; with the
    // multiplier 1000 the hue runs round the wheel along it.
    EXPECT_EQ(hues, (std::set<float>{60, 180, 300}));

    // A travelling bias creeps on with every star and wraps at K.
    r.type.cpBSpd = 999;
    r.Prepare();
    float last = e.rt[0].biasPos;
    int wraps = 0;
    for (int s = 0; s < 100; ++s) {
        GenerateStar(e, s, 0, 0);
        const float now = e.rt[0].biasPos;
        EXPECT_GE(now, 0.0f);
        EXPECT_LT(now, 6.0f);
        if (now < last) ++wraps;
        last = now;
    }
    EXPECT_EQ(wraps, 1);  // 100 stars x 0.0999 = 9.99 control points
}

TEST(EngineNebula, StarsDriftOffTheRibbonAndOutwardsWithTheWind) {
    NebulaRun r;
    r.type.radiusExp = 50;  // drift 0.05 per frame
    r.type.heightExp = 0;
    r.Prepare();
    EngineState& e = r.e;
    StarTable& st = e.stars;
    for (int s = 0; s < 50; ++s) {
        GenerateStar(e, s, 0, 0);
        EXPECT_NEAR(
            std::sqrt(st.velX[s] * st.velX[s] + st.velY[s] * st.velY[s] + st.velZ[s] * st.velZ[s]),
            0.05, 1e-4);
    }
    r.type.radiusExp = 0;
    r.type.heightExp = 20;  // 2 % of the distance per frame, outwards
    r.Prepare();
    for (int s = 0; s < 50; ++s) {
        GenerateStar(e, s, 0, 0);
        EXPECT_FLOAT_EQ(st.velX[s], st.posX[s] * 0.02f);
        EXPECT_FLOAT_EQ(st.velZ[s], st.posZ[s] * 0.02f);
    }
}

TEST(EngineNebula, OnlyNebulaGalaxiesAdvanceAndNoFrameAllocates) {
    test::CoreRun run(test::TinyUniverse());
    EngineState& e = run.engine();
    e.types[0].galStyle = kStyleNebula;
    e.types[0].cpSteps = 1;
    e.types[1].galStyle = kStyleStandard;
    e.composites[0].count = 2;
    e.composites[0].members[0] = 0;
    e.composites[0].members[1] = 1;
    e.composites[1].count = 2;
    e.composites[1].members[0] = 1;
    e.composites[1].members[1] = 0;
    PrepareTypeRuntimes(e, {});
    GalaxyInstances& gi = e.galaxies;
    gi.typeSlot[0] = 0;
    gi.typeSlot[1] = 1;
    gi.typeSlot[2] = kFirstCompositeSlot;      // first member a nebula
    gi.typeSlot[3] = kFirstCompositeSlot + 1;  // first member standard
    gi.typeSlot[4] = 0;
    PrepareGalaxyInstances(e, gi.count, {InstanceSource::SlotList, 0});
    const NebulaState before = e.nebula;

    test::StartCountingAllocations();
    for (int g = 0; g < gi.count; ++g)
        AdvanceNebula(e, g);
    PrepareGalaxyInstances(e, gi.count, {InstanceSource::SlotList, 0});
    for (int g = 0; g < gi.count; ++g)
        AdvanceNebula(e, g);
    EXPECT_EQ(test::StopCountingAllocations(), 0);

    PrepareGalaxyInstances(e, gi.count, {InstanceSource::SlotList, 0});
    for (int g = 0; g < gi.count; ++g)
        AdvanceNebula(e, g);
    EXPECT_EQ(e.nebula.instances[0].ribbonClock, 0.0f);  // stepped over a full segment
    EXPECT_NE(e.nebula.instances[0].guideX[3][0], before.instances[0].guideX[3][0]);
    EXPECT_NE(e.nebula.instances[2].guideX[3][0], before.instances[2].guideX[3][0]);
    // Galaxy 3's ribbon was prepared (its second member is a nebula) but
    // does not move: the galaxy as a whole is standard.
    const NebulaInstance& still = e.nebula.instances[3];
    const NebulaInstance fresh = still;
    AdvanceNebula(e, 3);
    EXPECT_EQ(still.ribbonX, fresh.ribbonX);
    EXPECT_EQ(e.nebula.instances[1].ribbonX, before.instances[1].ribbonX);
}

TEST(EngineNebula, CometNucleusRidesTheRibbon) {
    NebulaRun r;
    r.type.cpPoints = 4;
    r.Prepare();
    EngineState& e = r.e;
    for (int i = 0; i < 20; ++i) {
        float param = -1;
        const StandardSample s = NebulaNucleus(e, 0, 1, param);
        EXPECT_GE(param, 0.0f);
        EXPECT_LT(param, 4.0f);
        const ShapePoint p = NebulaRibbonPoint(e, 0, 1, param);
        EXPECT_NEAR(p.x, s.x, 1e-5f);
        EXPECT_NEAR(p.y, s.y, 1e-5f);
        EXPECT_NEAR(p.z, s.z, 1e-5f);
        // A parameter past the end comes round to the start.
        const ShapePoint q = NebulaRibbonPoint(e, 0, 1, param + 4.0f);
        EXPECT_NEAR(q.x, p.x, 1e-4f);
    }
    const ShapePoint bad = NebulaRibbonPoint(e, 0, 1, std::nanf(""));
    EXPECT_TRUE(std::isfinite(bad.x));
}

}  // namespace
}  // namespace orrelume
