// The settings of a run read from a settings store, as the saver and the
// program windows read them: the store is re-read first, so a run that
// starts again sees what the properties dialog saved in the meantime.
#pragma once

#include "driver/settings_source.h"
#include "settings/store.h"

namespace orrelume {

class StoreSettingsSource : public SettingsSource {
  public:
    explicit StoreSettingsSource(SettingsStore& store) : store_(store) {}
    void LoadRecords(RunRecords& out) override;
    AdvancedRunValues LoadAdvanced() override;

  private:
    SettingsStore& store_;
};

}  // namespace orrelume
