// orrelume-render: runs the animation on an offscreen surface and writes the
// last frame as a PNG image.
#include <QCoreApplication>
#include <QImage>

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

namespace {

using namespace orrelume;

constexpr const char* kUsage =
    "Usage: orrelume-render [options]\n"
    "Runs Orrelume without a window and writes the last frame as a PNG image.\n"
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
    "  --out FILE       the PNG file to write (default orrelume.png)\n"
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
    "  --help           show this text\n";

struct Options {
    int64_t frames = 300;
    std::optional<uint64_t> seed;
    int32_t width = 800, height = 600;
    std::string out = "orrelume.png";
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

    const DrawingSurface& surface = driver.Surface();
    const QImage image(reinterpret_cast<const uchar*>(surface.pixels().data()), surface.width(),
                       surface.height(), surface.width() * 4, QImage::Format_RGB32);
    if (!image.save(QString::fromStdString(o.out), "PNG")) {
        std::fprintf(stderr, "orrelume-render: cannot write %s\n", o.out.c_str());
        return 1;
    }
    return 0;
}
