// The starwave birth: stars leave the core along arms, each in one of a
// number of interleaved waves. (The wave motion itself is part of the
// per-frame update.)
#pragma once

#include <cstdint>

#include "engine/generate.h"

namespace orrelume {

struct EngineState;

ColourParams StarwaveStar(EngineState& state, int32_t star, int type);

}  // namespace orrelume
