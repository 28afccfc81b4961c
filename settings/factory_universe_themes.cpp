// The factory universe themes and composite presets, and the factory set as a
// whole: what a reset leaves and what a first start stores.
#include <algorithm>
#include <array>
#include <type_traits>

#include "settings/factory_themes.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

struct UniverseTheme {
    std::string_view name;
    std::string_view row;
};

// Fields 0..27 as listed; field 28 ("Universe_GS_Idx") is empty in every
// theme, so each row ends with a comma and nothing after it.
const std::array<UniverseTheme, kUniverseThemeCount> kUniverseThemes = {{
    {"Classical (14.3 Billion Years Ago...)",
     "5000, 100, 1, 2500, 300, 0.99, 0.01, 165, 210, 20, 51, 1250, 85, 160, 2, 3, 4000, 1, 0, 0, "
     "1, 300, 0.998, 0.1, 30, 1000, 0, 1, "},
    {"Stylized:  Neon / Warp Speed",
     "3500, 60, 20, 2500, 300, 0.98, 0.02, 240, 120, 20, 50, 600, 50, 100, 2, 4, 3200, 1, 0, 0, "
     "0, 200, 0.995, 0.3, 15, 1000, 0, 1, "},
    {"Sparce Space:  Long Distance Trips",
     "4000, 100, 1, 4000, 500, 0.9925, 0.001, 300, 240, 20, 51, 1000, 90, 250, 1, 4, 75000, 1, 0, "
     "0, 0, 400, 0.999, 0.07, 20, 4000, 0, 1, "},
    {"Morphing Galaxies at Universe Core",
     "3500, 48, 2, 0, 0, 0.99, 0.04, 60, 0, 32, 0, 500, 100, 300, 3, 0, 2500, 1, 1, 0, 0, 1, "
     "0.99, 0.5, 10, 25, 0, 1, "},
    {"Trans-Galactic Tour in Fly-By Mode",
     "4500, 50, 1, 2000, 300, 0.99, 0.0125, 165, 210, 20, 51, 1250, 80, 160, 2, 2, 4000, 1, 0, 0, "
     "0, 300, 0.998, 0.1, 30, 1000, 0, 1, "},
    {"Extended Shell Universe / Mega Galaxies",
     "4000, 300, 1, 6000, 300, 0.99, 0.002, 120, 240, 20, 50, 750, 75, 250, 1, 4, 16000, 1, 0, 0, "
     "0, 300, 0.999, 0.05, 20, 5000, 0, 1, "},
    {"Rollercoaster Ride Through the Cosmos",
     "4000, 60, 2, 1250, 250, 0.99, 0.002, 120, 60, 32, 50, 500, 50, 75, 1, 1, 4000, 1, 0, 0, 0, "
     "300, 0.998, 0.1, 50, 6000, 0, 1, "},
    {"Galaxies in Motion:  Gravity On",
     "4000, 20, 1, 3500, 300, 0.99, 0.05, 360, 240, 20, 0, 2000, 0, 300, 1, 0, 8000, 0, 0, 0, 0, "
     "200, 0.999, 0.07, 50, 1000, 125000, 1, "},
}};
// Theme 1 as the 2.0 set had it.
constexpr std::string_view kClassical20Row =
    "2500, 100, 2, 3000, 300, 0.985, 0.015, 180, 225, 30, 0, 400, 70, 250, 1, 4, 15000, 1, 0, 0, "
    "0, 200, 0.999, 0.07, 40, 3000, 0, 1, ";

// The key each theme field fills; field 20 is not used.
constexpr std::array<std::string_view, 29> kThemeKeys = {
    "Universe_Stars",      "Universe_Galaxy",   "Universe_STrail",
    "Universe_Expand",     "Universe_ESteps",   "Universe_Persist",
    "Universe_Damping",    "Universe_HW_Start", "Universe_HW_End",
    "Universe_Recycle",    "Universe_Profile",  "Universe_NewFreq",
    "Universe_NewPctStEx", "Universe_GSteps",   "Universe_GPCtrl",
    "Universe_GCCtrl",     "Universe_DstCen",   "Universe_Tour",
    "Universe_GVisit",     "Universe_RotCam",   "",
    "Universe_AmStar",     "Universe_AmPers",   "Universe_AmCAge",
    "Universe_AmFrames",   "Universe_AmMaxExt", "Universe_GravForce",
    "Universe_GravFrame",  "Universe_GS_Idx",
};

