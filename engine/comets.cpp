// Comets of the visited galaxy.
//
// For now the pool is reset and counted but no comet launches; launching,
// emitting and the hue drift come with the comets work.
#include "engine/comets.h"

#include <algorithm>

#include "engine/engine_state.h"

namespace orrelume {

void ResetComets(EngineState& state, bool erase, int type) {
    CometPool& pool = state.comets.pool;
    if (erase) {
        for (int i = 0; i < kCometSlots; ++i) {
            if (pool.pAlive[i]) state.canvas.Plot(pool.pScreenX[i], pool.pScreenY[i], 0);
        }
    }
    pool.pAlive.fill(false);
    CometSet& set = state.comets.set;
    set = CometSet{};
    const int t = std::clamp(type, 0, kGalaxyTypeCount - 1);
    const int perComet = std::max<int>(1, state.types[t].cometStars);
    set.cometCount = static_cast<int16_t>(std::min(kCometSlots / perComet, kMaxComets));
}

void UpdateComets(EngineState& state, float camX, float camY, float camZ, int galaxy, int type,
                  int tourStep) {}

void CometHueDrift(EngineState& state) {}

}  // namespace orrelume
