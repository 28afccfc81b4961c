#include "dialogs/galaxy_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "dialogs/galaxy_grid.h"
#include "engine/colour.h"
#include "settings/factory_themes.h"
#include "settings/numeric.h"
#include "ui/field_rules.h"
#include "ui/pictures.h"
#include "ui/widgets.h"

namespace orrelume {

namespace {

constexpr std::string_view kColourFrameCaption =
    "Star Hue Computation Type / Multiplier (1 - 30000)";

template <size_t N>
QComboBox* MakeList(QWidget* parent, const QString& name,
                    const std::array<std::string_view, N>& items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (std::string_view item : items)
        list->addItem(Q(item));
    return list;
}

// A black box one text line high, a little wider than high.
PictureBox* MakeSwatch(QWidget* parent, const QString& name) {
    auto* box = new PictureBox(parent);
    box->setObjectName(name);
    const int h = box->fontMetrics().height();
    box->setFixedSize(h + h / 2, h);
    return box;
}

// A colour strip one text line high, named for readers by what it draws.
PictureBox* MakeStrip(QWidget* parent, const QString& name, const QString& readerName) {
    auto* box = new PictureBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(readerName);
    box->setFixedHeight(box->fontMetrics().height());
    return box;
}

// A cell holding controls side by side, with no gap between a field and its
// spin button.
QWidget* MakeCell(QWidget* parent) {
    auto* cell = new QWidget(parent);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    return cell;
}

void AddToCell(QWidget* cell, QWidget* w, int gapBefore = 0) {
    auto* row = static_cast<QHBoxLayout*>(cell->layout());
    if (gapBefore > 0) row->addSpacing(gapBefore);
    row->addWidget(w);
}

// One line of a grid of labelled fields: the label, then its controls each
// in a column of its own, aligned to the left of the column.
void Line(QGridLayout& grid, int line, QLabel* label, QWidget* first, QWidget* second = nullptr) {
    if (label != nullptr) grid.addWidget(label, line, 0);
    if (first != nullptr) grid.addWidget(first, line, 1, Qt::AlignLeft);
    if (second != nullptr) grid.addWidget(second, line, 2, Qt::AlignLeft);
}

QGridLayout* MakeGrid(QWidget* owner) {
    auto* grid = new QGridLayout(owner);
    grid->setColumnStretch(3, 1);
    return grid;
}

}  // namespace

struct GalaxyView::Parts {
    QComboBox* extras = nullptr;
    QStackedWidget* stack = nullptr;
    std::array<QWidget*, 3> pages{};

    std::array<QLineEdit*, kGridRowSlots> rows{};
    std::array<SpinButton*, kGridRowSlots> spins{};
    std::array<QLabel*, kGridRowSlots> labels{};
    std::array<QLineEdit*, kPixHueCount> hues{};
    std::array<SpinButton*, kPixHueCount> hueSpins{};
    std::array<PictureBox*, 4> swatches{};
    std::array<QWidget*, kGridRowSlots> cells{};

    QComboBox* theme = nullptr;
    QComboBox* style = nullptr;
    QComboBox* plane = nullptr;
    QComboBox* colour = nullptr;
    QComboBox* profile = nullptr;
    QComboBox* pulsarShape = nullptr;
    QLabel* otherColorCycles = nullptr;
    QCheckBox* closed = nullptr;
    QCheckBox* advHW = nullptr;
    QPushButton* levels = nullptr;
    QPushButton* userDefined = nullptr;
    PictureBox* galHue = nullptr;
    PictureBox* galProfile = nullptr;
    PictureBox* colNova = nullptr;
    // The left grid of the first page, whose ratio line changes its columns.
    QGridLayout* motionGrid = nullptr;
    QWidget* levelsOrForce = nullptr;  // the cell of rows 9 and 8
    static constexpr int kRatioLine = 4;

    // Focusable controls in the order the pages show them.
    std::vector<QWidget*> tabOrder;
    // The labels of grid rows, with the rows they serve and the words that
    // tell two rows apart.
    struct Labelled {
        QLabel* label;
        int first;
        std::string_view firstWord;
        int second;
        std::string_view secondWord;
    };
    std::vector<Labelled> labelled;

    // The type as last shown or taken: the base a theme is applied to. The
    // theme chosen since then brings what the grid cannot show.
    GalaxyType shown;
    std::optional<GalaxyType> chosenTheme;

