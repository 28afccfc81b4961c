// The properties dialog and the saver in two processes: a saver that reads
// its settings at every restart while the dialog accepts again and again
// reads one whole accept each time, never a mixture or an empty store, and an
// accept killed at any moment leaves the old or the new settings whole. The
// accepts carry the advanced values of a template the dialog opened, which
// are written apart from the set.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>

#include "driver/store_settings_source.h"
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

const std::string kChild = ORRELUME_STORE_CHILD;

std::vector<std::pair<std::string, std::string>> AcceptedAdvanced(int generation) {
    return {{"LockMessage", "Accepted " + std::to_string(generation)},
            {"Adv_FontName", "Font " + std::to_string(generation)}};
}

// The generation of the accept a store holds: that of its set, when the
// advanced values name the same one; nothing for parts of two accepts.
std::optional<int> AcceptedGeneration(const SettingsSet& set, const SettingsStore& store) {
    const std::optional<int> generation = GenerationOf(set);
    if (!generation) return std::nullopt;
    for (const auto& [key, text] : AcceptedAdvanced(*generation)) {
        if (store.ReadSettingText(kAdvancedSection, key, "") != text) return std::nullopt;
    }
    return generation;
}

// The accept in the file, read with the file format alone.
std::optional<int> AcceptInFile(const std::string& path) {
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
    return AcceptedGeneration(LoadAllSettings(store), store);
}

// A process killed between creating a lock file and writing its owner into
// it leaves an empty one, which the next save would wait 30 seconds for
// until it is a few seconds old; the kills here come faster than that.
void RemoveEmptyLocks(const std::string& path) {
    for (const char* suffix : {".lock", ".lock.rmlock"}) {
        std::error_code error;
        if (fs::exists(path + suffix) && fs::file_size(path + suffix, error) == 0 && !error)
            fs::remove(path + suffix, error);
    }
}

TEST(StoreAcceptProcess, ASaverRestartingDuringAcceptsReadsWholeOnesAndKillsLeaveOneWhole) {
    testing::ScratchDir dir;
    const std::string path = dir.File("QUIV_Galaxy.ini");
    {
        QSettingsBackend backend(path);
        SettingsStore store(&backend);
        SettingsSet first = testing::GenerationSet(1);
        const auto advanced = AcceptedAdvanced(1);
        ASSERT_TRUE(SaveAllSettings(store, first, &advanced));
    }
    // The saver keeps its store open and reads it again at each restart.
    QSettingsBackend saverBackend(path);
    SettingsStore saverStore(&saverBackend);
    StoreSettingsSource saver(saverStore);

    std::mt19937 random(18);
    std::uniform_int_distribution<int> runMicroseconds(2000, 80000);
    int committed = 1;
    int lastRead = 1;
    int restarts = 0;
    int newAccepts = 0;
    constexpr int kKills = 40;
    for (int kill = 0; kill < kKills; ++kill) {
        testing::ChildProcess child =
            testing::StartChild({kChild, "accept-loop", path, std::to_string(committed + 1)});
        ASSERT_GT(child.pid, 0);
        std::string reported;
        if (kill % 2 == 1) {
            // Every other time, one accept finishes first, so that new ones do
            // get committed between the kills.
            reported = testing::ReadFirstLine(child);
        }
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::microseconds(runMicroseconds(random));
        do {
            RunRecords records;
            saver.LoadRecords(records);
            SettingsSet set;
            set.universe = records.universe;
            set.types = records.types;
            set.composites = records.composites;
            const std::optional<int> read = AcceptedGeneration(set, saverStore);
            ASSERT_TRUE(read.has_value()) << "restart " << restarts << " read no whole accept";
            ASSERT_GE(*read, lastRead) << "restart " << restarts << " read an older accept";
            newAccepts += *read != lastRead;
            lastRead = *read;
            ++restarts;
        } while (std::chrono::steady_clock::now() < until);

        ::kill(child.pid, SIGKILL);
        const int status = testing::FinishChild(child, &reported);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself: " << status;
        RemoveEmptyLocks(path);
        // The last accept the child reported; the one after it may have been
        // committed without being reported.
        int last = committed;
        if (const size_t end = reported.find_last_of('\n'); end != std::string::npos) {
            const size_t start = reported.find_last_of('\n', end - 1);
            last = std::stoi(reported.substr(start == std::string::npos ? 0 : start + 1));
        }
        const std::optional<int> inFile = AcceptInFile(path);
        ASSERT_TRUE(inFile.has_value())
            << "after kill " << kill << " the file holds no whole accept";
        ASSERT_TRUE(*inFile == last || *inFile == last + 1)
            << "after kill " << kill << ": " << *inFile << ", last reported " << last;
        committed = *inFile;
    }
    std::cout << "[ info     ] " << restarts << " restarts read " << newAccepts << " new accepts; "
              << kKills << " accepts killed, last generation " << committed << "\n";
    EXPECT_GT(committed, kKills / 2);
    EXPECT_GT(newAccepts, kKills / 4);
}

}  // namespace
}  // namespace orrelume
