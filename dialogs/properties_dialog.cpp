#include "dialogs/properties_dialog.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <string>

#include "dialogs/galaxy_view.h"
#include "dialogs/preview_box.h"
#include "dialogs/universe_view.h"
#include "host/field_rules.h"
#include "host/host_trace.h"
#include "host/message_box.h"
#include "host/window_placement.h"
#include "settings/factory_themes.h"
#include "settings/numeric.h"
#include "settings/reset.h"
#include "settings/template_file.h"

namespace orrelume {

namespace {

constexpr const char* kAcceptCaption = "&Accept Settings";
constexpr const char* kReturnCaption = "&Return to Universe Settings";
constexpr const char* kFrameCaption = "Galaxy Properties";

QString Q(const char* text) {
    return QString::fromUtf8(text);
}

const char* IdleCaption(PreviewKind kind) {
    switch (kind) {
        case PreviewKind::Galaxy:
            return "Preview Galaxy";
        case PreviewKind::Composite:
            return "Preview Comp";
        case PreviewKind::Universe:
            return "Preview Universe";
    }
    return "";
}

const char* KindName(PreviewKind kind) {
    switch (kind) {
        case PreviewKind::Galaxy:
            return "galaxy";
        case PreviewKind::Composite:
            return "composite";
        case PreviewKind::Universe:
            return "universe";
    }
    return "";
}

// The controls a running preview disables: everything the user can change
// or press. Labels, frames and the picture stay as they are.
bool IsInputControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) != nullptr ||
           qobject_cast<const QLineEdit*>(w) != nullptr ||
           qobject_cast<const QComboBox*>(w) != nullptr ||
           qobject_cast<const QAbstractItemView*>(w) != nullptr;
}

QPushButton* MakeButton(const char* caption, const char* objectName, QWidget* parent) {
    auto* b = new QPushButton(Q(caption), parent);
    b->setObjectName(Q(objectName));
    NameForReaders(*b, Q(caption));
    return b;
}

}  // namespace

