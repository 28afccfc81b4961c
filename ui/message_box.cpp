#include "ui/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include "ui/host_trace.h"

namespace orrelume {

namespace {

// The messages are written with CR LF line ends; Qt breaks lines at LF.
QString LinesOf(std::string_view text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

}  // namespace

void ShowInformation(QWidget* parent, const QString& text) {
    Trace("message " + text.toStdString());
    QMessageBox::information(parent, LinesOf(kMessageTitle), text);
    // The keyboard goes back to the window that asked (where no window
    // manager hands it back, it would go to whatever lies under the pointer).
    if (parent != nullptr && parent->isVisible()) parent->window()->activateWindow();
}

void MessageBoxSink::ShowExclamation(std::string_view title, std::string_view text) {
    Trace("message " + std::string(text.substr(0, text.find('\r'))));
    QMessageBox::warning(QApplication::activeWindow(), LinesOf(title), LinesOf(text));
}

}  // namespace orrelume
