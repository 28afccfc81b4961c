#include "host/hack.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <csignal>
#include <string>

#include "host/host_trace.h"
#include "host/run_window.h"
#include "platform/event_wait.h"
#include "platform/x11_shm_image.h"
#include "settings/factory_themes.h"

namespace orrelume {

namespace {

// The signal that asked for the stop (0: none yet).
volatile std::sig_atomic_t stopSignal = 0;
int signalPipe[2] = {-1, -1};

extern "C" void OnStopSignal(int signal) {
    stopSignal = signal;
    if (signalPipe[1] >= 0) {
        const char byte = 1;
        // Only wakes the wait; a full pipe has woken it already.
        [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
    }
}

std::string SizeText(int32_t width, int32_t height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

void CatchStopSignals() {
    if (signalPipe[0] < 0 && pipe2(signalPipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
    }
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool StopSignalArrived() {
    return stopSignal != 0;
}

int StopSignalDescriptor() {
    return signalPipe[0];
}

void EndByStopSignal() {
    const int signal = stopSignal;
    if (signal == 0) return;
    // The daemon that sent it learns from the status that its hack ended
    // as asked, not that it exited by itself.
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signal);
    sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    std::raise(signal);
}

HackRun::HackRun(HostState& state, SettingsStore& store, uint32_t window, bool root)
    : state_(state),
      store_(store),
      source_(store),
      driver_(*this, state, source_),
      window_(window),
      root_(root) {}

HackRun::~HackRun() = default;

void HackRun::Layout(const WindowExtent& size) {
    size_ = size;
    std::vector<PixelRect> areas;
    if (root_) {
        for (const MonitorArea& m : MonitorAreas(display_))
            areas.push_back({m.x, m.y, m.width, m.height});
    }
    if (areas.empty()) areas.push_back({0, 0, size.width, size.height});
    // One picture for every monitor, as large as the largest of them: one
    // universe costs what one monitor does, and each shows it centred.
    int32_t width = 1, height = 1;
    for (const PixelRect& a : areas) {
        width = std::max(width, std::min(a.width, kMaxSurfaceSide));
        height = std::max(height, std::min(a.height, kMaxSurfaceSide));
    }
    const int32_t s = scale_;
    width = (width + s - 1) / s;
    height = (height + s - 1) / s;
    driver_.SetUpRunSurface(width, height, false);
    if (parts_.size() != areas.size()) parts_.resize(areas.size());
    for (size_t i = 0; i < areas.size(); ++i) {
        Part& part = parts_[i];
        part.area = areas[i];
        if (!part.painter) {
            part.painter = std::make_unique<ForeignWindowPainter>(display_.Connection(), window_);
        }
        part.painter->SetScale(s);
        const bool whole =
            areas.size() == 1 && areas[0] == PixelRect{0, 0, size.width, size.height};
        part.painter->SetPlacement(part.area.x + (part.area.width - width * s) / 2,
                                   part.area.y + (part.area.height - height * s) / 2,
                                   whole ? PixelRect{} : part.area);
    }
    Trace("hack-layout " + SizeText(size.width, size.height) + " monitors " +
          std::to_string(areas.size()) + " surface " + SizeText(width, height) + " pixel-size " +
          std::to_string(s));
}

bool HackRun::Run() {
    if (display_.Connected() && (root_ || window_ == display_.Root())) {
        window_ = display_.Root();
        root_ = true;
    }
    const auto size = display_.Connected() && window_ != 0 && WatchWindow(display_, window_)
                          ? WindowSize(display_, window_)
                          : std::nullopt;
    if (!size) {
        Trace("hack-no-window " + std::to_string(window_));
        return false;
    }
    Trace("hack " + std::to_string(window_) + " " + SizeText(size->width, size->height));
    // What another process stored since counts, as for the saver.
    store_.Refresh();
    double ratio = 1.0;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        ratio = screen->devicePixelRatio();
    scale_ = EffectivePixelScale(source_.LoadAdvanced().pixelScale, ratio);
    // The daemon's display reads the frames where they are drawn.
    driver_.Surface().SetPixelAllocator(SharedPixelAllocator(display_.Connection()));
    Layout(*size);
    // A first run without stored settings gets the factory set, as the
    // saver's does.
    InstallFactoryTypesIfNeeded(store_);
    state_.StopRequested = false;
    driver_.RunWindowLoop(false);
    Trace("stopped");
    return true;
}

void HackRun::Stop(const char* why) {
    if (!stopped_) Trace(why);
    stopped_ = true;
    state_.StopRequested = true;
}

void HackRun::Present(const DrawingSurface& surface) {
    if (stopped_) return;
    const auto size = WindowSize(display_, window_);
    if (!size) {
        Stop("hack-window-gone");
        return;
    }
    if (size->width != size_.width || size->height != size_.height) {
        // A window of a new size gets a surface of its size at this frame's
        // end; on the root, the monitors are looked at again.
        Layout(*size);
        Trace("surface " + SizeText(surface.width(), surface.height()));
    }
    const SurfaceChanges changes = surface.TakeChanges();
    for (Part& part : parts_) {
        if (size->width > 0 && size->height > 0 && !part.painter->Present(surface, changes)) {
            Stop("hack-window-gone");
            return;
        }
    }
    if (++frames_ == 1) Trace("first-frame");
}

void HackRun::DrainEvents() {
    bool exposed = false;
    if (DrainWindowEvents(display_, window_, &exposed)) Stop("hack-window-gone");
    if (exposed) {
        for (Part& part : parts_)
            part.painter->Invalidate();
    }
    if (StopSignalArrived()) Stop("hack-signal");
}

void HackRun::ProcessEvents(int32_t maxWaitMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    DrainEvents();
    if (maxWaitMs <= 0 || state_.StopRequested) return;
    // Sleep until the window has news, a signal comes or the frame's time
    // is up.
    pollfd fds[2] = {{display_.FileDescriptor(), POLLIN, 0}, {StopSignalDescriptor(), POLLIN, 0}};
    poll(fds, 2, maxWaitMs);
    DrainEvents();
}

uint32_t HackRun::TickCount() {
    return MonotonicTickCount();
}

}  // namespace orrelume
