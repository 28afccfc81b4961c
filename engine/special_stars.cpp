// New-star flares, novas and pulsars.
//
// Every sprite is a symmetric pattern of pixels around one or more projected
// centres: a centre pixel, crosses (x +- r, y) and (x, y +- r), diagonals
// (x +- r, y +- r) and octets (+-a, +-b) and (+-b, +-a). Each radius is
// nearest(k x s) for its own factor k and the sprite's projected size s. A
// drawer computes every radius once per call from nothing but its
// arguments and the screen constants, so the same call with colour 0 takes
// away exactly the pixels it drew.
#include "engine/special_stars.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "engine/colour.h"
#include "engine/engine_state.h"
#include "engine/update.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

enum class Figure : uint8_t { Centre, Cross, Diagonal, Octet };

// One figure of a sprite: its kind and the factors of its radii.
struct Element {
    Figure figure;
    uint8_t a = 0, b = 0;
};

// A radius nearest(k x s); a size that gives no whole number (it cannot
// come from a sprite in front of the eye) gives none.
int32_t Radius(int k, float s) {
    int32_t r;
    return FastNearest(static_cast<float>(k) * s, r) ? r : 0;
}

// Plots one pixel; coordinates are wide so that a centre far off the
// surface plus a radius cannot wrap around onto it.
inline void Put(const Canvas& canvas, int64_t x, int64_t y, uint32_t color) {
    if (x >= 0 && y >= 0 && x < canvas.width && y < canvas.height) {
        canvas.Plot(static_cast<int32_t>(x), static_cast<int32_t>(y), color);
    }
}

void PutCross(const Canvas& canvas, int64_t x, int64_t y, int64_t r, uint32_t color) {
    Put(canvas, x + r, y, color);
    Put(canvas, x - r, y, color);
    Put(canvas, x, y + r, color);
    Put(canvas, x, y - r, color);
}

void PutDiagonal(const Canvas& canvas, int64_t x, int64_t y, int64_t r, uint32_t color) {
    Put(canvas, x + r, y + r, color);
    Put(canvas, x - r, y + r, color);
    Put(canvas, x + r, y - r, color);
    Put(canvas, x - r, y - r, color);
}

void PutOctet(const Canvas& canvas, int64_t x, int64_t y, int64_t a, int64_t b, uint32_t color) {
    for (const int64_t sa : {a, -a}) {
        for (const int64_t sb : {b, -b}) {
            Put(canvas, x + sa, y + sb, color);
            Put(canvas, x + sb, y + sa, color);
        }
    }
}

void PutElements(const Canvas& canvas, int64_t x, int64_t y, float s,
                 std::initializer_list<Element> elements, uint32_t color) {
    for (const Element& e : elements) {
        switch (e.figure) {
            case Figure::Centre:
                Put(canvas, x, y, color);
                break;
            case Figure::Cross:
                PutCross(canvas, x, y, Radius(e.a, s), color);
                break;
            case Figure::Diagonal:
                PutDiagonal(canvas, x, y, Radius(e.a, s), color);
                break;
            case Figure::Octet:
                PutOctet(canvas, x, y, Radius(e.a, s), Radius(e.b, s), color);
                break;
        }
    }
}

constexpr Element Centre() {
    return {Figure::Centre};
}
constexpr Element Cross(uint8_t k) {
    return {Figure::Cross, k};
}
constexpr Element Diagonal(uint8_t k) {
    return {Figure::Diagonal, k};
}
constexpr Element Octet(uint8_t a, uint8_t b) {
    return {Figure::Octet, a, b};
}

// One layer of a nova or pulsar at its own depth: projected on its own, with
// its own size. False when the layer is at or behind the eye or its centre
// is not a pixel.
struct Layer {
    int32_t x = 0, y = 0;
    float s = 0;
};
bool ProjectLayer(const Canvas& canvas, float x, float y, float depth, float sizeAtUnitDepth,
                  Layer& out) {
    if (!(depth > kDepthCut)) return false;
    if (!ProjectPoint(canvas, {x, y, depth}, out.x, out.y)) return false;
    out.s = canvas.spriteScale / depth * sizeAtUnitDepth;
    return true;
}

