// The values of section "Advanced": reading, writing, the factory values and
// the bounds a run applies.
#include <algorithm>

#include "settings/numeric.h"
#include "settings/records.h"

namespace orrelume {

namespace {

constexpr std::string_view kSection = kAdvancedSection;
// The message drawn over the animation is kept to this many characters.
constexpr size_t kLockMessageLength = 100;

}  // namespace

AdvancedSettings LoadAdvancedSettings(const SettingsStore& store, int16_t root) {
    const AdvancedSettings defaults;
    AdvancedSettings a;
    a.timeDelay = store.ReadSettingInt32(kSection, "Adv_TimeDelay", defaults.timeDelay, root);
    a.focalLength = store.ReadSettingSingle(kSection, "FocalLength", defaults.focalLength, root);
    a.fontSize = store.ReadSettingInt16(kSection, "Adv_FontSize", defaults.fontSize, root);
    a.fontHueV = store.ReadSettingInt16(kSection, "Adv_FontHueV", defaults.fontHueV, root);
    a.fontName = store.ReadSettingText(kSection, "Adv_FontName", defaults.fontName, root);
    a.lockMessage = store.ReadSettingText(kSection, "LockMessage", defaults.lockMessage, root);
    a.randomize = store.ReadSettingText(kSection, "Adv_Randomize", defaults.randomize, root);
    a.randomMag = store.ReadSettingText(kSection, "Adv_RandomMag", defaults.randomMag, root);
    a.randomExp = store.ReadSettingText(kSection, "Adv_RandomExp", defaults.randomExp, root);
    a.winResize = store.ReadSettingText(kSection, "Adv_WinResize", defaults.winResize, root);
    a.mouseMove = store.ReadSettingText(kSection, "Adv_MouseMove", defaults.mouseMove, root);
    a.dispBackG = store.ReadSettingText(kSection, "Adv_DispBackG", defaults.dispBackG, root);
    a.pixelScale = store.ReadSettingInt16(kSection, "Adv_PixelScale", defaults.pixelScale, root);
    return a;
}

void SaveAdvancedSettings(SettingsStore& store, const AdvancedSettings& a) {
    store.WriteSetting(kSection, "Adv_TimeDelay", a.timeDelay);
    store.WriteSetting(kSection, "FocalLength", a.focalLength);
    store.WriteSetting(kSection, "Adv_FontSize", a.fontSize);
    store.WriteSetting(kSection, "Adv_FontHueV", a.fontHueV);
    store.WriteSetting(kSection, "Adv_FontName", a.fontName);
    store.WriteSetting(kSection, "LockMessage", a.lockMessage);
    store.WriteSetting(kSection, "Adv_Randomize", a.randomize);
    store.WriteSetting(kSection, "Adv_RandomMag", a.randomMag);
    store.WriteSetting(kSection, "Adv_RandomExp", a.randomExp);
    store.WriteSetting(kSection, "Adv_WinResize", a.winResize);
    store.WriteSetting(kSection, "Adv_MouseMove", a.mouseMove);
    store.WriteSetting(kSection, "Adv_DispBackG", a.dispBackG);
    store.WriteSetting(kSection, "Adv_PixelScale", a.pixelScale);
}

std::vector<std::pair<std::string, std::string>> FactoryAdvancedTexts() {
    return {
        {"Adv_TimeDelay", "40"},   {"FocalLength", "1.0"}, {"LockMessage", ""},
        {"Adv_FontName", "Arial"}, {"Adv_FontSize", "20"}, {"Adv_FontHueV", "180"},
        {"Adv_WinResize", "0"},    {"Adv_MouseMove", "0"}, {"Adv_DispBackG", "0"},
        {"Adv_Randomize", "0"},    {"Adv_RandomMag", "5"}, {"Adv_RandomExp", "2"},
    };
}

AdvancedRunValues BoundAdvancedValues(const AdvancedSettings& a) {
    AdvancedRunValues r;
    r.frameDelay = a.timeDelay;
    r.focalLength = ClampSingle(a.focalLength, 0.01f, 10.0f);
    r.fontSize = ClampInt16(a.fontSize, 10, 80);
    r.fontHue = ClampInt16(a.fontHueV, 0, 359);
    r.fontName = Trim(a.fontName).empty() ? std::string("MS Sans Serif") : a.fontName;
    r.lockMessage = LeftCharacters(Trim(a.lockMessage), kLockMessageLength);
    r.randomize = a.randomize == "1";
    r.randomMag = Val(a.randomMag);
    r.randomExp = Val(a.randomExp);
    r.winResize = a.winResize == "1";
    r.mouseMove = a.mouseMove == "1";
    r.dispBackG = a.dispBackG == "1";
    r.pixelScale = BoundPixelScale(a.pixelScale);
    return r;
}

int16_t BoundPixelScale(int32_t stored) {
    return stored >= 1 && stored <= kMaxPixelScale ? static_cast<int16_t>(stored) : int16_t{0};
}

int32_t EffectivePixelScale(int16_t setting, double devicePixelRatio) {
    const int16_t bounded = BoundPixelScale(setting);
    if (bounded > 0) return bounded;
    if (!(devicePixelRatio >= 1.0)) return 1;
    const auto rounded = CInt(std::min(devicePixelRatio, static_cast<double>(kMaxPixelScale)));
    return rounded ? std::clamp<int32_t>(*rounded, 1, kMaxPixelScale) : 1;
}

AdvancedRunValues ReadAdvancedRunValues(const SettingsStore& store) {
    return BoundAdvancedValues(LoadAdvancedSettings(store));
}

}  // namespace orrelume
