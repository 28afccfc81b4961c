// The nebula style.
//
// For now a nebula is generated as a still standard galaxy (velocity 0); the
// ribbons come with the nebula work.
#include "engine/nebula.h"

#include "engine/engine_state.h"

namespace orrelume {

void SizeNebula(EngineState& state, int32_t instances) {
    state.nebula.instances.resize(static_cast<size_t>(instances));
}

void PrepareNebula(EngineState& state, int type, int instance) {}

void PrepareUniverseNebula(EngineState& state, int type) {}

void AdvanceNebula(EngineState& state, int instance) {}

ColourParams NebulaStar(EngineState& state, int32_t star, int type, int instance) {
    const ColourParams cp = StandardStar(state, star, type, state.rt[type].armPhase);
    state.stars.velX[star] = 0;
    state.stars.velY[star] = 0;
    state.stars.velZ[star] = 0;
    return cp;
}

ShapePoint NebulaPoint(EngineState& state, int type) {
    return StandardPoint(state, type);
}

StandardSample NebulaNucleus(EngineState& state, int type, int instance, float& param) {
    param = 0;
    return StandardGenerate(state, type, state.rt[type].armPhase, state.rt[type].cometOrbit);
}

ShapePoint NebulaRibbonPoint(EngineState& state, int type, int instance, float param) {
    return ShapePoint{};
}

}  // namespace orrelume
