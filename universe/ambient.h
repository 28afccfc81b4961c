// Ambient stars: loose stars between the galaxies that flare when they are
// born, age along the universe colour ramp and vanish, in the shape of the
// universe's profile type. They ride the expanding shell while a universe is
// created and stand still during the tour.
#pragma once

#include <cstdint>
#include <vector>

namespace orrelume {

struct UniverseState;

// What an ambient star shows on the surface since its last drawing.
enum class AmbientShown : uint8_t { Nothing = 0, Pixel = 1, Flare = 2 };

struct AmbientStars {
    int32_t count = 0;
    std::vector<float> posX, posY, posZ;
    std::vector<float> velX, velY, velZ;
    // Screen point and depth of the last drawing.
    std::vector<int32_t> screenX, screenY;
    std::vector<float> depth;
    std::vector<int16_t> countdown;  // frames of flare left
    std::vector<float> age;          // index into the universe colour ramp
    std::vector<AmbientShown> shown;
};

// Sizes the arrays once per run (none when the count is 0).
void AllocateAmbientStars(UniverseState& universe, int32_t count);
// Every ambient star at age 0, not flaring, leaving the origin with the
// expansion (universe creation).
void StartAmbientStars(UniverseState& universe, int profileType);
// One frame of every ambient star, seen from the camera at (camX, camY,
// camZ): take down last frame's image, re-birth the star with a chance, or
// move (mode 0 only) and draw it. Mode 0 while a universe is created, with
// s1 the expansion radius and s2 the expansion speed: re-born stars ride the
// shell. Mode 1 during the tour, with s1 the radius the expansion reached:
// re-born stars stand still within it.
void UpdateAmbientStars(UniverseState& universe, float camX, float camY, float camZ, float s1,
                        float s2, int mode, int profileType);
// Multiplies every ambient velocity by the damping of an expansion step.
void DampAmbientStars(UniverseState& universe, float damp);
// Brings every ambient star to rest when the expansion ends.
void StopAmbientStars(UniverseState& universe);

}  // namespace orrelume