    QLineEdit* MakeField(QWidget* parent, const GridRow& rule, const QString& name);
    // `list` as the buddy of `label`, named after it for screen readers and
    // next in the tab order.
    void LabelList(QLabel& label, QComboBox& list);
    // Row `row` of the grid in a cell of its own, with its spin button when
    // the row has one.
    QWidget* RowCell(QWidget* parent, int row);
    // Hue field `index` with its spin button and its swatch.
    QWidget* HueCell(QWidget* parent, int index);
    // A label for rows of the grid; it names them for screen readers.
    QLabel* RowLabel(QWidget* parent, int label, std::string_view caption, int first,
                     std::string_view firstWord = {}, int second = -1,
                     std::string_view secondWord = {});
    void NameRow(int row, std::string_view caption, std::string_view word = {});
    // A grid line of a label with its one or two rows, made in that order
    // (which is the order the keyboard visits them).
    void RowsLine(QGridLayout& grid, int line, QWidget* parent, int label, std::string_view caption,
                  int first, std::string_view firstWord = {}, int second = -1,
                  std::string_view secondWord = {});

    QWidget* BuildMotionPage(QWidget* parent);
    QWidget* BuildStarsPage(QWidget* parent);
    QWidget* BuildCometPage(QWidget* parent);

    void ShowPage(int page);
    void ApplyStyle(int style);
    void ShowValues(const GridValues& values);
    GridValues Values() const;
    void ChooseTheme(int item);
    void PaintGalaxyHue(QPainter& painter, const QRect& area) const;
    QLineEdit& Row(int row) const { return *rows[static_cast<size_t>(row)]; }
    int RowNumber(int row) const { return FieldInteger(Row(row).text().toStdString()); }
};

QLineEdit* GalaxyView::Parts::MakeField(QWidget* parent, const GridRow& rule, const QString& name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    std::optional<ArrowKeys> arrows;
    if (rule.arrows.step != 0)
        arrows = ArrowKeys{rule.arrows.step, rule.arrows.lower, rule.arrows.upper};
    ApplyFieldRules(*field, rule.typing, FieldBounds{rule.kind, rule.lower, rule.upper}, arrows);
    SizeForDigits(*field, rule.typing == Typing::Decimal ? 7 : 5);
    tabOrder.push_back(field);
    return field;
}

void GalaxyView::Parts::LabelList(QLabel& label, QComboBox& list) {
    tabOrder.push_back(&list);
    label.setBuddy(&list);
    NameForReaders(list, label.text());
}

QWidget* GalaxyView::Parts::RowCell(QWidget* parent, int row) {
    const GridRow* rule = FindGridRow(row);
    QWidget* cell = MakeCell(parent);
    const auto r = static_cast<size_t>(row);
    rows[r] = MakeField(cell, *rule, Indexed("txtGalaxy", row));
    AddToCell(cell, rows[r]);
    if (rule->spin.maxLength > 0) {
        spins[r] = new SpinButton(cell);
        spins[r]->setObjectName(Indexed("spnGalaxy", row));
        AddToCell(cell, spins[r]);
    }
    cells[r] = cell;
    return cell;
}

QWidget* GalaxyView::Parts::HueCell(QWidget* parent, int index) {
    const GridRow& rule = PixHueRows()[static_cast<size_t>(index)];
    QWidget* cell = MakeCell(parent);
    const auto i = static_cast<size_t>(index);
    hues[i] = MakeField(cell, rule, Indexed("txtPixHue", index));
    SizeForDigits(*hues[i], 3);
    AddToCell(cell, hues[i]);
    hueSpins[i] = new SpinButton(cell);
    hueSpins[i]->setObjectName(Indexed("spnPixHue", index));
    AddToCell(cell, hueSpins[i]);
    if (index < 4) {
        swatches[i] = MakeSwatch(cell, Indexed("picPixHue", index));
        AddToCell(cell, swatches[i], cell->fontMetrics().averageCharWidth());
    }
    return cell;
}

void GalaxyView::Parts::NameRow(int row, std::string_view caption, std::string_view word) {
    const auto r = static_cast<size_t>(row);
    if (rows[r] == nullptr) return;
    NameForReaders(*rows[r], Q(caption), Q(word));
    if (spins[r] != nullptr) spins[r]->SetFieldName(rows[r]->accessibleName());
}

QLabel* GalaxyView::Parts::RowLabel(QWidget* parent, int label, std::string_view caption, int first,
                                    std::string_view firstWord, int second,
                                    std::string_view secondWord) {
    QLabel* l = MakeLabel(parent, caption, Indexed("lblGalaxy", label));
    labels[static_cast<size_t>(label)] = l;
    // Its fields are made after it; they are named once they exist.
    labelled.push_back({l, first, firstWord, second, secondWord});
    return l;
}

void GalaxyView::Parts::RowsLine(QGridLayout& grid, int line, QWidget* parent, int label,
                                 std::string_view caption, int first, std::string_view firstWord,
                                 int second, std::string_view secondWord) {
    QLabel* l = RowLabel(parent, label, caption, first, firstWord, second, secondWord);
    QWidget* firstCell = RowCell(parent, first);
    QWidget* secondCell = second >= 0 ? RowCell(parent, second) : nullptr;
    Line(grid, line, l, firstCell, secondCell);
}

QWidget* GalaxyView::Parts::BuildMotionPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* outer = new QVBoxLayout(page);

