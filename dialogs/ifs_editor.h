// The user-defined IFS editor: up to five attractor points of a galaxy type,
// the structure centre and the type's radius, rotation and distance, with
// ten themes and a preview. OK writes the table and the three values into
// the type; Cancel leaves the type exactly as it was.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "dialogs/companion_window.h"
#include "dialogs/ifs_table.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orrelume {

inline constexpr std::string_view kIfsPlacementSection = "General\\IFS";

class frmUserDefIFS : public CompanionWindow {
    Q_OBJECT
  public:
    frmUserDefIFS(SettingsStore& store, SettingsSet& set, int slot,
                  const DialogPreviewValues& preview, QWidget* parent = nullptr);
    ~frmUserDefIFS() override;

    // What the boxes hold, and putting values into them.
    IfsFormValues Values() const;
    void ShowValues(const IfsFormValues& values);
    // Picks theme 0..9 as choosing it from the list does.
    void ChooseTheme(int theme);

    // OK: the table into the type and the window closed; with fewer than
    // two points a message, and the window stays. True when written.
    bool Confirm();

  protected:
    void OnOk() override { Confirm(); }
    void StartPreview() override;

  private:
    void Build();
    // The table of the boxes, or a message and nothing when it is too small.
    std::optional<IfsTable> UsableTable();

    struct Row {
        std::array<QLineEdit*, kIfsColumns> boxes{};  // the axis column is null
        QComboBox* axis = nullptr;
    };
    std::array<Row, kMaxIfsPoints> rows_{};
    std::array<QLineEdit*, 3> centre_{};
    std::array<QLineEdit*, 3> galaxy_{};
    QComboBox* cboTheme_ = nullptr;
    QLabel* lblThemeDesc_ = nullptr;
    QPushButton* cmdClear_ = nullptr;
};

}  // namespace orrelume
