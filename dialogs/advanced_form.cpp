#include "dialogs/advanced_form.h"

#include <algorithm>

#include "settings/numeric.h"
#include "settings/records.h"

namespace orrelume {

namespace {

using K = BoundKind;
using T = Typing;

constexpr AdvancedFormField kFields[] = {
    {0, "Frame Delay in Milliseconds (0 - 999):", "Adv_TimeDelay", K::Int16, 0, 999, T::Digits, 10,
     3, "40"},
    {1, "Focal Length (0.01 - 10.0):", "FocalLength", K::Single, 0.01, 10, T::Decimal, 0, 0, "1.0"},
    {2, "Font Size (10 - 80):", "Adv_FontSize", K::Int16, 10, 80, T::Digits, 1, 2, "20"},
    {3, "Font Hue (0 - 359):", "Adv_FontHueV", K::Int16, 0, 359, T::Digits, 5, 3, "180"},
    {9, "Randomization Magnitude (1 - 100):", "Adv_RandomMag", K::Int16, 1, 100, T::Digits, 1, 3,
     "5"},
    {10, "Randomization Exponent (1 - 100):", "Adv_RandomExp", K::Int16, 1, 100, T::Digits, 1, 3,
     "2"},
    {4, "Effect Duration (100 - 30000):", "", K::Int16, 100, 30000, T::Digits, 100, 0, "3000"},
    {5, "Effect Speed (0.1 - 9.9):", "", K::Single, 0.1, 9.9, T::Decimal, 0, 0, "1.0"},
    {6, "Transition Duration (100 - 30000):", "", K::Int16, 100, 30000, T::Digits, 100, 0, "1000"},
    {7, "Transition Speed (0.1 - 9.9):", "", K::Single, 0.1, 9.9, T::Decimal, 0, 0, "1.0"},
    {8, "Transition Hue (0 - 359):", "", K::Int16, 0, 359, T::Digits, 5, 0, "180"},
};

constexpr std::string_view kFontKey = "Adv_FontName";
constexpr std::string_view kMessageKey = "LockMessage";

}  // namespace

std::span<const AdvancedFormField> AdvancedFormFields() {
    return kFields;
}

AdvancedFormValues LoadAdvancedForm(const SettingsStore& store) {
    AdvancedFormValues v;
    for (const AdvancedFormField& f : kFields) {
        if (f.key.empty()) {
            v.texts[static_cast<size_t>(f.index)] = std::string(f.factoryText);
            continue;
        }
        std::string text = store.ReadSettingText(kAdvancedSection, f.key, f.factoryText);
        if (f.spinLength > 0) text = BoundTextField(text, f.kind, f.lower, f.upper);
        v.texts[static_cast<size_t>(f.index)] = std::move(text);
    }
    const AdvancedSettings defaults;
    v.fontName = store.ReadSettingText(kAdvancedSection, kFontKey, defaults.fontName);
    v.message = store.ReadSettingText(kAdvancedSection, kMessageKey, "");
    for (size_t i = 0; i < kAdvancedChecks.size(); ++i) {
        const int16_t state = store.ReadSettingInt16(kAdvancedSection, kAdvancedChecks[i].key, 0);
        v.checks[i] = state == 1 || state == kCheckGrayed ? state : 0;
    }
    v.pixelScale = BoundPixelScale(store.ReadSettingInt16(kAdvancedSection, kPixelScaleKey, 0));
    return v;
}

AdvancedFormValues FactoryAdvancedForm(const AdvancedFormValues& current) {
    AdvancedFormValues v = current;
    for (const AdvancedFormField& f : kFields) {
        if (!f.key.empty()) v.texts[static_cast<size_t>(f.index)] = std::string(f.factoryText);
    }
    v.fontName = AdvancedSettings{}.fontName;
    v.message.clear();
    v.checks.fill(0);
    v.pixelScale = 0;
    return v;
}

void WriteAdvancedForm(SettingsStore& store, const AdvancedFormValues& values) {
    for (const AdvancedFormField& f : kFields) {
        if (f.key.empty()) continue;
        store.WriteSetting(kAdvancedSection, f.key,
                           Trim(values.texts[static_cast<size_t>(f.index)]));
    }
    for (size_t i = 0; i < kAdvancedChecks.size(); ++i)
        store.WriteSetting(kAdvancedSection, kAdvancedChecks[i].key,
                           values.checks[i] == 1 ? "1" : "0");
    store.WriteSetting(kAdvancedSection, kFontKey, values.fontName);
    store.WriteSetting(kAdvancedSection, kMessageKey, values.message);
    store.WriteSetting(kAdvancedSection, kPixelScaleKey,
                       std::to_string(BoundPixelScale(values.pixelScale)));
    store.Flush();
}

bool CycleEffectsRefused(bool cycle, const std::array<bool, kEffectBoxes>& effects) {
    if (!cycle) return false;
    return std::none_of(kExaminedEffects.begin(), kExaminedEffects.end(),
                        [&](int i) { return effects[static_cast<size_t>(i)]; });
}

int FontEntryToSelect(const std::vector<std::string>& fonts, std::string_view stored,
                      std::string_view substitute) {
    for (std::string_view wanted : {stored, substitute}) {
        if (Trim(wanted).empty()) continue;
        for (size_t i = 0; i < fonts.size(); ++i) {
            if (EqualsIgnoreCase(fonts[i], wanted)) return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace orrelume
