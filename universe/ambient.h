// Ambient stars: loose stars between the galaxies that flare when they are
// born, age along the universe colour ramp and vanish, in the shape of the
// universe's profile type. They ride the expanding shell while a universe is
// created and stand still during the tour.
#pragma once

#include <cstdint>
#include <vector>

namespace orrelume {

struct UniverseState;

struct AmbientStars {
    int32_t count = 0;
    std::vector<float> posX, posY, posZ;
    std::vector<float> velX, velY, velZ;
    std::vector<int32_t> screenX, screenY;
    std::vector<float> depth;
    std::vector<int16_t> countdown;  // frames of flare left
    std::vector<float> age;          // index into the universe colour ramp
};

// Sizes the arrays once per run (none when the count is 0).
void AllocateAmbientStars(UniverseState& universe, int32_t count);
// Every ambient star at age 0, not flaring, leaving the origin with the
// expansion (universe creation).
void StartAmbientStars(UniverseState& universe, int profileType);
// One frame: mode 0 while a universe is created, mode 1 during the tour.
void UpdateAmbientStars(UniverseState& universe, float camX, float camY, float camZ, float s1,
                        float s2, int mode, int profileType);
// Multiplies every ambient velocity by the damping of an expansion step.
void DampAmbientStars(UniverseState& universe, float damp);
// Brings every ambient star to rest when the expansion ends.
void StopAmbientStars(UniverseState& universe);

}  // namespace orrelume
