#include "dialogs/system_diagnostics.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>
#include <QVBoxLayout>

#include <string>

#include "dialogs/diagnostics_values.h"
#include "driver/host_state.h"
#include "platform/frame_tiles.h"
#include "ui/field_rules.h"
#include "ui/help.h"
#include "ui/info_trace.h"
#include "ui/message_box.h"
#include "ui/widgets.h"
#include "ui/window_placement.h"

namespace orrelume {

namespace {

constexpr const char* kCaption = "System Diagnostics";
constexpr const char* kSysInfoCaption = "&Complete System   Info...";

// System information tools of the desktops, in the order they are tried.
constexpr const char* kSystemInfoTools[] = {
    "hardinfo2", "hardinfo", "kinfocenter", "lshw-gtk", "xfce4-about",
};

}  // namespace

GraphicsTestBox::GraphicsTestBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize GraphicsTestBox::sizeHint() const {
    return LinesSize(*this, 12, 9);
}

QSize GraphicsTestBox::minimumSizeHint() const {
    return LinesSize(*this, 6, 5);
}

void GraphicsTestBox::Draw() {
    const qreal ratio = devicePixelRatioF();
    const int w = std::max(1, qRound(width() * ratio));
    const int h = std::max(1, qRound(height() * ratio));
    surface_.SetSize(w, h);
    surface_.ClearSurface();
    // The pixels go through the surface exactly as the animation's stars do.
    const Canvas canvas = surface_.View();
    for (const PixelPoint& p : GraphicsTestPoints(surface_.width(), surface_.height()))
        canvas.Plot(p.x, p.y, 0xFFFFFFu);
    // The box paints the whole picture whenever it paints: the marks of
    // what changed are not needed.
    TakeChangedRegion(surface_);
    update();
}

void GraphicsTestBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Draw();
}

void GraphicsTestBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    PaintSurface(painter, &surface_, event->region(), devicePixelRatioF());
}

frmSystemDiag::frmSystemDiag(SettingsStore& store, QWidget* parent)
    : QDialog(parent), store_(store) {
    setObjectName(QStringLiteral("frmSystemDiag"));
    setWindowTitle(QString::fromUtf8(kCaption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    const int chars = fontMetrics().averageCharWidth();
    const auto makeField = [&](int index, const QString& caption, QGridLayout& grid, int row) {
        auto* label = new QLabel(caption, grid.parentWidget());
        label->setObjectName(QStringLiteral("lblDiagnostics_%1").arg(index));
        auto* field = new QLineEdit(grid.parentWidget());
        field->setObjectName(QStringLiteral("txtDiagnostics_%1").arg(index));
        field->setReadOnly(true);
        field->setMinimumWidth(chars * 16);
        label->setBuddy(field);
        NameForReaders(*field, caption);
        grid.addWidget(label, row, 0);
        grid.addWidget(field, row, 1);
        txtDiagnostics_[static_cast<size_t>(index)] = field;
    };

    auto* outer = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns, 1);

    // Made in the order they are shown, so the tab order follows.
    auto* display = new QGroupBox(QStringLiteral("Display"), this);
    display->setObjectName(QStringLiteral("fraDisplay"));
    auto* displayGrid = new QGridLayout(display);
    makeField(0, QStringLiteral("Screen Width (pixels):"), *displayGrid, 0);
    makeField(1, QStringLiteral("Screen Height (pixels):"), *displayGrid, 1);
    makeField(2, QStringLiteral("Twips per Pixel:"), *displayGrid, 2);
    makeField(3, QStringLiteral("Number of Colors:"), *displayGrid, 3);
    displayGrid->setColumnStretch(1, 1);
    displayGrid->setRowStretch(4, 1);
    columns->addWidget(display, 1);

    auto* graphics = new QGroupBox(QStringLiteral("Graphics Test"), this);
    graphics->setObjectName(QStringLiteral("fraGraphics"));
    auto* graphicsLayout = new QVBoxLayout(graphics);
    picGraphics_ = new GraphicsTestBox(graphics);
    picGraphics_->setObjectName(QStringLiteral("picGraphics"));
    picGraphics_->setAccessibleName(QStringLiteral("Graphics Test"));
    graphicsLayout->addWidget(picGraphics_, 1);
    auto* graphicsNote = new QLabel(
        QStringLiteral("A circle of single white pixels should appear above. If it is missing, "
                       "the display driver does not support the way this program draws its "
                       "stars."),
        graphics);
    graphicsNote->setObjectName(QStringLiteral("lblGraphics"));
    graphicsNote->setWordWrap(true);
    graphicsNote->setMinimumWidth(chars * 30);
    graphicsLayout->addWidget(graphicsNote);
    columns->addWidget(graphics, 1);

    auto* system = new QGroupBox(QStringLiteral("Operating System"), this);
    system->setObjectName(QStringLiteral("fraSystem"));
    auto* systemGrid = new QGridLayout(system);
    makeField(4, QStringLiteral("Version:"), *systemGrid, 0);
    systemGrid->setColumnStretch(1, 1);
    outer->addWidget(system);

    // The settings live in a file here; the test writes and reads one value.
    auto* access = new QGroupBox(QStringLiteral("Settings File Access"), this);
    access->setObjectName(QStringLiteral("fraRegistry"));
    auto* accessGrid = new QGridLayout(access);
    makeField(5, QStringLiteral("Read / Write Test:"), *accessGrid, 0);
    const RegistryBackend* user = store_.Backend(kUserRoot);
    const std::string location = user != nullptr ? user->Location() : std::string();
    if (!location.empty()) {
        auto* where = new QLabel(QString::fromStdString(location), access);
        where->setObjectName(QStringLiteral("lblSettingsFile"));
        where->setWordWrap(true);
        where->setTextInteractionFlags(Qt::TextSelectableByMouse);
        accessGrid->addWidget(where, 1, 1);
    }
    accessGrid->setColumnStretch(1, 1);
    outer->addWidget(access);

    auto* note = new QLabel(QStringLiteral("Problematic values are noted in Red."), this);
    note->setObjectName(QStringLiteral("lblNote"));
    outer->addWidget(note);

    auto* buttons = new QHBoxLayout;
    cmdSysInfo_ = MakeButton(this, kSysInfoCaption, "cmdSysInfo");
    cmdHelp_ = MakeButton(this, "&Help", "cmdHelp");
    cmdDismiss_ = MakeButton(this, "OK", "cmdDismiss");
    cmdDismiss_->setDefault(true);
    buttons->addWidget(cmdSysInfo_);
    buttons->addStretch(1);
    buttons->addWidget(cmdHelp_);
    buttons->addWidget(cmdDismiss_);
    outer->addLayout(buttons);

    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmSystemDiag::OpenSystemInformation);
    connect(cmdHelp_, &QPushButton::clicked, this,
            [this] { ShowHelp(this, HelpTopic::SystemDiagnostics); });
    connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::accept);

    FillDisplayValues();
    SetField(4, DisplayValue(SystemVersionText(QSysInfo::kernelType().toStdString(),
                                               QSysInfo::kernelVersion().toStdString(),
                                               QSysInfo::prettyProductName().toStdString())));
    const std::string access5 = StoreAccessTest(store_);
    SetField(5, {access5, access5 != kStoreTestOk});

    resize(sizeHint());
    RestoreWindowPlacement(*this, store_, kSystemDiagSection, ProcessHostState(), true);
    cmdDismiss_->setFocus();
}

