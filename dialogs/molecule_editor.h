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

inline constexpr std::string_view kMoleculePlacementSection = "General\\Atomics";

class frmMolecule : public CompanionWindow {
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
    // Picks theme 0..9 as choosing it from the list does.
    void ChooseTheme(int theme);

    // Add, Update or Remove; a message instead when the action is refused.
    // True when done.
    bool Act(AtomAction action);
    // OK: the molecule into the type and the window closed; without atoms a
    // message, and the window stays. True when written.
    bool Confirm();

  protected:
    void OnOk() override { Confirm(); }
    void StartPreview() override;

  private:
    void Build();
    void ShowAtoms(int select);
    void ApplyStructureCaptions(int structure);
    void ShowElement(int element);
    // The molecule of the editor, or a message and nothing without atoms.
    std::optional<MoleculeFormValues> UsableMolecule();

    std::unique_ptr<HueTable> hues_;
    // The atoms as the list shows them.
    std::vector<AtomEntry> atoms_;

    QComboBox* cboTheme_ = nullptr;
    QLabel* lblThemeDesc_ = nullptr;
    QComboBox* cboElement_ = nullptr;
    QLabel* lblSymbol_ = nullptr;
    PictureBox* picElement_ = nullptr;
    QComboBox* cboType_ = nullptr;
    std::array<QLineEdit*, kAtomBoxes> props_{};
    std::array<QLabel*, kAtomBoxes> propLabels_{};
    std::array<QLabel*, kAtomBoxes> propRanges_{};
    std::array<QPushButton*, 3> actions_{};
    QListWidget* lstElements_ = nullptr;
    std::array<QLineEdit*, 3> centre_{};
    std::array<QLineEdit*, 3> galaxy_{};
    QPushButton* cmdClear_ = nullptr;
};

}  // namespace orrelume
