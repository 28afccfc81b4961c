// Comets of the visited galaxy.
#include "engine/comets.h"

#include <algorithm>
#include <cmath>

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "engine/generate.h"
#include "engine/ifs.h"
#include "engine/nebula.h"
#include "engine/projection.h"
#include "engine/random_velocity.h"
#include "engine/user_styles.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

int ParticlesPerComet(const GalaxyType& type) {
    return std::clamp<int>(type.cometStars, 1, 999);
}

// The nucleus as seen from the galaxy centre in camera axes (a, b across and
// down the screen, w into it), and the wind factor that turns it into the
// solar wind's push.
struct NucleusVector {
    float a, b, w;
    float wind;
};

NucleusVector NucleusOf(const EngineState& state, const CometSet& set, int c, int type) {
    const TypeRuntime& rt = state.rt[type];
    const int level = std::clamp<int>(set.nucleusLevel[c], 0, kMaxLevels - 1);
    const float tc = rt.levelTiltCos[level], ts = rt.levelTiltSin[level];
    const float x = set.nucleusX[c], y = set.nucleusY[c], z = set.nucleusZ[c];
    NucleusVector n;
    n.w = y * ts + z * tc;
    const float across = z * ts - y * tc;
    if (state.types[type].axisPlane == 0) {
        n.a = x;
        n.b = across;
    } else {
        n.a = across;
        n.b = x;
    }
    n.wind = static_cast<float>(
        rt.cometWind / (std::sqrt(static_cast<double>(n.a) * n.a + static_cast<double>(n.b) * n.b +
                                  static_cast<double>(n.w) * n.w) +
                        1e-9));
    return n;
}

// A particle leaves the nucleus in a random direction, drifting away from
// the core. It shows nothing until the next frame.
void Emit(EngineState& state, int i, const NucleusVector& n, float speed) {
    CometPool& pool = state.comets.pool;
    pool.pAge[i] = 0;
    pool.pX[i] = n.a;
    pool.pY[i] = n.b;
    pool.pZ[i] = n.w;
    const ShapePoint v = RandomVelocity(state.rng, speed);
    pool.vX[i] = v.x + n.a * n.wind;
    pool.vY[i] = v.y + n.b * n.wind;
    pool.vZ[i] = v.z + n.w * n.wind;
    pool.pScreenX[i] = kNoCometPixel;
    pool.pScreenY[i] = kNoCometPixel;
    pool.pAlive[i] = true;
}

// Places a new nucleus with the generator of the galaxy's style.
void PlaceNucleus(EngineState& state, int c, int type, int galaxy) {
    CometSet& set = state.comets.set;
    const TypeRuntime& rt = state.rt[type];
    StandardSample n;
    switch (state.types[type].galStyle) {
        case kStyleIfsPointAttractor:
        case kStyleIfsWireframe:
        case kStyleIfsFractal:
        case kStyleUserIfs:
            n = IfsNucleus(state, type, galaxy);
            break;
        case kStyleNebula:
            n = NebulaNucleus(state, type, galaxy, set.nucleusParam[c]);
            break;
        case kStyleMolecule:
            n = MoleculeNucleus(state, type);
            break;
        default:
            // The standard shape, orbiting at the comets' own speed.
            n = StandardGenerate(state, type, rt.armPhase, rt.cometOrbit);
            break;
    }
    set.nucleusX[c] = n.x;
    set.nucleusY[c] = n.y;
    set.nucleusZ[c] = n.z;
    set.nucleusLevel[c] = static_cast<int16_t>(std::clamp<int>(n.level, 0, kMaxLevels - 1));
    set.nucleusCos[c] = n.spinCos;
    set.nucleusSin[c] = n.spinSin;
}

void MoveNucleus(EngineState& state, int c, int type, int galaxy) {
    CometSet& set = state.comets.set;
    if (state.types[type].galStyle == kStyleNebula) {
        // The nucleus rides its galaxy's ribbon.
        const float points = std::max<float>(1, state.rt[type].cpPoints);
        float param = set.nucleusParam[c] + state.rt[type].cometOrbit;
        if (param >= points) param -= points;
        // An orbit faster than the whole ribbon per frame still stays on it.
        if (!(param >= 0 && param < points)) {
            param = std::isfinite(param) ? std::fmod(param, points) : 0.0f;
            if (param < 0) param += points;
        }
        set.nucleusParam[c] = param;
        const ShapePoint p = NebulaRibbonPoint(state, type, galaxy, param);
        set.nucleusX[c] = p.x;
        set.nucleusY[c] = p.y;
        set.nucleusZ[c] = p.z;
        return;
    }
    const float x = set.nucleusX[c], z = set.nucleusZ[c];
    const float cs = set.nucleusCos[c], sn = set.nucleusSin[c];
    set.nucleusZ[c] = sn * x + z * cs;
    set.nucleusX[c] = x * cs - sn * z;
}

}  // namespace

int16_t CometCountFor(int particles) {
    // Whole blocks only: every comet's particles must fit in the pool.
    return static_cast<int16_t>(std::min(kCometSlots / std::clamp(particles, 1, 999), kMaxComets));
}

