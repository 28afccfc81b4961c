#include "settings/store.h"

#include <gtest/gtest.h>

#include <cmath>

#include "settings/memory_backend.h"
#include "support/store_sets.h"

namespace orrelume {
namespace {

class StoreTest : public ::testing::Test {
  protected:
    MemoryBackend user;
    MemoryBackend machine;
    testing::CapturingSink sink;
    SettingsStore store{&user, &machine, &sink};

    void Put(std::string_view name, std::string_view text) { user.Write("S", name, text); }
};

TEST_F(StoreTest, NumericReadsRoundHalfToEvenAndGiveZeroOutOfRange) {
    Put("a", "12.5");
    Put("b", "13.5");
    Put("c", "40000");
    Put("d", "-2.5");
    Put("e", "2147483648");
    Put("f", "1e400");
    EXPECT_EQ(store.ReadSettingInt16("S", "a", 7), 12);
    EXPECT_EQ(store.ReadSettingInt16("S", "b", 7), 14);
    EXPECT_EQ(store.ReadSettingInt16("S", "c", 7), 0);
    EXPECT_EQ(store.ReadSettingInt16("S", "d", 7), -2);
    EXPECT_EQ(store.ReadSettingInt32("S", "c", 7), 40000);
    EXPECT_EQ(store.ReadSettingInt32("S", "e", 7), 0);
    EXPECT_EQ(store.ReadSettingInt32("S", "f", 7), 0);
    EXPECT_EQ(store.ReadSettingSingle("S", "f", 7.0f), 0.0f);
    EXPECT_EQ(store.ReadSettingSingle("S", "a", 7.0f), 12.5f);
}

TEST_F(StoreTest, TextsThatAreNotOneNumberGiveTheDefault) {
    for (const char* text : {"NaN", "0x10", "12,5", "", "abc", "1e", "--1", "inf", "1 2"}) {
        Put("v", text);
        EXPECT_EQ(store.ReadSettingInt16("S", "v", 7), 7) << text;
        EXPECT_EQ(store.ReadSettingInt32("S", "v", 7), 7) << text;
        const float f = store.ReadSettingSingle("S", "v", 7.5f);
        EXPECT_EQ(f, 7.5f) << text;
    }
    Put("v", " 12 ");
    EXPECT_EQ(store.ReadSettingInt16("S", "v", 7), 12);
    Put("v", "-0");
    EXPECT_EQ(store.ReadSettingInt16("S", "v", 7), 0);
    const float zero = store.ReadSettingSingle("S", "v", 7.0f);
    EXPECT_EQ(zero, 0.0f);
    EXPECT_FALSE(std::signbit(zero));
    // A missing section or value gives the default too.
    EXPECT_EQ(store.ReadSettingInt16("Nowhere", "v", 9), 9);
    EXPECT_EQ(store.ReadSettingText("S", "missing", "dflt"), "dflt");
}

TEST_F(StoreTest, SinglesRoundTripThroughTheirText) {
    for (float f : {0.9975f, 1.15f, 0.005f, 3.4028235e38f, 1e-30f, -123.456f, 0.1f}) {
        store.WriteSetting("S", "f", f);
        EXPECT_EQ(store.ReadSettingSingle("S", "f", 0.0f), f);
    }
    EXPECT_EQ(*user.Read("S", "f"), "0.1");
}

TEST_F(StoreTest, ValuesAreTrimmedOnWriteAndReadBackWhateverTheirLength) {
    store.WriteSetting("S", "name", "  My galaxy  ");
    EXPECT_EQ(store.ReadSettingText("S", "name", ""), "My galaxy");
    // Names of 128 characters and more come back whole, not as the default.
    const std::string longName(300, 'x');
    store.WriteSetting("S", "long", longName);
    EXPECT_EQ(store.ReadSettingText("S", "long", "< Galaxy Profile 7 >"), longName);
    // Only another tool can store blanks around a value; they are read as they are.
    user.Write("S", "raw", " a ");
    EXPECT_EQ(store.ReadSettingText("S", "raw", ""), " a ");
}

TEST_F(StoreTest, RootSelectorChoosesTheRoot) {
    store.WriteSetting("S", "v", int16_t{5}, kMachineRoot);
    store.WriteSetting("S", "v", int16_t{6}, kUserRoot);
    EXPECT_EQ(store.ReadSettingInt16("S", "v", 0, kMachineRoot), 5);
    EXPECT_EQ(store.ReadSettingInt16("S", "v", 0, kUserRoot), 6);
    // The two other roots have no equivalent: reads give the default, writes fail.
    for (int16_t root : {int16_t{2}, int16_t{3}, int16_t{-1}}) {
        EXPECT_FALSE(store.WriteSetting("S", "v", int16_t{1}, root));
        EXPECT_EQ(store.ReadSettingInt16("S", "v", 42, root), 42);
        EXPECT_FALSE(store.Flush(root));
    }
}

TEST_F(StoreTest, DeletingASubkeyRemovesItAndEverythingBelowOnly) {
    store.WriteSetting("Universe\\Galaxy3\\IFS", "IFS_P0", "x");
    store.WriteSetting("Universe\\Galaxy3\\IFS\\Deeper", "v", "x");
    store.WriteSetting("Universe\\Galaxy3\\IFSX", "v", "kept");
    store.WriteSetting("Universe\\Galaxy3", "v", "kept");
    EXPECT_TRUE(store.DeleteSettingSubkey("Universe\\Galaxy3", "IFS"));
    EXPECT_FALSE(user.Contains("Universe\\Galaxy3\\IFS", "IFS_P0"));
    EXPECT_FALSE(user.Contains("Universe\\Galaxy3\\IFS\\Deeper", "v"));
    EXPECT_TRUE(user.Contains("Universe\\Galaxy3\\IFSX", "v"));
    EXPECT_TRUE(user.Contains("Universe\\Galaxy3", "v"));
    // A section that does not exist: success, nothing changes.
    const size_t before = user.ValueCount();
    EXPECT_TRUE(store.DeleteSettingSubkey("Universe\\Galaxy49", "IFS"));
    EXPECT_EQ(user.ValueCount(), before);
}

TEST_F(StoreTest, WriteTestPassesOnAWritableStoreSilently) {
    EXPECT_TRUE(store.CheckSettingsWritable());
    EXPECT_EQ(store.ReadSettingInt16("General", "TestRegWrite", 0), 1);
    EXPECT_EQ(user.FlushCount(), 1);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(StoreTest, WriteTestReportsAReadOnlyStoreOnce) {
    user.SetFailWrites(true);
    EXPECT_FALSE(store.CheckSettingsWritable());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0],
              "Orrelume|The settings file is read-only.\r\n\r\nThe Property settings cannot be "
              "saved.\r\nYou must change your user permissions so that programs \r\ncan "
              "write to the settings file.  See your System Administrator for assistance.");
    EXPECT_EQ(user.ValueCount(), 0u);
}

TEST(Clamp, BoundsAndTheirCornerCases) {
    EXPECT_EQ(ClampInt16(-5, 0, 10), 0);
    EXPECT_EQ(ClampInt16(15, 0, 10), 10);
    EXPECT_EQ(ClampInt16(5, 0, 10), 5);
    // Crossed bounds: the lower one wins.
    EXPECT_EQ(ClampInt16(5, 10, 0), 10);
    EXPECT_EQ(ClampInt32(20, 10, 0), 10);
    EXPECT_EQ(ClampInt32(-2147483647 - 1, 1, 30000), 1);
    EXPECT_EQ(ClampSingle(std::nanf(""), 0.1f, 0.9999f), 0.1f);
    EXPECT_EQ(ClampSingle(1.0f, 0.1f, 0.9999f), 0.9999f);
    EXPECT_EQ(ClampSingle(INFINITY, 0.0f, 360.0f), 360.0f);
    EXPECT_EQ(ClampSingle(-INFINITY, 0.0f, 360.0f), 0.0f);
}

}  // namespace
}  // namespace orrelume
