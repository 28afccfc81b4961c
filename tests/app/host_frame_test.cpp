#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <QColor>
#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "driver/run_driver.h"
#include "driver/settings_source.h"
#include "engine/random.h"
#include "host_test_app.h"
#include "platform/frame_tiles.h"
#include "platform/x11_foreign_painter.h"
#include "platform/x11_shm_image.h"
#include "settings/factory_themes.h"
#include "support/core_fixture.h"
#include "support/own_display.h"
#include "support/window_pixels.h"
#include "ui/lock_message.h"

namespace orrelume {
namespace {

// A window's picture kept up to date from the surface's changes alone, as
// the windows keep theirs; every frame it must equal the surface.
class ShowingHost : public FrameHost {
  public:
    ShowingHost(HostState& state, int64_t frames) : state_(state), limit_(frames) {}
    void Present(const DrawingSurface& surface) override {
        const size_t n = static_cast<size_t>(surface.width()) * surface.height();
        const SurfaceChanges changes = surface.TakeChanges();
        if (shown_.size() != n) {
            // A new size comes only with a cleared picture.
            EXPECT_TRUE(changes.cleared) << "frame " << frames;
            shown_.assign(n, 0);
        }
        if (changes.cleared) std::fill(shown_.begin(), shown_.end(), Canvas::Pixel(0));
        const auto pixels = surface.pixels();
        for (const PixelRect& r : *changes.rects) {
            ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.width > 0 && r.height > 0 &&
                        r.x + r.width <= surface.width() && r.y + r.height <= surface.height());
            for (int y = r.y; y < r.y + r.height; ++y) {
                const size_t at = static_cast<size_t>(y) * surface.width() + r.x;
                std::copy_n(pixels.begin() + static_cast<ptrdiff_t>(at), r.width,
                            shown_.begin() + static_cast<ptrdiff_t>(at));
            }
        }
        mismatched += !std::equal(shown_.begin(), shown_.end(), pixels.begin());
        clears += changes.cleared;
        if (++frames >= limit_) state_.StopRequested = true;
    }
    void ProcessEvents(int32_t) override {}
    uint32_t TickCount() override { return 0; }

    int64_t frames = 0, mismatched = 0, clears = 0;

