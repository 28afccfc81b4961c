// Gravity between 999 galaxies, and one step of the expansion.
#include <benchmark/benchmark.h>

#include "bench_universe_setup.h"
#include "universe/gravity.h"

namespace orrelume::bench {
namespace {

void BM_GravityStep(benchmark::State& state) {
    const int32_t n = static_cast<int32_t>(state.range(0));
    BenchUniverse scene(1000, true, n);
    GalaxyInstances& gi = scene.universe->engine.galaxies;
    // A stored force of 1000, acting every frame.
    const float g = 1000 * 0.0000001f;
    int16_t counter = 0;
    for (auto _ : state) {
        GravityStep(gi, g, 1, counter);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GravityStep)->Arg(999)->Unit(benchmark::kMicrosecond);

void BM_CreationStep(benchmark::State& state) {
    BenchUniverse scene(static_cast<int32_t>(state.range(0)), false);
    UniverseState& u = *scene.universe;
    CreationRun run = BeginCreation(u, 0);
    // Run into the phase where particles leave the cloud and are captured.
    int32_t step = 0;
    for (; step < run.steps / 2; ++step)
        ExpansionStep(u, run, step);
    for (auto _ : state) {
        ExpansionStep(u, run, step);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CreationStep)->Arg(30000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orrelume::bench
