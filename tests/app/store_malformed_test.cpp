// Settings files that no save of the program wrote: far too large, lines of
// megabytes, NUL bytes, broken UTF-8, headers that never close, escapes.
// Reading gives what the file holds within its limits and defaults for the
// rest; the next save writes a file that reads back whole.
#include <gtest/gtest.h>

#include <random>

#include "platform/qsettings_backend.h"
#include "platform/store_ini.h"
#include "settings/records.h"
#include "support/store_sets.h"

namespace orrelume {
namespace {

using testing::GenerationOf;
using testing::GenerationSet;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

std::string SavedFile(int generation, const std::string& path) {
    QSettingsBackend backend(path);
    SettingsStore store(&backend);
    SettingsSet set = GenerationSet(generation);
    EXPECT_TRUE(SaveAllSettings(store, set));
    return ReadFileBytes(path);
}

// Saves `generation` over whatever the store read, and checks the file that
// results: formatted as the program formats it, and read back whole.
void ExpectSaveWritesClean(SettingsStore& store, const std::string& path, int generation) {
    SettingsSet next = GenerationSet(generation);
    ASSERT_TRUE(SaveAllSettings(store, next));
    const QByteArray text = QByteArray::fromStdString(ReadFileBytes(path));
    EXPECT_FALSE(text.contains('\0'));
    EXPECT_TRUE(FormatStoreIni(ParseStoreIni(text)) == text) << "the saved file is not clean";
    QSettingsBackend fresh(path, StoreAccess::ReadOnly);
    SettingsStore freshStore(&fresh);
    EXPECT_EQ(GenerationOf(LoadAllSettings(freshStore)), generation);
}

TEST(StoreMalformed, HugeFilesReadTheirFirstPartAndTheNextSaveIsWhole) {
    testing::ScratchDir dir;
    const std::string path = dir.File("QUIV_Galaxy.ini");

    // A whole set, then 100 MB of short lines under a section that sorts
    // ahead of the program's: reading stops at its limits, and a save
    // written with all that was read would lose its own tail at the next read.
    std::string text = SavedFile(5, path) + "[A]\n";
    text.reserve(size_t{100} << 20);
    for (int i = 0; text.size() < (size_t{100} << 20); ++i)
        text += "k" + std::to_string(i) + "=1\n";
    WriteFileBytes(path, text);
    text.clear();
    text.shrink_to_fit();
    {
        QSettingsBackend backend(path);
        SettingsStore store(&backend);
        EXPECT_EQ(GenerationOf(LoadAllSettings(store)), 5);
        ExpectSaveWritesClean(store, path, 6);
    }
    EXPECT_LT(ReadFileBytes(path).size(), size_t{1} << 20) << "the values nobody reads stay";

    // 20 MB of noise first: the set behind it lies beyond the limit.
    std::mt19937 random(18);
    std::string noise(size_t{20} << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    WriteFileBytes(path, noise + "\n" + SavedFile(7, dir.File("seven.ini")));
    noise.clear();
    {
        QSettingsBackend backend(path);
        SettingsStore store(&backend);
        EXPECT_EQ(LoadAllSettings(store).universe, UniverseSettings{});
        ExpectSaveWritesClean(store, path, 8);
    }
}

TEST(StoreMalformed, LongLinesNulsBadTextAndOpenHeadersGiveDefaults) {
    testing::ScratchDir dir;
    const std::string path = dir.File("QUIV_Galaxy.ini");
    using namespace std::string_literals;
    const std::string file =
        "[Universe]\n"
        "Universe_Stars=" +
        std::string(size_t{10} << 20, '7') +
        "\n"                          // a line of 10 MB
        "Universe_Galaxy=12\0 34\n"s  // NUL inside
        "Universe_STrail=3\n"
        "Universe_Expand=1\xff\n"
        "Universe_Re\0cycle=7\n"s  // a NUL in a name: another name
        "\xff\xfe=a name that is no UTF-8\n"
        "[Universe\\Galaxy0]\n"
        "_UniGalName=\xff\xfe half \xc3\n"
        "Galaxy_Radius=\xc2\xa0"
        "400\n"  // a no-break space is no blank
        "[" +
        std::string(size_t{2} << 20, 'x') +
        "]\n"  // a header of 2 MB
        "Galaxy_GalStyle=3\n"
        "[Universe\\Galaxy1]\n"
        "_UniGalName=\\\\ \\n\\r\\t\\v\\f\\0 \\s\\x \\q end\\\n"
        "[Universe\\Galaxy2\n"
        "_UniGalName=under a header that never closes\n"
        "[Universe\\Galaxy4";
    WriteFileBytes(path, file);
    QSettingsBackend backend(path);
    SettingsStore store(&backend);
    const SettingsSet set = LoadAllSettings(store);
    const SettingsSet defaults = DefaultSettingsSet();
    EXPECT_EQ(set.universe.stars, defaults.universe.stars);    // a line too long is skipped
    EXPECT_EQ(set.universe.galaxy, defaults.universe.galaxy);  // not a number
    EXPECT_EQ(set.universe.sTrail, 3);                         // ... and reading goes on
    EXPECT_EQ(set.universe.expand, defaults.universe.expand);
    EXPECT_EQ(set.universe.recycle, defaults.universe.recycle);
    EXPECT_EQ(set.types[0].name, "\xff\xfe half \xc3");  // bytes come back as they are
    EXPECT_EQ(set.types[0].radius, defaults.types[0].radius);
    EXPECT_EQ(set.types[0].galStyle, defaults.types[0].galStyle);  // not under Galaxy0
    EXPECT_EQ(set.types[1].name, "\\ \n\r\t\v\f\0  \\x \\q end\\"s);
    EXPECT_EQ(set.types[2].name, defaults.types[2].name);

    // Names the program keeps go out escaped and come back the same.
    SettingsSet edited = set;
    ASSERT_TRUE(SaveAllSettings(store, edited));
    QSettingsBackend fresh(path, StoreAccess::ReadOnly);
    SettingsStore freshStore(&fresh);
    const SettingsSet again = LoadAllSettings(freshStore);
    EXPECT_EQ(again.types[0].name, set.types[0].name);
    EXPECT_EQ(again.types[1].name, set.types[1].name);
    ExpectSaveWritesClean(store, path, 9);
}

}  // namespace
}  // namespace orrelume