  private:
    HostState& state_;
    int64_t limit_;
    std::vector<uint32_t> shown_;
};

TEST(HostFrameChanges, PaintingOnlyTheChangedTilesShowsEveryFrame) {
    // Universes that end quickly (the surface is cleared between them), with
    // galaxies of many styles, comets and ambient stars: every writer of
    // pixels must mark what it wrote.
    HostState state;
    state.RunMode = kRunModeSaver;
    ShowingHost host(state, 260);
    FixedSettingsSource settings(FactorySettingsSet());
    settings.records.universe = test::TinyUniverse();
    settings.records.universe.stars = 3000;
    settings.records.universe.galaxy = 40;
    RunDriver driver(host, state, settings);
    driver.SetFixedSeed(3);
    driver.SetUnpaced(true);
    // Sizes that are not whole tiles.
    driver.SetUpRunSurface(333, 201, false);
    driver.RunWindowLoop(false);
    EXPECT_EQ(host.frames, 260);
    EXPECT_GE(host.clears, 3);
    EXPECT_EQ(host.mismatched, 0);

    // The single-galaxy preview draws through the same canvas.
    state.StopRequested = false;
    driver.SetRecords(settings.records.types, settings.records.composites);
    driver.PreviewGalaxy(150, 100, 0, true, 2000, 3, 165, 210);
    EXPECT_EQ(host.mismatched, 0);
}

TEST(HostFrameChanges, ChangesAreTilesAroundWhatWasWrittenThenNothing) {
    DrawingSurface surface;
    surface.SetSize(100, 20);
    EXPECT_TRUE(surface.TakeChanges().cleared);
    const Canvas canvas = surface.View();
    canvas.Plot(99, 19, 0x123456);
    canvas.Plot(0, 0, 0);  // black on black still counts
    canvas.Plot(-1, 5, 0xFFFFFF);
    *canvas.SlotOrSpare(40, 9, true) = Canvas::Pixel(0x10);
    *canvas.SlotOrSpare(70, 9, false) = Canvas::Pixel(0x10);  // not drawn
    const SurfaceChanges changes = surface.TakeChanges();
    EXPECT_FALSE(changes.cleared);
    const std::vector<PixelRect> expected{
        {0, 0, kTileWidth, kTileHeight}, {32, 8, kTileWidth, kTileHeight}, {96, 16, 4, 4}};
    EXPECT_EQ(*changes.rects, expected);
    EXPECT_EQ(canvas.PixelAt(99, 19), 0x123456u);
    EXPECT_TRUE(surface.TakeChanges().rects->empty());

    // Neighbouring tiles of a band make one rectangle.
    surface.MarkAll();
    EXPECT_EQ(*surface.TakeChanges().rects,
              (std::vector<PixelRect>{{0, 0, 100, 8}, {0, 8, 100, 8}, {0, 16, 100, 4}}));
    canvas.Plot(5, 5, 1);
    surface.ClearSurface();
    const SurfaceChanges cleared = surface.TakeChanges();
    EXPECT_TRUE(cleared.cleared);
    EXPECT_TRUE(cleared.rects->empty());
}

TEST(HostFrameChanges, WritesReachThePictureInTheOrderMade) {
    // The canvas holds its writes back; whatever reads the picture sees
    // every write made, the later of two to one pixel winning, however many
    // the frame made.
    DrawingSurface surface;
    surface.SetSize(64, 64);
    const Canvas canvas = surface.View();
    const int total = static_cast<int>(PixelLog::kCapacity) * 2 + 7;
    for (int i = 0; i < total; ++i)
        canvas.Plot(i % 64, (i / 64) % 64, static_cast<uint32_t>(i));
    for (int x = 0; x < 64; ++x) {
        // Each pixel's last write.
        const int last = (total - 1 - x) / 4096 * 4096 + x;
        ASSERT_EQ(canvas.PixelAt(x, 0), static_cast<uint32_t>(last)) << x;
    }
    // A clear drops what was waiting; a new size leaves nothing to write
    // into the memory that went.
    canvas.Plot(3, 3, 0xABCDEF);
    surface.ClearSurface();
    EXPECT_EQ(surface.pixels()[3 * 64 + 3], Canvas::Pixel(0));
    canvas.Plot(4, 4, 0xABCDEF);
    surface.SetSize(300, 200);
    const Canvas bigger = surface.View();
    EXPECT_EQ(bigger.PixelAt(4, 4), 0u);
    *bigger.SlotOrSpare(299, 199, true) = Canvas::Pixel(0x20);
    EXPECT_EQ(bigger.PixelAt(299, 199), 0x20u);
}

TEST(HostFrameChanges, TheToolkitPaintsTheSurfaceAndBlackBeyondIt) {
    test::HostTestApp();
    DrawingSurface surface;
    surface.SetSize(40, 30);
    const Canvas canvas = surface.View();
    canvas.Plot(3, 4, 0x336699);  // red in the low byte
    canvas.Plot(39, 29, 0xFFFFFF);
    QImage target(50, 30, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        PaintSurface(painter, &surface, QRegion(0, 0, 50, 30), 1.0);
    }
    EXPECT_EQ(target.pixel(3, 4), qRgb(0x99, 0x66, 0x33));
    EXPECT_EQ(target.pixel(39, 29), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(45, 10), qRgb(0, 0, 0));
    EXPECT_EQ(TakeChangedRegion(surface), QRegion(0, 0, 40, 30));  // cleared at first
    canvas.Plot(35, 12, 1);
    EXPECT_EQ(TakeChangedRegion(surface), QRegion(32, 8, 8, 8));
}

// The surface as a display of the depth shows it.
std::vector<uint32_t> AsShown(const DrawingSurface& surface, int depth) {
    std::vector<uint32_t> out;
    for (size_t i = 0; i + 1 < surface.pixels().size(); ++i) {
        uint32_t p = surface.pixels()[i];
        if (depth == 16) {
            const uint32_t r = (p >> 19) & 31, g = (p >> 10) & 63, b = (p >> 3) & 31;
            p = 0xFF000000u | ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) |
                (b << 3 | b >> 2);
        }
        out.push_back(p);
    }
    return out;
}

