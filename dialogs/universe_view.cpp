#include "dialogs/universe_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "dialogs/composite_editor.h"
#include "dialogs/type_lists.h"
#include "dialogs/universe_form.h"
#include "dialogs/universe_rows.h"
#include "settings/factory_themes.h"
#include "ui/field_rules.h"
#include "ui/message_box.h"
#include "ui/pictures.h"
#include "ui/widgets.h"

namespace orrelume {

namespace {

constexpr int kCompositePage = static_cast<int>(UniversePage::kComposite);
// Rows a list shows at least, so that it is a list and not a slit.
constexpr int kGalaxyListRows = 10;
// The styles whose galaxies have a shape profile to draw.
bool HasShapeProfile(int16_t style) {
    return style == kStyleStandard || style == kStyleIfsPointAttractor || style == kStyleQuasar ||
           style == kStyleGraviton;
}

// One width for every universe field, so that they stand in one column.
constexpr int kUniverseFieldCharacters = 7;

}  // namespace

struct UniverseView::Parts {
    std::array<QLineEdit*, kUniverseFieldSlots> fields{};
    std::array<QLabel*, kUniverseFieldSlots> labels{};
    QComboBox* theme = nullptr;
    QComboBox* extras = nullptr;
    QStackedWidget* pages = nullptr;
    QComboBox* profile = nullptr;
    PictureBox* profilePicture = nullptr;
    PictureBox* ramp = nullptr;
    QCheckBox* tour = nullptr;
    QCheckBox* visitSeq = nullptr;
    QCheckBox* rotCamera = nullptr;
    QGroupBox* tripScript = nullptr;
    QComboBox* tourList = nullptr;

    QListWidget* galaxies = nullptr;
    QLineEdit* galaxyName = nullptr;
    QLineEdit* galaxyPercent = nullptr;
    QLineEdit* resetGalaxyPercent = nullptr;

    CompositeEditor* compositeEditor = nullptr;

    QGroupBox* copyPanel = nullptr;
    // Every control that takes the focus, in the order the eye reads them.
    std::vector<QWidget*> focusOrder;

    int nameWidth = 0;
    TextWidth widthOf;
};

UniverseView::UniverseView(SettingsSet& set, QWidget* parent)
    : QWidget(parent), set_(set), parts_(new Parts) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    row->addLayout(left, 3);
    row->addLayout(right, 2);
    BuildUniverseFrame(*left);
    BuildGalaxyTypesFrame(*right);

    parts_->copyPanel = MakeFrame(this, "Copy Galaxy Props to All Types", "fraPropCopy");
    auto* copyLayout = new QVBoxLayout(parts_->copyPanel);
    copyLayout->addStretch();
    // Room for the property list, its value and the copy button.
    parts_->copyPanel->setMinimumHeight(fontMetrics().height() * 6);
    right->addWidget(parts_->copyPanel);

    for (size_t i = 1; i < parts_->focusOrder.size(); ++i)
        setTabOrder(parts_->focusOrder[i - 1], parts_->focusOrder[i]);

    RefreshLists();
    ShowUniverseValues(set_.universe);
    ShowFirstExtrasPage();
}

UniverseView::~UniverseView() {
    delete parts_;
}

// ---------------------------------------------------------------- building

