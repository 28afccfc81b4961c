#include "universe/creation.h"

#include <algorithm>
#include <cmath>

#include "engine/galaxy_slots.h"
#include "engine/type_runtime.h"
#include "engine/update.h"
#include "settings/numeric.h"
#include "universe/ambient.h"
#include "universe/frame_control.h"
#include "universe/universe_state.h"

namespace orrelume {

namespace {

int32_t RandomIndex(Random& rng, int32_t count) {
    const auto i = static_cast<int32_t>(static_cast<double>(rng.Next()) * count);
    return std::clamp(i, 0, std::max(0, count - 1));
}

void PrepareCompositeMembers(EngineState& state, int composite, int instance) {
    const CompositeGalaxy& comp = state.composites[composite];
    const int count = std::clamp<int>(comp.count, 0, kMaxCompositeMembers);
    for (int m = count - 1; m >= 0; --m) {
        PrepareInstanceStyle(state, std::clamp<int>(comp.members[m], 0, kGalaxyTypeCount - 1),
                             instance);
    }
}

// Slot percentages and the cumulative table; returns the total.
int32_t CumulativePercentages(EngineState& e, std::array<int32_t, kSlotCount>& cum) {
    int32_t total = 0;
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        e.galaxySlots.composite[slot] = false;
        e.galaxySlots.percent[slot] = e.types[slot].uniGalPct;
        total += e.galaxySlots.percent[slot];
        cum[slot] = total;
    }
    for (int c = 0; c < kCompositeGalaxyCount; ++c) {
        const int slot = kFirstCompositeSlot + c;
        e.galaxySlots.percent[slot] = e.composites[c].weight;
        e.galaxySlots.composite[slot] = e.galaxySlots.percent[slot] > 0;
        total += e.galaxySlots.percent[slot];
        cum[slot] = total;
    }
    if (total == 0) {
        total = 1;
        cum[0] = 1;
    }
    return total;
}

void AssignSlots(UniverseState& u, const std::array<int32_t, kSlotCount>& cum, int32_t total) {
    EngineState& e = u.engine;
    GalaxyInstances& gi = e.galaxies;
    CreationScratch& sc = u.scratch;
    int cursor = 0;
    for (int32_t g = 0; g < gi.count; ++g) {
        int slot = 0;
        if (e.values.gVisit) {
            if (!(cum[0] == 1 && total == 1)) {
                // The weighted slots in turn; a cursor that finds none (no
                // positive weight at all) stays at slot 0.
                int steps = 0;
                while (e.galaxySlots.percent[cursor] <= 0 && steps < kSlotCount) {
                    cursor = (cursor + 1) % kSlotCount;
                    ++steps;
                }
                slot = steps < kSlotCount ? cursor : 0;
                cursor = (cursor + 1) % kSlotCount;
            }
        } else {
            const float r = e.rng.Next() * static_cast<float>(total);
            slot = kSlotCount - 1;
            for (int s = 0; s < kSlotCount; ++s) {
                if (static_cast<float>(cum[s]) >= r) {
                    slot = s;
                    break;
                }
            }
        }
        gi.typeSlot[g] = static_cast<int16_t>(slot);
        // The galaxy leaves the centre with the velocity of a random particle.
        const int32_t p = RandomIndex(e.rng, e.stars.count);
        gi.posX[g] = sc.posX[p];
        gi.posY[g] = sc.posY[p];
        gi.posZ[g] = sc.posZ[p];
        sc.galaxyVelX[g] = sc.velX[p];
        sc.galaxyVelY[g] = sc.velY[p];
        sc.galaxyVelZ[g] = sc.velZ[p];
    }
    if (e.values.tour && !e.values.gVisit && !u.tourList.empty()) {
        const size_t preset = std::min(u.tourList.size(), static_cast<size_t>(gi.count));
        for (size_t g = 0; g < preset; ++g)
            gi.typeSlot[g] = u.tourList[g];
    }
}

void Capture(EngineState& e, int32_t i) {
    const int32_t g = RandomIndex(e.rng, e.galaxies.count);
    const int type = ResolveCompositeMember(e, e.galaxies.typeSlot[g]);
    e.stars.galaxyIndex[i] = static_cast<int16_t>(g);
    e.stars.typeIndex[i] = static_cast<int16_t>(type);
    GenerateStar(e, i, type, g);
}

}  // namespace

void PrepareInstanceStyle(EngineState& state, int type, int instance) {
    switch (state.types[type].galStyle) {
        case kStyleIfsPointAttractor:
        case kStyleIfsWireframe:
        case kStyleIfsFractal:
        case kStyleUserIfs:
            PrepareIfs(state, type, instance);
            break;
        case kStyleNebula:
            PrepareNebula(state, type, instance);
            break;
        default:
            break;
    }
}