TEST(HostFrameChanges, TheWindowShowsEveryFrameOnEveryWayToTheDisplay) {
    // Through shared memory from the surface itself, through the connection,
    // and converted for a 16-bit display.
    for (const auto& [depth, shared] : {std::pair{24, true}, {24, false}, {16, true}}) {
        SCOPED_TRACE("depth " + std::to_string(depth) + (shared ? ", shared" : ""));
        testing::OwnDisplay display(320, 240, depth);
        if (display.Name().empty()) GTEST_SKIP() << "no Xvfb";
        xcb_connection_t* c = xcb_connect(display.Name().c_str(), nullptr);
        ASSERT_FALSE(xcb_connection_has_error(c));
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        const int w = 203, h = 61;  // not whole tiles
        const uint32_t window = testing::MapWhiteWindow(c, screen, w, h);
        {
            DrawingSurface surface;
            if (shared) surface.SetPixelAllocator(SharedPixelAllocator(c));
            surface.SetSize(w, h);
            EXPECT_EQ(surface.Memory() != nullptr, shared);
            ForeignWindowPainter painter(c, window, shared);
            Random rng(5);
            const Canvas canvas = surface.View();
            for (int frame = 0; frame < 8; ++frame) {
                if (frame == 5) surface.ClearSurface();
                for (int i = 0; i < 40; ++i) {
                    canvas.Plot(static_cast<int>(rng.Next() * w), static_cast<int>(rng.Next() * h),
                                i % 4 == 0 ? 0 : static_cast<uint32_t>(rng.Next() * 0xFFFFFF));
                }
                ASSERT_TRUE(painter.Present(surface));
                EXPECT_EQ(painter.SharedMemory(), shared);
                ASSERT_EQ(testing::WindowPixels(c, window, w, h, depth), AsShown(surface, depth))
                    << "frame " << frame;
            }
            // The window loses its pixels and is drawn anew, but for a part
            // that is not the painter's.
            xcb_clear_area(c, 0, window, 0, 0, 0, 0);
            painter.Invalidate();
            painter.SetExcluded({10, 3, 40, 12});
            // The frames after it draw across the excluded part too.
            for (int frame = 0; frame < 3; ++frame) {
                if (frame > 0) {
                    for (int i = 0; i < 60; ++i) {
                        canvas.Plot(static_cast<int>(rng.Next() * 70),
                                    static_cast<int>(rng.Next() * 25),
                                    static_cast<uint32_t>(rng.Next() * 0xFFFFFF));
                    }
                }
                ASSERT_TRUE(painter.Present(surface));
                const std::vector<uint32_t> shown = testing::WindowPixels(c, window, w, h, depth);
                std::vector<uint32_t> expected = AsShown(surface, depth);
                for (int y = 3; y < 15; ++y) {
                    for (int x = 10; x < 50; ++x)
                        expected[static_cast<size_t>(y) * w + x] = shown[0] | 0xFFFFFF;
                }
                ASSERT_EQ(shown, expected) << "frame with a part left out " << frame;
            }

            // A smaller surface at pixel size 2, placed inside the window:
            // each of its pixels covers 2 x 2, the rest of the area is black.
            DrawingSurface small;
            if (shared) small.SetPixelAllocator(SharedPixelAllocator(c));
            const int sw = 61, sh = 19, ox = 7, oy = 5;
            small.SetSize(sw, sh);
            ForeignWindowPainter scaled(c, window, shared);
            scaled.SetScale(2);
            scaled.SetPlacement(ox, oy, {0, 0, w, h});
            const Canvas view = small.View();
            for (int frame = 0; frame < 4; ++frame) {
                if (frame == 2) small.ClearSurface();
                for (int i = 0; i < 30; ++i) {
                    view.Plot(static_cast<int>(rng.Next() * sw), static_cast<int>(rng.Next() * sh),
                              static_cast<uint32_t>(rng.Next() * 0xFFFFFF));
                }
                ASSERT_TRUE(scaled.Present(small));
                const std::vector<uint32_t> surfaceShown = AsShown(small, depth);
                std::vector<uint32_t> want(static_cast<size_t>(w) * h, 0xFF000000u);
                for (int y = oy; y < std::min(h, oy + 2 * sh); ++y) {
                    for (int x = ox; x < std::min(w, ox + 2 * sw); ++x) {
                        want[static_cast<size_t>(y) * w + x] =
                            surfaceShown[static_cast<size_t>((y - oy) / 2) * sw + (x - ox) / 2];
                    }
                }
                ASSERT_EQ(testing::WindowPixels(c, window, w, h, depth), want)
                    << "scaled frame " << frame;
            }
        }
        xcb_disconnect(c);
    }
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
