// The starwave birth.
#include "engine/starwave.h"

#include <algorithm>
#include <cmath>

#include "engine/engine_state.h"
#include "engine/style_math.h"

namespace orrelume {

ColourParams StarwaveStar(EngineState& state, int32_t star, int type) {
    const GalaxyType& g = state.types[type];
    const TypeRuntime& rt = state.rt[type];
    Random& rng = state.rng;
    StarTable& st = state.stars;
    st.posX[star] = 0;
    st.posY[star] = 0;
    st.posZ[star] = 0;
    st.spinCos[star] = 1;
    st.spinSin[star] = 0;
    // One of the arms, spread over the first armFill part of its sector; the
    // arms turn with the galaxy's spin phase.
    const int arm = RandomIndex(rng, std::max<int>(1, g.radSegs));
    const double theta = arm * static_cast<double>(rt.armAngle) +
                         static_cast<double>(rng.Next()) * rt.armAngle * rt.armFill + rt.spinPhase;
    st.velX[star] = static_cast<float>(std::cos(theta) * rt.radiusCent);
    st.velZ[star] = static_cast<float>(std::sin(theta) * rt.radiusCent);
    // One of the interleaved waves, evenly spaced in phase.
    const int waves = std::max<int>(1, g.radBands);
    const int wave = RandomIndex(rng, waves);
    st.velY[star] = static_cast<float>(wave * static_cast<double>(kTwoPi) / waves);
    return {};
}

}  // namespace orrelume
