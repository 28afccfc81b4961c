#include <gtest/gtest.h>

#include <QColor>
#include <QLabel>

#include <random>
#include <vector>

#include "host/lock_message.h"
#include "host_test_app.h"
#include "platform/frame_tiles.h"

namespace orrelume {
namespace {

// The framebuffer's red-low colour as the window must show it.
uint32_t Shown(uint32_t rgbx) {
    return 0xFF000000u | ((rgbx & 0xFF) << 16) | (rgbx & 0xFF00) | ((rgbx >> 16) & 0xFF);
}

void ExpectShows(const std::vector<uint32_t>& fb, int w, int h, const QImage& shown) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(shown.pixel(x, y), Shown(fb[static_cast<size_t>(y) * w + x]))
                << x << "," << y;
        }
    }
}

TEST(HostFrameTiles, OnlyChangedTilesAreSentAndNothingIsMissed) {
    // A width and height that are not whole tiles.
    const int w = 203, h = 37;
    std::vector<uint32_t> fb(static_cast<size_t>(w) * h, 0xFF000000u);
    QImage shown;
    EXPECT_EQ(ConvertChangedTiles(fb.data(), w, h, shown), QRegion(0, 0, w, h));
    ExpectShows(fb, w, h, shown);
    // Nothing changed: nothing to send.
    EXPECT_TRUE(ConvertChangedTiles(fb.data(), w, h, shown).isEmpty());

    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        std::vector<QPoint> plotted;
        for (int i = 0; i < 6; ++i) {
            const int x = static_cast<int>(rng() % w), y = static_cast<int>(rng() % h);
            fb[static_cast<size_t>(y) * w + x] = 0xFF000000u | (rng() & 0xFFFFFF);
            plotted.emplace_back(x, y);
        }
        const QRegion changed = ConvertChangedTiles(fb.data(), w, h, shown);
        for (const QPoint& p : plotted)
            EXPECT_TRUE(changed.contains(p)) << p.x() << "," << p.y();
        // Six pixels never touch more than six tiles of 64 x 16.
        int area = 0;
        for (const QRect& r : changed)
            area += r.width() * r.height();
        EXPECT_LE(area, 6 * 64 * 16);
        ExpectShows(fb, w, h, shown);
    }
    // A pixel erased to black is a change too.
    fb[5] = 0xFF000000u | 0x123456;
    ConvertChangedTiles(fb.data(), w, h, shown);
    fb[5] = 0xFF000000u;
    EXPECT_TRUE(ConvertChangedTiles(fb.data(), w, h, shown).contains(QPoint(5, 0)));
    ExpectShows(fb, w, h, shown);
}

TEST(HostFrameTiles, ASizeChangeSendsEverything) {
    std::vector<uint32_t> fb(64 * 16, 0xFF0000FFu);
    QImage shown;
    ConvertChangedTiles(fb.data(), 64, 16, shown);
    fb.assign(32 * 8, 0xFF00FF00u);
    EXPECT_EQ(ConvertChangedTiles(fb.data(), 32, 8, shown), QRegion(0, 0, 32, 8));
    ExpectShows(fb, 32, 8, shown);
    EXPECT_TRUE(ConvertChangedTiles(nullptr, 32, 8, shown).isEmpty());
}

TEST(HostLockMessage, CentredAtTheTopInTheHueOfTheSetting) {
    test::HostTestApp();
    QWidget window;
    window.resize(800, 600);
    QLabel panel(&window);
    AdvancedRunValues advanced;
    advanced.lockMessage = "Back at three";
    advanced.fontSize = 24;
    advanced.fontHue = 0;
    LockMessageBanner(panel, advanced, 800);
    EXPECT_FALSE(panel.isHidden());
    EXPECT_EQ(panel.y(), 0);
    EXPECT_GT(panel.width(), 0);
    EXPECT_LE(std::abs(panel.x() * 2 + panel.width() - 800), 1);
    EXPECT_EQ(panel.font().pointSize(), 24);
    // Hue 0 of the wheel with the banner's arguments: full red over a floor.
    EXPECT_EQ(LockMessageColour(0), 0xFF3737u);
    EXPECT_EQ(panel.palette().color(QPalette::WindowText), QColor(0xFF, 0x37, 0x37));

    // No message: no panel.
    advanced.lockMessage.clear();
    LockMessageBanner(panel, advanced, 800);
    EXPECT_TRUE(panel.isHidden());
}

}  // namespace
}  // namespace orrelume
