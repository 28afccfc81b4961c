#include <gtest/gtest.h>

#include "settings/factory_themes.h"
#include "settings/memory_backend.h"
#include "settings/numeric.h"
#include "support/store_sets.h"

namespace orrelume {
namespace {

int FieldCount(std::string_view row) {
    int commas = 0;
    for (char c : row)
        commas += c == ',';
    return commas;  // every galaxy row ends with a comma
}

TEST(CommaField, SplitsTrimsAndReadsPastTheEndAsEmpty) {
    EXPECT_EQ(CommaField(" 300 ,500,  0.9975 ,", 0), "300");
    EXPECT_EQ(CommaField(" 300 ,500,  0.9975 ,", 2), "0.9975");
    EXPECT_EQ(CommaField(" 300 ,500,  0.9975 ,", 3), "");
    EXPECT_EQ(CommaField(" 300 ,500,  0.9975 ,", 40), "");
    // The last field needs no comma after it.
    EXPECT_EQ(CommaField("a, b, 30", 2), "30");
    EXPECT_EQ(CommaField("a, b, 30", -1), "");
}

// Every row of both sets follows the layout, uses its slot's style and keeps
// every field within the ranges of the galaxy type record.
TEST(GalaxyPresets, EveryRowIsAValidTypeOfItsSlotsStyle) {
    for (int set = 0; set < kPresetSetCount; ++set) {
        for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
            SCOPED_TRACE("set " + std::to_string(set) + " row " + std::to_string(slot + 1));
            const std::string_view row = GalaxyPresetRow(set, slot + 1);
            ASSERT_FALSE(row.empty());
            EXPECT_EQ(row.back(), ',');
            const int count = static_cast<int>(Val(CommaField(row, 67)));
            EXPECT_EQ(FieldCount(row), 71 + 7 * count);
            for (int unused : {32, 33, 34, 64, 65, 66})
                EXPECT_EQ(CommaField(row, unused), "0") << unused;
            for (int k = 0; k < FieldCount(row); ++k)
                EXPECT_TRUE(ParseNumeric(CommaField(row, k))) << "field " << k;

            GalaxyType type = DefaultGalaxyType(slot);
            ASSERT_TRUE(ApplyGalaxyPreset(set, slot, type));
            EXPECT_EQ(type.name, GalaxyPresetName(set, slot));
            EXPECT_EQ(type.uniGalPct, GalaxyPresetWeight(set, slot));
            EXPECT_EQ(type.galStyle, GalaxyPresetStyle(set, slot));
            // The dialog stores 5 for a nebula, 6 for a molecule, else an
            // entry of its colour list.
            const int colour = type.galStyle == kStyleNebula     ? 5
                               : type.galStyle == kStyleMolecule ? 6
                                                                 : std::min<int>(type.colorComp, 4);
            EXPECT_EQ(type.colorComp, colour);
            EXPECT_EQ(type.ifsCount, type.galStyle == kStyleUserIfs ? count : 0);
            EXPECT_EQ(type.atomCount, type.galStyle == kStyleMolecule ? count : 0);

            GalaxyType validated = type;
            ValidateGalaxyType(validated);
            EXPECT_EQ(validated, type);
            // The level values are bounded only by the levels dialog.
            EXPECT_GE(type.stdLevDRad, 1);
            EXPECT_LE(type.stdLevDRad, 30000);
            EXPECT_GE(type.stdLevHSca, 0.0f);
            EXPECT_LE(type.stdLevHSca, 99.9f);
            for (int16_t flag : {type.stdLevBHS, type.stdLevBA0, type.stdLevBA1})
                EXPECT_TRUE(flag == 0 || flag == 1);
        }
    }
}

TEST(GalaxyPresets, UserDefinedRowsCarryTheirPointsAndAtoms) {
    const int expected[] = {5, 5, 5, 3, 6, 10};  // rows 40..45 of the 4.x set
    for (int i = 0; i < 6; ++i) {
        GalaxyType type;
        ApplyGalaxyPreset(kPresetSet4x, 39 + i, type);
        EXPECT_EQ(i < 3 ? type.ifsCount : type.atomCount, expected[i]) << "row " << 40 + i;
    }
    // The 2.0 set: 32 types, then "Undefined" copies of its first row.
    for (int slot = 32; slot < kGalaxyTypeCount; ++slot) {
        EXPECT_EQ(GalaxyPresetRow(kPresetSet20, slot + 1), GalaxyPresetRow(kPresetSet20, 1));
        EXPECT_EQ(GalaxyPresetName(kPresetSet20, slot), "Undefined");
    }
    EXPECT_NE(GalaxyPresetRow(kPresetSet20, 31), GalaxyPresetRow(kPresetSet20, 1));
}

TEST(GalaxyPresets, EstablishedRowsApplyExactly) {
    GalaxyType standard;
    ApplyGalaxyPreset(kPresetSet4x, 0, standard);
    EXPECT_EQ(standard.name, "Standard Galaxy");
    EXPECT_EQ(standard.uniGalPct, 30);
    EXPECT_EQ(standard.newFreq, 125);
    EXPECT_EQ(standard.pulsarFreq, 40);
    EXPECT_EQ(standard.pulsarMinExt, 2000);
    EXPECT_EQ(standard.pulsarMaxExt, 20);
    EXPECT_EQ(standard.pulsarShape, 4);  // shape is the last pulsar field
    EXPECT_EQ(standard.cometCPersist, 0.9975f);
    EXPECT_EQ(standard.cometSPersist, 0.95f);
    EXPECT_EQ(standard.cpPoints, 10);

    GalaxyType shells;
    ApplyGalaxyPreset(kPresetSet4x, 11, shells);
    EXPECT_EQ(shells.hWheelInc, 359.5f);
    EXPECT_EQ(shells.stdLevels, 8);
    EXPECT_EQ(shells.stdLevDRad, 300);
    EXPECT_EQ(shells.stdLevHSca, 4.0f);
    EXPECT_EQ(shells.stdLevBHS, 1);

    GalaxyType branches;
    ApplyGalaxyPreset(kPresetSet4x, 40, branches);
    EXPECT_EQ(branches.ifsCount, 5);
    EXPECT_EQ(branches.ifsCenterY, 300);
    EXPECT_EQ(branches.ifsPoints[1], (IfsPoint{0, 1000, 0, 50, 1, 90, 1}));
    EXPECT_EQ(branches.ifsPoints[3], (IfsPoint{1000, 0, 0, 33, 0, 60, 1}));
    EXPECT_EQ(branches.ifsPoints[4], IfsPoint{});

    GalaxyType pre20;
    ApplyGalaxyPreset(kPresetSet20, 0, pre20);
    EXPECT_EQ(pre20.uniGalPct, 20);
    EXPECT_EQ(pre20.radiusExp, 1.4f);
    EXPECT_EQ(pre20.angleTInc, 0.04f);
    EXPECT_EQ(pre20.pulsarCycles, 5);
}

TEST(GalaxyPresets, ApplyingSetsOnlyWhatTheRowGoverns) {
    // Row 44 on a slot with five points: no points, six atoms, no clamping.
    GalaxyType type = testing::GenerationSet(5).types[0];
    type.ifsCount = 5;
    type.stdLevDRad = 777;
    type.stdLevBA1 = 1;
    ApplyGalaxyPreset(kPresetSet4x, 43, type);
    EXPECT_EQ(type.ifsCount, 0);
    EXPECT_EQ(type.atomCount, 6);
    EXPECT_EQ(type.angleTInc, 359.875f);
    EXPECT_EQ(type.atoms[0], (AtomEntry{8, 0, 0, 0, 5, 80, 750, 38}));
    EXPECT_EQ(type.atoms[5], (AtomEntry{1, 0, 0, 0, 4, 10, 250, 26}));
    // One level: the level values stay as they were.
    EXPECT_EQ(type.stdLevDRad, 777);
    EXPECT_EQ(type.stdLevBA1, 1);

    // The 2.0 set's slot 40 holds its first row, named "Undefined".
    GalaxyType undefined = DefaultGalaxyType(40), first = DefaultGalaxyType(40);
    ApplyGalaxyPreset(kPresetSet20, 40, undefined);
    ApplyGalaxyPreset(kPresetSet20, 0, first);
    EXPECT_EQ(undefined.name, "Undefined");
    EXPECT_EQ(undefined.uniGalPct, 0);
    first.name = undefined.name;
    first.uniGalPct = 0;
    EXPECT_EQ(undefined, first);

    GalaxyType untouched = DefaultGalaxyType(3);
    EXPECT_FALSE(ApplyGalaxyPreset(2, 3, untouched));
    EXPECT_FALSE(ApplyGalaxyPreset(0, 50, untouched));
    EXPECT_EQ(untouched, DefaultGalaxyType(3));
    EXPECT_EQ(GalaxyPresetRow(0, 0), "");
    EXPECT_EQ(GalaxyPresetRow(0, 51), "");
}

TEST(UniverseThemes, RowsFillTheUniverseValues) {
    UniverseSettings base;
    base.cRamp = 321;
    const auto classical = UniverseThemeValues(1, false, UniverseSettings{});
    ASSERT_TRUE(classical);
    EXPECT_EQ(*classical, UniverseSettings{});  // the first theme is the defaults

    const auto gravity = UniverseThemeValues(8, false, base);
    ASSERT_TRUE(gravity);
    EXPECT_EQ(gravity->gravForce, 125000.0f);
    EXPECT_EQ(gravity->tour, 0);
    EXPECT_EQ(gravity->cRamp, 321);  // not part of a theme
    EXPECT_EQ(gravity->gsIdx, "");

    const auto old = UniverseThemeValues(1, true, base);
    EXPECT_EQ(old->stars, 2500);
    EXPECT_EQ(old->profile, 0);
    EXPECT_EQ(old->dstCen, 15000);
    EXPECT_EQ(UniverseThemeValues(2, true, base), UniverseThemeValues(2, false, base));

    const auto morphing = UniverseThemeValues(4, false, base);
    EXPECT_EQ(morphing->gVisit, 1);
    EXPECT_EQ(morphing->amMaxExt, 25.0f);
    EXPECT_EQ(UniverseThemeName(3), "Sparce Space:  Long Distance Trips");
    EXPECT_FALSE(UniverseThemeValues(0, false, base));
    EXPECT_FALSE(UniverseThemeValues(9, false, base));
    EXPECT_EQ(UniverseThemeRow(9, false), "");
}

TEST(CompositePresets, ApplyTheirRowsToTheSixteenSlots) {
    CompositeTable composites;
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot)
        composites[slot] = DefaultCompositeGalaxy(slot);
    ApplyCompositePresets(kPresetSet4x, composites);
    EXPECT_EQ(composites[0].name, "Nested Rings + Comet Core");
    EXPECT_EQ(composites[0].weight, 30);
    EXPECT_EQ(composites[0].count, 4);
    EXPECT_EQ(
        (std::vector<int16_t>(composites[0].members.begin(), composites[0].members.begin() + 4)),
        (std::vector<int16_t>{48, 45, 46, 47}));

