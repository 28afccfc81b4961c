// The style-dependent pieces of universe creation: the shape of the expansion
// cloud for every style, the universe's own maps and ribbon, and the
// instances' style data; and every style's survival of odd settings.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "engine/generate.h"
#include "engine/ifs.h"
#include "engine/nebula.h"
#include "engine/type_runtime.h"
#include "engine/user_styles.h"
#include "support/core_fixture.h"
#include "universe/creation.h"

namespace orrelume {
namespace {

// Gives type `slot` a style with settings that show it.
void MakeStyle(GalaxyType& t, int style) {
    t.galStyle = static_cast<int16_t>(style);
    switch (style) {
        case kStyleIfsPointAttractor:
            t.radSegs = 6;
            t.radFill = 70;
            t.radBands = 40;
            break;
        case kStyleIfsWireframe:
        case kStyleIfsFractal:
            t.radSegs = 6;
            t.radFill = 50;
            t.radBands = 3;
            break;
        case kStyleNebula:
            t.cpPoints = 6;
            t.cpBPts = 3;
            t.cpBExp = 40;
            break;
        case kStyleUserIfs:
            t.ifsCount = 3;
            t.ifsPoints[0] = {1000, 0, 0, 50, 0, 0, 1};
            t.ifsPoints[1] = {0, 1000, 0, 50, 1, 30, 1};
            t.ifsPoints[2] = {0, 0, 1000, 50, 2, 0, 1};
            break;
        case kStyleMolecule:
            t.atomCount = 2;
            t.atoms[0] = {6, 0, 0, 0, kStructure26Shell, 30, 600, 26};
            t.atoms[1] = {8, 3, 0, 0, kStructureCube, 0, 300, 1};
            break;
        default:
            break;
    }
}

TEST(UniverseShape, EveryStyleShapesTheCloudToTheExpansionRadius) {
    for (int style = 0; style <= 9; ++style) {
        test::CoreRun run(test::TinyUniverse());
        EngineState& e = run.engine();
        MakeStyle(e.types[0], style);
        e.types[0].angleTilt = 0;
        PrepareTypeRuntimes(e, {});
        UniverseState& u = *run.universe;
        const CreationRun creation = BeginCreation(u, 0);
        (void)creation;
        // Mode 2: the particle where the shape puts it, scaled to radius V0.
        const double v0 = e.values.expandSpeed;
        std::set<std::tuple<int, int, int>> cells;
        double outer = 0;
        for (int i = 0; i < 2000; ++i) {
            ShapePoint p, v;
            GenerateShapeParticle(e, p, v, 0, 1.0f, 0.0f, 2);
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << style;
            EXPECT_EQ(v.x, 0.0f);
            const double r = std::sqrt(p.x * static_cast<double>(p.x) + p.y * p.y + p.z * p.z);
            outer = std::max(outer, r);
            cells.insert({static_cast<int>(std::floor(p.x / v0 * 8)),
                          static_cast<int>(std::floor(p.y / v0 * 8)),
                          static_cast<int>(std::floor(p.z / v0 * 8))});
        }
        // The shape fills out to about the expansion radius (a few styles
        // reach a little beyond it), and is more than a blob or a line.
        EXPECT_GT(outer, 0.4 * v0) << style;
        EXPECT_LT(outer, 3.0 * v0) << style;
        EXPECT_GT(cells.size(), 20u) << style;
    }
}

TEST(UniverseShape, UniverseKeepsItsOwnMapsAndRibbon) {
    test::CoreRun run(test::TinyUniverse());
    EngineState& e = run.engine();
    MakeStyle(e.types[0], kStyleNebula);
    e.types[0].cpClose = 1;
    MakeStyle(e.types[1], kStyleIfsFractal);
    e.types[1].uniGalPct = 1;
    PrepareTypeRuntimes(e, {});
    BeginCreation(*run.universe, 0);
    // The universe's ribbon: K random points within the radius, closed by
    // repeating the first three.
    const NebulaInstance& ribbon = e.nebula.universe;
    for (int k = 0; k < 6; ++k) {
        EXPECT_LE(std::fabs(ribbon.ribbonX[k]), 3.0f);
        EXPECT_LE(std::fabs(ribbon.ribbonY[k]), 3.0f * 0.3f);
    }
    for (int k = 6; k < 9; ++k)
        EXPECT_EQ(ribbon.ribbonZ[k], ribbon.ribbonZ[k - 6]);
    EXPECT_NE(ribbon.ribbonX[0], ribbon.ribbonX[1]);

    // An IFS profile gets the universe's own maps; the galaxies keep theirs.
    BeginCreation(*run.universe, 1);
    const IfsInstance& maps = e.ifs.universe;
    EXPECT_NEAR(maps.mapY[0], 3 * 0.3f, 1e-6f);  // the octahedron's top
    const IfsInstance galaxyBefore = e.ifs.instances[0];
    for (int i = 0; i < 10; ++i)
        UniverseIfsPoint(e, 1);
    EXPECT_EQ(e.ifs.instances[0].ifsX, galaxyBefore.ifsX);
}

TEST(UniverseShape, CompositeInstanceKeepsItsFirstMembersMaps) {
    test::CoreRun run(test::TinyUniverse());
    EngineState& e = run.engine();
    MakeStyle(e.types[2], kStyleIfsFractal);
    e.types[2].radSegs = 4;
    MakeStyle(e.types[3], kStyleIfsFractal);
    e.types[3].radSegs = 8;
    e.composites[0].count = 2;
    e.composites[0].members[0] = 2;
    e.composites[0].members[1] = 3;
    PrepareTypeRuntimes(e, {});
    PrepareGalaxyInstances(e, 1, {InstanceSource::Composite, 0});
    // Members are prepared from the last to the first: the first's tetrahedron
    // is what remains (its fifth vertex unused).
    const IfsInstance& p = e.ifs.instances[0];
    EXPECT_EQ(p.mapX[4], 0.0f);
    EXPECT_EQ(p.mapY[4], 0.0f);
    EXPECT_NE(p.mapY[0], p.mapY[1]);
}

TEST(UniverseShape, EveryStyleSurvivesSettingsNoStoreShouldHold) {
    // Out-of-range values, as a type that skipped validation could carry
    // them: every star stays finite or is skipped, nothing reads out of
    // bounds (the sanitizer build watches).
    for (int style = 0; style <= 9; ++style) {
        for (int variant = 0; variant < 3; ++variant) {
            test::CoreRun run(test::TinyUniverse());
            EngineState& e = run.engine();
            GalaxyType& t = e.types[0];
            MakeStyle(t, style);
            const int16_t odd = variant == 0   ? int16_t{0}
                                : variant == 1 ? int16_t{-7}
                                               : int16_t{9999};
            t.radSegs = odd;
            t.radBands = odd;
            t.cpPoints = odd;
            t.cpBPts = odd;
            t.cpBSpd = odd;
            t.cpSteps = odd;
            t.cpClose = odd;
            t.ifsCount = odd;
            t.atomCount = odd;
            for (AtomEntry& a : t.atoms) {
                a.element = odd;
                a.structureType = static_cast<int16_t>(variant == 2 ? 11 : odd);
                a.edgeCount = odd;
                a.seventh = odd;
            }
            for (IfsPoint& m : t.ifsPoints) {
                m.axis = odd;
                m.percent = odd;
                m.scale = 50;
            }
            PrepareTypeRuntimes(e, {});
            PrepareGalaxyInstances(e, e.galaxies.count, {InstanceSource::FixedType, 0});
            StarTable& st = e.stars;
            for (int frame = 0; frame < 3; ++frame) {
                for (int s = 0; s < st.count; ++s)
                    GenerateStar(e, s, 0, s % e.galaxies.count);
                for (int g = 0; g < e.galaxies.count; ++g)
                    AdvanceNebula(e, g);
            }
            for (int s = 0; s < st.count; ++s) {
                ASSERT_TRUE(std::isfinite(st.posX[s]) && std::isfinite(st.posY[s]) &&
                            std::isfinite(st.posZ[s]))
                    << style << " " << variant;
            }
            ShapePoint p, v;
            GenerateShapeParticle(e, p, v, 0, 1, 0, 2);
            float param = 0;
            NebulaNucleus(e, 0, 0, param);
            IfsNucleus(e, 0, 0);
            MoleculeNucleus(e, 0);
        }
    }
}

}  // namespace
}  // namespace orrelume
