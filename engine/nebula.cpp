// The nebula style.
#include "engine/nebula.h"

#include <algorithm>
#include <cmath>

#include "engine/engine_state.h"
#include "engine/galaxy_slots.h"
#include "engine/random_velocity.h"
#include "engine/style_math.h"

namespace orrelume {

namespace {

// The type's control point count K (the run's bounded copy).
int ControlPoints(const TypeRuntime& rt) {
    return std::clamp<int>(rt.cpPoints, 1, kMaxRibbonControlPoints);
}

bool Closed(const GalaxyType& g) {
    return g.cpClose == 1;
}

NebulaInstance& RibbonOf(EngineState& state, int instance) {
    if (instance < 0 || static_cast<size_t>(instance) >= state.nebula.instances.size())
        return state.nebula.universe;
    return state.nebula.instances[static_cast<size_t>(instance)];
}

// A fresh random guide point within the type's radius R; the height is
// scaled by the height/width ratio.
void NewGuide(Random& rng, float R, float ratio, NebulaInstance& n, int j, int i) {
    n.guideX[j][i] = (rng.Next() - 0.5f) * 2.0f * R;
    n.guideY[j][i] = (rng.Next() - 0.5f) * 2.0f * R * ratio;
    n.guideZ[j][i] = (rng.Next() - 0.5f) * 2.0f * R;
}

// How many of a ribbon's K + 3 control points are its own: a closed ribbon
// repeats its first three after the last (see CloseRibbon).
int OwnPoints(int K, bool closed) {
    return closed ? K : K + 3;
}

void CloseRibbon(NebulaInstance& n, int K) {
    for (int i = K; i < K + 3; ++i) {
        n.ribbonX[i] = n.ribbonX[i - K];
        n.ribbonY[i] = n.ribbonY[i - K];
        n.ribbonZ[i] = n.ribbonZ[i - K];
    }
}

// Every control point where its path now stands.
void PlaceRibbon(NebulaInstance& n, int K, bool closed) {
    const float t = n.ribbonClock;
    for (int i = 0; i < OwnPoints(K, closed); ++i) {
        n.ribbonX[i] = BSpline(n.guideX[0][i], n.guideX[1][i], n.guideX[2][i], n.guideX[3][i], t);
        n.ribbonY[i] = BSpline(n.guideY[0][i], n.guideY[1][i], n.guideY[2][i], n.guideY[3][i], t);
        n.ribbonZ[i] = BSpline(n.guideZ[0][i], n.guideZ[1][i], n.guideZ[2][i], n.guideZ[3][i], t);
    }
    if (closed) CloseRibbon(n, K);
}

// Where along a ribbon of K control points a star is born: the segment and
// the fraction within it, and the parameter s (0 <= s < 2K) they come from.
struct RibbonPlace {
    float s = 0;
    int segment = 0;
    float fraction = 0;
};

RibbonPlace SegmentOf(float s, int K) {
    RibbonPlace p;
    p.s = s;
    if (!std::isfinite(s)) return p;
    const float whole = std::floor(s);
    p.fraction = s - whole;
    double a = whole;
    if (a >= K) a -= K;
    // Only settings no store holds push the place further out.
    if (!(a >= 0 && a < K)) a = std::fmod(std::fmod(a, K) + K, K);
    p.segment = std::clamp(static_cast<int>(a), 0, K - 1);
    return p;
}

// The bias points creep along the ribbon with every star born; the star
// lies near one of them, offset by at most half a bias spacing.
RibbonPlace ChoosePlace(EngineState& state, int type) {
    const GalaxyType& g = state.types[type];
    TypeRuntime& rt = state.rt[type];
    const int K = ControlPoints(rt);
    float bias = rt.biasPos + rt.nebulaBiasSpeed;
    if (bias >= static_cast<float>(K)) bias -= static_cast<float>(K);
    if (!(bias >= 0 && bias < static_cast<float>(K))) bias = 0;
    rt.biasPos = bias;

    Random& rng = state.rng;
    const float u1 = rng.Next();
    const float u2 = rng.Next();
    const float u3 = rng.Next();
    const int biasPoints = std::max<int>(1, g.cpBPts);
    const int b = IndexOf(u3, biasPoints);
    const float spread = static_cast<float>(std::pow(static_cast<double>(u1), rt.nebulaBiasExp));
    const float sign = u2 > 0.5f ? 1.0f : (u2 < 0.5f ? -1.0f : 0.0f);
    const float s = (sign * (1.0f - spread) * 0.5f + static_cast<float>(b) + 0.5f) /
                        static_cast<float>(biasPoints) * static_cast<float>(K) +
                    rt.biasPos;
    return SegmentOf(s, K);
}

ShapePoint RibbonAt(const NebulaInstance& n, const RibbonPlace& p) {
    const int a = p.segment;
    const float t = p.fraction;
    return {BSpline(n.ribbonX[a], n.ribbonX[a + 1], n.ribbonX[a + 2], n.ribbonX[a + 3], t),
            BSpline(n.ribbonY[a], n.ribbonY[a + 1], n.ribbonY[a + 2], n.ribbonY[a + 3], t),
            BSpline(n.ribbonZ[a], n.ribbonZ[a + 1], n.ribbonZ[a + 2], n.ribbonZ[a + 3], t)};
}

}  // namespace

float BSpline(float p0, float p1, float p2, float p3, float t) {
    const float t2 = t * t;
    const float t3 = t2 * t;
    return ((-p0 + 3.0f * p1 - 3.0f * p2 + p3) * t3 + (3.0f * p0 - 6.0f * p1 + 3.0f * p2) * t2 +
            (-3.0f * p0 + 3.0f * p2) * t + (p0 + 4.0f * p1 + p2)) *
           0.16666667f;
}

void SizeNebula(EngineState& state, int32_t instances) {
    state.nebula.instances.resize(static_cast<size_t>(std::max(0, instances)));
}

void PrepareNebula(EngineState& state, int type, int instance) {
    if (type < 0 || type >= kGalaxyTypeCount) return;
    if (instance < 0 || static_cast<size_t>(instance) >= state.nebula.instances.size()) return;
    const GalaxyType& g = state.types[type];
    const TypeRuntime& rt = state.rt[type];
    NebulaInstance& n = state.nebula.instances[static_cast<size_t>(instance)];
    const int K = ControlPoints(rt);
    const bool closed = Closed(g);
    // An open ribbon's last three points follow paths of their own: they get
    // random guides now too, or its ends would start bunched at whatever the
    // arrays held (the centre, in a fresh run).
    for (int i = 0; i < OwnPoints(K, closed); ++i) {
        for (int j = 0; j < 4; ++j)
            NewGuide(state.rng, rt.radiusScale, g.ghwRatio, n, j, i);
    }
    n.ribbonClock = 0;
    PlaceRibbon(n, K, closed);
}

void PrepareUniverseNebula(EngineState& state, int type) {
    if (type < 0 || type >= kGalaxyTypeCount) return;
    const GalaxyType& g = state.types[type];
    NebulaInstance& n = state.nebula.universe;
    const int K = ControlPoints(state.rt[type]);
    const bool closed = Closed(g);
    const float R = static_cast<float>(g.radius * 0.01);
    Random& rng = state.rng;
    for (int k = 0; k < OwnPoints(K, closed); ++k) {
        n.ribbonX[k] = R * 2.0f * (rng.Next() - 0.5f);
        n.ribbonY[k] = R * 2.0f * (rng.Next() - 0.5f) * g.ghwRatio;
        n.ribbonZ[k] = R * 2.0f * (rng.Next() - 0.5f);
    }
    if (closed) CloseRibbon(n, K);
    n.ribbonClock = 0;
}

void AdvanceNebula(EngineState& state, int instance) {
    if (instance < 0 || static_cast<size_t>(instance) >= state.nebula.instances.size()) return;
    if (instance >= state.galaxies.count) return;
    const int type = GalaxyTypeOf(state, instance);
    const GalaxyType& g = state.types[type];
    if (g.galStyle != kStyleNebula) return;
    const TypeRuntime& rt = state.rt[type];
    NebulaInstance& n = state.nebula.instances[static_cast<size_t>(instance)];
    const int K = ControlPoints(rt);
    const int points = K + 3;

    if (g.cpSteps > 0) n.ribbonClock += 1.0f / static_cast<float>(g.cpSteps);
    if (n.ribbonClock >= 1.0f) {
        // Every control point moves on to the next segment of its path.
        n.ribbonClock -= 1.0f;
        if (!(n.ribbonClock >= 0 && n.ribbonClock < 1.0f)) n.ribbonClock = 0;
        for (int i = 0; i < points; ++i) {
            for (int j = 0; j < 3; ++j) {
                n.guideX[j][i] = n.guideX[j + 1][i];
                n.guideY[j][i] = n.guideY[j + 1][i];
                n.guideZ[j][i] = n.guideZ[j + 1][i];
            }
            NewGuide(state.rng, rt.radiusScale, g.ghwRatio, n, 3, i);
        }
    }

    // The paths turn with the galaxy: about its axis, or (plane 1) about the
    // other axis of the disc.
    const float c = rt.spinCos, s = rt.spinSin;
    auto& other = g.axisPlane == 0 ? n.guideX : n.guideY;
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < points; ++i) {
            const float z = n.guideZ[j][i];
            const float w = other[j][i];
            n.guideZ[j][i] = c * z + s * w;
            other[j][i] = c * w - z * s;
        }
    }
    PlaceRibbon(n, K, Closed(g));
}

