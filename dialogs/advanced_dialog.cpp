#include "dialogs/advanced_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "dialogs/companion_parts.h"
#include "driver/host_state.h"
#include "ui/help.h"
#include "ui/lock_message.h"
#include "ui/message_box.h"
#include "ui/pictures.h"
#include "ui/window_placement.h"

namespace orrelume {

using namespace companion;

namespace {

constexpr int kFieldCharacters = 5;

// A check box state as the toolkit numbers it (0 clear, 1 checked, 2
// grayed) and as Qt does.
Qt::CheckState CheckStateOf(int state) {
    if (state == 1) return Qt::Checked;
    return state == kCheckGrayed ? Qt::PartiallyChecked : Qt::Unchecked;
}

int CheckNumberOf(Qt::CheckState state) {
    if (state == Qt::Checked) return 1;
    return state == Qt::PartiallyChecked ? kCheckGrayed : 0;
}

}  // namespace

frmAdvanced::frmAdvanced(SettingsStore& store, QWidget* parent)
    : frmAdvanced(store, store, parent) {}

frmAdvanced::frmAdvanced(SettingsStore& store, SettingsStore& values, QWidget* parent)
    : QDialog(parent), store_(store), values_(values) {
    setObjectName(QStringLiteral("frmAdvanced"));
    setWindowTitle(QStringLiteral("Advanced Settings"));
    Build();
    ShowValues(LoadAdvancedForm(values_));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    RestoreWindowPlacement(*this, store_, kAdvancedPlacementSection, ProcessHostState(), false);
}

frmAdvanced::~frmAdvanced() = default;

void frmAdvanced::Build() {
    auto* outer = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    // A labelled field of `txtAdv` in a grid line, with its spin button.
    const auto fieldLine = [this](QGridLayout& grid, int line, int index) {
        const AdvancedFormField& f = *FindAdvancedFormField(index);
        QWidget* parent = grid.parentWidget();
        QLabel* label = MakeLabel(parent, f.caption, Indexed("lblAdv", index).toStdString());
        std::optional<ArrowKeys> arrows;
        if (f.arrowStep != 0)
            arrows = ArrowKeys{f.arrowStep, static_cast<int32_t>(f.lower),
                               static_cast<int32_t>(f.upper)};
        QLineEdit* field =
            MakeNumberField(parent, Indexed("txtAdv", index).toStdString(), label->text(), f.typing,
                            FieldBounds{f.kind, f.lower, f.upper}, kFieldCharacters, arrows);
        label->setBuddy(field);
        fields_[static_cast<size_t>(index)] = field;
        auto* cell = new QHBoxLayout;
        cell->setSpacing(0);
        cell->addWidget(field);
        if (f.spinLength > 0) {
            auto* spin = new SpinButton(parent);
            spin->setObjectName(Indexed("spnAdv", index));
            cell->addWidget(spin);
            BindSpinField(*field, *spin, static_cast<int32_t>(f.lower),
                          static_cast<int32_t>(f.upper), f.spinLength);
        }
        cell->addStretch(1);
        grid.addWidget(label, line, 0);
        grid.addLayout(cell, line, 1);
    };
    const auto checkBox = [this](QWidget* parent, size_t i) {
        auto* box = new QCheckBox(Q(kAdvancedChecks[i].caption), parent);
        box->setObjectName(Q(kAdvancedChecks[i].objectName));
        NameForReaders(*box, box->text());
        // A stored 2 shows grayed until the box is clicked; then it is
        // clear or checked.
        connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
        checks_[i] = box;
        return box;
    };

    // The run of the animation: timing, projection and the switches.
    QGroupBox* ops = MakeFrame(this, "Operation Properties", "fraOpsProps");
    auto* opsGrid = new QGridLayout(ops);
    fieldLine(*opsGrid, 0, 0);
    fieldLine(*opsGrid, 1, 1);
    // How many screen pixels across a star covers: automatic follows the
    // screen's scale, so a high-density screen looks like an ordinary one.
    QLabel* pixelLabel = MakeLabel(ops, "&Pixel size:", "lblPixelScale");
    cboPixel_ = new QComboBox(ops);
    cboPixel_->setObjectName(QStringLiteral("cboPixelScale"));
    cboPixel_->addItems({QStringLiteral("Automatic"), QStringLiteral("1"), QStringLiteral("2"),
                         QStringLiteral("3"), QStringLiteral("4")});
    NameForReaders(*cboPixel_, pixelLabel->text());
    pixelLabel->setBuddy(cboPixel_);
    opsGrid->addWidget(pixelLabel, 2, 0);
    opsGrid->addWidget(cboPixel_, 2, 1, Qt::AlignLeft);
    for (size_t i = 1; i < kAdvancedChecks.size(); ++i)
        opsGrid->addWidget(checkBox(ops, i), static_cast<int>(i) + 2, 0, 1, 2);
    left->addWidget(ops);

    // The randomization of the galaxy types' size and spin, below it.
    QGroupBox* extra = MakeFrame(this, "Galaxy Randomization", "fraExtraGalaxies");
    auto* extraGrid = new QGridLayout(extra);
    extraGrid->addWidget(checkBox(extra, 0), 0, 0, 1, 2);
    fieldLine(*extraGrid, 1, 9);
    fieldLine(*extraGrid, 2, 10);
    left->addWidget(extra);
    left->addStretch(1);

    // The message drawn over the animation, and its font.
    QGroupBox* message = MakeFrame(this, "Message over the Animation", "fraMessage");
    auto* messageGrid = new QGridLayout(message);
    QLabel* messageLabel = MakeLabel(message, "&Message:", "lblMessage");
    txtMessage_ = new QLineEdit(message);
    txtMessage_->setObjectName(QStringLiteral("txtMessage"));
    NameForReaders(*txtMessage_, messageLabel->text());
    txtMessage_->setMinimumWidth(txtMessage_->fontMetrics().averageCharWidth() * 32);
    messageLabel->setBuddy(txtMessage_);
    messageGrid->addWidget(messageLabel, 0, 0);
    messageGrid->addWidget(txtMessage_, 0, 1);
    QLabel* fontLabel = MakeLabel(message, "&Font:", "lblFont");
    cboFont_ = new QComboBox(message);
    cboFont_->setObjectName(QStringLiteral("cboFont"));
    cboFont_->addItems(QFontDatabase::families());
    cboFont_->setMaxVisibleItems(16);
    NameForReaders(*cboFont_, fontLabel->text());
    fontLabel->setBuddy(cboFont_);
    messageGrid->addWidget(fontLabel, 1, 0);
    messageGrid->addWidget(cboFont_, 1, 1);
    fieldLine(*messageGrid, 2, 2);
    fieldLine(*messageGrid, 3, 3);
    // The colour the message is drawn in, beside its hue.
    auto* swatch = new PictureBox(message);
    swatch->setObjectName(QStringLiteral("picFontHue"));
    swatch->setAccessibleName(QStringLiteral("Message colour"));
    const int h = swatch->fontMetrics().height();
    swatch->setFixedSize(h * 3, h);
    QLineEdit* hue = fields_[3];
    swatch->SetPainter([hue](QPainter& painter, const QRect& area) {
        const auto value =
            static_cast<int16_t>(std::clamp(FieldInteger(hue->text().toStdString()), 0, 359));
        const uint32_t rgb = LockMessageColour(value);
        painter.fillRect(area, QColor::fromRgb(rgb));
    });
    connect(hue, &QLineEdit::textChanged, swatch, [swatch] { swatch->update(); });
    messageGrid->addWidget(swatch, 3, 1, Qt::AlignRight);
    right->addWidget(message);

    // Effect cycling: shown and checked, never kept.
    QGroupBox* cycle = MakeFrame(this, "Effect Cycling", "fraCycle");
    auto* cycleGrid = new QGridLayout(cycle);
    chkCycle_ = new QCheckBox(QStringLiteral("Cycle through Effects"), cycle);
    chkCycle_->setObjectName(QStringLiteral("chkCycle"));
    NameForReaders(*chkCycle_, chkCycle_->text());
    cycleGrid->addWidget(chkCycle_, 0, 0, 1, 3);
    for (int i = 0; i < kEffectBoxes; ++i) {
        auto* box = new QCheckBox(QStringLiteral("Effect %1").arg(i + 1), cycle);
        box->setObjectName(Indexed("chkEffect", i));
        NameForReaders(*box, box->text());
        effects_[static_cast<size_t>(i)] = box;
        cycleGrid->addWidget(box, 1 + i / 3, i % 3);
    }
    auto* cycleFields = new QGridLayout;
    for (int index = 4; index <= 8; ++index)
        fieldLine(*cycleFields, index - 4, index);
    cycleGrid->addLayout(cycleFields, 3, 0, 1, 3);
    QLabel* note = MakeLabel(cycle,
                             "These effects are not part of this version; "
                             "the choices here are not kept.",
                             "lblCycleNote");
    note->setWordWrap(true);
    cycleGrid->addWidget(note, 4, 0, 1, 3);
    right->addWidget(cycle);
    right->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOK_ = MakeButton(this, "OK", "cmdOK");
    cmdOK_->setDefault(true);  // Return presses OK
    cmdDefaults_ = MakeButton(this, "&Defaults", "cmdDefaults");
    cmdDismiss_ = MakeButton(this, "Cancel", "cmdDismiss");
    cmdHelp_ = MakeButton(this, "&Help", "cmdHelp");
    for (QPushButton* b : {cmdOK_, cmdDefaults_, cmdDismiss_, cmdHelp_})
        buttons->addWidget(b);
    outer->addLayout(buttons);

    connect(cmdOK_, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(cmdDefaults_, &QPushButton::clicked, this,
            [this] { ShowValues(FactoryAdvancedForm(Values())); });
    connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp_, &QPushButton::clicked, this,
            [this] { ShowHelp(this, HelpTopic::AdvancedSettings); });
    connect(cboFont_, &QComboBox::activated, this, [this] { fontPicked_ = true; });
}

void frmAdvanced::SelectFont(const std::string& name) {
    fontName_ = name;
    fontPicked_ = false;
    std::vector<std::string> fonts;
    for (int i = 0; i < cboFont_->count(); ++i)
        fonts.push_back(cboFont_->itemText(i).toStdString());
    // The font the system draws for a name it does not have.
    const QString substitute = QFontInfo(QFont(QString::fromStdString(name))).family();
    cboFont_->setCurrentIndex(FontEntryToSelect(fonts, name, substitute.toStdString()));
}

void frmAdvanced::ShowValues(const AdvancedFormValues& values) {
    for (const AdvancedFormField& f : AdvancedFormFields()) {
        fields_[static_cast<size_t>(f.index)]->setText(
            QString::fromStdString(values.texts[static_cast<size_t>(f.index)]));
    }
    SelectFont(values.fontName);
    txtMessage_->setText(QString::fromStdString(values.message));
    cboPixel_->setCurrentIndex(std::clamp(values.pixelScale, 0, cboPixel_->count() - 1));
    for (size_t i = 0; i < checks_.size(); ++i) {
        // A stored 2 shows grayed; once clicked the box is clear or checked.
        checks_[i]->setTristate(values.checks[i] == kCheckGrayed);
        checks_[i]->setCheckState(CheckStateOf(values.checks[i]));
    }
}

AdvancedFormValues frmAdvanced::Values() const {
    AdvancedFormValues v;
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i] != nullptr) v.texts[i] = fields_[i]->text().toStdString();
    }
    v.fontName = fontPicked_ ? cboFont_->currentText().toStdString() : fontName_;
    v.message = txtMessage_->text().toStdString();
    v.pixelScale = std::max(0, cboPixel_->currentIndex());
    for (size_t i = 0; i < checks_.size(); ++i)
        v.checks[i] = CheckNumberOf(checks_[i]->checkState());
    return v;
}

bool frmAdvanced::Confirm() {
    // The box still being typed in counts as left.
    BoundFocusedField();
    cmdOK_->setFocus();
    std::array<bool, kEffectBoxes> effects{};
    for (size_t i = 0; i < effects.size(); ++i)
        effects[i] = effects_[i]->isChecked();
    if (CycleEffectsRefused(chkCycle_->isChecked(), effects)) {
        ShowInformation(this, Q(kSelectEffectsMessage));
        effects_[0]->setFocus();
        return false;
    }
    WriteAdvancedForm(values_, Values());
    accept();
    return true;
}

void frmAdvanced::done(int result) {
    SaveWindowPlacement(*this, store_, kAdvancedPlacementSection, ProcessHostState());
    QDialog::done(result);
}

}  // namespace orrelume
