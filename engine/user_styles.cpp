// The user-defined styles.
//
// For now both are generated as standard galaxies; the user maps and the
// molecular structures come with the user-styles work.
#include "engine/user_styles.h"

#include "engine/engine_state.h"

namespace orrelume {

void PrepareUserStyles(EngineState& state) {}

bool HasUserMaps(const EngineState& state, int type) {
    return false;
}

void UserIfsStep(EngineState& state, int type, IfsInstance& point) {}

ColourParams MoleculeStar(EngineState& state, int32_t star, int type) {
    return StandardStar(state, star, type, state.rt[type].spinPhase);
}

ShapePoint MoleculePoint(EngineState& state, int type) {
    return StandardPoint(state, type);
}

std::string ElementProperty(int element, std::string_view name) {
    return {};
}

int StructurePoints(int structureType) {
    return StructurePointCount(static_cast<int16_t>(structureType));
}

StandardSample MoleculeNucleus(EngineState& state, int type) {
    return StandardGenerate(state, type, state.rt[type].armPhase, state.rt[type].cometOrbit);
}

}  // namespace orrelume
