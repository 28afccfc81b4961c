#include "dialogs/levels_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/companion_parts.h"
#include "dialogs/editor_values.h"

namespace orrelume {

using namespace companion;

frmLevels::frmLevels(SettingsStore& store, SettingsSet& set, int slot,
                     const DialogPreviewValues& preview, QWidget* parent)
    : CompanionWindow({"frmLevels", "", "General\\Levels", "Preview", std::nullopt}, store, set,
                      slot, preview, parent) {
    const GalaxyType& type = EditedType();
    setWindowTitle(QString::fromStdString(LevelsCaption(type)));
    Build();
    const LevelsFormValues values = ShowLevels(type);
    for (size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(QString::fromStdString(values.texts[i]));
    for (size_t i = 0; i < toggles_.size(); ++i)
        toggles_[i]->setChecked(values.toggles[i]);
    Place();
}

void frmLevels::Build() {
    QVBoxLayout* left = MakeColumns();

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

    MakePreview(LevelsPreviewCaption(EditedType()));
    Outer().addLayout(MakeButtonRow(nullptr, HelpTopic::GalaxyLevels));
}

bool frmLevels::PutEdits(GalaxyType& type) {
    TakeLevels(Values(), type);
    return true;
}

LevelsFormValues frmLevels::Values() const {
    LevelsFormValues v;
    for (size_t i = 0; i < fields_.size(); ++i)
        v.texts[i] = fields_[i]->text().toStdString();
    for (size_t i = 0; i < toggles_.size(); ++i)
        v.toggles[i] = toggles_[i]->isChecked();
    return v;
}

}  // namespace orrelume
