// The template chooser's paths and file types without its window.
#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/template_paths.h"
#include "support/store_sets.h"

namespace orrelume {
namespace {

namespace fs = std::filesystem;

TEST(TemplateChooser, ExtensionAndProbe) {
    // A dot in a folder's name is no extension of the file.
    EXPECT_EQ(WithTemplateExtension("/home/j.smith/mine", "glx"), "/home/j.smith/mine.glx");
    EXPECT_EQ(WithTemplateExtension("/home/j.smith/mine.old", "glx"), "/home/j.smith/mine.old");
    EXPECT_EQ(WithTemplateExtension("plain", "glx"), "plain.glx");

    testing::ScratchDir dir;
    EXPECT_TRUE(ProbeWritable(dir.File("t")));
    EXPECT_FALSE(fs::exists(dir.File("t0")));
    EXPECT_FALSE(ProbeWritable("/dev/null/x/t"));
    // A file of the user's that happens to have the probe's name stays.
    testing::WriteFileBytes(dir.File("u0"), "keep");
    EXPECT_TRUE(ProbeWritable(dir.File("u")));
    EXPECT_EQ(testing::ReadFileBytes(dir.File("u0")), "keep");

    const auto types = ParseFileTypes(kTemplateFileTypes);
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].description, "Galaxy Templates (*.glx)");
    EXPECT_EQ(types[1].pattern, "*.*");
    EXPECT_EQ(ChooserNameFilter({"Pictures", "*.png;*.jpg"}), "Pictures (*.png *.jpg)");
}

}  // namespace
}  // namespace orrelume
