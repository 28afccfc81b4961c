#include "dialogs/levels_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/companion_parts.h"
#include "dialogs/editor_values.h"
#include "host/help.h"
#include "host/window_placement.h"

namespace orrelume {

using namespace companion;

namespace {

constexpr std::string_view kPreviewCaption = "Preview";

}  // namespace

frmLevels::frmLevels(SettingsStore& store, SettingsSet& set, int slot,
                     const DialogPreviewValues& preview, QWidget* parent)
    : QDialog(parent),
      store_(store),
      set_(set),
      slot_(std::clamp(slot, 0, kGalaxyTypeCount - 1)),
      preview_(preview) {
    setObjectName(QStringLiteral("frmLevels"));
    const GalaxyType& type = set_.types[static_cast<size_t>(slot_)];
    setWindowTitle(QString::fromStdString(LevelsCaption(type)));
    Build();
    const LevelsFormValues values = ShowLevels(type);
    for (size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(QString::fromStdString(values.texts[i]));
    for (size_t i = 0; i < toggles_.size(); ++i)
        toggles_[i]->setChecked(values.toggles[i]);
    resize(sizeHint());
    RestoreWindowPlacement(*this, store_, kLevelsPlacementSection, ProcessHostState(), true);
}

frmLevels::~frmLevels() = default;

void frmLevels::Build() {
    auto* outer = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    outer->setMenuBar(bar);
    auto* body = new QHBoxLayout;
    outer->addLayout(body, 1);
    auto* left = new QVBoxLayout;
    body->addLayout(left);

    const auto fieldLine = [this](QGridLayout& grid, int line, size_t i) {
        const LevelsFormField& f = LevelsFormFields()[i];
        QWidget* parent = grid.parentWidget();
        QLabel* label = MakeLabel(parent, f.caption, "lbl" + std::string(f.objectName.substr(3)));
        fields_[i] = MakeNumberField(parent, f.objectName, label->text(), f.typing,
                                     FieldBounds{f.kind, f.lower, f.upper}, f.characters);
        label->setBuddy(fields_[i]);
        grid.addWidget(label, line, 0);
        grid.addWidget(fields_[i], line, 1, Qt::AlignLeft);
    };

    QGroupBox* levels = MakeFrame(this, "Level Properties:", "fraLevels");
    auto* levelGrid = new QGridLayout(levels);
    for (size_t i = 0; i < 3; ++i)
        fieldLine(*levelGrid, static_cast<int>(i), i);
    for (size_t i = 0; i < toggles_.size(); ++i) {
        toggles_[i] = new QCheckBox(Q(kLevelToggleCaptions[i]), levels);
        toggles_[i]->setObjectName(Indexed("chkToggle", static_cast<int>(i)));
        NameForReaders(*toggles_[i], toggles_[i]->text());
        levelGrid->addWidget(toggles_[i], 3 + static_cast<int>(i), 0, 1, 2);
    }
    left->addWidget(levels);

    QGroupBox* galaxy = MakeFrame(this, kGalaxyFrameCaption, "fraGalaxy");
    auto* galaxyGrid = new QGridLayout(galaxy);
    fieldLine(*galaxyGrid, 0, 3);
    fieldLine(*galaxyGrid, 1, 4);
    left->addWidget(galaxy);
    left->addStretch(1);

    const GalaxyType& type = set_.types[static_cast<size_t>(slot_)];
    body->addWidget(MakePreviewFrame(this, LevelsPreviewCaption(type), store_, previewFlags_,
                                     kPreviewCaption, picPreview_, cmdPreview_),
                    1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOK_ = MakeButton(this, "OK", "cmdOK");
    cmdOK_->setDefault(true);  // Return presses OK
    cmdDismiss_ = MakeButton(this, "Cancel", "cmdDismiss");
    cmdHelp_ = MakeButton(this, "&Help", "cmdHelp");
    for (QPushButton* b : {cmdOK_, cmdDismiss_, cmdHelp_})
        buttons->addWidget(b);
    outer->addLayout(buttons);
    AddResizeMenu(*this, *bar);

    running_ =
        std::make_unique<CompanionPreview>(*this, *cmdPreview_, Q(kPreviewCaption), previewFlags_);
    connect(cmdPreview_, &QPushButton::clicked, this, [this] { TogglePreview(); });
    connect(cmdOK_, &QPushButton::clicked, this, [this] {
        BoundFocusedField();
        TakeLevels(Values(), set_.types[static_cast<size_t>(slot_)]);
        accept();
    });
    connect(cmdDismiss_, &QPushButton::clicked, this, &frmLevels::reject);
    connect(cmdHelp_, &QPushButton::clicked, this,
            [this] { ShowHelp(this, HelpTopic::GalaxyLevels); });
}

LevelsFormValues frmLevels::Values() const {
    LevelsFormValues v;
    for (size_t i = 0; i < fields_.size(); ++i)
        v.texts[i] = fields_[i]->text().toStdString();
    for (size_t i = 0; i < toggles_.size(); ++i)
        v.toggles[i] = toggles_[i]->isChecked();
    return v;
}

bool frmLevels::PreviewRunning() const {
    return running_ && running_->Running();
}

void frmLevels::TogglePreview() {
    if (PreviewRunning()) {
        running_->Stop();
        return;
    }
    if (!isVisible()) return;
    RunPreview();
}

void frmLevels::RunPreview() {
    BoundFocusedField();
    // The preview runs on a copy of the records with the values typed so
    // far: the edited type itself changes only on OK.
    auto scratch = std::make_unique<GalaxyTypeTable>(set_.types);
    TakeLevels(Values(), (*scratch)[static_cast<size_t>(slot_)]);
    RunScratchPreview(*running_, *picPreview_, std::move(scratch), set_.composites, slot_,
                      preview_);
}

void frmLevels::reject() {
    if (PreviewRunning()) {
        running_->Stop();
        return;
    }
    QDialog::reject();
}

void frmLevels::closeEvent(QCloseEvent* event) {
    // Closing the window ends a running preview too.
    if (running_) running_->Stop();
    event->accept();
    done(Rejected);
}

void frmLevels::done(int result) {
    if (running_) running_->Stop();
    SaveWindowPlacement(*this, store_, kLevelsPlacementSection, ProcessHostState());
    QDialog::done(result);
}

}  // namespace orrelume