void PrepareGalaxyInstances(EngineState& state, int32_t count, InstanceSource source) {
    SizeIfs(state, count);
    SizeNebula(state, count);
    ResetTypesForUniverse(state);
    switch (source.kind) {
        case InstanceSource::FixedType: {
            const int type = std::clamp(source.value, 0, kGalaxyTypeCount - 1);
            for (int32_t i = 0; i < count; ++i)
                PrepareInstanceStyle(state, type, i);
            break;
        }
        case InstanceSource::SlotList:
            for (int32_t i = 0; i < count && i < state.galaxies.count; ++i) {
                const int slot = state.galaxies.typeSlot[i];
                if (IsCompositeSlot(slot)) {
                    PrepareCompositeMembers(state, slot - kFirstCompositeSlot, i);
                } else {
                    PrepareInstanceStyle(state, std::clamp(slot, 0, kGalaxyTypeCount - 1), i);
                }
            }
            break;
        case InstanceSource::Composite:
            if (count > 0) {
                PrepareCompositeMembers(state,
                                        std::clamp(source.value, 0, kCompositeGalaxyCount - 1), 0);
            }
            break;
    }
}

void GenerateShapeParticle(EngineState& state, ShapePoint& position, ShapePoint& velocity, int type,
                           float s1, float s2, int mode) {
    const GalaxyType& g = state.types[type];
    ShapePoint p;
    switch (g.galStyle) {
        case kStyleIfsPointAttractor:
        case kStyleIfsWireframe:
        case kStyleIfsFractal:
        case kStyleUserIfs:
            p = UniverseIfsPoint(state, type);
            break;
        case kStyleNebula:
            p = NebulaPoint(state, type);
            break;
        case kStyleMolecule:
            p = MoleculePoint(state, type);
            break;
        default:
            p = StandardPoint(state, type);
            break;
    }
    // The shape takes the radius of the expansion speed...
    const double radius = g.radius * 0.01;
    if (radius > 0) {
        const double scale = state.values.expandSpeed / radius;
        p.x = static_cast<float>(p.x * scale);
        p.y = static_cast<float>(p.y * scale);
        p.z = static_cast<float>(p.z * scale);
    }
    // ...and the tilt of the type's first level.
    const float a = -state.rt[type].levelTilt0[0];
    const float c = std::cos(a), s = std::sin(a);
    const float z = c * p.z + s * p.y;
    const float y = c * p.y - s * p.z;
    ShapePoint q = g.axisPlane == 0 ? ShapePoint{p.x, y, z} : ShapePoint{y, p.x, z};
    switch (mode) {
        case 0:
            position = {0, 0, 0};
            velocity = {s1 * q.x, s1 * q.y, s1 * q.z};
            break;
        case 1:
            position = {s1 * q.x, s1 * q.y, s1 * q.z};
            velocity = {s2 * position.x, s2 * position.y, s2 * position.z};
            break;
        default:
            position = {s1 * q.x, s1 * q.y, s1 * q.z};
            velocity = {0, 0, 0};
            break;
    }
}

CreationRun BeginCreation(UniverseState& u, int profileType) {
    EngineState& e = u.engine;
    const RunValues& v = e.values;
    StarTable& st = e.stars;
    GalaxyInstances& gi = e.galaxies;
    CreationScratch& sc = u.scratch;
    CreationRun run;
    run.profile = std::clamp(profileType, 0, kGalaxyTypeCount - 1);
    run.steps = std::max(1, v.eSteps);
    const auto quarter = CInt(run.steps * 0.25);
    run.quarter = quarter ? *quarter : 0;
    run.damp = v.dampingFactor;
    const int profile = run.profile;

    PrepareGalaxyInstances(e, gi.count, {InstanceSource::FixedType, profile});
    switch (e.types[profile].galStyle) {
        case kStyleNebula:
            PrepareUniverseNebula(e, profile);
            break;
        case kStyleIfsPointAttractor:
        case kStyleIfsWireframe:
        case kStyleIfsFractal:
        case kStyleUserIfs:
            PrepareUniverseIfs(e, profile);
            break;
        default:
            break;
    }

    for (int32_t i = 0; i < st.count; ++i) {
        sc.state[i] = ParticleState::Free;
        sc.counter[i] = 0;
        PlaceShapeParticle(e, sc, i, profile, u.expansionSpeed, 0, 0);
    }
    StartAmbientStars(u, profile);

    const int32_t total = CumulativePercentages(e, sc.cumulative);
    AssignSlots(u, sc.cumulative, total);
    PrepareGalaxyInstances(e, gi.count, {InstanceSource::SlotList, 0});
    return run;
}