void UniverseView::AddFieldRow(QGridLayout& grid, int index) {
    const UniverseFormField* field = FindUniverseFormField(index);
    if (field == nullptr) return;
    const int row = grid.rowCount();
    auto* label = new QLabel(Q(field->caption));
    label->setObjectName(QStringLiteral("lblUni_%1").arg(index));
    grid.addWidget(label, row, 0);
    parts_->labels[static_cast<size_t>(index)] = label;

    auto* fields = new QHBoxLayout;
    fields->setSpacing(fontMetrics().height() / 4);
    grid.addLayout(fields, row, 1);
    std::vector<const UniverseFormField*> members{field};
    if (const UniverseFormField* next = FindUniverseFormField(index + 1);
        next != nullptr && next->caption.empty())
        members.push_back(next);
    for (const UniverseFormField* member : members) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("txtUni_%1").arg(member->index));
        NameForReaders(*edit, Q(field->caption), Q(member->word));
        std::optional<ArrowKeys> arrows;
        if (member->arrowStep != 0)
            arrows = ArrowKeys{member->arrowStep, member->arrowLower, member->arrowUpper};
        ApplyFieldRules(*edit, member->typing,
                        FieldBounds{member->kind, member->lower, member->upper}, arrows);
        SizeForDigits(*edit, kUniverseFieldCharacters);
        fields->addWidget(edit);
        parts_->fields[static_cast<size_t>(member->index)] = edit;
        parts_->focusOrder.push_back(edit);
        if (member->spinLength > 0) {
            auto* spin = new SpinButton;
            spin->setObjectName(QStringLiteral("spnUni_%1").arg(member->index));
            fields->addWidget(spin);
            BindSpinField(*edit, *spin, static_cast<int32_t>(member->lower),
                          static_cast<int32_t>(member->upper), member->spinLength);
        }
        if (members.size() > 1 && member == members.front())
            fields->addSpacing(fontMetrics().height());
    }
    fields->addStretch();
    label->setBuddy(parts_->fields[static_cast<size_t>(index)]);
}

void UniverseView::BuildUniverseFrame(QBoxLayout& column) {
    QGroupBox* frame = MakeFrame(this, kUniversePropsCaption, "fraUniverseProps");
    column.addWidget(frame);
    auto* layout = new QVBoxLayout(frame);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    for (int index : {0, 1, 2})
        AddFieldRow(*grid, index);

    auto* themeLabel = new QLabel(Q(kUniverseThemeCaption));
    themeLabel->setObjectName(QStringLiteral("lblUniTheme"));
    parts_->theme = new QComboBox;
    parts_->theme->setObjectName(QStringLiteral("cboUniTheme"));
    parts_->theme->addItem(Q(kUniverseThemeNone));
    for (int theme = 1; theme <= kUniverseThemeCount; ++theme)
        parts_->theme->addItem(Q(UniverseThemeName(theme)));
    NameForReaders(*parts_->theme, themeLabel->text());
    themeLabel->setBuddy(parts_->theme);
    const int themeRow = grid->rowCount();
    grid->addWidget(themeLabel, themeRow, 0);
    grid->addWidget(parts_->theme, themeRow, 1);
    parts_->focusOrder.push_back(parts_->theme);
    connect(parts_->theme, &QComboBox::activated, this, [this](int item) {
        if (item >= 1 && item <= kUniverseThemeCount) emit universeThemeChosen(item);
    });

    parts_->extras = new QComboBox;
    parts_->extras->setObjectName(QStringLiteral("cboUniExtras"));
    for (std::string_view name : kUniversePageNames)
        parts_->extras->addItem(Q(name));
    parts_->extras->setAccessibleName(QStringLiteral("Universe Properties Page"));
    layout->addWidget(parts_->extras);
    parts_->focusOrder.push_back(parts_->extras);

    parts_->pages = new QStackedWidget;
    parts_->pages->addWidget(BuildCreationPage());
    parts_->pages->addWidget(BuildNewAmbientPage());
    parts_->pages->addWidget(BuildTourPage());
    parts_->pages->addWidget(BuildCompositePage());
    parts_->pages->addWidget(BuildGravityPage());
    for (int page = 0; page < parts_->pages->count(); ++page)
        parts_->pages->widget(page)->setObjectName(QStringLiteral("fraUniProp_%1").arg(page));
    layout->addWidget(parts_->pages, 1);
    connect(parts_->extras, &QComboBox::currentIndexChanged, this, &UniverseView::ShowPage);
}