void ResetComets(EngineState& state, bool erase, int type) {
    CometPool& pool = state.comets.pool;
    if (erase) {
        for (int i = 0; i < kCometSlots; ++i) {
            if (pool.pAlive[i]) state.canvas.Plot(pool.pScreenX[i], pool.pScreenY[i], 0);
        }
    }
    pool.pAlive.fill(false);
    pool.pScreenX.fill(kNoCometPixel);
    pool.pScreenY.fill(kNoCometPixel);
    CometSet& set = state.comets.set;
    set = CometSet{};
    const int t = std::clamp(type, 0, kGalaxyTypeCount - 1);
    set.cometCount = CometCountFor(state.types[t].cometStars);
    // The next hue drift rebuilds every ramp from its running range.
    state.comets.rampsKnown = false;
}

void UpdateComets(EngineState& state, float camX, float camY, float camZ, int galaxy, int type,
                  int tourStep) {
    if (type < 0 || type >= kGalaxyTypeCount) return;
    const GalaxyType& g = state.types[type];
    const TypeRuntime& rt = state.rt[type];
    CometPool& pool = state.comets.pool;
    CometSet& set = state.comets.set;
    Random& rng = state.rng;
    const int perComet = ParticlesPerComet(g);
    // The count was set for this type; keep every block inside the pool
    // whatever happened in between.
    const int comets = std::clamp<int>(set.cometCount, 0, CometCountFor(perComet));

    // Launch: a random comet, if it is free, with the type's chance.
    const float u = rng.Next();
    const int c =
        std::clamp(static_cast<int>(u * static_cast<float>(comets)), 0, std::max(0, comets - 1));
    const float launch = rng.Next();
    if (launch < rt.cometChance && comets > 0 && set.liveCount[c] == 0 && !set.emitting[c] &&
        tourStep > 2) {
        set.emitting[c] = true;
        set.liveCount[c] = static_cast<int16_t>(perComet);
        PlaceNucleus(state, c, type, galaxy);
        const NucleusVector n = NucleusOf(state, set, c, type);
        for (int i = c * perComet; i < (c + 1) * perComet; ++i)
            Emit(state, i, n, rt.cometSpeed);
    }

    const Canvas& canvas = state.canvas;
    const ColourRamp& ramp = state.flareRamp[type];
    const float survive = g.cometSPersist;
    for (int k = 0; k < comets; ++k) {
        if (set.liveCount[k] <= 0) continue;
        MoveNucleus(state, k, type, galaxy);
        const NucleusVector n = NucleusOf(state, set, k, type);
        for (int i = k * perComet; i < (k + 1) * perComet; ++i) {
            if (!pool.pAlive[i]) continue;
            // A particle erases only the pixel it shows.
            canvas.Plot(pool.pScreenX[i], pool.pScreenY[i], 0);
            pool.pScreenX[i] = kNoCometPixel;
            pool.pScreenY[i] = kNoCometPixel;
            if (rng.Next() >= survive) {
                if (set.emitting[k]) {
                    Emit(state, i, n, rt.cometSpeed);
                } else {
                    pool.pAlive[i] = false;
                    --set.liveCount[k];
                }
                continue;
            }
            pool.pX[i] += pool.vX[i];
            pool.pY[i] += pool.vY[i];
            pool.pZ[i] += pool.vZ[i];
            const int age = pool.pAge[i];
            int32_t x, y;
            if (age < kCometVisibleAge &&
                ProjectPoint(canvas, {camX + pool.pX[i], camY + pool.pY[i], camZ + pool.pZ[i]}, x,
                             y)) {
                pool.pScreenX[i] = x;
                pool.pScreenY[i] = y;
                canvas.Plot(x, y, ramp[age]);
            }
            // Old particles keep moving unseen; the count stops before it
            // could wrap.
            if (age < INT16_MAX) pool.pAge[i] = static_cast<int16_t>(age + 1);
        }
        if (tourStep < 3 || rng.Next() > g.cometCPersist) set.emitting[k] = false;
    }
}

void CometHueDrift(EngineState& state) {
    CometState& comets = state.comets;
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        TypeRuntime& rt = state.rt[t];
        rt.cometHueAcc += state.types[t].hwcInc;
        if (rt.cometHueAcc > 1.0f) {
            rt.cometHueAcc = 0;
            rt.cometHueFrom += 1;
            rt.cometHueTo += 1;
        }
        if (rt.cometHueFrom > 1080.0f && rt.cometHueTo > 1080.0f) {
            rt.cometHueFrom -= 1080.0f;
            rt.cometHueTo -= 1080.0f;
        }
        // The same range gives the same ramp: build it only when it moved.
        if (comets.rampsKnown && comets.rampFrom[t] == rt.cometHueFrom &&
            comets.rampTo[t] == rt.cometHueTo) {
            continue;
        }
        const auto from = CLng(rt.cometHueFrom);
        const auto to = CLng(rt.cometHueTo);
        if (from && to) BuildFlareRamp(state.flareRamp[t], *from, *to);
        comets.rampFrom[t] = rt.cometHueFrom;
        comets.rampTo[t] = rt.cometHueTo;
    }
    comets.rampsKnown = true;
}

}  // namespace orrelume
