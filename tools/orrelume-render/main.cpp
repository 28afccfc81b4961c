// orrelume-render: runs the animation on an offscreen surface and writes the
// last frame as a PNG image, or records the frames as a video, an animated
// picture or numbered PNG images.
#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "driver/offscreen_host.h"
#include "driver/run_driver.h"
#include "driver/settings_source.h"
#include "driver/store_settings_source.h"
#include "platform/qsettings_backend.h"
#include "settings/factory_themes.h"
#include "settings/numeric.h"
#include "tools/orrelume-render/progress.h"
#include "tools/orrelume-render/recorder.h"

namespace {

using namespace orrelume;

constexpr const char* kUsage =
    "Usage: orrelume-render [options]\n"
    "Runs Orrelume without a window and writes the last frame as a PNG image, or\n"
    "records the frames as a video or an animated picture.\n"
    "\n"
    "By default the universe of your settings runs exactly as the screen saver runs it\n"
    "(your settings are read from $XDG_CONFIG_HOME/Lumenfold/QUIV_Galaxy.ini, never\n"
    "written; while no settings were ever stored, the 4.x factory galaxy types and\n"
    "composites stand in for them, as at a first start). Frames are not paced: the\n"
    "tool runs as fast as it can.\n"
    "\n"
    "Options:\n"
    "  --frames N       frames to run (default 300; universe creation counts)\n"
    "  --seed S         fixed random seed: the same seed and settings give the same image\n"
    "                   (default: from the clock)\n"
    "  --size WxH       image size in pixels (default 800x600)\n"
    "  --out FILE       the PNG file of the last frame (default orrelume.png; written\n"
    "                   while recording only when given)\n"
    "  --video FILE     record the frames as a video: FILE.webm (VP9), FILE.mp4 (H.264)\n"
    "                   or FILE.mkv (FFV1, lossless)\n"
    "  --animation FILE record the frames as an animated picture: FILE.webp (lossless)\n"
    "                   or FILE.gif\n"
    "  --png-frames DIR write every recorded frame as DIR/frame-NNNNNN.png (N: the frame)\n"
    "  --from N         record from frame N+1 on: the first N frames run unrecorded\n"
    "                   (default 0)\n"
    "  --fps R          frames a second of a recording (default: the saver's pace, 1000\n"
    "                   over Adv_TimeDelay: 25 for the factory 40 ms)\n"
    "  --galaxy SLOT    show galaxy type SLOT (0-49) as the galaxy preview does\n"
    "  --composite SLOT show composite galaxy SLOT (0-15) as the composite preview does\n"
    "  --stars N        stars of the galaxy or composite preview (default: the universe's)\n"
    "  --trail T        trail of the galaxy or composite preview (default: the universe's)\n"
    "  --defaults       run on the built-in default settings instead of yours\n"
    "  --factory SET    run on factory set SET instead of yours (0 the 4.x set, 1 the\n"
    "                   2.0 set: its galaxy types, composites and first universe theme)\n"
    "  --names          print the names of the 50 galaxy types and 16 composites of the\n"
    "                   settings chosen (one \"galaxy|composite <TAB> slot <TAB> name\"\n"
    "                   line each) instead of rendering\n"
    "  --help           show this text\n"
    "\n"
    "Recording needs FFmpeg's program, ffmpeg (Debian package ffmpeg); --png-frames\n"
    "does not. On a terminal a run of more than two seconds shows its progress.\n"
    "Ctrl+C ends a recording early with a file that plays. Exit status: 0 done, 1 a\n"
    "failure while running, 2 bad options (nothing is written).\n";

struct Options {
    int64_t frames = 300;
    std::optional<uint64_t> seed;
    int32_t width = 800, height = 600;
    std::string out = "orrelume.png";
    bool outGiven = false;
    std::string video, animation, pngFrames;
    int64_t from = 0;
    std::optional<std::string> fps;
    std::optional<int> galaxy, composite;
    std::optional<int32_t> stars, trail;
    bool defaults = false;
    std::optional<int> factory;
    bool names = false;
};

// The user's settings as a first start sees them: while "AnimationType" is
// absent the 4.x factory types and composites stand in for the stored ones
// (the saver would store them; this tool writes nothing).
class FirstStartSettingsSource : public StoreSettingsSource {
  public:
    explicit FirstStartSettingsSource(SettingsStore& store)
        : StoreSettingsSource(store), store_(store) {}
    void LoadRecords(RunRecords& out) override {
        StoreSettingsSource::LoadRecords(out);
        if (StoredSettingsExist(store_)) return;
        const SettingsSet factory = FactorySettingsSet(kPresetSet4x);
        out.types = factory.types;
        out.composites = factory.composites;
    }

