// The molecule editor: up to 32 atoms of a galaxy type, each an element with
// a structure, a place and its sizes, the structure centre and the type's
// radius, rotation and distance, with ten themes and a preview. OK writes
// the atoms and the three values into the type; Cancel leaves the type
// exactly as it was.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "dialogs/companion_window.h"
#include "dialogs/molecule_table.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orrelume {

struct HueTable;
class PictureBox;

class frmMolecule : public ThemedEditor {
    Q_OBJECT
  public:
    frmMolecule(SettingsStore& store, SettingsSet& set, int slot,
                const DialogPreviewValues& preview, QWidget* parent = nullptr);
    ~frmMolecule() override;

    QPushButton& ActionButton(AtomAction action) const;
    QListWidget& AtomList() const { return *lstElements_; }

    // The molecule the editor holds (atoms, centre and galaxy values).
    MoleculeFormValues Values() const;
    // The atom the element, structure and boxes make.
    AtomFormValues AtomForm() const;
    void ShowAtomForm(const AtomFormValues& form);
    // Add, Update or Remove; a message instead when the action is refused.
    // True when done.
    bool Act(AtomAction action);

  protected:
    // Without atoms a message, and nothing is written.
    bool PutEdits(GalaxyType& type) override;
    std::string_view ApplyTheme(int theme) override;
    void Clear() override;

  private:
    void Build();
    void ShowValues(const MoleculeFormValues& values);
    void ShowAtoms(int select);
    void ApplyStructureCaptions(int structure);
    void ShowElement(int element);

    std::unique_ptr<HueTable> hues_;
    // The atoms as the list shows them.
    std::vector<AtomEntry> atoms_;

    QComboBox* cboElement_ = nullptr;
    QLabel* lblSymbol_ = nullptr;
    PictureBox* picElement_ = nullptr;
    QComboBox* cboType_ = nullptr;
    std::array<QLineEdit*, kAtomBoxes> props_{};
    std::array<QLabel*, kAtomBoxes> propLabels_{};
    std::array<QLabel*, kAtomBoxes> propRanges_{};
    std::array<QPushButton*, 3> actions_{};
    QListWidget* lstElements_ = nullptr;
};

}  // namespace orrelume
