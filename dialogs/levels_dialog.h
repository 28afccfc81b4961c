// The galaxy levels dialog: the nested levels of a standard galaxy type (how
// many, the radius increment and height multiplier between them, three
// level options) and the type's radius and distance, with a preview of the
// type as typed so far. OK writes the values into the type; Cancel leaves
// the type exactly as it was, whatever was previewed.
#pragma once

#include <QDialog>

#include <array>
#include <memory>
#include <string_view>

#include "dialogs/levels_form.h"
#include "dialogs/preview_box.h"
#include "driver/host_state.h"
#include "settings/records.h"
#include "settings/store.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace orrelume {

namespace companion {
class CompanionPreview;
}

inline constexpr std::string_view kLevelsPlacementSection = "General\\Levels";

class frmLevels : public QDialog {
    Q_OBJECT
  public:
    // Edits set.types[slot]; the preview runs on a copy of `set` with the
    // universe values of `preview`.
    frmLevels(SettingsStore& store, SettingsSet& set, int slot, const DialogPreviewValues& preview,
              QWidget* parent = nullptr);
    ~frmLevels() override;

    QPushButton& OkButton() const { return *cmdOK_; }
    QPushButton& CancelButton() const { return *cmdDismiss_; }
    QPushButton& PreviewButton() const { return *cmdPreview_; }
    PreviewBox& Preview() const { return *picPreview_; }
    bool PreviewRunning() const;

    // "Preview" / "Stop".
    void TogglePreview();

  public slots:
    // Escape: stops a running preview, else cancels.
    void reject() override;
    void done(int result) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Build();
    LevelsFormValues Values() const;
    void RunPreview();

    SettingsStore& store_;
    SettingsSet& set_;
    int slot_;
    const DialogPreviewValues preview_;
    HostState previewFlags_;

    std::array<QLineEdit*, kLevelsFieldCount> fields_{};
    std::array<QCheckBox*, 3> toggles_{};
    PreviewBox* picPreview_ = nullptr;
    QPushButton* cmdPreview_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    std::unique_ptr<companion::CompanionPreview> running_;
};

}  // namespace orrelume
