#include "host/saver_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTime>
#include <QtMath>

#include <QPainter>
#include <QWindow>

#include <string>

#include "platform/x11_foreign_painter.h"
#include "platform/x11_windows.h"
#include "settings/factory_themes.h"
#include "settings/numeric.h"
#include "ui/host_trace.h"

namespace orrelume {

bool IsWindows9x() {
    return false;
}

bool SaverPasswordEnabled() {
    // The desktop keeps no such setting here; only the consumer systems'
    // password services read it.
    return false;
}

void SaverRunning(bool running) {
    if (!(IsWindows9x() && SaverPasswordEnabled())) return;
    // The consumer systems' "screen saver running" notice has no counterpart.
}

bool VerifySaverPassword(const QWidget&) {
    if (!(IsWindows9x() && SaverPasswordEnabled())) return true;
    return true;
}

bool MouseMoveRule::Move(double secondsOfDay, bool background) {
    bool close = false;
    MouseMoveCounter += 1;
    if (MouseMoveCounter == 4 && !background) close = true;
    if (firstMoveTime != 0) {
        double elapsed = secondsOfDay - firstMoveTime;
        // Across midnight the time of day starts again from 0. (The first
        // time was rounded, so it may lie up to half a second ahead.)
        if (elapsed < -43200.0) elapsed += 86400.0;
        if (elapsed > 10) {
            MouseMoveCounter = 0;
            firstMoveTime = 0;
        }
    } else {
        const auto whole = CLng(secondsOfDay);
        firstMoveTime = whole ? *whole : 0;
    }
    return close;
}

frmSaver::frmSaver(HostState& state, SettingsStore& store) : RunWindow(state, store) {}

namespace {

// A black window over one monitor; the saver draws into it.
class MirrorWindow : public QWidget {
  public:
    MirrorWindow() {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setMouseTracking(true);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
    }
};

// Puts a window over one monitor: full screen in front of everything, or in
// background mode as the desktop's background there, with the pointer shown.
void CoverScreen(QWidget& w, const QRect& geometry, bool background) {
    w.setWindowTitle(QString::fromLatin1(kRunCaption));
    if (background) {
        w.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
        w.setGeometry(geometry);
        w.setCursor(Qt::ArrowCursor);
        // Before it is shown, so that the window manager stacks it below
        // from the start.
        if (xcb_connection_t* connection = ToolkitConnection())
            MarkAsDesktopBackground(connection, static_cast<uint32_t>(w.winId()));
    } else {
        w.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        w.setGeometry(geometry);
        w.setWindowState(Qt::WindowFullScreen);
        w.setCursor(Qt::BlankCursor);
    }
}

}  // namespace

std::vector<QRect> SaverMonitors(const std::vector<QRect>& screens,
                                 const std::vector<MonitorArea>& monitors, qreal ratio) {
    if (monitors.size() <= screens.size() || !(ratio > 0)) return screens;
    const QPoint corner = screens.empty() ? QPoint(0, 0) : screens.front().topLeft();
    std::vector<QRect> rects;
    for (const MonitorArea& m : monitors) {
        const QRect r(qFloor(m.x / ratio), qFloor(m.y / ratio), qCeil(m.width / ratio),
                      qCeil(m.height / ratio));
        if (r.contains(corner) && !rects.empty() && !rects.front().contains(corner)) {
            rects.insert(rects.begin(), r);
        } else {
            rects.push_back(r);
        }
    }
    return rects;
}

void frmSaver::CoverOtherScreens(const std::vector<QRect>& others) {
    for (const QRect& area : others) {
        Mirror mirror;
        mirror.window = std::make_unique<MirrorWindow>();
        QWidget& w = *mirror.window;
        CoverScreen(w, area, background_);
        w.installEventFilter(this);
        w.show();
        if (background_) w.lower();
        if (QWindow* handle = w.windowHandle()) handle->installEventFilter(this);
        const QRect g = w.geometry();
        Trace("mirror " + std::to_string(g.width()) + "x" + std::to_string(g.height()) + "+" +
              std::to_string(g.x()) + "+" + std::to_string(g.y()));
        mirrors_.push_back(std::move(mirror));
    }
}

void frmSaver::PresentMore(const DrawingSurface& surface, const SurfaceChanges& changes) {
    for (Mirror& m : mirrors_) {
        QWindow* handle = m.window->windowHandle();
        if (m.failed || !handle || !m.window->isVisible()) continue;
        const auto id = static_cast<uint32_t>(handle->winId());
        if (!m.painter || m.painter->Window() != id) {
            xcb_connection_t* connection = ToolkitConnection();
            if (!connection) {
                m.failed = true;
                continue;
            }
            m.painter = std::make_unique<ForeignWindowPainter>(connection, id);
        }
        // The same picture, centred on this monitor (cropped where it is
        // smaller than the saver's own).
        const qreal ratio = m.window->devicePixelRatioF();
        const int32_t w = std::min(qRound(m.window->width() * ratio), kMaxSurfaceSide);
        const int32_t h = std::min(qRound(m.window->height() * ratio), kMaxSurfaceSide);
        const int32_t s = PixelScale();
        m.painter->SetScale(s);
        m.painter->SetPlacement((w - surface.width() * s) / 2, (h - surface.height() * s) / 2,
                                PixelRect{0, 0, w, h});
        if (!m.painter->Present(surface, changes)) {
            m.painter.reset();
            m.failed = true;
        }
    }
}

bool frmSaver::eventFilter(QObject* watched, QEvent* event) {
    for (Mirror& m : mirrors_) {
        if (watched == m.window->windowHandle()) {
            if (event->type() == QEvent::Expose && m.painter) m.painter->Invalidate();
            return RunWindow::eventFilter(watched, event);
        }
        if (watched != m.window.get()) continue;
        // Input on another monitor is input on the saver.
        switch (event->type()) {
            case QEvent::KeyPress:
                keyPressEvent(static_cast<QKeyEvent*>(event));
                return true;
            case QEvent::MouseButtonPress:
                mousePressEvent(static_cast<QMouseEvent*>(event));
                return true;
            case QEvent::MouseButtonDblClick:
                mouseDoubleClickEvent(static_cast<QMouseEvent*>(event));
                return true;
            case QEvent::MouseMove:
                mouseMoveEvent(static_cast<QMouseEvent*>(event));
                return true;
            case QEvent::Close:
                // Only the saver's end closes it.
                if (!state_.StopRequested) {
                    event->ignore();
                    return true;
                }
                break;
            default:
                break;
        }
    }
    return RunWindow::eventFilter(watched, event);
}

void frmSaver::Run() {
    // Set-up.
    store_.Refresh();
    const AdvancedRunValues advanced = ReadAdvancedRunValues(store_);
    background_ = advanced.dispBackG;
    std::vector<QRect> screens;
    qreal ratio = 1.0;
    if (QScreen* own = QGuiApplication::primaryScreen()) {
        screens.push_back(own->geometry());
        for (QScreen* screen : own->virtualSiblings())
            if (screen != own) screens.push_back(screen->geometry());
        ratio = own->devicePixelRatio();
    }
    std::vector<MonitorArea> monitors;
    if (ToolkitConnection()) {
        X11Display display;
        monitors = MonitorAreas(display);
    }
    std::vector<QRect> areas = SaverMonitors(screens, monitors, ratio);
    if (areas.empty()) areas.push_back(geometry());
    CoverScreen(*this, areas.front(), background_);
    // Showing the window serves its events: input that arrives while it
    // comes up ends the saver like input during the run, and is judged by
    // the saver's own settings from the first event on.
    state_.StopRequested = false;
    ignoreMouseMoves_ = advanced.mouseMove;
    CoverOtherScreens(std::vector<QRect>(areas.begin() + 1, areas.end()));
    ShowAndActivate(background_);
    if (state_.StopRequested || !isVisible()) {
        if (isVisible()) close();
        mirrors_.clear();
        Trace("stopped");
        return;
    }
    // The keys are the saver's while it covers the screen.
    if (!background_) grabKeyboard();

    // Run.
    SetUpSurface();
    // The first run of a user without stored settings gets the factory set
    // (it repeats until the properties dialog stores the settings).
    InstallFactoryTypesIfNeeded(store_);
    Driver().ClearSurface();
    Trace("running");
    Driver().RunWindowLoop(false);
    if (isVisible()) close();
    mirrors_.clear();
    Trace("stopped");
}

void frmSaver::keyPressEvent(QKeyEvent* event) {
    event->accept();
    Trace("key");
    if (!background_) close();
}

void frmSaver::mousePressEvent(QMouseEvent* event) {
    event->accept();
    Trace("click");
    if (!background_) close();
}

void frmSaver::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    Trace("double-click");
    if (background_) close();
}

void frmSaver::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (ignoreMouseMoves_) {
        Trace("mouse-move ignored");
        return;
    }
    const double now = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    const bool closes = moves_.Move(now, background_);
    Trace("mouse-move " + std::to_string(moves_.MouseMoveCounter));
    if (closes) close();
}

void frmSaver::closeEvent(QCloseEvent* event) {
    // Asked to close: the run stops, unless the password check refuses.
    state_.StopRequested = true;
    if (!VerifySaverPassword(*this)) {
        state_.StopRequested = false;
        event->ignore();
        return;
    }
    SaverRunning(false);
    if (!background_) releaseKeyboard();
    event->accept();
}

}  // namespace orrelume
