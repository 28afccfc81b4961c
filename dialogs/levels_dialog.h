// The galaxy levels dialog: the nested levels of a standard galaxy type (how
// many, the radius increment and height multiplier between them, three
// level options) and the type's radius and distance, with a preview of the
// type as typed so far. OK writes the values into the type; Cancel leaves
// the type exactly as it was, whatever was previewed.
#pragma once

#include <array>
#include <string_view>

#include "dialogs/companion_window.h"
#include "dialogs/levels_form.h"

class QCheckBox;
class QLineEdit;

namespace orrelume {

class frmLevels : public CompanionWindow {
    Q_OBJECT
  public:
    frmLevels(SettingsStore& store, SettingsSet& set, int slot, const DialogPreviewValues& preview,
              QWidget* parent = nullptr);

  protected:
    bool PutEdits(GalaxyType& type) override;

  private:
    void Build();
    LevelsFormValues Values() const;

    std::array<QLineEdit*, kLevelsFieldCount> fields_{};
    std::array<QCheckBox*, 3> toggles_{};
};

}  // namespace orrelume
