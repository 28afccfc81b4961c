// The property grid of a galaxy type, without any window: which field each
// row of the grid shows, how each row is typed, bounded and stepped, how
// the rows are labelled and which controls show for each galaxy style, and
// the conversion of a type into the grid's texts and back.
//
// Several rows serve two fields: rows 3 to 6 and 93 show the nebula fields
// for a nebula and the other fields for every other style, and the grid is
// taken back into both, so switching a type's style keeps what was typed.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "settings/records.h"
#include "ui/field_text.h"

namespace orrelume {

// Row numbers of the text-field array run 0..96 (not all exist).
inline constexpr int kGridRowSlots = 97;
inline constexpr int kPixHueCount = 5;

// The rows the galaxy view places, shows or watches by themselves (the
// number is the row's index in the text-field array, txtGalaxy_N).
inline constexpr int kRowColourMultiplier = 7;   // Galaxy_ColorMult
inline constexpr int kRowQuasarForce = 8;        // Galaxy_QG_Force
inline constexpr int kRowLevels = 9;             // Galaxy_StdLevels
inline constexpr int kRowNewStarFrequency = 10;  // Galaxy_NewFreq, the New Stars page's first
inline constexpr int kRowCometFrequency = 40;    // Galaxy_CometFreq, the Comets page's first
inline constexpr int kRowNovaHueStart = 47;      // Galaxy_HWC_Start
inline constexpr int kRowNovaHueEnd = 48;        // Galaxy_HWC_End
inline constexpr int kRowHeightWidthRatio = 90;  // Galaxy_GHW_Ratio
inline constexpr int kRowRadiusExponent = 91;    // Galaxy_RadiusExp
inline constexpr int kRowHeightExponent = 92;    // Galaxy_HeightExp
inline constexpr int kRowHueStart = 95;          // Galaxy_HueStart
// lblGalaxy 96 labels the profile list (row 96 is the hue wheel increment).
inline constexpr int kProfileLabel = 96;
// The five hue fields, txtPixHue_N: red, green and blue, then base and blend.
enum PixHue : int { kPixHueRed, kPixHueGreen, kPixHueBlue, kPixHueBase, kPixHueBlend };

// The arrow keys of a row: step 0 means the row has none.
struct GridArrows {
    int32_t step = 0;
    int32_t lower = 0;
    int32_t upper = 0;
};

// A spin button bound to a row: maxLength 0 means the row has none.
struct GridSpin {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int maxLength = 0;
};

// One row of the grid. For the rows whose bounds follow the style, `lower`
// and `upper` are the standard style's; GridRowBounds gives them by style.
struct GridRow {
    int row;                     // index in the text-field array (or the hue fields)
    std::string_view key;        // the field it shows
    std::string_view nebulaKey;  // the field it shows for a nebula; empty: the same
    Typing typing;
    BoundKind kind;
    double lower, upper;
    bool styleBounded;
    GridArrows arrows;
    GridSpin spin;
};

// The rows of the text-field array, in row order.
std::span<const GridRow> GalaxyGridRows();
// The five hue fields (red, green, blue, base, blend).
std::span<const GridRow> PixHueRows();
// The row with that number, or null.
const GridRow* FindGridRow(int row);

struct RowBounds {
    BoundKind kind;
    double lower, upper;
};
// The bounds a row applies when it is left, for a style (0..9; others are
// taken as the nearest style).
RowBounds GridRowBounds(const GridRow& row, int style);

// A label's caption for a style, and the words that tell its two fields
// apart for screen readers (empty when the label serves one field). The
// labels that change are lblGalaxy 0, 1, 2, 3, 90, 91, 92 and 93.
struct LabelText {
    std::string_view caption;
    std::string_view firstWord;
    std::string_view secondWord;
};
LabelText GridLabelText(int label, int style);
// What lblGalaxy 2 reads before any style is applied.
inline constexpr std::string_view kShapeLabelFormCaption = "Segments (1 - 99), Fill % (0 - 100):";

// Which of the style-dependent controls show for a style.
struct GridVisibility {
    bool shapeA = false;             // lblGalaxy 2, rows 3 and 4 with their spin buttons
    bool shapeB = false;             // lblGalaxy 3, row 5 with its spin button
    bool row6 = false;               // row 6 with its spin button
    bool row8 = false;               // the quasar speed or graviton force
    bool row9 = false;               // the levels, with the levels button
    bool ratio = false;              // lblGalaxy 90 and row 90
    bool row91 = false;              // lblGalaxy 91 and row 91
    bool row92 = false;              // lblGalaxy 92 and row 92
    bool profile = false;            // lblGalaxy 96, the profile list and its drawing
    bool nebulaChecks = false;       // the two control-point check boxes
    bool colourList = false;         // the star hue computation list
    bool otherColourCycles = false;  // the label that takes the list's place
    bool userDefined = false;        // the button of the user-defined styles
};
GridVisibility GridVisibilityForStyle(int style);
// The caption that replaces the hue computation list (empty: none).
std::string_view OtherColorCyclesCaption(int style);
// The caption of the user-defined button (empty: not shown).
std::string_view UserDefinedCaption(int style);

// The fixed lists of the grid.
extern const std::array<std::string_view, 2> kAxialPlaneNames;
extern const std::array<std::string_view, 5> kHueComputationNames;
extern const std::array<std::string_view, 3> kGridPageNames;
extern const std::array<std::string_view, 7> kShapeProfileNames;
extern const std::array<std::string_view, 5> kPulsarShapeNames;

// Everything the grid shows of a type: the text of every row, the list
// indexes and the check boxes.
struct GridValues {
    std::array<std::string, kGridRowSlots> rows;
    std::array<std::string, kPixHueCount> hues;
    int style = 0;
    int plane = 0;
    int colour = 0;
    int profile = 0;
    int pulsarShape = 0;
    bool cpClosed = false;
    bool cpAdvHW = false;
};

// The grid's view of a type. Rows 3 to 6 and 93 show the nebula fields when
// the style is the nebula. A value no list offers shows the field's default.
GridValues ShowGalaxyType(const GalaxyType& type);

// Takes the grid into the type: every row bounded as leaving it would for
// the grid's style, integer fields rounded half to even, singles as typed;
// rows 3 to 6 and 93 into both of their fields; the hue computation 5 for
// a nebula, 6 for a molecular structure, otherwise the list's choice. A list
// with nothing chosen leaves its field. Name and percentage are not part of
// the grid.
void TakeGalaxyType(const GridValues& grid, GalaxyType& type);

// What a factory theme brings that the grid does not show: its points and
// atoms, and its level values when it has more than one level (a theme of
// one level leaves them, as it does when it fills a slot).
void TakeThemeExtras(const GalaxyType& theme, GalaxyType& type);

}  // namespace orrelume
