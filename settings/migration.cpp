// Settings that an earlier version kept for the whole machine are copied to
// the current user once.
#include "settings/records.h"

namespace orrelume {

namespace {

void CopyText(SettingsStore& store, std::string_view section, std::string_view name,
              std::string_view defaultValue) {
    store.WriteSetting(section, name,
                       store.ReadSettingText(section, name, defaultValue, kMachineRoot));
}

void CopyInt16(SettingsStore& store, std::string_view section, std::string_view name,
               int16_t defaultValue) {
    store.WriteSetting(section, name,
                       store.ReadSettingInt16(section, name, defaultValue, kMachineRoot));
}

}  // namespace

void MigrateMachineSettings(SettingsStore& store) {
    const int16_t machine = store.ReadSettingInt16("General", "AnimationType", -1, kMachineRoot);
    const int16_t user = store.ReadSettingInt16("General", "AnimationType", -1, kUserRoot);
    // Nothing to migrate, or the user's settings already exist (perhaps from
    // an earlier migration).
    if (machine == -1 || user != -1) return;

    CopyInt16(store, "General\\Main", "WindowState", 0);
    CopyText(store, "General\\Main", "WindowSize", "");

    // Each value keeps the type it is read with elsewhere; the switches are
    // texts.
    const std::string_view adv = kAdvancedSection;
    store.WriteSetting(adv, "FocalLength",
                       store.ReadSettingSingle(adv, "FocalLength", 1.0f, kMachineRoot));
    store.WriteSetting(adv, "Adv_TimeDelay",
                       store.ReadSettingInt32(adv, "Adv_TimeDelay", 40, kMachineRoot));
    CopyText(store, adv, "Adv_FontName", "Arial");
    CopyInt16(store, adv, "Adv_FontSize", 20);
    CopyInt16(store, adv, "Adv_FontHueV", 180);
    CopyText(store, adv, "LockMessage", "");
    CopyText(store, adv, "Adv_MouseMove", "0");
    CopyText(store, adv, "Adv_DispBackG", "0");
    CopyText(store, adv, "Adv_WinResize", "0");

    SaveUniverseSettings(store, LoadUniverseSettings(store, kMachineRoot));

    GalaxyTypeTable types;
    LoadGalaxyTypes(store, types, kMachineRoot);
    SaveGalaxyTypes(store, types);
    CompositeTable composites;
    LoadCompositeGalaxies(store, composites, kMachineRoot);
    SaveCompositeGalaxies(store, composites);

    // From now on the user's root holds settings and the migration is done.
    store.WriteSetting("General", "AnimationType", int16_t{0});
    store.Flush();
}

}  // namespace orrelume
