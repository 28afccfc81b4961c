// Presenting a default universe frame in a full-screen window of an X
// display, as the saver does: taking the frame's changes and sending them
// from the shared memory the surface keeps its pixels in. The time is this
// thread's processor time (the server copies the pixels in its own
// process); what it should not do is grow with the screen.
//
// Runs on $DISPLAY, or on an Xvfb display of its own when none is set.
#if defined(ORRELUME_WITH_APP)

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>

#include "bench_universe_setup.h"
#include "engine/update.h"
#include "platform/x11_foreign_painter.h"
#include "platform/x11_shm_image.h"
#include "universe/ambient.h"

namespace orrelume::bench {
namespace {

// The display named by DISPLAY, or an Xvfb of our own of the given size.
class BenchDisplay {
  public:
    BenchDisplay(int width, int height) {
        if (const char* named = std::getenv("DISPLAY"); named && *named) {
            name_ = named;
            return;
        }
        int fds[2];
        if (pipe(fds) != 0) return;
        const std::string fd = std::to_string(fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd wait{fds[0], POLLIN, 0};
        char c = 0;
        while (pid_ > 0 && poll(&wait, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty()) name_ = ":" + number;
    }
    ~BenchDisplay() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& Name() const { return name_; }

  private:
    pid_t pid_ = -1;
    std::string name_;
};

// The processor time of this thread: the server's process, woken by what we
// send, may take our core for a while, which is not our work.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void RoundTrip(xcb_connection_t* c) {
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

void BM_PresentFrame(benchmark::State& state, int width, int height) {
    BenchDisplay display(width, height);
    xcb_connection_t* c =
        display.Name().empty() ? nullptr : xcb_connect(display.Name().c_str(), nullptr);
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
