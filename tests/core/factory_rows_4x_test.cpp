// The 4.x factory set as a first start installs it: the designs must hold
// together where types meet (composites drawn around one centre, shells
// around what they enclose) and survive a trip through the properties dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "settings/factory_themes.h"
#include "settings/records.h"

namespace orrelume {
namespace {

const SettingsSet& Set4x() {
    static const SettingsSet set = FactorySettingsSet(kPresetSet4x);
    return set;
}

const GalaxyType& Type(int slot) {
    return Set4x().types[slot];
}

// How far the vertices of the fractal and wireframe maps lie from the centre,
// in radii, for m vertices and the height/width ratio g.
double VertexReach(int m, double g) {
    const auto len = [](double x, double y, double z) { return std::sqrt(x * x + y * y + z * z); };
    if (m <= 1) return 0;
    if (m <= 5) return std::max(g, len(1, g / 2, 0));
    if (m <= 7) return std::max(1.0, g);
    if (m == 8) return len(1, g, 1);
    if (m == 9) return std::max({len(0.6, g, 0.36), len(1.25, 0, 0.75), 1.5});
    return std::max({g, len(1, g / 2, 1), len(1, g / 2, 0)});
}

// How far a type's stars reach from its centre, in the units of the viewing
// distance, for the styles whose stars stay where they were placed: the outer
// level of a standard shape or its height, whichever is larger; a graviton's
// birth shape, to which its stars climb back after falling through the core;
// the seeds of a point attractor; the vertices of a fractal, and of a
// wireframe, whose segments run past the iterates (twice as far from the
// centre with no iteration at all). Ribbons, quasars and starwaves travel,
// and the user-defined styles take their reach from their tables: nothing.
std::optional<double> Reach(const GalaxyType& t) {
    const double r = t.radius * 0.01;
    const double g = t.ghwRatio;
    switch (t.galStyle) {
        case kStyleStandard:
        case kStyleGraviton: {
            const int levels = t.galStyle == kStyleStandard ? t.stdLevels : 1;
            const double outer = r + (levels - 1) * t.stdLevDRad * 0.01;
            const double scale = levels > 1 ? std::max(1.0f, t.stdLevHSca) : 1.0;
            return std::max(outer, outer * g * scale);
        }
        case kStyleIfsPointAttractor:
            return r * std::max(1.0, g);
        case kStyleIfsFractal:
            return r * VertexReach(std::clamp<int>(t.radSegs, 1, 10), g);
        case kStyleIfsWireframe: {
            const double overshoot = t.radBands == 0 ? 2.0 : std::max(1.0, 2.0 * t.radFill * 0.01);
            return r * VertexReach(std::clamp<int>(t.radSegs, 1, 10), g) * overshoot;
        }
        default:
            return std::nullopt;
    }
}

// A galaxy preview and the tour place the camera at the type's viewing
// distance; a composite uses its first member's. A camera inside a shape
// shows stars behind the eye and a shape torn open.
TEST(FactorySet4x, EveryViewpointLiesOutsideWhatItShows) {
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        const auto reach = Reach(Type(slot));
        if (reach) {
            EXPECT_GT(Type(slot).distance * 0.01, *reach) << Type(slot).name;
        }
    }
    for (const CompositeGalaxy& c : Set4x().composites) {
        ASSERT_GT(c.count, 0) << c.name;
        const double distance = Type(c.members[0]).distance * 0.01;
        for (int i = 0; i < c.count; ++i) {
            const auto reach = Reach(Type(c.members[i]));
            if (reach) {
                EXPECT_GT(distance, *reach) << c.name << ": " << Type(c.members[i]).name;
            }
        }
    }
}

// The composites whose names put one type inside another: the shell (or the
// nested spheres) must be larger than what it holds.
TEST(FactorySet4x, ShellsEncloseWhatTheyHold) {
    struct Holding {
        std::string composite;
        int outer, inner;  // type slots
    };
    const Holding holdings[] = {
        {"Turbine + Shell + Spines", 38, 2},   {"Turbine + Shell + Spines", 38, 16},
        {"Gravity Cell in Spheres", 19, 31},   {"IFS Spines in a Shell", 37, 16},
        {"Gold Galaxy in a Shell", 38, 17},    {"Nested Rings + Comet Core", 45, 47},
        {"Nested Rings + Comet Core", 46, 47}, {"Nested Rings + Comet Core", 45, 48},
    };
    for (const Holding& h : holdings) {
        const auto& composites = Set4x().composites;
        const auto c =
            std::find_if(composites.begin(), composites.end(),
                         [&](const CompositeGalaxy& g) { return g.name == h.composite; });
        ASSERT_NE(c, composites.end()) << h.composite;
        const auto members = c->members.begin();
        EXPECT_NE(std::find(members, members + c->count, h.outer), members + c->count);
        EXPECT_NE(std::find(members, members + c->count, h.inner), members + c->count);
        const auto inner = Reach(Type(h.inner));
        ASSERT_TRUE(inner) << Type(h.inner).name;
        // A ring type's innermost ring lies at its radius, less the soft
        // inner edge that its radius exponent gives it (all but a few stars
        // in a thousand lie beyond 0.7 of the radius).
        const GalaxyType& outer = Type(h.outer);
        const double innermost =
            outer.radius * 0.01 * (outer.radiusExp < 0.1f && outer.stdLevels > 1 ? 0.7 : 1.0);
        EXPECT_GT(innermost, *inner)
            << h.composite << ": " << outer.name << " around " << Type(h.inner).name;
    }
}

// The rings that nest around the comet core lie flat, one set in each plane,
// and appear only through their composite.
TEST(FactorySet4x, NestedRingsAreFlatInBothPlanesAndOnlyInTheirComposite) {
    const GalaxyType& horizontal = Type(45);
    const GalaxyType& vertical = Type(46);
    for (const GalaxyType* rings : {&horizontal, &vertical}) {
        EXPECT_EQ(rings->galStyle, kStyleStandard);
        EXPECT_EQ(rings->uniGalPct, 0) << rings->name;
        EXPECT_GT(rings->stdLevels, 1) << rings->name;
        EXPECT_LE(rings->ghwRatio, 0.05f) << rings->name;
        EXPECT_LT(rings->radiusExp, 0.1f) << rings->name;  // thin rings at the radius
    }
    EXPECT_EQ(horizontal.axisPlane, 0);
    EXPECT_EQ(vertical.axisPlane, 1);
    const CompositeGalaxy& rings = Set4x().composites[0];
    EXPECT_EQ(Type(rings.members[0]).name, "High Activity Comet Core");
    EXPECT_GT(Type(rings.members[0]).cometFreq, 5000);
}

// The properties dialog shows one text field for both fields of each pair
// below while the style is the nebula, and writes it back into both: a
// nebula row whose pairs differ would change when it is merely opened and
// accepted.
TEST(FactorySet4x, NebulaRowsSurviveTheDialog) {
    for (int set = 0; set < kPresetSetCount; ++set) {
        const SettingsSet factory = FactorySettingsSet(set);
        for (const GalaxyType& t : factory.types) {
            if (t.galStyle != kStyleNebula) continue;
            SCOPED_TRACE(t.name);
            EXPECT_EQ(t.radSegs, t.cpPoints);
            EXPECT_EQ(t.radFill, t.cpSteps);
            EXPECT_EQ(t.radBands, t.cpBPts);
            EXPECT_EQ(t.radBFill, t.cpBExp);
            EXPECT_EQ(t.angleTilt, t.cpBSpd);
        }
    }
    // The loop closes on itself and its hue runs once round the wheel.
    const GalaxyType& loop = Type(22);
    EXPECT_EQ(loop.name, "Nebula:  Rainbow Loop");
    EXPECT_EQ(loop.cpClose, 1);
    EXPECT_EQ(loop.colorComp, 5);
    EXPECT_EQ(loop.colorMult, 1000);
}

}  // namespace
}  // namespace orrelume
