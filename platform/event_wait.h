// Serving window events from inside the animation's frame loop.
#pragma once

#include <cstdint>

namespace orrelume {

// Serves the pending window events; then, when `maxWaitMs` is above 0,
// sleeps in the event loop until the next event arrives or the time is up,
// and serves what came. Never spins.
void ServeWindowEvents(int32_t maxWaitMs);

// A monotonic millisecond clock.
uint32_t MonotonicTickCount();

}  // namespace orrelume
