#include "dialogs/levels_form.h"

#include "settings/numeric.h"

namespace orrelume {

namespace {

using K = BoundKind;
using T = Typing;

constexpr std::array<LevelsFormField, kLevelsFieldCount> kFields = {{
    {"txtLevel_0", "Levels (1 - 10):", K::Int16, 1, 10, T::Digits, 2},
    {"txtLevel_1", "Radius Increment (1 - 30000):", K::Int32, 1, 30000, T::Digits, 5},
    {"txtLevel_2", "Height Multiplier (0.0 - 99.9):", K::Single, 0, 99.9, T::Decimal, 7},
    {"txtGalaxy_0", "Radius:", K::Int32, 1, 30000, T::Digits, 5},
    {"txtGalaxy_1", "Distance:", K::Int32, 1, 30000, T::Digits, 5},
}};

std::string Bounded(const std::string& text, size_t i) {
    const LevelsFormField& f = kFields[i];
    return BoundTextField(text, f.kind, f.lower, f.upper);
}

}  // namespace

std::span<const LevelsFormField, kLevelsFieldCount> LevelsFormFields() {
    return kFields;
}

LevelsFormValues ShowLevels(const GalaxyType& type) {
    LevelsFormValues v;
    v.texts = {Int16ToText(type.stdLevels), Int32ToText(type.stdLevDRad),
               SingleToText(type.stdLevHSca), Int32ToText(type.radius), Int32ToText(type.distance)};
    v.toggles = {type.stdLevBHS != 0, type.stdLevBA0 != 0, type.stdLevBA1 != 0};
    return v;
}

void TakeLevels(const LevelsFormValues& values, GalaxyType& type) {
    // Bounded texts always convert: they are whole numbers or singles
    // within their fields' ranges.
    type.stdLevels = static_cast<int16_t>(FieldInteger(Bounded(values.texts[0], 0)));
    type.stdLevDRad = FieldInteger(Bounded(values.texts[1], 1));
    type.stdLevHSca = static_cast<float>(Val(Bounded(values.texts[2], 2)));
    type.radius = FieldInteger(Bounded(values.texts[3], 3));
    type.distance = FieldInteger(Bounded(values.texts[4], 4));
    type.stdLevBHS = values.toggles[0] ? 1 : 0;
    type.stdLevBA0 = values.toggles[1] ? 1 : 0;
    type.stdLevBA1 = values.toggles[2] ? 1 : 0;
}

std::string LevelsCaption(const GalaxyType& type) {
    return "Galaxy Levels:  " + Trim(type.name);
}

std::string LevelsPreviewCaption(const GalaxyType& type) {
    return "Levels Preview - " + Trim(type.name);
}

}  // namespace orrelume
