// The scalar fields of a galaxy type, described once.
#include <cmath>

#include "settings/numeric.h"
#include "settings/records.h"

namespace orrelume {

const std::array<std::string_view, 10> kGalaxyStyleNames = {
    "Standard:  Stellar Rotation about Axis",
    "I.F.S.:  Single Point Attractor",
    "I.F.S.:  Nested Geometric Wireframe",
    "I.F.S.:  Space Filling Fractal",
    "Nebula:  Particle Ribbons",
    "Quasar:  Stars emitted from Core",
    "Graviton:  Stars reflected through Core",
    "Starwave:  Attenuated Particle Waves",
    "User Defined:  Iterated Function Systems",
    "User Defined:  Molecular Structures",
};

namespace {

using G = GalaxyType;
constexpr FieldKind I16 = FieldKind::Int16;
constexpr FieldKind I32 = FieldKind::Int32;
constexpr FieldKind F32 = FieldKind::Single;
constexpr FieldKind TXT = FieldKind::Text;

// key, member, kind, default, min, max, style-bounded, clamped on load
const GalaxyField kFields[] = {
    {"_UniGalPct", &G::uniGalPct, I16, 0, 0, 9999, false, true},
    {"_UniGalName", &G::name, TXT, 0, 0, 0, false, false},
    {"Galaxy_HueRed", &G::hueRed, I16, 100, 0, 100, false, true},
    {"Galaxy_HueGrn", &G::hueGrn, I16, 100, 0, 100, false, true},
    {"Galaxy_HueBlu", &G::hueBlu, I16, 100, 0, 100, false, true},
    {"Galaxy_HueBase", &G::hueBase, I16, 0, 0, 100, false, true},
    {"Galaxy_HueBlend", &G::hueBlend, I16, 60, 1, 60, false, true},
    {"Galaxy_Radius", &G::radius, I32, 300, 1, 30000, false, true},
    {"Galaxy_Rotation", &G::rotation, I32, 500, 0, 30000, false, true},
    {"Galaxy_Distance", &G::distance, I32, 400, 0, 30000, false, true},
    {"Galaxy_RadSegs", &G::radSegs, I16, 1, 1, 99, true, true},
    {"Galaxy_RadFill", &G::radFill, F32, 100, 0, 100, true, true},
    {"Galaxy_RadBands", &G::radBands, I16, 1, 1, 99, true, true},
    {"Galaxy_RadBFill", &G::radBFill, F32, 100, 0, 100, true, true},
    {"Galaxy_ColorMult", &G::colorMult, I32, 1800, 0, 30000, false, true},
    {"Galaxy_NewFreq", &G::newFreq, I16, 400, 0, 9999, false, true},
    {"Galaxy_NewFrames", &G::newFrames, I16, 8, 0, 99, false, true},
    {"Galaxy_NewExtMult", &G::newExtMult, I16, 100, 1, 9999, false, true},
    {"Galaxy_NovaFreq", &G::novaFreq, I16, 320, 0, 9999, false, true},
    {"Galaxy_NovaFrames", &G::novaFrames, I16, 30, 1, 999, false, true},
    {"Galaxy_NovaExtMult", &G::novaExtMult, I16, 600, 1, 9999, false, true},
    {"Galaxy_PulsarFreq", &G::pulsarFreq, I16, 0, 0, 9999, false, true},
    {"Galaxy_PulsarDepth", &G::pulsarDepth, I16, 100, 0, 9999, false, true},
    {"Galaxy_PulsarShape", &G::pulsarShape, I16, 0, 0, 4, false, true},
    {"Galaxy_PulsarCycles", &G::pulsarCycles, I16, 1, 1, 99, false, true},
    {"Galaxy_PulsarFrames", &G::pulsarFrames, I16, 40, 1, 99, false, true},
    {"Galaxy_PulsarMinExt", &G::pulsarMinExt, I16, 50, 1, 9999, false, true},
    {"Galaxy_PulsarMaxExt", &G::pulsarMaxExt, I16, 1000, 1, 9999, false, true},
    {"Galaxy_CometFreq", &G::cometFreq, I16, 400, 0, 9999, false, true},
    {"Galaxy_CometStars", &G::cometStars, I16, 60, 1, 999, false, true},
    {"Galaxy_CometOrbit", &G::cometOrbit, I16, 100, 0, 9999, false, true},
    {"Galaxy_CometSpeed", &G::cometSpeed, I16, 50, 0, 9999, false, true},
    {"Galaxy_CometSWind", &G::cometSWind, I16, 200, 0, 9999, false, true},
    {"Galaxy_CometSPersist", &G::cometSPersist, F32, 0.95, 0.1, 0.9999, false, true},
    {"Galaxy_CometCPersist", &G::cometCPersist, F32, 0.9975, 0.1, 0.9999, false, true},
    {"Galaxy_HWC_Start", &G::hwcStart, I16, 140, 0, 999, false, true},
    {"Galaxy_HWC_End", &G::hwcEnd, I16, 220, 0, 999, false, true},
    {"Galaxy_HWC_Inc", &G::hwcInc, F32, 0, 0, 1, false, true},
    {"Galaxy_GHW_Ratio", &G::ghwRatio, F32, 0.3, 0, 99.9, false, true},
    {"Galaxy_RadiusExp", &G::radiusExp, F32, 1.15, 0, 99.9, false, true},
    {"Galaxy_HeightExp", &G::heightExp, F32, 2, 0, 99.9, false, true},
    {"Galaxy_AngleTilt", &G::angleTilt, F32, 170, 0, 360, false, true},
    {"Galaxy_AngleTInc", &G::angleTInc, F32, 0, 0, 360, false, true},
    {"Galaxy_HWheelInc", &G::hWheelInc, F32, 0.005, 0, 360, false, true},
    {"Galaxy_GalStyle", &G::galStyle, I16, 0, 0, 9, false, true},
    {"Galaxy_AxisPlane", &G::axisPlane, I16, 0, 0, 1, false, true},
    {"Galaxy_ColorComp", &G::colorComp, I16, 3, 0, 6, false, true},
    {"Galaxy_HueStart", &G::hueStart, I16, 240, 0, 359, false, true},
    {"Galaxy_Profile", &G::profile, I16, 0, 0, 6, false, true},
    {"Galaxy_CP_Points", &G::cpPoints, I16, 8, 1, 20, false, true},
    {"Galaxy_CP_Steps", &G::cpSteps, I16, 500, 0, 9999, false, true},
    {"Galaxy_CP_B_Pts", &G::cpBPts, I16, 1, 1, 99, false, true},
    {"Galaxy_CP_B_Exp", &G::cpBExp, I16, 100, 0, 100, false, true},
    {"Galaxy_CP_B_Spd", &G::cpBSpd, I16, 0, 0, 999, false, true},
    {"Galaxy_CP_Close", &G::cpClose, I16, 1, 0, 1, false, true},
    {"Galaxy_CP_AdvHW", &G::cpAdvHW, I16, 0, 0, 1, false, true},
    {"Galaxy_QG_Force", &G::qgForce, F32, 5, 0, 99.9, false, true},
    {"Galaxy_StdLevels", &G::stdLevels, I16, 1, 1, 10, false, true},
    {"Galaxy_StdLevDRad", &G::stdLevDRad, I32, 300, 1, 30000, false, false},
    {"Galaxy_StdLevHSca", &G::stdLevHSca, F32, 1, 0, 99.9, false, false},
    {"Galaxy_StdLevB_HS", &G::stdLevBHS, I16, 0, 0, 1, false, false},
    {"Galaxy_StdLevB_A0", &G::stdLevBA0, I16, 0, 0, 1, false, false},
    {"Galaxy_StdLevB_A1", &G::stdLevBA1, I16, 0, 0, 1, false, false},
    {"Galaxy_IFS_Points", &G::ifsCount, I16, 0, 0, kMaxIfsPoints, false, true},
    {"Galaxy_Atoms", &G::atomCount, I16, 0, 0, kMaxAtoms, false, true},
};

}  // namespace

std::span<const GalaxyField> GalaxyFields() {
    return kFields;
}

const GalaxyField* FindGalaxyField(std::string_view key) {
    for (const GalaxyField& field : kFields) {
        if (field.key == key) return &field;
    }
    return nullptr;
}

double GetGalaxyField(const GalaxyType& type, const GalaxyField& field) {
    return std::visit(
        [&](auto member) -> double {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, std::string GalaxyType::*>) {
                return 0.0;
            } else {
                return static_cast<double>(type.*member);
            }
        },
        field.member);
}

