#include "dialogs/molecule_editor.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <set>

#include "dialogs/companion_parts.h"
#include "dialogs/editor_themes.h"
#include "engine/colour.h"
#include "engine/user_styles.h"
#include "ui/message_box.h"
#include "ui/pictures.h"

namespace orrelume {

using namespace companion;

namespace {

// The column of the hue table the element colours are taken from.
constexpr int kHueColumn = 0;

}  // namespace

frmMolecule::frmMolecule(SettingsStore& store, SettingsSet& set, int slot,
                         const DialogPreviewValues& preview, QWidget* parent)
    : ThemedEditor({"frmMolecule", "User Defined Molecules", "General\\Atomics", "Preview Molecule",
                    kStyleMolecule},
                   store, set, slot, preview, parent),
      hues_(std::make_unique<HueTable>()) {
    // The element colours as the edited type's colour settings give them.
    BuildHueTable(*hues_, kHueColumn, EditedType());
    Build();
    ShowValues(ShowMolecule(EditedType()));
    ShowAtomForm(AtomFormValues{});
    Place();
}

frmMolecule::~frmMolecule() = default;

void frmMolecule::Build() {
    MakeThemeLine(kMoleculeThemeNames);
    QVBoxLayout* left = MakeColumns();

    // One atom: its element, structure and boxes, and what to do with it.
    QGroupBox* atom = MakeFrame(this, "Atom", "fraAtom");
    auto* atomLayout = new QVBoxLayout(atom);
    auto* kind = new QGridLayout;
    atomLayout->addLayout(kind);
    QLabel* elementLabel = MakeLabel(atom, "&Element:", "lblElement");
    cboElement_ = new QComboBox(atom);
    cboElement_->setObjectName(QStringLiteral("cboElement"));
    for (const ElementInfo& e : ElementTable())
        cboElement_->addItem(Q(e.name));
    NameForReaders(*cboElement_, elementLabel->text());
    elementLabel->setBuddy(cboElement_);
    lblSymbol_ = MakeLabel(atom, "", "lblSymbol");
    lblSymbol_->setMinimumWidth(lblSymbol_->fontMetrics().horizontalAdvance(QStringLiteral("MMM")));
    QFont bold = lblSymbol_->font();
    bold.setBold(true);
    lblSymbol_->setFont(bold);
    picElement_ = new PictureBox(atom);
    picElement_->setObjectName(QStringLiteral("picElement"));
    picElement_->setAccessibleName(QStringLiteral("Element colour"));
    const int h = picElement_->fontMetrics().height();
    picElement_->setFixedSize(h * 2, h);
    QLabel* typeLabel = MakeLabel(atom, "&Structure:", "lblType");
    cboType_ = new QComboBox(atom);
    cboType_->setObjectName(QStringLiteral("cboType"));
    cboType_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (std::string_view name : kStructureListNames)
        cboType_->addItem(Q(name));
    NameForReaders(*cboType_, typeLabel->text());
    typeLabel->setBuddy(cboType_);
    kind->addWidget(elementLabel, 0, 0);
    kind->addWidget(cboElement_, 0, 1);
    kind->addWidget(lblSymbol_, 0, 2);
    kind->addWidget(picElement_, 0, 3);
    kind->addWidget(typeLabel, 1, 0);
    kind->addWidget(cboType_, 1, 1);
    kind->setColumnStretch(4, 1);

    // The five boxes under their two-line captions.
    auto* boxes = new QGridLayout;
    atomLayout->addLayout(boxes);
    for (int b = 0; b < kAtomBoxes; ++b) {
        const auto i = static_cast<size_t>(b);
        propLabels_[i] = MakeLabel(atom, "", Indexed("lblProps", b).toStdString());
        propRanges_[i] = MakeLabel(atom, "", Indexed("lblPropsRange", b).toStdString());
        props_[i] = MakeNumberField(atom, Indexed("txtProps", b).toStdString(), QString(),
                                    Typing::Digits, FieldBounds{BoundKind::Int16, 0, 9999}, 4);
        propLabels_[i]->setBuddy(props_[i]);
        boxes->addWidget(propLabels_[i], 0, b);
        boxes->addWidget(propRanges_[i], 1, b);
        boxes->addWidget(props_[i], 2, b);
    }
    boxes->setColumnStretch(kAtomBoxes, 1);

    auto* acting = new QHBoxLayout;
    for (size_t a = 0; a < actions_.size(); ++a) {
        actions_[a] = MakeButton(atom, kAtomActionCaptions[a],
                                 Indexed("cmdAction", static_cast<int>(a)).toStdString());
        acting->addWidget(actions_[a]);
    }
    acting->addStretch(1);
    atomLayout->addLayout(acting);
    left->addWidget(atom);

    // The atoms of the molecule, in columns under a heading.
    QGroupBox* list = MakeFrame(this, "Atoms of the Molecule", "fraElements");
    auto* listLayout = new QVBoxLayout(list);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QLabel* heading = MakeLabel(list, AtomListHeading(), "lblElements");
    heading->setFont(fixed);
    lstElements_ = new QListWidget(list);
    lstElements_->setObjectName(QStringLiteral("lstElements"));
    lstElements_->setFont(fixed);
    lstElements_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    NameForReaders(*lstElements_, QStringLiteral("Atoms of the Molecule"));
    lstElements_->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(Q(AtomListHeading())) +
                                  lstElements_->fontMetrics().height() * 2);
    heading->setBuddy(lstElements_);
    listLayout->addWidget(heading);
    listLayout->addWidget(lstElements_, 1);
    left->addWidget(list, 1);

