// The 2.0 set's galaxy types, generated star by star: their names hold, and
// the nesting composites fit into the view they are shown in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/generate.h"
#include "settings/factory_themes.h"
#include "support/core_fixture.h"

namespace orrelume {
namespace {

constexpr int kDefinedTypes = 32;
constexpr int kSamples = 3000;

struct Star {
    double x, y, z;
    uint32_t color;
    double Radius() const { return std::sqrt(x * x + y * y + z * z); }
    double AxisDistance() const { return std::hypot(x, z); }
    int Red() const { return color & 0xFF; }
    int Green() const { return (color >> 8) & 0xFF; }
    int Blue() const { return (color >> 16) & 0xFF; }
};

// The engine running the 2.0 set as a factory reset leaves it.
class Set20 : public ::testing::Test {
  protected:
    void SetUp() override {
        const SettingsSet set = FactorySettingsSet(kPresetSet20);
        EngineState& e = run_.engine();
        e.types = set.types;
        e.composites = set.composites;
        run_.Prepare(set.universe);
    }
    int Slot(const std::string& name) const {
        for (int slot = 0; slot < kDefinedTypes; ++slot)
            if (GalaxyPresetName(kPresetSet20, slot) == name) return slot;
        ADD_FAILURE() << "no type named " << name;
        return 0;
    }
    std::vector<Star> Generate(int type) {
        std::vector<Star> stars;
        StarTable& st = run_.stars();
        for (int i = 0; i < kSamples; ++i) {
            GenerateStar(run_.engine(), 0, type, 0);
            stars.push_back({st.posX[0], st.posY[0], st.posZ[0], st.color[0]});
        }
        return stars;
    }
    const GalaxyType& Type(int slot) { return run_.engine().types[slot]; }
    float ViewDistance(int slot) { return run_.engine().rt[slot].viewDistance; }

    test::CoreRun run_{test::TinyUniverse()};
};

TEST_F(Set20, NumbersAndPlanesInTheNamesAreTheTypesOwn) {
    for (int n : {500, 1000, 1500, 2000, 2500})
        EXPECT_EQ(Type(Slot("Ring World " + std::to_string(n))).radius, n);
    for (int n : {1000, 900, 750, 350})
        EXPECT_EQ(Type(Slot("Shell Rings " + std::to_string(n))).radius, n);
    EXPECT_EQ(Type(Slot("Disk in YZ Plane")).axisPlane, 0);
    EXPECT_EQ(Type(Slot("Disk in XZ Plane")).axisPlane, 1);
}

TEST_F(Set20, ShellsRingsAndHemispheresHaveTheirShapes) {
    for (const char* name : {"Blue-Green Shell", "Polar Hemispheres", "Holiday Ornament",
                             "Rotating Comet Shell", "Shell Rings 1000", "Shell Rings 350"}) {
        SCOPED_TRACE(name);
        const int slot = Slot(name);
        const double r = run_.engine().rt[slot].radiusScale;
        for (const Star& s : Generate(slot))
            ASSERT_NEAR(s.Radius(), r, 0.1 * r);
    }
    for (int n : {500, 1000, 1500, 2000, 2500}) {
        const int slot = Slot("Ring World " + std::to_string(n));
        const double r = n * 0.01;
        for (const Star& s : Generate(slot)) {
            ASSERT_GE(s.AxisDistance(), 0.85 * r) << n;
            ASSERT_LE(s.AxisDistance(), r) << n;
            ASSERT_LE(std::fabs(s.y), 0.05 * r) << n;
        }
    }
    // Two caps: nothing within 25 degrees of the equator.
    for (const Star& s : Generate(Slot("Polar Hemispheres")))
        ASSERT_GT(std::fabs(s.y), std::sin(25 * kPi / 180) * s.Radius());
}

TEST_F(Set20, ColourNamesHold) {
    for (const Star& s : Generate(Slot("Red-Blue Exclusive"))) {
        ASSERT_EQ(s.Green(), 0);
        ASSERT_NE(s.Red() == 0, s.Blue() == 0) << std::hex << s.color;  // red or blue, visible
    }
    // No red above the floor brightness of the shell's hue table.
    const int floor = Type(Slot("Blue-Green Shell")).hueBase * 255 / 100 + 1;
    for (const Star& s : Generate(Slot("Blue-Green Shell")))
        ASSERT_LE(s.Red(), floor) << std::hex << s.color;
    for (const Star& s : Generate(Slot("Ruby Sphere")))
        ASSERT_GT(s.Red(), std::max(s.Green(), s.Blue()) + 150) << std::hex << s.color;
}

// A composite is shown from its first member's viewing distance; every star
// of every member must stay well in front of that eye, and the Ruby Sphere
// must be a solid core inside the nested rings.
TEST_F(Set20, CompositesFitTheViewOfTheirFirstMember) {
    for (int c = 0; c < kCompositeGalaxyCount; ++c) {
        const CompositeGalaxy& comp = run_.engine().composites[c];
        SCOPED_TRACE(comp.name);
        ASSERT_GT(comp.count, 0);
        const float view = ViewDistance(comp.members[0]);
        for (int i = 0; i < comp.count; ++i) {
            for (const Star& s : Generate(comp.members[i]))
                ASSERT_LT(s.Radius(), 0.8 * view)
                    << GalaxyPresetName(kPresetSet20, comp.members[i]);
        }
    }
    for (int slot = 0; slot < kDefinedTypes; ++slot) {
        for (const Star& s : Generate(slot))
            ASSERT_LT(s.Radius(), 0.8 * ViewDistance(slot)) << GalaxyPresetName(kPresetSet20, slot);
    }
    double core = 0, ring = 1e9;
    for (const Star& s : Generate(Slot("Ruby Sphere")))
        core = std::max(core, s.Radius());
    for (const Star& s : Generate(Slot("Ring World 500")))
        ring = std::min(ring, s.AxisDistance());
    EXPECT_LT(core, ring - 0.3);
}

}  // namespace
}  // namespace orrelume
