#include "dialogs/property_copy.h"

#include <algorithm>

#include "dialogs/galaxy_grid.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

constexpr CopyControl N = CopyControl::kNumber;
constexpr CopyControl L = CopyControl::kList;
constexpr CopyControl C = CopyControl::kCheck;
using namespace field_table_names;

constexpr StyleSet Only(int style) {
    return StyleBit(style);
}
constexpr StyleSet AllBut(int a, int b = -1, int c = -1) {
    StyleSet set = kAllStyles & static_cast<StyleSet>(~StyleBit(a));
    if (b >= 0) set &= static_cast<StyleSet>(~StyleBit(b));
    if (c >= 0) set &= static_cast<StyleSet>(~StyleBit(c));
    return set;
}
constexpr StyleSet kAll = kAllStyles;
// The standard galaxy and every style after the three IFS ones: the styles
// that use the radial-arm fields as arms.
constexpr StyleSet kArmStyles =
    AllBut(kStyleIfsPointAttractor, kStyleIfsWireframe, kStyleIfsFractal);
// The nebula and the molecular structure colour their stars by computations
// of their own, which the list does not offer; a copied computation would
// undo what the property grid keeps for them.
constexpr StyleSet kListColourStyles = AllBut(kStyleNebula, kStyleMolecule);

