#include "engine/update.h"

// The per-frame star pass and hue step are the animation's hot loops: they
// get the optimiser's full settings whatever the build type.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
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

// What the pass needs of every type, gathered once per frame.
struct TypeDraw {
    Motion motion;
    int16_t axisPlane;
    const float* tiltCos;
    const float* tiltSin;
    float force, wavePhaseStep, waveAmplitude, waveHalfLife;
};

void GatherTypes(const EngineState& state, std::array<TypeDraw, kGalaxyTypeCount>& out) {
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        const TypeRuntime& rt = state.rt[t];
        out[t] = {rt.motion,
                  state.types[t].axisPlane,
                  rt.levelTiltCos.data(),
                  rt.levelTiltSin.data(),
                  rt.force,
                  rt.wavePhaseStep,
                  rt.waveAmplitude,
                  static_cast<float>(rt.waveHalfLife)};
    }
}

// The hot path of an ordinary star: move by rotation (or its type's motion),
// project, store the pixel into trail entry k and plot it. Written without
// branches on the star's depth and place, which vary from star to star: a
// star behind the eye, or one whose pixel cannot be computed, keeps its
// stored pixel and draws into the canvas's spare word.
[[gnu::always_inline]] inline void MoveAndDraw(EngineState& state, const Canvas& canvas,
                                               const TypeDraw& t, int32_t s, size_t k) {
    StarTable& st = state.stars;
    float* px = st.posX.data();
    float* pz = st.posZ.data();
    if (t.motion == Motion::Rotation) {
        const float x = px[s], z = pz[s];
        const float c = st.spinCos[s], sn = st.spinSin[s];
        pz[s] = sn * x + z * c;
        px[s] = x * c - sn * z;
    } else {
        Move(st, state.rt[st.typeIndex[s]], s);
    }
    const int level = st.level[s];
    const int g = st.galaxyIndex[s];
    const GalaxyInstances& gi = state.galaxies;
    const CameraPoint p = ToCamera(px[s], st.posY[s], pz[s], t.tiltCos[level], t.tiltSin[level],
                                   t.axisPlane, gi.camX[g], gi.camY[g], gi.camZ[g]);
    const float q = canvas.projScale / p.depth;
    const float fx = q * p.sx + static_cast<float>(canvas.centerX);
    const float fy = q * p.sy + static_cast<float>(canvas.centerY);
    // Selected with a mask: a branch here would be mispredicted for a large
    // share of the stars. A coordinate that cannot be rounded into 32 bits
    // (huge, infinite, NaN) becomes the integer-indefinite value, which lies
    // off every surface: the star is not drawn, as if the statement had been
    // skipped.
    const bool ok = p.depth > kDepthCut;
    const int32_t keep = static_cast<int32_t>(ok) - 1;  // 0 when drawn, all ones when kept
    const int32_t x = (RoundToInt(fx) & ~keep) | (st.screenX[k] & keep);
    const int32_t y = (RoundToInt(fy) & ~keep) | (st.screenY[k] & keep);
    st.screenX[k] = x;
    st.screenY[k] = y;
    *canvas.SlotOrSpare(x, y, ok) = Canvas::Pixel(st.color[s]);
}

// The star table's arrays the single-pixel pass reads and writes.
struct PassArrays {
    const int16_t *newFrames, *novaFrames, *pulsarFrames, *typeIndex, *levels, *galaxy;
    const float *spinCos, *spinSin, *py;
    float *px, *pz;
    int32_t *screenX, *screenY;
    const uint32_t* colour;
    const float *camX, *camY, *camZ;
};

