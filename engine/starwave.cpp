// The starwave birth.
//
// For now a starwave star is born as a standard star at rest; the emitter
// comes with the starwave work.
#include "engine/starwave.h"

#include "engine/engine_state.h"

namespace orrelume {

ColourParams StarwaveStar(EngineState& state, int32_t star, int type) {
    StandardStar(state, star, type, state.rt[type].spinPhase);
    state.stars.velX[star] = 0;
    state.stars.velY[star] = 0;
    state.stars.velZ[star] = 0;
    return {};
}

}  // namespace orrelume
