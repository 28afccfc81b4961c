#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>

#include "driver/offscreen_host.h"
#include "driver/run_driver.h"
#include "platform/qsettings_backend.h"
#include "settings/store.h"

namespace orrelume {
namespace {

QByteArray RenderUniverse(uint64_t seed, int frames) {
    HostState state;
    OffscreenHost host(state, frames);
    FixedSettingsSource settings;
    RunDriver driver(host, state, settings);
    driver.SetFixedSeed(seed);
    driver.SetUnpaced(true);
    driver.SetUpRunSurface(200, 150, false);
    driver.RunWindowLoop(false);
    const DrawingSurface& s = driver.Surface();
    const QImage image(reinterpret_cast<const uchar*>(s.pixels().data()), s.width(), s.height(),
                       s.width() * 4, QImage::Format_RGB32);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

TEST(RenderOutput, TheSameSeedGivesTheSameImage) {
    const QByteArray a = RenderUniverse(11, 420);
    const QByteArray b = RenderUniverse(11, 420);
    ASSERT_FALSE(a.isEmpty());
    EXPECT_EQ(a, b);
    EXPECT_NE(a, RenderUniverse(12, 420));
}

// The tool itself, when it was built beside the tests.
std::filesystem::path RenderTool() {
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    return self.parent_path().parent_path() / "tools" / "orrelume-render";
}

int RunTool(const std::string& command) {
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RenderOutput, ToolWritesReproducibleImages) {
    const std::filesystem::path tool = RenderTool();
    if (!std::filesystem::exists(tool)) GTEST_SKIP() << "orrelume-render not built";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Runs on an empty settings folder of its own, which it must not write.
    const QString config = dir.filePath("config");
    QDir().mkpath(config);
    const char* previous = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = previous ? previous : "";
    setenv("XDG_CONFIG_HOME", config.toUtf8().constData(), 1);
    struct Restore {
        bool had;
        std::string value;
        ~Restore() {
            if (had) {
                setenv("XDG_CONFIG_HOME", value.c_str(), 1);
            } else {
                unsetenv("XDG_CONFIG_HOME");
            }
        }
    } restore{previous != nullptr, saved};
    const std::string base = tool.string() + " --frames 60 --seed 3 --size 160x100 --out ";
    const std::string a = dir.filePath("a.png").toStdString();
    const std::string b = dir.filePath("b.png").toStdString();
    const std::string g = dir.filePath("g.png").toStdString();
    ASSERT_EQ(RunTool(base + a), 0);
    ASSERT_EQ(RunTool(base + b), 0);
    ASSERT_EQ(RunTool(base + g + " --galaxy 4 --stars 500 --trail 2"), 0);
    QFile fa(QString::fromStdString(a)), fb(QString::fromStdString(b));
    ASSERT_TRUE(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
    EXPECT_EQ(fa.readAll(), fb.readAll());
    const QImage image(QString::fromStdString(g));
    EXPECT_EQ(image.size(), QSize(160, 100));
    EXPECT_TRUE(QDir(config).isEmpty());

    // Settings never stored: the 4.x factory set stands in, as at a first
    // start of the saver.
    const std::string f = dir.filePath("f.png").toStdString();
    ASSERT_EQ(RunTool(base + f + " --factory 0"), 0);
    QFile ff(QString::fromStdString(f));
    ASSERT_TRUE(ff.open(QIODevice::ReadOnly));
    fa.seek(0);
    EXPECT_EQ(fa.readAll(), ff.readAll());
    ASSERT_EQ(RunTool(base + f + " --defaults"), 0);
    ff.close();
    ASSERT_TRUE(ff.open(QIODevice::ReadOnly));
    fa.seek(0);
    EXPECT_NE(fa.readAll(), ff.readAll());

    // The user's settings reach the tool once settings were stored: a galaxy
    // type whose hue base is 100 and that has no novas shows white stars only.
    const std::string ini = config.toStdString() + "/Lumenfold/QUIV_Galaxy.ini";
    {
        QSettingsBackend backend(ini);
        SettingsStore store(&backend);
        ASSERT_TRUE(store.WriteSetting("General", "AnimationType", int16_t{0}));
        ASSERT_TRUE(store.WriteSetting("Universe\\Galaxy4", "Galaxy_HueBase", int16_t{100}));
        // (novas, pulsars and comets take their colours from the comet hue
        // range)
        ASSERT_TRUE(store.WriteSetting("Universe\\Galaxy4", "Galaxy_NovaFreq", int16_t{0}));
        ASSERT_TRUE(store.WriteSetting("Universe\\Galaxy4", "Galaxy_PulsarFreq", int16_t{0}));
        ASSERT_TRUE(store.WriteSetting("Universe\\Galaxy4", "Galaxy_CometFreq", int16_t{0}));
        ASSERT_TRUE(store.Flush());
    }
    const QByteArray stored = [&] {
        QFile f(QString::fromStdString(ini));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_EQ(RunTool(base + g + " --galaxy 4 --stars 500"), 0);
    const QImage white(QString::fromStdString(g));
    int lit = 0;
    for (int y = 0; y < white.height(); ++y) {
        for (int x = 0; x < white.width(); ++x) {
            const QRgb p = white.pixel(x, y);
            if ((p & 0xFFFFFF) == 0) continue;
            ++lit;
            EXPECT_EQ(qRed(p), qGreen(p));
            EXPECT_EQ(qGreen(p), qBlue(p));
        }
    }
    EXPECT_GT(lit, 50);
    QFile after(QString::fromStdString(ini));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), stored);  // read, never written

    EXPECT_EQ(RunTool(tool.string() + " --help"), 0);
    EXPECT_EQ(RunTool(tool.string() + " --galaxy 50"), 2);
    EXPECT_EQ(RunTool(tool.string() + " --galaxy 1 --composite 1"), 2);
    EXPECT_EQ(RunTool(tool.string() + " --size 0x5"), 2);
    EXPECT_EQ(RunTool(tool.string() + " --bogus"), 2);
}

}  // namespace
}  // namespace orrelume
