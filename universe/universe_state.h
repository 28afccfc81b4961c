// Everything a running universe loop keeps: the engine's state, the tour
// galaxy list, the ambient stars, the camera tour, the gravity counter, the
// expansion radius and speed, and the scratch arrays of universe creation.
// All arrays are sized once per run.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/engine_state.h"
#include "universe/ambient.h"
#include "universe/tour.h"

namespace orrelume {

// The tour galaxy list holds at most one entry per galaxy.
inline constexpr int kTourListCapacity = kMaxGalaxies;

// Particle states of the expansion cloud.
enum class ParticleState : int16_t { Free = 0, Fading = 1, Captured = 2 };

struct CreationScratch {
    std::vector<float> posX, posY, posZ, velX, velY, velZ;
    std::vector<ParticleState> state;
    std::vector<int16_t> counter;
    std::vector<float> galaxyVelX, galaxyVelY, galaxyVelZ;
    std::array<int32_t, kSlotCount> cumulative{};
};

struct UniverseState {
    EngineState engine;

    // Zero-based slots of the galaxies the tour visits first.
    std::vector<int16_t> tourList;

    AmbientStars ambient;
    std::vector<uint32_t> ambientFlareRamp;  // entries 0..amFrames

    ControlWindow window;
    ShapePoint camera;
    int16_t gravityCounter = 0;
    float expansionRadius = 0;  // R_x
    float expansionSpeed = 0;   // V_x
    int32_t profileIndex = -1;  // P

    CreationScratch scratch;

    UniverseState() { tourList.reserve(kTourListCapacity); }
};

// Sizes every array of a run from the engine's run values: the star table,
// the galaxy instances and their style data, the ambient stars and the
// creation scratch.
void AllocateRun(UniverseState& universe);
// The ambient flare ramp: white, then greys from 255 down towards 88.
void BuildAmbientFlareRamp(UniverseState& universe);

}  // namespace orrelume
