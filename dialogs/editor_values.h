// What the user-defined IFS and molecule editors share, without widgets:
// the structure centre and the three galaxy values with their boxes'
// captions and bounds, the records of a theme text, and the preview both
// run on their scratch galaxy type.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/records.h"
#include "ui/field_text.h"

namespace orrelume {

class RunDriver;

// A number box of an editor: its caption, its kind and its bounds.
struct EditorBox {
    std::string_view caption;
    BoundKind kind;
    double lower, upper;
};

// `txtCenter` 0..2: the structure centre, 0..9999 each.
inline constexpr std::array<EditorBox, 3> kCentreBoxes = {{
    {"X:", BoundKind::Int16, 0, 9999},
    {"Y:", BoundKind::Int16, 0, 9999},
    {"Z:", BoundKind::Int16, 0, 9999},
}};
inline constexpr std::string_view kCentreFrameCaption = "Structure Center (0-9999)";

// `txtGalaxy` 0..2: the galaxy type's radius, rotation and distance, which
// the properties dialog shows in its rows 0, 1 and 2 and bounds as these do.
inline constexpr std::array<EditorBox, 3> kGalaxyBoxes = {{
    {"Radius:", BoundKind::Int32, 1, 30000},
    {"Rotation:", BoundKind::Int32, 0, 30000},
    {"Distance:", BoundKind::Int32, 0, 30000},
}};
inline constexpr std::string_view kGalaxyFrameCaption = "Galaxy (0 - 30000)";

// The number a box holds once bounded as leaving it would (an empty box
// reads 0 before it is bounded).
int32_t BoxNumber(std::string_view text, const EditorBox& box);
int32_t BoundedNumber(std::string_view text, double lower, double upper);

using TripleTexts = std::array<std::string, 3>;
TripleTexts ShowGalaxyValues(const GalaxyType& type);
void TakeGalaxyValues(const TripleTexts& texts, GalaxyType& type);

// The galaxy values of a theme put into the boxes, bounded, a rotation of 0
// included. A distance of 0 alone leaves its box as it is: a galaxy at
// distance 0 would sit on the camera.
void ApplyThemeGalaxyValues(const std::vector<double>& numbers, TripleTexts& boxes);
// The centre of a theme (from `first` on) put into the boxes, bounded.
void ApplyThemeCentre(const std::vector<double>& numbers, size_t first, TripleTexts& boxes);

// A theme is a text of fixed-width records, each number followed by a comma.
inline constexpr size_t kThemeRecordWidth = 45;
// The records of a text (a short last record counts as one).
std::vector<std::string_view> ThemeRecords(std::string_view text);
// The numbers of a record: the text before each comma, read as a number
// (blanks and anything that is no number read 0).
std::vector<double> RecordNumbers(std::string_view record);
// The numbers of every record of a theme text, and no numbers for the
// records from its end up to `atLeast`.
std::vector<std::vector<double>> ThemeNumbers(std::string_view text, size_t atLeast);
// A theme number rounded and bounded to [lower, upper], and as box text.
int32_t ThemeNumber(double value, double lower, double upper);
std::string ThemeNumberText(double value, double lower, double upper);

// The line breaks of a note before its text.
inline constexpr std::string_view kNoteHeading = "Note:\n\n";

// The preview of both editors on the records the driver holds: a picture
// box of the given size with fixed timing, the colour tables with the
// universe's hues (each bounded to 0..999), then `slot` alone, not
// frame-limited, with the stars (10..30000) and trail (1..999) given, until
// a stop or restart.
void RunEditorPreview(RunDriver& driver, int32_t width, int32_t height, int slot,
                      const UniverseSettings& universe, int32_t stars, int32_t trail,
                      int32_t hueStart, int32_t hueEnd);

}  // namespace orrelume