frmSystemDiag::~frmSystemDiag() = default;

QLineEdit& frmSystemDiag::Field(int index) const {
    return *txtDiagnostics_.at(static_cast<size_t>(index));
}

bool frmSystemDiag::FieldIsProblem(int index) const {
    return problem_.at(static_cast<size_t>(index));
}

void frmSystemDiag::SetField(int index, const DiagnosticText& value) {
    QLineEdit& field = Field(index);
    field.setText(QString::fromStdString(value.text));
    field.setCursorPosition(0);
    problem_.at(static_cast<size_t>(index)) = value.problem;
    QPalette p = palette();
    if (value.problem) p.setColor(QPalette::Text, QColor(255, 0, 0));
    field.setPalette(p);
}

void frmSystemDiag::FillDisplayValues() {
    const QScreen* screen = this->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    int width = 0, height = 0, depth = 0, dpi = 0;
    if (screen != nullptr) {
        // The screen's own pixels, whatever scaling the toolkit applies.
        const qreal ratio = screen->devicePixelRatio();
        width = qRound(screen->geometry().width() * ratio);
        height = qRound(screen->geometry().height() * ratio);
        depth = screen->depth();
        dpi = qRound(screen->logicalDotsPerInchX());
    }
    SetField(0, DisplayValue(std::to_string(width)));
    SetField(1, DisplayValue(std::to_string(height)));
    DiagnosticText twips = DisplayValue(std::to_string(ProcessHostState().TwipsPerPixelX));
    if (!twips.problem && dpi > 0) twips.text += " (" + std::to_string(dpi) + " dpi)";
    SetField(2, twips);
    SetField(3, DisplayValue(ColourCountText(depth)));
}

void frmSystemDiag::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // The screen the window opened on.
    FillDisplayValues();
    QTimer::singleShot(0, this, [this] {
        TraceControl(*picGraphics_);
        TraceControl(*cmdDismiss_);
        Trace("diagnostics-shown " + Field(5).text().toStdString());
    });
}

void frmSystemDiag::OpenSystemInformation() {
    for (const char* tool : kSystemInfoTools) {
        const QString path = QStandardPaths::findExecutable(QString::fromUtf8(tool));
        if (path.isEmpty()) continue;
        if (QProcess::startDetached(path, {})) {
            Trace("system-information " + path.toStdString());
            return;
        }
    }
    ShowInformation(this, QStringLiteral("System Information Is Unavailable."));
}

void frmSystemDiag::done(int result) {
    if (isVisible()) SaveWindowPlacement(*this, store_, kSystemDiagSection, ProcessHostState());
    QDialog::done(result);
}

}  // namespace orrelume
