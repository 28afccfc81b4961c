#include "dialogs/about_box.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <string>

#include "dialogs/credits_window.h"
#include "engine/engine_state.h"
#include "settings/factory_themes.h"
#include "ui/field_rules.h"
#include "ui/help.h"
#include "ui/info_trace.h"
#include "ui/preview_box.h"
#include "ui/widgets.h"
#include "ui/window_placement.h"

namespace orrelume {

namespace {}  // namespace

frmAbout::frmAbout(SettingsStore& store, QWidget* parent)
    : QDialog(parent),
      view_(store.Backend(kUserRoot)),
      readOnlyStore_(&view_, nullptr, nullptr),
      factory_(FactorySettingsSet(kPresetSet4x)),
      universe_(LoadUniverseSettings(readOnlyStore_)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + QString::fromUtf8(kProductName));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    outer->addLayout(body, 1);

    picQUIV_ = new PreviewBox(readOnlyStore_, state_, this);
    picQUIV_->setObjectName(QStringLiteral("picQUIV"));
    picQUIV_->setAccessibleName(QStringLiteral("Composite galaxies"));
    const int line = fontMetrics().height();
    picQUIV_->setMinimumSize(line * 16, line * 13);
    body->addWidget(picQUIV_, 1);

    auto* text = new QVBoxLayout;
    body->addLayout(text);
    QLabel* product = MakeLabel(this, QString::fromUtf8(kProductName), "lblProduct");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    product->setFont(big);
    QLabel* version = MakeLabel(
        this, QStringLiteral("Version ") + QString::fromUtf8(kProductVersion), "lblVersion");
    QLabel* manual =
        MakeLabel(this, "Complete documentation can be found in the online Help.", "lblHelp");
    manual->setWordWrap(true);
    // The line wraps rather than widening the box beyond reason.
    manual->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    const QString address =
        QString::fromUtf8(kHomePageAddress.data(), static_cast<qsizetype>(kHomePageAddress.size()));
    lblWeb_ = MakeLabel(this, QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()),
                        "lblWeb_0");
    lblWeb_->setTextFormat(Qt::RichText);
    lblWeb_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    lblWeb_->setFocusPolicy(Qt::StrongFocus);
    lblWeb_->setOpenExternalLinks(false);
    lblWeb_->setAccessibleName(address);
    lblWeb_->setToolTip(QStringLiteral("The home page of ") + QString::fromUtf8(kProductName));
    connect(lblWeb_, &QLabel::linkActivated, this, [this] { OpenHomePage(this); });

    text->addWidget(product);
    text->addWidget(version);
    text->addSpacing(line);
    text->addWidget(manual);
    text->addSpacing(line / 2);
    text->addWidget(lblWeb_);
    text->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdCredits_ = MakeButton(this, "&Credits...", "cmdCredits");
    cmdDismiss_ = MakeButton(this, "OK", "cmdDismiss");
    cmdCredits_->setAutoDefault(false);
    cmdDismiss_->setDefault(true);
    buttons->addWidget(cmdCredits_);
    buttons->addWidget(cmdDismiss_);
    outer->addLayout(buttons);
    // The animation's surface keeps its size while a composite runs.
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdCredits_, &QPushButton::clicked, this, &frmAbout::OpenCredits);
    connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::accept);
    cmdDismiss_->setFocus();
    CentreWindow(*this);
}

frmAbout::~frmAbout() {
    state_.StopRequested = true;
}

void frmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    QTimer::singleShot(0, this, [this] {
        TraceControl(*picQUIV_);
        TraceControl(*cmdCredits_);
        TraceControl(*cmdDismiss_);
        Trace("about-shown");
        Animate();
    });
}

void frmAbout::Animate() {
    if (animating_) return;
    animating_ = true;
    state_.StopRequested = false;
    // Every slot that is not defined is passed over; slot 0 always runs, so
    // each round shows at least one composite.
    while (!state_.StopRequested && isVisible()) {
        const int slot = counter_;
        counter_ = (counter_ + 1) % kCompositeGalaxyCount;
        if (AboutShowsComposite(factory_.composites, slot)) RunComposite(slot);
    }
    animating_ = false;
}

void frmAbout::RunComposite(int slot) {
    RunDriver& driver = picQUIV_->Driver();
    // A fresh copy of the factory set each time, so nothing a run does to
    // its records carries over.
    driver.SetRecords(factory_.types, factory_.composites);
    driver.SetUniverseSettings(universe_);
    const QSize size = picQUIV_->DeviceSize();
    state_.RestartRequested = false;
    Trace("about-composite " + std::to_string(slot));
    picQUIV_->Run([&] {
        driver.SetUpDialogSurface(size.width(), size.height(), true, kAboutExtraFactor);
        BuildColourTables(driver.Engine(), std::clamp<int>(universe_.hwStart, 0, 999),
                          std::clamp<int>(universe_.hwEnd, 0, 999));
        driver.DialogPreviewRunner(static_cast<int16_t>(slot), true, kAboutFrames, kAboutStars, 1,
                                   true, kAboutStarFactor);
    });
}

void frmAbout::OpenCredits() {
    // The composite on show ends; the next begins once the credits close.
    state_.RestartRequested = true;
    frmCredits credits(this);
    credits.SetParameters(150, 0.005, 2);
    credits.exec();
    state_.RestartRequested = true;
    update();
}

void frmAbout::done(int result) {
    state_.StopRequested = true;
    if (isVisible()) Trace("about-closed");
    QDialog::done(result);
}

void frmAbout::closeEvent(QCloseEvent* event) {
    state_.StopRequested = true;
    QDialog::closeEvent(event);
}

}  // namespace orrelume