bool SetGalaxyField(GalaxyType& type, const GalaxyField& field, double value) {
    return std::visit(
        [&](auto member) -> bool {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, int16_t GalaxyType::*>) {
                const auto v = CInt(value);
                if (!v) return false;
                type.*member = *v;
                return true;
            } else if constexpr (std::is_same_v<M, int32_t GalaxyType::*>) {
                const auto v = CLng(value);
                if (!v) return false;
                type.*member = *v;
                return true;
            } else if constexpr (std::is_same_v<M, float GalaxyType::*>) {
                const auto v = ToSingle(value);
                if (!v) return false;
                type.*member = *v;
                return true;
            } else {
                return false;
            }
        },
        field.member);
}

StyleBounds StyleParameterBounds(int16_t style) {
    switch (style) {
        case kStyleIfsPointAttractor:
            return {1, 99, 0, 100, 0, 360, 0, 100};
        case kStyleIfsWireframe:
            return {4, 10, 0, 100, 1, 99, 0, 100};
        case kStyleIfsFractal:
            return {4, 10, 0, 100, 0, 100, 0, 100};
        case kStyleNebula:
            return {1, 20, 0, 9999, 1, 99, 0, 100};
        case kStyleStarwave:
            return {1, 99, 0, 100, 1, 99, 0, 999};
        default:
            return {1, 99, 0, 100, 1, 99, 0, 100};
    }
}

int16_t StructurePointCount(int16_t structureType) {
    static constexpr int16_t kCounts[] = {1, 6, 8, 18, 26, 38};
    if (structureType >= 0 && structureType <= 5) return kCounts[structureType];
    return 1;
}

std::string DefaultGalaxyName(int slot) {
    return "< Galaxy Profile " + std::to_string(slot + 1) + " >";
}

GalaxyType DefaultGalaxyType(int slot) {
    GalaxyType type;
    type.name = DefaultGalaxyName(slot);
    return type;
}

std::string DefaultCompositeName(int slot) {
    return "< Composite Galaxy " + std::to_string(slot + 1) + " >";
}

CompositeGalaxy DefaultCompositeGalaxy(int slot) {
    CompositeGalaxy composite;
    composite.name = DefaultCompositeName(slot);
    return composite;
}

std::string GalaxySection(int slot) {
    return "Universe\\Galaxy" + std::to_string(slot);
}
std::string CompositeSection(int slot) {
    return "Universe\\CompGal" + std::to_string(slot);
}

SettingsSet DefaultSettingsSet() {
    SettingsSet set;
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot)
        set.types[slot] = DefaultGalaxyType(slot);
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot) {
        set.composites[slot] = DefaultCompositeGalaxy(slot);
    }
    return set;
}

}  // namespace orrelume
