#include <gtest/gtest.h>

#include "settings/memory_backend.h"
#include "settings/records.h"
#include "support/store_sets.h"

namespace orrelume {
namespace {

TEST(SaveAllSettings, WritesTheWholeSetWithOneFlush) {
    MemoryBackend user;
    testing::CapturingSink sink;
    SettingsStore store(&user, nullptr, &sink);
    SettingsSet set = testing::GenerationSet(1234);
    ASSERT_TRUE(SaveAllSettings(store, set));
    // One flush for the write test, one for the set.
    EXPECT_EQ(user.FlushCount(), 2);
    EXPECT_EQ(store.ReadSettingInt16("General", "AnimationType", -1), 0);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(testing::GenerationOf(LoadAllSettings(store)), 1234);
}

TEST(SaveAllSettings, ClampsTheTypesItSaves) {
    MemoryBackend user;
    SettingsStore store(&user);
    SettingsSet set = DefaultSettingsSet();
    set.types[4].galStyle = 3;
    set.types[4].radSegs = 1;
    set.types[4].cometSPersist = -1;
    ASSERT_TRUE(SaveAllSettings(store, set));
    EXPECT_EQ(set.types[4].radSegs, 4);
    EXPECT_EQ(set.types[4].cometSPersist, 0.1f);
    EXPECT_TRUE(testing::SameSet(LoadAllSettings(store), set));
}

TEST(SaveAllSettings, AStoreThatCannotCommitGetsNothingButTheTest) {
    MemoryBackend user;
    user.SetFailFlush(true);
    testing::CapturingSink sink;
    SettingsStore store(&user, nullptr, &sink);
    SettingsSet set = testing::GenerationSet(5);
    EXPECT_FALSE(SaveAllSettings(store, set));
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(user.WriteCount(), 1);  // "TestRegWrite" only
    EXPECT_FALSE(user.Contains("General", "AnimationType"));
}

}  // namespace
}  // namespace orrelume
