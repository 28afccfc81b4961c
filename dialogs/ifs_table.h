// The user-defined IFS editor without its widgets: the five rows of point
// boxes, how they show a galaxy type's table, how the table is collected
// from them (rows without weight left out, the rest packed), and how a
// theme fills them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/editor_values.h"
#include "settings/records.h"

namespace orrelume {

// The columns of a point row, in the order of a point's fields. The axis is
// a list (`cboRAxis`); the others are the boxes `txtLocX`, `txtLocY`,
// `txtLocZ`, `txtScale`, `txtAngle` and `txtPercent`.
enum IfsColumn : int {
    kIfsLocX = 0,
    kIfsLocY,
    kIfsLocZ,
    kIfsScale,
    kIfsAxis,
    kIfsAngle,
    kIfsPercent,
    kIfsColumns
};
struct IfsColumnInfo {
    std::string_view objectName;  // without the row index
    std::string_view caption;     // the column's heading, over its range
    std::string_view range;
    int32_t upper;  // the lower bound is 0
};
inline constexpr std::array<IfsColumnInfo, kIfsColumns> kIfsColumnInfo = {{
    {"txtLocX", "X Loc:", "(0-9999):", 9999},
    {"txtLocY", "Y Loc:", "(0-9999):", 9999},
    {"txtLocZ", "Z Loc:", "(0-9999):", 9999},
    {"txtScale", "Scale %", "(0-100):", 100},
    {"cboRAxis", "Rotation", "Axis:", 2},
    {"txtAngle", "Angle", "(0-360):", 360},
    {"txtPercent", "Percent", "(0-9999):", 9999},
}};
// The rotation axes as the lists name them.
inline constexpr std::array<std::string_view, 3> kIfsAxisNames = {"X", "Y", "Z"};

struct IfsRowValues {
    // The text of each box (the axis column's text is unused).
    std::array<std::string, kIfsColumns> texts;
    int axis = -1;  // list position, -1 when none is chosen
};
struct IfsFormValues {
    std::array<IfsRowValues, kMaxIfsPoints> rows;
    TripleTexts centre;
    TripleTexts galaxy;
};

// The boxes as they show a type: its points in the first rows, the rows
// beyond its count empty; the centre and the galaxy values.
IfsFormValues ShowIfsTable(const GalaxyType& type);
// "Clear": every row empty; the centre and the galaxy values stay.
void ClearIfsRows(IfsFormValues& values);

// The table the boxes hold: the centre bounded; every row whose weight is
// above 0, in order, as the next point (each value bounded, an axis not
// chosen as X); the weights of the unused points 0.
struct IfsTable {
    int16_t count = 0;
    int16_t centreX = 0, centreY = 0, centreZ = 0;
    std::array<IfsPoint, kMaxIfsPoints> points{};
};
IfsTable CollectIfsTable(const IfsFormValues& values);
// A table needs two points to be previewed or kept.
inline constexpr int kMinIfsPoints = 2;
bool IfsTableUsable(const IfsTable& table);
// The table and the galaxy values into a type.
void PutIfsTable(const IfsTable& table, const TripleTexts& galaxy, GalaxyType& type);

// The refusal of a table with fewer than two points.
std::string TooFewPointsMessage();

// Theme `theme` (0..9) put into the boxes: the galaxy values (a 0 keeps the
// box), the centre and the five rows (a row of zeros empty).
void ApplyIfsTheme(int theme, IfsFormValues& values);
// The same for the text of a theme.
void ApplyIfsThemeText(std::string_view text, IfsFormValues& values);

}  // namespace orrelume
