// A run for an X11 saver daemon (a "hack"): the animation drawn straight into
// a window the daemon owns, or into the root window. The full universe at
// the window's size, following its resizes; no input is read (the daemon
// owns it); the run ends within a frame on SIGTERM or SIGINT and when the
// window goes. On the root window every monitor shows the animation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "driver/frame_host.h"
#include "driver/host_state.h"
#include "driver/run_driver.h"
#include "driver/store_settings_source.h"
#include "platform/x11_foreign_painter.h"
#include "platform/x11_windows.h"
#include "settings/store.h"

namespace orrelume {

class HackRun : public FrameHost {
  public:
    // `window` 0 with `root` set: the root window of the display.
    HackRun(HostState& state, SettingsStore& store, uint32_t window, bool root);
    ~HackRun() override;
    HackRun(const HackRun&) = delete;
    HackRun& operator=(const HackRun&) = delete;

    // Runs until a signal or the window's end. False when there was no
    // window to draw into.
    bool Run();

    // FrameHost.
    void Present(const DrawingSurface& surface) override;
    void ProcessEvents(int32_t maxWaitMs) override;
    uint32_t TickCount() override;

  private:
    // The parts of the window that show the picture (one per monitor on
    // the root, else the whole window), and the surface's size for them.
    void Layout(const WindowExtent& size);
    void Stop(const char* why);
    void DrainEvents();

    HostState& state_;
    SettingsStore& store_;
    // Before the driver: the surface's pixels may be in memory shared over
    // this connection, which must outlive them.
    X11Display display_;
    StoreSettingsSource source_;
    RunDriver driver_;
    uint32_t window_ = 0;
    bool root_ = false;
    WindowExtent size_;
    int32_t scale_ = 1;
    struct Part {
        PixelRect area;
        std::unique_ptr<ForeignWindowPainter> painter;
    };
    std::vector<Part> parts_;
    bool stopped_ = false;
    int64_t frames_ = 0;
};

// XScreenSaver runs only the display modes of its programs: list, which the
// user's ~/.xscreensaver copies from its own when it is first written. The
// program's line goes first into that list; every other byte stays as it was.
// A list that does not go on over lines (the daemon always writes it so) is
// left to the user.
inline constexpr const char* kXScreenSaverProgramLine = "  \"Orrelume\"  orrelume -root  \\n\\\n";
enum class ProgramsEdit { Added, AlreadyListed, NoList };
struct ProgramsEditResult {
    ProgramsEdit outcome = ProgramsEdit::NoList;
    std::string text;  // the file with the line added (Added only)
};
ProgramsEditResult AddToXScreenSaverPrograms(std::string_view file);

// "--add-to-xscreensaver": edits $HOME/.xscreensaver, keeping the file as it
// was beside it, and says what it did. Returns the exit status.
int AddToXScreenSaverSettings();

// SIGTERM and SIGINT ask the hack run to stop instead of ending the process
// at once; the run ends within a frame and leaves nothing half written.
void CatchStopSignals();
// Whether one of them has arrived; and a descriptor that becomes readable
// when one does (-1 when none could be made).
bool StopSignalArrived();
int StopSignalDescriptor();
// After the clean-up, a run stopped by one of them ends by that signal
// (its default action), as a process the signal ended at once would; returns
// when none arrived.
void EndByStopSignal();

}  // namespace orrelume
