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
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <filesystem>
#include <string>
#include <utility>

#include "dialogs/about_box.h"
#include "dialogs/advanced_dialog.h"
#include "dialogs/galaxy_view.h"
#include "dialogs/ifs_editor.h"
#include "dialogs/levels_dialog.h"
#include "dialogs/molecule_editor.h"
#include "dialogs/preview_control.h"
#include "dialogs/property_copy_panel.h"
#include "dialogs/settings_flow.h"
#include "dialogs/system_diagnostics.h"
#include "dialogs/template_dialog.h"
#include "dialogs/template_paths.h"
#include "dialogs/universe_view.h"
#include "dialogs/welcome_window.h"
#include "settings/factory_themes.h"
#include "settings/numeric.h"
#include "settings/safety_copy.h"
#include "settings/template_file.h"
#include "ui/field_rules.h"
#include "ui/help.h"
#include "ui/host_trace.h"
#include "ui/message_box.h"
#include "ui/preview_box.h"
#include "ui/widgets.h"
#include "ui/window_placement.h"

namespace orrelume {

namespace {

constexpr const char* kAcceptCaption = "&Accept Settings";
constexpr const char* kReturnCaption = "&Return to Universe Settings";
constexpr const char* kFrameCaption = "Galaxy Properties";

// Each preview's button caption while idle, and its name in the trace,
// in the order of PreviewKind.
struct PreviewNames {
    const char* idleCaption;
    const char* traceName;
};
constexpr std::array<PreviewNames, 3> kPreviewNames = {{
    {"Preview Galaxy", "galaxy"},
    {"Preview Comp", "composite"},
    {"Preview Universe", "universe"},
}};

const PreviewNames& NamesOf(PreviewKind kind) {
    return kPreviewNames[static_cast<size_t>(kind)];
}

// Opens a window of the menus over `over` (the window's last argument) and
// gives `over` the keyboard back once it is closed.
template <class Window, class... Args>
void OpenOver(QDialog& over, const char* traceName, Args&... args) {
    Window window(args..., &over);
    Trace(traceName);
    window.exec();
    over.activateWindow();
}

}  // namespace

frmProps::frmProps(SettingsStore& store, HostState& process, QWidget* parent)
    : QDialog(parent),
      store_(store),
      process_(process),
      set_(DefaultSettingsSet()),
      held_(store.Backend(kUserRoot)),
      heldStore_(&held_, nullptr, store.Sink()) {
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
    // The previews use the focal length and frame delay the dialog holds.
    picPreview_ = new PreviewBox(heldStore_, previewState_, fraPreview_);
    previewControl_ = std::make_unique<PreviewControl>(*this, previewState_, "preview", false);
    // The tour's controls and the pages in the back stay as the universe
    // values say.
    previewControl_->afterRestore = [this] { universeView_->RefreshEnabling(); };
    picPreview_->setObjectName(QStringLiteral("picPreview"));
    picPreview_->setAccessibleName(QStringLiteral("Preview"));
    previewLayout->addWidget(picPreview_, 1);
    cmdPreviewGal_ =
        MakeButton(fraPreview_, NamesOf(PreviewKind::Galaxy).idleCaption, "cmdPreviewGal");
    cmdPreviewUni_ =
        MakeButton(fraPreview_, NamesOf(PreviewKind::Universe).idleCaption, "cmdPreviewUni");
    previewLayout->addWidget(cmdPreviewGal_);
    previewLayout->addWidget(cmdPreviewUni_);
    body->addWidget(fraPreview_, 1);

    // Accept and Cancel, beside the progress of a template load or save.
    auto* buttons = new QHBoxLayout;
    picStatus_ = new QProgressBar(this);
    picStatus_->setObjectName(QStringLiteral("picStatus"));
    picStatus_->setAccessibleName(QStringLiteral("Loading Status"));
    picStatus_->setRange(0, kTemplateProgressSteps);
    picStatus_->setFormat(QStringLiteral("%v / %m"));
    picStatus_->hide();
    buttons->addWidget(picStatus_, 1);
    buttons->addStretch(1);
    cmdAccept_ = MakeButton(this, kAcceptCaption, "cmdAccept");
    cmdDismiss_ = MakeButton(this, "Cancel", "cmdDismiss");
    buttons->addWidget(cmdAccept_);
    buttons->addWidget(cmdDismiss_);
    outer->addLayout(buttons);

    BuildMenus(*bar);

    // The property copy panel, in the universe view's place for it.
    copyPanel_ = new PropertyCopyPanel(set_, &universeView_->CopyPanelPlace());
    if (auto* showProps = universeView_->findChild<QPushButton*>(QStringLiteral("cmdGalProps")))
        copyPanel_->FollowInTabOrder(*showProps);
    connect(copyPanel_, &PropertyCopyPanel::copied, this, [this] {
        universeView_->RefreshLists();
        Trace("property-copied");
    });

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
    connect(galaxyView_, &GalaxyView::levelsRequested, this, [this] { OpenCompanion(false); });
    connect(galaxyView_, &GalaxyView::userDefinedRequested, this, [this] { OpenCompanion(true); });

    // Enter in a field does not press a button: only a click, the space bar
    // or a button's access key does.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    {
        // Before a reset, the settings go to "propsave.glx" beside the
        // program when its folder can be written, else beside the settings.
        const RegistryBackend* user = store_.Backend(kUserRoot);
        const std::string storeFile = user != nullptr ? user->Location() : std::string();
        const std::string storeFolder =
            storeFile.empty() ? std::string()
                              : std::filesystem::path(storeFile).parent_path().string();
        safetyCopyPath_ = SafetyCopyTemplatePath(
            QCoreApplication::applicationDirPath().toStdString(), storeFolder);
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
    QAction* open = item(fileMenu_, "mnuFileArray", 0, "&Open Template...");
    connect(open, &QAction::triggered, this, [this] {
        WhenNoPreview([this] {
            const std::string path = ChooseTemplate(true);
            if (!path.empty()) OpenTemplateFile(path);
        });
    });
    QAction* save = item(fileMenu_, "mnuFileArray", 1, "&Save Template");
    connect(save, &QAction::triggered, this, [this] { SaveTemplate(); });
    QAction* saveAs = item(fileMenu_, "mnuFileArray", 2, "Save Template &As...");
    connect(saveAs, &QAction::triggered, this, [this] { SaveTemplateAs(); });
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
    for (int i : {kResetMenuItem20, kResetMenuItem4x}) {
        resetItems_[i]->setCheckable(true);
        connect(resetItems_[i], &QAction::triggered, this, [this, i] {
            // The check mark shows only while the reset runs.
            resetItems_[i]->setChecked(false);
            ResetProperties(i);
        });
    }
    QAction* advanced = item(editMenu_, "mnuEditArray", 1, "&Advanced Settings...");
    connect(advanced, &QAction::triggered, this, [this] {
        // It shows what this dialog holds, and its OK holds the result with
        // the rest, so that Cancel here undoes it too.
        OpenOver<frmAdvanced>(*this, "advanced-settings", store_, heldStore_);
    });

    connect(item(helpMenu_, "mnuHelpArray", 0, "&Contents..."), &QAction::triggered, this,
            [this] { ShowHelp(this, HelpTopic::Contents); });
    connect(item(helpMenu_, "mnuHelpArray", 1, "&Search..."), &QAction::triggered, this,
            [this] { ShowHelp(this, HelpTopic::Search); });
    item(helpMenu_, "mnuHelpArray", 2, "-");
    connect(item(helpMenu_, "mnuHelpArray", 3, "&Diagnostics..."), &QAction::triggered, this,
            [this] { OpenOver<frmSystemDiag>(*this, "diagnostics", store_); });
    item(helpMenu_, "mnuHelpArray", 4, "-");
    connect(item(helpMenu_, "mnuHelpArray", 7, "Orrelume on the &Web..."), &QAction::triggered,
            this, [this] { OpenHomePage(this); });
    item(helpMenu_, "mnuHelpArray", 8, "-");
    connect(item(helpMenu_, "mnuHelpArray", 9, "&About Orrelume..."), &QAction::triggered, this,
            [this] { OpenOver<frmAbout>(*this, "about", store_); });
}

void frmProps::LoadSettings() {
    RunFirstRunFlow(store_, set_, templates_, *this, safetyCopyPath_, held_.Held());
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

DialogPreviewValues frmProps::PreviewValues() const {
    DialogPreviewValues values;
    values.universe = universeView_->PreviewUniverseValues(set_.universe);
    values.stars = universeView_->UniverseFieldValue(0);
    values.trail = universeView_->UniverseFieldValue(2);
    values.hueStart = universeView_->UniverseFieldValue(16);
    values.hueEnd = universeView_->UniverseFieldValue(17);
    return values;
}

void frmProps::OpenCompanion(bool userDefined) {
    if (!galaxyViewShown_) return;
    // The editor works on the record as the grid shows it, and the grid shows
    // the record as the editor left it.
    GalaxyType& type = set_.types[editedType_];
    galaxyView_->TakeGalaxyType(type);
    const DialogPreviewValues preview = PreviewValues();
    if (!userDefined) {
        frmLevels dialog(store_, set_, editedType_, preview, this);
        Trace("galaxy-levels");
        dialog.exec();
    } else if (type.galStyle == kStyleUserIfs) {
        frmUserDefIFS dialog(store_, set_, editedType_, preview, this);
        Trace("user-defined-ifs");
        dialog.exec();
    } else {
        frmMolecule dialog(store_, set_, editedType_, preview, this);
        Trace("molecule-editor");
        dialog.exec();
    }
    galaxyView_->ShowGalaxyType(type);
    activateWindow();
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
    // An opened template's advanced values go in the same commit as the
    // rest, so that the store never holds half of an accept.
    if (!SaveAllSettings(store_, set_, &held_.Held())) {
        Trace("accept-refused");
        return false;
    }
    held_.Held().clear();
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

void frmProps::RunPreview(PreviewKind kind) {
    QPushButton& button = PreviewButton(kind);
    running_ = kind;
    previewControl_->Run(button, Q(NamesOf(kind).idleCaption), NamesOf(kind).traceName, [&] {
        // Read once the controls are disabled: the field that had the focus
        // has been bounded on leaving it.
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
                isComposite, universeView_->UniverseFieldValue(0),
                universeView_->UniverseFieldValue(2), universeView_->UniverseFieldValue(16),
                universeView_->UniverseFieldValue(17));
        });
        // Cleared before the controls come back, as they look at it.
        running_.reset();
    });
    if (afterPreview_) {
        const std::function<void()> action = std::exchange(afterPreview_, nullptr);
        if (isVisible() && !closingFromDialog_) action();
    }
}

