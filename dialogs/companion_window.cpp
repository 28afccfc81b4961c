#include "dialogs/companion_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/companion_parts.h"
#include "dialogs/editor_themes.h"
#include "dialogs/preview_control.h"
#include "ui/window_placement.h"

namespace orrelume {

using namespace companion;

CompanionWindow::CompanionWindow(const CompanionTraits& traits, SettingsStore& store,
                                 SettingsSet& set, int slot, const DialogPreviewValues& preview,
                                 QWidget* parent)
    : QDialog(parent),
      traits_(traits),
      store_(store),
      set_(set),
      slot_(std::clamp(slot, 0, kGalaxyTypeCount - 1)),
      preview_(preview) {
    setObjectName(Q(traits.objectName));
    if (!traits.title.empty()) setWindowTitle(Q(traits.title));
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

void CompanionWindow::MakePreview(std::string_view frameCaption) {
    QGroupBox* frame = MakeFrame(this, frameCaption, "fraPreview");
    auto* column = new QVBoxLayout(frame);
    picPreview_ = new PreviewBox(store_, previewFlags_, frame);
    picPreview_->setObjectName(QStringLiteral("picPreview"));
    picPreview_->setAccessibleName(QStringLiteral("Preview"));
    column->addWidget(picPreview_, 1);
    cmdPreview_ = MakeButton(frame, traits_.previewCaption, "cmdPreview");
    column->addWidget(cmdPreview_);
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
    connect(cmdOK_, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(cmdDismiss_, &QPushButton::clicked, this, &CompanionWindow::reject);
    connect(cmdHelp_, &QPushButton::clicked, this, [this, topic] { ShowHelp(this, topic); });
    return buttons;
}

void CompanionWindow::Place() {
    // "Window can be Resized", checked: unchecking it keeps the window at
    // its size.
    QMenu* menu = bar_->addMenu(QStringLiteral("&Window"));
    menu->setObjectName(QStringLiteral("mnuWindow"));
    QAction* resizable = menu->addAction(QStringLiteral("Window can be &Resized"));
    resizable->setObjectName(QStringLiteral("mnuResize"));
    resizable->setCheckable(true);
    resizable->setChecked(true);
    connect(resizable, &QAction::toggled, this, [this](bool on) {
        if (on) {
            setMinimumSize(minimumSizeHint());
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            setFixedSize(size());
        }
        setSizeGripEnabled(on);
    });
    setSizeGripEnabled(true);
    resize(sizeHint());
    RestoreWindowPlacement(*this, store_, traits_.placementSection, ProcessHostState(), true);
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

bool CompanionWindow::Confirm() {
    if (PreviewRunning()) return false;
    BoundFocusedField();
    if (!PutEdits(EditedType())) return false;
    accept();
    return true;
}

void CompanionWindow::StartPreview() {
    BoundFocusedField();
    // The preview runs on a copy of the records with the values typed so
    // far: the edited type itself changes only on OK.
    auto scratch = std::make_unique<GalaxyTypeTable>(set_.types);
    GalaxyType& type = (*scratch)[static_cast<size_t>(slot_)];
    if (!PutEdits(type)) return;
    if (traits_.previewStyle) type.galStyle = *traits_.previewStyle;
    RunDriver& driver = picPreview_->Driver();
    driver.SetRecords(*scratch, set_.composites);
    scratch.reset();
    const QSize size = picPreview_->DeviceSize();
    running_->Run(*cmdPreview_, Q(traits_.previewCaption), traits_.objectName, [&] {
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
    SaveWindowPlacement(*this, store_, traits_.placementSection, ProcessHostState());
    QDialog::done(result);
}

void ThemedEditor::ChooseTheme(int theme) {
    if (theme < 0 || theme >= kEditorThemeCount) return;
    cboTheme_->setCurrentIndex(theme + 1);
    lblThemeDesc_->setText(Q(ApplyTheme(theme)));
}

void ThemedEditor::MakeThemeLine(const std::array<std::string_view, 10>& names) {
    auto* line = new QHBoxLayout;
    QLabel* label = MakeLabel(this, "&Theme:", "lblTheme");
    cboTheme_ = new QComboBox(this);
    cboTheme_->setObjectName(QStringLiteral("cboTheme"));
    cboTheme_->addItem(Q(kSelectThemeEntry));
    for (std::string_view name : names)
        cboTheme_->addItem(Q(name));
    cboTheme_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    NameForReaders(*cboTheme_, label->text());
    label->setBuddy(cboTheme_);
    lblThemeDesc_ = MakeLabel(this, "", "lblThemeDesc");
    lblThemeDesc_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    line->addWidget(label);
    line->addWidget(cboTheme_);
    line->addSpacing(cboTheme_->fontMetrics().height());
    line->addWidget(lblThemeDesc_, 1);
    Outer().addLayout(line);
    connect(cboTheme_, &QComboBox::activated, this, [this](int item) { ChooseTheme(item - 1); });
}

QHBoxLayout* ThemedEditor::MakeCentreAndGalaxy() {
    auto* frames = new QHBoxLayout;
    frames->addWidget(
        MakeBoxFrame(this, kCentreFrameCaption, "fraCenter", "txtCenter", kCentreBoxes, centre_));
    frames->addWidget(
        MakeBoxFrame(this, kGalaxyFrameCaption, "fraGalaxy", "txtGalaxy", kGalaxyBoxes, galaxy_));
    return frames;
}

void ThemedEditor::MakeClearAndButtonRow(HelpTopic topic) {
    QPushButton* clear = MakeButton(this, "Clear", "cmdClear");
    Outer().addLayout(MakeButtonRow(clear, topic));
    connect(clear, &QPushButton::clicked, this, [this] { Clear(); });
}

}  // namespace orrelume
