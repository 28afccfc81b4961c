#include "support/template_sets.h"

#include <algorithm>

namespace orrelume::testing {

SettingsSet StoredForm(SettingsSet set) {
    for (GalaxyType& type : set.types) {
        const int points = std::clamp<int>(type.ifsCount, 0, kMaxIfsPoints);
        std::fill(type.ifsPoints.begin() + points, type.ifsPoints.end(), IfsPoint{});
        if (points == 0) type.ifsCenterX = type.ifsCenterY = type.ifsCenterZ = 0;
        const int atoms = std::clamp<int>(type.atomCount, 0, kMaxAtoms);
        std::fill(type.atoms.begin() + atoms, type.atoms.end(), AtomEntry{});
        if (atoms == 0) type.atomCenterX = type.atomCenterY = type.atomCenterZ = 0;
    }
    for (CompositeGalaxy& composite : set.composites) {
        const int count = std::clamp<int>(composite.count, 0, kCompositeMemberCapacity);
        std::fill(composite.members.begin() + count, composite.members.end(), int16_t{0});
    }
    return set;
}

bool SameStoredSet(const SettingsSet& a, const SettingsSet& b) {
    const SettingsSet x = StoredForm(a), y = StoredForm(b);
    return x.universe == y.universe && x.types == y.types && x.composites == y.composites;
}

}  // namespace orrelume::testing
