// The window every companion editor of the properties dialog is: one galaxy
// type of the dialog's records edited with a preview of the values typed so
// far. The window owns what the editors share: the records and the edited
// slot, the universe values the preview runs with, the preview's box,
// button and flags, the OK, Cancel and Help row, the "Window can be
// Resized" menu, and the placement kept in its own section of the store.
//
// However the window ends (OK, Cancel, Escape, the close button) a running
// preview stops first and the placement is stored; Escape and Cancel
// during a preview stop the preview only. OK writes the edits into the
// type; Cancel leaves the type exactly as it was, whatever was previewed.
//
// An editor says only how its boxes are laid out and how the values typed
// so far go into a galaxy type (`PutEdits`): OK puts them into the edited
// type, the preview into a copy of the records.
#pragma once

#include <QDialog>

#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "dialogs/editor_values.h"
#include "driver/host_state.h"
#include "settings/records.h"
#include "settings/store.h"
#include "ui/help.h"
#include "ui/preview_box.h"

class QCloseEvent;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QVBoxLayout;

namespace orrelume {

class PreviewControl;

// What sets one companion window apart from the others.
struct CompanionTraits {
    std::string_view objectName;
    // The window's title; an editor whose title depends on the type leaves
    // it empty and sets its own.
    std::string_view title;
    // The section of the store that keeps the window's place.
    std::string_view placementSection;
    // The preview button's caption while no preview runs.
    std::string_view previewCaption;
    // The style the preview shows the type in (its own when none).
    std::optional<int> previewStyle;
};

class CompanionWindow : public QDialog {
    Q_OBJECT
  public:
    ~CompanionWindow() override;

    QPushButton& OkButton() const { return *cmdOK_; }
    QPushButton& CancelButton() const { return *cmdDismiss_; }
    QPushButton& PreviewButton() const { return *cmdPreview_; }
    PreviewBox& Preview() const { return *picPreview_; }
    bool PreviewRunning() const;

    // The preview button: stops a running preview, else previews the values
    // typed so far (while the window is shown).
    void TogglePreview();
    // OK: the edits into the type and the window closed; when the values
    // cannot be used a message says why and the window stays. True when
    // written.
    bool Confirm();

  public slots:
    void reject() override;
    void done(int result) override;

  protected:
    // Edits set.types[slot]; the preview runs on a copy of `set` with the
    // universe values of `preview`. The window's layout starts under its
    // menu bar.
    CompanionWindow(const CompanionTraits& traits, SettingsStore& store, SettingsSet& set, int slot,
                    const DialogPreviewValues& preview, QWidget* parent);

    void closeEvent(QCloseEvent* event) override;

    // The layout the editor fills from the top.
    QVBoxLayout& Outer() const { return *outer_; }
    // The editor's body under what the editor put at the top so far: a
    // column for its fields (returned), and the preview to its right.
    QVBoxLayout* MakeColumns();
    // The frame `fraPreview` with the box `picPreview` and the button
    // `cmdPreview` right of the fields' column.
    void MakePreview(std::string_view frameCaption);
    // The bottom row: `leading` (if any) at the left, then OK (pressed by
    // Return), Cancel and Help, which opens `topic`.
    QHBoxLayout* MakeButtonRow(QPushButton* leading, HelpTopic topic);
    // The window menu, the size of the layout, and the place where the
    // window was last (centred the first time): the end of an editor's
    // constructor.
    void Place();

    GalaxyType& EditedType() const { return set_.types[static_cast<size_t>(slot_)]; }

    // Puts the values typed so far into `type`: the edited type on OK, its
    // copy for the preview. False, with a message shown, when they cannot
    // be used; `type` is then as it was.
    virtual bool PutEdits(GalaxyType& type) = 0;

  private:
    // Previews the values typed so far (returns when the preview ends).
    void StartPreview();

    const CompanionTraits traits_;
    SettingsStore& store_;
    SettingsSet& set_;
    const int slot_;
    const DialogPreviewValues preview_;
    RunFlags previewFlags_;
    QVBoxLayout* outer_ = nullptr;
    QHBoxLayout* body_ = nullptr;
    QMenuBar* bar_ = nullptr;
    PreviewBox* picPreview_ = nullptr;
    QPushButton* cmdPreview_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    std::unique_ptr<PreviewControl> running_;
};

// A companion editor of a structure with ten themes: the theme line at the
// top, the structure's centre and the galaxy's values under the editor's
// own boxes, and a Clear button left of OK.
class ThemedEditor : public CompanionWindow {
    Q_OBJECT
  public:
    // Picks theme 0..9 as choosing it from the list does.
    void ChooseTheme(int theme);

  protected:
    using CompanionWindow::CompanionWindow;

    // The theme line at the top of the window, listing `names`.
    void MakeThemeLine(const std::array<std::string_view, 10>& names);
    // The centre's and the galaxy's frames side by side
    // (`fraCenter`, `fraGalaxy`).
    QHBoxLayout* MakeCentreAndGalaxy();
    // The bottom row with `cmdClear` first; Help opens `topic`.
    void MakeClearAndButtonRow(HelpTopic topic);

    const std::array<QLineEdit*, 3>& Centre() const { return centre_; }
    const std::array<QLineEdit*, 3>& Galaxy() const { return galaxy_; }

    // Puts theme 0..9 into the boxes and gives its description.
    virtual std::string_view ApplyTheme(int theme) = 0;
    // Clear: empties the editor's own boxes or list.
    virtual void Clear() = 0;

  private:
    QComboBox* cboTheme_ = nullptr;
    QLabel* lblThemeDesc_ = nullptr;
    std::array<QLineEdit*, 3> centre_{};
    std::array<QLineEdit*, 3> galaxy_{};
};

}  // namespace orrelume
