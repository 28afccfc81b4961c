#include "dialogs/composite_editor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/type_lists.h"
#include "dialogs/universe_rows.h"
#include "ui/field_rules.h"
#include "ui/message_box.h"
#include "ui/pictures.h"
#include "ui/widgets.h"

namespace orrelume {

namespace {

constexpr int kCompositeListRows = 8;
constexpr int kMinorListRows = 8;

int SelectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> items = list.selectedItems();
    return items.isEmpty() ? -1 : list.row(items.first());
}

}  // namespace

CompositeEditor::CompositeEditor(SettingsSet& set, std::function<QString(int slot)> entryOf,
                                 std::vector<QWidget*>& focusOrder, QWidget* parent)
    : QWidget(parent), set_(set), entryOf_(std::move(entryOf)) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);

    auto* left = new QVBoxLayout;
    layout->addLayout(left, 0, 0);
    composites_ = new QListWidget;
    composites_->setObjectName(QStringLiteral("lstCompGalaxy"));
    composites_->setAccessibleName(QStringLiteral("Composite Galaxies"));
    SetListRows(*composites_, kCompositeListRows);
    left->addWidget(composites_, 1);
    focusOrder.push_back(composites_);

    auto* selectedLabel = new QLabel(QStringLiteral("Selected Composite Name and Percent:"));
    selectedLabel->setObjectName(QStringLiteral("lblCompGalSel"));
    selectedLabel->setWordWrap(true);
    left->addWidget(selectedLabel);
    const NamePercentRow compositeRow = AddNamePercentRow(
        *left, *selectedLabel,
        {"txtCompGalName", "txtCompGalPct", "spnCompGalPct", kCompositeNameRefused}, focusOrder);
    name_ = compositeRow.name;
    percent_ = compositeRow.percent;
    namePalette_ = name_->palette();

    auto* right = new QVBoxLayout;
    layout->addLayout(right, 0, 1);
    auto* majorRow = new QHBoxLayout;
    right->addLayout(majorRow);
    auto* majorLabel = new QLabel(QStringLiteral("Major:"));
    majorLabel->setObjectName(QStringLiteral("lblCompMajor"));
    major_ = new QComboBox;
    major_->setObjectName(QStringLiteral("cboCompMajor"));
    major_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    major_->setMinimumContentsLength(12);
    for (int type = 0; type < kGalaxyTypeCount; ++type)
        major_->addItem(QString());
    NameForReaders(*major_, majorLabel->text());
    majorLabel->setBuddy(major_);
    majorRow->addWidget(majorLabel);
    majorRow->addWidget(major_, 1);
    focusOrder.push_back(major_);
    auto* minorLabel = new QLabel(QStringLiteral("Minor Types:"));
    minorLabel->setObjectName(QStringLiteral("lblCompMinor"));
    right->addWidget(minorLabel);
    minors_ = new QListWidget;
    minors_->setObjectName(QStringLiteral("lstCompMinor"));
    minors_->setSelectionMode(QAbstractItemView::MultiSelection);
    for (int type = 0; type < kGalaxyTypeCount; ++type)
        minors_->addItem(QString());
    NameForReaders(*minors_, minorLabel->text());
    minorLabel->setBuddy(minors_);
    SetListRows(*minors_, kMinorListRows);
    right->addWidget(minors_, 1);
    focusOrder.push_back(minors_);

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons, 1, 0, 1, 2);
    auto* commit = MakeButton(this, "Commit", "cmdCompCommit");
    auto* reset = MakeButton(this, "Reset %", "cmdResetCompPct");
    resetPercent_ = new QLineEdit;
    resetPercent_->setObjectName(QStringLiteral("txtResetCompPct"));
    NameForReaders(*resetPercent_, reset->text(), QStringLiteral("Value"));
    ApplyFieldRules(*resetPercent_, Typing::Digits);
    SizeForDigits(*resetPercent_, 5);
    previewComp_ = MakeButton(this, "Preview Comp", "cmdPreviewComp");
    buttons->addWidget(commit);
    buttons->addWidget(reset);
    buttons->addWidget(resetPercent_);
    buttons->addStretch();
    buttons->addWidget(previewComp_);
    for (QWidget* w : {static_cast<QWidget*>(commit), static_cast<QWidget*>(reset),
                       static_cast<QWidget*>(resetPercent_), static_cast<QWidget*>(previewComp_)})
        focusOrder.push_back(w);

    connect(composites_, &QListWidget::itemSelectionChanged, this, &CompositeEditor::Fill);
    connect(composites_, &QListWidget::itemDoubleClicked, this, [this] { emit previewToggled(); });
    connect(major_, &QComboBox::currentIndexChanged, this, &CompositeEditor::MarkIfsTypes);
    connect(minors_, &QListWidget::itemSelectionChanged, this, &CompositeEditor::MarkIfsTypes);
    connect(commit, &QPushButton::clicked, this, &CompositeEditor::Commit);
    connect(reset, &QPushButton::clicked, this, &CompositeEditor::ResetPercents);
}

