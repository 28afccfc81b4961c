// The cost of one re-birth in each galaxy style, and of a star on each
// lattice at the largest edge count.
#include <benchmark/benchmark.h>

#include "bench_universe_setup.h"
#include "engine/generate.h"
#include "engine/user_styles.h"
#include "universe/creation.h"

namespace orrelume::bench {
namespace {

AtomEntry Atom(int16_t element, int16_t structure, int16_t x, int16_t speed, int16_t radius) {
    AtomEntry a;
    a.element = element;
    a.structureType = structure;
    a.edgeCount = x;  // location X; the edge count of a lattice
    a.third = 1000;
    a.fourth = 1000;
    a.sixth = speed;
    a.seventh = radius;
    a.pointCount = static_cast<int16_t>(StructurePoints(structure));
    return a;
}

// Settings that show each style as a user would set it.
void SetStyle(GalaxyType& t, int style) {
    t.galStyle = static_cast<int16_t>(style);
    switch (style) {
        case kStyleIfsPointAttractor:
            t.radSegs = 8;
            t.radFill = 70;
            t.radBands = 40;
            break;
        case kStyleIfsWireframe:
            t.radSegs = 6;
            t.radFill = 50;
            t.radBands = 4;
            break;
        case kStyleIfsFractal:
            t.radSegs = 4;
            t.radFill = 50;
            break;
        case kStyleNebula:
            t.cpPoints = 7;
            t.cpBPts = 4;
            t.cpBExp = 35;
            t.cpBSpd = 20;
            t.radiusExp = 1.5f;
            break;
        case kStyleStarwave:
            t.radSegs = 5;
            t.radFill = 30;
            t.radBands = 3;
            t.radBFill = 120;
            break;
        case kStyleUserIfs:
            t.ifsCount = 5;
            t.ifsCenterX = 250;
            t.ifsCenterY = 1000;
            t.ifsCenterZ = 200;
            t.ifsPoints[0] = {1000, 0, 0, 40, 0, 0, 2};
            t.ifsPoints[1] = {0, 0, 0, 0, 0, 60, 1};
            t.ifsPoints[2] = {0, 0, 0, 0, 0, 300, 1};
            t.ifsPoints[3] = {0, 0, 0, 50, 1, 60, 1};
            t.ifsPoints[4] = {0, 0, 0, 50, 1, 300, 1};
            break;
        case kStyleMolecule:
            // Jittered shells and single atoms, and two lattices.
            t.colorComp = 6;
            t.atomCount = 6;
            t.atomCenterX = 1000;
            t.atomCenterY = 1000;
            t.atomCenterZ = 1000;
            t.atoms[0] = Atom(6, kStructureSingle, 1000, 200, 0);
            t.atoms[1] = Atom(1, kStructureSingle, 1250, 75, 0);
            t.atoms[2] = Atom(8, kStructure38Shell, 1000, 40, 750);
            t.atoms[3] = Atom(7, kStructure26Shell, 1000, 20, 250);
            t.atoms[4] = Atom(11, kStructureCube, 20, 0, 60);
            t.atoms[5] = Atom(16, kStructureHexamatrix, 20, 0, 60);
            break;
        default:
            break;
    }
}

void Rebirths(benchmark::State& state, BenchUniverse& scene) {
    EngineState& e = scene.universe->engine;
    PrepareTypeRuntimes(e, {});
    PrepareGalaxyInstances(e, e.galaxies.count, {InstanceSource::FixedType, 0});
    const int32_t stars = e.stars.count;
    const int32_t galaxies = e.galaxies.count;
    int32_t s = 0, g = 0;
    for (auto _ : state) {
        GenerateStar(e, s, 0, g);
        if (++s == stars) s = 0;
        if (++g == galaxies) g = 0;
    }
    benchmark::DoNotOptimize(e.stars.posX.data());
    state.SetItemsProcessed(state.iterations());
}

void BM_GenerateStar(benchmark::State& state) {
    BenchUniverse scene(5000, false);
    SetStyle(scene.universe->engine.types[0], static_cast<int>(state.range(0)));
    Rebirths(state, scene);
}
BENCHMARK(BM_GenerateStar)->DenseRange(0, 9)->Unit(benchmark::kNanosecond);

// A molecule of one lattice atom with 99 points to an edge.
void BM_GenerateLatticeStar(benchmark::State& state) {
    BenchUniverse scene(5000, false);
    GalaxyType& t = scene.universe->engine.types[0];
    t.galStyle = kStyleMolecule;
    t.atomCount = 1;
    t.atoms[0] = Atom(6, static_cast<int16_t>(state.range(0)), 99, 0, 10);
    Rebirths(state, scene);
}
BENCHMARK(BM_GenerateLatticeStar)->DenseRange(kStructureRectgrid, kStructureHexamatrix);

}  // namespace
}  // namespace orrelume::bench
