#include "engine/galaxy_slots.h"

#include <algorithm>
#include <cmath>

#include "engine/engine_state.h"

namespace orrelume {

namespace {

int BoundType(int type) {
    return std::clamp(type, 0, kGalaxyTypeCount - 1);
}

}  // namespace

int ResolveCompositeMember(EngineState& state, int slot) {
    // Every slot from 50 up is a composite, flagged or not: a preset tour
    // galaxy may name a composite whose universe percentage is 0, and its
    // stars must still be stars of member types.
    if (!IsCompositeSlot(slot)) return BoundType(slot);
    const int c = slot - kFirstCompositeSlot;
    const CompositeGalaxy& comp = state.composites[c];
    const int count = std::clamp<int>(comp.count, 0, kMaxCompositeMembers);
    if (count == 0) return 0;
    const auto& weight = state.galaxySlots.memberWeight[c];
    const int32_t total = weight[count - 1];
    const double d = std::floor(static_cast<double>(state.rng.Next()) * total);
    for (int i = 0; i < count; ++i) {
        if (d < weight[i]) return BoundType(comp.members[i]);
    }
    return 0;
}

int SlotTypeOf(const EngineState& state, int slot) {
    if (!IsCompositeSlot(slot)) return BoundType(slot);
    const CompositeGalaxy& comp = state.composites[slot - kFirstCompositeSlot];
    if (comp.count <= 0) return 0;
    return BoundType(comp.members[0]);
}

int GalaxyTypeOf(const EngineState& state, int galaxy) {
    if (galaxy < 0 || galaxy >= state.galaxies.count) return 0;
    return SlotTypeOf(state, state.galaxies.typeSlot[galaxy]);
}

}  // namespace orrelume
