// The factory galaxy themes: the names, weights and styles of both sets, the
// row layout, and how a row is applied to a galaxy type. The rows themselves
// live in factory_galaxy_rows.cpp.
#include <algorithm>
#include <array>

#include "settings/factory_themes.h"
#include "settings/numeric.h"

namespace orrelume {

// Defined with the rows of each set.
std::string_view FactoryGalaxyRowText4x(int row);
std::string_view FactoryGalaxyRowText20(int row);

namespace {

struct Preset {
    std::string_view name;
    int16_t weight;
    int16_t style;
};

const std::array<Preset, kGalaxyTypeCount> kSet4x = {{
    {"Standard Galaxy", 30, 0},
    {"Star Rings", 10, 0},
    {"Stellar Turbines", 5, 0},
    {"Segmented Starfish", 15, 0},
    {"Symmetric Radial Arms", 5, 0},
    {"Rapid Rotator", 10, 0},
    {"Barrel Shells", 10, 0},
    {"Nested Bulbs", 10, 0},
    {"Spherical Blob", 10, 0},
    {"Rotating Comet Shell", 10, 0},
    {"Diamond and Comets", 10, 0},
    {"Standard Nested Shells", 15, 0},
    {"Nested Turbines", 10, 0},
    {"Fractal:  Tetrahedron", 10, 3},
    {"Fractal:  Diamonds", 5, 3},
    {"Fractal:  Diffuse Matrix", 10, 3},
    {"IFS Point:  Central Spines", 10, 1},
    {"IFS Point:  Golden Spirals", 10, 1},
    {"IFS Point:  Spiral Wheel Burst", 5, 1},
    {"IFS Point:  Nested Spheres", 2, 1},
    {"Wireframe:  Octahedron", 10, 2},
    {"Wireframe:  10-Point", 5, 2},
    {"Nebula:  Rainbow Loop", 15, 4},
    {"Nebula:  Crescents", 15, 4},
    {"Nebula:  Comet Bursts", 5, 4},
    {"Nebula:  5-Cycle Comets", 10, 4},
    {"Nebula:  3-Cycle Integration", 5, 4},
    {"Nebula:  Photon Fountain", 5, 4},
    {"Nebula:  Comet Ribbon", 10, 4},
    {"Quasar:  Cylinder", 5, 5},
    {"Quasar:  Sphere-Arc Burst", 10, 5},
    {"Gravity:  Sparks + Dark Matter", 10, 6},
    {"Gravity:  Globe of Crescents", 10, 6},
    {"Starwave:  Fountain Waves", 10, 7},
    {"Starwave:  Radial Waves", 10, 7},
    {"Starwave:  Hyperbolic / Disks", 5, 7},
    {"Ellipsoid Cathedral", 2, 0},
    {"Lattice of Latitudes", 2, 0},
    {"Lattice of Longitudes", 2, 0},
    {"UD-IFS:  Space Station", 10, 8},
    {"UD-IFS:  Twisted Branches", 10, 8},
    {"UD-IFS:  Symmetric Starbird", 15, 8},
    {"UD-ATOM:  Cubic Hydrocarbon", 10, 9},
    {"UD-ATOM:  Nested Shells", 20, 9},
    {"UD-ATOM:  Star Point System", 10, 9},
    {"Nested Horizontal Rings", 0, 0},
    {"Nested Vertical Rings", 0, 0},
    {"Rapidly Rotating Sphere", 2, 0},
    {"High Activity Comet Core", 2, 0},
    {"Nested Horns", 5, 0},
}};

// The 2.0 set has 32 types; the remaining slots are "Undefined".
const std::array<Preset, 32> kSet20 = {{
    {"Standard Galaxy", 20, 0},
    {"Pancake-Like Disk", 10, 0},
    {"Spherical Blob", 10, 0},
    {"Holiday Ornament", 10, 0},
    {"Dual-Dome Interior", 10, 0},
    {"Solar Wind Comets", 15, 0},
    {"Red-Blue Exclusive", 10, 0},
    {"Blue-Green Shell", 5, 0},
    {"Cylindrical Hourglass", 10, 0},
    {"Cylinder-Disk Hybrid", 10, 0},
    {"Rotating Comet Shell", 15, 0},
    {"Spine-Disk Hybrid", 10, 0},
    {"Polar Hemispheres", 5, 0},
    {"Diamond with Comets", 15, 0},
    {"High Star Activity", 10, 0},
    {"Sparkling Dark Matter", 5, 0},
    {"Expansive Sphere", 5, 0},
    {"Black Hole Comets", 5, 0},
    {"Stellar Blizzard", 5, 0},
    {"Disk in YZ Plane", 3, 0},
    {"Disk in XZ Plane", 2, 0},
    {"Ring World 500", 1, 0},
    {"Ring World 1000", 1, 0},
    {"Ring World 1500", 1, 0},
    {"Ring World 2000", 1, 0},
    {"Ring World 2500", 1, 0},
    {"Ruby Sphere", 3, 0},
    {"Shell Rings 1000", 2, 0},
    {"Shell Rings 900", 2, 0},
    {"Shell Rings 750", 1, 0},
    {"Shell Rings 350", 1, 0},
    {"Elongated Bottle", 2, 0},
}};
constexpr Preset kUndefined = {"Undefined", 0, 0};

std::optional<Preset> FindPreset(int set, int slot) {
    if (slot < 0 || slot >= kGalaxyTypeCount) return std::nullopt;
    if (set == kPresetSet4x) return kSet4x[slot];
    if (set == kPresetSet20) {
        return slot < static_cast<int>(kSet20.size()) ? kSet20[slot] : kUndefined;
    }
    return std::nullopt;
}

// Row fields and the keys they fill, in the order they are applied. Fields
// 32..34 and 64..66 are not used.
struct RowField {
    int index;
    std::string_view key;
};
constexpr RowField kRowFields[] = {
    {0, "Galaxy_Radius"},        {1, "Galaxy_Rotation"},       {2, "Galaxy_Distance"},
    {3, "Galaxy_GalStyle"},      {4, "Galaxy_AxisPlane"},      {5, "Galaxy_RadSegs"},
    {6, "Galaxy_RadFill"},       {7, "Galaxy_RadBands"},       {8, "Galaxy_RadBFill"},
    {9, "Galaxy_ColorMult"},     {10, "Galaxy_GHW_Ratio"},     {11, "Galaxy_RadiusExp"},
    {12, "Galaxy_HeightExp"},    {13, "Galaxy_AngleTilt"},     {14, "Galaxy_AngleTInc"},
    {15, "Galaxy_HueStart"},     {16, "Galaxy_HWheelInc"},     {17, "Galaxy_ColorComp"},
    {18, "Galaxy_Profile"},      {19, "Galaxy_NewFreq"},       {20, "Galaxy_NewFrames"},
    {21, "Galaxy_NewExtMult"},   {22, "Galaxy_NovaFreq"},      {23, "Galaxy_NovaFrames"},
    {24, "Galaxy_NovaExtMult"},  {25, "Galaxy_PulsarFreq"},    {26, "Galaxy_PulsarDepth"},
    {27, "Galaxy_PulsarCycles"}, {28, "Galaxy_PulsarFrames"},  {29, "Galaxy_PulsarMinExt"},
    {30, "Galaxy_PulsarMaxExt"}, {31, "Galaxy_PulsarShape"},   {35, "Galaxy_CometFreq"},
    {36, "Galaxy_CometStars"},   {37, "Galaxy_CometOrbit"},    {38, "Galaxy_CometSpeed"},
    {39, "Galaxy_CometSWind"},   {40, "Galaxy_CometCPersist"}, {41, "Galaxy_CometSPersist"},
    {42, "Galaxy_HWC_Start"},    {43, "Galaxy_HWC_End"},       {44, "Galaxy_HWC_Inc"},
    {45, "Galaxy_HueRed"},       {46, "Galaxy_HueGrn"},        {47, "Galaxy_HueBlu"},
    {48, "Galaxy_HueBase"},      {49, "Galaxy_HueBlend"},      {50, "Galaxy_CP_Points"},
    {51, "Galaxy_CP_Steps"},     {52, "Galaxy_CP_B_Pts"},      {53, "Galaxy_CP_B_Exp"},
    {54, "Galaxy_CP_B_Spd"},     {55, "Galaxy_CP_Close"},      {56, "Galaxy_CP_AdvHW"},
    {57, "Galaxy_QG_Force"},     {58, "Galaxy_StdLevels"},
};
constexpr int kLevelsField = 58;
constexpr RowField kLevelFields[] = {
    {59, "Galaxy_StdLevDRad"}, {60, "Galaxy_StdLevHSca"}, {61, "Galaxy_StdLevB_HS"},
    {62, "Galaxy_StdLevB_A0"}, {63, "Galaxy_StdLevB_A1"},
};
constexpr int kStyleField = 3;
constexpr int kCountField = 67;
constexpr int kCentreField = 68;
constexpr int kFirstEntryField = 71;
constexpr int kEntryFields = 7;

// A field's number: the number its text begins with (an empty field is 0).
double FieldNumber(std::string_view row, int index) {
    return Val(CommaField(row, index));
}

// Converts a field into a 16-bit value; nothing when it does not fit, in
// which case the statement that needed it is skipped.
std::optional<int16_t> FieldInt16(std::string_view row, int index) {
    return CInt(FieldNumber(row, index));
}

void ApplyField(std::string_view row, const RowField& rowField, GalaxyType& type) {
    const GalaxyField* field = FindGalaxyField(rowField.key);
    if (field != nullptr) SetGalaxyField(type, *field, FieldNumber(row, rowField.index));
}

}  // namespace

std::string CommaField(std::string_view row, int index) {
    if (index < 0) return {};
    size_t start = 0;
    for (int k = 0; k < index; ++k) {
        const size_t comma = row.find(',', start);
        if (comma == std::string_view::npos) return {};
        start = comma + 1;
    }
    const size_t end = row.find(',', start);
    return Trim(row.substr(start, end == std::string_view::npos ? row.npos : end - start));
}

std::string_view GalaxyPresetName(int set, int slot) {
    const auto preset = FindPreset(set, slot);
    return preset ? preset->name : std::string_view();
}

int16_t GalaxyPresetWeight(int set, int slot) {
    const auto preset = FindPreset(set, slot);
    return preset ? preset->weight : 0;
}

int16_t GalaxyPresetStyle(int set, int slot) {
    const auto preset = FindPreset(set, slot);
    return preset ? preset->style : 0;
}

std::string_view GalaxyPresetRow(int set, int row) {
    if (set != kPresetSet4x && set != kPresetSet20) return {};
    if (row < 1 || row > kGalaxyTypeCount) return {};
    return set == kPresetSet4x ? FactoryGalaxyRowText4x(row) : FactoryGalaxyRowText20(row);
}

bool ApplyGalaxyPreset(int set, int slot, GalaxyType& type) {
    const auto preset = FindPreset(set, slot);
    const std::string_view row = GalaxyPresetRow(set, slot + 1);
    if (!preset || row.empty()) return false;

    type.name = std::string(preset->name);
    type.uniGalPct = preset->weight;
    for (const RowField& field : kRowFields)
        ApplyField(row, field, type);
    if (FieldNumber(row, kLevelsField) > 1) {
        for (const RowField& field : kLevelFields)
            ApplyField(row, field, type);
    }

    // Points and atoms share the fields after the count; the style decides
    // which of the two they are. The count is kept within the arrays.
    const double style = FieldNumber(row, kStyleField);
    const double count = FieldNumber(row, kCountField);
    auto entryCount = [&](int capacity) -> std::optional<int16_t> {
        const auto n = CInt(count);
        if (!n) return std::nullopt;
        return static_cast<int16_t>(std::clamp<int>(*n, 0, capacity));
    };
    auto entryField = [&](int entry, int k) {
        return FieldInt16(row, kFirstEntryField + kEntryFields * entry + k).value_or(0);
    };
    auto centre = [&](int k) { return FieldInt16(row, kCentreField + k).value_or(0); };

    type.ifsCount = 0;
    if (count > 0 && style == static_cast<double>(kStyleUserIfs)) {
        if (const auto n = entryCount(kMaxIfsPoints)) {
            type.ifsCount = *n;
            type.ifsCenterX = centre(0);
            type.ifsCenterY = centre(1);
            type.ifsCenterZ = centre(2);
            for (int j = 0; j < type.ifsCount; ++j) {
                type.ifsPoints[j] =
                    IfsPoint{entryField(j, 0), entryField(j, 1), entryField(j, 2), entryField(j, 3),
                             entryField(j, 4), entryField(j, 5), entryField(j, 6)};
            }
        }
    }

    type.atomCount = 0;
    if (count > 0 && style == static_cast<double>(kStyleMolecule)) {
        if (const auto n = entryCount(kMaxAtoms)) {
            type.atomCount = *n;
            type.atomCenterX = centre(0);
            type.atomCenterY = centre(1);
            type.atomCenterZ = centre(2);
            for (int j = 0; j < type.atomCount; ++j) {
                // A row lists an atom as element, structure type, edge count,
                // then the other four fields.
                AtomEntry& atom = type.atoms[j];
                atom.element = entryField(j, 0);
                atom.structureType = entryField(j, 1);
                atom.edgeCount = entryField(j, 2);
                atom.third = entryField(j, 3);
                atom.fourth = entryField(j, 4);
                atom.sixth = entryField(j, 5);
                atom.seventh = entryField(j, 6);
                atom.pointCount = StructurePointCount(atom.structureType);
            }
        }
    }
    return true;
}

}  // namespace orrelume
