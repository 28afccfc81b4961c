// Shared helpers of the animation tests: a small run of the engine on an
// in-memory surface, and a frame host with a clock the test drives.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "driver/drawing_surface.h"
#include "driver/frame_host.h"
#include "driver/host_state.h"
#include "driver/universe_values.h"
#include "engine/engine_state.h"
#include "engine/type_runtime.h"
#include "universe/frame_control.h"
#include "universe/universe_state.h"

namespace orrelume::test {

// A universe on a small surface, its arrays sized from `settings`, its types
// prepared and its colour tables built; the camera is where a tour starts.
struct CoreRun {
    DrawingSurface surface;
    std::unique_ptr<UniverseState> universe = std::make_unique<UniverseState>();

    explicit CoreRun(const UniverseSettings& settings = UniverseSettings{}, int width = 320,
                     int height = 240, uint64_t seed = 1) {
        surface.SetSize(width, height);
        surface.ComputeGeometry(1.0f);
        engine().rng.Seed(seed);
        engine().canvas = surface.View();
        Prepare(settings);
    }
    EngineState& engine() { return universe->engine; }
    StarTable& stars() { return universe->engine.stars; }

    // Sizes and prepares everything again (after the types were changed).
    void Prepare(const UniverseSettings& settings) {
        EngineState& e = engine();
        e.values = NormaliseUniverseValues(settings);
        ParseTourGalaxyList(settings.gsIdx, universe->tourList, kTourListCapacity);
        AllocateRun(*universe);
        PrepareTypeRuntimes(e, {});
        BuildColourTables(e, settings.hwStart, settings.hwEnd);
        BuildSpecialStarTables(e);
        universe->expansionSpeed = e.values.expandSpeed;
    }
    // Places every galaxy as the tour's first frame sees it.
    void CameraAtHome() {
        GalaxyInstances& gi = engine().galaxies;
        for (int32_t g = 0; g < gi.count; ++g) {
            gi.camX[g] = gi.posX[g];
            gi.camY[g] = gi.posY[g];
            gi.camZ[g] = gi.posZ[g] + engine().values.dstCen;
        }
    }
    int CountLitPixels() const {
        int lit = 0;
        const auto& px = surface.pixels();
        for (size_t i = 0; i + 1 < px.size(); ++i)
            lit += (px[i] & 0xFFFFFFu) != 0;
        return lit;
    }
};

// Frames that never stop and never wait.
class FreeFrames : public FrameControl {
  public:
    void StampFrameStart() override { ++stamps; }
    bool EndOfFrame() override {
        ++frames;
        return stopAfter > 0 && frames >= stopAfter;
    }
    bool RestartRequested() override { return restart; }
    void SettleAfterFirstStep() override {}
    int stamps = 0, frames = 0, stopAfter = 0;
    bool restart = false;
};

// A host whose clock moves only when the driver waits: every wait of at most
// N ms moves it by N ms (at least 1), so pacing can be counted exactly.
class ScriptedHost : public FrameHost {
  public:
    explicit ScriptedHost(HostState& state) : state_(state) { waits.reserve(1 << 16); }
    void Present(const DrawingSurface&) override {
        ++frames;
        if (onFrame) onFrame(frames);
        if (frameLimit > 0 && frames >= frameLimit) state_.StopRequested = true;
    }
    void ProcessEvents(int32_t maxWaitMs) override {
        ++yields;
        waits.push_back(maxWaitMs);
        if (maxWaitMs > 0) clock += static_cast<uint32_t>(maxWaitMs);
        if (onYield) onYield();
    }
    uint32_t TickCount() override { return clock; }
    bool PreviewHostAlive() override { return previewAlive; }
    uint64_t ClockSeed() override { return 99; }

    uint32_t clock = 1000;
    int64_t frames = 0, yields = 0, frameLimit = 0;
    std::vector<int32_t> waits;
    bool previewAlive = true;
    std::function<void(int64_t)> onFrame;
    std::function<void()> onYield;

  private:
    HostState& state_;
};

// Counts the allocations of the whole test program while counting is on.
void StartCountingAllocations();
// Stops counting; the allocations made since the start.
int64_t StopCountingAllocations();

// Small universe values for fast runs.
UniverseSettings TinyUniverse();

}  // namespace orrelume::test
