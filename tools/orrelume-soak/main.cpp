// orrelume-soak: runs a busy universe without a window for a long time and
// watches what a saver running for days would suffer from: memory that
// grows, frames that stop drawing, galaxies and stars whose positions are no
// longer numbers, frames that take too long.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "driver/offscreen_host.h"
#include "driver/run_driver.h"
#include "driver/settings_source.h"
#include "settings/factory_themes.h"
#include "settings/numeric.h"

namespace {

using namespace orrelume;
using Clock = std::chrono::steady_clock;

constexpr const char* kUsage =
    "Usage: orrelume-soak [options]\n"
    "Runs a busy universe without a window and checks every frame: no galaxy or\n"
    "star position stops being a number, no more than 250 frames in a row draw no\n"
    "star, and the resident memory stays flat once the first 10,000 frames have run.\n"
    "The universe: the 4.x factory galaxy types (every style among them) and\n"
    "composites, 20,000 stars, 60 galaxies, 3,000 ambient stars, short tours; every\n"
    "--switch frames the run starts again with gravity between the galaxies\n"
    "switched on or off (comets fly only without gravity). Prints a line every\n"
    "--report frames and a summary; exits 1 when a check fails.\n"
    "\n"
    "Options:\n"
    "  --frames N    frames to run (default 1000000)\n"
    "  --size WxH    surface size in pixels (default 320x200)\n"
    "  --seed S      random seed (default 1)\n"
    "  --report N    frames between progress lines (default 100000)\n"
    "  --switch N    frames between the runs with and without gravity (default 50000)\n"
    "  --help        show this text\n";

constexpr int64_t kSettledFrames = 10000;
// A frame may draw nothing: the expansion can carry every star out of view
// for a moment, the camera can look into empty space between galaxies. A
// galaxy that vanished for good shows as a position that is no number (which
// is checked); a whole universe gone dark as a long run of empty frames.
constexpr int64_t kMaxBlankRun = 250;
// "Universe_GravForce" while gravity is on: strong enough for close passes.
constexpr float kGravity = 200000;
// Memory may move by a few pages (the allocator's own book-keeping); a leak
// of even a few bytes a frame adds up to megabytes over the run.
constexpr int64_t kMemoryToleranceBytes = 2 << 20;

int64_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    int64_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

bool ParseCount(std::string_view text, int64_t low, int64_t& out) {
    const auto value = ParseNumeric(text);
    if (!value || *value < static_cast<double>(low) || *value > 9e15 ||
        *value != std::floor(*value)) {
        return false;
    }
    out = static_cast<int64_t>(*value);
    return true;
}

bool ParseSize(std::string_view text, int32_t& width, int32_t& height) {
    const size_t x = text.find_first_of("xX");
    int64_t w = 0, h = 0;
    if (x == std::string_view::npos || !ParseCount(text.substr(0, x), 1, w) ||
        !ParseCount(text.substr(x + 1), 1, h) || w > 16384 || h > 16384) {
        return false;
    }
    width = static_cast<int32_t>(w);
    height = static_cast<int32_t>(h);
    return true;
}

SettingsSet BusyUniverse() {
    SettingsSet set = FactorySettingsSet(kPresetSet4x);
    UniverseSettings& u = set.universe;
    u.stars = 20000;
    u.galaxy = 60;
    u.sTrail = 1;
    u.eSteps = 200;
    u.gSteps = 60;
    u.gPCtrl = 2;
    u.gCCtrl = 2;
    u.recycle = 12;
    u.amStar = 3000;
    u.amFrames = 40;
    u.profile = 51;
    u.gravFrame = 1;
    return set;
}

int Fail(const char* message) {
    std::fprintf(stderr, "orrelume-soak: %s\nTry --help.\n", message);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int64_t frames = 1000000, report = 100000, switchEvery = 50000, seed = 1;
    int32_t width = 320, height = 200;
    // Every option takes a value: the arguments go in pairs.
    for (int i = 1; i < argc; i += 2) {
        const std::string_view arg = argv[i];
        const std::string_view value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        bool ok = false;
        if (arg == "--frames") ok = ParseCount(value, 1, frames);
        if (arg == "--report") ok = ParseCount(value, 1, report);
        if (arg == "--switch") ok = ParseCount(value, 1, switchEvery);
        if (arg == "--seed") ok = ParseCount(value, 0, seed);
        if (arg == "--size") ok = ParseSize(value, width, height);
        if (!ok) return Fail(("bad or unknown option " + std::string(arg)).c_str());
    }

    FixedSettingsSource settings(BusyUniverse());
    bool gravity = true;
    settings.records.universe.gravForce = kGravity;
    HostState state;
    state.RunMode = kRunModeSaver;
    OffscreenHost host(state, frames);
    RunDriver driver(host, state, settings);
    driver.SetFixedSeed(static_cast<uint64_t>(seed));
    driver.SetUnpaced(true);

    const Clock::time_point start = Clock::now();
    Clock::time_point last = start;
    double slowest = 0;
    int64_t slowestFrame = 0;
    int64_t settledMemory = 0, peakMemory = 0;
    int64_t blankFrames = 0, blankRun = 0, longestBlankRun = 0, failures = 0;
    const auto fail = [&](int64_t frame, const std::string& what) {
        if (++failures <= 20)
            std::printf("frame %lld: %s\n", static_cast<long long>(frame), what.c_str());
    };
    host.onFrame = [&](int64_t frame) {
        const Clock::time_point now = Clock::now();
        const double seconds = std::chrono::duration<double>(now - last).count();
        last = now;
        if (seconds > slowest) {
            slowest = seconds;
            slowestFrame = frame;
        }
        const auto pixels = driver.Surface().pixels();
        const auto lit = std::count_if(pixels.begin(), pixels.end(),
                                       [](uint32_t p) { return (p & 0xFFFFFFu) != 0; });
        if (lit == 0) {
            ++blankFrames;
            if (++blankRun > longestBlankRun) longestBlankRun = blankRun;
            if (blankRun == kMaxBlankRun + 1) fail(frame, "nothing drawn for too long");
        } else {
            blankRun = 0;
        }

        const GalaxyInstances& gi = driver.Engine().galaxies;
        for (int32_t g = 0; g < gi.count; ++g) {
            if (!std::isfinite(gi.posX[g]) || !std::isfinite(gi.posY[g]) ||
                !std::isfinite(gi.posZ[g]) || !std::isfinite(gi.velX[g]) ||
                !std::isfinite(gi.velY[g]) || !std::isfinite(gi.velZ[g])) {
                fail(frame, "galaxy " + std::to_string(g) + " is no longer at a number");
                break;
            }
        }
        if (frame % 100 == 0) {
            const StarTable& st = driver.Engine().stars;
            for (int32_t s = 0; s < st.count; ++s) {
                if (!std::isfinite(st.posX[s]) || !std::isfinite(st.posY[s]) ||
                    !std::isfinite(st.posZ[s])) {
                    fail(frame, "star " + std::to_string(s) + " is no longer at a number");
                    break;
                }
            }
        }
        if (frame % 1000 == 0) {
            const int64_t memory = ResidentBytes();
            if (frame == kSettledFrames) settledMemory = memory;
            if (frame > kSettledFrames) peakMemory = std::max(peakMemory, memory);
        }
        if (frame % switchEvery == 0) {
            // The next run has gravity switched; the driver starts it again
            // with the settings as they are then.
            gravity = !gravity;
            settings.records.universe.gravForce = gravity ? kGravity : 0;
            state.RestartRequested = true;
        }
        if (frame % report == 0) {
            const double elapsed = std::chrono::duration<double>(now - start).count();
            std::printf("%10lld frames  %8.1f s  %6.1f MiB resident  %6lld stars lit  gravity %s\n",
                        static_cast<long long>(frame), elapsed,
                        static_cast<double>(ResidentBytes()) / (1 << 20),
                        static_cast<long long>(lit), gravity ? "on" : "off");
            std::fflush(stdout);
        }
    };

    driver.SetUpRunSurface(width, height, false);
    driver.RunWindowLoop(false);

    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const int64_t ran = host.Frames();
    std::printf(
        "ran %lld frames at %dx%d in %.1f s (%.3f ms a frame, slowest %.1f ms at frame "
        "%lld)\n",
        static_cast<long long>(ran), width, height, elapsed, 1000.0 * elapsed / ran,
        1000.0 * slowest, static_cast<long long>(slowestFrame));
    std::printf("frames that drew no star: %lld, at most %lld in a row\n",
                static_cast<long long>(blankFrames), static_cast<long long>(longestBlankRun));
    if (settledMemory > 0) {
        const int64_t growth = std::max<int64_t>(0, peakMemory - settledMemory);
        std::printf(
            "resident memory at frame %lld: %.1f MiB; highest after: %.1f MiB (+%lld KiB)\n",
            static_cast<long long>(kSettledFrames), static_cast<double>(settledMemory) / (1 << 20),
            static_cast<double>(peakMemory) / (1 << 20), static_cast<long long>(growth / 1024));
        if (growth > kMemoryToleranceBytes)
            fail(ran, "resident memory grew after the first frames");
    }
    if (failures > 0) {
        std::printf("FAILED: %lld checks failed\n", static_cast<long long>(failures));
        return 1;
    }
    std::printf("ok\n");
    return 0;
}
