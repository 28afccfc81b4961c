// The starwave birth: stars leave the core along arms, each in one of a
// number of interleaved waves. The wave motion of the per-frame update then
// carries them outwards while they bob up and down in a dying wave.
#pragma once

#include <cstdint>

#include "engine/generate.h"

namespace orrelume {

struct EngineState;

// A starwave star at the core: its outward step per frame in velX and velZ,
// the phase of its wave in velY, age 0. Stars of this style take no part in
// the hue wheel step; both colour parameters are 0.
ColourParams StarwaveStar(EngineState& state, int32_t star, int type);

}  // namespace orrelume