    left->addLayout(MakeCentreAndGalaxy());

    MakePreview("Preview");
    MakeClearAndButtonRow(HelpTopic::Molecules);

    connect(cboElement_, &QComboBox::currentIndexChanged, this,
            [this](int index) { ShowElement(index + 1); });
    connect(cboType_, &QComboBox::currentIndexChanged, this,
            [this](int index) { ApplyStructureCaptions(index); });
    for (size_t a = 0; a < actions_.size(); ++a) {
        connect(actions_[a], &QPushButton::clicked, this,
                [this, a] { Act(static_cast<AtomAction>(a)); });
    }
    // Picking an atom of the list shows it, ready to be updated.
    connect(lstElements_, &QListWidget::itemSelectionChanged, this, [this] {
        const int row = lstElements_->currentRow();
        if (row < 0 || row >= static_cast<int>(atoms_.size())) return;
        if (!lstElements_->item(row)->isSelected()) return;
        ShowAtomForm(FormOfAtom(atoms_[static_cast<size_t>(row)]));
    });
}

void frmMolecule::Clear() {
    atoms_.clear();
    ShowAtoms(-1);
}

QPushButton& frmMolecule::ActionButton(AtomAction action) const {
    return *actions_[static_cast<size_t>(action)];
}

void frmMolecule::ShowElement(int element) {
    const bool known = element >= 1 && element <= kElementCount;
    lblSymbol_->setText(known ? QString::fromStdString(ElementProperty(element, "symbol"))
                              : QString());
    if (!known) {
        picElement_->SetPainter(nullptr);
        return;
    }
    const uint32_t rgb = HueColor(*hues_, kHueColumn, ElementHue(element));
    picElement_->SetPainter(
        [rgb](QPainter& painter, const QRect& area) { painter.fillRect(area, EngineColour(rgb)); });
}

