#include <gtest/gtest.h>

#include "settings/memory_backend.h"
#include "settings/records.h"
#include "support/store_sets.h"

namespace orrelume {
namespace {

class MigrationTest : public ::testing::Test {
  protected:
    MemoryBackend user;
    MemoryBackend machine;
    SettingsStore store{&user, &machine};

    // A machine root as an earlier version left it.
    void FillMachineRoot() {
        SettingsStore machineOnly(&machine);
        SettingsSet set = testing::GenerationSet(77);
        ASSERT_TRUE(SaveAllSettings(machineOnly, set));
        machine.Write("Advanced", "FocalLength", "0.5");
        machine.Write("Advanced", "LockMessage", "Gone fishing, back at 5 = soon");
        machine.Write("Advanced", "Adv_MouseMove", "1");
        machine.Write("Advanced", "Adv_Randomize", "1");
        machine.Write("General\\Main", "WindowSize", "00120003400900006000");
    }
};

TEST_F(MigrationTest, CopiesEverythingOnceAndLeavesTheMachineRootAlone) {
    FillMachineRoot();
    const auto machineBefore = machine.Sections();
    MigrateMachineSettings(store);

    EXPECT_EQ(testing::GenerationOf(LoadAllSettings(store)), 77);
    EXPECT_EQ(store.ReadSettingText("Advanced", "FocalLength", ""), "0.5");
    EXPECT_EQ(LoadAdvancedSettings(store).focalLength, 0.5f);
    EXPECT_EQ(store.ReadSettingText("Advanced", "LockMessage", ""),
              "Gone fishing, back at 5 = soon");
    EXPECT_EQ(store.ReadSettingText("Advanced", "Adv_MouseMove", ""), "1");
    EXPECT_EQ(store.ReadSettingText("Advanced", "Adv_FontName", ""), "Arial");
    EXPECT_FALSE(user.Contains("Advanced", "Adv_Randomize"));  // not carried
    EXPECT_EQ(store.ReadSettingText("General\\Main", "WindowSize", ""), "00120003400900006000");
    EXPECT_EQ(store.ReadSettingInt16("General\\Main", "WindowState", -1), 0);
    EXPECT_EQ(store.ReadSettingInt16("General", "AnimationType", -1), 0);
    EXPECT_EQ(user.FlushCount(), 1);
    EXPECT_EQ(machine.Sections(), machineBefore);

    // Run once: the user's changes survive the next start.
    store.WriteSetting("Universe", "Universe_Stars", int32_t{42});
    MigrateMachineSettings(store);
    EXPECT_EQ(store.ReadSettingInt32("Universe", "Universe_Stars", 0), 42);
    EXPECT_EQ(user.FlushCount(), 1);
}

TEST_F(MigrationTest, DoesNothingWithoutMachineSettings) {
    machine.Write("Universe", "Universe_Stars", "9");  // values, but no marker
    MigrateMachineSettings(store);
    EXPECT_EQ(user.ValueCount(), 0u);
}

TEST_F(MigrationTest, DoesNothingWhenTheUserAlreadyHasSettings) {
    FillMachineRoot();
    user.Write("General", "AnimationType", "0");
    MigrateMachineSettings(store);
    EXPECT_EQ(user.ValueCount(), 1u);
}

TEST_F(MigrationTest, WithNoMachineRootItDoesNothing) {
    SettingsStore userOnly(&user);
    MigrateMachineSettings(userOnly);
    EXPECT_EQ(user.ValueCount(), 0u);
}

}  // namespace
}  // namespace orrelume
