// The values of section "Universe": how they are read and written.
#include <type_traits>

#include "settings/records.h"

namespace orrelume {

namespace {

constexpr std::string_view kSection = "Universe";

using U = UniverseSettings;
const UniverseField kFields[] = {
    {"Universe_Stars", &U::stars},           {"Universe_Galaxy", &U::galaxy},
    {"Universe_STrail", &U::sTrail},         {"Universe_Expand", &U::expand},
    {"Universe_ESteps", &U::eSteps},         {"Universe_Persist", &U::persist},
    {"Universe_Damping", &U::damping},       {"Universe_Recycle", &U::recycle},
    {"Universe_Profile", &U::profile},       {"Universe_NewFreq", &U::newFreq},
    {"Universe_NewPctStEx", &U::newPctStEx}, {"Universe_Tour", &U::tour},
    {"Universe_GSteps", &U::gSteps},         {"Universe_GPCtrl", &U::gPCtrl},
    {"Universe_GCCtrl", &U::gCCtrl},         {"Universe_DstCen", &U::dstCen},
    {"Universe_C_Ramp", &U::cRamp},          {"Universe_GVisit", &U::gVisit},
    {"Universe_RotCam", &U::rotCam},         {"Universe_AmStar", &U::amStar},
    {"Universe_AmFrames", &U::amFrames},     {"Universe_AmMaxExt", &U::amMaxExt},
    {"Universe_AmPers", &U::amPers},         {"Universe_AmCAge", &U::amCAge},
    {"Universe_GravForce", &U::gravForce},   {"Universe_GravFrame", &U::gravFrame},
    {"Universe_GS_Idx", &U::gsIdx},          {"Universe_HW_Start", &U::hwStart},
    {"Universe_HW_End", &U::hwEnd},
};

}  // namespace

std::span<const UniverseField> UniverseFields() {
    return kFields;
}

UniverseSettings LoadUniverseSettings(const SettingsStore& store, int16_t root) {
    const UniverseSettings defaults;
    UniverseSettings universe;
    for (const UniverseField& field : kFields) {
        std::visit(
            [&](auto member) {
                using M = decltype(member);
                if constexpr (std::is_same_v<M, int16_t U::*>) {
                    universe.*member =
                        store.ReadSettingInt16(kSection, field.key, defaults.*member, root);
                } else if constexpr (std::is_same_v<M, int32_t U::*>) {
                    universe.*member =
                        store.ReadSettingInt32(kSection, field.key, defaults.*member, root);
                } else if constexpr (std::is_same_v<M, float U::*>) {
                    universe.*member =
                        store.ReadSettingSingle(kSection, field.key, defaults.*member, root);
                } else {
                    universe.*member =
                        store.ReadSettingText(kSection, field.key, defaults.*member, root);
                }
            },
            field.member);
    }
    return universe;
}

void SaveUniverseSettings(SettingsStore& store, const UniverseSettings& universe) {
    for (const UniverseField& field : kFields) {
        std::visit([&](auto member) { store.WriteSetting(kSection, field.key, universe.*member); },
                   field.member);
    }
}

}  // namespace orrelume
