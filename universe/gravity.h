// Gravity between the galaxies of a universe during the tour.
#pragma once

#include <cstdint>

#include "engine/star_table.h"

namespace orrelume {

// One frame: every `gravFrame` frames each galaxy, in index order, is pulled
// towards every other (the pull of each pair is the distance vector over the
// squared distance, times G); every frame each galaxy moves by its velocity.
// Galaxies are moved in place, so a galaxy's new position already acts on the
// ones after it. `counter` lives for the whole run.
void GravityStep(GalaxyInstances& galaxies, float g, int32_t gravFrame, int16_t& counter);

}  // namespace orrelume
