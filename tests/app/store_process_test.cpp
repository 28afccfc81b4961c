// The settings file as separate processes see it: a save killed at any
// moment, and the environment that places the files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <random>

#include "platform/qsettings_backend.h"
#include "platform/store_ini.h"
#include "settings/memory_backend.h"
#include "settings/records.h"
#include "support/store_process.h"
#include "support/store_sets.h"

namespace orrelume {
namespace {

namespace fs = std::filesystem;
using testing::GenerationOf;
using testing::GenerationSet;

const std::string kChild = ORRELUME_STORE_CHILD;

// Reads a settings file with the file format alone, bypassing QSettings and
// anything it may hold in memory.
SettingsSet LoadFileDirectly(const std::string& path) {
    MemoryBackend memory;
    const QSettings::SettingsMap map =
        ParseStoreIni(QByteArray::fromStdString(testing::ReadFileBytes(path)));
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().lastIndexOf(QLatin1Char('/'));
        QString section = it.key().left(slash);
        section.replace(QLatin1Char('/'), QLatin1Char('\\'));
        memory.Write(section.toStdString(), it.key().mid(slash + 1).toStdString(),
                     it.value().toByteArray().toStdString());
    }
    SettingsStore store(&memory);
    return LoadAllSettings(store);
}

// A process killed between creating a lock file and writing its owner into
// it leaves an empty one (the lock, or the lock QLockFile takes to remove a
// stale lock). The backend removes such a lock once it is a few seconds old;
// the kills here come faster than that, and waiting says nothing about the
// settings file, so the test removes them at once.
int RemoveEmptyLocks(const std::string& path) {
    int removed = 0;
    for (const char* suffix : {".lock", ".lock.rmlock"}) {
        std::error_code error;
        if (fs::exists(path + suffix) && fs::file_size(path + suffix, error) == 0 && !error) {
            fs::remove(path + suffix, error);
            ++removed;
        }
    }
    return removed;
}

TEST(StoreProcess, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewSet) {
    testing::ScratchDir dir;
    const std::string path = dir.File("QUIV_Galaxy.ini");
    {
        QSettingsBackend backend(path);
        SettingsStore store(&backend);
        SettingsSet first = GenerationSet(1);
        ASSERT_TRUE(SaveAllSettings(store, first));
    }

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> delayMicroseconds(1000, 60000);
    int committed = 1;
    int killedHoldingLock = 0;
    int emptyLocks = 0;
    constexpr int kKills = 60;
    for (int kill = 0; kill < kKills; ++kill) {
        testing::ChildProcess child =
            testing::StartChild({kChild, "save-loop", path, std::to_string(committed + 1)});
        ASSERT_GT(child.pid, 0);
        std::string reported;
        if (kill % 2 == 1) {
            // Every other time, let one save finish first, so that the kill
            // falls into a later one and new sets do get committed.
            reported = testing::ReadFirstLine(child);
        }
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(child.pid, SIGKILL);
        const int status = testing::FinishChild(child, &reported);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself: " << status;
        // A lock left behind shows that the kill came in the middle of a commit.
        if (fs::exists(path + ".lock")) ++killedHoldingLock;
        emptyLocks += RemoveEmptyLocks(path);

        // The last generation the child reported as saved; the one after it
        // may have been committed without being reported.
        int last = committed;
        if (const size_t end = reported.find_last_of('\n'); end != std::string::npos) {
            const size_t start = reported.find_last_of('\n', end - 1);
            last = std::stoi(reported.substr(start == std::string::npos ? 0 : start + 1));
        }
        const std::optional<int> inFile = GenerationOf(LoadFileDirectly(path));
        ASSERT_TRUE(inFile.has_value()) << "after kill " << kill << " the file holds no whole set";
        ASSERT_TRUE(*inFile == last || *inFile == last + 1)
            << "after kill " << kill << ": " << *inFile << ", last reported " << last;
        QSettingsBackend fresh(path, StoreAccess::ReadOnly);
        SettingsStore freshStore(&fresh);
        ASSERT_EQ(GenerationOf(LoadAllSettings(freshStore)), inFile);
        committed = *inFile;
    }
    std::cout << "[ info     ] " << kKills << " kills, " << killedHoldingLock
              << " in the middle of a commit, " << emptyLocks << " empty locks, last generation "
              << committed << "\n";

    EXPECT_GT(committed, kKills / 2);

    // A lock left by a killed process does not keep the next one from saving.
    QSettingsBackend backend(path);
    SettingsStore store(&backend);
    SettingsSet next = GenerationSet(committed + 1);
    EXPECT_TRUE(SaveAllSettings(store, next));
    EXPECT_EQ(GenerationOf(LoadFileDirectly(path)), committed + 1);
}

TEST(StoreProcess, TheEnvironmentPlacesBothRoots) {
    testing::ScratchDir dir;
    const std::map<std::string, std::string> env = {
        {"XDG_CONFIG_HOME", dir.File("home")},
        {"XDG_CONFIG_DIRS", dir.File("etc1") + ":" + dir.File("etc2")},
    };
    const testing::ChildResult paths = testing::RunChild({kChild, "paths"}, env);
    ASSERT_EQ(paths.exitCode, 0);
    EXPECT_EQ(paths.output, dir.File("home/Lumenfold/QUIV_Galaxy.ini") + "\n" +
                                dir.File("etc1/Lumenfold/QUIV_Galaxy.ini") + "\n");

    // An earlier version's machine-wide settings reach the user once.
    const std::string machineFile = dir.File("etc1/Lumenfold/QUIV_Galaxy.ini");
    {
        QSettingsBackend machine(machineFile);
        SettingsStore store(&machine);
        SettingsSet set = GenerationSet(31);
        ASSERT_TRUE(SaveAllSettings(store, set));
        store.WriteSetting("Advanced", "FocalLength", "0.5");
        ASSERT_TRUE(store.Flush());
    }
    const std::string machineBefore = testing::ReadFileBytes(machineFile);
    ASSERT_EQ(testing::RunChild({kChild, "migrate"}, env).exitCode, 0);
    const std::string userFile = dir.File("home/Lumenfold/QUIV_Galaxy.ini");
    EXPECT_EQ(GenerationOf(LoadFileDirectly(userFile)), 31);
    QSettingsBackend user(userFile, StoreAccess::ReadOnly);
    EXPECT_EQ(user.Read("Advanced", "FocalLength"), "0.5");
    EXPECT_EQ(user.Read("General", "AnimationType"), "0");
    EXPECT_EQ(testing::ReadFileBytes(machineFile), machineBefore);
    EXPECT_FALSE(fs::exists(machineFile + ".lock"));

    // A user root that cannot be written: the message, and nothing saved.
    const testing::ChildResult refused =
        testing::RunChild({kChild, "save"}, {{"XDG_CONFIG_HOME", "/dev/null/x"}});
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_NE(refused.output.find("Orrelume: The settings file is read-only."), std::string::npos);
    EXPECT_EQ(testing::RunChild({kChild, "save"}, env).exitCode, 0);
}

TEST(StoreProcess, ASaveAfterACrashDoesNotWaitForAnAbandonedLock) {
    testing::ScratchDir dir;
    const std::string file = dir.File("home/Lumenfold/QUIV_Galaxy.ini");
    fs::create_directories(fs::path(file).parent_path());
    for (const char* suffix : {".lock", ".lock.rmlock"}) {
        testing::WriteFileBytes(file + suffix, "");
        fs::last_write_time(file + suffix,
                            fs::file_time_type::clock::now() - std::chrono::seconds(5));
    }
    testing::ChildProcess child =
        testing::StartChild({kChild, "save"}, {{"XDG_CONFIG_HOME", dir.File("home")}});
    ASSERT_GT(child.pid, 0);
    // Left to QLockFile alone, the save would wait 30 seconds.
    int status = 0;
    for (int waited = 0; waited < 1000 && waitpid(child.pid, &status, WNOHANG) == 0; ++waited)
        usleep(10000);
    if (waitpid(child.pid, &status, WNOHANG) == 0) {
        ::kill(child.pid, SIGKILL);
        testing::FinishChild(child);
        FAIL() << "the save still waits for the abandoned lock after 10 seconds";
    }
    child.pid = -1;
    testing::FinishChild(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(testing::SameSet(LoadFileDirectly(file), DefaultSettingsSet()));
    QSettingsBackend saved(file, StoreAccess::ReadOnly);
    EXPECT_EQ(saved.Read("General", "AnimationType"), "0");
}

}  // namespace
}  // namespace orrelume