// caption, field, control, typing, kind, bounds, range shown, styles
const CopyEntry kEntries[kPropertyCopyEntryCount] = {
    {"Galaxy Hue:  Red", "Galaxy_HueRed", N, D, I16, 0, 100, "0 - 100", kAll},
    {"Galaxy Hue:  Green", "Galaxy_HueGrn", N, D, I16, 0, 100, "0 - 100", kAll},
    {"Galaxy Hue:  Blue", "Galaxy_HueBlu", N, D, I16, 0, 100, "0 - 100", kAll},
    {"Galaxy Hue:  Base", "Galaxy_HueBase", N, D, I16, 0, 100, "0 - 100", kAll},
    {"Galaxy Hue:  Blend", "Galaxy_HueBlend", N, D, I16, 1, 60, "1 - 60", kAll},
    {"Galaxy Radius", "Galaxy_Radius", N, D, I32, 1, 30000, "1 - 30000", AllBut(kStyleStarwave)},
    {"Galaxy Rotation Speed", "Galaxy_Rotation", N, D, I32, 0, 30000, "0 - 30000", kAll},
    {"Galaxy Core Distance from Eye", "Galaxy_Distance", N, D, I32, 0, 30000, "0 - 30000", kAll},
    {"Galaxy Radial Arms", "Galaxy_RadSegs", N, D, I16, 1, 99, "1 - 99", kArmStyles},
    {"Galaxy Radial Arm Fill %", "Galaxy_RadFill", N, D, I16, 0, 100, "0 - 100", kArmStyles},
    {"Galaxy Radial Bands", "Galaxy_RadBands", N, D, I16, 1, 99, "1 - 99",
     AllBut(kStyleIfsPointAttractor, kStyleIfsWireframe, kStyleStarwave)},
    {"Galaxy Radial Band Fill %", "Galaxy_RadBFill", N, D, I16, 0, 100, "0 - 100",
     AllBut(kStyleStarwave)},
    {"Galaxy Style", "Galaxy_GalStyle", L, D, I16, 0, 0, "", kAll},
    {"Galaxy Axial Plane of Rotation", "Galaxy_AxisPlane", L, D, I16, 0, 0, "", kAll},
    {"Galaxy Shape Profile", "Galaxy_Profile", L, D, I16, 0, 0, "", kAll},
    {"Galaxy Height/Width Ratio", "Galaxy_GHW_Ratio", N, F, S, 0, 99.9, "0 - 99.9", kAll},
    {"Galaxy Radius Exponent", "Galaxy_RadiusExp", N, F, S, 0, 99.9, "0 - 99.9",
     AllBut(kStyleNebula, kStyleStarwave)},
    {"Galaxy Height Exponent", "Galaxy_HeightExp", N, F, S, 0, 99.9, "0 - 99.9",
     AllBut(kStyleNebula)},
    // Typed with a decimal point, but left as a whole number of degrees.
    {"Galaxy Angular Tilt", "Galaxy_AngleTilt", N, F, I16, 0, 359, "0 - 359", kAll},
    {"Galaxy Angular Tilt Increment", "Galaxy_AngleTInc", N, F, S, 0, 360, "0 - 360.0", kAll},
    {"Galaxy Color Computation Index", "Galaxy_ColorComp", L, D, I16, 0, 0, "", kListColourStyles},
    {"Galaxy Color Multiplier", "Galaxy_ColorMult", N, D, I32, 0, 30000, "0 - 30000", kAll},
    {"Galaxy Hue Wheel Start", "Galaxy_HueStart", N, D, I16, 0, 359, "0 - 359", kAll},
    {"Galaxy Hue Wheel Increment", "Galaxy_HWheelInc", N, F, S, 0, 360, "0 - 360.0", kAll},
    {"New Star Frequency", "Galaxy_NewFreq", N, D, I16, 0, 9999, "0 - 9999", kAll},
    {"New Star Frames", "Galaxy_NewFrames", N, D, I16, 1, 99, "1 - 99", kAll},
    {"New Star Extension Multiplier", "Galaxy_NewExtMult", N, D, I16, 1, 9999, "1 - 9999", kAll},
    {"Nova Star Frequency", "Galaxy_NovaFreq", N, D, I16, 0, 9999, "0 - 9999", kAll},
    {"Nova Star Frames", "Galaxy_NovaFrames", N, D, I16, 1, 999, "1 - 999", kAll},
    {"Nova Star Extension Multiplier", "Galaxy_NovaExtMult", N, D, I16, 1, 9999, "1 - 9999", kAll},
    {"Pulsar Star Frequency", "Galaxy_PulsarFreq", N, D, I16, 0, 9999, "0 - 9999", kAll},
    {"Pulsar Star Z-Depth", "Galaxy_PulsarDepth", N, D, I16, 0, 9999, "0 - 9999", kAll},
    {"Pulsar Star Cycles", "Galaxy_PulsarCycles", N, D, I16, 1, 99, "1 - 99", kAll},
    {"Pulsar Star Frames per Cycle", "Galaxy_PulsarFrames", N, D, I16, 1, 99, "1 - 99", kAll},
    {"Pulsar Star Radius Start", "Galaxy_PulsarMinExt", N, D, I16, 1, 9999, "1 - 9999", kAll},
    {"Pulsar Star Radius End", "Galaxy_PulsarMaxExt", N, D, I16, 1, 9999, "1 - 9999", kAll},
    {"Pulsar Star General Shape", "Galaxy_PulsarShape", L, D, I16, 0, 0, "", kAll},
    {"Comet Frequency", "Galaxy_CometFreq", N, D, I16, 0, 9999, "0 - 9999", kAll},
    {"Comet Stars", "Galaxy_CometStars", N, D, I16, 1, 999, "1 - 999", kAll},
    {"Comet Orbital Speed", "Galaxy_CometOrbit", N, D, I16, 0, 9999, "0 - 9999", kAll},
    {"Comet Emit Speed", "Galaxy_CometSpeed", N, D, I16, 0, 9999, "0 - 9999", kAll},
    {"Comet Solar Wind", "Galaxy_CometSWind", N, D, I16, 0, 9999, "0 - 9999", kAll},
    {"Comet Persistence", "Galaxy_CometCPersist", N, F, S, 0.1, 0.9999, "0.1 - 0.9999", kAll},
    {"Comet Star Persistence", "Galaxy_CometSPersist", N, F, S, 0.1, 0.9999, "0.1 - 0.9999", kAll},
    {"Comet Hue Wheel Start", "Galaxy_HWC_Start", N, D, I16, 0, 999, "0 - 999", kAll},
    {"Comet Hue Wheel End", "Galaxy_HWC_End", N, D, I16, 0, 999, "0 - 999", kAll},
    {"Attractor Iteration Points", "Galaxy_RadSegs", N, D, I16, 1, 99, "1 - 99",
     Only(kStyleIfsPointAttractor)},
    {"Attractor Iteration Scale %", "Galaxy_RadFill", N, D, I16, 0, 100, "0 - 100",
     Only(kStyleIfsPointAttractor)},
    {"Attractor Rotation Angle", "Galaxy_RadBands", N, D, I16, 0, 360, "0 - 360",
     Only(kStyleIfsPointAttractor)},
    {"Wireframe Vertices", "Galaxy_RadSegs", N, D, I16, 4, 10, "4 - 10", Only(kStyleIfsWireframe)},
    {"Wireframe Scale %", "Galaxy_RadFill", N, D, I16, 0, 100, "0 - 100", Only(kStyleIfsWireframe)},
    {"Wireframe Iteration Levels", "Galaxy_RadBands", N, D, I16, 1, 99, "1 - 99",
     Only(kStyleIfsWireframe)},
    {"Fractal Iteration Points", "Galaxy_RadSegs", N, D, I16, 4, 10, "4 - 10",
     Only(kStyleIfsFractal)},
    {"Fractal Iteration Scale %", "Galaxy_RadFill", N, D, I16, 0, 100, "0 - 100",
     Only(kStyleIfsFractal)},
    {"Nebula Control Points", "Galaxy_CP_Points", N, D, I16, 1, 20, "1 - 20", Only(kStyleNebula)},
    {"Nebula Control Point Steps", "Galaxy_CP_Steps", N, D, I16, 1, 9999, "1 - 9999",
     Only(kStyleNebula)},
    {"Nebula Bias Points", "Galaxy_CP_B_Pts", N, D, I16, 1, 99, "1 - 99", Only(kStyleNebula)},
    {"Nebula Bias Exponent", "Galaxy_CP_B_Exp", N, D, I16, 0, 100, "0 - 100", Only(kStyleNebula)},
    {"Nebula Bias Travel Speed", "Galaxy_CP_B_Spd", N, D, I16, 0, 999, "0 - 999",
     Only(kStyleNebula)},
    {"Nebula Expansion Speed", "Galaxy_RadiusExp", N, F, S, 0, 99.9, "0 - 99.9",
     Only(kStyleNebula)},
    {"Nebula Solar Wind Magnitude", "Galaxy_HeightExp", N, F, S, 0, 99.9, "0 - 99.9",
     Only(kStyleNebula)},
    {"Nebula Control Points Closed", "Galaxy_CP_Close", C, D, I16, 0, 1, "", Only(kStyleNebula)},
    {"Quasar Emit Speed", "Galaxy_QG_Force", N, F, S, 0, 99.9, "0 - 99.9", Only(kStyleQuasar)},
    {"Graviton Force", "Galaxy_QG_Force", N, F, S, 0, 99.9, "0 - 99.9", Only(kStyleGraviton)},
    {"Starwave Expansion Rate", "Galaxy_Radius", N, D, I32, 1, 30000, "1 - 30000",
     Only(kStyleStarwave)},
    {"Starwave Interleaved Waves", "Galaxy_RadBands", N, D, I16, 1, 99, "1 - 99",
     Only(kStyleStarwave)},
    // The label has always read from 1, but a persistence of 0 is allowed.
    {"Starwave Amplitude Persistence", "Galaxy_RadBFill", N, D, I16, 0, 999, "1 - 999",
     Only(kStyleStarwave)},
    {"Starwave Particle Angle Increment", "Galaxy_RadiusExp", N, F, S, 0, 99.9, "0 - 99.9",
     Only(kStyleStarwave)},
};

