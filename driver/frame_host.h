// What the run driver needs from the window it animates, without knowing
// any window system: presenting a finished frame, serving window events, a
// millisecond clock, and whether the preview's host window still exists.
#pragma once

#include <cstdint>

namespace orrelume {

class DrawingSurface;

class FrameHost {
  public:
    virtual ~FrameHost() = default;
    // Shows the finished frame.
    virtual void Present(const DrawingSurface& surface) = 0;
    // Serves the pending window events; when there are none, waits at most
    // `maxWaitMs` milliseconds for the next one (blocking, not spinning).
    virtual void ProcessEvents(int32_t maxWaitMs) = 0;
    // A monotonic millisecond clock.
    virtual uint32_t TickCount() = 0;
    // Whether the display-settings preview's host window still exists.
    virtual bool PreviewHostAlive() { return true; }
    // A seed for the random generator, taken from the clock.
    virtual uint64_t ClockSeed() { return TickCount(); }
};

}  // namespace orrelume
