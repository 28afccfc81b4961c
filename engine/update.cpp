#include "engine/update.h"

#include <algorithm>
#include <cmath>

#include "engine/colour.h"
#include "engine/comets.h"
#include "engine/engine_state.h"
#include "engine/galaxy_slots.h"
#include "engine/generate.h"
#include "engine/special_stars.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

int32_t GalaxyRate(const EngineState& state, int32_t galaxy) {
    return state.types[GalaxyTypeOf(state, galaxy)].newFreq;
}

int32_t RandomGalaxy(EngineState& state) {
    const int32_t g = state.galaxies.count;
    const auto pick = static_cast<int32_t>(static_cast<double>(state.rng.Next()) * g);
    return std::clamp(pick, 0, std::max(0, g - 1));
}

int32_t NearestOr(double value, int32_t fallback) {
    const auto v = Nearest(value);
    return v ? *v : fallback;
}

inline void Move(StarTable& st, const TypeRuntime& rt, int32_t s) {
    switch (rt.motion) {
        case Motion::Rotation: {
            const float x = st.posX[s], z = st.posZ[s];
            const float c = st.spinCos[s], sn = st.spinSin[s];
            st.posZ[s] = sn * x + z * c;
            st.posX[s] = x * c - sn * z;
            break;
        }
        case Motion::Linear:
            st.posX[s] += st.velX[s];
            st.posY[s] += st.velY[s];
            st.posZ[s] += st.velZ[s];
            break;
        case Motion::Gravity: {
            const float x = st.posX[s], y = st.posY[s], z = st.posZ[s];
            const float k = -rt.force / (x * x + y * y + z * z + 1e-9f);
            st.velX[s] += x * k;
            st.velY[s] += y * k;
            st.velZ[s] += z * k;
            st.posX[s] += st.velX[s];
            st.posY[s] += st.velY[s];
            st.posZ[s] += st.velZ[s];
            break;
        }
        case Motion::Wave: {
            const int32_t age = ++st.age[s];
            st.posX[s] += st.velX[s];
            st.velY[s] += rt.wavePhaseStep;
            const float h = static_cast<float>(rt.waveHalfLife);
            // The wave dies down as 1 / (age + H); with H = 0 it is flat.
            const float denominator = static_cast<float>(age) + h;
            st.posY[s] =
                denominator != 0 ? h / denominator * std::sin(st.velY[s]) * rt.waveAmplitude : 0;
            st.posZ[s] += st.velZ[s];
            break;
        }
    }
}

// The special phases, one frame, after their sprite was erased.
void PlayPhase(EngineState& state, int32_t s, const FrameInputs& in) {
    StarTable& st = state.stars;
    const Canvas& canvas = state.canvas;
    const int type = st.typeIndex[s];
    if (st.newFrames[s] >= 1) {
        Move(st, state.rt[type], s);
        const CameraPoint p = StarCameraPoint(state, s);
        if (p.depth > kDepthCut) {
            int32_t x, y;
            if (ProjectPoint(canvas, p, x, y)) {
                st.flareScreenX[s] = x;
                st.flareScreenY[s] = y;
            }
            st.flareDepth[s] = p.depth;
            DrawFlare(canvas, st.flareScreenX[s], st.flareScreenY[s], p.depth, st.newFrames[s],
                      st.phaseFrames[s], st.flareScale[s], FlareColour(state, s));
        }
        return;
    }
    if (st.novaFrames[s] >= 1) {
        Move(st, state.rt[type], s);
        const CameraPoint p = StarCameraPoint(state, s);
        st.spriteX[s] = p.sx;
        st.spriteY[s] = p.sy;
        st.spriteDepth[s] = p.depth;
        if (p.depth > kDepthCut) {
            DrawNova(canvas, p.sx, p.sy, p.depth, st.novaFrames[s], st.phaseFrames[s],
                     st.flareScale[s], NovaColour(state, s));
        }
        return;
    }
    if (st.pulsarFrames[s] >= 1) {
        Move(st, state.rt[type], s);
        const CameraPoint p = StarCameraPoint(state, s);
        st.spriteX[s] = p.sx;
        st.spriteY[s] = p.sy;
        st.spriteDepth[s] = p.depth;
        if (p.depth > kDepthCut) {
            float size;
            uint32_t colour;
            PulsarLook(state, s, size, colour);
            DrawPulsar(canvas, p.sx, p.sy, p.depth, size, state.types[type].pulsarShape,
                       state.rt[type].pulsarDepth, colour);
        }
    }
}

