// The properties dialog: the universe view (universe values, the galaxy
// types with their names and percentages, the composites) and the galaxy
// view (every property of one type), a preview box for a galaxy, a composite
// or a whole universe, and the menus. It edits a copy of the settings in
// memory; only "&Accept Settings" writes them to the store.
#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "dialogs/dialog_port.h"
#include "driver/host_state.h"
#include "settings/records.h"
#include "settings/store.h"
#include "settings/template_file.h"
#include "ui/preview_box.h"

class QAction;
class QGroupBox;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace orrelume {

class GalaxyView;
class PreviewBox;
class PreviewControl;
class PropertyCopyPanel;
class UniverseView;

// The dialog's caption, by which a configuration start finds an open one.
inline constexpr const char* kPropertiesCaption = "Galaxy Properties";
// Where the dialog keeps its placement.
inline constexpr std::string_view kPropertiesSection = "General\\Main";

// The three previews of the dialog.
enum class PreviewKind { Galaxy, Composite, Universe };

class frmProps : public QDialog, public SettingsDialogPort {
    Q_OBJECT
  public:
    // `process` holds the flags of the program: the dialog raises
    // RestartRequested when it is closed from outside, and ExitRequested
    // from File, Exit. Its previews stop through flags of their own.
    frmProps(SettingsStore& store, HostState& process, QWidget* parent = nullptr);
    ~frmProps() override;

    // The records the dialog edits.
    SettingsSet& WorkingSet() { return set_; }
    UniverseView& Universe() const { return *universeView_; }
    GalaxyView& Galaxy() const { return *galaxyView_; }
    PreviewBox& Preview() const { return *picPreview_; }
    PropertyCopyPanel& CopyPanel() const { return *copyPanel_; }
    QPushButton& AcceptButton() const { return *cmdAccept_; }
    QPushButton& CancelButton() const { return *cmdDismiss_; }
    QPushButton& PreviewButton(PreviewKind kind) const;

    // The galaxy view of the selected type (a message when none is).
    void OpenGalaxyView();
    // Back to the universe view, the grid taken into the type.
    void LeaveGalaxyView();
    bool GalaxyViewShown() const { return galaxyViewShown_; }

    // "&Accept Settings": the write test, then every setting saved and the
    // dialog closed. A store that cannot be written keeps the dialog open
    // with the edits. True when the settings were saved.
    bool AcceptSettings();

    // Starts the preview of a kind, or stops it when it runs.
    void TogglePreview(PreviewKind kind);
    bool PreviewRunning() const;

    // File, Open Template: the template at `path` into the dialog (its
    // advanced values are held until Accept). A file that is no template
    // changes nothing and says so. True when it was loaded. While a preview
    // runs, the preview stops and the template is opened after it.
    bool OpenTemplateFile(const std::string& path);
    // Save Template: everything the dialog holds to `path`, which becomes
    // the current template. An existing file that this dialog did not open
    // or save is replaced only when the user agrees. A failed save says so.
    // True when it was saved.
    bool SaveTemplateFile(const std::string& path);
    // Edit, Reset Properties, item 0 (the 2.0 set) or 2 (the 4.x set). While
    // a preview runs, the preview stops and the reset is offered after it.
    bool ResetProperties(int menuItem);
    const GalaxyTemplate& Templates() const { return templates_; }
    // The advanced values the dialog holds (from a reset, a template or the
    // advanced settings), stored on Accept and dropped on Cancel.
    const AdvancedTexts& HeldAdvanced() const { return held_.Held(); }
    // The store as the dialog holds it: the held advanced values over the
    // stored ones. The advanced settings and the previews read it.
    SettingsStore& HeldStore() { return heldStore_; }

    // SettingsDialogPort.
    void ShowUniverseValues(const UniverseSettings& universe) override;
    void RefreshLists() override;
    void SelectFirstGalaxyType() override;
    void ShowUniverseThemePosition(int position) override;
    void ShowFirstExtrasPage() override;
    void ClearCompositeSelection() override;
    bool ShowWelcome(bool offerReset,
                     const std::function<bool(TemplateProgress*)>& saveCurrentSettings) override;
    ResetAnswer AskResetQuestion(std::string_view text) override;
    bool AskResetWithoutSafetyCopy(std::string_view text) override;
    void SetResetMenuItemChecked(int item, bool checked) override;
    void ReportProgress(int step, int total) override;

  public slots:
    // Escape: stops a running preview, leaves the galaxy view, or cancels.
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildMenus(QMenuBar& bar);
    void LoadSettings();
    // Closes the dialog from its own code (Accept, Cancel, Exit).
    void CloseFromDialog(int result);
    void RunPreview(PreviewKind kind);
    void SetAcceptCaption(bool galaxyView);
    // What a companion editor's preview takes from the universe page.
    DialogPreviewValues PreviewValues() const;
    // The galaxy view's "..." (levels) or "User Defined ..." (points or
    // atoms) for the edited type.
    void OpenCompanion(bool userDefined);
    // The trace of the dialog shown, once it can take input.
    void TraceWhenReady(int attempt);
    // The template chooser; the chosen path, or empty when cancelled.
    std::string ChooseTemplate(bool open);
    void SaveTemplateAs();
    void SaveTemplate();
    // Runs `action` now, or, while a preview runs, stops the preview and
    // runs it once the preview has returned: what changes the settings must
    // not change them under a running preview.
    void WhenNoPreview(std::function<void()> action);
    // Shows the progress bar for the duration of a load or save.
    void BeginProgress();
    void EndProgress();

    SettingsStore& store_;
    HostState& process_;
    // The previews' own flags: stop and restart of the running preview.
    RunFlags previewState_;
    SettingsSet set_;
    GalaxyTemplate templates_;
    // Where the settings are saved before a reset.
    std::string safetyCopyPath_;
    // The advanced values of a reset, an opened template or the advanced
    // settings, held over the stored ones until Accept.
    HeldAdvancedRoot held_;
    SettingsStore heldStore_;
    // What waits for the running preview to stop.
    std::function<void()> afterPreview_;

    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QMenu* resetMenu_ = nullptr;
    std::array<QAction*, 3> resetItems_{};
    QGroupBox* fraAni_ = nullptr;
    QStackedWidget* views_ = nullptr;
    UniverseView* universeView_ = nullptr;
    GalaxyView* galaxyView_ = nullptr;
    PropertyCopyPanel* copyPanel_ = nullptr;
    QGroupBox* fraPreview_ = nullptr;
    PreviewBox* picPreview_ = nullptr;
    QPushButton* cmdPreviewGal_ = nullptr;
    QPushButton* cmdPreviewUni_ = nullptr;
    QProgressBar* picStatus_ = nullptr;
    QPushButton* cmdAccept_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;

    bool galaxyViewShown_ = false;
    int editedType_ = -1;
    // The preview that runs, and what disables the other controls while it
    // runs.
    std::optional<PreviewKind> running_;
    std::unique_ptr<PreviewControl> previewControl_;
    bool closingFromDialog_ = false;
};

}  // namespace orrelume