frmProps::frmProps(SettingsStore& store, HostState& process, QWidget* parent)
    : QDialog(parent), store_(store), process_(process), set_(DefaultSettingsSet()) {
    setObjectName(QStringLiteral("frmProps"));
    setWindowTitle(Q(kPropertiesCaption));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    auto* outer = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    outer->setMenuBar(bar);

    auto* body = new QHBoxLayout;
    outer->addLayout(body, 1);

    // The properties: the universe view, or one galaxy type's grid.
    fraAni_ = new QGroupBox(Q(kFrameCaption), this);
    fraAni_->setObjectName(QStringLiteral("fraAni_0"));
    auto* aniLayout = new QVBoxLayout(fraAni_);
    views_ = new QStackedWidget(fraAni_);
    universeView_ = new UniverseView(set_, views_);
    galaxyView_ = new GalaxyView(views_);
    views_->addWidget(universeView_);
    views_->addWidget(galaxyView_);
    aniLayout->addWidget(views_);
    // The frame's caption turns bold and blue in the galaxy view; what it
    // holds keeps the dialog's own font and colours.
    QFont normal = font();
    normal.setWeight(QFont::Normal);
    views_->setFont(normal);
    QPalette plain = views_->palette();
    plain.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
    views_->setPalette(plain);
    body->addWidget(fraAni_, 1);

    // The preview.
    fraPreview_ = new QGroupBox(QStringLiteral("Preview"), this);
    fraPreview_->setObjectName(QStringLiteral("fraPreview"));
    auto* previewLayout = new QVBoxLayout(fraPreview_);
    picPreview_ = new PreviewBox(store_, previewState_, fraPreview_);
    picPreview_->setObjectName(QStringLiteral("picPreview"));
    picPreview_->setAccessibleName(QStringLiteral("Preview"));
    previewLayout->addWidget(picPreview_, 1);
    cmdPreviewGal_ = MakeButton(IdleCaption(PreviewKind::Galaxy), "cmdPreviewGal", fraPreview_);
    cmdPreviewUni_ = MakeButton(IdleCaption(PreviewKind::Universe), "cmdPreviewUni", fraPreview_);
    previewLayout->addWidget(cmdPreviewGal_);
    previewLayout->addWidget(cmdPreviewUni_);
    body->addWidget(fraPreview_, 1);

    // Accept and Cancel.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdAccept_ = MakeButton(kAcceptCaption, "cmdAccept", this);
    cmdDismiss_ = MakeButton("Cancel", "cmdDismiss", this);
    buttons->addWidget(cmdAccept_);
    buttons->addWidget(cmdDismiss_);
    outer->addLayout(buttons);

    BuildMenus(*bar);

    connect(cmdPreviewGal_, &QPushButton::clicked, this,
            [this] { TogglePreview(PreviewKind::Galaxy); });
    connect(cmdPreviewUni_, &QPushButton::clicked, this,
            [this] { TogglePreview(PreviewKind::Universe); });
    connect(&universeView_->PreviewCompButton(), &QPushButton::clicked, this,
            [this] { TogglePreview(PreviewKind::Composite); });
    connect(universeView_, &UniverseView::compositePreviewToggled, this,
            [this] { TogglePreview(PreviewKind::Composite); });
    connect(universeView_, &UniverseView::galaxyTypeOpened, this, [this] { OpenGalaxyView(); });
    connect(universeView_, &UniverseView::universeThemeChosen, this, [this](int theme) {
        set_.universe = universeView_->TakeUniverseValues(set_.universe);
        ChooseUniverseTheme(theme, resetItems_[kResetMenuItem20]->isChecked(), set_, *this);
    });
    connect(cmdAccept_, &QPushButton::clicked, this, [this] { AcceptSettings(); });
    connect(cmdDismiss_, &QPushButton::clicked, this, [this] { CloseFromDialog(Rejected); });
    // The levels, points and atoms get their own editors later.
    galaxyView_->LevelsButton().setEnabled(false);
    galaxyView_->UserDefinedButton().setEnabled(false);

    // Enter in a field does not press a button: only a click, the space bar
    // or a button's access key does.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    LoadSettings();
    universeView_->ShowFirstExtrasPage();
    views_->setCurrentWidget(universeView_);
    // Its full size, however large (adjustSize would keep it within two
    // thirds of the screen and squeeze the preview).
    resize(sizeHint().expandedTo(minimumSizeHint()));
    RestoreWindowPlacement(*this, store_, kPropertiesSection, process_, true);
}

frmProps::~frmProps() = default;

void frmProps::BuildMenus(QMenuBar& bar) {
    fileMenu_ = bar.addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("mnuFile"));
    editMenu_ = bar.addMenu(QStringLiteral("&Edit"));
    editMenu_->setObjectName(QStringLiteral("mnuEdit"));
    helpMenu_ = bar.addMenu(QStringLiteral("&Help"));
    helpMenu_->setObjectName(QStringLiteral("mnuHelp"));

    const auto item = [](QMenu* menu, const char* arrayName, int index, const char* caption) {
        QAction* a = caption[0] == '-' ? menu->addSeparator() : menu->addAction(Q(caption));
        a->setObjectName(QStringLiteral("%1_%2").arg(Q(arrayName)).arg(index));
        return a;
    };
    // Templates, resets, the advanced settings and the help windows come with
    // their own windows; their items are in place and not yet enabled.
    item(fileMenu_, "mnuFileArray", 0, "&Open Template...")->setEnabled(false);
    item(fileMenu_, "mnuFileArray", 1, "&Save Template")->setEnabled(false);
    item(fileMenu_, "mnuFileArray", 2, "Save Template &As...")->setEnabled(false);
    item(fileMenu_, "mnuFileArray", 3, "-");
    QAction* exit = item(fileMenu_, "mnuFileArray", 4, "E&xit");
    connect(exit, &QAction::triggered, this, [this] {
        process_.ExitRequested = true;
        Trace("exit-requested");
        CloseFromDialog(Rejected);
    });

    resetMenu_ = editMenu_->addMenu(QStringLiteral("&Reset Properties"));
    resetMenu_->setObjectName(QStringLiteral("mnuEditArray_0"));
    resetMenu_->menuAction()->setObjectName(QStringLiteral("mnuEditArray_0"));
    resetItems_[0] = item(resetMenu_, "mnuResetProps", 0, "&Orrelume 2.0");
    resetItems_[1] = item(resetMenu_, "mnuResetProps", 1, "-");
    resetItems_[2] = item(resetMenu_, "mnuResetProps", 2, "O&rrelume 4.x");
    for (QAction* a : {resetItems_[0], resetItems_[2]}) {
        a->setCheckable(true);
        a->setEnabled(false);
    }
    item(editMenu_, "mnuEditArray", 1, "&Advanced Settings...")->setEnabled(false);

    item(helpMenu_, "mnuHelpArray", 0, "&Contents...")->setEnabled(false);
    item(helpMenu_, "mnuHelpArray", 1, "&Search...")->setEnabled(false);
    item(helpMenu_, "mnuHelpArray", 2, "-");
    item(helpMenu_, "mnuHelpArray", 3, "&Diagnostics...")->setEnabled(false);
    item(helpMenu_, "mnuHelpArray", 4, "&About Orrelume...")->setEnabled(false);
}

