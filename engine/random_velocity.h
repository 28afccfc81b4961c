// A random direction of a given length, from the half-turn tables.
#pragma once

#include "engine/generate.h"
#include "engine/random.h"

namespace orrelume {

ShapePoint RandomVelocity(Random& rng, float speed);

}  // namespace orrelume