// The colour computation a type keeps after its style was copied, as the
// property grid would store it.
void KeepColourRule(GalaxyType& type) {
    if (type.galStyle == kStyleNebula) {
        type.colorComp = 5;
    } else if (type.galStyle == kStyleMolecule) {
        type.colorComp = 6;
    } else if (type.colorComp < 0 ||
               static_cast<size_t>(type.colorComp) >= kHueComputationNames.size()) {
        if (const GalaxyField* field = FindGalaxyField("Galaxy_ColorComp")) {
            if (const auto v = CInt(field->defaultValue)) type.colorComp = *v;
        }
    }
}

}  // namespace

std::span<const CopyEntry> PropertyCopyEntries() {
    return kEntries;
}

const CopyEntry* FindCopyEntry(int index) {
    if (index < 0 || index >= kPropertyCopyEntryCount) return nullptr;
    return &kEntries[index];
}

int CopyEntryIndex(std::string_view caption) {
    const auto* e = std::ranges::find(kEntries, caption, &CopyEntry::caption);
    return e == std::ranges::end(kEntries) ? -1
                                           : static_cast<int>(e - std::ranges::begin(kEntries));
}

std::string RangeText(const CopyEntry& entry) {
    return "Range (" + std::string(entry.range) + "):";
}

bool CopiesToStyle(const CopyEntry& entry, int style) {
    if (style < 0 || style > kStyleMolecule) return false;
    return (entry.styles & StyleBit(style)) != 0;
}