ColourParams NebulaStar(EngineState& state, int32_t star, int type, int instance) {
    const TypeRuntime& rt = state.rt[type];
    const GalaxyType& g = state.types[type];
    const RibbonPlace place = ChoosePlace(state, type);
    const ShapePoint p = RibbonAt(RibbonOf(state, instance), place);
    // The star drifts off the ribbon in a random direction, and outwards in
    // proportion to its distance from the centre (the solar wind).
    const ShapePoint drift = RandomVelocity(state.rng, static_cast<float>(g.radiusExp * 0.001));
    const float wind = static_cast<float>(g.heightExp * 0.001);
    StarTable& st = state.stars;
    st.posX[star] = p.x;
    st.posY[star] = p.y;
    st.posZ[star] = p.z;
    st.velX[star] = drift.x + p.x * wind;
    st.velY[star] = drift.y + p.y * wind;
    st.velZ[star] = drift.z + p.z * wind;
    st.spinCos[star] = 1;
    st.spinSin[star] = 0;
    st.level[star] = 0;
    // The place along the whole ribbon: with computation 5 the hue runs once
    // round the wheel along the ribbon at a colour multiplier of 1000.
    return {0.0f, place.s / static_cast<float>(ControlPoints(rt))};
}

ShapePoint NebulaPoint(EngineState& state, int type) {
    if (type < 0 || type >= kGalaxyTypeCount) return {};
    return RibbonAt(state.nebula.universe, ChoosePlace(state, type));
}

StandardSample NebulaNucleus(EngineState& state, int type, int instance, float& param) {
    param = 0;
    if (type < 0 || type >= kGalaxyTypeCount) return {};
    const RibbonPlace place = ChoosePlace(state, type);
    param = static_cast<float>(place.segment) + place.fraction;
    const ShapePoint p = RibbonAt(RibbonOf(state, instance), place);
    StandardSample out;
    out.x = p.x;
    out.y = p.y;
    out.z = p.z;
    return out;
}

ShapePoint NebulaRibbonPoint(EngineState& state, int type, int instance, float param) {
    if (type < 0 || type >= kGalaxyTypeCount) return {};
    const int K = ControlPoints(state.rt[type]);
    float s = std::isfinite(param) ? std::fmod(param, static_cast<float>(K)) : 0.0f;
    if (s < 0) s += static_cast<float>(K);
    return RibbonAt(RibbonOf(state, instance), SegmentOf(s, K));
}

}  // namespace orrelume
