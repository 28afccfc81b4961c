// Cosine and sine of i * pi / 1000 for i = 0..1000, in single precision,
// built once for the whole process (random directions use them).
#pragma once

#include <array>

namespace orrelume {

inline constexpr int kHalfTurnSteps = 1000;
using HalfTurnTable = std::array<float, kHalfTurnSteps + 1>;

const HalfTurnTable& HalfTurnCos();
const HalfTurnTable& HalfTurnSin();

}  // namespace orrelume
