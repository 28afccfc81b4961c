#include "host/run_window.h"

#include <QDeadlineTimer>
#include <QImage>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <string>

#include "host/host_trace.h"
#include "host/lock_message.h"
#include "platform/event_wait.h"
#include "platform/frame_tiles.h"

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
    // Clicks and keys on the message are the window's.
    picMessage_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

RunWindow::~RunWindow() = default;

QSize RunWindow::DeviceSize() const {
    const qreal ratio = devicePixelRatioF();
    return QSize(std::min(qRound(width() * ratio), kMaxSurfaceSide),
                 std::min(qRound(height() * ratio), kMaxSurfaceSide));
}

double RunWindow::LogicalWidth(const DrawingSurface& surface) const {
    // The surface counts device pixels; child widgets are placed in logical
    // ones.
    return surface.width() / devicePixelRatioF();
}

void RunWindow::ShowAndActivate() {
    show();
    raise();
    activateWindow();
    const QDeadlineTimer deadline(2000);
    while (!deadline.hasExpired() && isVisible() &&
           !(windowHandle() && windowHandle()->isExposed())) {
        ServeWindowEvents(static_cast<int32_t>(std::min<qint64>(50, deadline.remainingTime())));
    }
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
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
    const QSize size = DeviceSize();
    driver_.SetUpRunSurface(size.width(), size.height(), false);
    banner_ = source_.LoadAdvanced();
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
    const QSize size = DeviceSize();
    const DrawingSurface& surface = driver_.Surface();
    if (size.width() < 1 || size.height() < 1) return;
    if (size.width() == surface.width() && size.height() == surface.height()) return;
    driver_.SetUpRunSurface(size.width(), size.height(), false);
    if (picMessage_->isVisible()) LockMessageBanner(*picMessage_, banner_, LogicalWidth(surface));
    Trace("surface " + std::to_string(surface.width()) + "x" + std::to_string(surface.height()));
}

QRegion RunWindow::UpdateShown(const DrawingSurface& surface) {
    return ConvertChangedTiles(surface.pixels().data(), surface.width(), surface.height(), shown_);
}

void RunWindow::Present(const DrawingSurface& surface) {
    FollowSize();
    const QRegion changed = UpdateShown(surface);
    if (!changed.isEmpty()) {
        const qreal ratio = devicePixelRatioF();
        repaint(ratio == 1.0 ? changed : QRegion(rect()));
    }
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
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const qreal ratio = devicePixelRatioF();
    shown_.setDevicePixelRatio(ratio);
    const QRect picture(QPoint(0, 0), shown_.deviceIndependentSize().toSize());
    for (const QRect& dirty : event->region()) {
        const QRect target = dirty & picture;
        if (target.isEmpty()) continue;
        const QRect source(QPoint(qRound(target.x() * ratio), qRound(target.y() * ratio)),
                           QSize(qRound(target.width() * ratio), qRound(target.height() * ratio)));
        painter.drawImage(target, shown_, source);
    }
    // Whatever the picture does not cover (for a moment while the window
    // grows) is black.
    for (const QRect& r : event->region() - QRegion(picture))
        painter.fillRect(r, Qt::black);
}

}  // namespace orrelume
