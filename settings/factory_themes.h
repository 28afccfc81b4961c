// The factory themes: two sets of 50 galaxy types, sixteen composite presets
// per set and eight universe themes, each kept as a row of comma-separated
// text, and the functions that apply them to the records.
//
// Set 0 is the 4.x set (50 types covering every style), set 1 the 2.0 set
// (32 standard-style types; its slots 32..49 repeat its first row, named
// "Undefined" with weight 0).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/records.h"

namespace orrelume {

// Which factory set a reset or a preset applies.
enum PresetSet : int {
    kPresetSet4x = 0,
    kPresetSet20 = 1,
};
inline constexpr int kPresetSetCount = 2;
inline constexpr int kUniverseThemeCount = 8;

// Field `index` (0-based) of a comma-separated row: the text between the
// index-th and the next comma (or the end of the row), blanks trimmed. A field
// past the end is empty.
std::string CommaField(std::string_view row, int index);

// The name and universe weight a preset gives galaxy type `slot` (0..49) of
// `set`; empty text and 0 for anything else.
std::string_view GalaxyPresetName(int set, int slot);
int16_t GalaxyPresetWeight(int set, int slot);
// The style each preset of a set uses (the value its row holds in field 3).
int16_t GalaxyPresetStyle(int set, int slot);

// The row of preset `row` (1..50) of `set`; empty text for any other set or
// row.
std::string_view GalaxyPresetRow(int set, int row);

// Fills `type` from row slot + 1 of `set` and from the name and weight tables.
// Nothing is clamped (the type is validated when it is next saved); the five
// level values are taken only when the row has more than one level, and
// points or atoms only for the user-defined styles. False, changing nothing,
// for a set or slot that does not exist.
bool ApplyGalaxyPreset(int set, int slot, GalaxyType& type);

// The universe themes, 1..8. Theme 1 has a second row used for a reset to
// the 2.0 set. Empty text for any other theme.
std::string_view UniverseThemeName(int theme);
std::string_view UniverseThemeRow(int theme, bool use20Variant);
// The universe values with a theme applied over `base`; "Universe_C_Ramp" is
// not part of a theme and keeps its value. Nothing for a theme outside 1..8.
std::optional<UniverseSettings> UniverseThemeValues(int theme, bool use20Variant,
                                                    const UniverseSettings& base);

// Composite preset `row` (1..16) of `set`: name, weight, member count, then
// the members (type slots). Empty text for any other set or row.
std::string_view CompositePresetRow(int set, int row);
// Applies preset row slot + 1 of `set` to each composite slot. Nothing
// changes for a set that does not exist.
void ApplyCompositePresets(int set, CompositeTable& composites);

// A whole set as a factory reset leaves it: the 50 presets applied over
// default types, the 16 composite presets, and universe theme 1 (the 2.0
// variant for set 1). In memory only.
SettingsSet FactorySettingsSet(int set = kPresetSet4x);

// While "AnimationType" is absent from "General" (settings were never
// stored), stores the 4.x galaxy types and composites, committed with one
// flush; the universe and advanced values are left to their defaults and
// "AnimationType" stays absent. True when it stored them.
bool InstallFactoryTypesIfNeeded(SettingsStore& store);

// Whether the user's store holds "AnimationType" (settings have been stored).
bool StoredSettingsExist(const SettingsStore& store);

}  // namespace orrelume