QWidget* UniverseView::BuildCreationPage() {
    QVBoxLayout* layout = nullptr;
    QGridLayout* grid = nullptr;
    QWidget* page = MakeFieldPage({10, 11, 12, 14, 16}, layout, grid);

    parts_->ramp = new PictureBox;
    parts_->ramp->setObjectName(QStringLiteral("picColUni"));
    parts_->ramp->setAccessibleName(QStringLiteral("Universe hue ramp"));
    parts_->ramp->setMinimumHeight(fontMetrics().height());
    parts_->ramp->setMaximumHeight(fontMetrics().height() * 2);
    parts_->ramp->SetPainter([this](QPainter& painter, const QRect& area) {
        DrawUniverseRamp(painter, area, UniverseFieldValue(16), UniverseFieldValue(17));
    });
    grid->addWidget(parts_->ramp, grid->rowCount(), 0, 1, 2);
    for (int index : {16, 17})
        connect(parts_->fields[static_cast<size_t>(index)], &QLineEdit::textChanged, parts_->ramp,
                qOverload<>(&QWidget::update));
    AddFieldRow(*grid, 18);

    auto* profileLabel = new QLabel(Q(kUniverseProfileCaption));
    profileLabel->setObjectName(QStringLiteral("lblUniProfile"));
    parts_->profile = new QComboBox;
    parts_->profile->setObjectName(QStringLiteral("cboUniProfile"));
    parts_->profile->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    parts_->profile->setMinimumContentsLength(24);
    NameForReaders(*parts_->profile, profileLabel->text());
    profileLabel->setBuddy(parts_->profile);
    for (int item = 0; item < kGalaxyTypeCount; ++item)
        parts_->profile->addItem(QString());
    parts_->profile->addItem(Q(kCycleRandomly));
    parts_->profile->addItem(Q(kCycleSequentially));
    parts_->focusOrder.push_back(parts_->profile);
    parts_->profilePicture = new PictureBox;
    parts_->profilePicture->setObjectName(QStringLiteral("picUniProfile"));
    parts_->profilePicture->setAccessibleName(QStringLiteral("Universe profile shape"));
    const int h = fontMetrics().height();
    parts_->profilePicture->setFixedSize(h * 5, h * 2);
    parts_->profilePicture->SetPainter([this](QPainter& painter, const QRect& area) {
        const int item = parts_->profile->currentIndex();
        if (item < 0 || item >= kGalaxyTypeCount) return;
        const GalaxyType& type = set_.types[static_cast<size_t>(item)];
        if (HasShapeProfile(type.galStyle))
            DrawShapeProfile(painter, area, std::clamp<int>(type.profile, 0, 6));
    });
    connect(parts_->profile, &QComboBox::currentIndexChanged, parts_->profilePicture,
            qOverload<>(&QWidget::update));
    const int row = grid->rowCount();
    grid->addWidget(profileLabel, row, 0);
    auto* profileRow = new QHBoxLayout;
    profileRow->addWidget(parts_->profile, 1);
    profileRow->addWidget(parts_->profilePicture);
    grid->addLayout(profileRow, row, 1);
    layout->addStretch();
    return page;
}

QWidget* UniverseView::MakeFieldPage(std::initializer_list<int> fields, QVBoxLayout*& layout,
                                     QGridLayout*& grid) {
    auto* page = new QWidget;
    layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    for (int index : fields)
        AddFieldRow(*grid, index);
    return page;
}

QWidget* UniverseView::BuildNewAmbientPage() {
    QVBoxLayout* layout = nullptr;
    QGridLayout* grid = nullptr;
    QWidget* page = MakeFieldPage({20, 21}, layout, grid);
    QGroupBox* ambient = MakeFrame(page, kAmbientCaption, "fraAmbient");
    auto* ambientGrid = new QGridLayout(ambient);
    ambientGrid->setColumnStretch(1, 1);
    for (int index : {40, 41, 42, 43, 44})
        AddFieldRow(*ambientGrid, index);
    layout->addWidget(ambient);
    layout->addStretch();
    return page;
}