    // The style and the theme decide everything below them.
    auto* top = new QHBoxLayout;
    outer->addLayout(top);
    QLabel* styleLabel = MakeLabel(page, "Style:", QStringLiteral("lblGalStyle"));
    style = MakeList(page, QStringLiteral("cboGalStyle"), kGalaxyStyleNames);
    LabelList(*styleLabel, *style);
    top->addWidget(styleLabel);
    top->addWidget(style);
    top->addSpacing(style->fontMetrics().height());

    QLabel* themeLabel = MakeLabel(page, "Theme:", QStringLiteral("lblGalTheme"));
    theme = new QComboBox(page);
    theme->setObjectName(QStringLiteral("cboGalTheme"));
    theme->addItem(QStringLiteral("< NONE >"));
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot)
        theme->addItem(Q(GalaxyPresetName(kPresetSet4x, slot)));
    theme->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    LabelList(*themeLabel, *theme);
    top->addWidget(themeLabel);
    top->addWidget(theme);
    top->addStretch(1);

    auto* columns = new QHBoxLayout;
    outer->addLayout(columns, 1);
    auto* left = new QGridLayout;
    left->setColumnStretch(3, 1);
    columns->addLayout(left);

    // The labels whose captions follow the style get them when a style is
    // applied; until then they read as the form was drawn.
    RowsLine(*left, 0, page, 0, GridLabelText(0, 0).caption, 0, {}, 1);
    QLabel* distance = RowLabel(page, 1, GridLabelText(1, 0).caption, 2);
    QWidget* distanceCell = RowCell(page, 2);
    plane = MakeList(page, QStringLiteral("cboGalPlane"), kAxialPlaneNames);
    tabOrder.push_back(plane);
    Line(*left, 1, distance, distanceCell, plane);
    RowsLine(*left, 2, page, 2, kShapeLabelFormCaption, 3, {}, 4);
    RowsLine(*left, 3, page, 3, GridLabelText(3, 0).caption, 5, {}, 6);

    // Levels (with the levels button) or the quasar speed or graviton force
    // share the first column; the height ratio follows them, or takes the
    // first column when the style has neither.
    QLabel* ratio = RowLabel(page, kRowHeightWidthRatio,
                             GridLabelText(kRowHeightWidthRatio, 1).caption, kRowHeightWidthRatio);
    QWidget* shared = MakeCell(page);
    QWidget* levelsCell = RowCell(shared, kRowLevels);
    SizeForDigits(Row(kRowLevels), 2);
    AddToCell(shared, levelsCell);
    levels = new QPushButton(QStringLiteral("..."), shared);
    levels->setObjectName(QStringLiteral("cmdGalLevels"));
    // Its caption says nothing: readers hear what it opens.
    levels->setAccessibleName(QStringLiteral("Galaxy Levels..."));
    levels->setAccessibleDescription(QStringLiteral("Opens the Galaxy Levels dialog"));
    levels->setToolTip(QStringLiteral("Galaxy Levels"));
    levels->setFixedWidth(levels->fontMetrics().horizontalAdvance(QStringLiteral("...")) +
                          levels->fontMetrics().height());
    tabOrder.push_back(levels);
    AddToCell(shared, levels, levels->fontMetrics().averageCharWidth());
    AddToCell(shared, RowCell(shared, kRowQuasarForce));
    QWidget* ratioCell = RowCell(page, kRowHeightWidthRatio);
    Line(*left, kRatioLine, ratio, shared, ratioCell);
    motionGrid = left;
    levelsOrForce = shared;

    int line = 5;
    for (int label : {91, 92, 93}) {
        RowsLine(*left, line++, page, label, GridLabelText(label, 0).caption, label);
    }
    RowsLine(*left, line++, page, 94, "Tilt Angle Increment in Degrees (0.0 - 360.0):", 94);
    left->setRowStretch(line, 1);

    auto* right = new QGridLayout;
    right->setColumnStretch(3, 1);
    columns->addLayout(right);
    RowsLine(*right, 0, page, 95, "Hue Wheel, Incr. (0 - 359):", 95, "Hue Wheel", 96, "Incr.");
    galHue = MakeStrip(page, QStringLiteral("picGalHue"), QStringLiteral("Galaxy hue wheel"));
    right->addWidget(galHue, 1, 1, 1, 3);

    QLabel* profileLabel = MakeLabel(page, "Galaxy Profile:", Indexed("lblGalaxy", kProfileLabel));
    labels[kProfileLabel] = profileLabel;
    profile = MakeList(page, QStringLiteral("cboGalProfile"), kShapeProfileNames);
    LabelList(*profileLabel, *profile);
    right->addWidget(profileLabel, 2, 0);
    right->addWidget(profile, 2, 1, 1, 3, Qt::AlignLeft);
    galProfile = new PictureBox(page);
    galProfile->setObjectName(QStringLiteral("picGalProfile"));
    galProfile->setAccessibleName(QStringLiteral("Galaxy profile drawing"));
    galProfile->setMinimumHeight(galProfile->fontMetrics().height() * 3);
    right->addWidget(galProfile, 3, 1, 1, 3);

    QGroupBox* frame = MakeFrame(page, Q(kColourFrameCaption), QStringLiteral("fraGalaxyColor"));
    auto* inFrame = MakeGrid(frame);
    QWidget* computation = MakeCell(frame);
    colour = MakeList(computation, QStringLiteral("cboGalColor"), kHueComputationNames);
    tabOrder.push_back(colour);
    NameForReaders(*colour, frame->title(), QStringLiteral("Type"));
    AddToCell(computation, colour);
    otherColorCycles = MakeLabel(computation, "", QStringLiteral("lblOtherColorCycles"));
    AddToCell(computation, otherColorCycles);
    AddToCell(computation, RowCell(computation, kRowColourMultiplier),
              computation->fontMetrics().averageCharWidth());
    inFrame->addWidget(computation, 0, 0, 1, -1, Qt::AlignLeft);
    NameRow(kRowColourMultiplier, kColourFrameCaption, "Multiplier");
    QLabel* rgb = MakeLabel(frame, "Red, Grn, Blu (0 - 100):", Indexed("lblPixHue", kPixHueRed));
    inFrame->addWidget(rgb, 1, 0);
    for (int i = 0; i < 3; ++i)
        inFrame->addWidget(HueCell(frame, i), 1, 1 + i, Qt::AlignLeft);
    QLabel* base =
        MakeLabel(frame, "Base (0 - 100), Blend (1 - 60):", Indexed("lblPixHue", kPixHueBase));
    inFrame->addWidget(base, 2, 0);
    inFrame->addWidget(HueCell(frame, 3), 2, 1, Qt::AlignLeft);
    inFrame->addWidget(HueCell(frame, 4), 2, 2, Qt::AlignLeft);
    static constexpr std::array<const char*, 5> kHueWords = {"Red", "Grn", "Blu", "Base", "Blend"};
    for (size_t i = 0; i < hues.size(); ++i) {
        NameForReaders(*hues[i], (i < 3 ? rgb : base)->text(), QLatin1String(kHueWords[i]));
        hueSpins[i]->SetFieldName(hues[i]->accessibleName());
    }
    rgb->setBuddy(hues[0]);
    base->setBuddy(hues[3]);
    right->addWidget(frame, 4, 0, 1, 4);

    auto* checks = new QHBoxLayout;
    closed = new QCheckBox(QStringLiteral("Control Point Loop is Closed?"), page);
    closed->setObjectName(QStringLiteral("chkCP_Closed"));
    tabOrder.push_back(closed);
    advHW = new QCheckBox(QStringLiteral("Adv. Hues?"), page);
    advHW->setObjectName(QStringLiteral("chkCP_AdvHW"));
    tabOrder.push_back(advHW);
    checks->addWidget(closed);
    checks->addWidget(advHW);
    checks->addStretch(1);
    right->addLayout(checks, 5, 0, 1, 4);

    userDefined = new QPushButton(page);
    userDefined->setObjectName(QStringLiteral("cmdIFS_Chem"));
    tabOrder.push_back(userDefined);
    right->addWidget(userDefined, 6, 0, 1, 4, Qt::AlignLeft);
    right->setRowStretch(7, 1);
    return page;
}

