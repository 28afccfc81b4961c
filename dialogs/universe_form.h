// The universe pages of the properties dialog without their widgets: which
// text field shows which universe value, under which caption and on which
// page, how each is typed, bounded and stepped; the universe values shown as
// field texts and taken back from them; the bounds a universe preview uses;
// and which tour controls are usable for a state of the three tour boxes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/records.h"
#include "ui/field_text.h"

namespace orrelume {

// The five pages chosen by the extras list, in list order; the fields that
// are always shown stand above them.
enum class UniversePage : int {
    kAlways = -1,
    kCreation = 0,
    kNewAmbient = 1,
    kTour = 2,
    kComposite = 3,
    kGravity = 4,
};
inline constexpr int kUniversePageCount = 5;
// The captions of the extras list, by page.
extern const std::array<std::string_view, kUniversePageCount> kUniversePageNames;

// The universe fields are the text-field array `txtUni`; its indexes run up
// to 51 with gaps.
inline constexpr int kUniverseFieldSlots = 52;

// One field of `txtUni`.
struct UniverseFormField {
    int index;
    // The caption of its label `lblUni`; empty for the second field of a
    // pair, which shares the label of the field before it.
    std::string_view caption;
    // The field's own word where one label serves two fields (for readers).
    std::string_view word;
    UniversePage page;
    // Bounds on leaving the field.
    BoundKind kind;
    double lower, upper;
    Typing typing;
    // Arrow keys: a step of 0 means the field has none.
    int32_t arrowStep, arrowLower, arrowUpper;
    // Spin button `spnUni` bound to the field: its maximum text length, 0
    // when the field has no spin button (the button's range is the bounds).
    int spinLength;
    std::variant<int16_t UniverseSettings::*, int32_t UniverseSettings::*,
                 float UniverseSettings::*>
        member;
};

// Every field in the order the pages show them.
std::span<const UniverseFormField> UniverseFormFields();
// The field with this `txtUni` index, or null.
inline const UniverseFormField* FindUniverseFormField(int index) {
    return FindFieldByIndex(UniverseFormFields(), index);
}

// What the universe controls hold, as plain values: the text of each field
// by its `txtUni` index (unused indexes stay empty), the universe profile
// list's position (-1 none), the three tour boxes and the tour list's text.
struct UniverseControlValues {
    std::array<std::string, kUniverseFieldSlots> texts;
    int profile = -1;
    bool tour = false;
    bool visitSeq = false;
    bool rotCam = false;
    std::string tourList;
};

// The controls as they show a set of universe values. A value stored
// outside its bounds is shown as stored (it is bounded when its field is
// left), except in a field with a spin button, whose text length is limited:
// that one is shown bounded.
UniverseControlValues ShowUniverseControls(const UniverseSettings& universe);
// The universe values the controls hold, each field bounded as leaving it
// would; the profile comes from `base` when the list shows none.
UniverseSettings TakeUniverseControls(const UniverseControlValues& controls,
                                      const UniverseSettings& base);
// The values a universe preview runs with: every value the preview takes
// from the controls within the preview's own bounds (which differ from the
// fields' bounds for the trail and the ambient stars' size); the camera
// ramping and rotation, which the preview does not take, come from `base`.
UniverseSettings PreviewUniverseControls(const UniverseControlValues& controls,
                                         const UniverseSettings& base);

// Which tour controls are usable for a state of the three boxes.
struct TourEnabling {
    // Fields 30 to 32 with their labels, and the two boxes inside the tour.
    bool tourFields;
    // Field 34 with its label: the camera rotation's ramping.
    bool rampField;
    // The frame of the tour's galaxy list: the list applies only when the
    // galaxy types are not visited in turn.
    bool tripScript;
    // The tour's galaxy list itself: only while touring, too.
    bool tourList;
};
TourEnabling TourControlsEnabled(bool tour, bool visitSeq, bool rotCam);

// The note on the gravity page, with its two line breaks.
std::string GravityWarningText();

// The captions of the universe controls that are no field.
inline constexpr std::string_view kUniversePropsCaption = "Universe Properties";
inline constexpr std::string_view kUniverseThemeCaption = "Theme:";
inline constexpr std::string_view kUniverseThemeNone = "< NONE >";
inline constexpr std::string_view kUniverseProfileCaption = "Universe Profile:";
inline constexpr std::string_view kCycleRandomly = "Cycle All Randomly";
inline constexpr std::string_view kCycleSequentially = "Cycle All Sequentially";
inline constexpr std::string_view kTourCaption = "Tour the Universe";
inline constexpr std::string_view kVisitSeqCaption = "Visit Galaxy Types Sequentially:";
inline constexpr std::string_view kRotCameraCaption = "Rotate Camera on approach to Galaxies:";
inline constexpr std::string_view kTripScriptCaption =
    "Tour per space-separated Galaxy indices (1-66)";
inline constexpr std::string_view kAmbientCaption = "Ambient Stars";
inline constexpr std::array<std::string_view, 4> kOfferedTourLists = {
    "1 24 11 21 42 44 52 51",
    "43 14 40 44 15 41 45 42",
    "1 2 4 6 9 10 11 13",
    "51 52 53 60 65",
};

}  // namespace orrelume
