// The tables of the IFS and molecule editors without their windows: the rows
// they collect, and their themes run through the editors' preview.
#include <gtest/gtest.h>

#include <cstdint>

#include "dialogs/editor_themes.h"
#include "dialogs/editor_values.h"
#include "dialogs/ifs_table.h"
#include "dialogs/molecule_table.h"
#include "driver/offscreen_host.h"
#include "driver/run_driver.h"
#include "driver/settings_source.h"
#include "settings/factory_themes.h"

namespace orrelume {
namespace {

TEST(IfsEditor, RowsWithoutWeightAreLeftOutTheRestPacked) {
    IfsFormValues v;
    v.rows[0].texts = {"100", "200", "300", "40", "", "60", "2"};
    v.rows[0].axis = 1;
    v.rows[1].texts = {"500", "500", "500", "50", "", "0", "0"};  // no weight
    v.rows[2].texts = {"99999", "7", "", "150", "", "400", "3"};
    const IfsTable t = CollectIfsTable(v);
    ASSERT_EQ(t.count, 2);
    EXPECT_EQ(t.points[0], (IfsPoint{100, 200, 300, 40, 1, 60, 2}));
    EXPECT_EQ(t.points[1], (IfsPoint{9999, 7, 0, 100, 0, 360, 3}));
    EXPECT_EQ(t.points[2], IfsPoint{});
}

// Runs the editors' preview of one type for a few frames, without a window.
int64_t PreviewFrames(const GalaxyType& type, int frames) {
    SettingsSet set = FactorySettingsSet(kPresetSet4x);
    set.types[5] = type;
    FixedSettingsSource settings(set);
    HostState state;
    OffscreenHost host(state, frames);
    RunDriver driver(host, state, settings);
    driver.SetFixedSeed(3);
    driver.SetUnpaced(true);
    driver.SetRecords(set.types, set.composites);
    RunEditorPreview(driver, 160, 120, 5, set.universe, 3000, 1, 165, 210);
    return host.Frames();
}

// Every theme gives a table that validation leaves alone, and that the
// preview runs; so do an empty, a one-point and a full table of the largest
// lattices.
TEST(EditorThemes, EveryThemeMakesAValidTableThatPreviews) {
    for (int theme = 0; theme < kEditorThemeCount; ++theme) {
        GalaxyType ifs = DefaultGalaxyType(5);
        ifs.galStyle = kStyleUserIfs;
        IfsFormValues v = ShowIfsTable(ifs);
        ApplyIfsTheme(theme, v);
        const IfsTable table = CollectIfsTable(v);
        EXPECT_TRUE(IfsTableUsable(table)) << theme;
        PutIfsTable(table, v.galaxy, ifs);

        GalaxyType molecule = DefaultGalaxyType(5);
        molecule.galStyle = kStyleMolecule;
        MoleculeFormValues m = ShowMolecule(molecule);
        ApplyMoleculeTheme(theme, m);
        EXPECT_TRUE(PutMolecule(m, molecule)) << theme;

        for (const GalaxyType& type : {ifs, molecule}) {
            GalaxyType validated = type;
            ValidateGalaxyType(validated);
            EXPECT_EQ(validated, type) << theme;
            EXPECT_EQ(PreviewFrames(type, 20), 20) << theme;
        }
        EXPECT_EQ(ThemeRecords(IfsThemeText(theme)).size(), 8u) << theme;
        EXPECT_EQ(ThemeRecords(MoleculeThemeText(theme)).size(), 3u + molecule.atomCount) << theme;
    }

    // A theme's rotation of 0 is taken; its distance of 0 keeps the user's.
    IfsFormValues tree;
    tree.galaxy = {"500", "700", "900"};
    ApplyIfsTheme(0, tree);  // Hexagonal Tree: 400, 0, 0
    EXPECT_EQ(tree.galaxy, (TripleTexts{"400", "0", "900"}));

    GalaxyType empty = DefaultGalaxyType(5);
    empty.galStyle = kStyleUserIfs;
    EXPECT_EQ(PreviewFrames(empty, 10), 10);
    empty.galStyle = kStyleMolecule;
    EXPECT_EQ(PreviewFrames(empty, 10), 10);
    GalaxyType one = empty;
    one.galStyle = kStyleUserIfs;
    one.ifsCount = 1;
    one.ifsPoints[0] = {9999, 0, 9999, 100, 2, 360, 9999};
    EXPECT_EQ(PreviewFrames(one, 10), 10);
    GalaxyType full = empty;
    full.atomCount = kMaxAtoms;
    for (int i = 0; i < kMaxAtoms; ++i) {
        AtomFormValues form{1 + i % 17, 6 + i % 6, {"9999", "9999", "0", "9999", "9999"}};
        full.atoms[static_cast<size_t>(i)] = AtomOfForm(form);
    }
    EXPECT_EQ(full.atoms[0].edgeCount, 99);
    EXPECT_EQ(PreviewFrames(full, 10), 10);
}

}  // namespace
}  // namespace orrelume
