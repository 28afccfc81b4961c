#include "driver/run_driver.h"

#include <algorithm>
#include <cstdlib>

#include "driver/universe_values.h"
#include "engine/galaxy_slots.h"
#include "engine/type_runtime.h"
#include "settings/numeric.h"
#include "universe/creation.h"
#include "universe/gravity.h"
#include "universe/tour.h"

namespace orrelume {

RunDriver::RunDriver(FrameHost& host, RunFlags& flags, const ProcessFacts& facts,
                     SettingsSource& settings)
    : host_(host),
      state_(flags),
      facts_(facts),
      settings_(settings),
      universe_(std::make_unique<UniverseState>()) {
    surface_.SetSize(1, 1);
    surface_.ComputeGeometry(1.0f);
    SyncCanvas();
}

RunDriver::~RunDriver() = default;

void RunDriver::SyncCanvas() {
    universe_->engine.canvas = surface_.View();
}

void RunDriver::Reseed() {
    universe_->engine.rng.Seed(fixedSeed_ ? *fixedSeed_ : host_.ClockSeed());
}

Randomisation RunDriver::RandomisationValues() {
    if (!advancedLoaded_) {
        advanced_ = settings_.LoadAdvanced();
        advancedLoaded_ = true;
    }
    return {advanced_.randomize, advanced_.randomMag, advanced_.randomExp};
}

void RunDriver::SetUpRunSurface(int32_t width, int32_t height, bool reduced) {
    advanced_ = settings_.LoadAdvanced();
    advancedLoaded_ = true;
    surface_.FocalLength = std::clamp(advanced_.focalLength, 0.01f, 10.0f);
    if (!(surface_.FocalLength >= 0.01f)) surface_.FocalLength = 0.01f;
    surface_.FrameDelay = advanced_.frameDelay;
    surface_.frameDelaySet = true;
    surface_.isWindow = !reduced;
    surface_.SetSize(width, height);
    surface_.ComputeGeometry(1.0f);
    SyncCanvas();
    Reseed();
}

void RunDriver::SetUpDialogSurface(int32_t width, int32_t height, bool fixedTiming,
                                   float extraFactor) {
    surface_.isWindow = false;
    surface_.SetSize(width, height);
    ResetSurface();
    if (fixedTiming) {
        surface_.FocalLength = 1.0f;
        surface_.FrameDelay = 32;
        surface_.frameDelaySet = true;
    }
    surface_.ComputeGeometry(extraFactor);
    dialogExtraFactor_ = extraFactor;
    SyncCanvas();
    Reseed();
}

void RunDriver::ResizeDialogSurface(int32_t width, int32_t height) {
    if (width == surface_.width() && height == surface_.height()) return;
    surface_.SetSize(width, height);
    surface_.ComputeGeometry(dialogExtraFactor_);
    SyncCanvas();
}

void RunDriver::ResetSurface() {
    surface_.ResetSurface();
}

void RunDriver::ClearSurface() {
    surface_.ClearSurface();
}

void RunDriver::SetRecords(const GalaxyTypeTable& types, const CompositeTable& composites) {
    universe_->engine.types = types;
    universe_->engine.composites = composites;
}

void RunDriver::SetUniverseSettings(const UniverseSettings& universe) {
    universeSettings_ = universe;
    ParseTourGalaxyList(universe.gsIdx, universe_->tourList, kTourListCapacity);
}

void RunDriver::EnsureFrameDelay() {
    // A preview shows the motion the saver will show: without a frame delay
    // of its own it takes the stored one.
    if (surface_.frameDelaySet) return;
    surface_.FrameDelay = settings_.LoadAdvanced().frameDelay;
    surface_.frameDelaySet = true;
}

void RunDriver::StampFrameStart() {
    FrameStartTime = host_.TickCount();
}

bool RunDriver::RestartRequested() {
    return state_.RestartRequested;
}

void RunDriver::SettleAfterFirstStep() {
    if (facts_.RunMode != kRunModePreview) return;
    const uint32_t entry = host_.TickCount();
    for (int guard = 0; guard < 1000 && host_.TickCount() == entry; ++guard) {
        host_.ProcessEvents(1);
    }
}

bool RunDriver::FramePacer() {
    // Serve window events at least once, waiting in the same yield (blocking
    // in the host, woken by events) for what is left of the frame delay
    // since the frame's stamp; look at the stop flag after every yield. One
    // yield a frame where nothing comes between: each costs a wake-up.
    auto left = [this]() -> int32_t {
        if (unpaced_) return 0;
        const int64_t elapsed = std::llabs(static_cast<int64_t>(host_.TickCount()) -
                                           static_cast<int64_t>(FrameStartTime));
        return static_cast<int32_t>(std::max<int64_t>(0, surface_.FrameDelay - elapsed));
    };
    // A stop asked for already is served at once.
    int32_t wait = state_.StopRequested ? 0 : left();
    for (;;) {
        host_.ProcessEvents(wait);
        if (state_.StopRequested) return true;
        if (wait == 0) return false;
        wait = left();
        if (wait == 0) return false;
    }
}

bool RunDriver::EndOfFrame() {
    host_.Present(surface_);
    if (FramePacer()) return true;
    if (facts_.RunMode == kRunModePreview && !host_.PreviewHostAlive()) {
        state_.StopRequested = true;
        return true;
    }
    return false;
}

void RunDriver::RunWindowLoop(bool reduced) {
    state_.StopRequested = false;
    while (!state_.StopRequested) {
        RunInitialisation(reduced);
        ResetSurface();
        UniverseRunLoop();
    }
}

void RunDriver::RunInitialisation(bool reduced) {
    RunRecords records;
    settings_.LoadRecords(records);
    if (reduced) ReduceUniverseSettings(records.universe);
    SetUniverseSettings(records.universe);
    SetRecords(records.types, records.composites);
    advanced_ = settings_.LoadAdvanced();
    advancedLoaded_ = true;
    BuildColourTables(universe_->engine, records.universe.hwStart, records.universe.hwEnd);
}

bool RunDriver::TourFrame(const FrameInputs& in, bool departure) {
    UniverseState& u = *universe_;
    EngineState& e = u.engine;
    GalaxyInstances& gi = e.galaxies;
    for (int32_t g = 0; g < gi.count; ++g) {
        gi.camX[g] = gi.posX[g] - u.camera.x;
        gi.camY[g] = gi.posY[g] - u.camera.y;
        gi.camZ[g] = gi.posZ[g] - u.camera.z;
    }
    AdvanceTypeAngles(e);
    UpdateGalaxies(e, in);
    UpdateAmbientStars(u, u.camera.x, u.camera.y, u.camera.z, u.expansionRadius, u.expansionSpeed,
                       1, u.profileIndex);
    if (!departure) {
        for (int32_t g = 0; g < gi.count; ++g)
            AdvanceNebula(e, g);
        if (state_.RestartRequested) {
            state_.RestartRequested = false;
            return true;
        }
    }
    return EndOfFrame();
}

void RunDriver::UniverseRunLoop() {
    UniverseState& u = *universe_;
    EngineState& e = u.engine;
    e.values = NormaliseUniverseValues(universeSettings_);
    const RunValues& v = e.values;
    EnsureFrameDelay();  // a dialog's universe preview paces like the saver
    AllocateRun(u);
    ResetComets(e, false, 0);
    PrepareTypeRuntimes(e, RandomisationValues());
    PrepareUserStyles(e);
    const int32_t visits = std::min(v.galaxies, v.recycle);
    u.profileIndex = -1;
    BuildSpecialStarTables(e);
    u.gravityCounter = 0;
    int32_t approached = 0;
    const float dt = 1.0f / static_cast<float>(v.gSteps);
    const ShapePoint home{0, 0, -v.dstCen};

    for (;;) {
        if (v.profile <= 49) {
            u.profileIndex = v.profile;
        } else if (v.profile == 50) {
            u.profileIndex = std::clamp(static_cast<int32_t>(e.rng.Next() * 50.0f), 0, 49);
        } else {
            u.profileIndex = (u.profileIndex + 1) % kGalaxyTypeCount;
        }
        u.expansionRadius = 0;
        u.expansionSpeed = v.expandSpeed;
        ResetHueBases(e);
        CreateUniverse(u, u.profileIndex, *this);
        if (state_.StopRequested) return;
        if (state_.RestartRequested) {
            state_.RestartRequested = false;
            return;
        }
        GalaxyInstances& gi = e.galaxies;
        std::fill(gi.velX.begin(), gi.velX.end(), 0.0f);
        std::fill(gi.velY.begin(), gi.velY.end(), 0.0f);
        std::fill(gi.velZ.begin(), gi.velZ.end(), 0.0f);

        ResetWindow(u.window, home);
        for (int32_t b = 0; b < visits; ++b) {
            const int type = GalaxyTypeOf(e, b);
            for (int32_t m = 1; m <= v.gPCtrl + v.gCCtrl; ++m) {
                ShiftAndAppend(u.window, ApproachPoint(e, b, type, m));
                if (m == 2) {
                    ResetComets(e, true, type);
                    approached = type;
                }
                float t = 0;
                for (int32_t i = 1; i <= v.gSteps; ++i) {
                    u.camera = SplinePoint(u.window, t);
                    StampFrameStart();
                    if (!v.tour) u.camera = home;
                    if (v.gravForce > 0)
                        GravityStep(gi, v.gravForce, v.gravFrame, u.gravityCounter);
                    if (TourFrame({b, approached, m, t, true, 0}, false)) return;
                    t += dt;
                }
            }
        }

        // Departure: the camera flies far back from the universe.
        if (!v.tour) ResetWindow(u.window, home);
        for (int32_t j = 1; j <= v.gPCtrl; ++j) {
            ShiftAndAppend(u.window, DeparturePoint(j, v.gPCtrl, u.expansionRadius));
            float t = 0;
            for (int32_t i = 1; i <= v.gSteps; ++i) {
                u.camera = SplinePoint(u.window, t);
                // Departure frames are paced like every other frame.
                StampFrameStart();
                if (TourFrame({visits - 1, approached, j, t, false, 0}, true)) return;
                t += dt;
            }
        }
        ResetComets(e, true, approached);
        ClearSurface();
    }
}

void RunDriver::DialogPreviewRunner(int16_t slot, bool frameLimited, int16_t frameLimit,
                                    int16_t stars, int16_t trail, bool composite,
                                    float starFactor) {
    UniverseState& u = *universe_;
    EngineState& e = u.engine;
    RunValues v = NormaliseUniverseValues(universeSettings_);
    const auto n = CLng(static_cast<double>(stars) * starFactor);
    v.stars = std::clamp(n ? *n : 10, 1, kMaxStars);
    v.galaxies = 1;
    v.trail = std::max(1, std::min<int32_t>(trail, kMaxStars / v.stars));
    v.newPct = 0;
    // A preview shows what the saver would: with gravity between galaxies
    // set, no comets (the dialog says so beside the gravity field). It
    // shows no ambient stars.
    v.amStar = 0;
    e.values = v;
    AllocateRun(u);
    EnsureFrameDelay();
    PrepareTypeRuntimes(e, RandomisationValues());
    PrepareUserStyles(e);

    const int c = std::clamp<int>(slot, 0, kCompositeGalaxyCount - 1);
    const int type = composite ? SlotTypeOf(e, kFirstCompositeSlot + c)
                               : std::clamp<int>(slot, 0, kGalaxyTypeCount - 1);
    GalaxyInstances& gi = e.galaxies;
    gi.typeSlot[0] = static_cast<int16_t>(composite ? kFirstCompositeSlot + c : type);
    if (composite) e.galaxySlots.composite[kFirstCompositeSlot + c] = true;
    gi.camX[0] = 0;
    gi.camY[0] = 0;
    gi.camZ[0] = e.rt[type].viewDistance;
    ResetComets(e, false, type);
    PrepareGalaxyInstances(e, 1,
                           composite ? InstanceSource{InstanceSource::Composite, c}
                                     : InstanceSource{InstanceSource::FixedType, type});

    StarTable& st = e.stars;
    const CompositeGalaxy& comp = e.composites[c];
    const int members = std::clamp<int>(comp.count, 0, kMaxCompositeMembers);
    for (int32_t s = 0; s < st.count; ++s) {
        int starType = type;
        if (composite && members > 0) {
            const auto pick = static_cast<int>(e.rng.Next() * static_cast<float>(members));
            starType = std::clamp<int>(comp.members[std::clamp(pick, 0, members - 1)], 0,
                                       kGalaxyTypeCount - 1);
        }
        st.galaxyIndex[s] = 0;
        st.typeIndex[s] = static_cast<int16_t>(starType);
        GenerateStar(e, s, starType, 0);
    }
    BuildSpecialStarTables(e);

    const FrameInputs in{0,    type, kPreviewTourStep,
                         0.0f, true, static_cast<int16_t>(composite ? 2 : 1)};
    int32_t frames = 0;
    for (;;) {
        // Preview frames are paced like the saver's.
        StampFrameStart();
        AdvanceTypeAngles(e);
        UpdateGalaxies(e, in);
        AdvanceNebula(e, 0);
        if (frameLimited && ++frames >= frameLimit) {
            // The last frame is shown too, without waiting for the next.
            host_.Present(surface_);
            break;
        }
        if (EndOfFrame()) break;
        if (state_.RestartRequested) {
            state_.RestartRequested = false;
            break;
        }
    }
}

void RunDriver::PreviewGalaxy(int32_t width, int32_t height, int16_t slot, bool composite,
                              int32_t stars, int32_t trail, int32_t universeHueStart,
                              int32_t universeHueEnd) {
    surface_.FocalLength = std::clamp(settings_.LoadAdvanced().focalLength, 0.01f, 10.0f);
    SetUpDialogSurface(width, height, false, 1.0f);
    BuildColourTables(universe_->engine, std::clamp(universeHueStart, 0, 999),
                      std::clamp(universeHueEnd, 0, 999));
    DialogPreviewRunner(slot, false, 0, static_cast<int16_t>(std::clamp(stars, 10, kMaxStars)),
                        static_cast<int16_t>(std::clamp(trail, 1, 999)), composite, 1.0f);
}

void RunDriver::PreviewUniverse(int32_t width, int32_t height, const UniverseSettings& universe) {
    surface_.FocalLength = std::clamp(settings_.LoadAdvanced().focalLength, 0.01f, 10.0f);
    SetUpDialogSurface(width, height, false, 1.0f);
    SetUniverseSettings(universe);
    BuildColourTables(universe_->engine, std::clamp<int>(universe.hwStart, 0, 999),
                      std::clamp<int>(universe.hwEnd, 0, 999));
    UniverseRunLoop();
}

}  // namespace orrelume
