// The iterated-function-system styles: the vertex tables, the three kinds of
// step and the rigid turn of the finished structure.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <tuple>

#include "engine/generate.h"
#include "engine/ifs.h"
#include "engine/type_runtime.h"
#include "support/core_fixture.h"
#include "universe/creation.h"

namespace orrelume {
namespace {

struct Vec {
    double x, y, z;
};
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(Vec a) {
    return std::sqrt(Dot(a, a));
}

Vec Vertex(const IfsInstance& p, int k) {
    return {p.mapX[k], p.mapY[k], p.mapZ[k]};
}
Vec StarAt(const StarTable& st, int s) {
    return {st.posX[s], st.posY[s], st.posZ[s]};
}

// A run whose type 0 has the given style, its instances prepared.
struct IfsRun {
    test::CoreRun run{test::TinyUniverse()};
    EngineState& e = run.engine();
    GalaxyType& type = e.types[0];

    explicit IfsRun(int16_t style) { type.galStyle = style; }
    void Prepare() {
        PrepareTypeRuntimes(e, {});
        PrepareGalaxyInstances(e, e.galaxies.count, {InstanceSource::FixedType, 0});
    }
    IfsInstance& Instance(int i = 0) { return e.ifs.instances[static_cast<size_t>(i)]; }
};

TEST(EngineIfs, VertexTablesHoldTheirCountOfDistinctVertices) {
    for (int m = 1; m <= 10; ++m) {
        IfsRun r(kStyleIfsFractal);
        r.type.radSegs = static_cast<int16_t>(m);
        r.type.ghwRatio = 0.5f;
        r.Prepare();
        const IfsInstance& p = r.Instance();
        std::set<std::tuple<float, float, float>> distinct;
        for (int k = 0; k < m; ++k)
            distinct.insert({p.mapX[k], p.mapY[k], p.mapZ[k]});
        EXPECT_EQ(static_cast<int>(distinct.size()), m) << m;
        for (int k = m; k < kMaxIfsVertices; ++k)
            EXPECT_EQ(Length(Vertex(p, k)), 0.0) << m << " " << k;
        // The current point starts at vertex 0.
        EXPECT_EQ(p.ifsX, p.mapX[0]);
        EXPECT_EQ(p.ifsY, p.mapY[0]);
        EXPECT_EQ(p.ifsZ, p.mapZ[0]);
    }
    // The octahedron: every vertex at distance R (3) or R g (1.5) from the
    // centre, on an axis.
    IfsRun r(kStyleIfsWireframe);
    r.type.radSegs = 6;
    r.type.ghwRatio = 0.5f;
    r.Prepare();
    for (int k = 0; k < 6; ++k) {
        const Vec v = Vertex(r.Instance(), k);
        const double len = Length(v);
        EXPECT_TRUE(std::fabs(len - 3) < 1e-6 || std::fabs(len - 1.5) < 1e-6) << k;
        EXPECT_EQ((v.x != 0) + (v.y != 0) + (v.z != 0), 1) << k;
    }
}

TEST(EngineIfs, SpaceFillingFractalStaysInsideItsTetrahedronAndLeavesItsHoles) {
    IfsRun r(kStyleIfsFractal);
    r.type.radSegs = 4;
    r.type.radFill = 50;
    r.Prepare();
    EngineState& e = r.e;
    const IfsInstance& p = r.Instance();
    const Vec a = Vertex(p, 0), b = Vertex(p, 1), c = Vertex(p, 2), d = Vertex(p, 3);
    const double volume = Dot(b - a, Cross(c - a, d - a));
    ASSERT_GT(std::fabs(volume), 1.0);
    // Barycentric coordinates of a point in the tetrahedron a, b, c, d.
    auto weights = [&](Vec q) {
        const double wb = Dot(q - a, Cross(c - a, d - a)) / volume;
        const double wc = Dot(b - a, Cross(q - a, d - a)) / volume;
        const double wd = Dot(b - a, Cross(c - a, q - a)) / volume;
        return std::array<double, 4>{1 - wb - wc - wd, wb, wc, wd};
    };
    StarTable& st = e.stars;
    double spread = 0;
    for (int s = 0; s < st.count; ++s) {
        GenerateStar(e, s, 0, 0);
        const auto w = weights(StarAt(st, s));
        double largest = 0;
        for (double x : w) {
            EXPECT_GE(x, -1e-5);
            largest = std::max(largest, x);
        }
        // Half-way towards a vertex: the point lies in one of the four
        // half-size copies, never in the hole between them.
        EXPECT_GE(largest, 0.5 - 1e-5);
        spread = std::max(spread, Length(StarAt(st, s) - Vec{0, 0, 0}));
    }
    // Not a blob at the centre: stars reach out towards the vertices.
    EXPECT_GT(spread, 2.0);
}

TEST(EngineIfs, WireframeWithoutIterationsDrawsSpokesToTwiceEachVertex) {
    IfsRun r(kStyleIfsWireframe);
    r.type.radSegs = 8;
    r.type.radBands = 0;
    r.type.ghwRatio = 0.7f;
    r.Prepare();
    EngineState& e = r.e;
    const IfsInstance& p = r.Instance();
    StarTable& st = e.stars;
    for (int s = 0; s < st.count; ++s) {
        GenerateStar(e, s, 0, 0);
        const Vec q = StarAt(st, s);
        // On a segment from the centre through one of the vertices.
        bool onSpoke = false;
        for (int k = 0; k < 8 && !onSpoke; ++k) {
            const Vec v = Vertex(p, k);
            const double along = Dot(q, v) / Dot(v, v);
            const Vec off = q - Vec{v.x * along, v.y * along, v.z * along};
            onSpoke = Length(off) < 1e-4 && along >= -1e-6 && along < 2.0 + 1e-6;
        }
        EXPECT_TRUE(onSpoke) << q.x << " " << q.y << " " << q.z;
    }
}

TEST(EngineIfs, PointAttractorSpiralsEachSeedInwards) {
    // One step per seed: every star is a fresh seed of the profile's shape.
    IfsRun r(kStyleIfsPointAttractor);
    r.type.radSegs = 1;
    r.type.radFill = 50;
    r.type.profile = 2;  // spherical: |y| <= g sqrt(R^2 - r^2)
    r.type.ghwRatio = 1;
    r.Prepare();
    EngineState& e = r.e;
    StarTable& st = e.stars;
    double outer = 0;
    for (int s = 0; s < st.count; ++s) {
        GenerateStar(e, s, 0, 0);
        EXPECT_EQ(r.Instance().ifsCount, 0);
        const Vec q = StarAt(st, s);
        const double rho = std::hypot(q.x, q.z);
        EXPECT_LE(rho, 3 + 1e-5);
        EXPECT_LE(std::fabs(q.y), std::sqrt(std::max(0.0, 9 - rho * rho)) + 1e-4);
        outer = std::max(outer, rho);
    }
    EXPECT_GT(outer, 2.5);

    // Five steps per seed, a quarter turn per step: each step contracts the
    // previous point by half and turns it about the axis.
    IfsRun spiral(kStyleIfsPointAttractor);
    spiral.type.radSegs = 5;
    spiral.type.radFill = 50;
    spiral.type.radBands = 90;
    spiral.Prepare();
    EngineState& e2 = spiral.e;
    StarTable& st2 = e2.stars;
    for (int s = 0; s < 50; ++s) {
        const int16_t count = spiral.Instance().ifsCount;
        GenerateStar(e2, s, 0, 0);
        if (count == 0 || s == 0) continue;
        const Vec before = StarAt(st2, s - 1), after = StarAt(st2, s);
        EXPECT_NEAR(after.y, before.y * 0.5, 1e-5);
        // A quarter turn: z' = x s, x' = -z s.
        EXPECT_NEAR(after.z, before.x * 0.5, 1e-5);
        EXPECT_NEAR(after.x, -before.z * 0.5, 1e-5);
    }
}

TEST(EngineIfs, OneVertexCollapsesToTheCentre) {
    IfsRun r(kStyleIfsFractal);
    r.type.radSegs = 1;
    r.type.radFill = 50;
    r.Prepare();
    StarTable& st = r.e.stars;
    for (int s = 0; s < st.count; ++s)
        GenerateStar(r.e, s, 0, 0);
    EXPECT_LT(Length(StarAt(st, st.count - 1)), 1e-9);
}

TEST(EngineIfs, StructureTurnsRigidlyWithTheSpinPhase) {
    IfsRun r(kStyleIfsFractal);
    r.type.radSegs = 5;
    r.type.rotation = 1000;
    r.type.colorComp = 0;
    r.type.hueStart = 0;
    r.type.hWheelInc = 0;
    r.type.colorMult = 30000;  // hue = c1 x 3000 x 10 degrees
    r.Prepare();
    EngineState& e = r.e;
    TypeRuntime& rt = e.rt[0];
    rt.spinPhase = kHalfPi;
    rt.spinPhaseCos = 0;
    rt.spinPhaseSin = 1;
    GenerateStar(e, 0, 0, 0);
    const IfsInstance& p = r.Instance();
    StarTable& st = e.stars;
    // A quarter turn about the axis: x = -Z, z = X.
    EXPECT_FLOAT_EQ(st.posX[0], -p.ifsZ);
    EXPECT_FLOAT_EQ(st.posY[0], p.ifsY);
    EXPECT_FLOAT_EQ(st.posZ[0], p.ifsX);
    EXPECT_EQ(st.spinCos[0], rt.spinCos8);
    EXPECT_EQ(st.spinSin[0], rt.spinSin8);
    EXPECT_EQ(st.level[0], 0);
    // The colour parameter is the eightfold spin: 8 x 0.001 x 30000 degrees.
    EXPECT_EQ(st.hue[0], 240.0f);
}

TEST(EngineIfs, EveryInstanceHasItsOwnMapsAndPoint) {
    IfsRun r(kStyleIfsPointAttractor);
    r.type.radSegs = 20;
    r.Prepare();
    EngineState& e = r.e;
    ASSERT_GE(e.galaxies.count, 2);
    // Different seeds for different galaxies.
    EXPECT_NE(r.Instance(0).mapX[0], r.Instance(1).mapX[0]);
    // A star of galaxy 1 moves galaxy 1's point only.
    const IfsInstance before = r.Instance(0);
    GenerateStar(e, 0, 0, 1);
    EXPECT_EQ(r.Instance(0).ifsX, before.ifsX);
    EXPECT_EQ(r.Instance(0).ifsCount, before.ifsCount);
    EXPECT_EQ(r.Instance(1).ifsCount, 1);
    // A galaxy index outside the run's instances falls back on the
    // universe's set instead of reading past the instances.
    GenerateStar(e, 0, 0, 5000);
    EXPECT_TRUE(std::isfinite(e.stars.posX[0]));
}

}  // namespace
}  // namespace orrelume
