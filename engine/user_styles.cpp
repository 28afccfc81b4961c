// The user-defined styles.
//
// User maps play the chaos game on the user's own fixed points: each step
// moves the current point a map's share of the way towards the map's fixed
// point (the map chosen by weight) and may then turn it about that point.
//
// A molecule places every star on one of its atoms, chosen in proportion to
// the point count of the atom's structure: on the atom itself, on a
// symmetric shell of 6 to 38 points around it, or anywhere on a lattice
// (square, hexagonal, cubic, or stacked triangular and hexagonal layers),
// jittered by the atom's speed.
#include "engine/user_styles.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "engine/engine_state.h"
#include "engine/ifs.h"
#include "engine/random_velocity.h"
#include "engine/style_math.h"
#include "settings/numeric.h"

namespace orrelume {

const std::array<std::string_view, kStructureTypeCount> kStructureNames = {
    "Single",   "6 Point",  "8 Point", "18 Shell",   "26 Shell",   "38 Shell",
    "Rectgrid", "Hexagrid", "Cube",    "Tetramatrx", "Octamatrix", "Hexamatrix",
};

namespace {

constexpr std::array<ElementInfo, kElementCount> kElements = {{
    {"Hydrogen", "H", "1", 180, 10},
    {"Helium", "He", "2", 330, 12},
    {"Lithium", "Li", "2,1", 0, 10},
    {"Beryllim", "Be", "2,2", 0, 10},
    {"Boron", "B", "2,3", 0, 10},
    {"Carbon", "C", "2,4", 210, 20},
    {"Nitrogen", "N", "2,5", 240, 25},
    {"Oxygen", "O", "2,6", 0, 30},
    {"Flourine", "F", "2,7", 270, 10},
    {"Neon", "Ne", "2,8", 300, 10},
    {"Sodium", "Na", "2,8,1", 30, 10},
    {"Magnesium", "Mg", "2,8,2", 0, 10},
    {"Aluminum", "Al", "2,8,3", 0, 10},
    {"Silicon", "Si", "2,8,4", 0, 10},
    {"Phosphorus", "P", "2,8,5", 0, 10},
    {"Sulphur", "S", "2,8,6", 60, 40},
    {"Chlorine", "Cl", "2,8,7", 120, 50},
}};

// Tilted rows of a triangle and tetrahedron layers, spacing 1: the height of
// a triangle's row, a row's distance from the centre line, and a layer's
// height in a tetrahedral stack (its distance from the stack's centre).
constexpr float kRowStep = 0.8660254f;
constexpr float kTriangleCentre = 0.57735026f;
constexpr float kLayerStep = 0.8164966f;
constexpr float kStackCentre = 0.5443311f;

// The shells' points for a radius of 1, in the order a star picks them.
struct Shells {
    std::vector<ShapePoint> six, eight, eighteen, twentySix, thirtyEight;
};

const Shells& ShellPoints() {
    static const Shells shells = [] {
        constexpr float kEdge = 0.707106f;    // two coordinates
        constexpr float kCorner = 0.594603f;  // three coordinates
        constexpr float kLong = 0.866025f, kShort = 0.5f;
        Shells s;
        const std::vector<ShapePoint> axes = {{1, 0, 0},  {-1, 0, 0}, {0, 1, 0},
                                              {0, -1, 0}, {0, 0, 1},  {0, 0, -1}};
        std::vector<ShapePoint> corners, edges, inner;
        for (float x : {1.0f, -1.0f}) {
            for (float y : {1.0f, -1.0f}) {
                for (float z : {1.0f, -1.0f}) {
                    s.eight.push_back({x, y, z});
                    corners.push_back({x * kCorner, y * kCorner, z * kCorner});
                }
            }
        }
        for (float a : {kEdge, -kEdge}) {
            for (float b : {kEdge, -kEdge}) {
                edges.push_back({a, b, 0});
                edges.push_back({a, 0, b});
                edges.push_back({0, a, b});
            }
        }
        // One coordinate +-0.866025, another +-0.5, the third 0.
        for (int longAxis = 0; longAxis < 3; ++longAxis) {
            for (int shortAxis = 0; shortAxis < 3; ++shortAxis) {
                if (shortAxis == longAxis) continue;
                for (float a : {kLong, -kLong}) {
                    for (float b : {kShort, -kShort}) {
                        float c[3] = {0, 0, 0};
                        c[longAxis] = a;
                        c[shortAxis] = b;
                        inner.push_back({c[0], c[1], c[2]});
                    }
                }
            }
        }
        s.six = axes;
        s.eighteen = axes;
        s.eighteen.insert(s.eighteen.end(), edges.begin(), edges.end());
        s.twentySix = s.eighteen;
        s.twentySix.insert(s.twentySix.end(), corners.begin(), corners.end());
        s.thirtyEight = axes;
        s.thirtyEight.insert(s.thirtyEight.end(), corners.begin(), corners.end());
        s.thirtyEight.insert(s.thirtyEight.end(), inner.begin(), inner.end());
        return s;
    }();
    return shells;
}

const std::vector<ShapePoint>* ShellOf(int structure) {
    const Shells& s = ShellPoints();
    switch (structure) {
        case kStructure6Point:
            return &s.six;
        case kStructure8Point:
            return &s.eight;
        case kStructure18Shell:
            return &s.eighteen;
        case kStructure26Shell:
            return &s.twentySix;
        case kStructure38Shell:
            return &s.thirtyEight;
        default:
            return nullptr;
    }
}

// The hexagon's corners, the seventh equal to the first.
struct HexCorners {
    std::array<float, 7> x{}, z{};
};
const HexCorners& Corners() {
    static const HexCorners corners = [] {
        HexCorners c;
        for (int k = 0; k < 7; ++k) {
            const double a = k * (static_cast<double>(kPi) / 3.0);
            c.x[k] = k % 6 == 0 ? 1.0f : static_cast<float>(std::cos(a));
            c.z[k] = k % 6 == 0 ? 0.0f : static_cast<float>(std::sin(a));
        }
        return c;
    }();
    return corners;
}

// The first index i in [lo, hi] with c < sums[i]; hi when there is none.
int FirstAbove(const std::array<int32_t, kMaxLatticeEdge + 1>& sums, int lo, int hi, int64_t c) {
    if (hi < lo) return lo;
    const auto begin = sums.begin() + lo;
    const auto end = sums.begin() + hi + 1;
    const auto it = std::upper_bound(begin, end, c, [](int64_t v, int32_t s) { return v < s; });
    return it == end ? hi : static_cast<int>(it - sums.begin());
}

// Int(u * count) into 64 bits for a fresh u, within 0 .. count - 1.
int64_t RandomCount(Random& rng, int64_t count) {
    const double c = std::floor(static_cast<double>(rng.Next()) * static_cast<double>(count));
    if (!(c >= 0)) return 0;
    return std::min(static_cast<int64_t>(c), std::max<int64_t>(0, count - 1));
}

// Moves a point to a random place of a square row of n points, spacing r.
float GridStep(Random& rng, int n, float r) {
    return (static_cast<float>(IndexOf(rng.Next(), n)) - static_cast<float>(n - 1) * 0.5f) * r;
}

// A random point of a triangular layer of size k, centred on its centroid.
void TriangleLayer(const UserStyleState& us, Random& rng, int k, float r, ShapePoint& p) {
    if (k < 1) return;
    const int64_t c = RandomCount(rng, us.triangle[k]);
    const int row = std::max(1, FirstAbove(us.triangle, 1, k, c));
    p.x += (static_cast<float>(IndexOf(rng.Next(), row)) - static_cast<float>(row - 1) * 0.5f) * r;
    p.z +=
        (static_cast<float>(k - 1) * kTriangleCentre - static_cast<float>(row - 1) * kRowStep) * r;
}

// A random point of a hexagonal layer of edge count k: the centre, or a point
// on one of the rings 1 .. k - 1.
void HexagonLayer(const UserStyleState& us, Random& rng, int k, float r, ShapePoint& p) {
    if (k < 1) return;
    const int64_t c = RandomCount(rng, us.hexagon[k]);
    if (c < 1) return;
    // Ring i holds the counts up to 1 + 3i(i + 1) = H(i + 1).
    const int ring = std::max(1, FirstAbove(us.hexagon, 2, k, c) - 1);
    const int q = IndexOf(rng.Next(), 6);
    const int m = IndexOf(rng.Next(), ring + 1);
    const HexCorners& h = Corners();
    const float scale = static_cast<float>(ring) * r;
    const float t = static_cast<float>(m) / static_cast<float>(ring);
    const float ax = h.x[q] * scale, az = h.z[q] * scale;
    const float bx = h.x[q + 1] * scale, bz = h.z[q + 1] * scale;
    p.x += ax + (bx - ax) * t;
    p.z += az + (bz - az) * t;
}

// Layer of a tetrahedral stack of n layers (sizes 1..n, weights T(k)).
void TetraMatrix(const UserStyleState& us, Random& rng, const UserAtom& a, ShapePoint& p) {
    const int n = a.edges;
    const int64_t c = RandomCount(rng, us.triangleSum[n]);
    const int k = std::max(1, FirstAbove(us.triangleSum, 0, n, c));
    p.y += (static_cast<float>(n) * kStackCentre - static_cast<float>(k) * kLayerStep) * a.r;
    TriangleLayer(us, rng, k, a.r, p);
}

// Two tetrahedral stacks joined at their largest layer: layers j = 0 .. 2n.
void OctaMatrix(const UserStyleState& us, Random& rng, const UserAtom& a, ShapePoint& p) {
    const int n = a.edges;
    const int64_t total = static_cast<int64_t>(us.triangle[n]) + 2LL * us.triangleSum[n - 1];
    int64_t c = RandomCount(rng, total);
    int j, size;
    if (c < us.triangleSum[n]) {
        j = size = FirstAbove(us.triangleSum, 0, n, c);
    } else {
        // The shrinking side: the growing side's sizes in reverse.
        c -= us.triangleSum[n];
        const int64_t mirrored = static_cast<int64_t>(us.triangleSum[n - 1]) - 1 - c;
        size = FirstAbove(us.triangleSum, 0, n - 1, mirrored);
        j = 2 * n - size;
    }
    p.y += static_cast<float>(j - n) * kLayerStep * a.r;
    TriangleLayer(us, rng, size, a.r, p);
}

// Hexagonal layers growing from size f to n, n layers of size n, then
// shrinking back to f.
void HexaMatrix(const UserStyleState& us, Random& rng, const UserAtom& a, ShapePoint& p) {
    const int n = a.edges;
    const int f = a.hexBase;
    const int64_t below = us.hexagonSum[f - 1];
    const int64_t side = us.hexagonSum[n - 1] - below;
    const int64_t middle = static_cast<int64_t>(n) * us.hexagon[n];
    int64_t c = RandomCount(rng, a.layers);
    int layer, size;
    if (c < side) {
        layer = size = FirstAbove(us.hexagonSum, f, n - 1, c + below);
    } else if ((c -= side) < middle) {
        layer = n + static_cast<int>(c / us.hexagon[n]);
        size = n;
    } else {
        c -= middle;
        size = FirstAbove(us.hexagonSum, f, n - 1, side - 1 - c + below);
        layer = 3 * n - 1 - size;
    }
    p.y += (static_cast<float>(layer - 1) - static_cast<float>(3 * n - 3) * 0.5f) * a.r;
    HexagonLayer(us, rng, size, a.r, p);
}

// The atom a star of the molecule lies on: chosen in proportion to the point
// counts of the atoms' structures. Null when the molecule has no atoms.
const UserAtom* ChooseAtom(EngineState& state, int type) {
    const UserTables& t = state.userStyles.types[type];
    const float u = state.rng.Next();
    if (t.atomCount <= 0) return nullptr;
    const int32_t total = t.atoms[t.atomCount - 1].weight;
    const int64_t c = static_cast<int64_t>(std::floor(static_cast<double>(u) * total));
    for (int i = 0; i < t.atomCount; ++i) {
        if (t.atoms[i].weight > c) return &t.atoms[i];
    }
    return &t.atoms[t.atomCount - 1];
}

// A point of an atom's structure, relative to the molecule's centre.
ShapePoint AtomPoint(EngineState& state, const UserAtom& a, bool jitter) {
    Random& rng = state.rng;
    ShapePoint p;
    if (jitter && a.speed > 0) p = RandomVelocity(rng, a.speed);
    p.x += a.x;
    p.y += a.y;
    p.z += a.z;
    const UserStyleState& us = state.userStyles;
    switch (a.structure) {
        case kStructureRectgrid:
            p.x += GridStep(rng, a.edges, a.r);
            p.z += GridStep(rng, a.edges, a.r);
            break;
        case kStructureHexagrid:
            HexagonLayer(us, rng, a.edges, a.r, p);
            break;
        case kStructureCube:
            p.x += GridStep(rng, a.edges, a.r);
            p.y += GridStep(rng, a.edges, a.r);
            p.z += GridStep(rng, a.edges, a.r);
            break;
        case kStructureTetramatrix:
            TetraMatrix(us, rng, a, p);
            break;
        case kStructureOctamatrix:
            OctaMatrix(us, rng, a, p);
            break;
        case kStructureHexamatrix:
            HexaMatrix(us, rng, a, p);
            break;
        default:
            if (const std::vector<ShapePoint>* shell = ShellOf(a.structure)) {
                const ShapePoint& d = (*shell)[static_cast<size_t>(
                    RandomIndex(rng, static_cast<int>(shell->size())))];
                p.x += d.x * a.r;
                p.y += d.y * a.r;
                p.z += d.z * a.r;
            }
            break;
    }
    return p;
}

void BuildCountTables(UserStyleState& us) {
    int32_t triangleSum = 0, hexagonSum = 0;
    for (int k = 0; k <= kMaxLatticeEdge; ++k) {
        us.triangle[k] = k * (k + 1) / 2;
        us.hexagon[k] = k == 0 ? 0 : 1 + 3 * k * (k - 1);
        triangleSum += us.triangle[k];
        hexagonSum += us.hexagon[k];
        us.triangleSum[k] = triangleSum;
        us.hexagonSum[k] = hexagonSum;
    }
}

void ScaleUserTables(const GalaxyType& g, const TypeRuntime& rt, const UserStyleState& us,
                     UserTables& t) {
    // A difference of 1000 in the stored locations is the galaxy's radius.
    const double unit = rt.radiusScale * 0.1 * 0.01;

    t.mapCount = static_cast<int16_t>(std::clamp<int>(g.ifsCount, 0, kMaxIfsPoints));
    int32_t weight = 0;
    for (int i = 0; i < t.mapCount; ++i) {
        const IfsPoint& src = g.ifsPoints[i];
        UserMap& m = t.maps[i];
        m.px = static_cast<float>((src.locX - g.ifsCenterX) * unit);
        m.py = static_cast<float>((src.locY - g.ifsCenterY) * unit);
        m.pz = static_cast<float>((src.locZ - g.ifsCenterZ) * unit);
        m.scale = static_cast<float>(src.scale * 0.01);
        const float angle = static_cast<float>(src.angle) * kDegreesToRadians;
        m.cosA = std::cos(angle);
        m.sinA = std::sin(angle);
        m.axis = src.axis;
        m.turns = src.angle >= 1;
        weight += std::max<int32_t>(0, src.percent);
        m.weight = weight;
    }

    t.atomCount = static_cast<int16_t>(std::clamp<int>(g.atomCount, 0, kMaxAtoms));
    weight = 0;
    for (int i = 0; i < t.atomCount; ++i) {
        const AtomFields f = ReadAtomFields(g.atoms[i]);
        UserAtom& a = t.atoms[i];
        a.x = static_cast<float>((f.locX - g.atomCenterX) * unit);
        a.y = static_cast<float>((f.locY - g.atomCenterY) * unit);
        a.z = static_cast<float>((f.locZ - g.atomCenterZ) * unit);
        a.speed = static_cast<float>(f.speed * unit);
        a.r = static_cast<float>(f.radius * unit);
        a.structure = f.structureType >= 0 && f.structureType < kStructureTypeCount
                          ? f.structureType
                          : int16_t{kStructureSingle};
        a.edges = static_cast<int16_t>(std::clamp<int>(f.edgeCount, 1, kMaxLatticeEdge));
        a.hue = ElementHue(f.element);
        weight += StructurePoints(a.structure);
        a.weight = weight;
        const int n = a.edges;
        a.hexBase = 1;
        a.layers = 0;
        if (a.structure == kStructureHexamatrix) {
            const auto f2 = Nearest((n + 1) * 0.5);
            a.hexBase = static_cast<int16_t>(std::clamp(f2 ? *f2 : 1, 1, n));
            a.layers =
                n * us.hexagon[n] + 2 * (us.hexagonSum[n - 1] - us.hexagonSum[a.hexBase - 1]);
        }
    }
}

}  // namespace

AtomFields ReadAtomFields(const AtomEntry& atom) {
    AtomFields f{};
    f.element = atom.element;
    f.structureType = atom.structureType;
    f.locX = atom.edgeCount;
    f.locY = atom.third;
    f.locZ = atom.fourth;
    f.speed = atom.sixth;
    f.radius = atom.seventh;
    f.edgeCount = atom.edgeCount;
    return f;
}

void PrepareUserStyles(EngineState& state) {
    UserStyleState& us = state.userStyles;
    BuildCountTables(us);
    for (int t = 0; t < kGalaxyTypeCount; ++t)
        ScaleUserTables(state.types[t], state.rt[t], us, us.types[t]);
}

bool HasUserMaps(const EngineState& state, int type) {
    if (type < 0 || type >= kGalaxyTypeCount) return false;
    return state.userStyles.types[type].mapCount > 0;
}

void UserIfsStep(EngineState& state, int type, IfsInstance& point) {
    if (type < 0 || type >= kGalaxyTypeCount) return;
    const UserTables& t = state.userStyles.types[type];
    const float u = state.rng.Next();
    if (t.mapCount <= 0) return;
    const int32_t total = t.maps[t.mapCount - 1].weight;
    const double c = std::floor(static_cast<double>(u) * total);
    const UserMap* map = nullptr;
    for (int i = 0; i < t.mapCount; ++i) {
        if (c < t.maps[i].weight) {
            map = &t.maps[i];
            break;
        }
    }
    // Maps that all weigh nothing leave the point where it is.
    if (map == nullptr) return;
    float x = point.ifsX + (map->px - point.ifsX) * map->scale;
    float y = point.ifsY + (map->py - point.ifsY) * map->scale;
    float z = point.ifsZ + (map->pz - point.ifsZ) * map->scale;
    if (map->turns) {
        // Turn the offset from the fixed point about the map's axis.
        const float dx = x - map->px, dy = y - map->py, dz = z - map->pz;
        const float c1 = map->cosA, s1 = map->sinA;
        switch (map->axis) {
            case 0:
                y = map->py + dy * c1 - dz * s1;
                z = map->pz + dy * s1 + dz * c1;
                break;
            case 1:
                x = map->px + dx * c1 - dz * s1;
                z = map->pz + dx * s1 + dz * c1;
                break;
            case 2:
                x = map->px + dx * c1 - dy * s1;
                y = map->py + dx * s1 + dy * c1;
                break;
            default:
                break;
        }
    }
    point.ifsX = x;
    point.ifsY = y;
    point.ifsZ = z;
}

ColourParams MoleculeStar(EngineState& state, int32_t star, int type) {
    const UserAtom* atom = ChooseAtom(state, type);
    // A molecule without atoms is a single point at its centre.
    const ShapePoint p = atom ? AtomPoint(state, *atom, true) : ShapePoint{};
    StarTable& st = state.stars;
    // The colour computation that adds the generator's colour (6) gives each
    // element its own hue.
    st.color[star] = static_cast<uint32_t>(atom ? atom->hue : 0);
    return PlaceRigidStar(st, star, RigidSample(state.rt[type], p.x, p.y, p.z));
}

ShapePoint MoleculePoint(EngineState& state, int type) {
    if (type < 0 || type >= kGalaxyTypeCount) return {};
    const UserAtom* atom = ChooseAtom(state, type);
    return atom ? AtomPoint(state, *atom, true) : ShapePoint{};
}

StandardSample MoleculeNucleus(EngineState& state, int type) {
    if (type < 0 || type >= kGalaxyTypeCount) return {};
    const UserAtom* atom = ChooseAtom(state, type);
    const ShapePoint p = atom ? AtomPoint(state, *atom, false) : ShapePoint{};
    return RigidSample(state.rt[type], p.x, p.y, p.z);
}

std::span<const ElementInfo, kElementCount> ElementTable() {
    return kElements;
}

int32_t ElementHue(int element) {
    if (element < 1 || element > kElementCount) return 0;
    return kElements[static_cast<size_t>(element - 1)].hue;
}

std::string ElementProperty(int element, std::string_view name) {
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool known = element >= 1 && element <= kElementCount;
    const ElementInfo* e = known ? &kElements[static_cast<size_t>(element - 1)] : nullptr;
    if (key == "name") return e ? std::string(e->name) : std::string();
    if (key == "symbol") return e ? std::string(e->symbol) : std::string();
    if (key == "shells") return e ? std::string(e->shells) : std::string();
    if (key == "color") return Int32ToText(e ? e->hue : 0);
    if (key == "radius") return SingleToText(e ? e->radius : 0.0f);
    return {};
}

int StructurePoints(int structureType) {
    if (structureType < 0 || structureType > INT16_MAX) return 1;
    return StructurePointCount(static_cast<int16_t>(structureType));
}

}  // namespace orrelume
