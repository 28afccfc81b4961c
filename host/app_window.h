// The application window: the animation of the saver in an ordinary window.
// Without "Adv_WinResize" it fills the screen without a caption and hides
// the pointer; with it, it is a captioned, resizable window that comes back
// where and as large as it was left. Escape ends the program; F5 restarts the
// run with freshly read settings; any other key or a click opens the
// properties dialog.
#pragma once

#include "host/run_window.h"

namespace orrelume {

// The settings section of the application window's placement.
inline constexpr std::string_view kAppWindowSection = "General";

class frmAppEXE : public RunWindow {
  public:
    frmAppEXE(HostState& state, SettingsStore& store);

    // Runs until Escape (or the window is closed); F5 runs again in place.
    void Run();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // One run: the window's look from the settings, the surface, the
    // first-run factory set, then the animation until a stop.
    void RunOnce();
    void ApplyWindowMode(bool resizable);
    // Pauses the animation under the properties dialog; afterwards the run
    // starts again with the settings as the dialog left them, or the
    // program ends when the dialog's Exit was chosen.
    void OpenProperties();

    bool runAgain_ = false;
    bool placed_ = false;
    bool resizable_ = false;
    bool propertiesOpen_ = false;
};

}  // namespace orrelume
