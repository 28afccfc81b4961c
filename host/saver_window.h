// The full-screen saver window: black, the pointer hidden, the animation
// running until input ends it. In background mode it ignores keys and single
// clicks, and only a double-click ends it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QRect>

#include "host/run_window.h"
#include "platform/x11_windows.h"

namespace orrelume {

// Whether the desktop's password services of the old consumer systems are
// in charge of the saver's password. Never on this platform: the saver closes
// at once and announces nothing.
bool IsWindows9x();
// Whether the desktop asks for a password to end the saver.
bool SaverPasswordEnabled();
// Tells the system that a password-protected saver runs (or stopped).
void SaverRunning(bool running);
// Whether the saver may close: the password check where the saver is in
// charge of it; otherwise yes at once.
bool VerifySaverPassword(const QWidget& window);

// The mouse-move rule: four moves within ten seconds of the first counted
// one close the saver; a slow drift of the pointer, or the single move the
// system may send when the window opens, does not.
class MouseMoveRule {
  public:
    // Counts one move at `secondsOfDay` (seconds since midnight, local
    // time). True when this move closes the window.
    bool Move(double secondsOfDay, bool background);

    int32_t MouseMoveCounter = 0;
    // Whole seconds since midnight of the first counted move; 0 = none.
    int32_t firstMoveTime = 0;
};

// The parts of the screen the saver covers, one window each, in the
// toolkit's coordinates, its own screen first: the toolkit's screens (its
// primary first), unless the display's monitor list (RandR's monitors, else
// Xinerama's heads, in device pixels) names more, as classic Xinerama does
// where the toolkit sees one screen across every head. Then each monitor
// gets its own window, the one holding the primary screen's corner first.
std::vector<QRect> SaverMonitors(const std::vector<QRect>& screens,
                                 const std::vector<MonitorArea>& monitors, qreal ratio);

class frmSaver : public RunWindow {
  public:
    frmSaver(HostState& state, SettingsStore& store);

    // Set-up and run: shows the window full screen, runs the animation until
    // a stop, then closes the window.
    void Run();

    bool Background() const { return background_; }
    // The windows that show the animation on the other monitors.
    size_t MirrorCount() const { return mirrors_.size(); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void PresentMore(const DrawingSurface& surface, const SurfaceChanges& changes) override;

  private:
    // Every monitor but the saver's own gets a black window of its own that
    // shows the same frames, centred; input on any of them counts.
    void CoverOtherScreens(const std::vector<QRect>& others);
    struct Mirror {
        std::unique_ptr<QWidget> window;
        std::unique_ptr<ForeignWindowPainter> painter;
        bool failed = false;
    };
    std::vector<Mirror> mirrors_;
    bool background_ = false;
    bool ignoreMouseMoves_ = false;
    MouseMoveRule moves_;
};

}  // namespace orrelume
