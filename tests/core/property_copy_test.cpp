// Copying one property to all galaxy types: which styles each property may
// change, how the value is bounded and rounded, and the missing-value
// messages.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "dialogs/property_copy.h"
#include "settings/numeric.h"

namespace orrelume {
namespace {

// Five types of each style: type i has style i % 10.
GalaxyTypeTable MixedTypes() {
    GalaxyTypeTable types;
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        types[i] = DefaultGalaxyType(i);
        types[i].galStyle = static_cast<int16_t>(i % 10);
    }
    return types;
}

CopyResult CopyText(GalaxyTypeTable& types, std::string_view caption, std::string text) {
    CopyValue value;
    value.text = std::move(text);
    return CopyProperty(types, CopyEntryIndex(caption), value);
}

TEST(PropertyCopy, StylesEachPropertyChanges) {
    GalaxyTypeTable types = MixedTypes();
    EXPECT_EQ(CopyText(types, "Galaxy Radius", "1234").typesChanged, 45);
    EXPECT_EQ(CopyText(types, "Starwave Expansion Rate", "777").typesChanged, 5);
    EXPECT_EQ(CopyText(types, "Galaxy Radial Arms", "7").typesChanged, 35);
    for (const GalaxyType& t : types) {
        EXPECT_EQ(t.radius, t.galStyle == kStyleStarwave ? 777 : 1234) << t.galStyle;
        const bool ifs = t.galStyle >= kStyleIfsPointAttractor && t.galStyle <= kStyleIfsFractal;
        EXPECT_EQ(t.radSegs, ifs ? 1 : 7) << t.galStyle;
    }

    // The closed-loop box unchecked stores 0 in the nebulae only.
    CopyValue unchecked;
    const CopyResult closed =
        CopyProperty(types, CopyEntryIndex("Nebula Control Points Closed"), unchecked);
    EXPECT_EQ(closed.typesChanged, 5);
    for (const GalaxyType& t : types)
        EXPECT_EQ(t.cpClose, t.galStyle == kStyleNebula ? 0 : 1);
}

TEST(PropertyCopy, ValuesBoundedAndRoundedByField) {
    GalaxyTypeTable types = MixedTypes();
    // A whole-degree tilt typed with decimals: rounded half to even, and
    // 359.7 rounds past the bound.
    CopyText(types, "Galaxy Angular Tilt", "12.5");
    EXPECT_EQ(types[0].angleTilt, 12.0f);
    CopyText(types, "Galaxy Angular Tilt", "359.7");
    EXPECT_EQ(types[0].angleTilt, 359.0f);
    // A single keeps its fraction.
    CopyText(types, "Comet Persistence", "0.95");
    EXPECT_EQ(types[3].cometCPersist, 0.95f);
    // A value typed and never left is bounded all the same; a 32-bit field
    // takes what a 16-bit one could not.
    CopyText(types, "Galaxy Hue:  Red", "99999");
    EXPECT_EQ(types[0].hueRed, 100);
    CopyText(types, "Galaxy Color Multiplier", "29999.5");
    EXPECT_EQ(types[0].colorMult, 30000);
    // The starwave persistence accepts 0 although its label starts at 1.
    CopyText(types, "Starwave Amplitude Persistence", "0");
    EXPECT_EQ(types[7].radBFill, 0.0f);
    EXPECT_EQ(types[0].radBFill, 100.0f);
}

// Every label shows the bounds the field enforces (the starwave persistence
// apart), every entry sets a real field, and every list has its items.
TEST(PropertyCopy, TableAgreesWithItself) {
    const auto entries = PropertyCopyEntries();
    ASSERT_EQ(entries.size(), 68u);
    for (const CopyEntry& e : entries) {
        EXPECT_NE(FindGalaxyField(e.key), nullptr) << e.caption;
        EXPECT_NE(e.styles, 0) << e.caption;
        EXPECT_EQ(CopyListItems(e).empty(), e.control != CopyControl::kList) << e.caption;
        if (e.control != CopyControl::kNumber || e.caption == "Starwave Amplitude Persistence")
            continue;
        const size_t dash = e.range.find(" - ");
        ASSERT_NE(dash, std::string_view::npos) << e.caption;
        EXPECT_EQ(Val(e.range.substr(0, dash)), e.lower) << e.caption;
        EXPECT_EQ(Val(e.range.substr(dash + 3)), e.upper) << e.caption;
        // What is copied is what a save keeps.
        const GalaxyField* field = FindGalaxyField(e.key);
        if (field != nullptr && field->clampedOnLoad && !field->styleBounded) {
            EXPECT_LE(e.upper, field->max) << e.caption;
        }
    }
}

TEST(PropertyCopy, StyleAndColourKeepTheGridsRule) {
    GalaxyTypeTable types = MixedTypes();
    CopyValue value;
    value.listIndex = kStyleNebula;
    CopyProperty(types, CopyEntryIndex("Galaxy Style"), value);
    for (const GalaxyType& t : types)
        EXPECT_EQ(t.colorComp, 5);
    // Back to a standard galaxy: a computation the list offers again.
    value.listIndex = kStyleStandard;
    CopyProperty(types, CopyEntryIndex("Galaxy Style"), value);
    EXPECT_EQ(types[0].colorComp, 3);

    types = MixedTypes();
    types[4].colorComp = 5;
    types[9].colorComp = 6;
    value.listIndex = 1;
    EXPECT_EQ(
        CopyProperty(types, CopyEntryIndex("Galaxy Color Computation Index"), value).typesChanged,
        40);
    EXPECT_EQ(types[0].colorComp, 1);
    EXPECT_EQ(types[4].colorComp, 5);
    EXPECT_EQ(types[9].colorComp, 6);
}

// A missing value leaves every record as it was.
TEST(PropertyCopy, MissingValueChangesNothing) {
    GalaxyTypeTable types = MixedTypes();
    const GalaxyTypeTable before = types;
    const CopyResult blank = CopyText(types, "Comet Stars", "   ");
    EXPECT_EQ(CopyMessage(blank.outcome, FindCopyEntry(CopyEntryIndex("Comet Stars"))),
              "Please enter a Property value.");
    CopyValue value;
    value.listIndex = 5;  // past the five shapes
    EXPECT_EQ(CopyProperty(types, CopyEntryIndex("Pulsar Star General Shape"), value).outcome,
              CopyOutcome::kNoValue);
    EXPECT_TRUE(types == before);
}

}  // namespace
}  // namespace orrelume