void frmProps::LoadSettings() {
    const bool welcomed = store_.ReadSettingInt16("General", "ResetSettings", -1) != -1;
    if (welcomed) {
        GalaxyTemplate templates;
        RunFirstRunFlow(store_, set_, templates, *this, kSafetyCopyName.data());
        return;
    }
    // A user who was never welcomed: the welcome window greets them later;
    // until then the dialog shows the stored settings, or the factory set
    // (in memory only: Accept stores it).
    if (StoredSettingsExist(store_)) {
        LoadSettingsIntoDialog(store_, set_, *this);
    } else {
        set_ = FactorySettingsSet(kPresetSet4x);
        ShowUniverseValues(set_.universe);
        RefreshLists();
        SelectFirstGalaxyType();
        ShowUniverseThemePosition(1);
    }
}

QPushButton& frmProps::PreviewButton(PreviewKind kind) const {
    switch (kind) {
        case PreviewKind::Galaxy:
            return *cmdPreviewGal_;
        case PreviewKind::Composite:
            return universeView_->PreviewCompButton();
        case PreviewKind::Universe:
            break;
    }
    return *cmdPreviewUni_;
}

void frmProps::SetAcceptCaption(bool galaxyView) {
    const char* caption = galaxyView ? kReturnCaption : kAcceptCaption;
    cmdAccept_->setText(Q(caption));
    NameForReaders(*cmdAccept_, Q(caption));
}

void frmProps::OpenGalaxyView() {
    if (galaxyViewShown_ || running_) return;
    const int type = universeView_->SelectedGalaxyType();
    if (type < 0 || type >= kGalaxyTypeCount) {
        ShowInformation(this, QStringLiteral("Please select a Galaxy Profile."));
        universeView_->GalaxyList().setFocus();
        return;
    }
    galaxyViewShown_ = true;
    editedType_ = type;
    cmdDismiss_->setEnabled(false);
    fraPreview_->setEnabled(false);
    fileMenu_->menuAction()->setEnabled(false);
    editMenu_->menuAction()->setEnabled(false);
    galaxyView_->ShowGalaxyType(set_.types[type]);
    views_->setCurrentWidget(galaxyView_);
    SetAcceptCaption(true);
    fraAni_->setTitle(QStringLiteral("Galaxy:  ") +
                      QString::fromStdString(Trim(set_.types[type].name)));
    QFont bold = fraAni_->font();
    bold.setBold(true);
    fraAni_->setFont(bold);
    QPalette blue = fraAni_->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    fraAni_->setPalette(blue);
    if (QWidget* first = galaxyView_->FirstControl()) first->setFocus();
    Trace("galaxy-view " + std::to_string(type));
}

