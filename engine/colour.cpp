#include "engine/colour.h"

// The per-frame star pass and hue step are the animation's hot loops: they
// get the optimiser's full settings whatever the build type.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cmath>

#include "engine/engine_state.h"
#include "engine/fast_round.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

// The hue tables compute in single precision, as the colours were defined:
// 2.55 x 100 is 255 in single precision but a hair below it in double.
uint32_t Channel(float value) {
    // The hue computations stay within 0..255; keep a stray value there too.
    const auto v = IntFloor(value);
    if (!v) return 0;
    return static_cast<uint32_t>(std::clamp(*v, 0, 255));
}

int PositiveModulo(int32_t value, int32_t m) {
    const int32_t r = value % m;
    return r < 0 ? r + m : r;
}

}  // namespace

void BuildHueTable(HueTable& table, int column, const GalaxyType& type) {
    if (column < 0 || column >= kColourColumns) return;
    const auto baseValue = CInt(255.0 / 100.0 * type.hueBase);
    const float base = baseValue ? *baseValue : 0;
    const float m = static_cast<float>((255.0 - base) * 0.01);
    const int d = std::clamp<int>(type.hueBlend, 1, 60);
    const float red = type.hueRed, green = type.hueGrn, blue = type.hueBlu;
    for (int j = 0; j < 360; ++j) {
        const float v = static_cast<float>(j % d) / static_cast<float>(d);
        const float w = m * (1.0f - v);
        uint32_t r, g, b;
        const uint32_t flat = Channel(base);
        switch (j / 60) {
            case 0:
                r = Channel(base + m * red);
                g = Channel(m * v * green + base);
                b = flat;
                break;
            case 1:
                r = Channel(base + red * w);
                g = Channel(base + m * green);
                b = flat;
                break;
            case 2:
                r = flat;
                g = Channel(base + m * green);
                b = Channel(base + m * v * blue);
                break;
            case 3:
                r = flat;
                g = Channel(base + green * w);
                b = Channel(base + m * blue);
                break;
            case 4:
                r = Channel(base + m * v * red);
                g = flat;
                b = Channel(base + m * blue);
                break;
            default:
                r = Channel(base + m * red);
                g = flat;
                b = Channel(base + w * blue);
                break;
        }
        table.At(j, column) = Rgb(r, g, b);
    }
}

void BuildHueTables(HueTable& table, const GalaxyTypeTable& types) {
    for (int t = 0; t < kGalaxyTypeCount; ++t)
        BuildHueTable(table, t, types[t]);
}

uint32_t HueColor(const HueTable& table, int type, int hue) {
    if (type < 0 || type >= kColourColumns) return 0;
    return table.At(PositiveModulo(hue, 360), type);
}

uint32_t WheelColor(int hue, int floor, int r, int g, int b) {
    if (hue < 0 || hue > 359) return 0;
    const float phi = static_cast<float>(hue % 60) * 0.016666666f;
    const float rise = 2.0f * phi;
    const float fall = 2.0f * (1.0f - phi);
    const float f = static_cast<float>(floor);
    const float rr = static_cast<float>(r), gg = static_cast<float>(g), bb = static_cast<float>(b);
    uint32_t red, green, blue;
    switch (hue / 60) {
        case 0:
            red = Channel(f + 2 * rr);
            green = Channel(rise * gg + f);
            blue = Channel(f);
            break;
        case 1:
            red = Channel(f + fall * rr);
            green = Channel(f + 2 * gg);
            blue = Channel(f);
            break;
        case 2:
            red = Channel(f);
            green = Channel(f + 2 * gg);
            blue = Channel(f + rise * bb);
            break;
        case 3:
            red = Channel(f);
            green = Channel(f + fall * gg);
            blue = Channel(f + 2 * bb);
            break;
        case 4:
            red = Channel(f + rise * rr);
            green = Channel(f);
            blue = Channel(f + 2 * bb);
            break;
        default:
            red = Channel(f + 2 * rr);
            green = Channel(f);
            blue = Channel(f + fall * bb);
            break;
    }
    return Rgb(red, green, blue);
}

uint32_t ScaleColor(uint32_t color, double k) {
    auto scale = [k](uint32_t channel) -> uint32_t {
        const auto v = CLng(channel * k);
        if (!v) return 0;
        return static_cast<uint32_t>(std::clamp(*v, 0, 255));
    };
    return Rgb(scale(RedOf(color)), scale(GreenOf(color)), scale(BlueOf(color)));
}

void BuildFlareRamp(ColourRamp& ramp, int hueFrom, int hueTo) {
    const uint32_t start = WheelColor(PositiveModulo(hueFrom, 360), 55, 100, 100, 100);
    for (int i = 0; i < 8; ++i) {
        const double h = i / 7.0;
        auto blend = [h](uint32_t channel) -> uint32_t {
            const auto v = CLng(255.0 - (255.0 - channel) * h);
            return v ? static_cast<uint32_t>(std::clamp(*v, 0, 255)) : 0;
        };
        ramp[i] = Rgb(blend(RedOf(start)), blend(GreenOf(start)), blend(BlueOf(start)));
    }
    const float sixtyFourth = 1.0f / 64.0f;
    for (int i = 8; i < 72; ++i) {
        const auto hue =
            CLng(hueFrom + (i - 8) * sixtyFourth * static_cast<double>(hueTo - hueFrom));
        const int h = hue ? PositiveModulo(*hue, 360) : 0;
        ramp[i] = ScaleColor(WheelColor(h, 55, 100, 100, 100), (128.0000001 - i) / 120.0);
    }
    const uint32_t end = WheelColor(PositiveModulo(hueTo, 360), 55, 100, 100, 100);
    for (int i = 72; i < 80; ++i)
        ramp[i] = ScaleColor(end, (80 - i) / 9.0 * 0.475);
    // A burst index can round up to 80: it shows the last step again.
    ramp[80] = ramp[79];
}

