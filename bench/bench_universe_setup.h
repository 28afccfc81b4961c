// A created universe of the default standard type on a 1920x1080 surface
// (unless told otherwise), camera at the start of the tour: the scene the
// benchmarks measure.
#pragma once

#include <memory>
#include <utility>

#include "driver/drawing_surface.h"
#include "driver/universe_values.h"
#include "engine/type_runtime.h"
#include "universe/creation.h"
#include "universe/frame_control.h"
#include "universe/universe_state.h"

namespace orrelume::bench {

class NoFrames : public FrameControl {
  public:
    void StampFrameStart() override {}
    bool EndOfFrame() override { return false; }
    bool RestartRequested() override { return false; }
    void SettleAfterFirstStep() override {}
};

struct BenchUniverse {
    DrawingSurface surface;
    std::unique_ptr<UniverseState> universe = std::make_unique<UniverseState>();

    explicit BenchUniverse(int32_t stars, bool create = true, int32_t galaxies = 100,
                           int32_t width = 1920, int32_t height = 1080,
                           PixelAllocator allocator = {}) {
        surface.SetPixelAllocator(std::move(allocator));
        surface.SetSize(width, height);
        surface.ComputeGeometry(1.0f);
        EngineState& e = universe->engine;
        e.rng.Seed(12345);
        e.canvas = surface.View();
        UniverseSettings settings;
        settings.stars = stars;
        settings.galaxy = static_cast<int16_t>(galaxies);
        e.values = NormaliseUniverseValues(settings);
        AllocateRun(*universe);
        PrepareTypeRuntimes(e, {});
        BuildColourTables(e, settings.hwStart, settings.hwEnd);
        BuildSpecialStarTables(e);
        universe->expansionSpeed = e.values.expandSpeed;
        if (!create) return;
        NoFrames frames;
        CreateUniverse(*universe, 0, frames);
        GalaxyInstances& gi = e.galaxies;
        for (int32_t g = 0; g < gi.count; ++g) {
            gi.camX[g] = gi.posX[g];
            gi.camY[g] = gi.posY[g];
            gi.camZ[g] = gi.posZ[g] + e.values.dstCen;
        }
    }
};

}  // namespace orrelume::bench
