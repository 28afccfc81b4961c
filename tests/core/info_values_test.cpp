// What the information windows show, without the windows: the diagnostics'
// values, the composites the about box animates, and the credits' starfield.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/about_values.h"
#include "dialogs/diagnostics_values.h"
#include "dialogs/starfield.h"
#include "settings/factory_themes.h"

namespace orrelume {
namespace {

TEST(SystemDiagnostics, ColourCountIsCappedAndUnknownValuesAreFlagged) {
    EXPECT_EQ(ColourCountText(24), "16,777,216");
    EXPECT_EQ(ColourCountText(32), "2,147,483,648");
    EXPECT_EQ(ColourCountText(48), "2,147,483,648");
    for (const std::string& unknown : {ColourCountText(0), std::string("0"), std::string("")}) {
        const DiagnosticText shown = DisplayValue(unknown);
        EXPECT_EQ(shown.text, "???");
        EXPECT_TRUE(shown.problem);
    }
    EXPECT_FALSE(DisplayValue("1920").problem);
}

TEST(AboutBox, ShowsSlotZeroAndDefinedCompositesOnly) {
    CompositeTable composites = FactorySettingsSet(kPresetSet4x).composites;
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot)
        EXPECT_TRUE(AboutShowsComposite(composites, slot)) << slot;
    composites[0].count = 0;
    composites[3].count = 0;
    composites[5].name = " Undefined ";
    EXPECT_TRUE(AboutShowsComposite(composites, 0));
    EXPECT_FALSE(AboutShowsComposite(composites, 3));
    EXPECT_FALSE(AboutShowsComposite(composites, 5));
    EXPECT_TRUE(AboutShowsComposite(composites, 4));
}

// Every star is drawn by inversion: after any number of frames, erasing the
// stars leaves the black picture they started on, even where dots overlap.
TEST(Credits, StarfieldErasesExactlyWhatItDrew) {
    std::vector<uint32_t> pixels(160 * 90, 0xFF000000u);
    Starfield field(42);
    field.Start(pixels.data(), 160, 90, 160, 200, 0.02f);
    EXPECT_EQ(field.StarCount(), 201u);
    for (int frame = 0; frame < 300; ++frame)
        field.Frame();
    EXPECT_TRUE(
        std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p != 0xFF000000u; }));
    field.EraseAll();
    EXPECT_TRUE(
        std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p == 0xFF000000u; }));

    const CreditsParameters low = BoundCreditsParameters(5, 0.0001, 0);
    EXPECT_EQ(low.stars, 10);
    EXPECT_FLOAT_EQ(low.speed, 0.0025f);
    EXPECT_FLOAT_EQ(low.scrollStep, 0.5f);
    const CreditsParameters high = BoundCreditsParameters(1e9, 1, 50);
    EXPECT_EQ(high.stars, 200);
    EXPECT_FLOAT_EQ(high.speed, 0.25f);
    EXPECT_FLOAT_EQ(high.scrollStep, 10.0f);
}

}  // namespace
}  // namespace orrelume
