// Presenting a default universe frame in a full-screen window of an X
// display, as the saver does: taking the frame's changes and sending them
// from the shared memory the surface keeps its pixels in. The time is this
// thread's processor time (the server copies the pixels in its own
// process); what it should not do is grow with the screen.
//
// Runs on $DISPLAY, or on an Xvfb display of its own when none is set.
#if defined(ORRELUME_WITH_APP)

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "bench_universe_setup.h"
#include "engine/update.h"
#include "platform/x11_foreign_painter.h"
#include "platform/x11_shm_image.h"
#include "tests/support/own_display.h"
#include "thread_clock.h"
#include "universe/ambient.h"

namespace orrelume::bench {
namespace {

void RoundTrip(xcb_connection_t* c) {
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

void BM_PresentFrame(benchmark::State& state, int width, int height) {
    // The display named by DISPLAY, or an Xvfb of our own of the size.
    const char* named = std::getenv("DISPLAY");
    std::optional<testing::OwnDisplay> own;
    if (!named || !*named) own.emplace(width, height, 24);
    const std::string name = own ? own->Name() : std::string(named);
    xcb_connection_t* c = name.empty() ? nullptr : xcb_connect(name.c_str(), nullptr);
    if (!c || xcb_connection_has_error(c)) {
        if (c) xcb_disconnect(c);
        state.SkipWithError("needs an X display (DISPLAY, or Xvfb installed)");
        return;
    }
    {
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        const uint32_t window = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0,
                          static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(c, window);
        BenchUniverse scene(5000, true, 100, width, height, SharedPixelAllocator(c));
        UniverseState& u = *scene.universe;
        EngineState& e = u.engine;
        ForeignWindowPainter painter(c, window);
        // A frame in the middle of a visit, comets and ambient stars in flow.
        const FrameInputs visit{0, 0, 4, 0.5f, true, 0};
        const float camZ = -e.values.dstCen;
        auto frame = [&] {
            UpdateGalaxies(e, visit);
            UpdateAmbientStars(u, 0, 0, camZ, u.expansionRadius, u.expansionSpeed, 1, 0);
        };
        for (int i = 0; i < 300; ++i)
            frame();
        painter.Present(scene.surface);
        RoundTrip(c);
        if (!painter.SharedMemory()) state.SetLabel("without shared memory");
        for (auto _ : state) {
            frame();
            // The frame's pixel writes are the animation's work, not the
            // showing's.
            scene.surface.pixels();
            const double start = ThreadSeconds();
            painter.Present(scene.surface);
            state.SetIterationTime(ThreadSeconds() - start);
            // The server catches up outside the timing.
            RoundTrip(c);
        }
    }
    xcb_disconnect(c);
}
const bool kRegistered = [] {
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
        const std::string name =
            "BM_PresentFrame/" + std::to_string(width) + "x" + std::to_string(height);
        benchmark::RegisterBenchmark(name.c_str(), BM_PresentFrame, width, height)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

}  // namespace
}  // namespace orrelume::bench

#endif
