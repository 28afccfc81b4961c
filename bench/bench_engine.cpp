// The per-frame star pass against the floor of its work: erasing and
// plotting one pixel per star.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_universe_setup.h"
#include "engine/update.h"

namespace orrelume::bench {
namespace {

// A frame in the middle of a visit: the visited galaxy's own re-birth rate.
const FrameInputs kVisitFrame{0, 0, 4, 0.5f, true, 0};

void BM_StarPass(benchmark::State& state) {
    BenchUniverse scene(static_cast<int32_t>(state.range(0)));
    EngineState& e = scene.universe->engine;
    for (auto _ : state) {
        UpdateGalaxies(e, kVisitFrame);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StarPass)->Arg(5000)->Arg(30000)->Unit(benchmark::kMicrosecond);

void BM_PlotFloor(benchmark::State& state) {
    BenchUniverse scene(static_cast<int32_t>(state.range(0)));
    EngineState& e = scene.universe->engine;
    UpdateGalaxies(e, kVisitFrame);
    // The very pixels one frame of the star pass plotted, in star order.
    const StarTable& st = e.stars;
    std::vector<int32_t> xs(st.screenX.begin(), st.screenX.begin() + st.count);
    std::vector<int32_t> ys(st.screenY.begin(), st.screenY.begin() + st.count);
    std::vector<uint32_t> colours(st.color.begin(), st.color.end());
    const Canvas canvas = e.canvas;
    for (auto _ : state) {
        for (size_t s = 0; s < xs.size(); ++s) {
            canvas.Plot(xs[s], ys[s], 0);
            canvas.Plot(xs[s], ys[s], colours[s]);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PlotFloor)->Arg(30000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orrelume::bench