void frmProps::LeaveGalaxyView() {
    if (!galaxyViewShown_) return;
    if (QWidget* focused = QApplication::focusWidget()) {
        if (auto* field = qobject_cast<QLineEdit*>(focused)) {
            if (FieldRules* rules = FieldRules::Of(*field)) rules->BoundNow();
        }
    }
    galaxyView_->TakeGalaxyType(set_.types[editedType_]);
    SetAcceptCaption(false);
    fraAni_->setTitle(Q(kFrameCaption));
    QFont plain = fraAni_->font();
    plain.setBold(false);
    fraAni_->setFont(plain);
    fraAni_->setPalette(palette());
    cmdDismiss_->setEnabled(true);
    fileMenu_->menuAction()->setEnabled(true);
    editMenu_->menuAction()->setEnabled(true);
    fraPreview_->setEnabled(true);
    views_->setCurrentWidget(universeView_);
    universeView_->RefreshGalaxyEntry(editedType_);
    universeView_->GalaxyList().setFocus();
    galaxyViewShown_ = false;
    Trace("universe-view");
}

bool frmProps::AcceptSettings() {
    if (galaxyViewShown_) {
        LeaveGalaxyView();
        return false;
    }
    if (running_) return false;
    // A field still being typed in counts as left.
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        if (FieldRules* rules = FieldRules::Of(*field)) rules->BoundNow();
    }
    set_.universe = universeView_->TakeUniverseValues(set_.universe);
    // A store that cannot be written has said so once; the edits stay in the
    // open dialog, so that the user can free the store and accept again.
    if (!SaveAllSettings(store_, set_)) {
        Trace("accept-refused");
        return false;
    }
    Trace("accepted");
    CloseFromDialog(Accepted);
    return true;
}

bool frmProps::PreviewRunning() const {
    return running_.has_value();
}

void frmProps::TogglePreview(PreviewKind kind) {
    if (running_) {
        // Only the running preview's own button (or Escape) stops it.
        if (*running_ == kind) previewState_.RestartRequested = true;
        return;
    }
    if (galaxyViewShown_ || !isVisible()) return;
    previewState_.StopRequested = false;
    if (kind == PreviewKind::Galaxy && universeView_->SelectedGalaxyType() < 0) {
        ShowInformation(this, QStringLiteral("Please select a Galaxy Type."));
        universeView_->GalaxyList().setFocus();
        return;
    }
    if (kind == PreviewKind::Composite && universeView_->SelectedComposite() < 0) {
        ShowInformation(this, QStringLiteral("Please select a Composite Galaxy Type."));
        universeView_->CompositeList().setFocus();
        return;
    }
    RunPreview(kind);
}

void frmProps::SetControlsForPreview(bool running, QWidget* keep) {
    if (running) {
        disabledForPreview_.clear();
        for (QWidget* w : findChildren<QWidget*>()) {
            if (w == keep || !IsInputControl(w) || !w->isEnabled()) continue;
            w->setEnabled(false);
            disabledForPreview_.push_back(w);
        }
    } else {
        // Each control goes back to what it was: those that other controls
        // had disabled (the tour's, say) stay disabled.
        for (QWidget* w : disabledForPreview_)
            w->setEnabled(true);
        disabledForPreview_.clear();
        universeView_->RefreshEnabling();
    }
}

void frmProps::RunPreview(PreviewKind kind) {
    QPushButton& button = PreviewButton(kind);
    running_ = kind;
    SetControlsForPreview(true, &button);
    button.setText(QStringLiteral("Stop"));
    NameForReaders(button, QStringLiteral("Stop"));
    previewState_.RestartRequested = false;
    Trace(std::string("preview-start ") + KindName(kind));

    RunDriver& driver = picPreview_->Driver();
    driver.SetRecords(set_.types, set_.composites);
    const UniverseSettings universe = universeView_->PreviewUniverseValues(set_.universe);
    const QSize size = picPreview_->DeviceSize();
    const int galaxy = universeView_->SelectedGalaxyType();
    const int composite = universeView_->SelectedComposite();
    picPreview_->Run([&] {
        if (kind == PreviewKind::Universe) {
            driver.PreviewUniverse(size.width(), size.height(), universe);
            return;
        }
        driver.SetUniverseSettings(universe);
        const bool isComposite = kind == PreviewKind::Composite;
        driver.PreviewGalaxy(
            size.width(), size.height(), static_cast<int16_t>(isComposite ? composite : galaxy),
            isComposite, universeView_->UniverseFieldValue(0), universeView_->UniverseFieldValue(2),
            universeView_->UniverseFieldValue(16), universeView_->UniverseFieldValue(17));
    });

    running_.reset();
    previewState_.RestartRequested = false;
    SetControlsForPreview(false, &button);
    button.setText(Q(IdleCaption(kind)));
    NameForReaders(button, Q(IdleCaption(kind)));
    Trace(std::string("preview-stop ") + KindName(kind));
}

