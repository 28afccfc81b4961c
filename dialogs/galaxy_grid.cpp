#include "dialogs/galaxy_grid.h"

#include <algorithm>

#include "settings/numeric.h"

namespace orrelume {

const std::array<std::string_view, 2> kAxialPlaneNames = {"Y-Z", "X-Z"};
const std::array<std::string_view, 5> kHueComputationNames = {
    "Rotational Velocity", "Rotational Velocity (Square Root)", "Distance from Core",
    "Distance from Core (Squared)", "Black (Stars are Invisible)"};
const std::array<std::string_view, 3> kGridPageNames = {"Galaxy Motion, Shape and Color Properties",
                                                        "New, Nova and Pulsar Star Properties",
                                                        "Comet and Color Properties"};
const std::array<std::string_view, 7> kShapeProfileNames = {
    "Standard",   "Top-Like",         "Spherical",       "Conical",
    "Hyperbolic", "Outer-Hyperbolic", "Inner-Hyperbolic"};
const std::array<std::string_view, 5> kPulsarShapeNames = {"Nova", "Axes", "Star", "Sphere",
                                                           "Sphere-2"};

namespace {

using namespace field_table_names;
constexpr GridArrows kNoArrows{};
constexpr GridSpin kNoSpin{};

// row, field, nebula field, typing, kind, bounds, style-bounded, arrows, spin
const GridRow kRows[] = {
    {0, "Galaxy_Radius", "", D, I32, 1, 30000, false, {10, 1, 30000}, {1, 30000, 5}},
    {1, "Galaxy_Rotation", "", D, I32, 0, 30000, false, {10, 0, 30000}, {0, 30000, 5}},
    {2, "Galaxy_Distance", "", D, I32, 0, 30000, false, {10, 0, 30000}, {0, 30000, 5}},
    // The four style parameters: their spin buttons step like the arrow keys,
    // within the fixed range, and are as long as the widest style allows.
    {3, "Galaxy_RadSegs", "Galaxy_CP_Points", D, I16, 1, 99, true, {1, 1, 99}, {1, 99, 2}},
    {4, "Galaxy_RadFill", "Galaxy_CP_Steps", D, I16, 0, 100, true, {1, 0, 100}, {0, 100, 4}},
    {5, "Galaxy_RadBands", "Galaxy_CP_B_Pts", D, I16, 1, 99, true, {1, 1, 99}, {1, 99, 3}},
    {6, "Galaxy_RadBFill", "Galaxy_CP_B_Exp", D, I16, 0, 100, true, {1, 0, 100}, {0, 100, 3}},
    {7, "Galaxy_ColorMult", "", D, I32, 0, 30000, false, {10, 0, 30000}, {0, 30000, 5}},
    {8, "Galaxy_QG_Force", "", F, S, 0, 99.9, false, kNoArrows, kNoSpin},
    {9, "Galaxy_StdLevels", "", D, I16, 1, 10, false, kNoArrows, kNoSpin},
    {10, "Galaxy_NewFreq", "", D, I16, 0, 9999, false, kNoArrows, kNoSpin},
    // As its label says and as a save keeps it (it once took up to 999).
    {11, "Galaxy_NewFrames", "", D, I16, 0, 99, false, kNoArrows, kNoSpin},
    {12, "Galaxy_NewExtMult", "", D, I16, 1, 9999, false, kNoArrows, kNoSpin},
    {20, "Galaxy_NovaFreq", "", D, I16, 0, 9999, false, kNoArrows, kNoSpin},
    {21, "Galaxy_NovaFrames", "", D, I16, 1, 999, false, kNoArrows, kNoSpin},
    {22, "Galaxy_NovaExtMult", "", D, I16, 1, 9999, false, kNoArrows, kNoSpin},
    {30, "Galaxy_PulsarFreq", "", D, I16, 0, 9999, false, kNoArrows, kNoSpin},
    {31, "Galaxy_PulsarDepth", "", D, I16, 0, 9999, false, kNoArrows, kNoSpin},
    {32, "Galaxy_PulsarCycles", "", D, I16, 1, 99, false, kNoArrows, kNoSpin},
    {33, "Galaxy_PulsarFrames", "", D, I16, 1, 99, false, kNoArrows, kNoSpin},
    {34, "Galaxy_PulsarMinExt", "", D, I16, 1, 9999, false, kNoArrows, kNoSpin},
    {35, "Galaxy_PulsarMaxExt", "", D, I16, 1, 9999, false, kNoArrows, kNoSpin},
    {40, "Galaxy_CometFreq", "", D, I16, 0, 9999, false, kNoArrows, kNoSpin},
    {41, "Galaxy_CometStars", "", D, I16, 1, 999, false, kNoArrows, kNoSpin},
    {42, "Galaxy_CometOrbit", "", D, I16, 0, 9999, false, kNoArrows, kNoSpin},
    {43, "Galaxy_CometSpeed", "", D, I16, 0, 9999, false, kNoArrows, kNoSpin},
    {44, "Galaxy_CometSWind", "", D, I16, 0, 9999, false, kNoArrows, kNoSpin},
    {45, "Galaxy_CometCPersist", "", F, S, 0.1, 0.9999, false, kNoArrows, kNoSpin},
    {46, "Galaxy_CometSPersist", "", F, S, 0.1, 0.9999, false, kNoArrows, kNoSpin},
    {47, "Galaxy_HWC_Start", "", D, I16, 0, 999, false, {1, 0, 999}, {0, 999, 3}},
    {48, "Galaxy_HWC_End", "", D, I16, 0, 999, false, {1, 0, 999}, {0, 999, 3}},
    {49, "Galaxy_HWC_Inc", "", F, S, 0, 1, false, kNoArrows, kNoSpin},
    {90, "Galaxy_GHW_Ratio", "", F, S, 0, 99.9, false, kNoArrows, kNoSpin},
    {91, "Galaxy_RadiusExp", "", F, S, 0, 99.9, false, kNoArrows, kNoSpin},
    {92, "Galaxy_HeightExp", "", F, S, 0, 99.9, false, kNoArrows, kNoSpin},
    {93, "Galaxy_AngleTilt", "Galaxy_CP_B_Spd", D, I16, 0, 360, true, kNoArrows, kNoSpin},
    {94, "Galaxy_AngleTInc", "", F, S, 0, 360, false, kNoArrows, kNoSpin},
    {95, "Galaxy_HueStart", "", D, I16, 0, 359, false, {5, 0, 359}, {0, 359, 3}},
    {96, "Galaxy_HWheelInc", "", F, S, 0, 360, false, kNoArrows, kNoSpin},
};

const GridRow kPixHueRows[] = {
    {0, "Galaxy_HueRed", "", D, I16, 0, 100, false, kNoArrows, {0, 100, 3}},
    {1, "Galaxy_HueGrn", "", D, I16, 0, 100, false, kNoArrows, {0, 100, 3}},
    {2, "Galaxy_HueBlu", "", D, I16, 0, 100, false, kNoArrows, {0, 100, 3}},
    {3, "Galaxy_HueBase", "", D, I16, 0, 100, false, kNoArrows, {0, 100, 3}},
    {4, "Galaxy_HueBlend", "", D, I16, 1, 60, false, kNoArrows, {1, 60, 2}},
};

int ClampStyle(int style) {
    return std::clamp(style, 0, 9);
}

// The text a row shows for a field: integers in plain decimal, singles as
// the shortest text that reads back the same.
std::string FieldText(const GalaxyType& type, std::string_view key) {
    const GalaxyField* field = FindGalaxyField(key);
    if (field == nullptr) return {};
    const double value = GetGalaxyField(type, *field);
    if (field->kind == FieldKind::Single) return SingleToText(static_cast<float>(value));
    return Int32ToText(static_cast<int32_t>(value));
}

void StoreField(GalaxyType& type, std::string_view key, double value) {
    if (const GalaxyField* field = FindGalaxyField(key)) SetGalaxyField(type, *field, value);
}

// A list shows a stored value when it offers it, else the field's default.
int ListIndex(int16_t value, size_t count, std::string_view key) {
    if (value >= 0 && static_cast<size_t>(value) < count) return value;
    const GalaxyField* field = FindGalaxyField(key);
    return field ? static_cast<int>(field->defaultValue) : 0;
}

void TakeListIndex(int index, size_t count, int16_t& field) {
    if (index >= 0 && static_cast<size_t>(index) < count) field = static_cast<int16_t>(index);
}

void TakeRow(const GridRow& row, const std::string& text, int style, GalaxyType& type) {
    const RowBounds bounds = GridRowBounds(row, style);
    const double value = Val(BoundTextField(text, bounds.kind, bounds.lower, bounds.upper));
    StoreField(type, row.key, value);
    if (!row.nebulaKey.empty()) StoreField(type, row.nebulaKey, value);
}

}  // namespace

std::span<const GridRow> GalaxyGridRows() {
    return kRows;
}

std::span<const GridRow> PixHueRows() {
    return kPixHueRows;
}

const GridRow* FindGridRow(int row) {
    const auto* r = std::ranges::find(kRows, row, &GridRow::row);
    return r == std::ranges::end(kRows) ? nullptr : r;
}

RowBounds GridRowBounds(const GridRow& row, int style) {
    RowBounds bounds{row.kind, row.lower, row.upper};
    if (!row.styleBounded) return bounds;
    style = ClampStyle(style);
    const StyleBounds sb = StyleParameterBounds(static_cast<int16_t>(style));
    switch (row.row) {
        case 3:
            return {row.kind, static_cast<double>(sb.radSegsMin),
                    static_cast<double>(sb.radSegsMax)};
        case 4:
            return {row.kind, static_cast<double>(sb.radFillMin),
                    static_cast<double>(sb.radFillMax)};
        case 5:
            return {row.kind, static_cast<double>(sb.radBandsMin),
                    static_cast<double>(sb.radBandsMax)};
        case 6:
            return {row.kind, static_cast<double>(sb.radBFillMin),
                    static_cast<double>(sb.radBFillMax)};
        case 93:
            if (style == kStyleNebula) bounds.upper = 999;
            return bounds;
        default:
            return bounds;
    }
}

namespace {

// The captions of the grid's labels that change with the style: a label
// reads the first entry of its own that names the style or any style.
constexpr int kAnyStyle = -1;
struct StyleCaption {
    int label;
    int style;
    LabelText text;
};
constexpr StyleCaption kStyleCaptions[] = {
    {0, kStyleStarwave, {"Expansion, Rotation (1, 0 - 30000):", "Expansion", "Rotation"}},
    {0, kAnyStyle, {"Radius, Rotation (1, 0 - 30000):", "Radius", "Rotation"}},
    {1, kAnyStyle, {"Distance (0 - 30000), Axial Plane:", "Distance", "Axial Plane"}},
    {2, kStyleIfsPointAttractor, {"Points (1 - 99), Scale % (0 - 100):", "Points", "Scale %"}},
    {2, kStyleIfsWireframe, {"Vertices (4 - 10), Scale % (0 - 100):", "Vertices", "Scale %"}},
    {2, kStyleIfsFractal, {"Points (4 - 10), Scale % (0 - 100):", "Points", "Scale %"}},
    {2, kStyleNebula, {"C-Points (1 - 20), Steps (0 - 9999):", "C-Points", "Steps"}},
    {2, kAnyStyle, {"Radials (1 - 99), Fill % (0 - 100):", "Radials", "Fill %"}},
    {3, kStyleIfsPointAttractor, {"Rotation Angle Degrees (0 - 360):", "", ""}},
    {3, kStyleIfsWireframe, {"Linear Iteration Levels (1 - 99):", "", ""}},
    {3, kStyleNebula, {"Bias Points (1 - 99), Span (0 - 100):", "Bias Points", "Span"}},
    {3, kStyleStarwave, {"Waves (1 - 99), Persist (0 - 999):", "Waves", "Persist"}},
    {3, kAnyStyle, {"Bands (1 - 99), Fill % (0 - 100):", "Bands", "Fill %"}},
    {90, kStyleQuasar, {"Quasar Speed, H/W Ratio (0.0 - 99.9):", "Quasar Speed", "H/W Ratio"}},
    {90, kStyleGraviton, {"Gravity Force, H/W Ratio (0.0 - 99.9):", "Gravity Force", "H/W Ratio"}},
    {90, kStyleStandard, {"Levels (1-10), H/W Ratio (0.0 - 99.9):", "Levels", "H/W Ratio"}},
    {90, kStyleUserIfs, {"Levels (1-10), H/W Ratio (0.0 - 99.9):", "Levels", "H/W Ratio"}},
    {90, kStyleMolecule, {"Levels (1-10), H/W Ratio (0.0 - 99.9):", "Levels", "H/W Ratio"}},
    {90, kAnyStyle, {"Galaxy Height / Width Ratio (0.0 - 99.9):", "", ""}},
    {91, kStyleNebula, {"Expansion from Spline Path (0.0 - 99.9):", "", ""}},
    {91, kStyleStarwave, {"Particle Wave Angle Increment (0.0 - 99.9):", "", ""}},
    {91, kAnyStyle, {"Radius Distribution Exponent (0.0 - 99.9):", "", ""}},
    {92, kStyleNebula, {"Solar Wind Magnitude (0.0 - 99.9):", "", ""}},
    {92, kAnyStyle, {"Height Distribution Exponent (0.0 - 99.9):", "", ""}},
    {93, kStyleNebula, {"Bias Point Travel Speed (0 - 999):", "", ""}},
    {93, kAnyStyle, {"Initial Tilt Angle in Degrees (0 - 360):", "", ""}},
};

}  // namespace

LabelText GridLabelText(int label, int style) {
    style = ClampStyle(style);
    for (const StyleCaption& c : kStyleCaptions) {
        if (c.label == label && (c.style == style || c.style == kAnyStyle)) return c.text;
    }
    return {};
}

GridVisibility GridVisibilityForStyle(int style) {
    style = ClampStyle(style);
    const auto in = [style](std::initializer_list<int> styles) {
        return std::find(styles.begin(), styles.end(), style) != styles.end();
    };
    GridVisibility v;
    v.shapeA = style <= kStyleStarwave;
    v.shapeB = in({0, 1, 2, 4, 5, 6, 7});
    v.row6 = in({0, 4, 5, 6, 7});
    v.row8 = in({kStyleQuasar, kStyleGraviton});
    v.row9 = style == kStyleStandard;
    // Every style has a height ratio: the user-defined ones caption it with
    // the standard style's levels, and without maps of its own a user IFS
    // type plays on vertices shaped by it.
    v.ratio = true;
    v.row91 = in({0, 1, 4, 5, 6, 7});
    v.row92 = in({0, 1, 4, 5, 6});
    v.profile = in({0, 1, 5, 6});
    v.nebulaChecks = style == kStyleNebula;
    v.colourList = !in({kStyleNebula, kStyleMolecule});
    v.otherColourCycles = !v.colourList;
    v.userDefined = in({kStyleUserIfs, kStyleMolecule});
    return v;
}

std::string_view OtherColorCyclesCaption(int style) {
    if (style == kStyleNebula) return "Nebula Hue Wheel Cycling Offset  (0 - 30000):";
    if (style == kStyleMolecule) return "Atomic Sphere Color Blending  (0 - 30000):";
    return {};
}

std::string_view UserDefinedCaption(int style) {
    if (style == kStyleUserIfs) return "User Defined Iterated Function System...";
    if (style == kStyleMolecule) return "User Defined Molecular Structure...";
    return {};
}

GridValues ShowGalaxyType(const GalaxyType& type) {
    GridValues grid;
    grid.style = ClampStyle(type.galStyle);
    const bool nebula = grid.style == kStyleNebula;
    for (const GridRow& row : kRows) {
        const std::string_view key = nebula && !row.nebulaKey.empty() ? row.nebulaKey : row.key;
        grid.rows[static_cast<size_t>(row.row)] = FieldText(type, key);
    }
    for (const GridRow& row : kPixHueRows)
        grid.hues[static_cast<size_t>(row.row)] = FieldText(type, row.key);
    grid.plane = ListIndex(type.axisPlane, kAxialPlaneNames.size(), "Galaxy_AxisPlane");
    grid.colour = ListIndex(type.colorComp, kHueComputationNames.size(), "Galaxy_ColorComp");
    grid.profile = ListIndex(type.profile, kShapeProfileNames.size(), "Galaxy_Profile");
    grid.pulsarShape = ListIndex(type.pulsarShape, kPulsarShapeNames.size(), "Galaxy_PulsarShape");
    grid.cpClosed = type.cpClose != 0;
    grid.cpAdvHW = type.cpAdvHW != 0;
    return grid;
}

void TakeGalaxyType(const GridValues& grid, GalaxyType& type) {
    TakeListIndex(grid.style, kGalaxyStyleNames.size(), type.galStyle);
    const int style = ClampStyle(type.galStyle);
    for (const GridRow& row : kRows)
        TakeRow(row, grid.rows[static_cast<size_t>(row.row)], style, type);
    for (const GridRow& row : kPixHueRows)
        TakeRow(row, grid.hues[static_cast<size_t>(row.row)], style, type);
    TakeListIndex(grid.plane, kAxialPlaneNames.size(), type.axisPlane);
    TakeListIndex(grid.profile, kShapeProfileNames.size(), type.profile);
    TakeListIndex(grid.pulsarShape, kPulsarShapeNames.size(), type.pulsarShape);
    // The nebula and the molecular structure colour their stars in ways of
    // their own that the list does not offer.
    if (style == kStyleNebula)
        type.colorComp = 5;
    else if (style == kStyleMolecule)
        type.colorComp = 6;
    else
        TakeListIndex(grid.colour, kHueComputationNames.size(), type.colorComp);
    type.cpClose = grid.cpClosed ? 1 : 0;
    type.cpAdvHW = grid.cpAdvHW ? 1 : 0;
}

void TakeThemeExtras(const GalaxyType& theme, GalaxyType& type) {
    if (theme.stdLevels > 1) {
        type.stdLevDRad = theme.stdLevDRad;
        type.stdLevHSca = theme.stdLevHSca;
        type.stdLevBHS = theme.stdLevBHS;
        type.stdLevBA0 = theme.stdLevBA0;
        type.stdLevBA1 = theme.stdLevBA1;
    }
    type.ifsCount = theme.ifsCount;
    type.ifsCenterX = theme.ifsCenterX;
    type.ifsCenterY = theme.ifsCenterY;
    type.ifsCenterZ = theme.ifsCenterZ;
    type.ifsPoints = theme.ifsPoints;
    type.atomCount = theme.atomCount;
    type.atomCenterX = theme.atomCenterX;
    type.atomCenterY = theme.atomCenterY;
    type.atomCenterZ = theme.atomCenterZ;
    type.atoms = theme.atoms;
}

}  // namespace orrelume
