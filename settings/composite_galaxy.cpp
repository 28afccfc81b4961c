// Composite galaxies: validation and how they are read from and written to
// the settings store.
#include <algorithm>

#include "settings/records.h"

namespace orrelume {

namespace {

std::string MemberKey(int index) {
    return "CompGal_Type" + std::to_string(index);
}

}  // namespace

void ValidateCompositeGalaxy(CompositeGalaxy& composite) {
    composite.weight = ClampInt16(composite.weight, 0, 9999);
    composite.count = ClampInt16(composite.count, 0, kMaxCompositeMembers);
    for (int i = 0; i < composite.count; ++i)
        composite.members[i] = ClampInt16(composite.members[i], 0, kGalaxyTypeCount - 1);
}

void LoadCompositeGalaxies(const SettingsStore& store, CompositeTable& composites, int16_t root) {
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot) {
        const std::string section = CompositeSection(slot);
        CompositeGalaxy composite = DefaultCompositeGalaxy(slot);
        composite.name = store.ReadSettingText(section, "_CompGalName", composite.name, root);
        composite.weight = store.ReadSettingInt16(section, "_CompGalPct", 0, root);
        // A count beyond the record is bounded before any member is read.
        composite.count = ClampInt16(store.ReadSettingInt16(section, "CompGal_Count", 0, root), 0,
                                     kMaxCompositeMembers);
        for (int i = 0; i < composite.count; ++i)
            composite.members[i] = store.ReadSettingInt16(section, MemberKey(i), 0, root);
        ValidateCompositeGalaxy(composite);
        composites[slot] = std::move(composite);
    }
}

void SaveCompositeGalaxies(SettingsStore& store, const CompositeTable& composites) {
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot) {
        const std::string section = CompositeSection(slot);
        const CompositeGalaxy& composite = composites[slot];
        store.WriteSetting(section, "_CompGalName", composite.name);
        store.WriteSetting(section, "_CompGalPct", composite.weight);
        store.WriteSetting(section, "CompGal_Count", composite.count);
        // Members beyond the count stay stored but are never read: reading
        // stops at the count.
        const int count = std::clamp<int>(composite.count, 0, kCompositeMemberCapacity);
        for (int i = 0; i < count; ++i)
            store.WriteSetting(section, MemberKey(i), composite.members[i]);
    }
}

}  // namespace orrelume
