// One tour frame of the ambient stars.
#include <benchmark/benchmark.h>

#include "bench_universe_setup.h"
#include "universe/ambient.h"

namespace orrelume::bench {
namespace {

void BM_AmbientStars(benchmark::State& state) {
    BenchUniverse scene(5000, false);
    UniverseState& u = *scene.universe;
    EngineState& e = u.engine;
    e.values.amStar = static_cast<int32_t>(state.range(0));
    AllocateRun(u);
    u.expansionSpeed = e.values.expandSpeed;
    NoFrames frames;
    CreateUniverse(u, 0, frames);
    const float camZ = -e.values.dstCen;
    // Into the steady state of flares, shining and spent stars.
    for (int frame = 0; frame < 500; ++frame)
        UpdateAmbientStars(u, 0, 0, camZ, u.expansionRadius, u.expansionSpeed, 1, 0);
    for (auto _ : state) {
        UpdateAmbientStars(u, 0, 0, camZ, u.expansionRadius, u.expansionSpeed, 1, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AmbientStars)->Arg(3000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orrelume::bench
