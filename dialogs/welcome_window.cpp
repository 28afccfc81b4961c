#include "dialogs/welcome_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/field_rules.h"
#include "ui/host_trace.h"
#include "ui/window_placement.h"

namespace orrelume {

namespace {

constexpr const char* kProduct = "Orrelume 4.1";

// What every greeting ends with: what to expect, and what is new.
QString Notes() {
    return QStringLiteral(
        "Notes:\n"
        "\u2022  The factory settings are tuned for an ordinary computer of today. On a slow or "
        "very old machine, lower the number of stars or galaxies in the Universe Properties.\n"
        "\u2022  If the screen saver ends when the mouse is only nudged, switch off mouse-move "
        "sensitivity under Edit, Advanced Settings.\n"
        "\u2022  This product comes without warranty of any kind.\n"
        "\n"
        "New in this version:\n"
        "\u2022  Runs on Linux desktops with X11 (and on Wayland desktops through XWayland), as "
        "your screen saver or in a window of its own.\n"
        "\u2022  Settings are stored for each user separately.\n"
        "\u2022  The effects can be displayed in the background, behind other windows.\n"
        "\u2022  Pulsars.\n"
        "\u2022  Galaxy randomisation values.");
}

}  // namespace

QString WelcomeText(bool earlierSettings, const QString& safetyCopyFolder) {
    if (earlierSettings) {
        QString text = QStringLiteral(
            "It appears that you already have an earlier version of the product.  "
            "In order to experience the new effects in this version, you should "
            "Reset the Properties to the Factory Settings.  "
            "Your current settings will be saved to the template file:  propsave.glx");
        if (!safetyCopyFolder.isEmpty()) text += QStringLiteral(" (in %1)").arg(safetyCopyFolder);
        text += QStringLiteral("\n\nRestore your settings from the menu:  File-> Open Template.");
        return text + QStringLiteral("\n\n") + Notes();
    }
    return QStringLiteral("Thank you for installing %1.  ").arg(QString::fromLatin1(kProduct)) +
           QStringLiteral(
               "It animates whole universes of galaxies, star by star: every universe "
               "begins by flying out from its centre, then a camera tours its galaxies, and "
               "when it has seen them the universe ends and a new one begins.\n\n") +
           Notes();
}

frmWelcome::frmWelcome(bool earlierSettings,
                       std::function<bool(TemplateProgress*)> saveCurrentSettings,
                       const QString& safetyCopyFolder, QWidget* parent)
    : QDialog(parent), saveCurrentSettings_(std::move(saveCurrentSettings)) {
    setObjectName(QStringLiteral("frmWelcome"));
    setWindowTitle(QStringLiteral("Orrelume"));
    auto* layout = new QVBoxLayout(this);

    auto* product =
        new QLabel(QStringLiteral("Welcome to %1.").arg(QString::fromLatin1(kProduct)), this);
    product->setObjectName(QStringLiteral("lblProduct"));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    product->setFont(big);
    layout->addWidget(product);

    auto* text = new QLabel(WelcomeText(earlierSettings, safetyCopyFolder), this);
    text->setObjectName(QStringLiteral("lblWelcome"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Wide enough to read, and as tall as the text needs.
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 70);
    layout->addWidget(text, 1);

    picStatus_ = new QProgressBar(this);
    picStatus_->setObjectName(QStringLiteral("picStatus"));
    picStatus_->setAccessibleName(QStringLiteral("Saving Status"));
    picStatus_->setRange(0, kTemplateProgressSteps);
    picStatus_->setValue(0);
    picStatus_->hide();
    layout->addWidget(picStatus_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdReset_ =
        new QPushButton(QStringLiteral("Reset Properties to the Current Factory Settings"), this);
    cmdReset_->setObjectName(QStringLiteral("cmdReset"));
    NameForReaders(*cmdReset_, cmdReset_->text());
    cmdDismiss_ =
        new QPushButton(earlierSettings ? QStringLiteral("Close") : QStringLiteral("OK"), this);
    cmdDismiss_->setObjectName(QStringLiteral("cmdDismiss"));
    NameForReaders(*cmdDismiss_, cmdDismiss_->text());
    cmdReset_->setVisible(earlierSettings);
    buttons->addWidget(cmdReset_);
    buttons->addWidget(cmdDismiss_);
    layout->addLayout(buttons);
    cmdDismiss_->setDefault(true);
    cmdDismiss_->setFocus();

    connect(cmdReset_, &QPushButton::clicked, this, [this] { Reset(); });
    connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::reject);

    // The window fits its text, centred on the screen.
    adjustSize();
    resize(sizeHint());
    CentreWindow(*this);
}

void frmWelcome::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // It opens before the properties dialog is shown, so no window of the
    // program has the keyboard yet to hand it on.
    raise();
    activateWindow();
}

void frmWelcome::Reset() {
    Trace("welcome-reset");
    cmdReset_->setEnabled(false);
    cmdDismiss_->setEnabled(false);
    picStatus_->show();
    if (saveCurrentSettings_ && !saveCurrentSettings_(this)) {
        // No copy, and the user would rather keep the settings: the window
        // stays, and Close keeps them.
        Trace("welcome-reset-stopped");
        picStatus_->hide();
        cmdReset_->setEnabled(true);
        cmdDismiss_->setEnabled(true);
        cmdDismiss_->setFocus();
        return;
    }
    reset_ = true;
    accept();
}

void frmWelcome::ReportProgress(int step, int total) {
    picStatus_->setRange(0, total);
    picStatus_->setValue(step);
    // The bar is seen moving; input waits until the save is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace orrelume
