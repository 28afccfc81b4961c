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
#pragma once

#include <QDialog>

#include <memory>
#include <string_view>

#include "dialogs/editor_values.h"
#include "driver/host_state.h"
#include "settings/records.h"
#include "settings/store.h"
#include "ui/help.h"
#include "ui/preview_box.h"

class QCloseEvent;
class QGroupBox;
class QHBoxLayout;
class QMenuBar;
class QPushButton;
class QVBoxLayout;

namespace orrelume {

class PreviewControl;

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

  public slots:
    void reject() override;
    void done(int result) override;

  protected:
    // Edits set.types[slot]; `placementSection` is where the window's place
    // is kept. The window's layout starts under its menu bar.
    CompanionWindow(SettingsStore& store, SettingsSet& set, int slot,
                    const DialogPreviewValues& preview, std::string_view objectName,
                    std::string_view placementSection, QWidget* parent);

    void closeEvent(QCloseEvent* event) override;

    // The layout the editor fills from the top.
    QVBoxLayout& Outer() const { return *outer_; }
    // The editor's body under what the editor put at the top so far: a
    // column for its fields (returned), and the preview to its right.
    QVBoxLayout* MakeColumns();
    // The frame `fraPreview` with the box `picPreview` and the button
    // `cmdPreview`, whose idle caption is `buttonCaption`, right of the
    // fields' column.
    void MakePreview(std::string_view frameCaption, std::string_view buttonCaption);
    // The bottom row: `leading` (if any) at the left, then OK (pressed by
    // Return), Cancel and Help, which opens `topic`.
    QHBoxLayout* MakeButtonRow(QPushButton* leading, HelpTopic topic);
    // The window menu, the size of the layout, and the place where the
    // window was last (centred the first time): the end of an editor's
    // constructor.
    void Place();

    GalaxyType& EditedType() const { return set_.types[static_cast<size_t>(slot_)]; }
    // Runs the preview on `scratch`, a copy of the records with the edits in
    // place: the records themselves change only on OK.
    void RunOnScratch(std::unique_ptr<GalaxyTypeTable> scratch);

    // OK was pressed (no preview runs): write the edits and accept(), or
    // say why not and stay.
    virtual void OnOk() = 0;
    // Starts the preview of the values typed so far (returns when it ends).
    virtual void StartPreview() = 0;

    SettingsStore& store_;
    SettingsSet& set_;
    const int slot_;
    const DialogPreviewValues preview_;

  private:
    std::string_view placementSection_;
    RunFlags previewFlags_;
    QVBoxLayout* outer_ = nullptr;
    QHBoxLayout* body_ = nullptr;
    QMenuBar* bar_ = nullptr;
    PreviewBox* picPreview_ = nullptr;
    QPushButton* cmdPreview_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    QString previewCaption_;
    std::unique_ptr<PreviewControl> running_;
};

}  // namespace orrelume
