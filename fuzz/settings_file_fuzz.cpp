// Fuzzes the settings file as the saver meets it: whatever bytes the file
// holds, they are read through the program's own store (QSettings with the
// program's file format) and records, a run is initialised from them, and
// 200 frames of the universe loop and 200 of the single-galaxy preview run on
// a small surface. Nothing may crash or overflow, and no frame may take a
// second of processor time. Then the settings are saved over the file, which
// must read back as the program saved it.
#include <time.h>
#include <unistd.h>

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "driver/frame_host.h"
#include "driver/host_state.h"
#include "driver/run_driver.h"
#include "driver/store_settings_source.h"
#include "platform/qsettings_backend.h"
#include "platform/store_ini.h"
#include "settings/records.h"

namespace {

using namespace orrelume;

constexpr int kFrames = 200;
constexpr int kWidth = 80;
constexpr int kHeight = 50;

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "settings_file_fuzz: %s\n", what);
    std::abort();
}

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Frames without a window: each is timed in processor time (the machine's
// load does not count), and the run stops after a number of them.
class TimedFrames : public FrameHost {
  public:
    explicit TimedFrames(HostState& state) : state_(state) {}
    void Start() {
        frames_ = 0;
        state_.StopRequested = false;
        state_.RestartRequested = false;
        last_ = ThreadSeconds();
    }
    void Present(const DrawingSurface&) override {
        const double now = ThreadSeconds();
        if (now - last_ > 1.0) {
            std::fprintf(stderr, "settings_file_fuzz: frame %d took %.2f s\n", frames_ + 1,
                         now - last_);
            std::abort();
        }
        last_ = now;
        if (++frames_ >= kFrames) state_.StopRequested = true;
    }
    void ProcessEvents(int32_t) override {}
    uint32_t TickCount() override { return ++clock_; }

  private:
    HostState& state_;
    int frames_ = 0;
    double last_ = 0;
    uint32_t clock_ = 0;
};

std::string ScratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/settings-fuzz.XXXXXX";
    Check(mkdtemp(pattern.data()) != nullptr, "cannot make a scratch folder");
    // Each input removes its own files; the folder goes when the fuzzer ends.
    static std::string folder;
    folder = pattern;
    std::atexit([] { rmdir(folder.c_str()); });
    return pattern;
}

bool SameSet(const SettingsSet& a, const SettingsSet& b) {
    return a.universe == b.universe && a.types == b.types && a.composites == b.composites;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = ScratchFolder();
    static uint64_t inputs = 0;
    // A new file each time: QSettings knows a file it has read by its name.
    const std::string path = folder + "/QUIV_Galaxy-" + std::to_string(++inputs) + ".ini";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    uint64_t hash = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 1099511628211ull;

    {
        QSettingsBackend backend(path);
        SettingsStore store(&backend);
        StoreSettingsSource source(store);
        HostState state;
        state.RunMode = kRunModeSaver;
        TimedFrames host(state);
        RunDriver driver(host, state, source);
        driver.SetFixedSeed(hash);
        driver.SetUnpaced(true);

        // The saver: one run of the universe loop.
        driver.SetUpRunSurface(kWidth, kHeight, false);
        host.Start();
        driver.RunInitialisation(false);
        driver.ResetSurface();
        driver.UniverseRunLoop();

        // The galaxy or composite preview of the properties dialog.
        RunRecords records;
        source.LoadRecords(records);
        driver.SetRecords(records.types, records.composites);
        driver.SetUniverseSettings(records.universe);
        const int pick = static_cast<int>(hash % (kGalaxyTypeCount + kCompositeGalaxyCount));
        const bool composite = pick >= kGalaxyTypeCount;
        host.Start();
        driver.PreviewGalaxy(kWidth, kHeight,
                             static_cast<int16_t>(composite ? pick - kGalaxyTypeCount : pick),
                             composite, records.universe.stars, records.universe.sTrail,
                             records.universe.hwStart, records.universe.hwEnd);

        // The next save writes a file that reads back as saved.
        SettingsSet set = LoadAllSettings(store);
        Check(SaveAllSettings(store, set), "the save failed");
        QSettingsBackend fresh(path, StoreAccess::ReadOnly);
        SettingsStore freshStore(&fresh);
        Check(SameSet(LoadAllSettings(freshStore), LoadAllSettings(store)),
              "the saved file reads back otherwise");
    }

    // Whatever the file held, its text form reads back the same.
    const QSettings::SettingsMap map = ParseStoreIni(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    Check(ParseStoreIni(FormatStoreIni(map)) == map, "the file's values do not round-trip");

    unlink(path.c_str());
    unlink((path + ".lock").c_str());
    return 0;
}
