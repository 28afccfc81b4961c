// The run driver: sets up the drawing surface, initialises a run from the
// settings, and loops over universes (creation, camera tour with gravity,
// departure) until a stop or restart is asked for; paces every frame and
// serves window events once per frame. It also runs the single-galaxy and
// composite previews of the dialogs.
//
// The driver never touches a window system: it talks to its window through a
// FrameHost and to window events through its RunFlags.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "driver/drawing_surface.h"
#include "driver/frame_host.h"
#include "driver/host_state.h"
#include "driver/settings_source.h"
#include "engine/type_runtime.h"
#include "engine/update.h"
#include "universe/frame_control.h"
#include "universe/universe_state.h"

namespace orrelume {

class RunDriver : private FrameControl {
  public:
    // `flags` are this animation's own; `facts` say how the program runs.
    RunDriver(FrameHost& host, RunFlags& flags, const ProcessFacts& facts,
              SettingsSource& settings);
    RunDriver(FrameHost& host, HostState& state, SettingsSource& settings)
        : RunDriver(host, state, state, settings) {}
    ~RunDriver() override;

    // Surface set-up. Sizes are in pixels (the host measures its window).
    // The run surface reads the focal length and the frame delay and
    // re-seeds the random generator from the clock.
    void SetUpRunSurface(int32_t width, int32_t height, bool reduced);
    // A dialog's picture box: with fixed timing the focal length is 1 and the
    // frame delay 32 ms; otherwise both keep their values.
    void SetUpDialogSurface(int32_t width, int32_t height, bool fixedTiming, float extraFactor);
    // The picture box took a new size while a preview runs: the surface
    // follows it (cleared, centred anew) with the timing and extra factor
    // it was set up with.
    void ResizeDialogSurface(int32_t width, int32_t height);
    void ResetSurface();
    void ClearSurface();

    // Until a stop: initialise from the settings, reset the surface, run the
    // universe loop (a restart goes round again).
    void RunWindowLoop(bool reduced);
    // Reads the universe values (reduced for the display-settings preview),
    // the galaxy types and composites, and builds the colour tables.
    void RunInitialisation(bool reduced);
    // Universes one after another until a stop or restart.
    void UniverseRunLoop();
    // Shows the frame, serves window events and waits until the frame has
    // lasted the frame delay. True when the run must stop.
    bool EndOfFrame() override;

    // One galaxy type (or composite) in front of a fixed camera, until the
    // frame limit, a stop or a restart request (which it clears).
    void DialogPreviewRunner(int16_t slot, bool frameLimited, int16_t frameLimit, int16_t stars,
                             int16_t trail, bool composite, float starFactor);
    // The properties dialog's galaxy and composite preview on a picture box
    // of the given size: focal length from the store, colour tables with the
    // universe hues given, stars and trail bounded, then the runner.
    void PreviewGalaxy(int32_t width, int32_t height, int16_t slot, bool composite, int32_t stars,
                       int32_t trail, int32_t universeHueStart, int32_t universeHueEnd);

    // The properties dialog's universe preview: focal length from the store,
    // the colour tables with the universe's own hues, then the universe loop
    // on `universe` (the dialog's values) and the records set before, until
    // a stop or restart.
    void PreviewUniverse(int32_t width, int32_t height, const UniverseSettings& universe);

    // Records the dialog holds (its previews run on them, not on the store).
    void SetRecords(const GalaxyTypeTable& types, const CompositeTable& composites);
    void SetUniverseSettings(const UniverseSettings& universe);
    const UniverseSettings& UniverseValues() const { return universeSettings_; }

    // Tools: a fixed seed instead of the clock, and frames not paced.
    void SetFixedSeed(std::optional<uint64_t> seed) { fixedSeed_ = seed; }
    void SetUnpaced(bool unpaced) { unpaced_ = unpaced; }

    DrawingSurface& Surface() { return surface_; }
    UniverseState& Universe() { return *universe_; }
    EngineState& Engine() { return universe_->engine; }
    uint32_t FrameStartTime = 0;

  private:
    // FrameControl, for the frames of universe creation.
    void StampFrameStart() override;
    bool RestartRequested() override;
    void SettleAfterFirstStep() override;

    // The wait of EndOfFrame; true when a stop was asked for.
    bool FramePacer();
    void SyncCanvas();
    void Reseed();
    void EnsureFrameDelay();
    bool TourFrame(const FrameInputs& in, bool departure);
    Randomisation RandomisationValues();

    FrameHost& host_;
    RunFlags& state_;
    const ProcessFacts& facts_;
    SettingsSource& settings_;
    DrawingSurface surface_;
    std::unique_ptr<UniverseState> universe_;
    UniverseSettings universeSettings_;
    AdvancedRunValues advanced_;
    bool advancedLoaded_ = false;
    std::optional<uint64_t> fixedSeed_;
    bool unpaced_ = false;
    float dialogExtraFactor_ = 1.0f;
};

}  // namespace orrelume