QWidget* GalaxyView::Parts::BuildStarsPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* columns = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);

    QGroupBox* fresh = MakeFrame(page, QStringLiteral("New Stars"), QStringLiteral("fraNewStars"));
    auto* grid = MakeGrid(fresh);
    RowsLine(*grid, 0, fresh, 10, "Frequency (0 - 9999):", 10);
    RowsLine(*grid, 1, fresh, 11, "Cycle Down Frames (0 - 99):", 11);
    RowsLine(*grid, 2, fresh, 12, "Maximum Extension Magnitude (1 - 9999):", 12);
    left->addWidget(fresh);

    QGroupBox* nova = MakeFrame(page, QStringLiteral("Nova Stars"), QStringLiteral("fraNovaStars"));
    grid = MakeGrid(nova);
    RowsLine(*grid, 0, nova, 20, "Freq. (0 - 9999), Frames (1 - 999):", 20, "Freq.", 21, "Frames");
    RowsLine(*grid, 1, nova, 22, "Maximum Extension Magnitude (1 - 9999):", 22);
    left->addWidget(nova);
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    columns->addLayout(right);
    QGroupBox* pulsars = MakeFrame(page, QStringLiteral("Pulsars"), QStringLiteral("fraPulsars"));
    grid = MakeGrid(pulsars);
    RowsLine(*grid, 0, pulsars, 30, "Frequency, Z-Depth (0 - 9999):", 30, "Frequency", 31,
             "Z-Depth");
    RowsLine(*grid, 1, pulsars, 32, "Cycles, Frames per Cycle (1 - 99):", 32, "Cycles", 33,
             "Frames per Cycle");
    RowsLine(*grid, 2, pulsars, 34, "Radius:  Starting, Ending (1 - 9999):", 34, "Starting", 35,
             "Ending");
    QLabel* shapeLabel = MakeLabel(pulsars, "Generalized Shape:", QStringLiteral("lblPulsarShape"));
    pulsarShape = MakeList(pulsars, QStringLiteral("cboPulsarShape"), kPulsarShapeNames);
    LabelList(*shapeLabel, *pulsarShape);
    grid->addWidget(shapeLabel, 3, 0);
    grid->addWidget(pulsarShape, 3, 1, 1, 2, Qt::AlignLeft);
    right->addWidget(pulsars);
    right->addStretch(1);
    return page;
}

