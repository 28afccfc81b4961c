#include "host/preview.h"

#include <poll.h>

#include <QCoreApplication>

#include <algorithm>
#include <string>

#include "host/run_window.h"
#include "platform/event_wait.h"
#include "platform/x11_shm_image.h"
#include "ui/host_trace.h"

namespace orrelume {

frmPreview::frmPreview(HostState& state, SettingsStore& store)
    : state_(state), source_(store), driver_(*this, state, source_) {}

frmPreview::~frmPreview() = default;

void frmPreview::HostWindowGone() {
    if (!parentGone_) Trace("host-window-gone");
    parentGone_ = true;
    state_.StopRequested = true;
}

void frmPreview::Run() {
    parent_ = static_cast<uint32_t>(state_.PreviewParentWindow);
    CreateCaptionWindow(display_, kPreviewCaption);
    // Told at once when the host window is destroyed or resized; a window
    // that is not there leaves the size empty, and the first frame's check
    // ends the run.
    WatchWindow(display_, parent_);
    WindowExtent size = WindowSize(display_, parent_).value_or(WindowExtent{});
    size.width = std::min(size.width, kMaxSurfaceSide);
    size.height = std::min(size.height, kMaxSurfaceSide);
    painter_ = std::make_unique<ForeignWindowPainter>(display_.Connection(), parent_);
    Trace("preview " + std::to_string(parent_) + " " + std::to_string(size.width) + "x" +
          std::to_string(size.height));

    // The host window's display reads the frames where they are drawn.
    driver_.Surface().SetPixelAllocator(SharedPixelAllocator(display_.Connection()));
    state_.StopRequested = false;
    driver_.SetUpRunSurface(size.width, size.height, true);
    driver_.RunWindowLoop(true);
    Trace("stopped");
}

void frmPreview::Present(const DrawingSurface& surface) {
    if (parentGone_) return;
    // Fill the host window exactly: a window whose size changed gets a
    // surface of its new size at this frame's end.
    auto size = WindowSize(display_, parent_);
    if (!size) {
        HostWindowGone();
        return;
    }
    size->width = std::min(size->width, kMaxSurfaceSide);
    size->height = std::min(size->height, kMaxSurfaceSide);
    if (size->width > 0 && size->height > 0 &&
        (size->width != surface.width() || size->height != surface.height())) {
        driver_.SetUpRunSurface(size->width, size->height, true);
        Trace("surface " + std::to_string(surface.width()) + "x" +
              std::to_string(surface.height()));
    }
    // Only what the frame drew goes to the window, unless it lost its
    // pixels.
    if (size->width > 0 && size->height > 0) painter_->Present(surface);
    if (++frames_ == 1) Trace("first-frame");
}

void frmPreview::DrainHostEvents() {
    bool exposed = false;
    if (DrainWindowEvents(display_, parent_, &exposed)) HostWindowGone();
    if (exposed && painter_) painter_->Invalidate();
}

void frmPreview::ProcessEvents(int32_t maxWaitMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    DrainHostEvents();
    if (maxWaitMs <= 0 || state_.StopRequested) return;
    // Sleep until the host window has news or the frame's time is up.
    pollfd fd{display_.FileDescriptor(), POLLIN, 0};
    if (fd.fd >= 0) {
        poll(&fd, 1, maxWaitMs);
    }
    DrainHostEvents();
}

uint32_t frmPreview::TickCount() {
    return MonotonicTickCount();
}

bool frmPreview::PreviewHostAlive() {
    if (!parentGone_ && !WindowExists(display_, parent_)) HostWindowGone();
    return !parentGone_;
}

}  // namespace orrelume
