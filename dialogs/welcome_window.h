// The welcome window, shown once when the properties dialog first opens:
// a greeting, and, for a user who has settings of an earlier version, the
// offer to reset to the factory settings after saving the current ones.
#pragma once

#include <QDialog>

#include <functional>

#include "settings/template_file.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace orrelume {

// The paragraphs of the two greetings (a user with earlier settings, a new
// one), as plain text with line breaks.
QString WelcomeText(bool earlierSettings, const QString& safetyCopyFolder);

class frmWelcome : public QDialog, public TemplateProgress {
    Q_OBJECT
  public:
    // `earlierSettings`: offer the reset. `saveCurrentSettings` saves the
    // settings before a reset, reporting to the window's status box; false
    // when the user chose not to reset after all (the window stays open).
    // `safetyCopyFolder` is where that copy goes.
    frmWelcome(bool earlierSettings, std::function<bool(TemplateProgress*)> saveCurrentSettings,
               const QString& safetyCopyFolder, QWidget* parent = nullptr);

    // Whether the reset button was pressed.
    bool F_bResetSettings() const { return reset_; }
    QPushButton& ResetButton() const { return *cmdReset_; }
    QPushButton& DismissButton() const { return *cmdDismiss_; }

    void ReportProgress(int step, int total) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Reset();

    std::function<bool(TemplateProgress*)> saveCurrentSettings_;
    QProgressBar* picStatus_ = nullptr;
    QPushButton* cmdReset_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;
    bool reset_ = false;
};

}  // namespace orrelume
