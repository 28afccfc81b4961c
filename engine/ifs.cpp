// The iterated-function-system styles.
//
// Style 1 (point attractor) drops a seed shaped like a standard galaxy and
// lets it spiral inwards: every step contracts it towards the centre and
// turns it by the attractor angle, until a new seed is due. Style 2 (nested
// wireframe) and style 3 (space-filling fractal) play on the vertices of a
// polyhedron: the fractal moves the current point a fixed share of the way
// towards a random vertex (the chaos game); the wireframe restarts at a
// random vertex every star, iterates a number of times, and places the star
// on the segment between the last two iterates, stretched up to twice its
// length, which draws the edges of the nested copies.
#include "engine/ifs.h"

#include <algorithm>
#include <cmath>

#include "engine/engine_state.h"
#include "engine/style_math.h"
#include "engine/user_styles.h"

namespace orrelume {

namespace {

// A seed of the point attractor: a point of a disc shaped by the type's
// profile, at a random angle.
void AttractorSeed(EngineState& state, int type, IfsInstance& p) {
    const GalaxyType& g = state.types[type];
    const TypeRuntime& rt = state.rt[type];
    Random& rng = state.rng;
    const double r = std::pow(static_cast<double>(rng.Next()), static_cast<double>(g.radiusExp)) *
                         rt.radiusScale +
                     1e-9;
    const double lift = std::pow(static_cast<double>(rng.Next()), static_cast<double>(g.heightExp));
    const float h =
        ShapeProfile(rng, g.profile, static_cast<float>(r), rt.radiusScale, rt.radiusSq);
    const double y = lift * g.ghwRatio * h;
    const double angle = static_cast<double>(kTwoPi) * rng.Next();
    p.ifsX = static_cast<float>(r * std::cos(angle));
    p.ifsY = static_cast<float>(y);
    p.ifsZ = static_cast<float>(r * std::sin(angle));
}

// The vertex table of m vertices for radius R and height ratio g; vertices
// the table does not name stay at the origin.
void MakeVertices(IfsInstance& p, int m, float R, float g) {
    p.mapX.fill(0);
    p.mapY.fill(0);
    p.mapZ.fill(0);
    auto set = [&p](int k, float x, float y, float z) {
        p.mapX[k] = x;
        p.mapY[k] = y;
        p.mapZ[k] = z;
    };
    const float h = R * g;
    if (m >= 2 && m <= 5) {
        // An apex below and a ring of m - 1 points above it.
        set(0, 0, -h, 0);
        for (int k = 1; k < m; ++k) {
            const double a = (k - 1) * static_cast<double>(kTwoPi) / (m - 1);
            set(k, static_cast<float>(R * std::cos(a)), h / 2, static_cast<float>(R * std::sin(a)));
        }
    } else if (m == 6 || m == 7) {
        // An octahedron; with seven vertices the origin is the seventh.
        set(0, 0, h, 0);
        set(1, 0, -h, 0);
        set(2, -R, 0, 0);
        set(3, R, 0, 0);
        set(4, 0, 0, -R);
        set(5, 0, 0, R);
    } else if (m == 8) {
        // The corners of a box.
        int k = 0;
        for (float x : {-R, R}) {
            for (float y : {-h, h}) {
                for (float z : {-R, R})
                    set(k++, x, y, z);
            }
        }
    } else if (m == 9) {
        // A triangular prism and three outer points.
        set(0, -0.6f * R, h, -0.36f * R);
        set(1, 0.6f * R, h, -0.36f * R);
        set(2, 0, h, 0.72f * R);
        set(3, -0.6f * R, -h, -0.36f * R);
        set(4, 0.6f * R, -h, -0.36f * R);
        set(5, 0, -h, 0.72f * R);
        set(6, -1.25f * R, 0, 0.75f * R);
        set(7, 1.25f * R, 0, 0.75f * R);
        set(8, 0, 0, -1.5f * R);
    } else if (m == 10) {
        // A point below, a square below the middle, a diamond above it and a
        // point on top.
        set(0, 0, -h, 0);
        set(1, R, -h / 2, R);
        set(2, R, -h / 2, -R);
        set(3, -R, -h / 2, R);
        set(4, -R, -h / 2, -R);
        set(5, R, h / 2, 0);
        set(6, -R, h / 2, 0);
        set(7, 0, h / 2, R);
        set(8, 0, h / 2, -R);
        set(9, 0, h, 0);
    }
}

// The chaos game on the vertices: a share s of the way towards a random one.
void FractalStep(Random& rng, int m, float s, IfsInstance& p) {
    const int v = RandomIndex(rng, m);
    p.ifsX += (p.mapX[v] - p.ifsX) * s;
    p.ifsY += (p.mapY[v] - p.ifsY) * s;
    p.ifsZ += (p.mapZ[v] - p.ifsZ) * s;
}

void AttractorStep(EngineState& state, int type, IfsInstance& p) {
    const GalaxyType& g = state.types[type];
    const TypeRuntime& rt = state.rt[type];
    if (p.ifsCount == 0) {
        AttractorSeed(state, type, p);
    } else {
        const float s = rt.armFill;
        const float x = p.ifsX * s, y = p.ifsY * s, z = p.ifsZ * s;
        p.ifsZ = z * rt.attractorCos + x * rt.attractorSin;
        p.ifsX = rt.attractorCos * x - z * rt.attractorSin;
        p.ifsY = y;
    }
    // A seed spirals inwards for steps - 1 steps.
    const int steps = std::max<int>(1, g.radSegs);
    p.ifsCount = static_cast<int16_t>((p.ifsCount + 1) % steps);
}

void WireframeStep(EngineState& state, int type, IfsInstance& p) {
    const GalaxyType& g = state.types[type];
    const TypeRuntime& rt = state.rt[type];
    Random& rng = state.rng;
    const int m = rt.vertexCount;
    const float s = rt.armFill;
    int v = RandomIndex(rng, m);
    float px = p.mapX[v], py = p.mapY[v], pz = p.mapZ[v];
    float qx = 0, qy = 0, qz = 0;
    for (int i = 0; i < g.radBands; ++i) {
        qx = px;
        qy = py;
        qz = pz;
        v = RandomIndex(rng, m);
        px += (p.mapX[v] - px) * s;
        py += (p.mapY[v] - py) * s;
        pz += (p.mapZ[v] - pz) * s;
    }
    // On the segment between the last two iterates, stretched up to twice
    // its length.
    const float w = 2.0f * rng.Next();
    p.ifsX = qx + w * (px - qx);
    p.ifsY = qy + w * (py - qy);
    p.ifsZ = qz + w * (pz - qz);
}

}  // namespace

void SizeIfs(EngineState& state, int32_t instances) {
    state.ifs.instances.resize(static_cast<size_t>(std::max(0, instances)));
}

void MakeIfsMaps(EngineState& state, int type, IfsInstance& maps) {
    if (type < 0 || type >= kGalaxyTypeCount) return;
    const GalaxyType& g = state.types[type];
    const TypeRuntime& rt = state.rt[type];
    if (g.galStyle == kStyleIfsPointAttractor) {
        AttractorSeed(state, type, maps);
        maps.mapX[0] = maps.ifsX;
        maps.mapY[0] = maps.ifsY;
        maps.mapZ[0] = maps.ifsZ;
    } else {
        MakeVertices(maps, rt.vertexCount, rt.radiusScale, g.ghwRatio);
    }
    maps.ifsX = maps.mapX[0];
    maps.ifsY = maps.mapY[0];
    maps.ifsZ = maps.mapZ[0];
    maps.ifsCount = 0;
}

void PrepareIfs(EngineState& state, int type, int instance) {
    if (instance < 0 || static_cast<size_t>(instance) >= state.ifs.instances.size()) return;
    MakeIfsMaps(state, type, state.ifs.instances[static_cast<size_t>(instance)]);
}

void PrepareUniverseIfs(EngineState& state, int type) {
    MakeIfsMaps(state, type, state.ifs.universe);
}

IfsInstance& IfsInstanceOf(EngineState& state, int instance) {
    if (instance < 0 || static_cast<size_t>(instance) >= state.ifs.instances.size())
        return state.ifs.universe;
    return state.ifs.instances[static_cast<size_t>(instance)];
}

void IfsStep(EngineState& state, int type, IfsInstance& point) {
    if (type < 0 || type >= kGalaxyTypeCount) return;
    switch (state.types[type].galStyle) {
        case kStyleIfsPointAttractor:
            AttractorStep(state, type, point);
            break;
        case kStyleIfsWireframe:
            WireframeStep(state, type, point);
            break;
        case kStyleUserIfs:
            if (HasUserMaps(state, type)) {
                UserIfsStep(state, type, point);
                break;
            }
            // Without maps of its own the type plays on the vertices.
            [[fallthrough]];
        default:
            FractalStep(state.rng, state.rt[type].vertexCount, state.rt[type].armFill, point);
            break;
    }
}

ColourParams IfsStar(EngineState& state, int32_t star, int type, int instance) {
    IfsInstance& p = IfsInstanceOf(state, instance);
    IfsStep(state, type, p);
    return PlaceRigidStar(state.stars, star, RigidSample(state.rt[type], p.ifsX, p.ifsY, p.ifsZ));
}

ShapePoint UniverseIfsPoint(EngineState& state, int type) {
    IfsInstance& p = state.ifs.universe;
    IfsStep(state, type, p);
    return {p.ifsX, p.ifsY, p.ifsZ};
}

StandardSample IfsNucleus(EngineState& state, int type, int instance) {
    if (type < 0 || type >= kGalaxyTypeCount) return {};
    IfsInstance& p = IfsInstanceOf(state, instance);
    IfsStep(state, type, p);
    return RigidSample(state.rt[type], p.ifsX, p.ifsY, p.ifsZ);
}

}  // namespace orrelume
