// A host without a window: frames are drawn into the surface's framebuffer
// only. It stops the run after a given number of frames, which tools and
// tests use to render a fixed stretch of animation.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "driver/frame_host.h"
#include "driver/host_state.h"

namespace orrelume {

class OffscreenHost : public FrameHost {
  public:
    // `frameLimit` 0: never stops by itself.
    OffscreenHost(RunFlags& state, int64_t frameLimit = 0)
        : state_(state), frameLimit_(frameLimit) {}

    void Present(const DrawingSurface& surface) override {
        ++frames_;
        if (onFrame) onFrame(frames_);
        if (frameLimit_ > 0 && frames_ >= frameLimit_) state_.StopRequested = true;
    }
    void ProcessEvents(int32_t maxWaitMs) override {}
    uint32_t TickCount() override {
        if (manualClock) return clock;
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    bool PreviewHostAlive() override { return previewAlive; }
    uint64_t ClockSeed() override { return TickCount(); }

    int64_t Frames() const { return frames_; }
    void SetFrameLimit(int64_t limit) { frameLimit_ = limit; }

    // Called after each presented frame with the frame count.
    std::function<void(int64_t)> onFrame;
    bool previewAlive = true;
    bool manualClock = false;
    uint32_t clock = 0;

  private:
    RunFlags& state_;
    int64_t frameLimit_;
    int64_t frames_ = 0;
};

}  // namespace orrelume
