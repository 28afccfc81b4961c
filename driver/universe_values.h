// The universe values of a run: the tour galaxy list parsed from its text,
// the reduction of the display-settings preview, and the bounds and scales
// every value gets when a universe loop starts.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/run_values.h"
#include "settings/records.h"

namespace orrelume {

// Parses "Universe_GS_Idx" ("1 2 4 6 9") into zero-based slots 0..65: each
// blank-separated numeric token above 0 and not above 66, rounded, minus 1,
// while the list has room (`capacity`). A token that rounds to 0 names no
// slot and is dropped.
void ParseTourGalaxyList(std::string_view text, std::vector<int16_t>& list, size_t capacity);

// The display-settings preview runs with 65 % of the stars and half the
// ambient stars.
void ReduceUniverseSettings(UniverseSettings& universe);

// Bounds and scales the stored values for a run.
RunValues NormaliseUniverseValues(const UniverseSettings& universe);

}  // namespace orrelume