// Composite presets: name, weight, count, members. The last row of the 2.0
// set has no trailing comma; the count says how many members to read.
const std::array<std::string_view, kCompositeGalaxyCount> kCompositeRows4x = {
    "Nested Rings + Comet Core, 30, 4, 48, 45, 46, 47,",
    "Turbines + Nested Horns, 20, 2, 2, 49,",
    "Turbine + Shell + Spines, 15, 3, 2, 38, 16,",
    "Photon Fountain Cathedral, 10, 2, 27, 36,",
    "3-Cycle Splines in a Shell, 10, 2, 26, 37,",
    "Turbines and Starwaves, 10, 2, 2, 35,",
    "Starwaves in a Shell, 10, 2, 35, 37,",
    "Quasar in Nested Spheres, 10, 2, 30, 19,",
    "Gravity Cell in Spheres, 5, 2, 31, 19,",
    "IFS Spines in a Shell, 10, 2, 16, 37,",
    "Comet Bursts in Spheres, 10, 2, 24, 7,",
    "Crescents and Comets, 10, 2, 24, 23,",
    "Gold Galaxy in a Shell, 10, 2, 17, 38,",
    "Quasar and Gravity Cell, 5, 2, 29, 31,",
    "Hyperbolic Lattice, 15, 2, 37, 38,",
    "Multiple Gravity Cells, 5, 2, 32, 31,",
};
const std::array<std::string_view, kCompositeGalaxyCount> kCompositeRows20 = {
    "Nested Rings / Solid Core, 15, 6, 26, 21, 22, 23, 24, 25,",
    "Spine Disk Shell, 15, 2, 11, 12,",
    "Hourglass in Shell, 15, 2, 8, 12,",
    "Comets in Shells, 10, 3, 5, 7, 12,",
    "Nested Shells, 10, 3, 12, 7, 16,",
    "Disks: YZ Axis Major, 5, 2, 19, 20,",
    "Disks: XZ Axis Major, 5, 2, 20, 19,",
    "Hourglass-Disk Hybrid, 10, 2, 8, 9,",
    "Ornament-Shell Hybrid, 10, 2, 3, 12,",
    "Dark Matter in a Shell, 10, 2, 7, 15,",
    "Big Galaxy / Comet Core, 10, 2, 17, 1,",
    "Bottle Axis / Shell Core, 10, 3, 26, 12, 31,",
    "Nested Rings / Comet Core, 10, 6, 17, 21, 22, 23, 24, 25,",
    "Sphere Rings / Shells, 10, 7, 17, 7, 12, 27, 28, 29, 30,",
    "Sphere Rings / Bottle Axis, 15, 5, 31, 27, 28, 29, 30",
    "Sphere Rings / Ornament, 10, 5, 3, 27, 28, 29, 30,",
};

// Sets one universe value from a theme field, converted to the value's type;
// a number that does not fit leaves the value as it was.
void SetUniverseValue(UniverseSettings& universe, std::string_view key, const std::string& text) {
    for (const UniverseField& field : UniverseFields()) {
        if (field.key != key) continue;
        std::visit(
            [&](auto member) {
                using M = decltype(member);
                if constexpr (std::is_same_v<M, int16_t UniverseSettings::*>) {
                    if (const auto v = CInt(Val(text))) universe.*member = *v;
                } else if constexpr (std::is_same_v<M, int32_t UniverseSettings::*>) {
                    if (const auto v = CLng(Val(text))) universe.*member = *v;
                } else if constexpr (std::is_same_v<M, float UniverseSettings::*>) {
                    if (const auto v = ToSingle(Val(text))) universe.*member = *v;
                } else {
                    universe.*member = text;
                }
            },
            field.member);
        return;
    }
}

}  // namespace

std::string_view UniverseThemeName(int theme) {
    if (theme < 1 || theme > kUniverseThemeCount) return {};
    return kUniverseThemes[theme - 1].name;
}

std::string_view UniverseThemeRow(int theme, bool use20Variant) {
    if (theme < 1 || theme > kUniverseThemeCount) return {};
    if (theme == 1 && use20Variant) return kClassical20Row;
    return kUniverseThemes[theme - 1].row;
}

std::optional<UniverseSettings> UniverseThemeValues(int theme, bool use20Variant,
                                                    const UniverseSettings& base) {
    const std::string_view row = UniverseThemeRow(theme, use20Variant);
    if (row.empty()) return std::nullopt;
    UniverseSettings universe = base;
    for (size_t k = 0; k < kThemeKeys.size(); ++k) {
        if (!kThemeKeys[k].empty())
            SetUniverseValue(universe, kThemeKeys[k], CommaField(row, static_cast<int>(k)));
    }
    return universe;
}

std::string_view CompositePresetRow(int set, int row) {
    if (row < 1 || row > kCompositeGalaxyCount) return {};
    if (set == kPresetSet4x) return kCompositeRows4x[row - 1];
    if (set == kPresetSet20) return kCompositeRows20[row - 1];
    return {};
}

void ApplyCompositePresets(int set, CompositeTable& composites) {
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot) {
        const std::string_view row = CompositePresetRow(set, slot + 1);
        if (row.empty()) return;
        CompositeGalaxy& composite = composites[slot];
        auto number = [&](int k) { return CInt(Val(CommaField(row, k))); };
        composite.name = CommaField(row, 0);
        if (const auto v = number(1)) composite.weight = *v;
        if (const auto v = number(2)) composite.count = *v;
        // The member array bounds the count; validation keeps it to 49.
        const int count = std::clamp<int>(composite.count, 0, kCompositeMemberCapacity);
        for (int i = 0; i < count; ++i) {
            if (const auto v = number(3 + i)) composite.members[i] = *v;
        }
    }
}

SettingsSet FactorySettingsSet(int set) {
    SettingsSet factory = DefaultSettingsSet();
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot)
        ApplyGalaxyPreset(set, slot, factory.types[slot]);
    ApplyCompositePresets(set, factory.composites);
    if (auto universe = UniverseThemeValues(1, set == kPresetSet20, factory.universe))
        factory.universe = *universe;
    return factory;
}

bool StoredSettingsExist(const SettingsStore& store) {
    return store.ReadSettingInt16("General", "AnimationType", -1) != -1;
}

bool InstallFactoryTypesIfNeeded(SettingsStore& store) {
    if (StoredSettingsExist(store)) return false;
    SettingsSet factory = FactorySettingsSet(kPresetSet4x);
    SaveGalaxyTypes(store, factory.types);
    SaveCompositeGalaxies(store, factory.composites);
    return store.Flush();
}

}  // namespace orrelume
