// User-defined iterated function systems: the run-start scaling of the
// user's maps and the chaos game on them.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "engine/generate.h"
#include "engine/ifs.h"
#include "engine/type_runtime.h"
#include "engine/user_styles.h"
#include "support/core_fixture.h"
#include "universe/creation.h"

namespace orrelume {
namespace {

struct UserIfsRun {
    test::CoreRun run{test::TinyUniverse()};
    EngineState& e = run.engine();
    GalaxyType& type = e.types[0];

    UserIfsRun() {
        type.galStyle = kStyleUserIfs;
        type.ifsCenterX = 500;
        type.ifsCenterY = 500;
        type.ifsCenterZ = 500;
    }
    void Add(IfsPoint p) { type.ifsPoints[static_cast<size_t>(type.ifsCount++)] = p; }
    void Prepare() {
        PrepareTypeRuntimes(e, {});
        PrepareGalaxyInstances(e, e.galaxies.count, {InstanceSource::FixedType, 0});
    }
    IfsInstance& Point() { return e.ifs.instances[0]; }
    void Step() { IfsStep(e, 0, Point()); }
};

TEST(EngineUserStyles, MapsAreScaledToTheGalaxyRadius) {
    UserIfsRun r;
    r.type.radius = 400;  // R = 4
    r.Add({1500, 500, 0, 40, 1, 90, 3});
    r.Add({500, 500, 500, 100, 0, 0, 0});
    r.Add({500, 2500, 500, 0, 2, 360, 5});
    r.Prepare();
    const UserTables& t = r.e.userStyles.types[0];
    ASSERT_EQ(t.mapCount, 3);
    // A difference of 1000 from the centre is the radius.
    EXPECT_FLOAT_EQ(t.maps[0].px, 4.0f);
    EXPECT_FLOAT_EQ(t.maps[0].py, 0.0f);
    EXPECT_FLOAT_EQ(t.maps[0].pz, -2.0f);
    EXPECT_FLOAT_EQ(t.maps[2].py, 8.0f);
    EXPECT_FLOAT_EQ(t.maps[0].scale, 0.4f);
    EXPECT_NEAR(t.maps[0].cosA, 0.0f, 1e-6f);
    EXPECT_TRUE(t.maps[0].turns);
    EXPECT_FALSE(t.maps[1].turns);
    // Cumulative weights.
    EXPECT_EQ(t.maps[0].weight, 3);
    EXPECT_EQ(t.maps[1].weight, 3);
    EXPECT_EQ(t.maps[2].weight, 8);
    EXPECT_TRUE(HasUserMaps(r.e, 0));
    EXPECT_FALSE(HasUserMaps(r.e, 1));
}

TEST(EngineUserStyles, OneHalvingMapCollapsesOntoItsFixedPoint) {
    UserIfsRun r;
    r.Add({1500, 700, 100, 50, 0, 0, 1});
    r.Prepare();
    StarTable& st = r.e.stars;
    for (int s = 0; s < 60; ++s)
        GenerateStar(r.e, s, 0, 0);
    EXPECT_NEAR(st.posX[59], 3.0f, 1e-5f);
    EXPECT_NEAR(st.posY[59], 0.6f, 1e-5f);
    EXPECT_NEAR(st.posZ[59], -1.2f, 1e-5f);
}

TEST(EngineUserStyles, MapsThatWeighNothingLeaveThePointStill) {
    UserIfsRun r;
    r.Add({1500, 700, 100, 50, 0, 0, 0});
    r.Add({0, 0, 0, 30, 2, 45, 0});
    r.Prepare();
    StarTable& st = r.e.stars;
    std::set<std::tuple<float, float, float>> places;
    for (int s = 0; s < st.count; ++s) {
        GenerateStar(r.e, s, 0, 0);
        places.insert({st.posX[s], st.posY[s], st.posZ[s]});
    }
    EXPECT_EQ(places.size(), 1u);
}

TEST(EngineUserStyles, MapsAreChosenByWeight) {
    // Two maps that jump straight to their fixed points, weighing 1 and 3.
    UserIfsRun r;
    r.Add({1500, 500, 500, 100, 0, 0, 1});
    r.Add({500, 500, 1500, 100, 0, 0, 3});
    r.Prepare();
    int first = 0;
    const int steps = 4000;
    for (int i = 0; i < steps; ++i) {
        r.Step();
        if (r.Point().ifsX > 1.0f) ++first;
    }
    EXPECT_NEAR(first / static_cast<double>(steps), 0.25, 0.03);
}

TEST(EngineUserStyles, MapsTurnAboutTheirOwnAxes) {
    // A map that does not contract and turns a quarter about its fixed point
    // at (R, 0, 0) = (3, 0, 0): the offset from it turns in the plane of the
    // other two axes.
    struct Case {
        int16_t axis;
        float x, y, z;  // where (4, 1, 2) goes
    };
    for (const Case c : {Case{0, 4, -2, 1}, Case{1, 1, 1, 1}, Case{2, 2, 1, 2}}) {
        UserIfsRun r;
        r.Add({1500, 500, 500, 0, c.axis, 90, 1});
        r.Prepare();
        r.Point().ifsX = 4;
        r.Point().ifsY = 1;
        r.Point().ifsZ = 2;
        r.Step();
        EXPECT_NEAR(r.Point().ifsX, c.x, 1e-5f) << c.axis;
        EXPECT_NEAR(r.Point().ifsY, c.y, 1e-5f) << c.axis;
        EXPECT_NEAR(r.Point().ifsZ, c.z, 1e-5f) << c.axis;
    }
}

TEST(EngineUserStyles, WithoutMapsTheStylePlaysOnTheVertices) {
    UserIfsRun r;
    r.type.radSegs = 4;
    r.type.radFill = 50;
    r.Prepare();
    EXPECT_FALSE(HasUserMaps(r.e, 0));
    // Every step lands half-way to one of the four vertices.
    for (int i = 0; i < 50; ++i) {
        const IfsInstance before = r.Point();
        r.Step();
        bool halfWay = false;
        for (int k = 0; k < 4; ++k) {
            halfWay |= std::fabs(r.Point().ifsX - (before.ifsX + before.mapX[k]) / 2) < 1e-5f &&
                       std::fabs(r.Point().ifsY - (before.ifsY + before.mapY[k]) / 2) < 1e-5f &&
                       std::fabs(r.Point().ifsZ - (before.ifsZ + before.mapZ[k]) / 2) < 1e-5f;
        }
        EXPECT_TRUE(halfWay);
    }
}

}  // namespace
}  // namespace orrelume
