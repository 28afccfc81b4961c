#include <gtest/gtest.h>

#include "settings/template_text.h"

namespace orrelume {
namespace {

std::optional<std::string> Find(const std::string& text, std::string_view section,
                                std::string_view key) {
    TemplateText t(text);
    const auto value = t.Find(section, key);
    if (!value) return std::nullopt;
    return std::string(*value);
}

TEST(TemplateLookup, FindsAValueInItsSection) {
    const std::string text =
        "\r\n[Advanced]\r\nAdv_TimeDelay=40\r\nFocalLength=1.5\r\n"
        "\r\n[Universe]\r\nUniverse_Stars=3000\r\nEmpty=\r\n";
    EXPECT_EQ(Find(text, "Advanced", "FocalLength"), "1.5");
    EXPECT_EQ(Find(text, "Universe", "Universe_Stars"), "3000");
    EXPECT_EQ(Find(text, "Universe", "Empty"), "");
    EXPECT_EQ(Find(text, "Universe", "Adv_TimeDelay"), std::nullopt);  // other section
    EXPECT_EQ(Find(text, "General", "Adv_TimeDelay"), std::nullopt);
    EXPECT_EQ(Find(text, "advanced", "FocalLength"), std::nullopt);  // case counts
    EXPECT_EQ(Find(text, "Universe", ""), std::nullopt);
}

TEST(TemplateLookup, AValueNeedsALineEndAndAnyLineEndWill) {
    EXPECT_EQ(Find("[A]\r\nk=1\r\nlast=7", "A", "last"), std::nullopt);
    EXPECT_EQ(Find("[A]\r\nk=1\r\nlast=7", "A", "k"), "1");
    // Templates edited on Linux have LF line ends; old Macs wrote CR.
    EXPECT_EQ(Find("[A]\nk=1\nm=2\n[B]\nk=3\n", "A", "m"), "2");
    EXPECT_EQ(Find("[A]\nk=1\nm=2\n[B]\nk=3\n", "B", "k"), "3");
    EXPECT_EQ(Find("[A]\rk=1\rm=2\r", "A", "m"), "2");
    // Blanks before a header or a key are allowed.
    EXPECT_EQ(Find("  [A]\r\n\tk = 1\r\n   m=2\r\n", "A", "m"), "2");
}

TEST(TemplateLookup, UserTextCannotEndABlockOrShadowAKey) {
    const std::string text =
        "[Advanced]\r\n"
        "LockMessage=See [you] soon; Adv_FontName=Courier\r\n"
        "Adv_FontName=Arial\r\n"
        "Adv_FontSize=20\r\n"
        "[Universe]\r\nUniverse_Stars=1\r\n";
    EXPECT_EQ(Find(text, "Advanced", "Adv_FontName"), "Arial");
    EXPECT_EQ(Find(text, "Advanced", "Adv_FontSize"), "20");
    EXPECT_EQ(Find(text, "Advanced", "LockMessage"), "See [you] soon; Adv_FontName=Courier");
    EXPECT_EQ(Find(text, "Universe", "Universe_Stars"), "1");

    // A header inside a value does not take the section's place.
    const std::string hijack =
        "[CompGal0]\r\n_CompGalName=Mix [CompGal1]\r\n_CompGalPct=5\r\n"
        "[CompGal1]\r\n_CompGalPct=9\r\n";
    EXPECT_EQ(Find(hijack, "CompGal1", "_CompGalPct"), "9");
    EXPECT_EQ(Find(hijack, "CompGal0", "_CompGalPct"), "5");
    // With no header line of its own, a header inside a line is used.
    EXPECT_EQ(Find("x=[Only]\r\nk=4\r\n", "Only", "k"), "4");
}

TEST(TemplateLookup, AKeyWithOtherCharactersBeforeItIsStillFound) {
    EXPECT_EQ(Find("[A]\r\nxyzGalaxy_Radius=77\r\n", "A", "Galaxy_Radius"), "77");
    // ...but a key at the start of a line comes first.
    EXPECT_EQ(Find("[A]\r\nxGalaxy_Radius=1\r\nGalaxy_Radius=2\r\n", "A", "Galaxy_Radius"), "2");
    // The header's own line belongs to its block.
    EXPECT_EQ(Find("[A] k=5\r\n", "A", "k"), "5");
}

TEST(TemplateLookup, LaterBlocksOfASectionFillInMissingKeys) {
    const std::string text =
        "[UniGal3]\r\nGalaxy_IFS_Points=2\r\n"
        "[UniGal3\\IFS]\r\nIFS_P0=*\r\n"
        "[UniGal3]\r\nGalaxy_Atoms=4\r\nGalaxy_IFS_Points=9\r\n";
    EXPECT_EQ(Find(text, "UniGal3", "Galaxy_Atoms"), "4");
    EXPECT_EQ(Find(text, "UniGal3", "Galaxy_IFS_Points"), "2");  // the first block wins
    EXPECT_EQ(Find(text, "UniGal3\\IFS", "IFS_P0"), "*");
    EXPECT_EQ(Find(text, "UniGal3", "IFS_P0"), std::nullopt);
}

TEST(TemplateLookup, HostileTextsGiveNothingRatherThanFail) {
    EXPECT_EQ(Find("", "A", "k"), std::nullopt);
    EXPECT_EQ(Find("[", "A", "k"), std::nullopt);
    EXPECT_EQ(Find("[A", "A", "k"), std::nullopt);
    EXPECT_EQ(Find("[A]", "A", "k"), std::nullopt);
    EXPECT_EQ(Find("[A]k=", "A", "k"), std::nullopt);
    EXPECT_EQ(Find(std::string("[A]\r\nk=\0x\r\n", 11), "A", "k"), std::string("\0x", 2));
    EXPECT_EQ(Find("[[[[A]\r\nk=1\r\n", "A", "k"), "1");
}

}  // namespace
}  // namespace orrelume
