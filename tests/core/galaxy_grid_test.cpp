// The galaxy property grid without its window: rows, bounds and captions by
// style, and a type shown in the grid and taken back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>

#include "dialogs/galaxy_grid.h"
#include "settings/factory_themes.h"

namespace orrelume {
namespace {

TEST(GalaxyGrid, StyleBoundedRowsAndCaptions) {
    // Minimum and maximum of rows 3..6 for styles 0..9.
    const int mins[4][10] = {{1, 1, 4, 4, 1, 1, 1, 1, 1, 1},
                             {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                             {1, 0, 1, 0, 1, 1, 1, 1, 1, 1},
                             {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
    const int maxs[4][10] = {{99, 99, 10, 10, 20, 99, 99, 99, 99, 99},
                             {100, 100, 100, 100, 9999, 100, 100, 100, 100, 100},
                             {99, 360, 99, 100, 99, 99, 99, 99, 99, 99},
                             {100, 100, 100, 100, 100, 100, 100, 999, 100, 100}};
    for (int row = 3; row <= 6; ++row) {
        const GridRow& rule = *FindGridRow(row);
        for (int style = 0; style < 10; ++style) {
            const RowBounds b = GridRowBounds(rule, style);
            EXPECT_EQ(b.lower, mins[row - 3][style]) << row << " " << style;
            EXPECT_EQ(b.upper, maxs[row - 3][style]) << row << " " << style;
        }
        // The arrow keys keep the grid's fixed range whatever the style.
        EXPECT_EQ(rule.arrows.upper, row % 2 ? 99 : 100);
    }
    EXPECT_EQ(GridRowBounds(*FindGridRow(93), 4).upper, 999);
    EXPECT_EQ(GridRowBounds(*FindGridRow(93), 3).upper, 360);

    EXPECT_EQ(GridLabelText(2, 2).caption, "Vertices (4 - 10), Scale % (0 - 100):");
    EXPECT_EQ(GridLabelText(2, 5).caption, "Radials (1 - 99), Fill % (0 - 100):");
    EXPECT_EQ(GridLabelText(3, 7).caption, "Waves (1 - 99), Persist (0 - 999):");
    EXPECT_EQ(GridLabelText(90, 9).caption, "Levels (1-10), H/W Ratio (0.0 - 99.9):");
    EXPECT_EQ(GridLabelText(93, 4).caption, "Bias Point Travel Speed (0 - 999):");
    EXPECT_EQ(GridLabelText(0, 7).firstWord, "Expansion");

    const GridVisibility starwave = GridVisibilityForStyle(7);
    EXPECT_TRUE(starwave.row91);
    EXPECT_FALSE(starwave.row92);
    EXPECT_FALSE(starwave.profile);
    const GridVisibility fractal = GridVisibilityForStyle(3);
    EXPECT_TRUE(fractal.shapeA);
    EXPECT_FALSE(fractal.shapeB);
    EXPECT_FALSE(GridVisibilityForStyle(8).shapeA);
    EXPECT_TRUE(GridVisibilityForStyle(8).ratio);
    EXPECT_TRUE(GridVisibilityForStyle(9).ratio);
}

// A row never shows, once left, more than the type keeps when it is stored.
TEST(GalaxyGrid, RowsKeepWithinWhatIsStored) {
    for (const GridRow& row : GalaxyGridRows()) {
        const GalaxyField* field = FindGalaxyField(row.key);
        ASSERT_NE(field, nullptr) << row.key;
        if (field->styleBounded || !field->clampedOnLoad) continue;
        EXPECT_LE(row.upper, field->max) << row.key;
        EXPECT_GE(row.lower, field->min) << row.key;
    }
}

TEST(GalaxyGrid, TakesRowsIntoBothFieldsAndTheColourRule) {
    GalaxyType nebula;
    nebula.galStyle = kStyleNebula;
    nebula.cpPoints = 12;
    nebula.cpSteps = 5000;
    nebula.cpBSpd = 700;
    nebula.colorComp = 5;
    GridValues grid = ShowGalaxyType(nebula);
    EXPECT_EQ(grid.rows[3], "12");
    EXPECT_EQ(grid.rows[4], "5000");  // above the standard style's 100
    EXPECT_EQ(grid.rows[93], "700");
    // Hidden lists show a value they offer: the colour list its default.
    EXPECT_EQ(grid.colour, 3);
    grid.colour = 1;
    GalaxyType taken = nebula;
    TakeGalaxyType(grid, taken);
    EXPECT_EQ(taken.cpPoints, 12);
    EXPECT_EQ(taken.radSegs, 12);
    EXPECT_EQ(taken.radFill, 5000.0f);
    EXPECT_EQ(taken.angleTilt, 700.0f);
    EXPECT_EQ(taken.colorComp, 5);

    grid.style = kStyleMolecule;
    TakeGalaxyType(grid, taken);
    EXPECT_EQ(taken.colorComp, 6);
    EXPECT_EQ(taken.radSegs, 12);
    EXPECT_EQ(taken.radFill, 100.0f);  // bounded for the molecule

    grid.style = kStyleIfsWireframe;
    grid.rows[3] = "12";
    grid.rows[11] = "999";   // beyond its caption's 99: bounded as a save would
    grid.rows[0] = "2.5";    // pasted: rounded half to even
    grid.rows[45] = "0.97";  // a single as typed
    grid.rows[10] = "";      // empty reads as 0
    grid.plane = -1;         // nothing chosen: the field stays
    taken.axisPlane = 1;
    TakeGalaxyType(grid, taken);
    EXPECT_EQ(taken.radSegs, 10);
    EXPECT_EQ(taken.cpPoints, 10);
    EXPECT_EQ(taken.newFrames, 99);
    EXPECT_EQ(taken.radius, 2);
    EXPECT_EQ(taken.cometCPersist, 0.97f);
    EXPECT_EQ(taken.newFreq, 0);
    EXPECT_EQ(taken.axisPlane, 1);
    EXPECT_EQ(taken.colorComp, 1);
}

// Every factory theme comes back from the grid as it went in, but for the
// rows that serve two fields (taken into both) and what the grid rounds.
TEST(GalaxyGrid, FactoryThemesSurviveTheGrid) {
    const std::string_view paired[] = {"Galaxy_RadSegs",  "Galaxy_RadFill",   "Galaxy_RadBands",
                                       "Galaxy_RadBFill", "Galaxy_AngleTilt", "Galaxy_CP_Points",
                                       "Galaxy_CP_Steps", "Galaxy_CP_B_Pts",  "Galaxy_CP_B_Exp",
                                       "Galaxy_CP_B_Spd", "Galaxy_ColorComp"};
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        GalaxyType type;
        ASSERT_TRUE(ApplyGalaxyPreset(kPresetSet4x, slot, type));
        ValidateGalaxyType(type);
        GalaxyType taken = type;
        TakeGalaxyType(ShowGalaxyType(type), taken);
        for (const GalaxyField& field : GalaxyFields()) {
            if (std::find(std::begin(paired), std::end(paired), field.key) != std::end(paired))
                continue;
            EXPECT_EQ(GetGalaxyField(taken, field), GetGalaxyField(type, field))
                << slot << " " << field.key;
        }
        const bool nebula = type.galStyle == kStyleNebula;
        EXPECT_EQ(taken.radSegs, nebula ? type.cpPoints : type.radSegs) << slot;
        EXPECT_EQ(taken.cpBExp, nebula ? type.cpBExp : std::lround(type.radBFill)) << slot;
        EXPECT_EQ(taken.angleTilt, nebula ? type.cpBSpd : std::nearbyint(type.angleTilt)) << slot;
        if (type.galStyle != kStyleNebula && type.galStyle != kStyleMolecule) {
            EXPECT_EQ(taken.colorComp, type.colorComp) << slot;
        }
    }
}

}  // namespace
}  // namespace orrelume
