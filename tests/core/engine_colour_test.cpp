#include <gtest/gtest.h>

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "engine/generate.h"
#include "support/core_fixture.h"

namespace orrelume {
namespace {

uint32_t HueOf(const GalaxyType& type, int hue) {
    static HueTable table;
    BuildHueTable(table, 0, type);
    return table.At(hue, 0);
}

TEST(EngineColour, HueTableRows) {
    GalaxyType t = DefaultGalaxyType(0);  // full swing, base 0, blend 60
    EXPECT_EQ(HueOf(t, 0), Rgb(255, 0, 0));
    EXPECT_EQ(HueOf(t, 60), Rgb(255, 255, 0));
    EXPECT_EQ(HueOf(t, 120), Rgb(0, 255, 0));
    EXPECT_EQ(HueOf(t, 180), Rgb(0, 255, 255));
    EXPECT_EQ(HueOf(t, 240), Rgb(0, 0, 255));
    EXPECT_EQ(HueOf(t, 300), Rgb(255, 0, 255));
    EXPECT_EQ(HueOf(t, 30), Rgb(255, 127, 0));  // Int(2.55 * 0.5 * 100)

    t.hueBase = 100;  // white whatever else
    for (int h = 0; h < 360; h += 17)
        EXPECT_EQ(HueOf(t, h), Rgb(255, 255, 255)) << h;

    t = DefaultGalaxyType(0);
    t.hueRed = t.hueGrn = t.hueBlu = 0;
    for (int h = 0; h < 360; h += 13)
        EXPECT_EQ(HueOf(t, h), 0u) << h;

    // No blending: flat sectors. base = 51, m = 2.04 in single precision.
    t = DefaultGalaxyType(0);
    t.hueBlend = 1;
    t.hueBase = 20;
    t.hueRed = 50;
    t.hueGrn = 25;
    EXPECT_EQ(HueOf(t, 30), Rgb(153, 51, 51));
    EXPECT_EQ(HueOf(t, 90), Rgb(153, 102, 51));
}

TEST(EngineColour, WheelScaleAndRamps) {
    EXPECT_EQ(WheelColor(0, 55, 100, 100, 100), Rgb(255, 55, 55));
    EXPECT_EQ(WheelColor(120, 55, 100, 100, 100), Rgb(55, 255, 55));
    EXPECT_EQ(WheelColor(90, 55, 100, 100, 100), Rgb(155, 255, 55));
    EXPECT_EQ(WheelColor(360, 55, 100, 100, 100), 0u);
    EXPECT_EQ(ScaleColor(Rgb(5, 3, 255), 0.5), Rgb(2, 2, 128));  // 2.5 -> 2, 1.5 -> 2

    ColourRamp ramp{};
    BuildFlareRamp(ramp, 140, 220);
    EXPECT_EQ(ramp[0], Rgb(255, 255, 255));
    EXPECT_EQ(ramp[7], WheelColor(140, 55, 100, 100, 100));
    EXPECT_EQ(ramp[80], ramp[79]);
    BuildUniverseRamp(ramp, 165, 210);
    // The cloud's colour index reaches 80 at the end of an expansion: black.
    EXPECT_EQ(ramp[80], 0u);
    EXPECT_NE(ramp[79], 0u);
}

TEST(EngineColour, NewStarHueByComputationAndWheelStep) {
    test::CoreRun run(test::TinyUniverse());
    EngineState& e = run.engine();
    StarTable& st = run.stars();
    GalaxyType& t = e.types[0];
    TypeRuntime& rt = e.rt[0];
    t.colorComp = 2;  // distance from core
    rt.hueBase = 100;
    rt.colorMult10 = 30;
    rt.outerRadius = 10;
    st.posX[0] = st.posY[0] = st.posZ[0] = 0;
    StarColor(e, 0, 0, 0, 0);
    EXPECT_EQ(st.hue[0], 130);
    EXPECT_EQ(st.color[0], e.hues.At(130, 0));
    st.posX[0] = 10;
    StarColor(e, 0, 0, 0, 0);
    EXPECT_EQ(st.hue[0], 100);

    t.colorComp = 4;  // black; the hue stays
    StarColor(e, 0, 0, 0, 0);
    EXPECT_EQ(st.color[0], 0u);
    EXPECT_EQ(st.hue[0], 100);

    t.colorComp = 0;  // a spin of infinity cannot colour: nothing changes
    StarColor(e, 0, std::numeric_limits<float>::infinity(), 0, 0);
    EXPECT_EQ(st.hue[0], 100);

    // The wheel step: 359.9 is looked up at hue 0.
    for (int32_t s = 0; s < st.count; ++s)
        st.typeIndex[s] = 0;
    t.colorComp = 3;
    t.hWheelInc = 0.5f;
    rt.hueStep = 1;
    st.hue[1] = 359.4f;
    st.hue[2] = 10;
    HueStepAll(e);
    EXPECT_FLOAT_EQ(st.hue[1], 359.9f);
    EXPECT_EQ(st.color[1], e.hues.At(0, 0));
    EXPECT_FLOAT_EQ(st.hue[2], 10.5f);
    EXPECT_EQ(st.color[2], e.hues.At(10, 0));  // 10.5 rounds to 10
    HueStepAll(e);
    EXPECT_NEAR(st.hue[1], 0.4f, 1e-4);

    // Types that stay out of the wheel step.
    GalaxyType other = DefaultGalaxyType(1);
    other.colorComp = 4;
    EXPECT_EQ(HueStepFlag(other), 0);
    other = DefaultGalaxyType(1);
    other.galStyle = kStyleNebula;
    EXPECT_EQ(HueStepFlag(other), 0);
    other.cpAdvHW = 1;
    EXPECT_EQ(HueStepFlag(other), 1);
    other.galStyle = kStyleStarwave;
    EXPECT_EQ(HueStepFlag(other), 0);
}

}  // namespace
}  // namespace orrelume
