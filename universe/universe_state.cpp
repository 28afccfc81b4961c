#include "universe/universe_state.h"

#include <algorithm>
#include <cmath>

#include "settings/numeric.h"

namespace orrelume {

void AllocateRun(UniverseState& universe) {
    EngineState& e = universe.engine;
    const RunValues& v = e.values;
    e.stars.Allocate(v.stars, v.trail);
    e.galaxies.Allocate(v.galaxies);
    e.trailSlot = 0;
    SizeIfs(e, v.galaxies);
    SizeNebula(e, v.galaxies);
    AllocateAmbientStars(universe, v.amStar);

    CreationScratch& sc = universe.scratch;
    const size_t n = static_cast<size_t>(v.stars);
    for (auto* a : {&sc.posX, &sc.posY, &sc.posZ, &sc.velX, &sc.velY, &sc.velZ}) {
        a->assign(n, 0.0f);
    }
    sc.state.assign(n, ParticleState::Free);
    sc.counter.assign(n, int16_t{0});
    const size_t g = static_cast<size_t>(v.galaxies);
    for (auto* a : {&sc.galaxyVelX, &sc.galaxyVelY, &sc.galaxyVelZ})
        a->assign(g, 0.0f);
    BuildAmbientFlareRamp(universe);
}

void BuildAmbientFlareRamp(UniverseState& universe) {
    const int32_t frames = std::max(0, universe.engine.values.amFrames);
    std::vector<uint32_t>& ramp = universe.ambientFlareRamp;
    ramp.assign(static_cast<size_t>(frames) + 1, 0u);
    ramp[0] = Rgb(255, 255, 255);
    for (int32_t k = 0; k < frames; ++k) {
        const double angle = k * static_cast<double>(kPi) / (2.0 * frames);
        const auto level = Nearest(std::cos(angle) * 167.0 + 88.0);
        const uint32_t l = level ? static_cast<uint32_t>(std::clamp(*level, 0, 255)) : 0;
        ramp[static_cast<size_t>(k) + 1] = Rgb(l, l, l);
    }
}

}  // namespace orrelume
