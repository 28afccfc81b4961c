#include "dialogs/companion_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/companion_parts.h"
#include "dialogs/preview_control.h"
#include "ui/window_placement.h"

namespace orrelume {

using namespace companion;

CompanionWindow::CompanionWindow(SettingsStore& store, SettingsSet& set, int slot,
                                 const DialogPreviewValues& preview, std::string_view objectName,
                                 std::string_view placementSection, QWidget* parent)
    : QDialog(parent),
      store_(store),
      set_(set),
      slot_(std::clamp(slot, 0, kGalaxyTypeCount - 1)),
      preview_(preview),
      placementSection_(placementSection) {
    setObjectName(Q(objectName));
    outer_ = new QVBoxLayout(this);
    bar_ = new QMenuBar(this);
    outer_->setMenuBar(bar_);
}

CompanionWindow::~CompanionWindow() = default;

QVBoxLayout* CompanionWindow::MakeColumns() {
    body_ = new QHBoxLayout;
    outer_->addLayout(body_, 1);
    auto* fields = new QVBoxLayout;
    body_->addLayout(fields);
    return fields;
}

void CompanionWindow::MakePreview(std::string_view frameCaption, std::string_view buttonCaption) {
    QGroupBox* frame = MakePreviewFrame(this, frameCaption, store_, previewFlags_, buttonCaption,
                                        picPreview_, cmdPreview_);
    previewCaption_ = Q(buttonCaption);
    running_ = std::make_unique<PreviewControl>(*this, previewFlags_, "companion-preview", true);
    connect(cmdPreview_, &QPushButton::clicked, this, [this] { TogglePreview(); });
    body_->addWidget(frame, 1);
}

QHBoxLayout* CompanionWindow::MakeButtonRow(QPushButton* leading, HelpTopic topic) {
    auto* buttons = new QHBoxLayout;
    if (leading != nullptr) buttons->addWidget(leading);
    buttons->addStretch(1);
    cmdOK_ = MakeButton(this, "OK", "cmdOK");
    cmdOK_->setDefault(true);  // Return presses OK
    cmdDismiss_ = MakeButton(this, "Cancel", "cmdDismiss");
    cmdHelp_ = MakeButton(this, "&Help", "cmdHelp");
    for (QPushButton* b : {cmdOK_, cmdDismiss_, cmdHelp_})
        buttons->addWidget(b);
    connect(cmdOK_, &QPushButton::clicked, this, [this] {
        if (!PreviewRunning()) OnOk();
    });
    connect(cmdDismiss_, &QPushButton::clicked, this, &CompanionWindow::reject);
    connect(cmdHelp_, &QPushButton::clicked, this, [this, topic] { ShowHelp(this, topic); });
    return buttons;
}

void CompanionWindow::Place() {
    AddResizeMenu(*this, *bar_);
    resize(sizeHint());
    RestoreWindowPlacement(*this, store_, placementSection_, ProcessHostState(), true);
}

bool CompanionWindow::PreviewRunning() const {
    return running_ && running_->Running();
}

void CompanionWindow::TogglePreview() {
    if (PreviewRunning()) {
        running_->Stop();
        return;
    }
    if (!isVisible()) return;
    StartPreview();
}

void CompanionWindow::RunOnScratch(std::unique_ptr<GalaxyTypeTable> scratch) {
    RunDriver& driver = picPreview_->Driver();
    driver.SetRecords(*scratch, set_.composites);
    scratch.reset();
    const QSize size = picPreview_->DeviceSize();
    running_->Run(*cmdPreview_, previewCaption_, objectName().toStdString(), [&] {
        picPreview_->Run([&] {
            RunEditorPreview(driver, size.width(), size.height(), slot_, preview_.universe,
                             preview_.stars, preview_.trail, preview_.hueStart, preview_.hueEnd);
        });
    });
}

void CompanionWindow::reject() {
    // Escape or Cancel during a preview stop the preview only.
    if (PreviewRunning()) {
        running_->Stop();
        return;
    }
    QDialog::reject();
}

void CompanionWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    done(Rejected);
}

void CompanionWindow::done(int result) {
    if (running_) running_->Stop();
    SaveWindowPlacement(*this, store_, placementSection_, ProcessHostState());
    QDialog::done(result);
}

}  // namespace orrelume
