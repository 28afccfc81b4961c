// A diagnostic trace of the host's milestones (start, window shown, first
// frame, input, stop), written only when ORRELUME_TRACE names a file. The
// real-window tests wait for these lines instead of sleeping, and the
// first-frame latency is measured from them. Each line is the wall-clock
// time in milliseconds since the epoch, a blank and the event.
#pragma once

#include <string_view>

namespace orrelume {

// Whether the trace is on (ORRELUME_TRACE is set and not empty).
bool TraceEnabled();
// Appends one line (and flushes it) when the trace is on.
void Trace(std::string_view event);

}  // namespace orrelume