QWidget* UniverseView::BuildTourPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    parts_->tour = new QCheckBox(Q(kTourCaption));
    parts_->tour->setObjectName(QStringLiteral("chkUniTour"));
    NameForReaders(*parts_->tour, parts_->tour->text());
    layout->addWidget(parts_->tour);
    parts_->focusOrder.push_back(parts_->tour);

    QGroupBox* tourFrame = MakeFrame(page, "", "fraUniTour");
    auto* tourLayout = new QVBoxLayout(tourFrame);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    tourLayout->addLayout(grid);
    for (int index : {30, 31, 32, 33})
        AddFieldRow(*grid, index);

    QGroupBox* rotFrame = MakeFrame(tourFrame, "", "fraRotCam");
    auto* rotLayout = new QVBoxLayout(rotFrame);
    parts_->rotCamera = new QCheckBox(Q(kRotCameraCaption));
    parts_->rotCamera->setObjectName(QStringLiteral("chkRotCamera"));
    NameForReaders(*parts_->rotCamera, parts_->rotCamera->text());
    rotLayout->addWidget(parts_->rotCamera);
    parts_->focusOrder.push_back(parts_->rotCamera);
    auto* rotGrid = new QGridLayout;
    rotGrid->setColumnStretch(1, 1);
    rotLayout->addLayout(rotGrid);
    AddFieldRow(*rotGrid, 34);
    tourLayout->addWidget(rotFrame);

    parts_->visitSeq = new QCheckBox(Q(kVisitSeqCaption));
    parts_->visitSeq->setObjectName(QStringLiteral("chkVisitSeq"));
    NameForReaders(*parts_->visitSeq, parts_->visitSeq->text());
    tourLayout->addWidget(parts_->visitSeq);
    parts_->focusOrder.push_back(parts_->visitSeq);

    parts_->tripScript = MakeFrame(tourFrame, kTripScriptCaption, "fraTripScript");
    auto* tripLayout = new QVBoxLayout(parts_->tripScript);
    parts_->tourList = new QComboBox;
    parts_->tourList->setObjectName(QStringLiteral("cboTourGalaxies"));
    parts_->tourList->setEditable(true);
    parts_->tourList->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view entry : kOfferedTourLists)
        parts_->tourList->addItem(Q(entry));
    NameForReaders(*parts_->tourList, Q(kTripScriptCaption));
    NameForReaders(*parts_->tourList->lineEdit(), Q(kTripScriptCaption));
    tripLayout->addWidget(parts_->tourList);
    tourLayout->addWidget(parts_->tripScript);
    parts_->focusOrder.push_back(parts_->tourList);
    layout->addWidget(tourFrame);
    layout->addStretch();

    for (QCheckBox* box : {parts_->tour, parts_->visitSeq, parts_->rotCamera})
        connect(box, &QCheckBox::toggled, this, &UniverseView::RefreshTourEnabling);
    return page;
}

QWidget* UniverseView::BuildCompositePage() {
    parts_->compositeEditor = new CompositeEditor(
        set_, [this](int slot) { return CompositeEntry(slot); }, parts_->focusOrder);
    connect(parts_->compositeEditor, &CompositeEditor::previewToggled, this,
            [this] { emit compositePreviewToggled(); });
    return parts_->compositeEditor;
}

QWidget* UniverseView::BuildGravityPage() {
    QVBoxLayout* layout = nullptr;
    QGridLayout* grid = nullptr;
    QWidget* page = MakeFieldPage({50, 51}, layout, grid);
    auto* warning = new QLabel(Q(GravityWarningText()));
    warning->setObjectName(QStringLiteral("lblGravityWarning"));
    warning->setWordWrap(true);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(warning);
    layout->addStretch();
    return page;
}

