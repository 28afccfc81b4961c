// What a frame of the universe costs the way the saver runs it: the factory
// set's universe at 1920x1080, paced at the 40 ms frame delay, each frame
// then shown (its changes taken) as a window would, without a display. The
// time is this thread's processor time between the waits, per frame.
//
// Paced frames cost about twice what the same frames cost back to back
// (the processor comes back to them cold), and that is what a screen saver
// spends for hours; a change to the animation is measured here.
#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "driver/run_driver.h"
#include "driver/settings_source.h"
#include "settings/factory_themes.h"
#include "thread_clock.h"

namespace orrelume::bench {
namespace {

// Sleeps for the waits the driver asks for and counts the work between
// them from frame `first` on; frames before it run unpaced.
class PacedHost : public FrameHost {
  public:
    PacedHost(HostState& state, RunDriver*& driver, int64_t first, int64_t last)
        : state_(state), driver_(driver), first_(first), last_(last) {}
    void Present(const DrawingSurface& surface) override {
        surface.TakeChanges();
        if (++frames_ == first_ && driver_) driver_->SetUnpaced(false);
        if (frames_ >= last_) state_.StopRequested = true;
    }
    void ProcessEvents(int32_t maxWaitMs) override {
        const double now = ThreadSeconds();
        if (frames_ >= first_ && frames_ < last_ && woke_ > 0) work += now - woke_;
        if (maxWaitMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(maxWaitMs));
        woke_ = ThreadSeconds();
    }
    uint32_t TickCount() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    bool PreviewHostAlive() override { return true; }
    uint64_t ClockSeed() override { return 1; }

    double work = 0;

  private:
    HostState& state_;
    RunDriver*& driver_;
    int64_t first_, last_;
    int64_t frames_ = 0;
    double woke_ = 0;
};

void BM_PacedUniverseFrame(benchmark::State& state, int64_t first, int64_t last) {
    for (auto _ : state) {
        HostState hostState;
        hostState.RunMode = kRunModeSaver;
        RunDriver* driver = nullptr;
        PacedHost host(hostState, driver, first, last);
        FixedSettingsSource settings(FactorySettingsSet());
        RunDriver run(host, hostState, settings);
        driver = &run;
        run.SetFixedSeed(5);
        run.SetUnpaced(first > 1);
        run.SetUpRunSurface(1920, 1080, false);
        run.RunWindowLoop(false);
        state.SetIterationTime(host.work / static_cast<double>(last - first));
    }
}
// 100 frames of the creation, and 100 of the tour after it.
BENCHMARK_CAPTURE(BM_PacedUniverseFrame, creation, 50, 150)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_PacedUniverseFrame, tour, 330, 430)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(1);

}  // namespace
}  // namespace orrelume::bench