// The two pulsar layers at `offset` x D behind and in front of the middle
// one. The layer behind is always drawn; the one in front only while it is
// in front of the eye.
void DrawLayerPair(const Canvas& canvas, float x, float y, float z, float step, float size,
                   std::initializer_list<Element> elements, uint32_t color) {
    Layer layer;
    if (ProjectLayer(canvas, x, y, z + step, size, layer)) {
        PutElements(canvas, layer.x, layer.y, layer.s, elements, color);
    }
    if (ProjectLayer(canvas, x, y, z - step, size, layer)) {
        PutElements(canvas, layer.x, layer.y, layer.s, elements, color);
    }
}

uint32_t Grey(int32_t level) {
    const uint32_t g = static_cast<uint32_t>(std::clamp(level, 0, 255));
    return Rgb(g, g, g);
}

}  // namespace

void BuildNewStarRamp(std::array<uint32_t, kSpecialTableSize>& ramp, int newFrames) {
    ramp.fill(0);
    const int b = std::clamp(newFrames, 0, kSpecialTableSize - 1);
    const int c = b / 4;  // Int(b x 0.25)
    const double quarter = kHalfPi;
    // The flare brightens during its first quarter ...
    for (int i = 0; i < c; ++i) {
        const auto g = Nearest(std::sin((i + 1) * quarter / (c + 1)) * 175.0 + 80.0);
        if (g) ramp[b - i] = Grey(*g);
    }
    // ... and then dims from 255 down to 80. A flare of no frames has
    // nothing to dim (and is never drawn).
    if (b == c) return;
    for (int i = c; i <= b; ++i) {
        const auto g = Nearest(std::cos((i - c) * quarter / (b - c)) * 175.0 + 80.0);
        if (g) ramp[b - i] = Grey(*g);
    }
}

void BuildPulsarTables(SpecialStarTables::PerType& tables, const GalaxyType& type) {
    tables.pulsarSize.fill(0);
    tables.pulsarColor.fill(0);
    const int p = std::clamp<int>(type.pulsarFrames, 1, kSpecialTableSize - 1);
    const double turn = static_cast<double>(kTwoPi) / p;
    const double minExt = type.pulsarMinExt, maxExt = type.pulsarMaxExt;
    const double hueFrom = type.hwcStart, hueTo = type.hwcEnd;
    // An envelope fades the colour in over the first quarter of a cycle and
    // out over the last.
    const auto riseEnd = Nearest(p * 0.25 - 1.0);
    const auto fallStart = Nearest(p * 0.75 + 1.0);
    double envelope = 0;
    for (int j = 0; j < p; ++j) {
        // Starts at -1: the smallest size at phase 0, the largest half a
        // cycle later.
        const double sigma = std::sin(j * turn + static_cast<double>(4.712389f));
        tables.pulsarSize[j] =
            static_cast<float>((sigma * (maxExt - minExt) * 0.5 + (maxExt + minExt) * 0.5) * 0.001);
        const auto hue =
            Nearest(sigma * std::fabs(hueFrom - hueTo) * 0.5 + (hueFrom + hueTo) * 0.5);
        const int h = hue ? ((*hue % 360) + 360) % 360 : 0;
        const uint32_t base = WheelColor(h, 55, 100, 100, 100);
        if (riseEnd && j < *riseEnd) {
            envelope += turn;
            tables.pulsarColor[j] = ScaleColor(base, std::sin(envelope));
        } else if (fallStart && j < *fallStart) {
            tables.pulsarColor[j] = base;
        } else {
            tables.pulsarColor[j] = ScaleColor(base, std::sin(envelope));
            envelope -= turn;
        }
    }
}

void BuildSpecialStarTables(EngineState& state) {
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        SpecialStarTables::PerType& tables = state.special.types[t];
        BuildNewStarRamp(tables.newStarRamp, state.types[t].newFrames);
        BuildPulsarTables(tables, state.types[t]);
    }
}