void UniverseView::BuildGalaxyTypesFrame(QBoxLayout& column) {
    QGroupBox* frame = MakeFrame(this, "Galaxy Types", "fraGalaxyTypes");
    column.addWidget(frame, 1);
    auto* layout = new QVBoxLayout(frame);
    parts_->galaxies = new QListWidget;
    parts_->galaxies->setObjectName(QStringLiteral("lstUniGalaxy"));
    parts_->galaxies->setAccessibleName(QStringLiteral("Galaxy Types"));
    for (int type = 0; type < kGalaxyTypeCount; ++type)
        parts_->galaxies->addItem(QString());
    SetListRows(*parts_->galaxies, kGalaxyListRows);
    layout->addWidget(parts_->galaxies, 1);
    parts_->focusOrder.push_back(parts_->galaxies);

    // The entries' names are padded to a width in the list's own font.
    const QListWidget* list = parts_->galaxies;
    parts_->nameWidth = ListEntryNameWidth(list->logicalDpiX());
    parts_->widthOf = [list](std::string_view text) {
        return list->fontMetrics().horizontalAdvance(Q(text));
    };
    const int percentWidth = list->fontMetrics().horizontalAdvance(QStringLiteral("   9999"));
    const int listWidth = parts_->nameWidth + percentWidth + list->fontMetrics().height() * 2;
    parts_->galaxies->setMinimumWidth(listWidth);

    auto* selectedLabel =
        new QLabel(QStringLiteral("Selected Galaxy Name and Relative Percent in Universe:"));
    selectedLabel->setObjectName(QStringLiteral("lblUniGalSel"));
    selectedLabel->setWordWrap(true);
    layout->addWidget(selectedLabel);
    const NamePercentRow galaxyRow = AddNamePercentRow(
        *layout, *selectedLabel,
        {"txtUniGalName", "txtUniGalPct", "spnUniGalPct", kGalaxyNameRefused}, parts_->focusOrder);
    parts_->galaxyName = galaxyRow.name;
    parts_->galaxyPercent = galaxyRow.percent;

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    auto* commit = MakeButton(frame, "Commit", "cmdGalCommit");
    auto* reset = MakeButton(frame, "Reset %", "cmdResetGalPct");
    parts_->resetGalaxyPercent = new QLineEdit;
    parts_->resetGalaxyPercent->setObjectName(QStringLiteral("txtResetGalPct"));
    NameForReaders(*parts_->resetGalaxyPercent, reset->text(), QStringLiteral("Value"));
    ApplyFieldRules(*parts_->resetGalaxyPercent, Typing::Digits);
    SizeForDigits(*parts_->resetGalaxyPercent, 5);
    auto* props = MakeButton(frame, "Show Props", "cmdGalProps");
    buttons->addWidget(commit);
    buttons->addWidget(reset);
    buttons->addWidget(parts_->resetGalaxyPercent);
    buttons->addStretch();
    buttons->addWidget(props);
    for (QWidget* w :
         {static_cast<QWidget*>(commit), static_cast<QWidget*>(reset),
          static_cast<QWidget*>(parts_->resetGalaxyPercent), static_cast<QWidget*>(props)})
        parts_->focusOrder.push_back(w);

    connect(parts_->galaxies, &QListWidget::itemSelectionChanged, this,
            &UniverseView::FillGalaxyFields);
    connect(parts_->galaxies, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit galaxyTypeOpened(parts_->galaxies->row(item)); });
    connect(commit, &QPushButton::clicked, this, &UniverseView::CommitGalaxy);
    connect(reset, &QPushButton::clicked, this, &UniverseView::ResetGalaxyPercents);
    connect(props, &QPushButton::clicked, this, &UniverseView::ShowGalaxyProps);
}

// ---------------------------------------------------------------- universe values

void UniverseView::ShowUniverseValues(const UniverseSettings& universe) {
    const UniverseControlValues controls = ShowUniverseControls(universe);
    for (const UniverseFormField& field : UniverseFormFields())
        parts_->fields[static_cast<size_t>(field.index)]->setText(
            Q(controls.texts[static_cast<size_t>(field.index)]));
    parts_->profile->setCurrentIndex(controls.profile);
    parts_->tour->setChecked(controls.tour);
    parts_->visitSeq->setChecked(controls.visitSeq);
    parts_->rotCamera->setChecked(controls.rotCam);
    parts_->tourList->setEditText(Q(controls.tourList));
    RefreshTourEnabling();
    parts_->ramp->update();
    parts_->profilePicture->update();
}

