#include "driver/settings_source.h"

namespace orrelume {

FixedSettingsSource::FixedSettingsSource() : FixedSettingsSource(DefaultSettingsSet()) {}

FixedSettingsSource::FixedSettingsSource(const SettingsSet& set, AdvancedRunValues advanced)
    : advanced(std::move(advanced)) {
    records.universe = set.universe;
    records.types = set.types;
    records.composites = set.composites;
}

}  // namespace orrelume
