// Comets of the visited galaxy: a particle pool of 2500 slots shared by up to
// 100 comets, their launch, motion and fading, and the drift of every type's
// comet hue range.
//
// A comet is a nucleus placed like a star of its galaxy's style and orbiting
// with it, which sprays particles outwards, pushed by a solar wind away from
// the galaxy core. Each particle lives a random number of frames and fades
// through its type's comet colours; the nucleus re-emits every particle that
// ends until it falls quiet, and the comet is free again once its last
// particle has died.
#pragma once

#include <array>
#include <cstdint>

#include "engine/star_table.h"

namespace orrelume {

struct EngineState;

inline constexpr int kMaxComets = 100;
// Particles this old are still moved but no longer drawn.
inline constexpr int kCometVisibleAge = 80;
// The pixel of a particle that shows none.
inline constexpr int32_t kNoCometPixel = INT32_MIN;

struct CometPool {
    // Position relative to the galaxy centre in camera axes, and velocity.
    std::array<float, kCometSlots> pX{}, pY{}, pZ{};
    std::array<float, kCometSlots> vX{}, vY{}, vZ{};
    // The pixel the particle shows, or kNoCometPixel.
    std::array<int32_t, kCometSlots> pScreenX{}, pScreenY{};
    std::array<int16_t, kCometSlots> pAge{};  // frames since it left the nucleus
    std::array<bool, kCometSlots> pAlive{};
};

struct CometSet {
    int16_t cometCount = 0;  // comet c owns slots c x stars .. (c + 1) x stars - 1
    std::array<bool, kMaxComets> emitting{};
    std::array<int16_t, kMaxComets> liveCount{};
    std::array<int16_t, kMaxComets> nucleusLevel{};
    // The nucleus in galaxy axes, its own rotation step, and its place along
    // the ribbon of a nebula galaxy.
    std::array<float, kMaxComets> nucleusX{}, nucleusY{}, nucleusZ{};
    std::array<float, kMaxComets> nucleusCos{}, nucleusSin{};
    std::array<float, kMaxComets> nucleusParam{};
};

struct CometState {
    CometPool pool;
    CometSet set;
    // The hue range each type's flare ramp was last built from: the ramp is
    // rebuilt only when the range has moved.
    std::array<float, kGalaxyTypeCount> rampFrom{}, rampTo{};
    bool rampsKnown = false;
};

// Comets available for a type with `particles` particles per comet: as many
// whole blocks as the pool holds, at most 100.
int16_t CometCountFor(int particles);

// Erases every live particle (when `erase`), frees all slots and sets the
// comet count from the type's particles per comet.
void ResetComets(EngineState& state, bool erase, int type);
// One frame of the comets of galaxy instance `galaxy` of type `type`, whose
// centre is at (camX, camY, camZ) in camera space. No comet launches, and
// emitting comets fall quiet, while `tourStep` is below 3.
void UpdateComets(EngineState& state, float camX, float camY, float camZ, int galaxy, int type,
                  int tourStep);
// Every type's comet hue range creeps along the wheel, and with it the
// colours of its comets, novas and pulsars.
void CometHueDrift(EngineState& state);

}  // namespace orrelume
