// Templates come from other people: whatever a file holds, a load takes what
// it can, keeps every value within its bounds, and never fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "dialogs/settings_flow.h"
#include "settings/memory_backend.h"
#include "settings/numeric.h"
#include "settings/template_file.h"
#include "support/store_sets.h"

namespace orrelume {
namespace {

void ExpectValid(const SettingsSet& set) {
    for (const GalaxyType& type : set.types) {
        GalaxyType validated = type;
        ValidateGalaxyType(validated);
        EXPECT_EQ(validated, type) << type.name;
        EXPECT_GE(type.ifsCount, 0);
        EXPECT_LE(type.ifsCount, kMaxIfsPoints);
        EXPECT_GE(type.atomCount, 0);
        EXPECT_LE(type.atomCount, kMaxAtoms);
    }
    for (const CompositeGalaxy& composite : set.composites) {
        CompositeGalaxy validated = composite;
        ValidateCompositeGalaxy(validated);
        EXPECT_EQ(validated, composite) << composite.name;
    }
}

class TemplateBadInputTest : public ::testing::Test {
  protected:
    MemoryBackend user;
    SettingsStore store{&user};
    GalaxyTemplate templates;

    // Loads `text` as the template "bad.glx" over `set`.
    SettingsSet Load(std::string text, SettingsSet set = DefaultSettingsSet()) {
        templates.CacheText("bad.glx", std::move(text));
        templates.SetCurrentTemplatePath("bad.glx");
        EXPECT_TRUE(LoadTemplate(templates, store, set, nullptr));
        ExpectValid(set);
        return set;
    }
    std::string Template(SettingsSet set) { return TemplateTextOf(store, set); }
};

TEST_F(TemplateBadInputTest, BinaryAndDamagedFilesLoadWithinBounds) {
    std::mt19937 random(20240607);
    std::string binary(1 << 20, '\0');
    for (char& c : binary)
        c = static_cast<char>(random());
    const SettingsSet fromBinary = Load(binary);
    EXPECT_EQ(fromBinary.types[0], DefaultGalaxyType(0));

    // A real template with bytes overwritten, cut short, or lines swapped.
    const std::string good = Template(testing::GenerationSet(13));
    for (int round = 0; round < 40; ++round) {
        std::string text = good;
        const int damage = 1 + static_cast<int>(random() % 200);
        for (int i = 0; i < damage; ++i)
            text[random() % text.size()] = "[]=\r\n-9e,\0x"[random() % 12];
        if (round % 4 == 0) text.resize(random() % text.size());
        Load(text, testing::GenerationSet(round));
    }
    // Nothing at all, and no line ends at all.
    Load("");
    const SettingsSet flat =
        Load("[UniGal0]Galaxy_Radius=5 _UniGalPct=7 [CompGal0]_CompGalCount=3");
    EXPECT_EQ(flat.types[0].radius, 300);
    EXPECT_EQ(flat.composites[0].count, 0);
}

TEST_F(TemplateBadInputTest, CountsBeyondTheRecordsAreBounded) {
    std::string text =
        "[UniGal1]\r\nGalaxy_GalStyle=8\r\nGalaxy_IFS_Points=99\r\n[UniGal1\\IFS]\r\n";
    for (int i = 0; i < 99; ++i)
        text += "IFS_P" + std::to_string(i) + "=*  100  200  300   50    1   45    2\r\n";
    text += "[UniGal1]\r\nGalaxy_Atoms=99\r\n[UniGal1\\ATOMIC]\r\n";
    for (int i = 0; i < 99; ++i)
        text += "Atom_P" + FormatZeroPadded(i, 2) + "=*    6    0    0    0   12    1    1\r\n";
    text += "[UniGal2]\r\nGalaxy_IFS_Points=-4\r\nGalaxy_Atoms=x\r\n";
    text += "[CompGal3]\r\n_CompGalCount=99\r\n";
    for (int i = 0; i < 99; ++i)
        text += "GalaxyIndex_" + std::to_string(i) + "=" + std::to_string(i * 7) + "\r\n";

    const SettingsSet set = Load(text);
    EXPECT_EQ(set.types[1].ifsCount, 5);
    EXPECT_EQ(set.types[1].ifsPoints[4], (IfsPoint{100, 200, 300, 50, 1, 45, 2}));
    EXPECT_EQ(set.types[1].atomCount, 32);
    // Structure 12 is bounded to 11, a lattice, whose edge count is at least 1.
    EXPECT_EQ(set.types[1].atoms[31], (AtomEntry{6, 1, 0, 0, 11, 1, 1, 1}));
    EXPECT_EQ(set.types[2].ifsCount, 0);
    EXPECT_EQ(set.types[2].atomCount, 0);
    EXPECT_EQ(set.composites[3].count, 49);
    EXPECT_EQ(set.composites[3].members[1], 7);
    EXPECT_EQ(set.composites[3].members[48], 49);  // 336 bounded to the last slot
}

TEST_F(TemplateBadInputTest, RepeatedSectionsAndBracketsInValues) {
    const std::string text =
        "[UniGal2]\r\nGalaxy_Radius=111\r\n_UniGalName=Alpha\r\n"
        "[UniGal2]\r\nGalaxy_Radius=222\r\nGalaxy_Rotation=333\r\n"
        "[CompGal0]\r\n_CompGalName=Mix [UniGal3] ]]] [[\r\n_CompGalPct=12\r\n"
        "[UniGal3]\r\nGalaxy_Radius=444\r\n";
    const SettingsSet set = Load(text);
    EXPECT_EQ(set.types[2].radius, 111);
    EXPECT_EQ(set.types[2].rotation, 333);
    EXPECT_EQ(set.types[2].name, "Alpha");
    EXPECT_EQ(set.composites[0].name, "Mix [UniGal3] ]]] [[");
    EXPECT_EQ(set.composites[0].weight, 12);
    EXPECT_EQ(set.types[3].radius, 444);
}

// A 100 MB file is read once and looked up through its index: the load takes
// about as long as reading it. One file holds a real template with 100 MB of
// junk lines inside a type's block (and a key missing there, so the plain
// search runs over them); the junk of the other has no line end at all.
TEST_F(TemplateBadInputTest, HundredMegabyteFilesLoadWhatTheyHold) {
    testing::ScratchDir dir;
    SettingsSet saved = testing::GenerationSet(31);
    saved.types[7].hueBase = 40;
    std::string text = Template(saved);
    const std::string hueBase = "Galaxy_HueBase=40\r\n";
    const size_t at = text.find(hueBase, text.find("[UniGal7]"));
    ASSERT_NE(at, std::string::npos);
    std::string junk;
    junk.reserve(100u << 20);
    const std::string line = "Junk [with] brackets = and Galaxy_Hue=signs; ]]\r\n";
    while (junk.size() < (100u << 20))
        junk += line;
    text.replace(at, hueBase.size(), junk);
    testing::WriteFileBytes(dir.File("big.glx"), text);
    text.clear();
    text.shrink_to_fit();

    templates.SetCurrentTemplatePath(dir.File("big.glx"));
    SettingsSet loaded = DefaultSettingsSet();
    ASSERT_TRUE(LoadTemplate(templates, store, loaded, nullptr));
    saved.types[7].hueBase = 0;  // missing: the default
    EXPECT_TRUE(testing::SameSet(loaded, saved));

    junk.replace(0, 9, "[UniGal0]");
    junk.erase(
        std::remove_if(junk.begin(), junk.end(), [](char c) { return c == '\r' || c == '\n'; }),
        junk.end());
    const SettingsSet flat = Load(std::move(junk));
    EXPECT_EQ(flat.types[0], DefaultGalaxyType(0));
}

}  // namespace
}  // namespace orrelume
