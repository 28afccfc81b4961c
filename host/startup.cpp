#include "host/startup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "dialogs/properties_dialog.h"
#include "engine/half_turn.h"
#include "host/app_window.h"
#include "host/hack.h"
#include "host/preview.h"
#include "host/saver_window.h"
#include "platform/qsettings_backend.h"
#include "platform/x11_foreign_painter.h"
#include "platform/x11_windows.h"
#include "settings/numeric.h"
#include "settings/records.h"
#include "settings/template_file.h"
#include "ui/host_trace.h"
#include "ui/message_box.h"

namespace orrelume {

namespace {

int16_t TwipsPerPixel(qreal dotsPerInch) {
    if (!(dotsPerInch > 0)) return 15;
    const auto twips = CInt(1440.0 / dotsPerInch);
    return (twips && *twips > 0) ? *twips : 15;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The toolkit runs on X11 (XWayland on a Wayland session): savers and
// previews are X11 windows. Whoever chose another platform keeps it.
bool UsesX11() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    return qgetenv("QT_QPA_PLATFORM").startsWith("xcb");
}

int DisplayUnreachable() {
    std::fputs("orrelume: cannot reach the X display (is DISPLAY set?)\n", stderr);
    return 1;
}

QtMessageHandler previousMessageHandler = nullptr;

// While the toolkit starts, a fatal error can only mean that it found no
// window system to open windows on.
void EndOnToolkitFatal(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        if (previousMessageHandler) {
            previousMessageHandler(type, context, text);
        } else {
            std::fprintf(stderr, "%s\n", qPrintable(text));
        }
        return;
    }
    std::_Exit(DisplayUnreachable());
}

}  // namespace

int16_t StartUp(HostState& state, SettingsStore& store, const std::string& programPath) {
    state.ExitRequested = false;
    state.StopRequested = false;
    state.RestartRequested = false;
    MigrateMachineSettings(store);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        state.TwipsPerPixelX = TwipsPerPixel(screen->logicalDotsPerInchX());
        state.TwipsPerPixelY = TwipsPerPixel(screen->logicalDotsPerInchY());
    }
    HalfTurnCos();
    HalfTurnSin();
    state.HelpFileName = kHelpFileName;
    state.RunMode = ProgramRunMode(programPath, FileExists);
    return state.RunMode;
}

void OpenRunWindow(HostState& state, SettingsStore& store) {
    state.StopRequested = false;
    if (state.RunMode == kRunModeSaver) {
        SaverRunning(true);
        frmSaver saver(state, store);
        saver.Run();
    } else {
        frmAppEXE app(state, store);
        app.Run();
    }
}

void ShowConfiguration(HostState& state, SettingsStore& store) {
    {
        X11Display display;
        if (const uint32_t open = FindTopLevelWindow(display, kPropertiesCaption)) {
            ActivateWindow(display, open);
            Trace("configuration-activated " + std::to_string(open));
            return;
        }
    }
    // The dialog is modeless; the program lives as long as it is open.
    frmProps dialog(store, state);
    QObject::connect(&dialog, &QDialog::finished, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    Trace("configuration");
    QApplication::exec();
}

void Dispatch(HostState& state, SettingsStore& store, const StartCommand& command) {
    switch (command.action) {
        case StartAction::Configure:
            ShowConfiguration(state, store);
            break;
        case StartAction::Saver: {
            X11Display display;
            if (FindTopLevelWindow(display, kRunCaption) != 0) {
                Trace("saver-already-running");
                return;
            }
            OpenRunWindow(state, store);
            break;
        }
        case StartAction::Preview: {
            state.RunMode = kRunModePreview;
            state.PreviewParentWindow = command.window;
            frmPreview preview(state, store);
            preview.Run();
            break;
        }
        case StartAction::PasswordChange:
            // There is no system password dialog for savers to call here.
            break;
        case StartAction::Template: {
            GalaxyTemplate templates;
            ImportTemplate(command.templatePath, store, templates);
            OpenRunWindow(state, store);
            break;
        }
        case StartAction::SaverOther:
            OpenRunWindow(state, store);
            break;
    }
}

int Main(int argc, char** argv) {
    // The command line and the program's name as started, before the
    // toolkit takes its own options out of them.
    const std::string arguments = CommandLineText(argc, argv);
    const std::string programPath = ProgramPathFromArgv0(argc > 0 ? argv[0] : "");
    Trace("start [" + arguments + "]");
    // Which way each painter takes to the screen, for the window tests.
    SetPainterTrace(&Trace);
    const HackCommand hack = ParseHackCommand(
        std::vector<std::string>(argv + std::min(argc, 1), argv + std::max(argc, 1)),
        std::getenv("XSCREENSAVER_WINDOW"));
    if (hack.target == HackTarget::Help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (hack.target == HackTarget::AddToXScreenSaver) return AddToXScreenSaverSettings();
    // A daemon ends its hack with a signal: the run stops at its next frame.
    if (hack.target != HackTarget::None) CatchStopSignals();
    // The check's connection stays open until the toolkit has its own: an X
    // server whose last client leaves starts afresh, and a connection made
    // while it does fails.
    std::optional<X11Display> displayCheck;
    if (UsesX11()) {
        displayCheck.emplace();
        if (!displayCheck->Connected()) return DisplayUnreachable();
    }
    // Should the toolkit still find no display, it ends the program with a
    // fatal error; the program's own message and status take its place.
    previousMessageHandler = qInstallMessageHandler(EndOnToolkitFatal);
    QApplication app(argc, argv);
    qInstallMessageHandler(previousMessageHandler);
    displayCheck.reset();

    QSettingsBackend user(StoreScope::User);
    QSettingsBackend machine(StoreScope::Machine, StoreAccess::ReadOnly);
    // The write test of the properties dialog tells the user in a message
    // box; nothing else of the store ever shows a message.
    MessageBoxSink messages;
    SettingsStore store(&user, &machine, &messages);
    HostState& state = ProcessHostState();
    const int16_t mode = StartUp(state, store, programPath);
    if (hack.target != HackTarget::None) {
        Trace("hack-start");
        bool ran = false;
        {
            HackRun run(state, store, hack.window, hack.target == HackTarget::Root);
            ran = run.Run();
        }
        store.Flush();
        Trace("exit");
        EndByStopSignal();
        if (!ran) std::fprintf(stderr, "orrelume: no window to draw into\n");
        return ran ? 0 : 1;
    }
    // The settings entry of the desktop menus starts the program file with
    // "/C", whichever family it belongs to.
    if (mode == kRunModeApplication &&
        ToUpperAscii(std::string_view(arguments).substr(0, 2)) == "/C") {
        Dispatch(state, store, ParseCommandLine(arguments));
    } else if (mode == kRunModeApplication) {
        Trace("application");
        OpenRunWindow(state, store);
    } else {
        Dispatch(state, store, ParseCommandLine(arguments));
    }
    store.Flush();
    Trace("exit");
    return 0;
}

}  // namespace orrelume