void ExpansionStep(UniverseState& u, CreationRun& run, int32_t step) {
    EngineState& e = u.engine;
    const RunValues& v = e.values;
    StarTable& st = e.stars;
    GalaxyInstances& gi = e.galaxies;
    CreationScratch& sc = u.scratch;
    const Canvas& canvas = e.canvas;
    const int32_t np = st.count;
    const int32_t trail = std::max(1, st.trail);
    const int32_t steps = run.steps;
    const float damp = run.damp;

    for (int32_t g = 0; g < gi.count; ++g) {
        gi.posX[g] += sc.galaxyVelX[g];
        gi.posY[g] += sc.galaxyVelY[g];
        gi.posZ[g] += sc.galaxyVelZ[g];
        sc.galaxyVelX[g] *= damp;
        sc.galaxyVelY[g] *= damp;
        sc.galaxyVelZ[g] *= damp;
        gi.camX[g] = gi.posX[g];
        gi.camY[g] = gi.posY[g];
        gi.camZ[g] = gi.posZ[g] + v.dstCen;
    }
    AdvanceTypeAngles(e);
    const auto rampIndex = CLng(step * (80.0 / steps));
    const uint32_t colour = e.universeRamp[rampIndex ? std::clamp(*rampIndex, 0, 80) : 80];

    for (int32_t i = 0; i < np; ++i) {
        const size_t t =
            static_cast<size_t>(i) * static_cast<size_t>(trail) + static_cast<size_t>(e.trailSlot);
        switch (sc.state[i]) {
            case ParticleState::Free: {
                ++sc.counter[i];
                if (sc.counter[i] > trail) canvas.Plot(st.screenX[t], st.screenY[t], 0);
                const bool staysFree = step < run.quarter || e.rng.Next() < v.persist;
                if (!staysFree) {
                    sc.state[i] = ParticleState::Fading;
                    sc.counter[i] = 0;
                    break;
                }
                sc.posX[i] += sc.velX[i];
                sc.posY[i] += sc.velY[i];
                sc.posZ[i] += sc.velZ[i];
                int32_t x, y;
                if (ProjectPoint(canvas, {sc.posX[i], sc.posY[i], sc.posZ[i] + v.dstCen}, x, y)) {
                    st.screenX[t] = x;
                    st.screenY[t] = y;
                    canvas.Plot(x, y, colour);
                }
                break;
            }
            case ParticleState::Fading:
                ++sc.counter[i];
                canvas.Plot(st.screenX[t], st.screenY[t], 0);
                if (sc.counter[i] >= trail) {
                    sc.state[i] = ParticleState::Captured;
                    Capture(e, i);
                }
                break;
            case ParticleState::Captured: {
                ++st.age[i];
                canvas.Plot(st.screenX[t], st.screenY[t], 0);
                MoveStar(e, i);
                int32_t x, y;
                if (ProjectPoint(canvas, StarCameraPoint(e, i), x, y)) {
                    st.screenX[t] = x;
                    st.screenY[t] = y;
                    canvas.Plot(x, y, st.color[i]);
                }
                break;
            }
        }
        sc.velX[i] *= damp;
        sc.velY[i] *= damp;
        sc.velZ[i] *= damp;
    }
    HueStepAll(e);

    u.expansionRadius += u.expansionSpeed;
    UpdateAmbientStars(u, 0, 0, -v.dstCen, u.expansionRadius, u.expansionSpeed, 0, run.profile);
    if (damp > 0) {
        DampAmbientStars(u, damp);
        u.expansionSpeed *= damp;
    }
    for (int32_t g = 0; g < gi.count; ++g)
        AdvanceNebula(e, g);
    if (step > 0.75 * steps) {
        // All motion comes to rest at the last step.
        run.damp =
            static_cast<float>(v.dampingFactor * std::cos(((step - 0.75 * steps) / (steps * 0.25)) *
                                                          static_cast<double>(kHalfPi)));
    }
    e.trailSlot = static_cast<int16_t>((e.trailSlot + 1) % trail);
}

void FinishCreation(UniverseState& u) {
    StopAmbientStars(u);
    EngineState& e = u.engine;
    CreationScratch& sc = u.scratch;
    for (int32_t i = 0; i < e.stars.count; ++i) {
        if (sc.state[i] != ParticleState::Captured) {
            sc.state[i] = ParticleState::Captured;
            Capture(e, i);
        }
    }
}

void CreateUniverse(UniverseState& u, int profileType, FrameControl& frames) {
    CreationRun run = BeginCreation(u, profileType);
    for (int32_t step = 0; step < run.steps; ++step) {
        frames.StampFrameStart();
        ExpansionStep(u, run, step);
        if (frames.EndOfFrame()) return;
        if (step == 0) frames.SettleAfterFirstStep();
        if (frames.RestartRequested()) break;
    }
    FinishCreation(u);
}

}  // namespace orrelume