void frmProps::WhenNoPreview(std::function<void()> action) {
    if (!running_) {
        action();
        return;
    }
    afterPreview_ = std::move(action);
    previewState_.RestartRequested = true;
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
    CloseHelp();
    Trace(result == Accepted ? "dialog-closed accepted" : "dialog-closed");
    done(result);
}

void frmProps::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (TraceEnabled()) TraceWhenReady(0);
}

void frmProps::TraceWhenReady(int attempt) {
    // Once the dialog is on the screen and has the keyboard: where the main
    // buttons are, so that the real-window tests can press them.
    const bool ready =
        isVisible() && windowHandle() != nullptr && windowHandle()->isExposed() && isActiveWindow();
    if (!ready && attempt < 100) {
        QTimer::singleShot(20, this, [this, attempt] { TraceWhenReady(attempt + 1); });
        return;
    }
    const qreal ratio = devicePixelRatioF();
    for (QWidget* w : {static_cast<QWidget*>(cmdPreviewGal_), static_cast<QWidget*>(cmdPreviewUni_),
                       static_cast<QWidget*>(cmdAccept_), static_cast<QWidget*>(cmdDismiss_),
                       static_cast<QWidget*>(picPreview_)}) {
        const QPoint c = w->mapToGlobal(w->rect().center());
        Trace("control " + w->objectName().toStdString() + " " +
              std::to_string(qRound(c.x() * ratio)) + " " + std::to_string(qRound(c.y() * ratio)));
    }
    Trace("dialog-shown");
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
    CloseHelp();
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

bool frmProps::ShowWelcome(bool offerReset,
                           const std::function<bool(TemplateProgress*)>& saveCurrentSettings) {
    const QString folder =
        QString::fromStdString(std::filesystem::path(safetyCopyPath_).parent_path().string());
    frmWelcome welcome(offerReset, saveCurrentSettings, folder, this);
    Trace(offerReset ? "welcome offering-reset" : "welcome");
    welcome.exec();
    return welcome.F_bResetSettings();
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

bool frmProps::AskResetWithoutSafetyCopy(std::string_view text) {
    // Over the window that asked for the reset: the welcome window, which
    // opens before this dialog is shown, or this dialog.
    QWidget* parent = QApplication::activeModalWidget();
    if (parent == nullptr) parent = this;
    QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Trace("message " + message.left(message.indexOf('\n')).toStdString());
    const QMessageBox::StandardButton answer = QMessageBox::warning(
        parent,
        QString::fromUtf8(kMessageTitle.data(), static_cast<qsizetype>(kMessageTitle.size())),
        message, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (parent->isVisible()) parent->window()->activateWindow();
    return answer == QMessageBox::Yes;
}

void frmProps::SetResetMenuItemChecked(int item, bool checked) {
    if (item >= 0 && item < static_cast<int>(resetItems_.size()) && resetItems_[item] != nullptr)
        resetItems_[item]->setChecked(checked);
}

void frmProps::ReportProgress(int step, int total) {
    picStatus_->setRange(0, total);
    picStatus_->setValue(step);
    // The bar is seen moving; input waits until the load or save is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmProps::BeginProgress() {
    picStatus_->setValue(0);
    picStatus_->show();
}

void frmProps::EndProgress() {
    picStatus_->hide();
}

std::string frmProps::ChooseTemplate(bool open) {
    frmFileIO chooser(store_, process_, open,
                      open ? QStringLiteral("Select Template to Open")
                           : QStringLiteral("Enter or Select Template to Save"),
                      kTemplateFileTypes, kTemplateExtension, this);
    Trace(open ? "template-chooser open" : "template-chooser save");
    const bool chosen = chooser.exec() == QDialog::Accepted;
    // The keyboard comes back to the dialog (where no window manager hands
    // it back, it would go to whatever lies under the pointer).
    activateWindow();
    if (!chosen) return {};
    return chooser.FullFileName();
}

bool frmProps::OpenTemplateFile(const std::string& path) {
    if (running_) {
        WhenNoPreview([this, path] { OpenTemplateFile(path); });
        return false;
    }
    const std::string previous = templates_.CurrentTemplatePath();
    templates_.SetCurrentTemplatePath(path);
    if (!IsTemplateFile(templates_)) {
        // Not a template (or not readable): the dialog keeps what it has, and
        // a later Save does not write over that file.
        templates_.ClearCache();
        templates_.SetCurrentTemplatePath(previous);
        Trace("template-refused " + path);
        ShowInformation(this, QString::fromStdString(path) +
                                  QStringLiteral("\n\nThis file is not a galaxy template, or it "
                                                 "cannot be read.  Nothing was changed."));
        return false;
    }
    BeginProgress();
    const bool loaded = LoadTemplate(templates_, store_, set_, this, this, &held_.Held());
    EndProgress();
    if (!loaded) return false;
    templates_.MarkOwnFile(path);
    universeView_->ClearCompositeSelection();
    Trace("template-loaded " + path);
    return true;
}

bool frmProps::SaveTemplateFile(const std::string& path) {
    if (templates_.ReplacesForeignFile(path)) {
        // A file this dialog neither opened nor saved may be the one copy of
        // someone's settings (the copy made before a reset, say).
        QString text = QString::fromStdString(path) +
                       QStringLiteral("\n\nThis file already exists.  Do you want to replace it?");
        if (std::filesystem::path(path).filename() == kSafetyCopyName)
            text += QStringLiteral(
                "\n\nIt may hold the copy of your settings saved before a "
                "reset.");
        Trace("message " + path + " already exists");
        const QMessageBox::StandardButton answer = QMessageBox::question(
            this,
            QString::fromUtf8(kMessageTitle.data(), static_cast<qsizetype>(kMessageTitle.size())),
            text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        activateWindow();
        if (answer != QMessageBox::Yes) {
            Trace("template-save-declined " + path);
            return false;
        }
    }
    templates_.SetCurrentTemplatePath(path);
    set_.universe = universeView_->TakeUniverseValues(set_.universe);
    BeginProgress();
    std::string why;
    const bool saved = orrelume::SaveTemplate(templates_, store_, set_, this, &held_.Held(), &why);
    EndProgress();
    // The save validated every type: the lists show them as written.
    RefreshLists();
    if (!saved) {
        Trace("template-save-failed " + path);
        ShowInformation(this, QStringLiteral("The template could not be saved to:\n\n") +
                                  QString::fromStdString(path) + QStringLiteral("\n\n") +
                                  QString::fromStdString(why));
        return false;
    }
    templates_.MarkOwnFile(path);
    Trace("template-saved " + path);
    return true;
}

void frmProps::SaveTemplateAs() {
    const std::string path = ChooseTemplate(false);
    if (!path.empty()) SaveTemplateFile(path);
}

void frmProps::SaveTemplate() {
    if (templates_.CurrentTemplatePath().empty()) {
        SaveTemplateAs();
    } else {
        SaveTemplateFile(templates_.CurrentTemplatePath());
    }
}

bool frmProps::ResetProperties(int menuItem) {
    if (galaxyViewShown_) return false;
    if (running_) {
        WhenNoPreview([this, menuItem] { ResetProperties(menuItem); });
        return false;
    }
    set_.universe = universeView_->TakeUniverseValues(set_.universe);
    BeginProgress();
    const bool reset =
        OfferReset(store_, set_, templates_, *this, menuItem, safetyCopyPath_, held_.Held());
    EndProgress();
    if (reset) {
        picPreview_->update();
        Trace("reset " + std::to_string(menuItem));
    }
    return reset;
}

}  // namespace orrelume