namespace {

UniverseControlValues ReadControls(const std::array<QLineEdit*, kUniverseFieldSlots>& fields,
                                   const QComboBox& profile, const QCheckBox& tour,
                                   const QCheckBox& visitSeq, const QCheckBox& rotCamera,
                                   const QComboBox& tourList) {
    UniverseControlValues controls;
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i] != nullptr) controls.texts[i] = fields[i]->text().toStdString();
    controls.profile = profile.currentIndex();
    controls.tour = tour.isChecked();
    controls.visitSeq = visitSeq.isChecked();
    controls.rotCam = rotCamera.isChecked();
    controls.tourList = tourList.currentText().toStdString();
    return controls;
}

}  // namespace

UniverseSettings UniverseView::TakeUniverseValues(const UniverseSettings& base) const {
    return TakeUniverseControls(
        ReadControls(parts_->fields, *parts_->profile, *parts_->tour, *parts_->visitSeq,
                     *parts_->rotCamera, *parts_->tourList),
        base);
}

UniverseSettings UniverseView::PreviewUniverseValues(const UniverseSettings& base) const {
    return PreviewUniverseControls(
        ReadControls(parts_->fields, *parts_->profile, *parts_->tour, *parts_->visitSeq,
                     *parts_->rotCamera, *parts_->tourList),
        base);
}

int32_t UniverseView::UniverseFieldValue(int index) const {
    if (index < 0 || index >= kUniverseFieldSlots) return 0;
    const QLineEdit* field = parts_->fields[static_cast<size_t>(index)];
    return field == nullptr ? 0 : FieldInteger(field->text().toStdString());
}

void UniverseView::RefreshTourEnabling() {
    const TourEnabling enabling = TourControlsEnabled(
        parts_->tour->isChecked(), parts_->visitSeq->isChecked(), parts_->rotCamera->isChecked());
    for (int index : {30, 31, 32}) {
        parts_->labels[static_cast<size_t>(index)]->setEnabled(enabling.tourFields);
        parts_->fields[static_cast<size_t>(index)]->setEnabled(enabling.tourFields);
    }
    parts_->visitSeq->setEnabled(enabling.tourFields);
    parts_->rotCamera->setEnabled(enabling.tourFields);
    parts_->labels[34]->setEnabled(enabling.rampField);
    parts_->fields[34]->setEnabled(enabling.rampField);
    parts_->tripScript->setEnabled(enabling.tripScript);
    parts_->tourList->setEnabled(enabling.tourList);
}

void UniverseView::ShowUniverseThemePosition(int position) {
    parts_->theme->setCurrentIndex(std::clamp(position, 0, kUniverseThemeCount));
}

void UniverseView::ShowFirstExtrasPage() {
    parts_->extras->setCurrentIndex(0);
    ShowPage(0);
}

void UniverseView::ShowPage(int page) {
    if (page < 0 || page >= parts_->pages->count()) return;
    parts_->pages->setCurrentIndex(page);
    RefreshEnabling();
    if (page == kCompositePage) RefreshCompositeEntries();
}

void UniverseView::RefreshEnabling() {
    // Only the page in front takes input.
    const int front = parts_->pages->currentIndex();
    for (int i = 0; i < parts_->pages->count(); ++i)
        parts_->pages->widget(i)->setEnabled(i == front);
    RefreshTourEnabling();
}

// ---------------------------------------------------------------- lists

QString UniverseView::GalaxyEntry(int type) const {
    return Q(
        GalaxyEntryText(set_.types[static_cast<size_t>(type)], parts_->nameWidth, parts_->widthOf));
}

QString UniverseView::CompositeEntry(int slot) const {
    return Q(CompositeEntryText(set_.composites[static_cast<size_t>(slot)], slot, parts_->nameWidth,
                                parts_->widthOf));
}

