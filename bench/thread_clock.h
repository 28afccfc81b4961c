// The processor time of the calling thread, for benchmarks that time only
// their own work: another process (the X server) woken by what they send may
// take the core for a while.
#pragma once

#include <ctime>

namespace orrelume::bench {

inline double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace orrelume::bench