// Erases a phase star's sprite and counts its phase down. Returns true when
// a nova or pulsar has just ended (the star is then re-born).
bool ErasePhase(EngineState& state, int32_t s) {
    StarTable& st = state.stars;
    const Canvas& canvas = state.canvas;
    const int type = st.typeIndex[s];
    if (st.newFrames[s] >= 1) {
        if (st.flareDepth[s] > kDepthCut) {
            DrawFlare(canvas, st.flareScreenX[s], st.flareScreenY[s], st.flareDepth[s],
                      st.newFrames[s], st.phaseFrames[s], st.flareScale[s], 0);
        }
        --st.newFrames[s];
        return false;
    }
    if (st.novaFrames[s] >= 1) {
        if (st.spriteDepth[s] > kDepthCut) {
            DrawNova(canvas, st.spriteX[s], st.spriteY[s], st.spriteDepth[s], st.novaFrames[s],
                     st.phaseFrames[s], st.flareScale[s], 0);
        }
        return --st.novaFrames[s] == 0;
    }
    if (st.spriteDepth[s] > kDepthCut) {
        float size;
        uint32_t colour;
        PulsarLook(state, s, size, colour);
        DrawPulsar(canvas, st.spriteX[s], st.spriteY[s], st.spriteDepth[s], size,
                   state.types[type].pulsarShape, state.rt[type].pulsarDepth, 0);
    }
    return --st.pulsarFrames[s] == 0;
}

// Moves, projects and plots an ordinary star into trail entry k.
inline void DrawOrdinary(EngineState& state, int32_t s, size_t k) {
    StarTable& st = state.stars;
    Move(st, state.rt[st.typeIndex[s]], s);
    int32_t x, y;
    if (ProjectPoint(state.canvas, StarCameraPoint(state, s), x, y)) {
        st.screenX[k] = x;
        st.screenY[k] = y;
        state.canvas.Plot(x, y, st.color[s]);
    }
}

void SinglePixelPass(EngineState& state, const FrameInputs& in) {
    StarTable& st = state.stars;
    const Canvas& canvas = state.canvas;
    const int32_t n = st.count;
    for (int32_t s = 0; s < n; ++s) {
        if (!st.IsOrdinary(s)) {
            if (ErasePhase(state, s)) {
                // A nova or pulsar never shines again: it is born anew.
                RebirthStar(state, s, st.galaxyIndex[s], in.singleType);
            } else if (!st.IsOrdinary(s)) {
                PlayPhase(state, s, in);
            }
            // A new-star flare that has just ended shines from the next frame.
            continue;
        }
        canvas.Plot(st.screenX[s], st.screenY[s], 0);
        DrawOrdinary(state, s, static_cast<size_t>(s));
    }
}

void TrailPass(EngineState& state, const FrameInputs& in) {
    StarTable& st = state.stars;
    const Canvas& canvas = state.canvas;
    const int32_t n = st.count;
    const size_t trail = static_cast<size_t>(st.trail);
    for (int32_t s = 0; s < n; ++s) {
        const size_t k = static_cast<size_t>(s) * trail + static_cast<size_t>(state.trailSlot);
        ++st.age[s];
        if (!st.IsOrdinary(s)) {
            if (ErasePhase(state, s)) {
                RebirthStar(state, s, st.galaxyIndex[s], in.singleType);
            } else if (st.IsOrdinary(s)) {
                // A new-star flare that has just ended shines at once.
                DrawOrdinary(state, s, k);
            } else {
                PlayPhase(state, s, in);
            }
            continue;
        }
        canvas.Plot(st.screenX[k], st.screenY[k], 0);
        if (st.trailFade[s] >= 1) {
            // A retired star's trail shrinks by one pixel per frame; when it
            // is gone the star is born again.
            if (--st.trailFade[s] == 0)
                RebirthStar(state, s, ChooseGalaxy(state, in), in.singleType);
            continue;
        }
        DrawOrdinary(state, s, k);
    }
}

}  // namespace

CameraPoint StarCameraPoint(const EngineState& state, int32_t s) {
    const StarTable& st = state.stars;
    const int type = st.typeIndex[s];
    const TypeRuntime& rt = state.rt[type];
    const int level = st.level[s];
    const int g = st.galaxyIndex[s];
    const GalaxyInstances& gi = state.galaxies;
    return ToCamera(st.posX[s], st.posY[s], st.posZ[s], rt.levelTiltCos[level],
                    rt.levelTiltSin[level], state.types[type].axisPlane, gi.camX[g], gi.camY[g],
                    gi.camZ[g]);
}

void MoveStar(EngineState& state, int32_t s) {
    Move(state.stars, state.rt[state.stars.typeIndex[s]], s);
}

