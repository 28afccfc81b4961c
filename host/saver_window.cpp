#include "host/saver_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTime>

#include <string>

#include "host/host_trace.h"
#include "settings/factory_themes.h"
#include "settings/numeric.h"

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

void frmSaver::Run() {
    // Set-up.
    store_.Refresh();
    const AdvancedRunValues advanced = ReadAdvancedRunValues(store_);
    background_ = advanced.dispBackG;
    setWindowTitle(QString::fromLatin1(kRunCaption));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);
    setCursor(background_ ? Qt::ArrowCursor : Qt::BlankCursor);
    // Showing the window serves its events: input that arrives while it
    // comes up ends the saver like input during the run, and is judged by
    // the saver's own settings from the first event on.
    state_.StopRequested = false;
    ignoreMouseMoves_ = advanced.mouseMove;
    ShowAndActivate();
    if (state_.StopRequested || !isVisible()) {
        if (isVisible()) close();
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
