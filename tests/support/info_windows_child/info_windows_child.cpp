// A small program that opens one of the information windows, for the
// real-window tests (the properties dialog's Help menu opens them in the
// program itself).
//
//   orrelume_info_windows_child about         the about box (its Credits
//                                             button opens the credits)
//   orrelume_info_windows_child credits       the credits window alone
//   orrelume_info_windows_child diagnostics   the system diagnostics
//   orrelume_info_windows_child help [N]      the help window at topic N
//                                             (0 the front page, 1 search)
//
// The settings are the user's file, as in the program.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialogs/about_box.h"
#include "dialogs/credits_window.h"
#include "dialogs/system_diagnostics.h"
#include "platform/qsettings_backend.h"
#include "ui/help.h"
#include "ui/host_trace.h"
#include "ui/message_box.h"

using namespace orrelume;

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const std::string what = argc > 1 ? argv[1] : "";
    QSettingsBackend user(StoreScope::User);
    MessageBoxSink messages;
    SettingsStore store(&user, nullptr, &messages);
    Trace("child " + what);

    int result = 0;
    if (what == "about") {
        frmAbout about(store);
        about.exec();
    } else if (what == "credits") {
        frmCredits credits;
        credits.SetParameters(150, 0.005, 2);
        credits.exec();
    } else if (what == "diagnostics") {
        frmSystemDiag diagnostics(store);
        diagnostics.exec();
    } else if (what == "help") {
        const int topic = argc > 2 ? std::atoi(argv[2]) : 0;
        if (topic < 0 || topic >= static_cast<int>(kHelpTopics.size())) return 2;
        ShowHelp(nullptr, kHelpTopics[static_cast<size_t>(topic)]);
        result = QApplication::exec();
    } else {
        std::fprintf(stderr, "usage: %s about|credits|diagnostics|help [topic]\n", argv[0]);
        return 2;
    }
    store.Flush();
    Trace("child-exit");
    return result;
}
