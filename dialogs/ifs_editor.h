// The user-defined IFS editor: up to five attractor points of a galaxy type,
// the structure centre and the type's radius, rotation and distance, with
// ten themes and a preview. OK writes the table and the three values into
// the type; Cancel leaves the type exactly as it was.
#pragma once

#include <QDialog>

#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "dialogs/ifs_table.h"
#include "dialogs/preview_box.h"
#include "driver/host_state.h"
#include "settings/records.h"
#include "settings/store.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orrelume {

namespace companion {
class CompanionPreview;
}

inline constexpr std::string_view kIfsPlacementSection = "General\\IFS";

class frmUserDefIFS : public QDialog {
    Q_OBJECT
  public:
    frmUserDefIFS(SettingsStore& store, SettingsSet& set, int slot,
                  const DialogPreviewValues& preview, QWidget* parent = nullptr);
    ~frmUserDefIFS() override;

    QPushButton& OkButton() const { return *cmdOK_; }
    QPushButton& CancelButton() const { return *cmdDismiss_; }
    QPushButton& PreviewButton() const { return *cmdPreview_; }
    PreviewBox& Preview() const { return *picPreview_; }
    bool PreviewRunning() const;

    // What the boxes hold, and putting values into them.
    IfsFormValues Values() const;
    void ShowValues(const IfsFormValues& values);
    // Picks theme 0..9 as choosing it from the list does.
    void ChooseTheme(int theme);

    // OK: the table into the type and the window closed; with fewer than
    // two points a message, and the window stays. True when written.
    bool Confirm();
    // "Preview I.F.S." / "Stop".
    void TogglePreview();

  public slots:
    void reject() override;
    void done(int result) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Build();
    // The table of the boxes, or a message and nothing when it is too small.
    std::optional<IfsTable> UsableTable();

    SettingsStore& store_;
    SettingsSet& set_;
    int slot_;
    const DialogPreviewValues preview_;
    HostState previewFlags_;

    struct Row {
        std::array<QLineEdit*, kIfsColumns> boxes{};  // the axis column is null
        QComboBox* axis = nullptr;
    };
    std::array<Row, kMaxIfsPoints> rows_{};
    std::array<QLineEdit*, 3> centre_{};
    std::array<QLineEdit*, 3> galaxy_{};
    QComboBox* cboTheme_ = nullptr;
    QLabel* lblThemeDesc_ = nullptr;
    PreviewBox* picPreview_ = nullptr;
    QPushButton* cmdPreview_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;
    QPushButton* cmdClear_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    std::unique_ptr<companion::CompanionPreview> running_;
};

}  // namespace orrelume