void StartPhase(EngineState& state, int32_t star) {
    StarTable& st = state.stars;
    const int type = std::clamp<int>(st.typeIndex[star], 0, kGalaxyTypeCount - 1);
    const GalaxyType& g = state.types[type];
    const TypeRuntime& rt = state.rt[type];
    // One number decides all three: a pulsar, else a nova, else a flare.
    const float u = state.rng.Next();
    const CameraPoint at = StarCameraPoint(state, star);
    if (u < rt.pulsarChance) {
        const int frames = std::clamp<int>(g.pulsarFrames, 1, kSpecialTableSize - 1);
        const int cycles = std::clamp<int>(g.pulsarCycles, 1, 99);
        st.pulsarFrames[star] = static_cast<int16_t>(cycles * frames);
        st.phaseFrames[star] = static_cast<int16_t>(frames);
        st.spriteX[star] = at.sx;
        st.spriteY[star] = at.sy;
        // Nothing shows until the next frame, so there is no sprite to erase
        // on that frame: a depth at the cut marks it as not drawn.
        st.spriteDepth[star] = 0;
        return;
    }
    if (u < rt.novaChance + rt.pulsarChance) {
        const int16_t frames = std::max<int16_t>(1, g.novaFrames);
        st.novaFrames[star] = frames;
        st.phaseFrames[star] = frames;
        st.flareScale[star] = rt.novaFlareSize;
        st.spriteX[star] = at.sx;
        st.spriteY[star] = at.sy;
        st.spriteDepth[star] = at.depth;
        if (at.depth > kDepthCut) {
            DrawNova(state.canvas, at.sx, at.sy, at.depth, frames, frames, rt.novaFlareSize,
                     Rgb(255, 255, 255));
        }
        return;
    }
    const int16_t frames =
        static_cast<int16_t>(std::clamp<int>(g.newFrames, 0, kSpecialTableSize - 1));
    st.newFrames[star] = frames;
    st.phaseFrames[star] = frames;
    st.flareScale[star] = rt.newFlareSize;
    st.flareDepth[star] = at.depth;
    if (at.depth > kDepthCut) {
        int32_t x, y;
        if (ProjectPoint(state.canvas, at, x, y)) {
            st.flareScreenX[star] = x;
            st.flareScreenY[star] = y;
        }
        if (frames >= 1) {
            DrawFlare(state.canvas, st.flareScreenX[star], st.flareScreenY[star], at.depth, frames,
                      frames, rt.newFlareSize, state.special.types[type].newStarRamp[frames]);
        }
    }
}

uint32_t FlareColour(const EngineState& state, int32_t star) {
    const StarTable& st = state.stars;
    const int type = std::clamp<int>(st.typeIndex[star], 0, kGalaxyTypeCount - 1);
    const int k = std::clamp<int>(st.newFrames[star], 0, kSpecialTableSize - 1);
    return state.special.types[type].newStarRamp[k];
}

int NovaRampIndex(int framesLeft, int phaseFrames) {
    if (phaseFrames <= 0) return 0;
    const auto index = Nearest(static_cast<double>(phaseFrames - framesLeft) * 80.0 / phaseFrames);
    // A nova longer than 160 frames reaches step 80 in its last frames: the
    // ramp's 81st entry repeats its 80th, so the nova ends on the last
    // colour of its range.
    return index ? std::clamp(*index, 0, 80) : 0;
}

uint32_t NovaColour(const EngineState& state, int32_t star) {
    const StarTable& st = state.stars;
    const int type = std::clamp<int>(st.typeIndex[star], 0, kGalaxyTypeCount - 1);
    return state.flareRamp[type][NovaRampIndex(st.novaFrames[star], st.phaseFrames[star])];
}

void PulsarLook(const EngineState& state, int32_t star, float& size, uint32_t& colour) {
    const StarTable& st = state.stars;
    const int type = std::clamp<int>(st.typeIndex[star], 0, kGalaxyTypeCount - 1);
    const int frames = std::clamp<int>(state.types[type].pulsarFrames, 1, kSpecialTableSize - 1);
    const int j = std::max<int>(0, st.pulsarFrames[star]) % frames;
    size = state.special.types[type].pulsarSize[j];
    colour = state.special.types[type].pulsarColor[j];
}

void DrawFlare(const Canvas& canvas, int32_t screenX, int32_t screenY, float depth, int framesLeft,
               int phaseFrames, float scale, uint32_t color) {
    const int64_t x = screenX, y = screenY;
    Put(canvas, x, y, color);
    const float s = canvas.spriteScale / depth * scale * static_cast<float>(framesLeft) /
                    static_cast<float>(phaseFrames);
    const int32_t f = Radius(32, s);
    if (f <= 0) return;
    if (f >= 8) {
        // The innermost cross sits at the unrounded size.
        const double ds = s;
        const auto right = Nearest(static_cast<double>(x) + ds);
        const auto left = Nearest(static_cast<double>(x) - ds);
        const auto down = Nearest(static_cast<double>(y) + ds);
        const auto up = Nearest(static_cast<double>(y) - ds);
        if (right) Put(canvas, *right, y, color);
        if (left) Put(canvas, *left, y, color);
        if (down) Put(canvas, x, *down, color);
        if (up) Put(canvas, x, *up, color);
        PutElements(canvas, x, y, s, {Cross(4), Diagonal(8), Diagonal(12), Cross(16)}, color);
    } else if (f >= 4) {
        PutElements(canvas, x, y, s, {Diagonal(8), Diagonal(12), Cross(16)}, color);
    } else if (f >= 2) {
        PutElements(canvas, x, y, s, {Cross(16)}, color);
    }
    PutCross(canvas, x, y, f, color);
}

