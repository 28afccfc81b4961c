// The preview inside another program's window (the "/P" start): the
// animation runs with fewer stars straight in that window, fills its area and
// follows its size, and the program ends within a frame once the window is
// gone. Nothing of ours is shown; an unseen window only bears the preview's
// caption for other processes to find.
#pragma once

#include <cstdint>
#include <memory>

#include "driver/frame_host.h"
#include "driver/host_state.h"
#include "driver/run_driver.h"
#include "driver/store_settings_source.h"
#include "platform/x11_foreign_painter.h"
#include "platform/x11_windows.h"
#include "settings/store.h"

namespace orrelume {

inline constexpr const char* kPreviewCaption = "QUIV:Preview Orrelume 4.1";

class frmPreview : public FrameHost {
  public:
    frmPreview(HostState& state, SettingsStore& store);
    ~frmPreview() override;

    // Runs in the window `PreviewParentWindow` until it goes away. A window
    // number of 0, or of no window, ends at the first frame.
    void Run();

    // FrameHost.
    void Present(const DrawingSurface& surface) override;
    void ProcessEvents(int32_t maxWaitMs) override;
    uint32_t TickCount() override;
    bool PreviewHostAlive() override;

  private:
    void HostWindowGone();
    // The host window's news: gone, or exposed (then it is drawn anew).
    void DrainHostEvents();

    HostState& state_;
    // Before the driver: the surface's pixels may be in memory shared over
    // this connection, which must outlive them.
    X11Display display_;
    StoreSettingsSource source_;
    RunDriver driver_;
    std::unique_ptr<ForeignWindowPainter> painter_;
    uint32_t parent_ = 0;
    bool parentGone_ = false;
    int64_t frames_ = 0;
};

}  // namespace orrelume
