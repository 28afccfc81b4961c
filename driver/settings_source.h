// Where a run takes its settings from: the user's store for the saver and
// the windows, the values held by the properties dialog for its previews,
// built-in records for tools and tests.
#pragma once

#include "settings/records.h"

namespace orrelume {

struct RunRecords {
    UniverseSettings universe;
    GalaxyTypeTable types;
    CompositeTable composites;
};

class SettingsSource {
  public:
    virtual ~SettingsSource() = default;
    // The universe values, the 50 galaxy types and the 16 composites.
    virtual void LoadRecords(RunRecords& out) = 0;
    // The advanced values as a run uses them (bounded).
    virtual AdvancedRunValues LoadAdvanced() = 0;
};

// A source that hands out records held in memory.
class FixedSettingsSource : public SettingsSource {
  public:
    FixedSettingsSource();
    explicit FixedSettingsSource(const SettingsSet& set, AdvancedRunValues advanced = {});
    void LoadRecords(RunRecords& out) override { out = records; }
    AdvancedRunValues LoadAdvanced() override { return advanced; }

    RunRecords records;
    AdvancedRunValues advanced;
};

}  // namespace orrelume
