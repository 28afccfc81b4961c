#include <gtest/gtest.h>

#include "engine/projection.h"
#include "engine/update.h"
#include "support/core_fixture.h"

namespace orrelume {
namespace {

Canvas PlainCanvas() {
    Canvas c;
    c.width = 400;
    c.height = 300;
    c.stride = 400;
    c.centerX = 0;
    c.centerY = 0;
    c.projScale = 1;
    return c;
}

TEST(EngineProjection, RoundsHalvesToEvenAndCutsAtTheEye) {
    const Canvas c = PlainCanvas();
    int32_t x = 0, y = 0;
    ASSERT_TRUE(ProjectPoint(c, {100.5f, 101.5f, 1.0f}, x, y));
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 102);
    ASSERT_TRUE(ProjectPoint(c, {-2.5f, 0.5f, 1.0f}, x, y));
    EXPECT_EQ(x, -2);
    EXPECT_EQ(y, 0);

    EXPECT_FALSE(ProjectPoint(c, {1, 1, 0.0001f}, x, y));
    EXPECT_FALSE(ProjectPoint(c, {1, 1, -3.0f}, x, y));
    EXPECT_TRUE(ProjectPoint(c, {1, 1, 0.00010001f}, x, y));
    // A point whose pixel cannot be computed is not drawn either.
    EXPECT_FALSE(ProjectPoint(c, {std::nanf(""), 1, 1}, x, y));
    EXPECT_FALSE(ProjectPoint(c, {1e30f, 1, 1e-3f}, x, y));
}

TEST(EngineProjection, SecondAxisPlaneSwapsTheGalaxyAxesOnTheScreen) {
    // A point on the galaxy's own x axis, no tilt (cos 1, sin 0), galaxy
    // centre at camera (10, 0, 5).
    const CameraPoint first = ToCamera(2, 0, 0, 1, 0, 0, 10, 0, 5);
    EXPECT_FLOAT_EQ(first.sx, 12);
    EXPECT_FLOAT_EQ(first.sy, 0);
    const CameraPoint second = ToCamera(2, 0, 0, 1, 0, 1, 10, 0, 5);
    // The galaxy's x axis runs down the screen; its centre stays in place.
    EXPECT_FLOAT_EQ(second.sx, 10);
    EXPECT_FLOAT_EQ(second.sy, 2);
    EXPECT_FLOAT_EQ(second.depth, 5);
    // Height goes across the screen with the second plane.
    const CameraPoint up = ToCamera(0, 1, 0, 1, 0, 1, 0, 0, 5);
    EXPECT_FLOAT_EQ(up.sx, -1);
    EXPECT_FLOAT_EQ(up.sy, 0);
}

TEST(EngineProjection, StarBehindTheEyeKeepsItsStoredPixel) {
    UniverseSettings u = test::TinyUniverse();
    u.galaxy = 1;
    u.stars = 10;
    u.newFreq = 0;
    test::CoreRun run(u);
    EngineState& e = run.engine();
    e.types[0].newFreq = 0;
    StarTable& st = run.stars();
    for (int32_t s = 0; s < st.count; ++s) {
        st.posX[s] = 1;
        st.posY[s] = 0;
        st.posZ[s] = 0;
        st.spinCos[s] = 1;
        st.spinSin[s] = 0;
        st.screenX[s] = 7;
        st.screenY[s] = 9;
    }
    e.galaxies.camZ[0] = -5;  // behind the eye
    UpdateGalaxies(e, {0, 0, 1, 0, true, 0});
    for (int32_t s = 0; s < st.count; ++s) {
        EXPECT_EQ(st.screenX[s], 7);
        EXPECT_EQ(st.screenY[s], 9);
    }
    EXPECT_EQ(run.CountLitPixels(), 0);

    e.galaxies.camZ[0] = 5;
    UpdateGalaxies(e, {0, 0, 1, 0, true, 0});
    const Canvas& c = e.canvas;
    // (1, 0, 0) at depth 5 with the default tilt of 170 degrees.
    int32_t x, y;
    ASSERT_TRUE(ProjectPoint(c, StarCameraPoint(e, 0), x, y));
    EXPECT_EQ(st.screenX[0], x);
    EXPECT_EQ(st.screenY[0], y);
    EXPECT_NE(c.PixelAt(x, y), 0u);
}

}  // namespace
}  // namespace orrelume
