// The X11 window system through xcb, for what the toolkit does not offer:
// finding another program's top-level window by its caption and bringing it
// to the front, and watching a foreign window (its size, its existence) that
// a preview draws into.
//
// Window numbers are X window ids; 0 is no window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct xcb_connection_t;

namespace orrelume {

// A connection of our own to the display named by DISPLAY, apart from the
// toolkit's, so that waiting on it and its errors stay ours.
class X11Display {
  public:
    X11Display();
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    bool Connected() const { return connection_ != nullptr; }
    xcb_connection_t* Connection() const { return connection_; }
    uint32_t Root() const { return root_; }
    // The connection's socket, for waiting on its events; -1 when none.
    int FileDescriptor() const;
    // Sends what is buffered.
    void Flush();

  private:
    xcb_connection_t* connection_ = nullptr;
    uint32_t root_ = 0;
};

// A top-level window whose caption (_NET_WM_NAME, else WM_NAME) is exactly
// `caption`, shown or hidden, among the root's children and the windows a
// window manager manages; 0 when there is none.
uint32_t FindTopLevelWindow(X11Display& display, std::string_view caption);

// Brings a window to the front and gives it the keyboard: asks the window
// manager to activate it, and raises and focuses it directly for a display
// without one. False when the window does not exist.
bool ActivateWindow(X11Display& display, uint32_t window);

// Whether `window` is (still) a window of the display.
bool WindowExists(X11Display& display, uint32_t window);

struct WindowExtent {
    int32_t width = 0;
    int32_t height = 0;
};
// The size of a window's area in pixels; nothing when it does not exist.
std::optional<WindowExtent> WindowSize(X11Display& display, uint32_t window);

// Asks the display to report when `window` is resized, exposed or
// destroyed. False when the window does not exist.
bool WatchWindow(X11Display& display, uint32_t window);

// Reads every event that has arrived; true when one of them says that
// `window` was destroyed. Sets `*exposed` when one says that a part of it
// lost its pixels. Errors of earlier requests are dropped.
bool DrainWindowEvents(X11Display& display, uint32_t window, bool* exposed = nullptr);

// Creates a window that is never shown and only bears a caption, so that
// other processes can find this one by it (the hidden preview form). It goes
// with the connection. 0 when it could not be made.
uint32_t CreateCaptionWindow(X11Display& display, std::string_view caption);

// Makes a window that is not shown yet the desktop's background, the way
// window managers know it: a desktop window, below all others, on every
// virtual desktop, and left out of taskbars and pagers. `connection` is the
// one that made the window.
void MarkAsDesktopBackground(xcb_connection_t* connection, uint32_t window);

// One monitor's part of the root window, in pixels.
struct MonitorArea {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool operator==(const MonitorArea&) const = default;
};
// The monitors the display reports (RandR's monitors, else Xinerama's
// screens, or those where Xinerama names more heads than RandR does), each
// within the root window and at least a pixel wide, without duplicates;
// empty when it reports none, or only one that is the whole root.
std::vector<MonitorArea> MonitorAreas(X11Display& display);

// The caption of a window as top-level lookups read it.
std::optional<std::string> WindowCaption(X11Display& display, uint32_t window);

}  // namespace orrelume
