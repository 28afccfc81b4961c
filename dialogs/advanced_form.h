// The advanced settings dialog without its widgets: which text field holds
// which value of section "Advanced", how each is typed, bounded and stepped,
// the values the controls show (from the store, or the factory values), what
// OK writes, and the effect-cycling group's refusal.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/store.h"
#include "ui/field_text.h"

namespace orrelume {

// The text fields are the array `txtAdv`; its indexes run up to 10.
inline constexpr int kAdvancedFieldSlots = 11;

// One field of `txtAdv`.
struct AdvancedFormField {
    int index;
    std::string_view caption;
    // The value's key in section "Advanced"; empty for the effect-cycling
    // group, which is not kept.
    std::string_view key;
    BoundKind kind;
    double lower, upper;
    Typing typing;
    // Arrow keys: a step of 0 means the field has none.
    int32_t arrowStep;
    // The spin button `spnAdv` with the same index: the field's maximum text
    // length, 0 when it has no spin button.
    int spinLength;
    // The text Defaults puts in the field; the effect group starts with it.
    std::string_view factoryText;
};

// The stored fields first, in the order the dialog shows them, then the
// effect-cycling group.
std::span<const AdvancedFormField> AdvancedFormFields();
inline const AdvancedFormField* FindAdvancedFormField(int index) {
    return FindFieldByIndex(AdvancedFormFields(), index);
}

// The four check boxes kept in the store, in the order the dialog shows them.
struct AdvancedCheck {
    std::string_view objectName;
    std::string_view caption;
    std::string_view key;
};
inline constexpr std::array<AdvancedCheck, 4> kAdvancedChecks = {{
    {"chkRandom", "Randomize Properties", "Adv_Randomize"},
    {"chkResize", "Window can be resized (application window only)", "Adv_WinResize"},
    {"chkMouseM", "Ignore mouse moves in screen saver mode", "Adv_MouseMove"},
    {"chkBackGr", "Display in background (double-click to stop)", "Adv_DispBackG"},
}};
// A check box's state as the toolkit numbers it: 0 clear, 1 checked,
// 2 grayed.
inline constexpr int kCheckGrayed = 2;

// What the controls of the dialog hold.
struct AdvancedFormValues {
    std::array<std::string, kAdvancedFieldSlots> texts;
    std::string fontName;
    std::string message;
    std::array<int, kAdvancedChecks.size()> checks{};
    // "Pixel size": 0 automatic, else 1..4 screen pixels a star.
    int pixelScale = 0;
};
inline constexpr std::string_view kPixelScaleKey = "Adv_PixelScale";

// The controls as the store's values show them. A field with a spin button
// holds no more characters than its length, so its value is shown bounded;
// the focal length is shown as stored. A check box shows a stored 1 as
// checked and 2 as grayed; anything else clears it.
AdvancedFormValues LoadAdvancedForm(const SettingsStore& store);
// The factory values (Defaults): font "Arial", no message, the factory
// numbers, every check box clear. The effect group keeps `current`'s texts.
AdvancedFormValues FactoryAdvancedForm(const AdvancedFormValues& current);
// OK: every stored field as its trimmed text, each check box as "1" when
// checked and "0" otherwise, the font name and the message, then one commit.
// The effect group is not written.
void WriteAdvancedForm(SettingsStore& store, const AdvancedFormValues& values);

// The effect boxes that OK examines (box 1 is not one of them).
inline constexpr std::array<int, 5> kExaminedEffects = {0, 2, 3, 4, 5};
inline constexpr int kEffectBoxes = 6;
// OK refuses when cycling is on and none of the examined effects is chosen.
bool CycleEffectsRefused(bool cycle, const std::array<bool, kEffectBoxes>& effects);
inline constexpr std::string_view kSelectEffectsMessage = "Please select one or more Effects.";

// The entry of the font list to select: the stored name when the list holds
// it (compared without regard to case), else the font the system would use
// in its place; -1 when neither is listed.
int FontEntryToSelect(const std::vector<std::string>& fonts, std::string_view stored,
                      std::string_view substitute);

}  // namespace orrelume
