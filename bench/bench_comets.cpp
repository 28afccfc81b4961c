// Comets, and a whole tour frame of a default universe with its comets and
// ambient stars.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench_universe_setup.h"
#include "engine/comets.h"
#include "engine/special_stars.h"
#include "engine/update.h"
#include "universe/ambient.h"

namespace orrelume::bench {
namespace {

int LiveComets(const CometSet& set) {
    int n = 0;
    for (int c = 0; c < set.cometCount; ++c)
        n += set.liveCount[c] > 0;
    return n;
}

// 100 comets of 25 particles around a galaxy in front of the camera, as a
// galaxy preview shows them.
void BM_CometFrame(benchmark::State& state) {
    BenchUniverse scene(1000, false, 1);
    EngineState& e = scene.universe->engine;
    GalaxyType& g = e.types[0];
    g.cometStars = 25;
    g.cometFreq = 9999;
    g.cometCPersist = 0.9999f;
    PrepareTypeRuntimes(e, {});
    ResetComets(e, false, 0);
    const float camZ = e.rt[0].viewDistance;
    for (int frame = 0; frame < 5000 && LiveComets(e.comets.set) < kMaxComets; ++frame)
        UpdateComets(e, 0, 0, camZ, 0, 0, kPreviewTourStep);
    for (auto _ : state) {
        UpdateComets(e, 0, 0, camZ, 0, 0, kPreviewTourStep);
        benchmark::ClobberMemory();
    }
    state.counters["comets"] = LiveComets(e.comets.set);
}
BENCHMARK(BM_CometFrame)->Unit(benchmark::kMicrosecond);

// Pixels the comets and ambient stars show after a frame: the extra work a
// universe frame has over the star pass, in plots.
int ExtraPixels(UniverseState& u) {
    const EngineState& e = u.engine;
    int pixels = 0;
    const CometPool& pool = e.comets.pool;
    for (int i = 0; i < kCometSlots; ++i)
        pixels += pool.pAlive[i] && pool.pScreenX[i] != kNoCometPixel;
    // Flares are counted by drawing them again on a surface of their own.
    DrawingSurface count;
    count.SetSize(e.canvas.width, e.canvas.height);
    count.ComputeGeometry(1.0f);
    const Canvas canvas = count.View();
    const AmbientStars& a = u.ambient;
    for (int32_t i = 0; i < a.count; ++i) {
        if (a.shown[i] == AmbientShown::Pixel) {
            ++pixels;
        } else if (a.shown[i] == AmbientShown::Flare) {
            count.ClearSurface();
            DrawFlare(canvas, a.screenX[i], a.screenY[i], a.depth[i], a.countdown[i],
                      e.values.amFrames, e.values.amMaxExt, 1);
            pixels +=
                static_cast<int>(std::count_if(count.pixels().begin(), count.pixels().end() - 1,
                                               [](uint32_t p) { return (p & 0xFFFFFFu) != 0; }));
        }
    }
    return pixels;
}

// One tour frame of the default universe (5000 stars, 100 galaxies, 300
// ambient stars) in the middle of a visit, with comets in full flow: the
// star pass, the comets, the re-births, the hue steps and the ambient stars.
void BM_UniverseFrame(benchmark::State& state) {
    BenchUniverse scene(5000);
    UniverseState& u = *scene.universe;
    EngineState& e = u.engine;
    const FrameInputs visit{0, 0, 4, 0.5f, true, 0};
    const float camZ = -e.values.dstCen;
    ResetComets(e, false, 0);
    for (int frame = 0; frame < 2000; ++frame) {
        UpdateGalaxies(e, visit);
        UpdateAmbientStars(u, 0, 0, camZ, u.expansionRadius, u.expansionSpeed, 1, 0);
    }
    for (auto _ : state) {
        UpdateGalaxies(e, visit);
        UpdateAmbientStars(u, 0, 0, camZ, u.expansionRadius, u.expansionSpeed, 1, 0);
        benchmark::ClobberMemory();
    }
    // The extra pixels, counted over frames of their own after the timing.
    int64_t extra = 0;
    constexpr int kCounted = 50;
    for (int frame = 0; frame < kCounted; ++frame) {
        UpdateGalaxies(e, visit);
        UpdateAmbientStars(u, 0, 0, camZ, u.expansionRadius, u.expansionSpeed, 1, 0);
        extra += ExtraPixels(u);
    }
    state.counters["comets"] = LiveComets(e.comets.set);
    state.counters["extra_px"] = static_cast<double>(extra) / kCounted;
}
BENCHMARK(BM_UniverseFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orrelume::bench
