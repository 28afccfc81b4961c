#include "dialogs/ifs_editor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/companion_parts.h"
#include "dialogs/editor_themes.h"
#include "ui/message_box.h"

namespace orrelume {

using namespace companion;

namespace {

constexpr std::string_view kPreviewCaption = "Preview I.F.S.";

}  // namespace

frmUserDefIFS::frmUserDefIFS(SettingsStore& store, SettingsSet& set, int slot,
                             const DialogPreviewValues& preview, QWidget* parent)
    : CompanionWindow(store, set, slot, preview, "frmUserDefIFS", kIfsPlacementSection, parent) {
    setWindowTitle(QStringLiteral("User Defined Iterated Function System (IFS)"));
    Build();
    ShowValues(ShowIfsTable(EditedType()));
    Place();
}

frmUserDefIFS::~frmUserDefIFS() = default;

void frmUserDefIFS::Build() {
    Outer().addLayout(MakeThemeLine(this, kIfsThemeNames, cboTheme_, lblThemeDesc_));

    QVBoxLayout* left = MakeColumns();

    // The points: a heading of two lines over each column, then one row per
    // point, made row by row so that the keyboard visits them so.
    QGroupBox* points = MakeFrame(this, "Attractor Points", "fraPoints");
    auto* grid = new QGridLayout(points);
    for (int c = 0; c < kIfsColumns; ++c) {
        const IfsColumnInfo& info = kIfsColumnInfo[static_cast<size_t>(c)];
        const QString name = Q(info.objectName).mid(3);
        grid->addWidget(MakeLabel(points, info.caption, ("lbl" + name).toStdString()), 0, c + 1);
        grid->addWidget(MakeLabel(points, info.range, ("lbl" + name + "Range").toStdString()), 1,
                        c + 1);
    }
    for (int r = 0; r < kMaxIfsPoints; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        const QString point = QStringLiteral("Point %1").arg(r + 1);
        QLabel* label = MakeLabel(points, QString::number(r + 1).toStdString(),
                                  Indexed("lblPoint", r).toStdString());
        grid->addWidget(label, r + 2, 0);
        for (int c = 0; c < kIfsColumns; ++c) {
            const IfsColumnInfo& info = kIfsColumnInfo[static_cast<size_t>(c)];
            const QString reader =
                point + QLatin1Char(' ') + Q(info.caption) + QLatin1Char(' ') + Q(info.range);
            if (c == kIfsAxis) {
                row.axis = new QComboBox(points);
                row.axis->setObjectName(Indexed(info.objectName, r));
                for (std::string_view axis : kIfsAxisNames)
                    row.axis->addItem(Q(axis));
                NameForReaders(*row.axis, reader);
                grid->addWidget(row.axis, r + 2, c + 1);
                continue;
            }
            QLineEdit* box = MakeNumberField(
                points, Indexed(info.objectName, r).toStdString(), reader, Typing::Digits,
                FieldBounds{BoundKind::Int16, 0, static_cast<double>(info.upper)},
                info.upper > 999 ? 4 : 3);
            row.boxes[static_cast<size_t>(c)] = box;
            grid->addWidget(box, r + 2, c + 1);
        }
        label->setBuddy(row.boxes[kIfsLocX]);
    }
    grid->setColumnStretch(kIfsColumns + 1, 1);
    left->addWidget(points);

    left->addLayout(MakeCentreAndGalaxyFrames(this, centre_, galaxy_));
    left->addStretch(1);

    MakePreview("Preview", kPreviewCaption);

    cmdClear_ = MakeButton(this, "Clear", "cmdClear");
    Outer().addLayout(MakeButtonRow(cmdClear_, HelpTopic::UserDefinedIfs));

    connect(cboTheme_, &QComboBox::activated, this, [this](int item) { ChooseTheme(item - 1); });
    connect(cmdClear_, &QPushButton::clicked, this, [this] {
        IfsFormValues values = Values();
        ClearIfsRows(values);
        ShowValues(values);
    });
}

IfsFormValues frmUserDefIFS::Values() const {
    IfsFormValues v;
    for (size_t r = 0; r < rows_.size(); ++r) {
        for (size_t c = 0; c < kIfsColumns; ++c) {
            if (rows_[r].boxes[c] != nullptr)
                v.rows[r].texts[c] = rows_[r].boxes[c]->text().toStdString();
        }
        v.rows[r].axis = rows_[r].axis->currentIndex();
    }
    v.centre = TextsOf(centre_);
    v.galaxy = TextsOf(galaxy_);
    return v;
}

void frmUserDefIFS::ShowValues(const IfsFormValues& values) {
    for (size_t r = 0; r < rows_.size(); ++r) {
        for (size_t c = 0; c < kIfsColumns; ++c) {
            if (rows_[r].boxes[c] != nullptr)
                rows_[r].boxes[c]->setText(QString::fromStdString(values.rows[r].texts[c]));
        }
        rows_[r].axis->setCurrentIndex(values.rows[r].axis);
    }
    ShowTexts(centre_, values.centre);
    ShowTexts(galaxy_, values.galaxy);
}

void frmUserDefIFS::ChooseTheme(int theme) {
    if (theme < 0 || theme >= kEditorThemeCount) return;
    cboTheme_->setCurrentIndex(theme + 1);
    IfsFormValues values = Values();
    ApplyIfsTheme(theme, values);
    ShowValues(values);
    lblThemeDesc_->setText(Q(IfsThemeDescription(theme)));
}

std::optional<IfsTable> frmUserDefIFS::UsableTable() {
    BoundFocusedField();
    const IfsTable table = CollectIfsTable(Values());
    if (IfsTableUsable(table)) return table;
    ShowInformation(this, QString::fromStdString(TooFewPointsMessage()));
    return std::nullopt;
}

bool frmUserDefIFS::Confirm() {
    if (PreviewRunning()) return false;
    const std::optional<IfsTable> table = UsableTable();
    if (!table) return false;
    PutIfsTable(*table, TextsOf(galaxy_), EditedType());
    accept();
    return true;
}

void frmUserDefIFS::StartPreview() {
    const std::optional<IfsTable> table = UsableTable();
    if (!table) return;
    // The preview runs on a copy of the records with the table in the
    // edited type, shown in its own style whatever the type's style is.
    auto scratch = std::make_unique<GalaxyTypeTable>(set_.types);
    GalaxyType& type = (*scratch)[static_cast<size_t>(slot_)];
    PutIfsTable(*table, TextsOf(galaxy_), type);
    type.galStyle = kStyleUserIfs;
    RunOnScratch(std::move(scratch));
}

}  // namespace orrelume