  private:
    SettingsStore& store_;
};

volatile std::sig_atomic_t gStopSignal = 0;

void OnStopSignal(int signal) {
    gStopSignal = signal;
}

// Ctrl+C and a polite kill end the run at the next frame, so that the
// recordings can be finished rather than cut off.
void CatchStopSignals() {
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A dead encoder shows as a failed write, not as the end of this tool.
    std::signal(SIGPIPE, SIG_IGN);
}

// Ends the tool by the signal that stopped it, as callers expect of a
// program that was interrupted.
[[noreturn]] void EndBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

bool ParseInteger(std::string_view text, int64_t low, int64_t high, int64_t& out) {
    const auto value = ParseNumeric(text);
    if (!value || *value != static_cast<double>(static_cast<int64_t>(*value))) return false;
    if (*value < static_cast<double>(low) || *value > static_cast<double>(high)) return false;
    out = static_cast<int64_t>(*value);
    return true;
}

bool ParseSize(std::string_view text, int32_t& width, int32_t& height) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    int64_t w, h;
    if (!ParseInteger(text.substr(0, x), 1, 16384, w)) return false;
    if (!ParseInteger(text.substr(x + 1), 1, 16384, h)) return false;
    width = static_cast<int32_t>(w);
    height = static_cast<int32_t>(h);
    return true;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "orrelume-render: %s\nTry --help.\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](std::string_view& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        std::string_view v;
        int64_t n;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--defaults") {
            o.defaults = true;
        } else if (arg == "--names") {
            o.names = true;
        } else if (arg == "--factory") {
            if (!value(v) || !ParseInteger(v, 0, kPresetSetCount - 1, n)) {
                return Fail("--factory needs SET 0 or 1");
            }
            o.factory = static_cast<int>(n);
        } else if (arg == "--frames") {
            if (!value(v) || !ParseInteger(v, 1, 100000000, n))
                return Fail("--frames needs N >= 1");
            o.frames = n;
        } else if (arg == "--seed") {
            if (!value(v) || !ParseInteger(v, 0, 9007199254740991LL, n)) {
                return Fail("--seed needs a whole number >= 0");
            }
            o.seed = static_cast<uint64_t>(n);
        } else if (arg == "--size") {
            if (!value(v) || !ParseSize(v, o.width, o.height)) return Fail("--size needs WxH");
        } else if (arg == "--out") {
            if (!value(v) || v.empty()) return Fail("--out needs a file name");
            o.out = std::string(v);
            o.outGiven = true;
        } else if (arg == "--video") {
            if (!value(v) || v.empty()) return Fail("--video needs a file name");
            o.video = std::string(v);
        } else if (arg == "--animation") {
            if (!value(v) || v.empty()) return Fail("--animation needs a file name");
            o.animation = std::string(v);
        } else if (arg == "--png-frames") {
            if (!value(v) || v.empty()) return Fail("--png-frames needs a folder");
            o.pngFrames = std::string(v);
        } else if (arg == "--from") {
            if (!value(v) || !ParseInteger(v, 0, 100000000, n)) return Fail("--from needs N >= 0");
            o.from = n;
        } else if (arg == "--fps") {
            const auto rate = value(v) ? ParseNumeric(v) : std::nullopt;
            if (!rate || !(*rate >= 0.1 && *rate <= 1000)) return Fail("--fps needs 0.1-1000");
            char text[32];
            std::snprintf(text, sizeof text, "%.6g", *rate);
            o.fps = text;
        } else if (arg == "--galaxy") {
            if (!value(v) || !ParseInteger(v, 0, 49, n)) return Fail("--galaxy needs SLOT 0-49");
            o.galaxy = static_cast<int>(n);
        } else if (arg == "--composite") {
            if (!value(v) || !ParseInteger(v, 0, 15, n)) return Fail("--composite needs SLOT 0-15");
            o.composite = static_cast<int>(n);
        } else if (arg == "--stars") {
            if (!value(v) || !ParseInteger(v, 10, 30000, n)) return Fail("--stars needs 10-30000");
            o.stars = static_cast<int32_t>(n);
        } else if (arg == "--trail") {
            if (!value(v) || !ParseInteger(v, 1, 999, n)) return Fail("--trail needs 1-999");
            o.trail = static_cast<int32_t>(n);
        } else {
            return Fail("unknown option " + std::string(arg));
        }
    }
    if (o.galaxy && o.composite) return Fail("--galaxy and --composite exclude each other");
    if (o.defaults && o.factory) return Fail("--defaults and --factory exclude each other");

    // Recordings: every check that can fail before the run is made here,
    // so a bad option costs no rendering and leaves no file behind.
    std::vector<std::unique_ptr<Recorder>> recorders;
    const struct {
        const std::string& path;
        RecordingKind kind;
        const char* option;
    } asked[] = {{o.video, RecordingKind::Video, "--video"},
                 {o.animation, RecordingKind::Animation, "--animation"}};
    for (const auto& recording : asked) {
        if (recording.path.empty()) continue;
        const auto format = FormatForFile(recording.path, recording.kind);
        if (!format) {
            return Fail(std::string(recording.option) + " writes " + ExtensionList(recording.kind) +
                        " files, not " + recording.path);
        }
        const std::string problem = SizeProblem(*format, o.width, o.height);
        if (!problem.empty()) return Fail(problem);
        recorders.push_back(std::make_unique<Recorder>(*format, recording.path));
    }
    const bool recording = !recorders.empty() || !o.pngFrames.empty();
    if (o.video == o.animation && !o.video.empty()) return Fail("one file for two recordings");
    if (recording && o.from >= o.frames) {
        return Fail("nothing to record: --from " + std::to_string(o.from) + " leaves no frame of " +
                    std::to_string(o.frames));
    }
    if (!o.pngFrames.empty() && !QDir().mkpath(QString::fromStdString(o.pngFrames))) {
        return Fail("cannot make the folder " + o.pngFrames);
    }
    for (const auto& recorder : recorders) {
        if (!recorder->CheckWritable()) return Fail(recorder->Error());
    }
    if (!recorders.empty() && !EncoderAvailable()) {
        std::fprintf(stderr,
                     "orrelume-render: recording a video or an animation needs FFmpeg's program\n"
                     "ffmpeg (Debian package ffmpeg), which is not on the PATH. Without it,\n"
                     "--png-frames DIR writes the frames as PNG images.\n");
        return 1;
    }

    // The user's settings, opened read-only: the tool never writes them (and
    // so does not migrate machine-wide settings either).
    FixedSettingsSource defaults =
        o.factory ? FixedSettingsSource(FactorySettingsSet(*o.factory)) : FixedSettingsSource();
    std::unique_ptr<QSettingsBackend> backend;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<StoreSettingsSource> userSettings;
    SettingsSource* source = &defaults;
    if (!o.defaults && !o.factory) {
        backend = std::make_unique<QSettingsBackend>(StoreScope::User, StoreAccess::ReadOnly);
        store = std::make_unique<SettingsStore>(backend.get());
        userSettings = std::make_unique<FirstStartSettingsSource>(*store);
        source = userSettings.get();
    }
    SettingsSource& settings = *source;
    if (o.names) {
        RunRecords records;
        settings.LoadRecords(records);
        for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
            std::printf("galaxy\t%d\t%s\n", slot, records.types[slot].name.c_str());
        }
        for (int slot = 0; slot < kCompositeGalaxyCount; ++slot) {
            std::printf("composite\t%d\t%s\n", slot, records.composites[slot].name.c_str());
        }
        return 0;
    }
    HostState state;
    OffscreenHost host(state, o.frames);
    RunDriver driver(host, state, settings);
    driver.SetFixedSeed(o.seed);
    driver.SetUnpaced(true);

    CatchStopSignals();
    ProgressBar progress(o.frames);
    std::string failure;
    // The saver's pace; a galaxy preview has none of its own and takes it too.
    const auto frameDelay = [&](const DrawingSurface& surface) {
        return surface.frameDelaySet ? surface.FrameDelay : settings.LoadAdvanced().frameDelay;
    };
    host.onFrame = [&](int64_t frame) {
        if (recording && frame > o.from && failure.empty()) {
            const DrawingSurface& surface = driver.Surface();
            const uint32_t* pixels = surface.pixels().data();
            for (const auto& recorder : recorders) {
                if (!recorder->Started() &&
                    !recorder->Start(surface.width(), surface.height(),
                                     o.fps ? *o.fps : FrameRateText(frameDelay(surface)))) {
                    failure = recorder->Error();
                } else if (!recorder->AddFrame(pixels)) {
                    failure = recorder->Error();
                }
                if (!failure.empty()) break;
            }
            if (!o.pngFrames.empty() && failure.empty()) {
                char name[32];
                std::snprintf(name, sizeof name, "/frame-%06lld.png",
                              static_cast<long long>(frame));
                const QImage image(reinterpret_cast<const uchar*>(pixels), surface.width(),
                                   surface.height(), surface.width() * 4, QImage::Format_RGB32);
                const std::string path = o.pngFrames + name;
                if (!image.save(QString::fromStdString(path), "PNG"))
                    failure = "cannot write " + path;
            }
        }
        progress.Update(frame);
        if (gStopSignal != 0 || !failure.empty()) state.StopRequested = true;
    };

    if (o.galaxy || o.composite) {
        RunRecords records;
        settings.LoadRecords(records);
        driver.SetRecords(records.types, records.composites);
        driver.SetUniverseSettings(records.universe);
        const int32_t stars = o.stars ? *o.stars : records.universe.stars;
        const int32_t trail = o.trail ? *o.trail : records.universe.sTrail;
        const bool composite = o.composite.has_value();
        const int16_t slot = static_cast<int16_t>(composite ? *o.composite : *o.galaxy);
        driver.PreviewGalaxy(o.width, o.height, slot, composite, stars, trail,
                             records.universe.hwStart, records.universe.hwEnd);
    } else {
        state.RunMode = kRunModeSaver;
        driver.SetUpRunSurface(o.width, o.height, false);
        driver.RunWindowLoop(false);
    }

    progress.End();

    if (!failure.empty()) {
        std::fprintf(stderr, "orrelume-render: %s\n", failure.c_str());
        return 1;  // the recorders remove what they wrote
    }
    int status = 0;
    for (const auto& recorder : recorders) {
        if (gStopSignal != 0 && recorder->Frames() == 0) {
            std::fprintf(
                stderr,
                "orrelume-render: stopped before the first recorded frame: %s not written\n",
                recorder->Path().c_str());
            continue;
        }
        if (!recorder->Finish()) {
            std::fprintf(stderr, "orrelume-render: %s\n", recorder->Error().c_str());
            status = 1;
        } else if (gStopSignal != 0) {
            std::fprintf(stderr, "orrelume-render: stopped at frame %lld: %s holds %lld frames\n",
                         static_cast<long long>(host.Frames()), recorder->Path().c_str(),
                         static_cast<long long>(recorder->Frames()));
        }
    }
    if (gStopSignal != 0) EndBySignal(gStopSignal);
    if (progress.Shown()) {
        std::fprintf(stderr, "orrelume-render: %lld frames in %.1f s (%.1f frames/s)\n",
                     static_cast<long long>(host.Frames()), progress.Seconds(),
                     host.Frames() / std::max(progress.Seconds(), 1e-3));
    }

    if (o.outGiven || !recording) {
        const DrawingSurface& surface = driver.Surface();
        const QImage image(reinterpret_cast<const uchar*>(surface.pixels().data()), surface.width(),
                           surface.height(), surface.width() * 4, QImage::Format_RGB32);
        if (!image.save(QString::fromStdString(o.out), "PNG")) {
            std::fprintf(stderr, "orrelume-render: cannot write %s\n", o.out.c_str());
            return 1;
        }
    }
    return status;
}