void frmProps::reject() {
    if (running_) {
        TogglePreview(*running_);
    } else if (galaxyViewShown_) {
        LeaveGalaxyView();
    } else {
        CloseFromDialog(Rejected);
    }
}

void frmProps::CloseFromDialog(int result) {
    closingFromDialog_ = true;
    if (running_) previewState_.RestartRequested = true;
    SaveWindowPlacement(*this, store_, kPropertiesSection, process_);
    Trace(result == Accepted ? "dialog-closed accepted" : "dialog-closed");
    done(result);
}

void frmProps::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!TraceEnabled()) return;
    // Where the main buttons are on the screen, so that the real-window
    // tests can press them.
    QTimer::singleShot(0, this, [this] {
        const qreal ratio = devicePixelRatioF();
        for (QWidget* w :
             {static_cast<QWidget*>(cmdPreviewGal_), static_cast<QWidget*>(cmdPreviewUni_),
              static_cast<QWidget*>(cmdAccept_), static_cast<QWidget*>(cmdDismiss_),
              static_cast<QWidget*>(picPreview_)}) {
            const QPoint c = w->mapToGlobal(w->rect().center());
            Trace("control " + w->objectName().toStdString() + " " +
                  std::to_string(qRound(c.x() * ratio)) + " " +
                  std::to_string(qRound(c.y() * ratio)));
        }
        Trace("dialog-shown");
    });
}

void frmProps::closeEvent(QCloseEvent* event) {
    if (!isVisible()) {
        event->accept();
        return;
    }
    // Closed from outside (its close button, the window manager, the session
    // ending): nothing is saved, and whoever opened the dialog starts its run
    // again.
    process_.RestartRequested = true;
    if (running_) previewState_.RestartRequested = true;
    SaveWindowPlacement(*this, store_, kPropertiesSection, process_);
    Trace("dialog-closed");
    event->accept();
    done(Rejected);
}

// SettingsDialogPort.

void frmProps::ShowUniverseValues(const UniverseSettings& universe) {
    universeView_->ShowUniverseValues(universe);
}

void frmProps::RefreshLists() {
    universeView_->RefreshLists();
}

void frmProps::SelectFirstGalaxyType() {
    universeView_->SelectFirstGalaxyType();
}

void frmProps::ShowUniverseThemePosition(int position) {
    universeView_->ShowUniverseThemePosition(position);
}

void frmProps::ShowFirstExtrasPage() {
    universeView_->ShowFirstExtrasPage();
}

void frmProps::ClearCompositeSelection() {
    universeView_->ClearCompositeSelection();
}

bool frmProps::ShowWelcome(bool, const std::function<void(TemplateProgress*)>&) {
    // The welcome window is not part of the dialog yet.
    return false;
}

ResetAnswer frmProps::AskResetQuestion(std::string_view text) {
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, QString::fromUtf8(kMessageTitle.data(), static_cast<qsizetype>(kMessageTitle.size())),
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) return ResetAnswer::kYes;
    if (answer == QMessageBox::No) return ResetAnswer::kNo;
    return ResetAnswer::kCancel;
}

void frmProps::SetResetMenuItemChecked(int item, bool checked) {
    if (item >= 0 && item < static_cast<int>(resetItems_.size()) && resetItems_[item] != nullptr)
        resetItems_[item]->setChecked(checked);
}

void frmProps::ReportProgress(int, int) {
    // Template saves and loads show their progress once the dialog has them.
}

}  // namespace orrelume