#if defined(__SSE2__)
// Moves and projects four ordinary stars at once: the same operations in
// the same order as MoveAndDraw, so the results are the same to the bit.
// The stars of the lanes set in `moved` have been moved by their type's own
// motion already; the others turn by their rotation step. Gives their next
// pixels and a bit mask of those drawn.
inline int ProjectFour(const PassArrays& a, const Canvas& canvas,
                       const std::array<TypeDraw, kGalaxyTypeCount>& types, int32_t s, int moved,
                       int32_t* nextX, int32_t* nextY) {
    // Positions just stored one by one are read one by one too: a vector
    // load of them would wait for the stores to reach the cache.
    const __m128 x = moved ? _mm_setr_ps(a.px[s], a.px[s + 1], a.px[s + 2], a.px[s + 3])
                           : _mm_loadu_ps(a.px + s);
    const __m128 z = moved ? _mm_setr_ps(a.pz[s], a.pz[s + 1], a.pz[s + 2], a.pz[s + 3])
                           : _mm_loadu_ps(a.pz + s);
    const __m128 c = _mm_loadu_ps(a.spinCos + s);
    const __m128 sn = _mm_loadu_ps(a.spinSin + s);
    __m128 nz = _mm_add_ps(_mm_mul_ps(sn, x), _mm_mul_ps(z, c));
    __m128 nx = _mm_sub_ps(_mm_mul_ps(x, c), _mm_mul_ps(sn, z));
    if (moved != 0) {
        const __m128 keep = _mm_castsi128_ps(
            _mm_setr_epi32(-(moved & 1), -((moved >> 1) & 1), -((moved >> 2) & 1), -(moved >> 3)));
        nz = _mm_or_ps(_mm_and_ps(keep, z), _mm_andnot_ps(keep, nz));
        nx = _mm_or_ps(_mm_and_ps(keep, x), _mm_andnot_ps(keep, nx));
    }
    _mm_storeu_ps(a.pz + s, nz);
    _mm_storeu_ps(a.px + s, nx);
    const __m128 y = moved ? _mm_setr_ps(a.py[s], a.py[s + 1], a.py[s + 2], a.py[s + 3])
                           : _mm_loadu_ps(a.py + s);
    // The per-star values of the tilt and the galaxy centre, built in
    // registers: storing them one by one and loading them as a vector would
    // defeat the processor's store forwarding and stall every group.
    const TypeDraw& t0 = types[a.typeIndex[s]];
    const TypeDraw& t1 = types[a.typeIndex[s + 1]];
    const TypeDraw& t2 = types[a.typeIndex[s + 2]];
    const TypeDraw& t3 = types[a.typeIndex[s + 3]];
    const int l0 = a.levels[s], l1 = a.levels[s + 1], l2 = a.levels[s + 2], l3 = a.levels[s + 3];
    const int g0 = a.galaxy[s], g1 = a.galaxy[s + 1], g2 = a.galaxy[s + 2], g3 = a.galaxy[s + 3];
    const __m128 tiltC =
        _mm_setr_ps(t0.tiltCos[l0], t1.tiltCos[l1], t2.tiltCos[l2], t3.tiltCos[l3]);
    const __m128 tiltS =
        _mm_setr_ps(t0.tiltSin[l0], t1.tiltSin[l1], t2.tiltSin[l2], t3.tiltSin[l3]);
    const __m128 camX = _mm_setr_ps(a.camX[g0], a.camX[g1], a.camX[g2], a.camX[g3]);
    const __m128 camY = _mm_setr_ps(a.camY[g0], a.camY[g1], a.camY[g2], a.camY[g3]);
    const __m128 camZ = _mm_setr_ps(a.camZ[g0], a.camZ[g1], a.camZ[g2], a.camZ[g3]);
    const __m128 swap = _mm_castsi128_ps(_mm_setr_epi32(
        -(t0.axisPlane != 0), -(t1.axisPlane != 0), -(t2.axisPlane != 0), -(t3.axisPlane != 0)));
    const __m128 depth = _mm_add_ps(_mm_add_ps(_mm_mul_ps(nz, tiltC), _mm_mul_ps(y, tiltS)), camZ);
    // Axis plane 0: the galaxy's x across the screen and its height down;
    // plane 1 swaps them.
    const __m128 across = nx;
    const __m128 down = _mm_sub_ps(_mm_mul_ps(nz, tiltS), _mm_mul_ps(y, tiltC));
    const __m128 first = _mm_or_ps(_mm_andnot_ps(swap, across), _mm_and_ps(swap, down));
    const __m128 second = _mm_or_ps(_mm_andnot_ps(swap, down), _mm_and_ps(swap, across));
    const __m128 sx = _mm_add_ps(first, camX);
    const __m128 sy = _mm_add_ps(second, camY);
    const __m128 q = _mm_div_ps(_mm_set1_ps(canvas.projScale), depth);
    const __m128 fx =
        _mm_add_ps(_mm_mul_ps(q, sx), _mm_set1_ps(static_cast<float>(canvas.centerX)));
    const __m128 fy =
        _mm_add_ps(_mm_mul_ps(q, sy), _mm_set1_ps(static_cast<float>(canvas.centerY)));
    const __m128 drawn = _mm_cmpgt_ps(depth, _mm_set1_ps(kDepthCut));
    const __m128i ok = _mm_castps_si128(drawn);
    // Converts in the current rounding mode (to nearest, halves to even);
    // what cannot be rounded becomes the integer-indefinite value.
    const __m128i ix = _mm_cvtps_epi32(fx);
    const __m128i iy = _mm_cvtps_epi32(fy);
    const __m128i oldX = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a.screenX + s));
    const __m128i oldY = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a.screenY + s));
    _mm_store_si128(reinterpret_cast<__m128i*>(nextX),
                    _mm_or_si128(_mm_and_si128(ok, ix), _mm_andnot_si128(ok, oldX)));
    _mm_store_si128(reinterpret_cast<__m128i*>(nextY),
                    _mm_or_si128(_mm_and_si128(ok, iy), _mm_andnot_si128(ok, oldY)));
    return _mm_movemask_ps(drawn);
}
#endif

