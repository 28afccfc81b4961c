// A small program that opens one window of the program on its own, for the
// real-window test of window placement (tests/xvfb/window_fit_test.sh):
//
//   orrelume_windows_child NAME
//
// NAME is properties, galaxy (its galaxy view), advanced, levels, ifs, molecule, template, welcome,
// about, credits, diagnostics or help. Once the window is on the screen the
// trace gets "fit-window NAME <window id>" and one "fit-control" line per
// shown button: "<name> <x> <y> <width> <height> <shown>", the place in
// screen pixels and whether the whole button can be seen in its window (1)
// or lies in a scrolled page whose scroll area can bring it into view (2)
// or is cut off (0). The settings are the user's file, as in the program.
#include <QAbstractButton>
#include <QApplication>
#include <QScrollArea>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <memory>
#include <string>

#include "dialogs/about_box.h"
#include "dialogs/advanced_dialog.h"
#include "dialogs/credits_window.h"
#include "dialogs/ifs_editor.h"
#include "dialogs/levels_dialog.h"
#include "dialogs/molecule_editor.h"
#include "dialogs/properties_dialog.h"
#include "dialogs/system_diagnostics.h"
#include "dialogs/template_dialog.h"
#include "dialogs/template_paths.h"
#include "dialogs/welcome_window.h"
#include "driver/host_state.h"
#include "platform/qsettings_backend.h"
#include "settings/factory_themes.h"
#include "ui/help.h"
#include "ui/host_trace.h"
#include "ui/message_box.h"
#include "ui/preview_box.h"

using namespace orrelume;

namespace {

// The scroll area that holds a widget, if any.
const QScrollArea* ScrollAreaOf(const QWidget& w) {
    for (const QWidget* p = w.parentWidget(); p != nullptr; p = p->parentWidget())
        if (const auto* area = qobject_cast<const QScrollArea*>(p)) return area;
    return nullptr;
}

void TraceFit(const std::string& name, QWidget& window) {
    const qreal ratio = window.devicePixelRatioF();
    const auto px = [ratio](int v) { return std::to_string(qRound(v * ratio)); };
    Trace("fit-window " + name + " " + std::to_string(window.winId()));
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(&window) || b->objectName().isEmpty()) continue;
        // Buttons of a window's own chrome (scroll bars' arrows, the file
        // dialog's tool buttons) are named; unnamed ones are Qt's parts.
        const QPoint topLeft = b->mapToGlobal(QPoint(0, 0));
        int shown = b->visibleRegion().boundingRect() == b->rect() ? 1 : 0;
        if (shown == 0 && ScrollAreaOf(*b) != nullptr) shown = 2;
        Trace("fit-control " + b->objectName().toStdString() + " " + px(topLeft.x()) + " " +
              px(topLeft.y()) + " " + px(b->width()) + " " + px(b->height()) + " " +
              std::to_string(shown));
    }
    Trace("fit-done " + name);
}

// Traces once the window is exposed on the screen.
void TraceWhenShown(const std::string& name, QWidget* window, int attempt = 0) {
    const bool ready = window->isVisible() && window->windowHandle() != nullptr &&
                       window->windowHandle()->isExposed();
    if (!ready && attempt < 250) {
        QTimer::singleShot(20, window, [=] { TraceWhenShown(name, window, attempt + 1); });
        return;
    }
    // One more turn of the event loop, so late layout changes are in.
    QTimer::singleShot(50, window, [=] { TraceFit(name, *window); });
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const std::string what = argc > 1 ? argv[1] : "";
    QSettingsBackend user(StoreScope::User);
    MessageBoxSink messages;
    SettingsStore store(&user, nullptr, &messages);
    HostState& host = ProcessHostState();
    SettingsSet set = FactorySettingsSet(kPresetSet4x);
    const DialogPreviewValues preview;
    Trace("child " + what);

    std::unique_ptr<QWidget> window;
    if (what == "properties") {
        window = std::make_unique<frmProps>(store, host);
    } else if (what == "galaxy") {
        // The properties dialog's galaxy view, of the first type.
        auto props = std::make_unique<frmProps>(store, host);
        props->SelectFirstGalaxyType();
        props->OpenGalaxyView();
        window = std::move(props);
    } else if (what == "advanced") {
        window = std::make_unique<frmAdvanced>(store);
    } else if (what == "levels") {
        window = std::make_unique<frmLevels>(store, set, 0, preview);
    } else if (what == "ifs") {
        window = std::make_unique<frmUserDefIFS>(store, set, 0, preview);
    } else if (what == "molecule") {
        window = std::make_unique<frmMolecule>(store, set, 0, preview);
    } else if (what == "template") {
        window = std::make_unique<frmFileIO>(store, host, true,
                                             QStringLiteral("Select Template to Open"),
                                             kTemplateFileTypes, kTemplateExtension);
    } else if (what == "welcome") {
        window = std::make_unique<frmWelcome>(true, nullptr, QStringLiteral("/tmp"));
    } else if (what == "about") {
        window = std::make_unique<frmAbout>(store);
    } else if (what == "credits") {
        auto credits = std::make_unique<frmCredits>();
        credits->SetParameters(150, 0.005, 2);
        window = std::move(credits);
    } else if (what == "diagnostics") {
        window = std::make_unique<frmSystemDiag>(store);
    } else if (what == "help") {
        ShowHelp(nullptr, HelpTopic::Properties);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) TraceWhenShown(what, w);
        return QApplication::exec();
    } else {
        std::fprintf(stderr,
                     "usage: %s properties|galaxy|advanced|levels|ifs|molecule|template|welcome|"
                     "about|credits|diagnostics|help\n",
                     argv[0]);
        return 2;
    }
    window->show();
    TraceWhenShown(what, window.get());
    const int result = QApplication::exec();
    store.Flush();
    return result;
}
