// The about box: the product's name and version, a pointer to the manual,
// the link to the project's home page, the credits, and an animation of the
// factory composite galaxies one after another. It never changes the user's
// settings, in memory or in the store: it animates a copy of the first
// factory set and reads the store through a view that cannot write.
#pragma once

#include <QDialog>

#include "dialogs/about_values.h"
#include "driver/host_state.h"
#include "settings/records.h"
#include "settings/store.h"

class QLabel;
class QPushButton;

namespace orrelume {

class PreviewBox;

class frmAbout : public QDialog {
    Q_OBJECT
  public:
    // Modal (exec); the animation starts when the box is first shown and
    // ends when it closes.
    explicit frmAbout(SettingsStore& store, QWidget* parent = nullptr);
    ~frmAbout() override;

    PreviewBox& Picture() const { return *picQUIV_; }
    QPushButton& CreditsButton() const { return *cmdCredits_; }
    QPushButton& DismissButton() const { return *cmdDismiss_; }
    // The composite the animation shows next (0 to 15).
    int CompositeCounter() const { return counter_; }
    bool Animating() const { return animating_; }

  public slots:
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Runs the composites in turn until the box closes.
    void Animate();
    void RunComposite(int slot);
    void OpenCredits();

    ReadOnlyRoot view_;
    SettingsStore readOnlyStore_;
    RunFlags state_;
    SettingsSet factory_;
    UniverseSettings universe_;
    int counter_ = 0;
    bool started_ = false;
    bool animating_ = false;

    PreviewBox* picQUIV_ = nullptr;
    QLabel* lblWeb_ = nullptr;
    QPushButton* cmdCredits_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;
};

}  // namespace orrelume