void BuildUniverseRamp(ColourRamp& ramp, int hueFrom, int hueTo) {
    BuildFlareRamp(ramp, hueFrom, hueTo);
    // The expansion cloud and old ambient stars reach index 80: black.
    ramp[80] = 0;
}

int16_t HueStepFlag(const GalaxyType& type) {
    if (type.colorComp == 4) return 0;
    if (type.galStyle == kStyleStarwave) return 0;
    if (type.galStyle == kStyleNebula && type.cpAdvHW == 0) return 0;
    return 1;
}

void StarColor(EngineState& state, int type, float c1, float c2, int32_t star) {
    if (type < 0 || type >= kGalaxyTypeCount) return;
    const GalaxyType& g = state.types[type];
    const TypeRuntime& rt = state.rt[type];
    StarTable& st = state.stars;
    std::optional<int32_t> hue;
    switch (g.colorComp) {
        case 0:
            hue = Nearest(rt.hueBase + static_cast<double>(c1) * rt.colorMult10 * 10.0);
            break;
        case 1: {
            const double arg = static_cast<double>(c1) * rt.colorMult10 * 1000.0;
            hue = Nearest(std::sqrt(std::max(arg, 0.0)) + rt.hueBase);
            break;
        }
        case 2:
        case 3: {
            const double x = st.posX[star], y = st.posY[star], z = st.posZ[star];
            const double d = std::fabs(1.0 - std::sqrt(x * x + y * y + z * z) / rt.outerRadius);
            hue = g.colorComp == 2 ? Nearest(d * rt.colorMult10 + rt.hueBase)
                                   : Nearest(rt.hueBase + rt.colorMult10 * d * d);
            break;
        }
        case 4:
            st.color[star] = 0;
            return;
        case 5:
            hue = Nearest(rt.hueBase + static_cast<double>(c2) * rt.colorMult1000 * 360.0);
            break;
        case 6: {
            const double u = state.rng.Next();
            const double e = static_cast<double>(st.color[star]);
            hue = Nearest(u * rt.colorMult1000 * 10.0 + rt.hueBase + e);
            break;
        }
        default:
            return;
    }
    // A computation that fails (an infinite or huge parameter) leaves the
    // star's colour as it was.
    if (!hue) return;
    const int h = PositiveModulo(*hue, 360);
    st.hue[star] = static_cast<float>(h);
    st.color[star] = state.hues.At(h, type);
}

void HueStepAll(EngineState& state) {
    StarTable& st = state.stars;
    // Per type: the step, or 0 with the lookup skipped for types that do not
    // take part.
    std::array<float, kGalaxyTypeCount> inc{};
    std::array<bool, kGalaxyTypeCount> stepping{};
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        stepping[t] = state.rt[t].hueStep == 1;
        inc[t] = state.types[t].hWheelInc;
    }
    const int32_t n = st.count;
    const int16_t* types = st.typeIndex.data();
    float* hues = st.hue.data();
    uint32_t* colours = st.color.data();
    const uint32_t* table = state.hues.entries.data();
    auto one = [&](int32_t s) {
        const int type = types[s];
        if (static_cast<unsigned>(type) >= static_cast<unsigned>(kGalaxyTypeCount)) return;
        if (!stepping[type]) return;
        float hue = hues[s] + inc[type];
        if (hue >= 360.0f) hue -= 360.0f;
        hues[s] = hue;
        int32_t whole;
        if (!FastNearest(hue, whole)) return;
        // Hues stay within 0..360 here; the wrap keeps any other value in the table.
        if (static_cast<uint32_t>(whole) >= 360u) whole = PositiveModulo(whole, 360);
        colours[s] = table[type * 360 + whole];
    };
    int32_t s = 0;
#if defined(__SSE2__)
    // Four stars of one type that takes part at a time, with one step for
    // all four: the same single-precision steps, so the same results.
    for (; s + 4 <= n; s += 4) {
        const int type = types[s];
        const bool plain = static_cast<unsigned>(type) < static_cast<unsigned>(kGalaxyTypeCount) &&
                           stepping[type] && types[s + 1] == type && types[s + 2] == type &&
                           types[s + 3] == type;
        if (!plain) {
            for (int j = 0; j < 4; ++j)
                one(s + j);
            continue;
        }
        __m128 hue = _mm_add_ps(_mm_loadu_ps(hues + s), _mm_set1_ps(inc[type]));
        const __m128 full = _mm_set1_ps(360.0f);
        hue = _mm_sub_ps(hue, _mm_and_ps(_mm_cmpge_ps(hue, full), full));
        _mm_storeu_ps(hues + s, hue);
        alignas(16) int32_t whole[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(whole), _mm_cvtps_epi32(hue));
        for (int j = 0; j < 4; ++j) {
            int32_t w = whole[j];
            if (static_cast<uint32_t>(w) >= 360u) {
                // Outside the table: wrapped, or (a hue that cannot be
                // rounded) the colour is left as it was.
                if (!(hues[s + j] > -kRoundLimit && hues[s + j] < kRoundLimit)) continue;
                w = PositiveModulo(w, 360);
            }
            colours[s + j] = table[type * 360 + w];
        }
    }
#endif
    for (; s < n; ++s)
        one(s);
}

}  // namespace orrelume
