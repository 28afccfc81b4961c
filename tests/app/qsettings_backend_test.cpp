// The settings file through QSettings: exact round trips, subkeys, bad files
// and stores that cannot be written.
#include "platform/qsettings_backend.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "platform/store_ini.h"
#include "settings/records.h"
#include "support/store_sets.h"

namespace orrelume {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

class QSettingsBackendTest : public ::testing::Test {
  protected:
    testing::ScratchDir dir;
    std::string path = dir.File("Lumenfold/QUIV_Galaxy.ini");

    // What a new process would read from the file.
    std::optional<std::string> ReadFresh(std::string_view section, std::string_view name) {
        QSettingsBackend fresh(path, StoreAccess::ReadOnly);
        return fresh.Read(section, name);
    }
};

TEST_F(QSettingsBackendTest, ValuesAndNamesRoundTripExactly) {
    const std::vector<std::pair<std::string, std::string>> values = {
        {"_UniGalName", "Spiral, wide = [big] ; # \"quoted\" @Variant(x) 100% C:\\path"},
        {"LockMessage", "Gone fishing,back at 5"},
        {"Accented", "Galaxie \xc3\xa9toil\xc3\xa9\x65"},
        {"Long", std::string(500, 'L') + ","},
        {"Lines", "one\ntwo\r\nthree\tfour\\n"},
        {"Blanks", "  around  "},
        {"Empty", ""},
        {"Nul", std::string("a\0b", 3)},
        {"Bytes", "\xff\xfe latin-1 \xe9"},
        {"Atom_P07", "*    6    3    0    0    2    0    0"},
    };
    {
        QSettingsBackend backend(path);
        for (const auto& [name, value] : values)
            ASSERT_TRUE(backend.Write("Universe\\Galaxy3\\IFS", name, value));
        for (const auto& [name, value] : values)
            EXPECT_EQ(backend.Read("Universe\\Galaxy3\\IFS", name), value) << name;
        ASSERT_TRUE(backend.Flush());
    }
    for (const auto& [name, value] : values)
        EXPECT_EQ(ReadFresh("Universe\\Galaxy3\\IFS", name), value) << name;
    // The sections are the program's own, readable by hand.
    const std::string text = ReadFileBytes(path);
    EXPECT_NE(text.find("[Universe\\Galaxy3\\IFS]\n"), std::string::npos);
    EXPECT_NE(text.find("\nAtom_P07=*    6    3    0    0    2    0    0\n"), std::string::npos);
    EXPECT_NE(text.find("\nLockMessage=Gone fishing,back at 5\n"), std::string::npos);
}

TEST_F(QSettingsBackendTest, DeletingASubkeyReachesTheFile) {
    QSettingsBackend backend(path);
    SettingsStore store(&backend);
    store.WriteSetting("Universe\\Galaxy3\\IFS", "IFS_P0", "a");
    store.WriteSetting("Universe\\Galaxy3\\IFS\\Deeper", "v", "b");
    store.WriteSetting("Universe\\Galaxy3\\IFSX", "v", "c");
    store.WriteSetting("Universe\\Galaxy3", "Galaxy_IFS_Points", int16_t{1});
    ASSERT_TRUE(store.Flush());
    EXPECT_TRUE(store.DeleteSettingSubkey("Universe\\Galaxy3", "IFS"));
    EXPECT_TRUE(store.DeleteSettingSubkey("Universe\\Galaxy40", "IFS"));
    EXPECT_FALSE(store.DeleteSettingSubkey("Universe\\Galaxy3", ""));
    ASSERT_TRUE(store.Flush());
    EXPECT_FALSE(ReadFresh("Universe\\Galaxy3\\IFS", "IFS_P0"));
    EXPECT_FALSE(ReadFresh("Universe\\Galaxy3\\IFS\\Deeper", "v"));
    EXPECT_EQ(ReadFresh("Universe\\Galaxy3\\IFSX", "v"), "c");
    EXPECT_EQ(ReadFresh("Universe\\Galaxy3", "Galaxy_IFS_Points"), "1");
}

TEST_F(QSettingsBackendTest, WholeSetRoundTripsAndCountsShrinkInTheFile) {
    {
        QSettingsBackend backend(path);
        SettingsStore store(&backend);
        SettingsSet set = testing::GenerationSet(4);  // type 0 has 4 points
        ASSERT_EQ(set.types[0].ifsCount, 4);
        ASSERT_TRUE(SaveAllSettings(store, set));
        set = testing::GenerationSet(2);  // ... and now 2
        ASSERT_TRUE(SaveAllSettings(store, set));
    }
    QSettingsBackend fresh(path, StoreAccess::ReadOnly);
    SettingsStore store(&fresh);
    EXPECT_EQ(testing::GenerationOf(LoadAllSettings(store)), 2);
    EXPECT_TRUE(fresh.Read("Universe\\Galaxy0\\IFS", "IFS_P1"));
    EXPECT_FALSE(fresh.Read("Universe\\Galaxy0\\IFS", "IFS_P2"));
    EXPECT_FALSE(fresh.Read("Universe\\Galaxy0\\IFS", "IFS_P3"));
}

TEST_F(QSettingsBackendTest, BadFilesReadAsWhatTheyHoldAndCanBeSavedOver) {
    fs::create_directories(fs::path(path).parent_path());
    std::mt19937 random(7);
    std::string noise(20000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    SettingsSet saved = testing::GenerationSet(9);
    {
        QSettingsBackend backend(dir.File("whole.ini"));
        SettingsStore store(&backend);
        ASSERT_TRUE(SaveAllSettings(store, saved));
    }
    const std::string whole = ReadFileBytes(dir.File("whole.ini"));
    const std::vector<std::string> files = {
        noise,
        whole.substr(0, whole.size() / 2),
        "[Universe]\nUniverse_Stars=1\nUniverse_Stars=2\n[Universe\nUniverse_Galaxy=5\n"
        "[Universe]\n  Universe_STrail =  3  \nnonsense\n=x\n[Universe\\Galaxy0]\n"
        "Galaxy_IFS_Points=9\nIFS\\IFS_P0=*  100\n_UniGalName=\"a, b\"\n",
        "",
        "\xef\xbb\xbf[General]\r\nAnimationType=0\r\n",
    };
    for (size_t i = 0; i < files.size(); ++i) {
        WriteFileBytes(path, files[i]);
        QSettingsBackend backend(path);
        testing::CapturingSink sink;
        SettingsStore store(&backend, nullptr, &sink);
        SettingsSet set = LoadAllSettings(store);
        if (i == 1) {
            // The first half of a file still gives the values it holds.
            EXPECT_EQ(set.universe, saved.universe);
        }
        if (i == 2) {
            EXPECT_EQ(set.universe.stars, 2);     // the last of duplicates
            EXPECT_EQ(set.universe.galaxy, 100);  // under a broken header: skipped
            EXPECT_EQ(set.universe.sTrail, 3);    // blanks around = ignored
            EXPECT_EQ(set.types[0].ifsCount, 5);  // 9 read as 5
            EXPECT_EQ(set.types[0].ifsPoints[0].locX, 100);
            EXPECT_EQ(set.types[0].name, "\"a, b\"");
        }
        SettingsSet next = testing::GenerationSet(static_cast<int>(20 + i));
        ASSERT_TRUE(SaveAllSettings(store, next)) << i;
        EXPECT_TRUE(sink.messages.empty());
        QSettingsBackend fresh(path, StoreAccess::ReadOnly);
        SettingsStore freshStore(&fresh);
        EXPECT_EQ(testing::GenerationOf(LoadAllSettings(freshStore)), 20 + static_cast<int>(i));
    }
}

TEST_F(QSettingsBackendTest, AStoreThatCannotBeWrittenIsReportedAndLeftAlone) {
    // Root ignores permission bits; a folder below a regular file cannot be
    // made by anyone.
    QSettingsBackend backend("/dev/null/x/Lumenfold/QUIV_Galaxy.ini");
    testing::CapturingSink sink;
    SettingsStore store(&backend, nullptr, &sink);
    SettingsSet set = DefaultSettingsSet();
    EXPECT_FALSE(SaveAllSettings(store, set));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("The settings file is read-only."), std::string::npos);
    // The message names the file the user would have to make writable.
    EXPECT_NE(sink.messages[0].find("can write to " + backend.FilePath() + "."), std::string::npos);
    EXPECT_FALSE(store.CheckSettingsWritable());
    EXPECT_EQ(sink.messages.size(), 2u);

    // A file that is a folder cannot be replaced.
    fs::create_directories(path);
    QSettingsBackend onFolder(path);
    SettingsStore folderStore(&onFolder, nullptr, &sink);
    EXPECT_FALSE(folderStore.CheckSettingsWritable());
}

TEST_F(QSettingsBackendTest, ReadOnlyRootNeverTouchesTheFile) {
    {
        QSettingsBackend backend(path, StoreAccess::ReadOnly);
        EXPECT_FALSE(backend.Write("General", "AnimationType", "0"));
        EXPECT_FALSE(backend.DeleteSubkey("Universe", "Galaxy0"));
        EXPECT_FALSE(backend.Flush());
        backend.Refresh();
    }
    EXPECT_FALSE(fs::exists(fs::path(path).parent_path()));

    WriteFileBytes(dir.File("existing.ini"), "[General]\nAnimationType=0\n");
    const auto stamp = fs::last_write_time(dir.File("existing.ini"));
    {
        QSettingsBackend backend(dir.File("existing.ini"), StoreAccess::ReadOnly);
        SettingsStore store(&backend);
        EXPECT_EQ(store.ReadSettingInt16("General", "AnimationType", -1), 0);
        SettingsSet set = DefaultSettingsSet();
        EXPECT_FALSE(SaveAllSettings(store, set));
    }
    EXPECT_EQ(ReadFileBytes(dir.File("existing.ini")), "[General]\nAnimationType=0\n");
    EXPECT_EQ(fs::last_write_time(dir.File("existing.ini")), stamp);
}

TEST_F(QSettingsBackendTest, RefreshSeesAnotherWritersCommit) {
    QSettingsBackend reader(path, StoreAccess::ReadOnly);
    EXPECT_FALSE(reader.Read("Universe", "Universe_Stars"));
    QSettingsBackend writer(path);
    writer.Write("Universe", "Universe_Stars", "777");
    ASSERT_TRUE(writer.Flush());
    reader.Refresh();
    EXPECT_EQ(reader.Read("Universe", "Universe_Stars"), "777");
}

TEST(StoreIni, EscapesRoundTripAndFileOrderIsNatural) {
    QSettings::SettingsMap map;
    map.insert("Universe/Galaxy10/_UniGalName", QByteArray("ten"));
    map.insert("Universe/Galaxy2/_UniGalName", QByteArray(" two\\ "));
    map.insert("Universe/Galaxy2/IFS/IFS_P10", QByteArray("p10"));
    map.insert("Universe/Galaxy2/IFS/IFS_P9", QByteArray("p9"));
    map.insert("Odd [name]=x%;#", QByteArray("=[v]"));
    map.insert("General/AnimationType", QByteArray("0"));
    const QByteArray text = FormatStoreIni(map);
    EXPECT_EQ(ParseStoreIni(text), map);
    EXPECT_LT(text.indexOf("[Universe\\Galaxy2]"), text.indexOf("[Universe\\Galaxy10]"));
    EXPECT_LT(text.indexOf("IFS_P9="), text.indexOf("IFS_P10="));
    EXPECT_TRUE(text.contains("_UniGalName=\\stwo\\\\\\s\n"));
    EXPECT_TRUE(text.startsWith("Odd %5Bname%5D%3Dx%25%3B%23==[v]\n"));
}

}  // namespace
}  // namespace orrelume