int32_t RebirthRate(const EngineState& state, const FrameInputs& in) {
    const RunValues& v = state.values;
    if (in.singleType != 0) return GalaxyRate(state, in.visitIndex);
    const double q = (std::cos(static_cast<double>(in.tourProgress) * kPi) + 1.0) * 0.5;
    const double u = v.newFreq;
    if (in.tourStep == 1 && in.visitIndex > 0) {
        // The previous galaxy's rate fades into the universe's.
        const double previous = GalaxyRate(state, in.visitIndex - 1);
        return NearestOr((previous - u) * q + u, v.newFreq);
    }
    if (in.tourStep <= v.gPCtrl || !in.touring) return v.newFreq;
    if (in.tourStep == v.gPCtrl + 1) {
        // The universe's rate gives way to the visited galaxy's.
        const double visited = GalaxyRate(state, in.visitIndex);
        return NearestOr((visited - u) * (1.0 - q) + u, v.newFreq);
    }
    return GalaxyRate(state, in.visitIndex);
}

int32_t RebirthCount(EngineState& state, int32_t rate) {
    const int32_t remainder = rate % 100;
    const double e = static_cast<double>(state.rng.Next()) * 100.0 < remainder ? 1.0 : 0.0;
    return std::max(0, NearestOr(e + rate * 0.01, 0));
}

int32_t ChooseGalaxy(EngineState& state, const FrameInputs& in) {
    const int32_t g = state.galaxies.count;
    const int32_t visited = std::clamp(in.visitIndex, 0, std::max(0, g - 1));
    if (!in.touring) return RandomGalaxy(state);
    const float p = state.values.newPct;
    if (in.tourStep > state.values.gPCtrl) {
        if (state.rng.Next() < p) return visited;
        return RandomGalaxy(state);
    }
    if (state.rng.Next() < p) {
        if (in.tourStep == 1 && visited >= 1) {
            // During the first control point re-born stars move from the
            // galaxy just left to the one approached.
            const double q = (std::cos(static_cast<double>(in.tourProgress) * kPi) + 1.0) * 0.5;
            if (state.rng.Next() < q) return visited - 1;
        }
        return visited;
    }
    return RandomGalaxy(state);
}

void RebirthStar(EngineState& state, int32_t s, int32_t galaxy, int16_t singleType) {
    StarTable& st = state.stars;
    const int32_t g = std::clamp(galaxy, 0, std::max(0, state.galaxies.count - 1));
    const int slot = state.galaxies.typeSlot[g];
    // A type preview shows the slot as it is; composites always resolve to a
    // member type, so a star never follows a slot of 50 or more.
    const int type =
        singleType == 1 ? SlotTypeOf(state, slot) : ResolveCompositeMember(state, slot);
    st.galaxyIndex[s] = static_cast<int16_t>(g);
    st.typeIndex[s] = static_cast<int16_t>(type);
    GenerateStar(state, s, type, g);
    const float u = state.rng.Next();
    const TypeRuntime& rt = state.rt[type];
    const CameraPoint at = StarCameraPoint(state, s);
    if (u < rt.pulsarChance) {
        StartPulsar(state, s, at);
    } else if (u < rt.novaChance + rt.pulsarChance) {
        StartNova(state, s, at);
    } else {
        StartNewStarFlare(state, s, at);
    }
}

void UpdateGalaxies(EngineState& state, const FrameInputs& in) {
    StarTable& st = state.stars;
    const int32_t rate = RebirthRate(state, in);

    if (st.trail > 1) {
        TrailPass(state, in);
    } else {
        SinglePixelPass(state, in);
    }

    if (state.values.gravForce == 0) {
        int32_t galaxy = in.visitIndex;
        if (in.singleType != 0) {
            galaxy = 0;
        } else if (in.tourStep <= 1 && in.visitIndex >= 1 && in.touring) {
            galaxy = in.visitIndex - 1;  // the galaxy just left keeps its comets a while
        }
        galaxy = std::clamp(galaxy, 0, std::max(0, state.galaxies.count - 1));
        const GalaxyInstances& gi = state.galaxies;
        UpdateComets(state, gi.camX[galaxy], gi.camY[galaxy], gi.camZ[galaxy], galaxy,
                     in.approachedType, in.tourStep);
    }

    if (st.trail > 1) state.trailSlot = static_cast<int16_t>((state.trailSlot + 1) % st.trail);

    const int32_t n = RebirthCount(state, rate);
    for (int32_t i = 0; i < n; ++i) {
        const auto pick = static_cast<int32_t>(static_cast<double>(state.rng.Next()) * st.count);
        const int32_t s = std::clamp(pick, 0, st.count - 1);
        if (!st.IsOrdinary(s)) continue;
        if (st.trail <= 1) {
            state.canvas.Plot(st.screenX[s], st.screenY[s], 0);
            RebirthStar(state, s, ChooseGalaxy(state, in), in.singleType);
        } else if (st.trailFade[s] == 0 && st.age[s] > st.trail) {
            st.trailFade[s] = static_cast<int16_t>(st.trail + 1);
        }
    }

    CometHueDrift(state);
    HueStepAll(state);
}

}  // namespace orrelume