QWidget* GalaxyView::Parts::BuildCometPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* columns = new QHBoxLayout(page);

    QGroupBox* props =
        MakeFrame(page, QStringLiteral("Comet Properties"), QStringLiteral("fraCometProps"));
    auto* grid = MakeGrid(props);
    static constexpr std::array<std::pair<int, std::string_view>, 7> kCometRows = {{
        {40, "Frequency (0 - 9999):"},
        {41, "Stars per Comet (1 - 999):"},
        {42, "Orbital Speed (0 - 9999):"},
        {43, "Expansion Rate (0 - 9999):"},
        {44, "Solar Wind Magnitude (0 - 9999):"},
        {45, "Comet Persistence (0.1 - 0.9999):"},
        {46, "Comet Star Persistence (0.1 - 0.9999):"},
    }};
    int line = 0;
    for (const auto& [row, caption] : kCometRows)
        RowsLine(*grid, line++, props, row, caption, row);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);
    left->addWidget(props);
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    columns->addLayout(right);
    QGroupBox* colours = MakeFrame(page, QStringLiteral("Comet and Nova Colors (0 - 999)"),
                                   QStringLiteral("fraCometColor"));
    grid = MakeGrid(colours);
    RowsLine(*grid, 0, colours, 47, "Hue Start, Hue End:", 47, "Hue Start", 48, "Hue End");
    colNova =
        MakeStrip(colours, QStringLiteral("picColNova"), QStringLiteral("Comet and nova colors"));
    grid->addWidget(colNova, 1, 1, 1, 3);
    RowsLine(*grid, 2, colours, 49, "Hue Wheel Rotation Increment (0.0 - 1.0):", 49);
    right->addWidget(colours);
    right->addStretch(1);
    return page;
}

void GalaxyView::Parts::ShowPage(int page) {
    page = std::clamp(page, 0, 2);
    stack->setCurrentIndex(page);
    for (int i = 0; i < 3; ++i)
        pages[static_cast<size_t>(i)]->setEnabled(i == page);
}

