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
class QLineEdit;

namespace orrelume {

class frmUserDefIFS : public ThemedEditor {
    Q_OBJECT
  public:
    frmUserDefIFS(SettingsStore& store, SettingsSet& set, int slot,
                  const DialogPreviewValues& preview, QWidget* parent = nullptr);

    // What the boxes hold, and putting values into them.
    IfsFormValues Values() const;
    void ShowValues(const IfsFormValues& values);

  protected:
    // With fewer than two points a message, and nothing is written.
    bool PutEdits(GalaxyType& type) override;
    std::string_view ApplyTheme(int theme) override;
    void Clear() override;

  private:
    void Build();

    struct Row {
        std::array<QLineEdit*, kIfsColumns> boxes{};  // the axis column is null
        QComboBox* axis = nullptr;
    };
    std::array<Row, kMaxIfsPoints> rows_{};
};

}  // namespace orrelume