void DrawNova(const Canvas& canvas, float x, float y, float depth, int framesLeft, int phaseFrames,
              float scale, uint32_t color) {
    // The nova swells as it ages.
    const double age = static_cast<double>(phaseFrames) - framesLeft + 1;
    const float grow = static_cast<float>(std::pow(age, static_cast<double>(0.6375f)));
    const float size = scale * grow;
    Layer layer;
    if (!ProjectLayer(canvas, x, y, depth, size, layer)) return;
    Put(canvas, layer.x, layer.y, color);
    // Far away a nova is a single pixel changing colour.
    if (!(layer.s > kSpriteDotSize)) return;
    PutElements(
        canvas, layer.x, layer.y, layer.s,
        {Cross(16), Diagonal(16), Diagonal(7), Cross(11), Diagonal(11), Octet(2, 24), Cross(32)},
        color);
    const float near = 0.1f * scale, far = 0.2f * scale;
    for (const float z : {depth + near, depth - near}) {
        if (ProjectLayer(canvas, x, y, z, size, layer)) {
            PutElements(canvas, layer.x, layer.y, layer.s, {Octet(3, 10), Octet(5, 7), Cross(24)},
                        color);
        }
    }
    for (const float z : {depth + far, depth - far}) {
        if (ProjectLayer(canvas, x, y, z, size, layer)) {
            PutElements(canvas, layer.x, layer.y, layer.s, {Cross(2), Octet(3, 5)}, color);
        }
    }
}

void DrawPulsar(const Canvas& canvas, float x, float y, float depth, float size, int16_t shape,
                float pulsarDepth, uint32_t color) {
    Layer middle;
    if (!ProjectLayer(canvas, x, y, depth, size, middle)) return;
    const bool hasCentre = shape != kPulsarSphere && shape != kPulsarSphere2;
    // A small pulsar shows its centre only; the two spheres have none.
    if (!(middle.s > kSpriteDotSize)) {
        if (hasCentre) Put(canvas, middle.x, middle.y, color);
        return;
    }
    const float spread = pulsarDepth * size;  // D
    auto pair = [&](float offset, std::initializer_list<Element> elements) {
        DrawLayerPair(canvas, x, y, depth, offset * spread, size, elements, color);
    };
    auto centre = [&](std::initializer_list<Element> elements) {
        PutElements(canvas, middle.x, middle.y, middle.s, elements, color);
    };
    switch (shape) {
        case kPulsarAxes:
            centre({Centre(), Cross(8), Cross(12), Cross(20), Cross(32)});
            pair(0.25f, {Centre(), Cross(8)});
            pair(0.5f, {Centre()});
            pair(0.75f, {Centre()});
            pair(1.0f, {Centre()});
            break;
        case kPulsarStar:
            centre({Centre(), Cross(8), Cross(12), Cross(18), Cross(32)});
            pair(0.25f, {Centre(), Cross(8), Diagonal(8)});
            pair(0.5f, {Centre(), Cross(12), Diagonal(12)});
            pair(0.75f, {Centre(), Diagonal(18)});
            break;
        case kPulsarSphere:
            centre({Cross(32), Octet(12, 29), Diagonal(23)});
            pair(0.333f, {Cross(28), Octet(14, 23)});
            pair(0.667f, {Cross(16), Diagonal(11)});
            break;
        case kPulsarSphere2:
            centre({Cross(32), Octet(10, 30), Octet(19, 26)});
            pair(0.25f, {Cross(30), Octet(11, 27), Diagonal(21)});
            pair(0.5f, {Cross(23), Octet(11, 20)});
            pair(0.75f, {Cross(12), Diagonal(7)});
            break;
        default:  // "Nova"
            centre({Centre(), Cross(16), Diagonal(16), Diagonal(7), Cross(11), Diagonal(11),
                    Octet(2, 24), Cross(32)});
            pair(0.5f, {Octet(3, 10), Octet(5, 7), Cross(24)});
            pair(1.0f, {Cross(2), Octet(3, 5)});
            break;
    }
}

}  // namespace orrelume
