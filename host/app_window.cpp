#include "host/app_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include "dialogs/properties_dialog.h"
#include "settings/factory_themes.h"
#include "ui/host_trace.h"
#include "ui/window_placement.h"

namespace orrelume {

frmAppEXE::frmAppEXE(HostState& state, SettingsStore& store) : RunWindow(state, store) {}

void frmAppEXE::Run() {
    do {
        runAgain_ = false;
        RunOnce();
    } while (runAgain_);
    // Close and end the program.
    state_.StopRequested = true;
    if (isVisible()) close();
    Trace("stopped");
}

void frmAppEXE::ApplyWindowMode(bool resizable) {
    const bool first = !placed_;
    const bool changed = first || resizable != resizable_;
    placed_ = true;
    resizable_ = resizable;
    if (!changed) return;
    const bool wasVisible = isVisible();
    if (resizable) {
        setWindowFlags(Qt::Window);
        setWindowTitle(QString::fromLatin1(kRunCaption));
        unsetCursor();
        setWindowState(Qt::WindowNoState);
        resize(640, 480);
        RestoreWindowPlacement(*this, store_, kAppWindowSection, state_, true);
    } else {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setWindowTitle(QString());
        setCursor(Qt::BlankCursor);
        // Maximised: the whole screen, also where no window manager
        // maximises windows.
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            setGeometry(screen->availableGeometry());
        }
        setWindowState(Qt::WindowMaximized);
    }
    if (wasVisible || first) ShowAndActivate();
}

void frmAppEXE::RunOnce() {
    state_.StopRequested = false;
    // What another process (the properties dialog, an editor) stored since
    // the last run counts from this run on.
    store_.Refresh();
    const AdvancedRunValues advanced = ReadAdvancedRunValues(store_);
    ApplyWindowMode(advanced.winResize);
    SetUpSurface();
    // The first run of a user without stored settings gets the factory set.
    InstallFactoryTypesIfNeeded(store_);
    Trace("running");
    while (!state_.StopRequested) {
        Driver().RunInitialisation(false);
        Driver().ResetSurface();
        Driver().UniverseRunLoop();
    }
}

void frmAppEXE::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (event->key() == Qt::Key_Escape) {
        close();
    } else if (event->key() == Qt::Key_F5) {
        // Run again with what the settings hold now.
        SaveWindowPlacement(*this, store_, kAppWindowSection, state_);
        runAgain_ = true;
        state_.StopRequested = true;
        Trace("restart");
    } else {
        OpenProperties();
    }
}

void frmAppEXE::mousePressEvent(QMouseEvent* event) {
    event->accept();
    OpenProperties();
}

void frmAppEXE::OpenProperties() {
    if (propertiesOpen_) return;
    propertiesOpen_ = true;
    SaveWindowPlacement(*this, store_, kAppWindowSection, state_);
    Trace("properties");
    {
        // Modal: the animation pauses under it (its frame loop waits for the
        // dialog to return).
        frmProps dialog(store_, state_, this);
        dialog.setCursor(Qt::ArrowCursor);
        dialog.exec();
    }
    propertiesOpen_ = false;
    if (state_.ExitRequested) {
        close();
        return;
    }
    // Run again from the start, with the settings as the dialog left them.
    runAgain_ = true;
    state_.StopRequested = true;
    Trace("restart");
}

void frmAppEXE::closeEvent(QCloseEvent* event) {
    SaveWindowPlacement(*this, store_, kAppWindowSection, state_);
    runAgain_ = false;
    state_.StopRequested = true;
    event->accept();
}

}  // namespace orrelume
