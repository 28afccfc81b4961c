#include "driver/store_settings_source.h"

namespace orrelume {

void StoreSettingsSource::LoadRecords(RunRecords& out) {
    store_.Refresh();
    out.universe = LoadUniverseSettings(store_);
    LoadGalaxyTypes(store_, out.types);
    LoadCompositeGalaxies(store_, out.composites);
}

AdvancedRunValues StoreSettingsSource::LoadAdvanced() {
    return ReadAdvancedRunValues(store_);
}

}  // namespace orrelume
