#include "host/hack.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "host/run_window.h"
#include "platform/event_wait.h"
#include "platform/x11_shm_image.h"
#include "settings/factory_themes.h"
#include "ui/host_trace.h"

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

ProgramsEditResult AddToXScreenSaverPrograms(std::string_view file) {
    ProgramsEditResult result;
    size_t at = 0;
    while (at < file.size()) {
        const size_t end = file.find('\n', at);
        const std::string_view line =
            file.substr(at, end == std::string_view::npos ? end : end - at);
        if (line.substr(0, 9) != "programs:") {
            if (end == std::string_view::npos) break;
            at = end + 1;
            continue;
        }
        // The list goes on while its lines end with a backslash.
        auto goesOn = [](std::string_view l) {
            while (!l.empty() && (l.back() == ' ' || l.back() == '\t' || l.back() == '\r'))
                l.remove_suffix(1);
            return !l.empty() && l.back() == '\\';
        };
        if (end == std::string_view::npos || !goesOn(line)) return result;
        size_t next = end + 1;
        std::string_view entry = line;
        while (true) {
            std::string lower(entry);
            for (char& ch : lower)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            if (lower.find("orrelume") != std::string::npos) {
                result.outcome = ProgramsEdit::AlreadyListed;
                return result;
            }
            if (!goesOn(entry) || next >= file.size()) break;
            const size_t e = file.find('\n', next);
            entry = file.substr(next, e == std::string_view::npos ? e : e - next);
            next = e == std::string_view::npos ? file.size() : e + 1;
        }
        result.outcome = ProgramsEdit::Added;
        result.text.reserve(file.size() + 64);
        result.text.append(file.substr(0, end + 1));
        result.text.append(kXScreenSaverProgramLine);
        result.text.append(file.substr(end + 1));
        return result;
    }
    return result;
}

int AddToXScreenSaverSettings() {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        std::fputs("orrelume: HOME is not set\n", stderr);
        return 1;
    }
    const std::filesystem::path path = std::filesystem::path(home) / ".xscreensaver";
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr,
                     "orrelume: %s does not exist yet. Open xscreensaver-settings, change any "
                     "setting so that it writes the file, close it, and run this again.\n",
                     path.c_str());
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const ProgramsEditResult edit = AddToXScreenSaverPrograms(text);
    if (edit.outcome == ProgramsEdit::AlreadyListed) {
        std::printf("%s lists Orrelume already; nothing changed.\n", path.c_str());
        return 0;
    }
    if (edit.outcome == ProgramsEdit::NoList) {
        std::fprintf(stderr,
                     "orrelume: %s has no programs: list that goes on over lines; nothing "
                     "changed. Add this line to the list by hand:\n%s",
                     path.c_str(), kXScreenSaverProgramLine);
        return 1;
    }
    // The file as it was, beside it; the new one replaces it whole.
    const std::filesystem::path backup = path.string() + ".before-orrelume";
    const std::filesystem::path fresh = path.string() + ".orrelume-new";
    std::error_code ec;
    const auto permissions = std::filesystem::status(path, ec).permissions();
    auto write = [](const std::filesystem::path& to, const std::string& bytes) {
        std::ofstream out(to, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        return static_cast<bool>(out);
    };
    if (!write(backup, text) || !write(fresh, edit.text)) {
        std::filesystem::remove(fresh, ec);
        std::fprintf(stderr, "orrelume: cannot write beside %s; nothing changed.\n", path.c_str());
        return 1;
    }
    std::filesystem::permissions(backup, permissions, ec);
    std::filesystem::permissions(fresh, permissions, ec);
    std::filesystem::rename(fresh, path, ec);
    if (ec) {
        std::filesystem::remove(fresh, ec);
        std::fprintf(stderr, "orrelume: cannot replace %s; nothing changed.\n", path.c_str());
        return 1;
    }
    std::printf(
        "Added Orrelume to the programs: list of %s (the file as it was is %s).\n"
        "Choose it in xscreensaver-settings.\n",
        path.c_str(), backup.c_str());
    return 0;
}

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