void GalaxyView::Parts::ApplyStyle(int style) {
    // Every label of the style-dependent rows takes its caption for this
    // style (the default where the style has none of its own).
    for (int label : {0, 1, 2, 3, 90, 91, 92, 93}) {
        const LabelText text = GridLabelText(label, style);
        QLabel* l = labels[static_cast<size_t>(label)];
        l->setText(Q(text.caption));
    }
    const LabelText size = GridLabelText(0, style);
    NameRow(0, size.caption, size.firstWord);
    NameRow(1, size.caption, size.secondWord);
    const LabelText distance = GridLabelText(1, style);
    NameRow(2, distance.caption, distance.firstWord);
    NameForReaders(*plane, Q(distance.caption), Q(distance.secondWord));
    const LabelText shapeA = GridLabelText(2, style);
    NameRow(3, shapeA.caption, shapeA.firstWord);
    NameRow(4, shapeA.caption, shapeA.secondWord);
    const LabelText shapeB = GridLabelText(3, style);
    NameRow(5, shapeB.caption, shapeB.firstWord);
    NameRow(6, shapeB.caption, shapeB.secondWord);
    const LabelText ratio = GridLabelText(90, style);
    NameRow(kRowQuasarForce, ratio.caption, ratio.firstWord);
    NameRow(kRowLevels, ratio.caption, ratio.firstWord);
    NameRow(kRowHeightWidthRatio, ratio.caption, ratio.secondWord);
    for (int label : {91, 92, 93})
        NameRow(label, GridLabelText(label, style).caption);

    // The rows whose range follows the style; their arrow keys and spin
    // buttons keep the fixed range of the grid.
    for (int row : {3, 4, 5, 6, 93}) {
        const RowBounds b = GridRowBounds(*FindGridRow(row), style);
        if (FieldRules* rules = FieldRules::Of(Row(row)))
            rules->SetBounds(FieldBounds{b.kind, b.lower, b.upper});
    }

    const GridVisibility v = GridVisibilityForStyle(style);
    const auto show = [](QWidget* w, bool visible) {
        if (w != nullptr) w->setHidden(!visible);
    };
    show(labels[2], v.shapeA);
    show(cells[3], v.shapeA);
    show(cells[4], v.shapeA);
    show(labels[3], v.shapeB);
    show(cells[5], v.shapeB);
    show(cells[6], v.row6);
    show(cells[kRowQuasarForce], v.row8);
    show(cells[kRowLevels], v.row9);
    show(levelsOrForce, v.row8 || v.row9);
    show(levels, v.row9);
    show(labels[kRowHeightWidthRatio], v.ratio);
    show(cells[kRowHeightWidthRatio], v.ratio);
    motionGrid->removeWidget(cells[kRowHeightWidthRatio]);
    motionGrid->addWidget(cells[kRowHeightWidthRatio], kRatioLine, v.row8 || v.row9 ? 2 : 1,
                          Qt::AlignLeft);
    show(labels[kRowRadiusExponent], v.row91);
    show(cells[kRowRadiusExponent], v.row91);
    show(labels[kRowHeightExponent], v.row92);
    show(cells[kRowHeightExponent], v.row92);
    show(labels[kProfileLabel], v.profile);
    show(profile, v.profile);
    show(galProfile, v.profile);
    show(closed, v.nebulaChecks);
    show(advHW, v.nebulaChecks);
    show(colour, v.colourList);
    otherColorCycles->setText(Q(OtherColorCyclesCaption(style)));
    show(otherColorCycles, v.otherColourCycles);
    if (v.otherColourCycles)
        NameRow(kRowColourMultiplier, OtherColorCyclesCaption(style));
    else
        NameRow(kRowColourMultiplier, kColourFrameCaption, "Multiplier");
    userDefined->setText(Q(UserDefinedCaption(style)));
    show(userDefined, v.userDefined);
    galHue->update();
}

void GalaxyView::Parts::ShowValues(const GridValues& values) {
    {
        const QSignalBlocker block(style);
        style->setCurrentIndex(values.style);
    }
    ApplyStyle(values.style);
    for (const GridRow& rule : GalaxyGridRows()) {
        const auto r = static_cast<size_t>(rule.row);
        rows[r]->setText(QString::fromStdString(values.rows[r]));
    }
    for (size_t i = 0; i < hues.size(); ++i)
        hues[i]->setText(QString::fromStdString(values.hues[i]));
    plane->setCurrentIndex(values.plane);
    colour->setCurrentIndex(values.colour);
    profile->setCurrentIndex(values.profile);
    pulsarShape->setCurrentIndex(values.pulsarShape);
    closed->setChecked(values.cpClosed);
    advHW->setChecked(values.cpAdvHW);
}

GridValues GalaxyView::Parts::Values() const {
    GridValues values;
    for (const GridRow& rule : GalaxyGridRows()) {
        const auto r = static_cast<size_t>(rule.row);
        values.rows[r] = rows[r]->text().toStdString();
    }
    for (size_t i = 0; i < hues.size(); ++i)
        values.hues[i] = hues[i]->text().toStdString();
    values.style = style->currentIndex();
    values.plane = plane->currentIndex();
    values.colour = colour->currentIndex();
    values.profile = profile->currentIndex();
    values.pulsarShape = pulsarShape->currentIndex();
    values.cpClosed = closed->isChecked();
    values.cpAdvHW = advHW->isChecked();
    return values;
}

