// The universe form of the properties dialog without its window: its fields
// and their values, and the tour controls.
#include <gtest/gtest.h>

#include "dialogs/universe_form.h"

namespace orrelume {
namespace {

TEST(DialogUniverseForm, FieldsShowTheirValuesAndTakeThemBackBounded) {
    const UniverseSettings defaults;
    UniverseControlValues controls = ShowUniverseControls(defaults);
    // Spot checks that each index shows its own value.
    EXPECT_EQ(controls.texts[0], "5000");
    EXPECT_EQ(controls.texts[16], "165");
    EXPECT_EQ(controls.texts[17], "210");
    EXPECT_EQ(controls.texts[33], "4000");
    EXPECT_EQ(controls.texts[34], "750");
    EXPECT_EQ(controls.texts[41], "0.998");
    EXPECT_EQ(controls.texts[44], "1000");
    EXPECT_EQ(controls.texts[51], "1");
    EXPECT_EQ(controls.profile, 51);
    EXPECT_EQ(TakeUniverseControls(controls, defaults), defaults);

    // A value beyond a spin field's length is shown bounded, not cut short.
    UniverseSettings big;
    big.stars = 123456;
    EXPECT_EQ(ShowUniverseControls(big).texts[0], "30000");

    controls.texts[0] = "";        // empty reads 0, then the lower bound
    controls.texts[2] = "150";     // the field stops at 99, a preview at 999
    controls.texts[34] = "12.5";   // typed as a decimal, kept whole (half to even)
    controls.texts[44] = "50000";  // the field takes 99999, a preview 9999
    controls.texts[12] = "7";
    controls.profile = -1;
    controls.tour = false;
    controls.tourList = "1 2 x";
    UniverseSettings base;
    base.profile = 7;
    base.cRamp = 3;
    const UniverseSettings taken = TakeUniverseControls(controls, base);
    EXPECT_EQ(taken.stars, 10);
    EXPECT_EQ(taken.sTrail, 99);
    EXPECT_EQ(taken.cRamp, 12);
    EXPECT_EQ(taken.amMaxExt, 50000.0f);
    EXPECT_EQ(taken.persist, 1.0f);
    EXPECT_EQ(taken.profile, 7);
    EXPECT_EQ(taken.tour, 0);
    EXPECT_EQ(taken.gsIdx, "1 2 x");

    const UniverseSettings preview = PreviewUniverseControls(controls, base);
    EXPECT_EQ(preview.sTrail, 150);
    EXPECT_EQ(preview.amMaxExt, 9999.0f);
    EXPECT_EQ(preview.cRamp, 3);  // not the preview's to take
    EXPECT_EQ(preview.profile, 7);
}

TEST(DialogUniverseForm, TourControlsFollowTheThreeBoxes) {
    const TourEnabling off = TourControlsEnabled(false, false, true);
    EXPECT_FALSE(off.tourFields);
    EXPECT_FALSE(off.rampField);  // rotation needs the tour as well
    EXPECT_FALSE(off.tourList);
    EXPECT_TRUE(off.tripScript);
    const TourEnabling visiting = TourControlsEnabled(true, true, false);
    EXPECT_TRUE(visiting.tourFields);
    EXPECT_FALSE(visiting.rampField);
    EXPECT_FALSE(visiting.tripScript);  // the preset list does not apply
    EXPECT_FALSE(visiting.tourList);
    const TourEnabling all = TourControlsEnabled(true, false, true);
    EXPECT_TRUE(all.rampField);
    EXPECT_TRUE(all.tourList);
}

}  // namespace
}  // namespace orrelume
