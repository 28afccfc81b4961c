#include "ui/help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>

#include "ui/help_window.h"
#include "ui/message_box.h"

namespace orrelume {

namespace {

std::function<bool(std::string_view)>& WebOpener() {
    static std::function<bool(std::string_view)> opener;
    return opener;
}

QPointer<HelpWindow>& OpenHelpWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Where the manual may be, in the order they are tried.
QStringList ManualCandidates() {
    QStringList candidates;
#ifdef ORRELUME_MANUAL_INSTALL_DIR
    // Installed beside the program: <prefix>/bin/orrelume and
    // <prefix>/share/doc/.../manual, wherever the prefix was moved to.
    const QString relative = QStringLiteral(ORRELUME_MANUAL_INSTALL_DIR);
    if (QDir::isRelativePath(relative)) {
        candidates << QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                      QStringLiteral("/../") + relative);
    }
#endif
#ifdef ORRELUME_MANUAL_FULL_DIR
    candidates << QStringLiteral(ORRELUME_MANUAL_FULL_DIR);
#endif
#ifdef ORRELUME_MANUAL_SOURCE_DIR
    candidates << QStringLiteral(ORRELUME_MANUAL_SOURCE_DIR);
#endif
    return candidates;
}

}  // namespace

std::string_view HelpPageOf(HelpTopic topic) {
    switch (topic) {
        case HelpTopic::Contents:
            return "index.html";
        case HelpTopic::Search:
            return "search.html";
        case HelpTopic::Properties:
            return "properties.html";
        case HelpTopic::AdvancedSettings:
            return "advanced.html";
        case HelpTopic::GalaxyLevels:
            return "levels.html";
        case HelpTopic::UserDefinedIfs:
            return "ifs.html";
        case HelpTopic::Molecules:
            return "molecules.html";
        case HelpTopic::Templates:
            return "templates.html";
        case HelpTopic::SystemDiagnostics:
            return "diagnostics.html";
        case HelpTopic::About:
            return "about.html";
        case HelpTopic::Welcome:
            return "welcome.html";
    }
    return "index.html";
}

std::string ManualDirectory() {
    for (const QString& dir : ManualCandidates()) {
        if (QFileInfo(dir + QStringLiteral("/index.html")).isFile())
            return QDir(dir).absolutePath().toStdString();
    }
    return {};
}

void ShowHelp(QWidget* parent, HelpTopic topic) {
    const std::string dir = ManualDirectory();
    if (dir.empty()) {
        ShowInformation(parent, QStringLiteral("The manual could not be found in:\n\n") +
                                    ManualCandidates().join(QLatin1Char('\n')));
        return;
    }
    // One help window at a time. It belongs to the window that asks, so that
    // it can be used while that window is modal, and it goes when that
    // window goes.
    QPointer<HelpWindow>& window = OpenHelpWindow();
    QWidget* owner = parent != nullptr ? parent->window() : nullptr;
    if (window && window->parentWidget() != owner) {
        window->close();
        delete window.data();
    }
    if (!window) {
        window = new HelpWindow(QString::fromStdString(dir), owner);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->ShowTopic(topic);
}

void CloseHelp() {
    if (QPointer<HelpWindow>& window = OpenHelpWindow()) window->close();
}

bool OpenWebAddress(std::string_view address) {
    if (const auto& opener = WebOpener()) return opener(address);
    return QDesktopServices::openUrl(QUrl(FromView(address)));
}

void SetWebOpener(std::function<bool(std::string_view address)> opener) {
    WebOpener() = std::move(opener);
}

void OpenHomePage(QWidget* parent) {
    if (OpenWebAddress(kHomePageAddress)) return;
    ShowInformation(parent, FromView(kHomePageAddress) +
                                QStringLiteral("\n\nThe Web Page could not be reached."));
}

}  // namespace orrelume
