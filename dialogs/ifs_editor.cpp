#include "dialogs/ifs_editor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/companion_parts.h"
#include "dialogs/editor_themes.h"
#include "ui/message_box.h"

namespace orrelume {

using namespace companion;

frmUserDefIFS::frmUserDefIFS(SettingsStore& store, SettingsSet& set, int slot,
                             const DialogPreviewValues& preview, QWidget* parent)
    : ThemedEditor({"frmUserDefIFS", "User Defined Iterated Function System (IFS)", "General\\IFS",
                    "Preview I.F.S.", kStyleUserIfs},
                   store, set, slot, preview, parent) {
    Build();
    ShowValues(ShowIfsTable(EditedType()));
    Place();
}

void frmUserDefIFS::Build() {
    MakeThemeLine(kIfsThemeNames);
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

    left->addLayout(MakeCentreAndGalaxy());
    left->addStretch(1);

    MakePreview("Preview");
    MakeClearAndButtonRow(HelpTopic::UserDefinedIfs);
}

void frmUserDefIFS::Clear() {
    IfsFormValues values = Values();
    ClearIfsRows(values);
    ShowValues(values);
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
    v.centre = TextsOf(Centre());
    v.galaxy = TextsOf(Galaxy());
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
    ShowTexts(Centre(), values.centre);
    ShowTexts(Galaxy(), values.galaxy);
}

std::string_view frmUserDefIFS::ApplyTheme(int theme) {
    IfsFormValues values = Values();
    ApplyIfsTheme(theme, values);
    ShowValues(values);
    return IfsThemeDescription(theme);
}

bool frmUserDefIFS::PutEdits(GalaxyType& type) {
    const IfsTable table = CollectIfsTable(Values());
    if (!IfsTableUsable(table)) {
        ShowInformation(this, QString::fromStdString(TooFewPointsMessage()));
        return false;
    }
    PutIfsTable(table, TextsOf(Galaxy()), type);
    return true;
}

}  // namespace orrelume
