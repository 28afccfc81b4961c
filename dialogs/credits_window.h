// The credits window: a starfield flying towards the viewer behind a panel
// in which the credits scroll upwards and start again from the bottom. A
// double-click on the starfield switches the window between normal and
// maximised; after a resize the stars start afresh.
#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>

#include <cstdint>

#include "dialogs/starfield.h"
#include "driver/host_state.h"

class QLabel;
class QPushButton;

namespace orrelume {

class StarfieldBox;

// The credits text: what the program is and what it is built with, with
// the licences of those parts.
QString CreditsText();

class frmCredits : public QDialog {
    Q_OBJECT
  public:
    explicit frmCredits(QWidget* parent = nullptr, uint64_t seed = 0);
    ~frmCredits() override;

    // Star count, star speed and scroll step, each kept within its range;
    // set before the window is shown.
    void SetParameters(double stars, double speed, double scrollStep);
    const CreditsParameters& Parameters() const { return parameters_; }

    // The starfield as drawn (device pixels), and the frames run so far.
    const QImage& Field() const;
    int64_t Frames() const { return frames_; }
    bool Running() const { return timer_.isActive(); }
    QLabel& CreditsPanel() const { return *picCredits_; }
    QPushButton& DismissButton() const { return *cmdDismiss_; }

    // One frame of the animation (the timer calls it).
    void Frame();

  public slots:
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void FitCredits();
    friend class StarfieldBox;

    CreditsParameters parameters_;
    RunFlags state_;
    QTimer timer_;
    int64_t frames_ = 0;
    double creditsTop_ = 0;
    bool started_ = false;

    StarfieldBox* picField_ = nullptr;
    QWidget* picFrame_ = nullptr;
    QLabel* picCredits_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;
};

}  // namespace orrelume
