#include "host/run_window.h"

#include <QDeadlineTimer>
#include <QImage>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <string>

#include "platform/event_wait.h"
#include "platform/frame_tiles.h"
#include "platform/x11_foreign_painter.h"
#include "platform/x11_shm_image.h"
#include "ui/host_trace.h"
#include "ui/lock_message.h"

namespace orrelume {

RunWindow::RunWindow(HostState& state, SettingsStore& store)
    : state_(state), store_(store), source_(store), driver_(*this, state, source_) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    picMessage_ = new QLabel(this);
    picMessage_->hide();
    // On an X display the surface keeps its pixels where the server reads
    // them.
    if (xcb_connection_t* connection = ToolkitConnection()) {
        driver_.Surface().SetPixelAllocator(SharedPixelAllocator(connection));
    }
    // Clicks and keys on the message are the window's.
    picMessage_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

RunWindow::~RunWindow() = default;

QSize RunWindow::DeviceSize() const {
    const qreal ratio = devicePixelRatioF();
    return QSize(std::min(qRound(width() * ratio), kMaxSurfaceSide),
                 std::min(qRound(height() * ratio), kMaxSurfaceSide));
}

QSize RunWindow::SurfaceSize() const {
    const QSize device = DeviceSize();
    const int32_t s = pixelScale_;
    return QSize((device.width() + s - 1) / s, (device.height() + s - 1) / s);
}

double RunWindow::LogicalWidth(const DrawingSurface& surface) const {
    // The surface counts its own pixels, each `pixelScale_` device pixels
    // across; child widgets are placed in logical ones.
    return std::min<double>(surface.width() * pixelScale_ / devicePixelRatioF(), width());
}

void RunWindow::PresentMore(const DrawingSurface&, const SurfaceChanges&) {}

void RunWindow::ShowAndActivate(bool behind) {
    show();
    if (behind) {
        lower();
    } else {
        raise();
        activateWindow();
    }
    const QDeadlineTimer deadline(2000);
    while (!deadline.hasExpired() && isVisible() &&
           !(windowHandle() && windowHandle()->isExposed())) {
        ServeWindowEvents(static_cast<int32_t>(std::min<qint64>(50, deadline.remainingTime())));
    }
    if (!behind) {
        activateWindow();
        setFocus(Qt::ActiveWindowFocusReason);
    }
    HoldShowForTests();
    Trace("window-shown " + std::to_string(width()) + "x" + std::to_string(height()));
}

void RunWindow::HoldShowForTests() {
    // The real-window tests send input while a window is still being shown;
    // this moment lasts only a few milliseconds, so they may stretch it.
    const QByteArray hold = qgetenv("ORRELUME_SHOW_HOLD_MS");
    if (hold.isEmpty()) return;
    const int ms = std::clamp(hold.toInt(), 0, 10000);
    Trace("showing");
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired() && isVisible()) {
        ServeWindowEvents(static_cast<int32_t>(std::min<qint64>(50, deadline.remainingTime())));
    }
}

void RunWindow::SetUpSurface() {
    banner_ = source_.LoadAdvanced();
    pixelScale_ = EffectivePixelScale(banner_.pixelScale, devicePixelRatioF());
    const QSize size = SurfaceSize();
    driver_.SetUpRunSurface(size.width(), size.height(), false);
    Trace("pixel-size " + std::to_string(pixelScale_) + " surface " + std::to_string(size.width()) +
          "x" + std::to_string(size.height()));
    LockMessageBanner(*picMessage_, banner_, LogicalWidth(driver_.Surface()));
    if (!banner_.lockMessage.empty()) {
        const QRect at = picMessage_->geometry();
        Trace("lock-message " + banner_.lockMessage);
        Trace("lock-message-at " + std::to_string(at.x()) + " " + std::to_string(at.width()) + "x" +
              std::to_string(at.height()) + " of " + std::to_string(width()));
    }
    driver_.ClearSurface();
}

void RunWindow::FollowSize() {
    const QSize size = SurfaceSize();
    const DrawingSurface& surface = driver_.Surface();
    if (size.width() < 1 || size.height() < 1) return;
    if (size.width() == surface.width() && size.height() == surface.height()) return;
    driver_.SetUpRunSurface(size.width(), size.height(), false);
    if (picMessage_->isVisible()) LockMessageBanner(*picMessage_, banner_, LogicalWidth(surface));
    Trace("surface " + std::to_string(surface.width()) + "x" + std::to_string(surface.height()));
}

bool RunWindow::PresentDirect(const DrawingSurface& surface, const SurfaceChanges& changes) {
    QWindow* window = windowHandle();
    if (!direct_ || !window) return false;
    const auto id = static_cast<uint32_t>(window->winId());
    if (!painter_ || painter_->Window() != id) {
        xcb_connection_t* connection = ToolkitConnection();
        if (!connection) {
            direct_ = false;
            return false;
        }
        // Our own frames go through the toolkit's connection, after what it
        // painted into the window before.
        painter_ = std::make_unique<ForeignWindowPainter>(connection, id);
        window->installEventFilter(this);
    }
    // The lock message is a part of the window the frames leave alone.
    PixelRect message;
    if (picMessage_->isVisible()) {
        const qreal ratio = devicePixelRatioF();
        const QRect at = picMessage_->geometry();
        message = {qFloor(at.x() * ratio), qFloor(at.y() * ratio), qCeil(at.width() * ratio),
                   qCeil(at.height() * ratio)};
    }
    painter_->SetExcluded(message);
    painter_->SetScale(pixelScale_);
    if (painter_->Present(surface, changes)) return true;
    // A window we cannot draw into: the toolkit paints it from now on.
    painter_.reset();
    direct_ = false;
    update();
    return true;
}

void RunWindow::Present(const DrawingSurface& surface) {
    FollowSize();
    // One taker of the changes; every window that shows the frame gets them.
    const SurfaceChanges changes = surface.TakeChanges();
    if (!PresentDirect(surface, changes)) {
        const QRegion changed = ChangedRegion(surface, changes);
        if (!changed.isEmpty()) {
            const qreal ratio = devicePixelRatioF();
            repaint(ratio == 1.0 && pixelScale_ == 1 ? changed : QRegion(rect()));
        }
    }
    PresentMore(surface, changes);
    if (++frames_ == 1) Trace("first-frame");
}

void RunWindow::ProcessEvents(int32_t maxWaitMs) {
    ServeWindowEvents(maxWaitMs);
}

uint32_t RunWindow::TickCount() {
    return MonotonicTickCount();
}

void RunWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    PaintSurface(painter, &driver_.Surface(), event->region(), devicePixelRatioF() / pixelScale_);
}

bool RunWindow::eventFilter(QObject* watched, QEvent* event) {
    // An exposed window may be shown from the toolkit's copy of it, which
    // the frames sent past it do not keep up to date: the next frame sends
    // everything.
    if (event->type() == QEvent::Expose && painter_ && watched == windowHandle()) {
        painter_->Invalidate();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orrelume
