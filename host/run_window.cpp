#include "host/run_window.h"

#include <QDeadlineTimer>
#include <QImage>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <string>

#include "host/event_wait.h"
#include "host/frame_tiles.h"
#include "host/host_trace.h"
#include "host/lock_message.h"

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

void RunWindow::ShowAndActivate() {
    show();
    raise();
    activateWindow();
    const QDeadlineTimer deadline(2000);
    while (!deadline.hasExpired() && !(windowHandle() && windowHandle()->isExposed())) {
        ServeWindowEvents(static_cast<int32_t>(std::min<qint64>(50, deadline.remainingTime())));
    }
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    Trace("window-shown " + std::to_string(width()) + "x" + std::to_string(height()));
}

void RunWindow::SetUpSurface() {
    const QSize size = DeviceSize();
    driver_.SetUpRunSurface(size.width(), size.height(), false);
    banner_ = source_.LoadAdvanced();
    LockMessageBanner(*picMessage_, banner_, driver_.Surface().width());
    if (!banner_.lockMessage.empty()) Trace("lock-message " + banner_.lockMessage);
    driver_.ClearSurface();
}

void RunWindow::FollowSize() {
    const QSize size = DeviceSize();
    const DrawingSurface& surface = driver_.Surface();
    if (size.width() < 1 || size.height() < 1) return;
    if (size.width() == surface.width() && size.height() == surface.height()) return;
    driver_.SetUpRunSurface(size.width(), size.height(), false);
    if (picMessage_->isVisible()) LockMessageBanner(*picMessage_, banner_, surface.width());
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
