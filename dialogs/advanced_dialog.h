// The advanced settings dialog: frame delay, focal length, the message drawn
// over the animation with its font, the randomization values and the three
// switches of section "Advanced". OK writes them straight to the store it
// edits; Defaults puts the factory values into the controls only; Cancel
// writes nothing.
#pragma once

#include <QDialog>

#include <array>
#include <string>
#include <string_view>

#include "dialogs/advanced_form.h"
#include "settings/store.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace orrelume {

// Where the dialog keeps its placement.
inline constexpr std::string_view kAdvancedPlacementSection = "General\\Advanced";

class frmAdvanced : public QDialog {
    Q_OBJECT
  public:
    frmAdvanced(SettingsStore& store, QWidget* parent = nullptr);
    // Edits the values of `values` (a dialog's held values over the stored
    // ones, say); its placement is kept in `store`.
    frmAdvanced(SettingsStore& store, SettingsStore& values, QWidget* parent = nullptr);
    ~frmAdvanced() override;

    QPushButton& OkButton() const { return *cmdOK_; }
    QPushButton& DefaultsButton() const { return *cmdDefaults_; }
    QPushButton& CancelButton() const { return *cmdDismiss_; }
    // What the controls hold now (the font as OK would write it).
    AdvancedFormValues Values() const;

    // OK: the values written and the dialog closed, unless effect cycling is
    // on without an effect (a message says so). True when written.
    bool Confirm();

  public slots:
    void done(int result) override;

  private:
    void Build();
    void ShowValues(const AdvancedFormValues& values);
    void SelectFont(const std::string& name);

    SettingsStore& store_;
    SettingsStore& values_;
    std::array<QLineEdit*, kAdvancedFieldSlots> fields_{};
    std::array<QCheckBox*, kAdvancedChecks.size()> checks_{};
    std::array<QCheckBox*, kEffectBoxes> effects_{};
    QCheckBox* chkCycle_ = nullptr;
    QComboBox* cboFont_ = nullptr;
    QComboBox* cboPixel_ = nullptr;
    QLineEdit* txtMessage_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdDefaults_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    // The font name OK writes while the user has not picked one from the
    // list: the stored name may be a font this system does not have, and
    // the list then shows the font used in its place.
    std::string fontName_;
    bool fontPicked_ = false;
};

}  // namespace orrelume