void UniverseView::RefreshLists() {
    RefreshGalaxyEntries();
    RefreshCompositeEntries();
    // A type's style may have changed with the records.
    parts_->compositeEditor->MarkIfsTypes();
}

void UniverseView::RefreshGalaxyEntries() {
    for (int type = 0; type < kGalaxyTypeCount; ++type)
        RefreshTypeNames(type);
}

void UniverseView::RefreshGalaxyEntry(int type) {
    if (type < 0 || type >= kGalaxyTypeCount) return;
    RefreshTypeNames(type);
}

// Every place a type is named: its entry, the universe profile list and the
// composite editor's major and minor lists; its profile picture may change.
void UniverseView::RefreshTypeNames(int type) {
    const QString entry = GalaxyEntry(type);
    parts_->galaxies->item(type)->setText(entry);
    parts_->profile->setItemText(type, Q(ProfileEntryText(entry.toStdString())));
    const QString name = Q(set_.types[static_cast<size_t>(type)].name);
    parts_->compositeEditor->ShowTypeName(type, name);
    parts_->profilePicture->update();
}

void UniverseView::RefreshCompositeEntries() {
    parts_->compositeEditor->RefreshEntries();
}

namespace {

int SelectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> items = list.selectedItems();
    return items.isEmpty() ? -1 : list.row(items.first());
}

}  // namespace

int UniverseView::SelectedGalaxyType() const {
    return SelectedRow(*parts_->galaxies);
}

int UniverseView::SelectedComposite() const {
    return parts_->compositeEditor->Selected();
}

void UniverseView::SelectFirstGalaxyType() {
    parts_->galaxies->scrollToTop();
    parts_->galaxies->setCurrentRow(0);
    FillGalaxyFields();
}

void UniverseView::Inform(std::string_view text) {
    ShowInformation(this, Q(text));
}

void UniverseView::FillGalaxyFields() {
    const int type = SelectedGalaxyType();
    if (type < 0) return;
    const ListEntryParts entry = ReadListEntry(parts_->galaxies->item(type)->text().toStdString());
    parts_->galaxyName->setText(Q(entry.name));
    parts_->galaxyPercent->setText(Q(entry.percent));
}

void UniverseView::CommitGalaxy() {
    const int type = SelectedGalaxyType();
    if (type < 0) return;
    const std::string percent = CommitGalaxyEntry(set_.types[static_cast<size_t>(type)],
                                                  parts_->galaxyName->text().toStdString(),
                                                  parts_->galaxyPercent->text().toStdString());
    parts_->galaxyPercent->setText(Q(percent));
    RefreshTypeNames(type);
}

void UniverseView::ResetGalaxyPercents() {
    const std::optional<int16_t> percent =
        ResetPercentValue(parts_->resetGalaxyPercent->text().toStdString());
    if (!percent) {
        Inform(kResetValueMessage);
        parts_->resetGalaxyPercent->setFocus();
        return;
    }
    orrelume::ResetGalaxyPercents(set_.types, *percent);
    RefreshGalaxyEntries();
    SelectFirstGalaxyType();
}

void UniverseView::ShowGalaxyProps() {
    const int type = SelectedGalaxyType();
    if (type < 0) {
        Inform(kSelectProfileMessage);
        parts_->galaxies->setFocus();
        return;
    }
    emit galaxyTypeOpened(type);
}

void UniverseView::ClearCompositeSelection() {
    parts_->compositeEditor->Clear();
}

// ---------------------------------------------------------------- access

QListWidget& UniverseView::GalaxyList() const {
    return *parts_->galaxies;
}

QListWidget& UniverseView::CompositeList() const {
    return parts_->compositeEditor->List();
}

QPushButton& UniverseView::PreviewCompButton() const {
    return parts_->compositeEditor->PreviewButton();
}

QWidget& UniverseView::CopyPanelPlace() const {
    return *parts_->copyPanel;
}

}  // namespace orrelume
