// Molecular structures: the element table, the atoms' stored fields, the
// shells and the lattices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "engine/generate.h"
#include "engine/type_runtime.h"
#include "engine/user_styles.h"
#include "settings/factory_themes.h"
#include "support/core_fixture.h"

namespace orrelume {
namespace {

struct MoleculeRun {
    test::CoreRun run{test::TinyUniverse()};
    EngineState& e = run.engine();
    GalaxyType& type = e.types[0];

    MoleculeRun() {
        type.galStyle = kStyleMolecule;
        type.atomCenterX = 1000;
        type.atomCenterY = 1000;
        type.atomCenterZ = 1000;
    }
    // An atom in the order the molecule editor and the factory rows list it.
    void Add(int16_t element, int16_t structure, int16_t x, int16_t y, int16_t z, int16_t speed,
             int16_t radius) {
        AtomEntry& a = type.atoms[static_cast<size_t>(type.atomCount++)];
        a.element = element;
        a.structureType = structure;
        a.edgeCount = x;
        a.third = y;
        a.fourth = z;
        a.sixth = speed;
        a.seventh = radius;
    }
    void Prepare() { PrepareTypeRuntimes(e, {}); }
    // Distinct points among many drawn (points closer than 1e-3 are one),
    // and how often each was drawn.
    std::vector<ShapePoint> DistinctPoints(int draws, std::vector<int>* hits = nullptr) {
        std::vector<ShapePoint> distinct;
        std::vector<int> counts;
        for (int i = 0; i < draws; ++i) {
            const ShapePoint p = MoleculePoint(e, 0);
            size_t k = 0;
            while (k < distinct.size() && Distance(p, distinct[k]) >= 1e-3)
                ++k;
            if (k == distinct.size()) {
                distinct.push_back(p);
                counts.push_back(0);
            }
            ++counts[k];
        }
        if (hits) *hits = counts;
        return distinct;
    }
    static double Distance(const ShapePoint& a, const ShapePoint& b) {
        return std::sqrt((a.x - b.x) * static_cast<double>(a.x - b.x) +
                         (a.y - b.y) * static_cast<double>(a.y - b.y) +
                         (a.z - b.z) * static_cast<double>(a.z - b.z));
    }
};

double Norm(const ShapePoint& p) {
    return MoleculeRun::Distance(p, {0, 0, 0});
}

TEST(EngineMolecule, ElementTableLooksUpByNameInAnyCase) {
    EXPECT_EQ(ElementProperty(6, "name"), "Carbon");
    EXPECT_EQ(ElementProperty(6, "COLOR"), "210");
    EXPECT_EQ(ElementProperty(6, "Radius"), "20");
    EXPECT_EQ(ElementProperty(17, "Symbol"), "Cl");
    EXPECT_EQ(ElementProperty(16, "shells"), "2,8,6");
    EXPECT_EQ(ElementProperty(2, "radius"), "12");
    EXPECT_EQ(ElementProperty(1, "weight"), "");
    for (int element : {0, 18, -1, 1000}) {
        EXPECT_EQ(ElementProperty(element, "name"), "");
        EXPECT_EQ(ElementProperty(element, "symbol"), "");
        EXPECT_EQ(ElementProperty(element, "color"), "0");
        EXPECT_EQ(ElementProperty(element, "radius"), "0");
        EXPECT_EQ(ElementHue(element), 0);
    }
    EXPECT_EQ(ElementTable().size(), 17u);
    EXPECT_EQ(StructurePoints(kStructure38Shell), 38);
    EXPECT_EQ(StructurePoints(kStructureHexamatrix), 1);
}

TEST(EngineMolecule, SingleCarbonSpinsAtItsElementsHue) {
    MoleculeRun r;
    r.Add(6, kStructureSingle, 1000, 1000, 1000, 0, 500);
    r.type.colorComp = 6;
    r.type.colorMult = 0;
    r.type.hueStart = 0;
    r.type.rotation = 3000;
    r.Prepare();
    ResetTypesForUniverse(r.e);
    StarTable& st = r.e.stars;
    for (int s = 0; s < 20; ++s) {
        GenerateStar(r.e, s, 0, 0);
        EXPECT_EQ(st.posX[s], 0.0f);
        EXPECT_EQ(st.posY[s], 0.0f);
        EXPECT_EQ(st.posZ[s], 0.0f);
        EXPECT_EQ(st.hue[s], 210.0f);
        EXPECT_EQ(st.spinCos[s], r.e.rt[0].spinCos8);
        EXPECT_EQ(st.spinSin[s], r.e.rt[0].spinSin8);
        EXPECT_NE(st.spinSin[s], 0.0f);
    }
}

TEST(EngineMolecule, ShellsHoldTheirPointsAtTheirRadii) {
    // r = 1000 x 0.01 x (3 x 0.1) = 3.
    const std::map<int, std::vector<double>> radii = {
        {kStructure6Point, {1}},
        {kStructure8Point, {std::sqrt(3.0)}},
        {kStructure18Shell, {1}},
        {kStructure26Shell, {1, 0.594603 * std::sqrt(3.0)}},
        {kStructure38Shell, {1, 0.594603 * std::sqrt(3.0)}},
    };
    for (const auto& [structure, allowed] : radii) {
        MoleculeRun r;
        r.Add(1, static_cast<int16_t>(structure), 1000, 1000, 1000, 0, 1000);
        r.Prepare();
        const std::vector<ShapePoint> points = r.DistinctPoints(3000);
        EXPECT_EQ(static_cast<int>(points.size()), StructurePoints(structure)) << structure;
        for (const ShapePoint& p : points) {
            bool fits = false;
            for (double k : allowed)
                fits |= std::fabs(Norm(p) - 3 * k) < 1e-4;
            EXPECT_TRUE(fits) << structure << ": " << Norm(p);
        }
    }
}

TEST(EngineMolecule, LatticesHoldExactlyTheirCountOfPointsOneSpacingApart) {
    struct Case {
        int16_t structure, n;
        int points;
    };
    const Case cases[] = {
        {kStructureRectgrid, 4, 16},    {kStructureRectgrid, 1, 1},
        {kStructureCube, 3, 27},        {kStructureHexagrid, 3, 19},
        {kStructureHexagrid, 4, 37},    {kStructureHexagrid, 1, 1},
        {kStructureTetramatrix, 3, 10}, {kStructureTetramatrix, 4, 20},
        {kStructureOctamatrix, 3, 14},  {kStructureOctamatrix, 4, 30},
        {kStructureOctamatrix, 1, 1},   {kStructureHexamatrix, 3, 71},
        {kStructureHexamatrix, 4, 200}, {kStructureHexamatrix, 2, 14},
        {kStructureHexamatrix, 1, 1},
    };
    for (const Case& c : cases) {
        MoleculeRun r;
        // Location X is the edge count for a lattice; the centre makes it 0.
        r.type.atomCenterX = c.n;
        r.Add(7, c.structure, c.n, 1000, 1000, 0, 1000);
        r.Prepare();
        std::vector<int> hits;
        const std::vector<ShapePoint> points =
            r.DistinctPoints(c.points > 100 ? 60000 : 20000, &hits);
        EXPECT_EQ(static_cast<int>(points.size()), c.points) << c.structure << " " << c.n;
        // Square, cubic and triangular lattices weigh every point alike.
        if (c.structure != kStructureHexagrid && c.structure != kStructureHexamatrix) {
            const auto [least, most] = std::minmax_element(hits.begin(), hits.end());
            EXPECT_LT(*most, *least * 1.5) << c.structure << " " << c.n;
        }
        // Neighbours one spacing (3) apart, no two closer: atoms that do not
        // overlap, and a lattice that does not fall apart.
        if (points.size() < 2) continue;
        double closest = 1e9;
        double centreX = 0, centreZ = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            centreX += points[i].x;
            centreZ += points[i].z;
            for (size_t j = i + 1; j < points.size(); ++j)
                closest = std::min(closest, MoleculeRun::Distance(points[i], points[j]));
        }
        EXPECT_NEAR(closest, 3.0, 1e-3) << c.structure << " " << c.n;
        // Centred on the atom across the plane.
        EXPECT_LT(std::fabs(centreX / points.size()), 1.6) << c.structure << " " << c.n;
        EXPECT_LT(std::fabs(centreZ / points.size()), 1.6) << c.structure << " " << c.n;
    }
}

TEST(EngineMolecule, AtomsAreChosenByPointCountAndJitteredBySpeed) {
    MoleculeRun r;
    r.Add(1, kStructureSingle, 1500, 1000, 1000, 200, 0);  // at (1.5, 0, 0)
    r.Add(8, kStructure38Shell, 1000, 1000, 1000, 0, 1000);
    r.Prepare();
    int single = 0;
    const int draws = 39000;
    for (int i = 0; i < draws; ++i) {
        const ShapePoint p = MoleculePoint(r.e, 0);
        const double fromAtom = MoleculeRun::Distance(p, {1.5f, 0, 0});
        if (std::fabs(fromAtom - 0.6) < 1e-4) {
            ++single;
        } else {
            EXPECT_GT(Norm(p), 2.99);
        }
    }
    EXPECT_NEAR(single, 1000, 150);
    // Each star takes its atom's element hue (hydrogen 180, oxygen 0).
    r.type.colorComp = 6;
    r.type.colorMult = 0;
    r.type.hueStart = 0;
    r.Prepare();
    ResetTypesForUniverse(r.e);
    StarTable& st = r.e.stars;
    for (int s = 0; s < st.count; ++s) {
        GenerateStar(r.e, s, 0, 0);
        const double d = MoleculeRun::Distance({st.posX[s], st.posY[s], st.posZ[s]}, {1.5f, 0, 0});
        EXPECT_EQ(st.hue[s], std::fabs(d - 0.6) < 1e-4 ? 180.0f : 0.0f);
    }
}

TEST(EngineMolecule, NestedShellsThemeReadsItsStoredFieldsAsLocationSpeedAndRadius) {
    MoleculeRun r;
    ASSERT_TRUE(ApplyGalaxyPreset(0, 43, r.type));
    ASSERT_EQ(r.type.galStyle, kStyleMolecule);
    ASSERT_EQ(r.type.atomCount, 6);
    r.Prepare();
    // R = 12: the oxygen, sodium and sulphur shells at 750 (9 units), the
    // others at 250 (3 units), each point jittered by its atom's speed.
    int outer = 0, inner = 0;
    for (int i = 0; i < 3000; ++i) {
        const double d = Norm(MoleculePoint(r.e, 0));
        if (d > 9 - 0.97 && d < 9 * 1.03 + 0.97) {
            ++outer;
        } else if (d > 3 - 0.49 && d < 3 * 1.03 + 0.49) {
            ++inner;
        } else {
            ADD_FAILURE() << d;
        }
    }
    EXPECT_GT(outer, 1000);
    EXPECT_GT(inner, 500);
}

TEST(EngineMolecule, CometNucleusSitsOnAnAtomWithoutJitter) {
    MoleculeRun r;
    r.Add(1, kStructure6Point, 1000, 1000, 1000, 500, 1000);
    r.Prepare();
    for (int i = 0; i < 30; ++i) {
        const StandardSample s = MoleculeNucleus(r.e, 0);
        EXPECT_NEAR(std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z), 3.0, 1e-4);
        EXPECT_EQ(s.spinCos, r.e.rt[0].spinCos8);
        EXPECT_EQ(s.level, 0);
    }
    // A molecule without atoms is a point at its centre.
    r.type.atomCount = 0;
    r.Prepare();
    GenerateStar(r.e, 0, 0, 0);
    EXPECT_EQ(r.e.stars.posX[0], 0.0f);
}

}  // namespace
}  // namespace orrelume
