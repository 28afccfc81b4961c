// The galaxy-type and composite lists of the properties dialog without their
// window: the entries' texts and the commits.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "dialogs/type_lists.h"
#include "settings/memory_backend.h"
#include "settings/store.h"

namespace orrelume {
namespace {

// Each character one pixel wide: the padding is then a count of characters.
int OnePixelEach(std::string_view text) {
    return static_cast<int>(text.size());
}

TEST(DialogTypeLists, EntriesPadToTheirWidthAndReadBack) {
    // Short names are padded to the width, long ones by three blanks.
    EXPECT_EQ(ListEntryText("Ring", 15, 10, OnePixelEach), "Ring      15");
    const std::string entry = ListEntryText("A Very Long Galaxy Name", 5, 10, OnePixelEach);
    EXPECT_EQ(entry, "A Very Long Galaxy Name   5");
    const ListEntryParts parts = ReadListEntry(entry);
    EXPECT_EQ(parts.name, "A Very Long Galaxy Name");
    EXPECT_EQ(parts.percent, "5");
    const ListEntryParts full = ReadListEntry(ListEntryText("Spiral 9", 9999, 0, OnePixelEach));
    EXPECT_EQ(full.name, "Spiral 9");
    EXPECT_EQ(full.percent, "9999");
    // A font that measures nothing still ends the padding.
    EXPECT_LT(ListEntryText("x", 1, 1000, [](std::string_view) { return 0; }).size(), 500u);
    EXPECT_EQ(ListEntryNameWidth(96), 160);

    CompositeGalaxy unnamed;
    EXPECT_EQ(ReadListEntry(CompositeEntryText(unnamed, 2, 0, OnePixelEach)).name,
              "< Galaxy Composite 3 >");
    EXPECT_EQ(ProfileEntryText(ListEntryText("Ring", 15, 40, OnePixelEach)), "Ring");
    // Padded in a wide font to fewer than 30 characters: still the name alone.
    EXPECT_EQ(ProfileEntryText(ListEntryText("Segmented Starfish", 15, 0, OnePixelEach)),
              "Segmented Starfish");
}

TEST(DialogTypeLists, GalaxyCommitAndResetPercent) {
    GalaxyType type;
    // A paste can bring in what typing swallows.
    EXPECT_EQ(CommitGalaxyEntry(type, "  [Bright], =Ring  ", "12345"), "9999");
    EXPECT_EQ(type.name, "Bright Ring");
    EXPECT_EQ(type.uniGalPct, 9999);

    EXPECT_FALSE(ResetPercentValue(""));
    EXPECT_FALSE(ResetPercentValue("   "));
    EXPECT_EQ(ResetPercentValue("42"), 42);
    EXPECT_EQ(ResetPercentValue("123456789"), 9999);  // bounded, not overflowed
}

TEST(DialogTypeLists, CompositeCommitStoresMajorThenMinorsOnce) {
    GalaxyTypeTable types;
    types[3].galStyle = kStyleIfsFractal;
    types[8].galStyle = kStyleUserIfs;
    CompositeGalaxy composite;
    CompositeChoice choice;
    std::string percent = "20";
    EXPECT_EQ(CommitComposite(composite, types, "X", percent, choice), CompositeCommit::kNoMajor);
    EXPECT_EQ(composite, CompositeGalaxy{});

    // The major type also chosen as a minor type is stored once, and counts
    // once as an IFS type.
    choice.major = 3;
    choice.minors[3] = true;
    choice.minors[1] = true;
    choice.minors[7] = true;
    EXPECT_EQ(IfsTypeCount(types, choice), 1);
    EXPECT_EQ(CommitComposite(composite, types, " Mix, One ", percent, choice),
              CompositeCommit::kStored);
    EXPECT_EQ(composite.name, "Mix One");
    EXPECT_EQ(composite.weight, 20);
    ASSERT_EQ(composite.count, 3);
    EXPECT_EQ(composite.members[0], 3);
    EXPECT_EQ(composite.members[1], 1);
    EXPECT_EQ(composite.members[2], 7);
    const CompositeChoice shown = ChoiceOfComposite(composite);
    EXPECT_EQ(shown.major, 3);
    EXPECT_TRUE(shown.minors[1] && shown.minors[7] && !shown.minors[3]);

    choice.minors[8] = true;
    EXPECT_EQ(CommitComposite(composite, types, "Mix", percent, choice),
              CompositeCommit::kStoredIfsNote);

    // Every type chosen: 50 members, cut to 49 when the record is next loaded.
    choice.major = 0;
    choice.minors.fill(true);
    EXPECT_EQ(CommitComposite(composite, types, "All", percent, choice),
              CompositeCommit::kStoredIfsNote);
    EXPECT_EQ(composite.count, 50);
    EXPECT_EQ(composite.members[49], 49);
    MemoryBackend backend;
    SettingsStore store(&backend);
    CompositeTable table{};
    table[0] = composite;
    SaveCompositeGalaxies(store, table);
    CompositeTable loaded{};
    LoadCompositeGalaxies(store, loaded);
    EXPECT_EQ(loaded[0].count, 49);
}

}  // namespace
}  // namespace orrelume