    ApplyCompositePresets(kPresetSet20, composites);
    // A row without a trailing comma: the count decides how many members.
    EXPECT_EQ(composites[14].name, "Sphere Rings / Bottle Axis");
    EXPECT_EQ(composites[14].count, 5);
    EXPECT_EQ(composites[14].members[4], 30);
    EXPECT_EQ(composites[13].count, 7);

    // Every member names a defined type of its set.
    for (int set = 0; set < kPresetSetCount; ++set) {
        ApplyCompositePresets(set, composites);
        for (const CompositeGalaxy& c : composites) {
            for (int i = 0; i < c.count; ++i) {
                EXPECT_NE(GalaxyPresetName(set, c.members[i]), "Undefined") << c.name;
                EXPECT_LT(c.members[i], kGalaxyTypeCount);
            }
        }
    }

    CompositeTable before = composites;
    ApplyCompositePresets(7, composites);
    EXPECT_EQ(composites, before);
}

TEST(FactorySet, FirstStartStoresTheTypesAndCompositesUntilSettingsExist) {
    const SettingsSet factory = FactorySettingsSet(kPresetSet4x);
    EXPECT_EQ(factory.universe, UniverseSettings{});
    EXPECT_EQ(factory.types[22].name, "Nebula:  Rainbow Loop");
    EXPECT_EQ(factory.composites[15].name, "Multiple Gravity Cells");
    EXPECT_EQ(FactorySettingsSet(kPresetSet20).universe.stars, 2500);

    MemoryBackend user;
    SettingsStore store(&user);
    EXPECT_TRUE(InstallFactoryTypesIfNeeded(store));
    EXPECT_EQ(user.FlushCount(), 1);
    EXPECT_FALSE(user.Contains("General", "AnimationType"));
    EXPECT_FALSE(user.Contains("Universe", "Universe_Stars"));
    EXPECT_FALSE(user.Contains("Advanced", "Adv_TimeDelay"));
    const SettingsSet stored = LoadAllSettings(store);
    EXPECT_EQ(stored.types, factory.types);
    EXPECT_EQ(stored.composites, factory.composites);

    // Repeated at every start while settings were never stored.
    user.Write(GalaxySection(0), "_UniGalName", "Mine");
    EXPECT_TRUE(InstallFactoryTypesIfNeeded(store));
    EXPECT_EQ(LoadGalaxyType(store, 0).name, "Standard Galaxy");

    user.Write("General", "AnimationType", "0");
    user.Write(GalaxySection(0), "_UniGalName", "Mine");
    EXPECT_FALSE(InstallFactoryTypesIfNeeded(store));
    EXPECT_EQ(LoadGalaxyType(store, 0).name, "Mine");
}

}  // namespace
}  // namespace orrelume
