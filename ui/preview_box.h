// A dialog's picture box that animates: it owns a run driver and its
// drawing surface, and is the driver's frame host. The previews of the
// dialogs run in it, on the records the dialog holds, and yield to the
// dialog once per frame, so typing goes on while a preview runs.
#pragma once

#include <QWidget>

#include <cstdint>

#include "driver/frame_host.h"
#include "driver/host_state.h"
#include "driver/run_driver.h"
#include "driver/store_settings_source.h"
#include "settings/store.h"

namespace orrelume {

// What a companion editor's preview takes from the properties dialog: the
// records it holds (the edited type among them) and the universe page's
// values as typed (stars, trail and the colour-ramp hues).
struct DialogPreviewValues {
    UniverseSettings universe;
    int32_t stars = 5000;    // field 0, bounded by the preview
    int32_t trail = 1;       // field 2
    int32_t hueStart = 165;  // fields 16 and 17
    int32_t hueEnd = 210;
};

class PreviewBox : public QWidget, public FrameHost {
  public:
    // The previews read the focal length and frame delay from `store`; they
    // stop through `flags` (the dialog's own, so that a preview never
    // touches the flags of a window the dialog was opened from).
    PreviewBox(SettingsStore& store, RunFlags& flags, QWidget* parent = nullptr);
    ~PreviewBox() override;

    RunDriver& Driver() { return driver_; }
    // The surface's size in device pixels.
    QSize DeviceSize() const;
    bool Running() const { return running_; }
    int64_t FramesPresented() const { return frames_; }

    // Runs `preview` (which calls one of the driver's previews) until it
    // returns; the box is cleared to black afterwards. A call while a
    // preview runs does nothing.
    template <typename Preview>
    void Run(Preview&& preview) {
        if (running_) return;
        running_ = true;
        preview();
        running_ = false;
        Finish();
    }

    // FrameHost.
    void Present(const DrawingSurface& surface) override;
    void ProcessEvents(int32_t maxWaitMs) override;
    uint32_t TickCount() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Finish();

    StoreSettingsSource source_;
    // A dialog's preview is never the display-settings preview, whatever
    // way the program runs.
    const ProcessFacts facts_;
    RunDriver driver_;
    bool running_ = false;
    int64_t frames_ = 0;
};

}  // namespace orrelume
