// The base of the saver and application windows: a top-level widget that
// shows the run driver's framebuffer, carries the lock-message panel, and is
// the driver's FrameHost (present the frame, serve window events, clock).
//
// Window events reach the animation only through the HostState flags; the
// window is never destroyed under the frame loop (closing hides it and asks
// for a stop; the owner tears it down after the loop has returned).
#pragma once

#include <QRegion>
#include <QWidget>

#include <cstdint>
#include <memory>

#include "driver/frame_host.h"
#include "driver/host_state.h"
#include "driver/run_driver.h"
#include "driver/store_settings_source.h"
#include "settings/store.h"

class QLabel;

namespace orrelume {

class ForeignWindowPainter;

// The caption of the saver window and of the captioned application window:
// other starts look for it to find a running saver.
inline constexpr const char* kRunCaption = "QUIV:Orrelume 4.1";

// The largest drawing surface a window gets, on each side (a gigabyte of
// framebuffer): a window beyond it is drawn in its top-left part.
inline constexpr int32_t kMaxSurfaceSide = 16384;

class RunWindow : public QWidget, public FrameHost {
  public:
    RunWindow(HostState& state, SettingsStore& store);
    ~RunWindow() override;

    // FrameHost.
    void Present(const DrawingSurface& surface) override;
    void ProcessEvents(int32_t maxWaitMs) override;
    uint32_t TickCount() override;

    RunDriver& Driver() { return driver_; }
    QLabel& picMessage() { return *picMessage_; }
    int64_t FramesPresented() const { return frames_; }

  protected:
    // Shows the window, gives it the keyboard and waits (a little) until the
    // display shows it, so that its size is known. Shown behind, it goes
    // below the other windows and takes nothing from them.
    void ShowAndActivate(bool behind = false);
    // With ORRELUME_SHOW_HOLD_MS set, the show serves window events that
    // much longer, so tests can reach it with input.
    void HoldShowForTests();
    // Sets the drawing surface up at the window's size (not reduced), shows
    // the lock message and clears the surface.
    void SetUpSurface();
    // The size of the window's area in device pixels, within the largest
    // surface.
    QSize DeviceSize() const;
    // The surface's size: the device size over the pixel size, rounded up
    // so that the enlarged picture covers the window.
    QSize SurfaceSize() const;
    // Screen pixels across one star (1..4), set with the surface.
    int32_t PixelScale() const { return pixelScale_; }
    // Shows the frame on more windows than this one (the saver's other
    // monitors), with the changes this frame already took.
    virtual void PresentMore(const DrawingSurface& surface, const SurfaceChanges& changes);
    // The surface's width in the window's logical pixels.
    double LogicalWidth(const DrawingSurface& surface) const;

    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    HostState& state_;
    SettingsStore& store_;

  private:
    // At a frame's end: a window whose size changed gets a surface of its
    // new size; the run goes on.
    void FollowSize();
    // Sends what changed straight to the X display; false where the window
    // is not an X window that we can draw into.
    bool PresentDirect(const DrawingSurface& surface, const SurfaceChanges& changes);

    StoreSettingsSource source_;
    RunDriver driver_;
    QLabel* picMessage_ = nullptr;
    AdvancedRunValues banner_;
    // Frames go straight to the X display, only the tiles each one drew;
    // the toolkit paints the window only when it is exposed. Without an X
    // display the toolkit paints the drawn tiles.
    std::unique_ptr<ForeignWindowPainter> painter_;
    bool direct_ = true;
    int64_t frames_ = 0;
    int32_t pixelScale_ = 1;
};

}  // namespace orrelume