// One frame of single-pixel mode, star by star in order: erase, move,
// project and plot an ordinary star; play the phase of a special one. The
// arithmetic of ordinary rotating stars is done four at a time where the
// processor allows; their pixels are still written in star order.
void SinglePixelPass(EngineState& state, const FrameInputs& in) {
    StarTable& st = state.stars;
    Canvas canvas = state.canvas;
    uint32_t spare = 0;
    if (canvas.spare == nullptr) canvas.spare = &spare;
    std::array<TypeDraw, kGalaxyTypeCount> types;
    GatherTypes(state, types);
    const PassArrays a{st.newFrames.data(),
                       st.novaFrames.data(),
                       st.pulsarFrames.data(),
                       st.typeIndex.data(),
                       st.level.data(),
                       st.galaxyIndex.data(),
                       st.spinCos.data(),
                       st.spinSin.data(),
                       st.posY.data(),
                       st.posX.data(),
                       st.posZ.data(),
                       st.screenX.data(),
                       st.screenY.data(),
                       st.color.data(),
                       state.galaxies.camX.data(),
                       state.galaxies.camY.data(),
                       state.galaxies.camZ.data()};

    auto single = [&](int32_t s) {
        if ((a.newFrames[s] | a.novaFrames[s] | a.pulsarFrames[s]) != 0) {
            if (ErasePhase(state, s)) {
                // A nova or pulsar never shines again: it is born anew.
                RebirthStar(state, s, st.galaxyIndex[s], in.singleType);
            } else if (!st.IsOrdinary(s)) {
                PlayPhase(state, s, in);
            }
            // A new-star flare that has just ended shines from the next frame.
            return;
        }
        *canvas.SlotOrSpare(a.screenX[s], a.screenY[s], true) = 0xFF000000u;
        MoveAndDraw(state, canvas, types[a.typeIndex[s]], s, static_cast<size_t>(s));
    };

    const int32_t n = st.count;
    int32_t s = 0;
#if defined(__SSE2__)
    // Whether every type rotates its stars (then only the phases need a look).
    bool allRotate = true;
    for (const TypeDraw& t : types)
        allRotate &= t.motion == Motion::Rotation;
    for (; s + 4 <= n; s += 4) {
        // Four stars without a special phase: their three counters are all 0.
        const __m128i phases = _mm_or_si128(
            _mm_or_si128(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a.newFrames + s)),
                         _mm_loadl_epi64(reinterpret_cast<const __m128i*>(a.novaFrames + s))),
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(a.pulsarFrames + s)));
        if (_mm_cvtsi128_si64(phases) != 0) {
            for (int j = 0; j < 4; ++j)
                single(s + j);
            continue;
        }
        // Stars of types with another motion move first, one by one; then
        // all four are projected together.
        int moved = 0;
        if (!allRotate) {
            for (int j = 0; j < 4; ++j) {
                const int type = a.typeIndex[s + j];
                if (types[type].motion != Motion::Rotation) {
                    Move(st, state.rt[type], s + j);
                    moved |= 1 << j;
                }
            }
        }
        alignas(16) int32_t nextX[4], nextY[4];
        const int drawn = ProjectFour(a, canvas, types, s, moved, nextX, nextY);
        for (int j = 0; j < 4; ++j) {
            const int32_t k = s + j;
            const bool draw = ((drawn >> j) & 1) != 0;
            // A star drawn where it was: erasing first would change nothing
            // the frame shows, so the erase goes to the spare word.
            const bool stays = draw & (nextX[j] == a.screenX[k]) & (nextY[j] == a.screenY[k]);
            *canvas.SlotOrSpare(a.screenX[k], a.screenY[k], !stays) = 0xFF000000u;
            a.screenX[k] = nextX[j];
            a.screenY[k] = nextY[j];
            *canvas.SlotOrSpare(nextX[j], nextY[j], draw) = Canvas::Pixel(a.colour[k]);
        }
    }
#endif
    for (; s < n; ++s)
        single(s);
}

void TrailPass(EngineState& state, const FrameInputs& in) {
    StarTable& st = state.stars;
    Canvas canvas = state.canvas;
    uint32_t spare = 0;
    if (canvas.spare == nullptr) canvas.spare = &spare;
    std::array<TypeDraw, kGalaxyTypeCount> types;
    GatherTypes(state, types);
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
                MoveAndDraw(state, canvas, types[st.typeIndex[s]], s, k);
            } else {
                PlayPhase(state, s, in);
            }
            continue;
        }
        *canvas.SlotOrSpare(st.screenX[k], st.screenY[k], true) = 0xFF000000u;
        if (st.trailFade[s] >= 1) {
            // A retired star's trail shrinks by one pixel per frame; when it
            // is gone the star is born again.
            if (--st.trailFade[s] == 0) {
                RebirthStar(state, s, ChooseGalaxy(state, in), in.singleType);
            }
            continue;
        }
        MoveAndDraw(state, canvas, types[st.typeIndex[s]], s, k);
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
    StartPhase(state, s);
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
