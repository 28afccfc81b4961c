// The iterated-function-system styles.
//
// For now these styles are generated as standard galaxies; their maps come
// with the IFS work.
#include "engine/ifs.h"

#include "engine/engine_state.h"

namespace orrelume {

void SizeIfs(EngineState& state, int32_t instances) {
    state.ifs.instances.resize(static_cast<size_t>(instances));
}

void PrepareIfs(EngineState& state, int type, int instance) {}

void PrepareUniverseIfs(EngineState& state, int type) {}

ColourParams IfsStar(EngineState& state, int32_t star, int type, int instance) {
    return StandardStar(state, star, type, state.rt[type].armPhase);
}

ShapePoint UniverseIfsPoint(EngineState& state, int type) {
    return StandardPoint(state, type);
}

StandardSample IfsNucleus(EngineState& state, int type, int instance) {
    return StandardGenerate(state, type, state.rt[type].armPhase, state.rt[type].cometOrbit);
}

}  // namespace orrelume
