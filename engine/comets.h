// Comets of the visited galaxy: a particle pool of 2500 slots shared by up to
// 100 comets, their launch, motion and fading, and the drift of every type's
// comet hue range.
#pragma once

#include <array>
#include <cstdint>

#include "engine/star_table.h"

namespace orrelume {

struct EngineState;

inline constexpr int kMaxComets = 100;

struct CometPool {
    std::array<float, kCometSlots> pX{}, pY{}, pZ{};
    std::array<float, kCometSlots> vX{}, vY{}, vZ{};
    std::array<int32_t, kCometSlots> pScreenX{}, pScreenY{};
    std::array<int16_t, kCometSlots> pAge{};
    std::array<bool, kCometSlots> pAlive{};
};

struct CometSet {
    int16_t cometCount = 0;
    std::array<bool, kMaxComets> emitting{};
    std::array<int16_t, kMaxComets> liveCount{};
    std::array<int16_t, kMaxComets> nucleusLevel{};
    std::array<float, kMaxComets> nucleusX{}, nucleusY{}, nucleusZ{};
    std::array<float, kMaxComets> nucleusCos{}, nucleusSin{};
    std::array<float, kMaxComets> nucleusParam{};
};

struct CometState {
    CometPool pool;
    CometSet set;
};

// Erases every live particle (when `erase`), frees all slots and sets the
// comet count from the type's particles per comet.
void ResetComets(EngineState& state, bool erase, int type);
// One frame of the comets of galaxy instance `galaxy` of type `type`.
void UpdateComets(EngineState& state, float camX, float camY, float camZ, int galaxy, int type,
                  int tourStep);
// Every type's comet hue range creeps along the wheel.
void CometHueDrift(EngineState& state);

}  // namespace orrelume
