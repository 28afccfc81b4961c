#include "dialogs/universe_form.h"

#include <algorithm>
#include <type_traits>

#include "settings/numeric.h"

namespace orrelume {

const std::array<std::string_view, kUniversePageCount> kUniversePageNames = {
    "Universe Creation",  "New / Ambient Star Creation", "Galaxy Tour Characteristics",
    "Composite Galaxies", "Gravity between Galaxies",
};

namespace {

using P = UniversePage;
using K = BoundKind;
using T = Typing;
using U = UniverseSettings;

// In the order of the pages, each page top to bottom.
constexpr UniverseFormField kFields[] = {
    {0, "Stars in all the Galaxies (10 - 30000):", "", P::kAlways, K::Int32, 10, 30000, T::Digits,
     10, 10, 30000, 5, &U::stars},
    {1, "Galaxies in the Universe (1- 999):", "", P::kAlways, K::Int16, 1, 999, T::Digits, 0, 0, 0,
     3, &U::galaxy},
    {2, "Star Trail Length in Pixels (1 - 99):", "", P::kAlways, K::Int16, 1, 99, T::Digits, 0, 0,
     0, 2, &U::sTrail},

    {10, "Expansion Speed (0 - 99999):", "", P::kCreation, K::Int32, 0, 99999, T::Digits, 0, 0, 0,
     0, &U::expand},
    {11, "Expansion Steps (1 - 9999):", "", P::kCreation, K::Int16, 1, 9999, T::Digits, 0, 0, 0, 0,
     &U::eSteps},
    {12, "Star Persistence (0.25 - 1.0):", "", P::kCreation, K::Single, 0.25, 1, T::Decimal, 0, 0,
     0, 0, &U::persist},
    {14, "Universe Expansion Damping (0.0 - 1.0):", "", P::kCreation, K::Single, 0, 1, T::Decimal,
     0, 0, 0, 0, &U::damping},
    {16, "Hue Start, End (0 - 999):", "Start", P::kCreation, K::Int16, 0, 999, T::Digits, 0, 0, 0,
     3, &U::hwStart},
    {17, "", "End", P::kCreation, K::Int16, 0, 999, T::Digits, 0, 0, 0, 3, &U::hwEnd},
    {18, "Recycle Universe after visiting Galaxies (1 - 999):", "", P::kCreation, K::Int16, 1, 999,
     T::Digits, 0, 0, 0, 0, &U::recycle},

    {20, "New Stars Frequency (0 - 9999):", "", P::kNewAmbient, K::Int16, 0, 9999, T::Digits, 0, 0,
     0, 0, &U::newFreq},
    {21, "Exclusive to Current Galaxy % (0 - 100):", "", P::kNewAmbient, K::Int16, 0, 100,
     T::Digits, 0, 0, 0, 0, &U::newPctStEx},
    {40, "Stars (0 - 3000):", "", P::kNewAmbient, K::Int16, 0, 3000, T::Digits, 0, 0, 0, 0,
     &U::amStar},
    {41, "Persistence (0.25 - 1.0):", "", P::kNewAmbient, K::Single, 0.25, 1, T::Decimal, 0, 0, 0,
     0, &U::amPers},
    {42, "Age Increment (0.0 - 10.0):", "", P::kNewAmbient, K::Single, 0, 10, T::Decimal, 0, 0, 0,
     0, &U::amCAge},
    {43, "Cycle Down Frames (0 - 999):", "", P::kNewAmbient, K::Int16, 0, 999, T::Digits, 0, 0, 0,
     0, &U::amFrames},
    {44, "Max. Size Extension (1 - 99999):", "", P::kNewAmbient, K::Int32, 1, 99999, T::Digits, 0,
     0, 0, 0, &U::amMaxExt},

    {30, "Steps per Control Point (1 - 9999):", "", P::kTour, K::Int16, 1, 9999, T::Digits, 0, 0, 0,
     0, &U::gSteps},
    {31, "Control Points per Galaxy Visit (1 - 999):", "", P::kTour, K::Int16, 1, 999, T::Digits, 0,
     0, 0, 0, &U::gPCtrl},
    {32, "Control Points thru Galaxy Core (0 - 999):", "", P::kTour, K::Int16, 0, 999, T::Digits, 0,
     0, 0, 0, &U::gCCtrl},
    {33, "Distance from Universe Center (0 - 999999):", "", P::kTour, K::Int32, 0, 999999,
     T::Digits, 0, 0, 0, 0, &U::dstCen},
    // Typed as a decimal, kept as a whole number.
    {34, "Camera Rotation Ramping (0 - 999):", "", P::kTour, K::Int16, 0, 999, T::Decimal, 0, 0, 0,
     0, &U::cRamp},

    {50, "Gravitational Magnitude (0 - 999999):", "", P::kGravity, K::Int32, 0, 999999, T::Digits,
     0, 0, 0, 0, &U::gravForce},
    {51, "Calc. Velocity Vectors per Frame (1 - 999):", "", P::kGravity, K::Int16, 1, 999,
     T::Digits, 0, 0, 0, 0, &U::gravFrame},
};

// The bounds a universe preview gives the values it takes from the fields.
// The trail and the ambient stars' size differ from the fields' bounds; the
// two hues bound the universe's colour ramp.
struct PreviewBound {
    int index;
    double lower, upper;
};
constexpr PreviewBound kPreviewBounds[] = {
    {0, 10, 30000}, {1, 1, 999},  {2, 1, 999},   {10, 0, 99999},  {11, 1, 9999}, {12, 0.25, 1},
    {14, 0, 1},     {16, 0, 999}, {17, 0, 999},  {18, 1, 999},    {20, 0, 9999}, {21, 0, 100},
    {30, 1, 9999},  {31, 1, 999}, {32, 0, 999},  {33, 0, 999999}, {40, 0, 3000}, {41, 0.25, 1},
    {42, 0, 10},    {43, 0, 999}, {44, 1, 9999}, {50, 0, 999999}, {51, 1, 999},
};
constexpr int kLastProfile = 51;

template <typename M>
constexpr BoundKind KindOfMember() {
    if constexpr (std::is_same_v<M, int16_t>) return BoundKind::Int16;
    if constexpr (std::is_same_v<M, int32_t>) return BoundKind::Int32;
    return BoundKind::Single;
}

// Stores a field's text, bounded, into its member. The bounded text always
// converts; the fallbacks only keep the conversion total.
void StoreBounded(UniverseSettings& universe, const UniverseFormField& field, std::string_view text,
                  BoundKind kind, double lower, double upper) {
    const double value = Val(BoundTextField(text, kind, lower, upper));
    std::visit(
        [&](auto member) {
            using M = std::remove_cvref_t<decltype(universe.*member)>;
            if constexpr (std::is_same_v<M, int16_t>) {
                universe.*member = CInt(value).value_or(static_cast<int16_t>(0));
            } else if constexpr (std::is_same_v<M, int32_t>) {
                universe.*member = CLng(value).value_or(0);
            } else {
                universe.*member = ToSingle(value).value_or(0.0f);
            }
        },
        field.member);
}

BoundKind MemberKind(const UniverseFormField& field) {
    return std::visit(
        [](auto member) {
            using M = std::remove_cvref_t<decltype(UniverseSettings{}.*member)>;
            return KindOfMember<M>();
        },
        field.member);
}

}  // namespace

std::span<const UniverseFormField> UniverseFormFields() {
    return kFields;
}

UniverseControlValues ShowUniverseControls(const UniverseSettings& universe) {
    UniverseControlValues controls;
    for (const UniverseFormField& field : kFields) {
        std::string text = std::visit(
            [&](auto member) {
                using M = std::remove_cvref_t<decltype(universe.*member)>;
                if constexpr (std::is_same_v<M, int16_t>) return Int16ToText(universe.*member);
                if constexpr (std::is_same_v<M, int32_t>) return Int32ToText(universe.*member);
                return SingleToText(universe.*member);
            },
            field.member);
        // A text longer than the field takes would be cut, not bounded.
        if (field.spinLength > 0) text = BoundTextField(text, field.kind, field.lower, field.upper);
        controls.texts[static_cast<size_t>(field.index)] = std::move(text);
    }
    controls.profile =
        universe.profile >= 0 && universe.profile <= kLastProfile ? universe.profile : -1;
    controls.tour = universe.tour != 0;
    controls.visitSeq = universe.gVisit != 0;
    controls.rotCam = universe.rotCam != 0;
    controls.tourList = universe.gsIdx;
    return controls;
}

UniverseSettings TakeUniverseControls(const UniverseControlValues& controls,
                                      const UniverseSettings& base) {
    UniverseSettings universe = base;
    for (const UniverseFormField& field : kFields)
        StoreBounded(universe, field, controls.texts[static_cast<size_t>(field.index)], field.kind,
                     field.lower, field.upper);
    if (controls.profile >= 0 && controls.profile <= kLastProfile)
        universe.profile = static_cast<int16_t>(controls.profile);
    universe.tour = controls.tour ? 1 : 0;
    universe.gVisit = controls.visitSeq ? 1 : 0;
    universe.rotCam = controls.rotCam ? 1 : 0;
    universe.gsIdx = controls.tourList;
    return universe;
}

UniverseSettings PreviewUniverseControls(const UniverseControlValues& controls,
                                         const UniverseSettings& base) {
    UniverseSettings universe = base;
    for (const PreviewBound& bound : kPreviewBounds) {
        const UniverseFormField* field = FindUniverseFormField(bound.index);
        if (field == nullptr) continue;
        StoreBounded(universe, *field, controls.texts[static_cast<size_t>(bound.index)],
                     MemberKind(*field), bound.lower, bound.upper);
    }
    const int profile = controls.profile >= 0 ? controls.profile : base.profile;
    universe.profile = static_cast<int16_t>(std::clamp(profile, 0, kLastProfile));
    universe.tour = controls.tour ? 1 : 0;
    universe.gVisit = controls.visitSeq ? 1 : 0;
    universe.gsIdx = controls.tourList;
    return universe;
}

TourEnabling TourControlsEnabled(bool tour, bool visitSeq, bool rotCam) {
    return TourEnabling{
        .tourFields = tour,
        .rampField = tour && rotCam,
        .tripScript = !visitSeq,
        .tourList = tour && !visitSeq,
    };
}

std::string GravityWarningText() {
    std::string text =
        "Note:  The time required to compute the gravitational attraction "
        "between Galaxies is related to the Square of the number of Galaxies "
        "in the Universe.  Entering 0 will ensure that gravity computations are "
        "bypassed entirely.  See the Online help for more information.";
    text += "\n\n";
    text += "Comets will NOT appear in any of the Galaxies if a non-zero Gravity is entered.";
    return text;
}

}  // namespace orrelume
