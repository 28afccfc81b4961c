// Loading and saving the whole set the properties dialog edits.
#include "settings/records.h"

namespace orrelume {

SettingsSet LoadAllSettings(const SettingsStore& store, int16_t root) {
    SettingsSet set;
    set.universe = LoadUniverseSettings(store, root);
    LoadGalaxyTypes(store, set.types, root);
    LoadCompositeGalaxies(store, set.composites, root);
    return set;
}

bool SaveAllSettings(SettingsStore& store, SettingsSet& set,
                     const std::vector<std::pair<std::string, std::string>>* advanced) {
    // A store that cannot be written is found before anything of the set is
    // written, so it never holds half a save. The write test commits what is
    // pending: values of this save are written only after it.
    if (!store.CheckSettingsWritable()) return false;
    if (advanced != nullptr) {
        for (const auto& [key, text] : *advanced)
            store.WriteSetting(kAdvancedSection, key, text);
    }
    store.WriteSetting("General", "AnimationType", int16_t{0});
    SaveUniverseSettings(store, set.universe);
    SaveGalaxyTypes(store, set.types);
    SaveCompositeGalaxies(store, set.composites);
    // One commit for the whole set: the store then holds the old set or the
    // new one, never a mixture.
    return store.Flush();
}

}  // namespace orrelume
