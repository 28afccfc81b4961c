// Comparing settings as the store would hold them.
#pragma once

#include "settings/records.h"

namespace orrelume::testing {

// The set as saving and loading it again would give it: points, atoms and
// members beyond their counts, and the centre of an empty list, read as 0.
SettingsSet StoredForm(SettingsSet set);
bool SameStoredSet(const SettingsSet& a, const SettingsSet& b);

}  // namespace orrelume::testing