int CompositeEditor::Selected() const {
    return SelectedRow(*composites_);
}

void CompositeEditor::RefreshEntries() {
    if (composites_->count() == 0) {
        for (int slot = 0; slot < kCompositeGalaxyCount; ++slot)
            composites_->addItem(QString());
    }
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot)
        composites_->item(slot)->setText(entryOf_(slot));
}

void CompositeEditor::ShowTypeName(int type, const QString& name) {
    major_->setItemText(type, name);
    minors_->item(type)->setText(name);
}

void CompositeEditor::Fill() {
    const int slot = Selected();
    if (slot < 0) return;
    const ListEntryParts entry = ReadListEntry(composites_->item(slot)->text().toStdString());
    name_->setText(Q(entry.name));
    percent_->setText(Q(entry.percent));
    const CompositeChoice choice = ChoiceOfComposite(set_.composites[static_cast<size_t>(slot)]);
    major_->setCurrentIndex(choice.major);
    minors_->clearSelection();
    for (int type = 0; type < kGalaxyTypeCount; ++type) {
        if (!choice.minors[static_cast<size_t>(type)]) continue;
        QListWidgetItem* item = minors_->item(type);
        item->setSelected(true);
        minors_->scrollToItem(item);
    }
    MarkIfsTypes();
}

CompositeChoice CompositeEditor::Choice() const {
    CompositeChoice choice;
    choice.major = major_->currentIndex();
    for (int type = 0; type < kGalaxyTypeCount; ++type)
        choice.minors[static_cast<size_t>(type)] = minors_->item(type)->isSelected();
    return choice;
}

void CompositeEditor::MarkIfsTypes() {
    if (IfsTypeCount(set_.types, Choice()) > 1) {
        QPalette marked = namePalette_;
        marked.setColor(QPalette::Base, EngineColour(kIfsMarkColour));
        marked.setColor(QPalette::Text, Qt::black);
        name_->setPalette(marked);
    } else {
        name_->setPalette(namePalette_);
    }
}

void CompositeEditor::Commit() {
    const int slot = Selected();
    if (slot < 0) return;
    std::string percent = percent_->text().toStdString();
    const CompositeCommit result =
        CommitComposite(set_.composites[static_cast<size_t>(slot)], set_.types,
                        name_->text().toStdString(), percent, Choice());
    if (result == CompositeCommit::kNoMajor) {
        ShowInformation(this, Q(kSelectMajorMessage));
        major_->setFocus();
        return;
    }
    percent_->setText(Q(percent));
    if (result == CompositeCommit::kStoredIfsNote) ShowInformation(this, Q(IfsNoteMessage()));
    composites_->item(slot)->setText(entryOf_(slot));
}

void CompositeEditor::ResetPercents() {
    const std::optional<int16_t> percent = ResetPercentValue(resetPercent_->text().toStdString());
    if (!percent) {
        ShowInformation(this, Q(kResetValueMessage));
        resetPercent_->setFocus();
        return;
    }
    ResetCompositePercents(set_.composites, *percent);
    RefreshEntries();
    composites_->scrollToTop();
    composites_->setCurrentRow(0);
    Fill();
}

void CompositeEditor::Clear() {
    composites_->clearSelection();
    composites_->setCurrentRow(-1);
    composites_->scrollToTop();
    minors_->clearSelection();
    minors_->scrollToTop();
    major_->setCurrentIndex(-1);
    name_->clear();
    percent_->clear();
    MarkIfsTypes();
}

}  // namespace orrelume
