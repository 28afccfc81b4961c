// The rounding of the per-star hot paths: the same rule as CLng (nearest,
// halves to even; NaN, infinities and values out of range fail and the
// statement is skipped), without leaving single precision.
#pragma once

#include <cmath>
#include <cstdint>

namespace orrelume {

inline bool FastNearest(float value, int32_t& out) {
    // The comparison is false for NaN and catches the infinities.
    if (!(value > -2147483520.0f && value < 2147483520.0f)) return false;
    // lrint rounds in the current mode, which the program never changes from
    // round-to-nearest-even.
    out = static_cast<int32_t>(std::lrint(value));
    return true;
}

}  // namespace orrelume