void frmMolecule::ApplyStructureCaptions(int structure) {
    const AtomCaptions captions = CaptionsForStructure(structure);
    for (size_t b = 0; b < props_.size(); ++b) {
        propLabels_[b]->setText(Q(captions.first[b]));
        propRanges_[b]->setText(Q(captions.second[b]));
        NameForReaders(*props_[b],
                       propLabels_[b]->text() + QLatin1Char(' ') + propRanges_[b]->text());
        const EditorBox bounds = AtomBoxBounds(structure, static_cast<int>(b));
        if (FieldRules* rules = FieldRules::Of(*props_[b])) {
            rules->SetBounds(FieldBounds{bounds.kind, bounds.lower, bounds.upper});
            // A box that now reads a different thing shows it within its
            // new bounds at once (an X location becomes an edge count).
            if (!props_[b]->text().isEmpty()) rules->BoundNow();
        }
    }
    props_[kAtomValue]->setEnabled(captions.valueEnabled);
    propLabels_[kAtomValue]->setEnabled(captions.valueEnabled);
    propRanges_[kAtomValue]->setEnabled(captions.valueEnabled);
}

AtomFormValues frmMolecule::AtomForm() const {
    AtomFormValues f;
    f.element = cboElement_->currentIndex() + 1;
    f.structure = cboType_->currentIndex();
    for (size_t b = 0; b < props_.size(); ++b)
        f.texts[b] = props_[b]->text().toStdString();
    return f;
}

void frmMolecule::ShowAtomForm(const AtomFormValues& form) {
    cboElement_->setCurrentIndex(form.element - 1);
    cboType_->setCurrentIndex(form.structure);
    for (size_t b = 0; b < props_.size(); ++b)
        props_[b]->setText(QString::fromStdString(form.texts[b]));
    ShowElement(form.element);
    ApplyStructureCaptions(form.structure);
}

void frmMolecule::ShowAtoms(int select) {
    lstElements_->clear();
    for (const AtomEntry& a : atoms_)
        lstElements_->addItem(QString::fromStdString(AtomListText(a)));
    if (select >= 0 && select < lstElements_->count()) {
        lstElements_->setCurrentRow(select);
        lstElements_->scrollToItem(lstElements_->item(select));
    }
}

void frmMolecule::ShowValues(const MoleculeFormValues& values) {
    atoms_ = values.atoms;
    ShowTexts(Centre(), values.centre);
    ShowTexts(Galaxy(), values.galaxy);
    ShowAtoms(-1);
}

MoleculeFormValues frmMolecule::Values() const {
    MoleculeFormValues v;
    v.atoms = atoms_;
    v.centre = TextsOf(Centre());
    v.galaxy = TextsOf(Galaxy());
    return v;
}

std::string_view frmMolecule::ApplyTheme(int theme) {
    MoleculeFormValues values = Values();
    ApplyMoleculeTheme(theme, values);
    ShowValues(values);
    return MoleculeThemeDescription(theme);
}

bool frmMolecule::Act(AtomAction action) {
    BoundFocusedField();
    std::set<int> selected;
    for (const QListWidgetItem* item : lstElements_->selectedItems())
        selected.insert(lstElements_->row(item));
    const AtomFormValues form = AtomForm();
    const std::string refusal = AtomActionRefusal(action, form, static_cast<int>(atoms_.size()),
                                                  static_cast<int>(selected.size()));
    if (!refusal.empty()) {
        ShowInformation(this, QString::fromStdString(refusal));
        return false;
    }
    MoleculeFormValues values = Values();
    int select = -1;
    switch (action) {
        case AtomAction::kAdd:
            AddAtom(values, AtomOfForm(form));
            select = static_cast<int>(values.atoms.size()) - 1;
            break;
        case AtomAction::kUpdate: {
            // The atom last picked, when it is among the selected ones.
            const int current = lstElements_->currentRow();
            select = selected.count(current) != 0 ? current : *selected.begin();
            UpdateAtom(values, select, AtomOfForm(form));
            break;
        }
        case AtomAction::kRemove:
            RemoveAtoms(values, selected);
            break;
    }
    atoms_ = values.atoms;
    ShowAtoms(select);
    return true;
}

bool frmMolecule::PutEdits(GalaxyType& type) {
    if (atoms_.empty()) {
        ShowInformation(this, QString::fromStdString(NoAtomsMessage()));
        return false;
    }
    PutMolecule(Values(), type);
    return true;
}

}  // namespace orrelume
