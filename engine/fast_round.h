// The rounding of the per-star hot paths: the same rule as CLng (nearest,
// halves to even; NaN, infinities and values out of range fail and the
// statement is skipped), without leaving single precision.
#pragma once

#include <cmath>
#include <cstdint>

#if defined(__SSE__) || defined(_M_X64)
#include <xmmintrin.h>
#endif

namespace orrelume {

// Singles strictly between -kRoundLimit and kRoundLimit round into 32 bits.
inline constexpr float kRoundLimit = 2147483520.0f;

// The value a single that cannot be rounded into 32 bits converts to.
inline constexpr int32_t kUnroundable = INT32_MIN;

// Rounds half to even in the current rounding mode, which the program never
// changes from round-to-nearest-even. A value that does not fit (NaN, an
// infinity, out of range) gives kUnroundable, never undefined behaviour.
inline int32_t RoundToInt(float value) {
#if defined(__SSE__) || defined(_M_X64)
    // The instruction itself gives kUnroundable for such values.
    return _mm_cvtss_si32(_mm_set_ss(value));
#else
    return (value > -kRoundLimit && value < kRoundLimit) ? static_cast<int32_t>(std::lrint(value))
                                                         : kUnroundable;
#endif
}

inline bool FastNearest(float value, int32_t& out) {
    // The comparison is false for NaN and catches the infinities.
    if (!(value > -kRoundLimit && value < kRoundLimit)) return false;
    out = RoundToInt(value);
    return true;
}

}  // namespace orrelume