void GalaxyView::Parts::ChooseTheme(int item) {
    if (item < 1 || item > kGalaxyTypeCount) return;  // "< NONE >" does nothing
    GalaxyType themed = shown;
    if (!ApplyGalaxyPreset(kPresetSet4x, item - 1, themed)) return;
    themed.name = shown.name;
    themed.uniGalPct = shown.uniGalPct;
    chosenTheme = themed;
    ShowValues(orrelume::ShowGalaxyType(themed));
}

void GalaxyView::Parts::PaintGalaxyHue(QPainter& painter, const QRect& area) const {
    // Stars that are not drawn have no hues to show.
    if (!colour->isHidden() && colour->currentIndex() == 4) return;
    GalaxyType hueValues;
    const auto value = [this](size_t i) {
        const GridRow& rule = PixHueRows()[i];
        return static_cast<int16_t>(std::clamp(FieldInteger(hues[i]->text().toStdString()),
                                               static_cast<int32_t>(rule.lower),
                                               static_cast<int32_t>(rule.upper)));
    };
    hueValues.hueRed = value(0);
    hueValues.hueGrn = value(1);
    hueValues.hueBlu = value(2);
    hueValues.hueBase = value(3);
    hueValues.hueBlend = value(4);
    auto table = std::make_unique<HueTable>();
    BuildHueTable(*table, 0, hueValues);
    const int start = std::clamp(RowNumber(kRowHueStart), 0, 359);
    const int count = std::max(1, area.width());
    std::vector<uint32_t> bars(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        bars[static_cast<size_t>(i)] = HueColor(*table, 0, start + i * 360 / count);
    DrawColourBars(painter, area, bars.data(), count);
}

GalaxyView::GalaxyView(QWidget* parent) : QWidget(parent), parts_(new Parts) {
    Parts& p = *parts_;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    p.extras = MakeList(this, QStringLiteral("cboGalaxExtras"), kGridPageNames);
    p.extras->setAccessibleName(QStringLiteral("Galaxy Properties Page"));
    p.tabOrder.push_back(p.extras);
    layout->addWidget(p.extras, 0, Qt::AlignLeft);

    p.stack = new QStackedWidget(this);
    layout->addWidget(p.stack, 1);
    p.pages[0] = p.BuildMotionPage(p.stack);
    p.pages[1] = p.BuildStarsPage(p.stack);
    p.pages[2] = p.BuildCometPage(p.stack);
    for (size_t i = 0; i < p.pages.size(); ++i) {
        p.pages[i]->setObjectName(Indexed("fraGalProp", static_cast<int>(i)));
        p.stack->addWidget(p.pages[i]);
    }

    // The fields of the labels made on the pages are named after them.
    for (const Parts::Labelled& l : p.labelled) {
        const std::string caption = l.label->text().toStdString();
        p.NameRow(l.first, caption, l.firstWord);
        if (l.second >= 0) p.NameRow(l.second, caption, l.secondWord);
        l.label->setBuddy(&p.Row(l.first));
    }

    // Spin buttons follow their fields and write into them.
    for (const GridRow& rule : GalaxyGridRows()) {
        const auto r = static_cast<size_t>(rule.row);
        if (p.spins[r] != nullptr)
            BindSpinField(*p.rows[r], *p.spins[r], rule.spin.minimum, rule.spin.maximum,
                          rule.spin.maxLength);
    }
    for (size_t i = 0; i < p.hues.size(); ++i) {
        const GridRow& rule = PixHueRows()[i];
        BindSpinField(*p.hues[i], *p.hueSpins[i], rule.spin.minimum, rule.spin.maximum,
                      rule.spin.maxLength);
    }

    for (size_t i = 1; i < p.tabOrder.size(); ++i)
        QWidget::setTabOrder(p.tabOrder[i - 1], p.tabOrder[i]);

    // Pictures.
    p.galProfile->SetPainter([&p](QPainter& painter, const QRect& area) {
        DrawShapeProfile(painter, area, p.profile->currentIndex());
    });
    p.colNova->SetPainter([&p](QPainter& painter, const QRect& area) {
        DrawFlareRamp(painter, area, p.RowNumber(kRowNovaHueStart), p.RowNumber(kRowNovaHueEnd));
    });
    p.galHue->SetPainter(
        [&p](QPainter& painter, const QRect& area) { p.PaintGalaxyHue(painter, area); });
    for (size_t i = 0; i < p.swatches.size(); ++i) {
        p.swatches[i]->SetPainter([&p, i](QPainter& painter, const QRect& area) {
            const auto level = CInt(Val(p.hues[i]->text().toStdString()) * 2.55);
            const int v = std::clamp(level ? static_cast<int>(*level) : 0, 0, 255);
            const QColor c = i == kPixHueRed     ? QColor(v, 0, 0)
                             : i == kPixHueGreen ? QColor(0, v, 0)
                             : i == kPixHueBlue  ? QColor(0, 0, v)
                                                 : QColor(v, v, v);
            painter.fillRect(area, c);
        });
    }

    connect(p.extras, &QComboBox::currentIndexChanged, this, [&p](int page) { p.ShowPage(page); });
    connect(p.style, &QComboBox::currentIndexChanged, this, [&p](int style) {
        if (style >= 0) p.ApplyStyle(style);
    });
    connect(p.theme, &QComboBox::activated, this, [&p](int item) { p.ChooseTheme(item); });
    connect(p.profile, &QComboBox::currentIndexChanged, p.galProfile,
            qOverload<>(&QWidget::update));
    connect(p.colour, &QComboBox::currentIndexChanged, p.galHue, qOverload<>(&QWidget::update));
    for (int row : {kRowColourMultiplier, kRowHueStart})
        connect(&p.Row(row), &QLineEdit::textChanged, p.galHue, qOverload<>(&QWidget::update));
    for (int row : {kRowNovaHueStart, kRowNovaHueEnd})
        connect(&p.Row(row), &QLineEdit::textChanged, p.colNova, qOverload<>(&QWidget::update));
    for (size_t i = 0; i < p.hues.size(); ++i) {
        connect(p.hues[i], &QLineEdit::textChanged, p.galHue, qOverload<>(&QWidget::update));
        if (i < p.swatches.size())
            connect(p.hues[i], &QLineEdit::textChanged, p.swatches[i],
                    qOverload<>(&QWidget::update));
    }
    connect(p.levels, &QPushButton::clicked, this, &GalaxyView::levelsRequested);
    connect(p.userDefined, &QPushButton::clicked, this, &GalaxyView::userDefinedRequested);

    p.ShowPage(0);

    // Big enough for every style, so that changing the style never makes the
    // dialog grow or cut a control off.
    QSize largest;
    for (int style = 0; style < static_cast<int>(kGalaxyStyleNames.size()); ++style) {
        p.ApplyStyle(style);
        largest = largest.expandedTo(minimumSizeHint());
    }
    setMinimumSize(largest);
    ShowGalaxyType(p.shown);
}

GalaxyView::~GalaxyView() {
    // The controls go first: until they are gone their signals reach the
    // parts.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    delete parts_;
}

void GalaxyView::ShowGalaxyType(const GalaxyType& type) {
    parts_->shown = type;
    parts_->chosenTheme.reset();
    parts_->theme->setCurrentIndex(0);
    parts_->ShowValues(orrelume::ShowGalaxyType(type));
}

void GalaxyView::TakeGalaxyType(GalaxyType& type) {
    Parts& p = *parts_;
    // Every field as leaving it would leave it, so that what the grid shows
    // is what the type holds.
    for (QLineEdit* field : p.rows) {
        if (field == nullptr) continue;
        if (FieldRules* rules = FieldRules::Of(*field)) rules->BoundNow();
    }
    for (QLineEdit* field : p.hues) {
        if (FieldRules* rules = FieldRules::Of(*field)) rules->BoundNow();
    }
    if (p.chosenTheme) TakeThemeExtras(*p.chosenTheme, type);
    orrelume::TakeGalaxyType(p.Values(), type);
    // A theme is brought in once: what a companion dialog changes in the
    // type afterwards stays.
    p.chosenTheme.reset();
    p.shown = type;
}

void GalaxyView::ShowPage(int page) {
    parts_->extras->setCurrentIndex(std::clamp(page, 0, 2));
}

QWidget* GalaxyView::FirstControl() const {
    switch (parts_->stack->currentIndex()) {
        case 1:
            return &parts_->Row(kRowNewStarFrequency);
        case 2:
            return &parts_->Row(kRowCometFrequency);
        default:
            return parts_->style;
    }
}

QPushButton& GalaxyView::LevelsButton() const {
    return *parts_->levels;
}

QPushButton& GalaxyView::UserDefinedButton() const {
    return *parts_->userDefined;
}

}  // namespace orrelume
