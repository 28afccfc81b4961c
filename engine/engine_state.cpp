#include "engine/engine_state.h"

namespace orrelume {

void StarTable::Allocate(int32_t stars, int32_t trailLength) {
    count = stars;
    trail = trailLength;
    const size_t n = static_cast<size_t>(stars);
    for (auto* v : {&posX, &posY, &posZ, &velX, &velY, &velZ, &spinCos, &spinSin, &hue, &flareScale,
                    &flareDepth, &spriteX, &spriteY, &spriteDepth}) {
        v->assign(n, 0.0f);
    }
    for (auto* v : {&level, &typeIndex, &galaxyIndex, &trailFade, &newFrames, &novaFrames,
                    &pulsarFrames, &phaseFrames}) {
        v->assign(n, int16_t{0});
    }
    for (auto* v : {&age, &flareScreenX, &flareScreenY})
        v->assign(n, 0);
    color.assign(n, 0u);
    const size_t entries = n * static_cast<size_t>(trailLength);
    screenX.assign(entries, 0);
    screenY.assign(entries, 0);
}

void GalaxyInstances::Allocate(int32_t galaxies) {
    count = galaxies;
    const size_t n = static_cast<size_t>(galaxies);
    typeSlot.assign(n, int16_t{0});
    for (auto* v : {&camX, &camY, &camZ, &posX, &posY, &posZ, &velX, &velY, &velZ}) {
        v->assign(n, 0.0f);
    }
}

EngineState::EngineState() {
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot)
        types[slot] = DefaultGalaxyType(slot);
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot) {
        composites[slot] = DefaultCompositeGalaxy(slot);
    }
}

void BuildColourTables(EngineState& state, int universeHueFrom, int universeHueTo) {
    BuildHueTables(state.hues, state.types);
    BuildUniverseRamp(state.universeRamp, universeHueFrom, universeHueTo);
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        BuildFlareRamp(state.flareRamp[t], state.types[t].hwcStart, state.types[t].hwcEnd);
    }
}

}  // namespace orrelume