std::span<const std::string_view> CopyListItems(const CopyEntry& entry) {
    if (entry.control != CopyControl::kList) return {};
    if (entry.key == "Galaxy_GalStyle") return kGalaxyStyleNames;
    if (entry.key == "Galaxy_AxisPlane") return kAxialPlaneNames;
    if (entry.key == "Galaxy_Profile") return kShapeProfileNames;
    if (entry.key == "Galaxy_ColorComp") return kHueComputationNames;
    if (entry.key == "Galaxy_PulsarShape") return kPulsarShapeNames;
    return {};
}

CopyResult CopyProperty(GalaxyTypeTable& types, int index, const CopyValue& value) {
    const CopyEntry* entry = FindCopyEntry(index);
    if (entry == nullptr) return {CopyOutcome::kNoProperty, 0};
    const GalaxyField* field = FindGalaxyField(entry->key);
    if (field == nullptr) return {CopyOutcome::kNoProperty, 0};

    double v = 0;
    switch (entry->control) {
        case CopyControl::kNumber:
            if (Trim(value.text).empty()) return {CopyOutcome::kNoValue, 0};
            v = Val(BoundTextField(value.text, entry->kind, entry->lower, entry->upper));
            break;
        case CopyControl::kList: {
            const auto items = CopyListItems(*entry);
            if (value.listIndex < 0 || static_cast<size_t>(value.listIndex) >= items.size())
                return {CopyOutcome::kNoValue, 0};
            v = value.listIndex;
            break;
        }
        case CopyControl::kCheck:
            v = value.checked ? 1 : 0;
            break;
    }

    CopyResult result{CopyOutcome::kCopied, 0};
    for (GalaxyType& type : types) {
        if (!CopiesToStyle(*entry, type.galStyle)) continue;
        SetGalaxyField(type, *field, v);
        if (entry->key == "Galaxy_GalStyle") KeepColourRule(type);
        ++result.typesChanged;
    }
    return result;
}

std::string_view CopyMessage(CopyOutcome outcome, const CopyEntry* entry) {
    switch (outcome) {
        case CopyOutcome::kNoProperty:
            return kSelectPropertyMessage;
        case CopyOutcome::kNoValue:
            if (entry != nullptr && entry->control == CopyControl::kList)
                return kSelectValueMessage;
            return kEnterValueMessage;
        case CopyOutcome::kCopied:
            break;
    }
    return {};
}

}  // namespace orrelume
