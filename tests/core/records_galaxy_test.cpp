#include <gtest/gtest.h>

#include <random>

#include "settings/memory_backend.h"
#include "settings/records.h"

namespace orrelume {
namespace {

class GalaxyRecordTest : public ::testing::Test {
  protected:
    MemoryBackend user;
    SettingsStore store{&user};

    void Put(const std::string& section, std::string_view name, std::string_view text) {
        user.Write(section, name, text);
    }
    GalaxyType Load(int slot = 3) { return LoadGalaxyType(store, slot); }
};

TEST(GalaxyFieldTable, DefaultsAgreeWithTheRecord) {
    // The table drives loading; the record's initialisers are what a new type
    // holds. Both must say the same.
    const GalaxyType type;
    for (const GalaxyField& field : GalaxyFields()) {
        if (field.kind == FieldKind::Text) continue;
        EXPECT_EQ(GetGalaxyField(type, field), static_cast<float>(field.defaultValue)) << field.key;
    }
    EXPECT_EQ(GalaxyFields().size(), 65u);
    EXPECT_EQ(GalaxyFields().back().key, "Galaxy_Atoms");
    EXPECT_NE(FindGalaxyField("Galaxy_CometCPersist"), nullptr);
    EXPECT_EQ(FindGalaxyField("Galaxy_Nothing"), nullptr);
}

TEST_F(GalaxyRecordTest, FreshStoreGivesFiftyDefaultTypesDifferingOnlyInName) {
    GalaxyTypeTable types;
    LoadGalaxyTypes(store, types);
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        EXPECT_EQ(types[slot].name, "< Galaxy Profile " + std::to_string(slot + 1) + " >");
        GalaxyType renamed = types[slot];
        renamed.name = types[0].name;
        EXPECT_EQ(renamed, types[0]);
    }
    EXPECT_EQ(types[0].galStyle, 0);
    EXPECT_EQ(types[0].uniGalPct, 0);
    EXPECT_EQ(types[0], DefaultGalaxyType(0));
}

TEST_F(GalaxyRecordTest, StyleParametersAreBoundedByTheClampedStyle) {
    const std::string s = GalaxySection(3);
    Put(s, "Galaxy_GalStyle", "12");
    Put(s, "Galaxy_RadSegs", "2");
    Put(s, "Galaxy_RadBands", "0");
    EXPECT_EQ(Load().galStyle, 9);
    EXPECT_EQ(Load().radSegs, 2);
    EXPECT_EQ(Load().radBands, 1);

    Put(s, "Galaxy_GalStyle", "2");
    EXPECT_EQ(Load().radSegs, 4);
    Put(s, "Galaxy_GalStyle", "1");
    EXPECT_EQ(Load().radBands, 0);  // style 1 allows 0..360

    // The float parameters are whole numbers, rounded half to even first.
    Put(s, "Galaxy_GalStyle", "0");
    Put(s, "Galaxy_RadFill", "50.5");
    Put(s, "Galaxy_RadBFill", "51.5");
    EXPECT_EQ(Load().radFill, 50.0f);
    EXPECT_EQ(Load().radBFill, 52.0f);
    Put(s, "Galaxy_RadFill", "5000.4");
    EXPECT_EQ(Load().radFill, 100.0f);
    Put(s, "Galaxy_GalStyle", "4");
    EXPECT_EQ(Load().radFill, 5000.0f);
    Put(s, "Galaxy_GalStyle", "7");
    Put(s, "Galaxy_RadBFill", "998.5");
    EXPECT_EQ(Load().radBFill, 998.0f);
}

TEST_F(GalaxyRecordTest, ScalarFieldsAreClampedOnLoadButLevelsAreNot) {
    const std::string s = GalaxySection(3);
    Put(s, "Galaxy_CometCPersist", "1");
    Put(s, "Galaxy_CometSPersist", "0.05");
    Put(s, "Galaxy_HueBlend", "0");
    Put(s, "Galaxy_Radius", "99999");
    Put(s, "Galaxy_HueStart", "40000");  // out of 16-bit range reads 0
    Put(s, "Galaxy_StdLevDRad", "99999");
    Put(s, "Galaxy_StdLevHSca", "500");
    Put(s, "Galaxy_StdLevB_HS", "7");
    Put(s, "Galaxy_StdLevels", "11");
    const GalaxyType t = Load();
    EXPECT_EQ(t.cometCPersist, 0.9999f);
    EXPECT_EQ(t.cometSPersist, 0.1f);
    EXPECT_EQ(t.hueBlend, 1);
    EXPECT_EQ(t.radius, 30000);
    EXPECT_EQ(t.hueStart, 0);
    EXPECT_EQ(t.stdLevels, 10);
    EXPECT_EQ(t.stdLevDRad, 99999);
    EXPECT_EQ(t.stdLevHSca, 500.0f);
    EXPECT_EQ(t.stdLevBHS, 7);
}

TEST(PointText, FormatAndParse) {
    const IfsPoint p{1000, 0, 0, 40, 0, 0, 2};
    EXPECT_EQ(PointText(p), "* 1000    0    0   40    0    0    2");
    EXPECT_EQ(PointText(p).size(), 36u);
    EXPECT_EQ(ParsePointText(PointText(p)), p);
    const AtomEntry a{17, 99, 9999, 0, 11, 1, 2, 1};
    EXPECT_EQ(ParseAtomText(AtomText(a)), a);

    // Only the star, shorter texts, blanks inside a field, letters, decimals
    // and numbers too large for a field.
    EXPECT_EQ(ParsePointText("*"), IfsPoint{});
    EXPECT_EQ(ParsePointText(""), IfsPoint{});
    EXPECT_EQ(ParsePointText("*   12  3"), (IfsPoint{12, 3, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ParsePointText("* 1 2 ab34    x  2.5  3.5 1e3  "),
              (IfsPoint{12, 0, 0, 2, 4, 1000, 0}));
    EXPECT_EQ(ParsePointText("*99999 1e9 -5  "), (IfsPoint{0, 0, 0, 0, 0, 0, 0}));
    // The point count of an atom follows its structure type.
    EXPECT_EQ(ParseAtomText("*    1    0    0    0    3").pointCount, 18);
}

TEST_F(GalaxyRecordTest, PointAndAtomCountsAreBoundedBeforeEntriesAreRead) {
    const std::string s = GalaxySection(3);
    Put(s, "Galaxy_IFS_Points", "9");
    for (int i = 0; i < 9; ++i)
        Put(s + "\\IFS", "IFS_P" + std::to_string(i), "*  100");
    Put(s, "Galaxy_Atoms", "40");
    Put(s + "\\ATOMIC", "Atom_P07", "*    5    0    0    0    7");
    Put(s + "\\ATOMIC", "Atom_CenterY", "12000");
    GalaxyType t = Load();
    EXPECT_EQ(t.ifsCount, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(t.ifsPoints[i].locX, 100);
    EXPECT_EQ(t.atomCount, 32);
    EXPECT_EQ(t.atoms[7].element, 5);
    EXPECT_EQ(t.atoms[7].edgeCount, 1);  // structure 7 needs at least one edge
    EXPECT_EQ(t.atoms[0].element, 1);    // missing atom text: zeros, then bounded
    EXPECT_EQ(t.atomCenterY, 9999);

    Put(s, "Galaxy_IFS_Points", "-3");
    Put(s, "Galaxy_Atoms", "0");
    t = Load();
    EXPECT_EQ(t.ifsCount, 0);
    EXPECT_EQ(t.ifsPoints[0], IfsPoint{});
    EXPECT_EQ(t.atomCount, 0);
    EXPECT_EQ(t.atomCenterY, 0);
}

TEST_F(GalaxyRecordTest, ValidationClampsOnlyTheCountedEntries) {
    GalaxyType t = DefaultGalaxyType(0);
    t.ifsCount = 2;
    t.ifsPoints[1] = IfsPoint{-1, 10000, 5, 101, 3, 361, -7};
    t.ifsPoints[2].locX = -1;
    t.atomCount = 1;
    t.atoms[0] = AtomEntry{0, 0, -1, 10000, 15, 0, 0, 200};
    t.atoms[1].element = 0;
    ValidateGalaxyType(t);
    EXPECT_EQ(t.ifsPoints[1], (IfsPoint{0, 9999, 5, 100, 2, 360, 0}));
    EXPECT_EQ(t.ifsPoints[2].locX, -1);
    EXPECT_EQ(t.atoms[0], (AtomEntry{1, 1, 0, 9999, 11, 0, 0, 100}));
    EXPECT_EQ(t.atoms[1].element, 0);
}

TEST_F(GalaxyRecordTest, SaveWritesCountsWithTheirSubkeysAndDropsStaleEntries) {
    GalaxyType t = DefaultGalaxyType(3);
    t.galStyle = kStyleUserIfs;
    t.ifsCount = 4;
    t.ifsCenterX = 500;
    for (int i = 0; i < 4; ++i)
        t.ifsPoints[i] = IfsPoint{static_cast<int16_t>(100 * i), 1, 2, 50, 1, 90, 3};
    t.atomCount = 12;
    t.atoms[11] = AtomEntry{6, 3, 0, 0, 2, 0, 0, 8};
    ValidateGalaxyType(t);  // the atoms before 11 become valid empty ones
    SaveGalaxyType(store, 3, t);
    const std::string s = GalaxySection(3);
    EXPECT_EQ(*user.Read(s + "\\IFS", "IFS_P3"), PointText(t.ifsPoints[3]));
    EXPECT_EQ(*user.Read(s + "\\ATOMIC", "Atom_P11"), AtomText(t.atoms[11]));
    EXPECT_EQ(*user.Read(s + "\\ATOMIC", "Atom_CenterX"), "0");
    EXPECT_EQ(Load(), t);

    t.ifsCount = 2;
    t.atomCount = 0;
    SaveGalaxyType(store, 3, t);
    const auto& sections = user.Sections();
    ASSERT_TRUE(sections.count(s + "\\IFS"));
    const auto& ifs = sections.at(s + "\\IFS");
    EXPECT_EQ(ifs.size(), 5u);  // the centre and exactly two points
    EXPECT_TRUE(ifs.count("IFS_P0") && ifs.count("IFS_P1"));
    EXPECT_FALSE(sections.count(s + "\\ATOMIC"));
    EXPECT_EQ(*user.Read(s, "Galaxy_IFS_Points"), "2");

    GalaxyType expected = t;
    expected.ifsPoints[2] = expected.ifsPoints[3] = IfsPoint{};
    expected.atoms = {};
    EXPECT_EQ(Load(), expected);
}

TEST_F(GalaxyRecordTest, SavingAllTypesValidatesTheTableInPlace) {
    GalaxyTypeTable types;
    LoadGalaxyTypes(store, types);
    types[7].hueRed = 250;
    types[7].name = "  Spiral, wide = [big]  ";
    types[8].ifsCount = 12;  // a count beyond the array must not be written past it
    SaveGalaxyTypes(store, types);
    EXPECT_EQ(types[7].hueRed, 100);
    EXPECT_EQ(types[8].ifsCount, 5);
    GalaxyTypeTable loaded;
    LoadGalaxyTypes(store, loaded);
    EXPECT_EQ(loaded[7].name, "Spiral, wide = [big]");
    loaded[7].name = types[7].name;
    EXPECT_EQ(loaded, types);
}

// Whatever the store holds, a load gives a type inside its bounds (a second
// validation changes nothing) and never reads past an array.
TEST_F(GalaxyRecordTest, AnyStoredTextsLoadAsAValidType) {
    std::mt19937 random(99);
    const std::vector<std::string> pieces = {
        "1e400", "-1e400", "NaN",    "-0",  " 12 ", "0x10",   "12,5",
        "",      "40000",  "-32769", "2.5", "3.5",  "9",      "-3",
        "1e9",   "abc",    "*",      "  7", ".5",   "1e-400", "99999999999"};
    auto text = [&] {
        std::string t = pieces[random() % pieces.size()];
        if (random() % 3 == 0) t += pieces[random() % pieces.size()];
        return t;
    };
    const std::string s = GalaxySection(3);
    for (int round = 0; round < 200; ++round) {
        user = MemoryBackend();
        for (const GalaxyField& field : GalaxyFields())
            Put(s, field.key, text());
        for (int i = 0; i < 7; ++i) {
            std::string point = "*";
            for (int f = 0; f < 7; ++f)
                point += text().substr(0, 5);
            Put(s + "\\IFS", "IFS_P" + std::to_string(i), point);
            Put(s + "\\ATOMIC", "Atom_P0" + std::to_string(i), point);
        }
        Put(s + "\\IFS", "IFS_CenterX", text());
        Put(s + "\\ATOMIC", "Atom_CenterZ", text());
        const GalaxyType loaded = Load();
        GalaxyType again = loaded;
        ValidateGalaxyType(again);
        ASSERT_EQ(again, loaded) << "round " << round;
        ASSERT_GE(loaded.ifsCount, 0);
        ASSERT_LE(loaded.atomCount, kMaxAtoms);
    }
}

}  // namespace
}  // namespace orrelume
