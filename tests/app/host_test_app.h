// The one QApplication of the host tests (on the platform the test run sets,
// normally offscreen), made on first use and kept for the whole run.
#pragma once

#include <QApplication>

namespace orrelume::test {

inline QApplication& HostTestApp() {
    static int argc = 1;
    static char name[] = "orrelume_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

}  // namespace orrelume::test
