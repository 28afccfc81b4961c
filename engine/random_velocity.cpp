#include "engine/random_velocity.h"

#include <algorithm>

#include "engine/half_turn.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

int TableIndex(float u) {
    const auto i = Nearest(static_cast<double>(u) * kHalfTurnSteps);
    return i ? std::clamp(*i, 0, kHalfTurnSteps) : 0;
}

}  // namespace

ShapePoint RandomVelocity(Random& rng, float speed) {
    const int i = TableIndex(rng.Next());
    const int j = TableIndex(rng.Next());
    const float u = rng.Next();
    const float sign = u > 0.5f ? 1.0f : (u < 0.5f ? -1.0f : 0.0f);
    const HalfTurnTable& cosines = HalfTurnCos();
    const HalfTurnTable& sines = HalfTurnSin();
    ShapePoint v;
    v.x = speed * cosines[j] * sines[i];
    v.y = sign * speed * sines[j] * sines[i];
    v.z = speed * cosines[i];
    return v;
}

}  // namespace orrelume
