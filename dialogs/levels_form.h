// The galaxy levels dialog without its widgets: its five fields and three
// check boxes, the values they show for a galaxy type and how they are
// taken back into it.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "settings/records.h"
#include "ui/field_text.h"

namespace orrelume {

// One text field: `txtLevel` 0..2 or `txtGalaxy` 0..1.
struct LevelsFormField {
    std::string_view objectName;
    std::string_view caption;
    BoundKind kind;
    double lower, upper;
    Typing typing;
    // Characters the field takes (room for its largest value).
    int characters;
};
inline constexpr int kLevelsFieldCount = 5;
// In the order the dialog shows them: the three level fields, then radius
// and distance.
std::span<const LevelsFormField, kLevelsFieldCount> LevelsFormFields();

// The three level options, `chkToggle` 0..2.
inline constexpr std::array<std::string_view, 3> kLevelToggleCaptions = {
    "Scale Height to Radius?",
    "Interleave Tilt Angles?",
    "Dampen Tilt Angles?",
};

struct LevelsFormValues {
    std::array<std::string, kLevelsFieldCount> texts;
    std::array<bool, 3> toggles{};
};

LevelsFormValues ShowLevels(const GalaxyType& type);
// Each field bounded as leaving it would, and each option, into the type.
void TakeLevels(const LevelsFormValues& values, GalaxyType& type);

// "Galaxy Levels:  " and the type's name; "Levels Preview - " and the name.
std::string LevelsCaption(const GalaxyType& type);
std::string LevelsPreviewCaption(const GalaxyType& type);

}  // namespace orrelume
