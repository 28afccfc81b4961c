// What a galaxy is made of: its slot names a galaxy type (0..49) or a
// composite galaxy (50..65), whose stars take member types in proportion to
// the members' level counts.
#pragma once

#include <cstdint>

namespace orrelume {

struct EngineState;

inline bool IsCompositeSlot(int slot) {
    return slot >= 50 && slot < 66;
}

// A type slot yields itself; a composite slot one of its member types, drawn
// at random in proportion to the members' level counts (0 when it has none).
// The result is always a type 0..49.
int ResolveCompositeMember(EngineState& state, int slot);
// The type that stands for a galaxy as a whole: its own type, or the first
// member of its composite (0 when it has none).
int GalaxyTypeOf(const EngineState& state, int galaxy);
int SlotTypeOf(const EngineState& state, int slot);

}  // namespace orrelume
