// Each way the window painter has to the screen, on a server that offers
// it: Xvfb started without some of its extensions, at 16 or 24 bits, and a
// segment the server attached only for reading. The window must show every
// frame exactly, whichever way it took, and the painter must say which.
#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "engine/random.h"
#include "platform/x11_foreign_painter.h"
#include "platform/x11_shm_image.h"
#include "support/own_display.h"
#include "support/window_pixels.h"

namespace orrelume {
namespace {

std::vector<std::string>& Traced() {
    static std::vector<std::string> lines;
    return lines;
}
void Capture(std::string_view line) {
    Traced().emplace_back(line);
}

uint32_t AtBits(uint32_t p, int bits) {
    if (bits != 16) return p;
    const uint32_t r = (p >> 19) & 31, g = (p >> 10) & 63, b = (p >> 3) & 31;
    return 0xFF000000u | ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

// A depth-32 visual of the screen, or 0.
uint32_t ArgbVisual(xcb_screen_t* screen) {
    for (xcb_depth_iterator_t d = xcb_screen_allowed_depths_iterator(screen); d.rem;
         xcb_depth_next(&d)) {
        if (d.data->depth != 32) continue;
        for (xcb_visualtype_iterator_t v = xcb_depth_visuals_iterator(d.data); v.rem;
             xcb_visualtype_next(&v)) {
            if (v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR) return v.data->visual_id;
        }
    }
    return 0;
}

struct Way {
    const char* what;
    int depth;                         // the screen's
    std::vector<std::string> without;  // extensions the server leaves out
    bool sharedSurface;                // the surface's memory is a segment
    X11SharedMemory::ServerAccess access;
    int scale;
    bool argbWindow;  // a window of depth 32 on a screen of 24
    PainterTransport expected;
};

TEST(PainterWays, EachWayShowsEveryFrameAndIsReported) {
    using Access = X11SharedMemory::ServerAccess;
    const std::vector<Way> ways{
        {"pixmap of the surface",
         24,
         {},
         true,
         Access::kReadWrite,
         1,
         false,
         PainterTransport::kSharedPixmap},
        {"enlarged by the server",
         24,
         {},
         true,
         Access::kReadWrite,
         2,
         false,
         PainterTransport::kSharedRender},
        {"read-only segment",
         24,
         {},
         true,
         Access::kReadOnly,
         1,
         false,
         PainterTransport::kSharedSurface},
        {"read-only segment enlarged",
         24,
         {},
         true,
         Access::kReadOnly,
         3,
         false,
         PainterTransport::kSharedConverted},
        {"no RENDER, enlarged",
         24,
         {"RENDER"},
         true,
         Access::kReadWrite,
         2,
         false,
         PainterTransport::kSharedConverted},
        {"surface in its own memory",
         24,
         {},
         false,
         Access::kReadWrite,
         1,
         false,
         PainterTransport::kPutImage},
        {"depth-32 window",
         24,
         {},
         true,
         Access::kReadWrite,
         1,
         true,
         PainterTransport::kSharedPixmap},
        {"16 bits", 16, {}, true, Access::kReadWrite, 1, false, PainterTransport::kSharedConverted},
        {"16 bits without shared memory",
         16,
         {"MIT-SHM"},
         true,
         Access::kReadWrite,
         1,
         false,
         PainterTransport::kPutImage},
        {"16 bits without shared memory, enlarged",
         16,
         {"MIT-SHM"},
         true,
         Access::kReadWrite,
         2,
         false,
         PainterTransport::kPutImage},
    };
    SetPainterTrace(&Capture);
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        testing::OwnDisplay server(320, 240, way.depth, way.without);
        if (server.Name().empty()) GTEST_SKIP() << "no Xvfb";
        xcb_connection_t* c = xcb_connect(server.Name().c_str(), nullptr);
        ASSERT_FALSE(xcb_connection_has_error(c));
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        // A window of odd size with the picture placed inside it and cut at
        // its right and bottom edges; white shows whatever is left out.
        const int w = 203, h = 61, ox = 5, oy = 3;
        const int sw = (w + way.scale - 1) / way.scale, sh = (h + way.scale - 1) / way.scale;
        const uint32_t visual = way.argbWindow ? ArgbVisual(screen) : 0;
        ASSERT_TRUE(!way.argbWindow || visual != 0) << "no 32-bit visual";
        const uint32_t window = testing::MapWhiteWindow(c, screen, w, h, visual);
        const int bits = way.depth == 16 && !way.argbWindow ? 16 : 32;
        Traced().clear();
        {
            DrawingSurface surface;
            if (way.sharedSurface) surface.SetPixelAllocator(SharedPixelAllocator(c, way.access));
            surface.SetSize(sw, sh);
            ForeignWindowPainter painter(c, window);
            painter.SetScale(way.scale);
            painter.SetPlacement(ox, oy, {0, 0, w, h});
            Random rng(11);
            const Canvas canvas = surface.View();
            for (int frame = 0; frame < 5; ++frame) {
                if (frame == 3) surface.ClearSurface();
                for (int i = 0; i < 40; ++i) {
                    canvas.Plot(static_cast<int>(rng.Next() * sw),
                                static_cast<int>(rng.Next() * sh),
                                static_cast<uint32_t>(rng.Next() * 0xFFFFFF));
                }
                ASSERT_TRUE(painter.Present(surface));
                ASSERT_EQ(painter.Transport(), way.expected) << TransportName(painter.Transport());
                std::vector<uint32_t> want(static_cast<size_t>(w) * h, 0xFF000000u);
                const auto pixels = surface.pixels();
                for (int y = oy; y < h; ++y) {
                    for (int x = ox; x < w; ++x) {
                        want[static_cast<size_t>(y) * w + x] =
                            AtBits(pixels[static_cast<size_t>((y - oy) / way.scale) * sw +
                                          (x - ox) / way.scale],
                                   bits);
                    }
                }
                ASSERT_EQ(testing::WindowPixels(c, window, w, h, bits), want) << "frame " << frame;
            }
        }
        // The way was told once, when it was chosen.
        const std::string told = "painter " + std::to_string(window) + " " +
                                 TransportName(way.expected) + " depth " +
                                 std::to_string(way.argbWindow ? 32 : way.depth) + " " +
                                 std::to_string(bits == 16 ? 16 : 32) + "-bit";
        EXPECT_EQ(Traced(), std::vector<std::string>{told});
        xcb_disconnect(c);
    }
    SetPainterTrace(nullptr);
}

}  // namespace
}  // namespace orrelume
