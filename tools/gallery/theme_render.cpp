// orrelume-theme-render: shows one theme of the user-defined IFS editor or
// of the molecule editor as the editor's preview shows it, on an offscreen
// surface, and writes the last frame as a PNG image.
//
// The theme goes into a factory galaxy type of its style (the 4.x set's
// "UD-IFS:  Space Station" or "UD-ATOM:  Star Point System") through
// the editors' own code, so the image is what a user who picks the theme in
// that type's editor sees.
#include <QCoreApplication>
#include <QFile>
#include <QImage>

#include <cstdio>
#include <string>
#include <string_view>

#include "dialogs/editor_themes.h"
#include "dialogs/editor_values.h"
#include "dialogs/ifs_table.h"
#include "dialogs/molecule_table.h"
#include "driver/offscreen_host.h"
#include "driver/run_driver.h"
#include "driver/settings_source.h"
#include "settings/factory_themes.h"
#include "settings/numeric.h"

namespace {

using namespace orrelume;

constexpr const char* kUsage =
    "Usage: orrelume-theme-render (--ifs N | --molecule N | --ifs-text FILE |\n"
    "                              --molecule-text FILE) [options]\n"
    "Shows a theme of the user-defined IFS editor or of the molecule editor (N 0-9,\n"
    "or a theme text of 45-character records in FILE) as the editor's preview\n"
    "shows it, and writes the last frame as a PNG image.\n"
    "\n"
    "Options:\n"
    "  --frames N   frames to run (default 300)\n"
    "  --seed S     fixed random seed (default 7)\n"
    "  --size WxH   image size in pixels (default 320x240)\n"
    "  --stars N    stars of the preview (default 5000)\n"
    "  --out FILE   the PNG file to write (default theme.png)\n"
    "  --names      print the names of both editors' themes instead\n";

// The factory types the themes go into.
constexpr int kIfsBaseSlot = 39;
constexpr int kMoleculeBaseSlot = 44;

bool ParseCount(std::string_view text, int64_t low, int64_t high, int64_t& out) {
    const auto v = ParseNumeric(text);
    if (!v || *v != static_cast<double>(static_cast<int64_t>(*v))) return false;
    if (*v < static_cast<double>(low) || *v > static_cast<double>(high)) return false;
    out = static_cast<int64_t>(*v);
    return true;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "orrelume-theme-render: %s\nTry --help.\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool molecule = false;
    int theme = -1;
    std::string text, out = "theme.png";
    int64_t frames = 300, seed = 7, stars = 5000, width = 320, height = 240;
    // Options other than --help and --names take a value: the arguments go in pairs.
    for (int i = 1; i < argc; i += 2) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        const std::string_view v = hasValue ? std::string_view(argv[i + 1]) : std::string_view();
        int64_t n = 0;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--names") {
            for (std::string_view name : kIfsThemeNames)
                std::printf("ifs\t%.*s\n", static_cast<int>(name.size()), name.data());
            for (std::string_view name : kMoleculeThemeNames)
                std::printf("molecule\t%.*s\n", static_cast<int>(name.size()), name.data());
            return 0;
        } else if (!hasValue) {
            return Fail(std::string(arg) + " needs a value");
        } else if (arg == "--ifs" || arg == "--molecule") {
            if (!ParseCount(v, 0, kEditorThemeCount - 1, n)) return Fail("a theme is 0-9");
            molecule = arg == "--molecule";
            theme = static_cast<int>(n);
        } else if (arg == "--ifs-text" || arg == "--molecule-text") {
            QFile file(QString::fromLocal8Bit(v.data(), static_cast<qsizetype>(v.size())));
            if (!file.open(QIODevice::ReadOnly)) return Fail("cannot read " + std::string(v));
            text = file.readAll().toStdString();
            molecule = arg == "--molecule-text";
        } else if (arg == "--frames") {
            if (!ParseCount(v, 1, 100000, frames)) return Fail("--frames needs 1-100000");
        } else if (arg == "--seed") {
            if (!ParseCount(v, 0, 1000000000, seed)) return Fail("--seed needs 0-1000000000");
        } else if (arg == "--stars") {
            if (!ParseCount(v, 10, 30000, stars)) return Fail("--stars needs 10-30000");
        } else if (arg == "--size") {
            const size_t x = v.find_first_of("xX");
            if (x == std::string_view::npos || !ParseCount(v.substr(0, x), 1, 4096, width) ||
                !ParseCount(v.substr(x + 1), 1, 4096, height))
                return Fail("--size needs WxH");
        } else if (arg == "--out") {
            out = std::string(v);
        } else {
            return Fail("unknown option " + std::string(arg));
        }
    }
    if (theme < 0 && text.empty()) return Fail("name a theme");

    SettingsSet set = FactorySettingsSet(kPresetSet4x);
    const int slot = molecule ? kMoleculeBaseSlot : kIfsBaseSlot;
    GalaxyType& type = set.types[static_cast<size_t>(slot)];
    if (molecule) {
        MoleculeFormValues values = ShowMolecule(type);
        if (theme >= 0)
            ApplyMoleculeTheme(theme, values);
        else
            ApplyMoleculeThemeText(text, values);
        if (!PutMolecule(values, type)) return Fail("the theme has no atoms");
    } else {
        IfsFormValues values = ShowIfsTable(type);
        if (theme >= 0)
            ApplyIfsTheme(theme, values);
        else
            ApplyIfsThemeText(text, values);
        const IfsTable table = CollectIfsTable(values);
        if (!IfsTableUsable(table)) return Fail("the theme has fewer than two points");
        PutIfsTable(table, values.galaxy, type);
    }

    FixedSettingsSource settings(set);
    HostState state;
    OffscreenHost host(state, frames);
    RunDriver driver(host, state, settings);
    driver.SetFixedSeed(static_cast<uint64_t>(seed));
    driver.SetUnpaced(true);
    driver.SetRecords(set.types, set.composites);
    RunEditorPreview(driver, static_cast<int32_t>(width), static_cast<int32_t>(height), slot,
                     set.universe, static_cast<int32_t>(stars), 1, set.universe.hwStart,
                     set.universe.hwEnd);

    const DrawingSurface& surface = driver.Surface();
    const QImage image(reinterpret_cast<const uchar*>(surface.pixels().data()), surface.width(),
                       surface.height(), surface.width() * 4, QImage::Format_RGB32);
    if (!image.save(QString::fromStdString(out), "PNG")) {
        std::fprintf(stderr, "orrelume-theme-render: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
