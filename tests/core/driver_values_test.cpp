#include <gtest/gtest.h>

#include <vector>

#include "driver/universe_values.h"

namespace orrelume {
namespace {

TEST(DriverValues, UniverseValuesAreBoundedAndScaled) {
    UniverseSettings u;
    RunValues v = NormaliseUniverseValues(u);
    EXPECT_EQ(v.stars, 5000);
    EXPECT_FLOAT_EQ(v.expandSpeed, 2.5f);
    EXPECT_FLOAT_EQ(v.dampingFactor, 0.995f);
    EXPECT_FLOAT_EQ(v.newPct, 0.85f);
    EXPECT_FLOAT_EQ(v.dstCen, 40);
    EXPECT_FLOAT_EQ(v.amMaxExt, 10);
    EXPECT_EQ(v.gravForce, 0);

    u.stars = 5;
    u.galaxy = 0;
    u.sTrail = 500;
    u.damping = 0;
    u.persist = 0.1f;
    u.profile = 60;
    u.gCCtrl = -3;
    u.newPctStEx = 101;
    u.amMaxExt = 0.4f;
    u.gravForce = 2e6f;
    u.gravFrame = 0;
    u.dstCen = 2000000;
    v = NormaliseUniverseValues(u);
    EXPECT_EQ(v.stars, 10);
    EXPECT_EQ(v.galaxies, 1);
    EXPECT_EQ(v.trail, 99);
    EXPECT_FLOAT_EQ(v.dampingFactor, 1.0f);
    EXPECT_FLOAT_EQ(v.persist, 0.25f);
    EXPECT_EQ(v.profile, 51);
    EXPECT_EQ(v.gCCtrl, 0);
    EXPECT_FLOAT_EQ(v.newPct, 1.0f);
    EXPECT_FLOAT_EQ(v.amMaxExt, 0.01f);
    EXPECT_FLOAT_EQ(v.gravForce, 0.0999999f);
    EXPECT_EQ(v.gravFrame, 1);
    EXPECT_FLOAT_EQ(v.dstCen, 9999.99f);

    // The trail is kept short enough for every star's ring.
    u.stars = 20000;
    u.sTrail = 5;
    u.damping = 1;
    v = NormaliseUniverseValues(u);
    EXPECT_EQ(v.trail, 1);
    EXPECT_FLOAT_EQ(v.dampingFactor, 0.5f);
    u.stars = 10000;
    EXPECT_EQ(NormaliseUniverseValues(u).trail, 3);
    u.stars = 40000;
    EXPECT_EQ(NormaliseUniverseValues(u).stars, 30000);
}

TEST(DriverValues, TourListAndTheReducedPreview) {
    std::vector<int16_t> list;
    ParseTourGalaxyList("  1 2  4 ", list, 999);
    EXPECT_EQ(list, (std::vector<int16_t>{0, 1, 3}));
    // Not numeric, not above 0, above 66, or rounding to 0: no slot.
    ParseTourGalaxyList("abc 0 -3 67 0.4 0.6 66 2.5 1e1", list, 999);
    EXPECT_EQ(list, (std::vector<int16_t>{0, 65, 1, 9}));
    ParseTourGalaxyList("1 2 3 4", list, 2);
    EXPECT_EQ(list, (std::vector<int16_t>{0, 1}));
    ParseTourGalaxyList("   ", list, 999);
    EXPECT_TRUE(list.empty());

    UniverseSettings u;
    u.stars = 5001;
    u.amStar = 301;
    ReduceUniverseSettings(u);
    EXPECT_EQ(u.stars, 3251);
    EXPECT_EQ(u.amStar, 150);  // 150.5 to even
}

}  // namespace
}  // namespace orrelume
