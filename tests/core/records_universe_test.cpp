// Composite galaxies, the universe values and the advanced values.
#include <gtest/gtest.h>

#include <cmath>

#include "settings/memory_backend.h"
#include "settings/records.h"

namespace orrelume {
namespace {

class RecordsTest : public ::testing::Test {
  protected:
    MemoryBackend user;
    SettingsStore store{&user};
};

TEST_F(RecordsTest, FreshStoreGivesSixteenEmptyComposites) {
    CompositeTable composites;
    LoadCompositeGalaxies(store, composites);
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot) {
        EXPECT_EQ(composites[slot].name, "< Composite Galaxy " + std::to_string(slot + 1) + " >");
        EXPECT_EQ(composites[slot].weight, 0);
        EXPECT_EQ(composites[slot].count, 0);
    }
}

TEST_F(RecordsTest, CompositeCountsAndMembersAreBounded) {
    const std::string s = CompositeSection(2);
    user.Write(s, "CompGal_Count", "3");
    user.Write(s, "CompGal_Type0", "48");
    user.Write(s, "CompGal_Type1", "45");
    user.Write(s, "CompGal_Type2", "60");
    user.Write(s, "_CompGalPct", "12000");
    user.Write(CompositeSection(3), "CompGal_Count", "80");
    user.Write(CompositeSection(3), "CompGal_Type60", "7");
    user.Write(CompositeSection(4), "CompGal_Count", "-4");
    CompositeTable c;
    LoadCompositeGalaxies(store, c);
    EXPECT_EQ(c[2].count, 3);
    EXPECT_EQ(c[2].members[0], 48);
    EXPECT_EQ(c[2].members[1], 45);
    EXPECT_EQ(c[2].members[2], 49);
    EXPECT_EQ(c[2].weight, 9999);
    EXPECT_EQ(c[3].count, 49);
    EXPECT_EQ(c[3].members[60], 0);  // beyond the count: never read
    EXPECT_EQ(c[4].count, 0);
}

TEST_F(RecordsTest, CompositeSaveLeavesMembersBeyondTheCount) {
    CompositeTable c;
    LoadCompositeGalaxies(store, c);
    c[5].name = "Twin spirals";
    c[5].count = 3;
    c[5].members = {4, 4, 9};
    SaveCompositeGalaxies(store, c);
    c[5].count = 1;
    SaveCompositeGalaxies(store, c);
    EXPECT_TRUE(user.Contains(CompositeSection(5), "CompGal_Type2"));
    CompositeTable loaded;
    LoadCompositeGalaxies(store, loaded);
    EXPECT_EQ(loaded[5].name, "Twin spirals");
    EXPECT_EQ(loaded[5].count, 1);
    EXPECT_EQ(loaded[5].members[0], 4);
    EXPECT_EQ(loaded[5].members[1], 0);
}

TEST_F(RecordsTest, UniverseValuesReadWithDefaultsAndRoundTrip) {
    EXPECT_EQ(LoadUniverseSettings(store), UniverseSettings{});
    EXPECT_EQ(UniverseFields().size(), 29u);
    user.Write("Universe", "Universe_Tour", "2");
    user.Write("Universe", "Universe_GVisit", "yes");
    user.Write("Universe", "Universe_Stars", "1e6");
    UniverseSettings u = LoadUniverseSettings(store);
    EXPECT_NE(u.tour, 0);
    EXPECT_EQ(u.gVisit, 0);  // not numeric: the default, off
    EXPECT_EQ(u.stars, 1000000);
    EXPECT_EQ(u.gsIdx, "");

    u.gsIdx = "1 2 4 6 9 10 11 13";
    u.amPers = 0.998f;
    u.gravForce = 12.5f;
    u.hwEnd = 300;
    u.profile = 50;
    SaveUniverseSettings(store, u);
    EXPECT_EQ(LoadUniverseSettings(store), u);
    EXPECT_EQ(*user.Read("Universe", "Universe_Persist"), "0.99");
}

TEST_F(RecordsTest, AdvancedValuesAreBoundedForTheRun) {
    EXPECT_EQ(LoadAdvancedSettings(store), AdvancedSettings{});
    user.Write("Advanced", "FocalLength", "0");
    user.Write("Advanced", "Adv_FontName", "");
    user.Write("Advanced", "Adv_MouseMove", "2");
    user.Write("Advanced", "Adv_DispBackG", "1");
    user.Write("Advanced", "Adv_FontSize", "5");
    user.Write("Advanced", "Adv_FontHueV", "400");
    user.Write("Advanced", "Adv_RandomMag", " 7.5x");
    user.Write("Advanced", "LockMessage", "  " + std::string(150, 'm'));
    AdvancedRunValues r = ReadAdvancedRunValues(store);
    EXPECT_EQ(r.focalLength, 0.01f);
    EXPECT_EQ(r.fontName, "MS Sans Serif");
    EXPECT_FALSE(r.mouseMove);
    EXPECT_TRUE(r.dispBackG);
    EXPECT_EQ(r.fontSize, 10);
    EXPECT_EQ(r.fontHue, 359);
    EXPECT_EQ(r.randomMag, 7.5);
    EXPECT_EQ(r.lockMessage, std::string(100, 'm'));
    user.Write("Advanced", "FocalLength", "25");
    EXPECT_EQ(ReadAdvancedRunValues(store).focalLength, 10.0f);

    // The message is cut by characters, not by bytes.
    std::string accented;
    for (int i = 0; i < 120; ++i)
        accented += "\xc3\xa9";
    user.Write("Advanced", "LockMessage", accented);
    EXPECT_EQ(ReadAdvancedRunValues(store).lockMessage, accented.substr(0, 200));
}

TEST_F(RecordsTest, PixelSizeOutOfRangeIsAutomatic) {
    for (const char* stored : {"-1", "5", "40000", "2.5x", "abc", ""}) {
        user.Write("Advanced", "Adv_PixelScale", stored);
        const int16_t bound = ReadAdvancedRunValues(store).pixelScale;
        EXPECT_TRUE(bound == 0 || bound == 2) << stored;  // "2.5x" reads as 2
        if (std::string(stored) != "2.5x") {
            EXPECT_EQ(bound, 0) << stored;
        }
    }
    user.Write("Advanced", "Adv_PixelScale", "3");
    EXPECT_EQ(ReadAdvancedRunValues(store).pixelScale, 3);
    // Automatic is the screen's ratio rounded, within 1..4; a set size wins.
    EXPECT_EQ(EffectivePixelScale(0, 1.0), 1);
    EXPECT_EQ(EffectivePixelScale(0, 2.0), 2);
    EXPECT_EQ(EffectivePixelScale(0, 1.25), 1);
    EXPECT_EQ(EffectivePixelScale(0, 9.0), 4);
    EXPECT_EQ(EffectivePixelScale(0, 0.5), 1);
    EXPECT_EQ(EffectivePixelScale(0, std::nan("")), 1);
    EXPECT_EQ(EffectivePixelScale(3, 1.0), 3);
    EXPECT_EQ(EffectivePixelScale(7, 2.0), 2);
}

}  // namespace
}  // namespace orrelume
