#include "engine/generate.h"

#include <algorithm>
#include <cmath>

#include "engine/engine_state.h"
#include "engine/ifs.h"
#include "engine/nebula.h"
#include "engine/starwave.h"
#include "engine/user_styles.h"

namespace orrelume {

namespace {

// Single and double precision meet in the profiles: at r = P an argument
// can come out a hair below zero. It stands for 0.
double Root(double x) {
    return x > 0 ? std::sqrt(x) : 0.0;
}

struct StandardShape {
    double x, y, z;
    double rho;  // distance from the axis
    int16_t level;
};

int Bounded(double value, int count) {
    // Int(u * count) for a uniform u: always within 0..count - 1, but keep it
    // there whatever the factors hold.
    if (!(value >= 0)) return 0;
    if (value >= count) return count - 1;
    return static_cast<int>(value);
}

StandardShape MakeStandardShape(EngineState& state, int type, float phase) {
    const GalaxyType& g = state.types[type];
    const TypeRuntime& rt = state.rt[type];
    Random& rng = state.rng;
    StandardShape out{};

    const int levels = std::max<int>(1, rt.levels);
    const int level = Bounded(std::floor(static_cast<double>(rng.Next()) * levels), levels);

    const double u2 = rng.Next();
    const double u3 = rng.Next();
    const int bands = std::max<int>(1, g.radBands);
    const double band = std::floor(u3 * bands);
    const double t = band / bands + (u2 / bands) * rt.bandFill;

    double rho, h;
    if (g.stdLevBHS == 0) {
        const double r = std::pow(t, static_cast<double>(g.radiusExp)) * rt.radiusScale + 1e-9;
        h = ShapeProfile(rng, g.profile, static_cast<float>(r), rt.radiusScale, rt.radiusSq);
        rho = level * static_cast<double>(rt.levelStep) + r;
    } else {
        const double p = level * static_cast<double>(rt.levelStep) + rt.radiusScale;
        rho = std::pow(t, static_cast<double>(g.radiusExp)) * p + 1e-9;
        const float pf = static_cast<float>(p);
        h = ShapeProfile(rng, g.profile, static_cast<float>(rho), pf, pf * pf);
    }

    double y = std::pow(static_cast<double>(rng.Next()), static_cast<double>(g.heightExp)) * h *
               g.ghwRatio;
    if (levels > 1) {
        y = y + static_cast<double>(level) / (levels - 1) * (g.stdLevHSca * y - y);
    }

    const double u5 = rng.Next();
    const double u6 = rng.Next();
    const int arms = std::max<int>(1, g.radSegs);
    const double arm = std::floor(arms * u5);
    const double theta =
        arm * rt.armAngle + static_cast<double>(rt.armAngle) * u6 * rt.armFill + phase;

    out.x = rho * std::cos(theta);
    out.y = y;
    out.z = rho * std::sin(theta);
    out.rho = rho;
    out.level = static_cast<int16_t>(level);
    return out;
}

}  // namespace

float ShapeProfile(Random& rng, int profile, float r, float P, float P2) {
    const double rr = r, p = P, p2 = P2;
    const double k1 = 0.12259806f;  // single-precision constants of the standard profile
    const double k2 = 2.856f;
    double h;
    switch (profile) {
        case 0:
            if (rr <= p / 4) {
                h = Root(k1 * p2 - rr * rr) * k2;
            } else if (rr <= p / 2) {
                const double q = p / 2 - rr;
                h = 1.4 * p - Root(k1 * p2 - q * q) * k2;
            } else {
                const double q = rr - p / 2;
                h = Root(0.25 * p2 - q * q) * 0.8;
            }
            break;
        case 1:
            if (rr < 0.1 * p) {
                h = p * (Root(0.01 * p2 - rr * rr) * (10 / p * 0.25) + 0.75);
            } else if (rr < 0.75 * p) {
                const double f = 0.85 * p - rr - 0.1 * p;
                h = (1 - Root(0.4225 * p2 - f * f) / (0.65 * p)) * p / 2 + p / 4;
            } else {
                const double q = rr - 0.75 * p;
                h = Root(0.0625 * p2 - q * q);
            }
            break;
        case 2:
            h = Root(p2 - rr * rr);
            break;
        case 3:
            h = p - rr;
            break;
        case 4:
            h = p - Root(p2 - (p - rr) * (p - rr));
            break;
        case 5:
            h = p - Root(p2 - rr * rr);
            break;
        case 6:
            h = Root(p2 - (p - rr) * (p - rr));
            break;
        default:
            h = 0;
            break;
    }
    const float u = rng.Next();
    const double sign = u > 0.5f ? 1.0 : (u < 0.5f ? -1.0 : 0.0);
    return static_cast<float>(h * sign);
}

ShapePoint StandardPoint(EngineState& state, int type) {
    const StandardShape s = MakeStandardShape(state, type, 0.0f);
    return {static_cast<float>(s.x), static_cast<float>(s.y), static_cast<float>(s.z)};
}

StandardSample StandardGenerate(EngineState& state, int type, float phase, float spinRate) {
    const StandardShape s = MakeStandardShape(state, type, phase);
    // Inner stars turn faster, outer levels slower again, and no star more
    // than a quarter turn per frame.
    double omega = std::sqrt(1.0 / s.rho) * static_cast<double>(kTwoPi) * spinRate / (s.level + 1);
    if (omega > kHalfPi) omega = kHalfPi;
    if (!(omega == omega)) omega = 0;  // NaN
    StandardSample out;
    out.x = static_cast<float>(s.x);
    out.y = static_cast<float>(s.y);
    out.z = static_cast<float>(s.z);
    out.level = s.level;
    out.spinCos = static_cast<float>(std::cos(omega));
    out.spinSin = static_cast<float>(std::sin(omega));
    out.omega = static_cast<float>(omega);
    return out;
}

ColourParams StandardStar(EngineState& state, int32_t star, int type, float phase) {
    const StandardSample s = StandardGenerate(state, type, phase, state.rt[type].spinRate);
    StarTable& st = state.stars;
    st.spinCos[star] = s.spinCos;
    st.spinSin[star] = s.spinSin;
    st.posX[star] = s.x;
    st.posY[star] = s.y;
    st.posZ[star] = s.z;
    st.level[star] = s.level;
    return {s.omega, 0.0f};
}

void GenerateStar(EngineState& state, int32_t star, int type, int galaxy) {
    if (type < 0 || type >= kGalaxyTypeCount) return;
    StarTable& st = state.stars;
    st.age[star] = 0;
    st.trailFade[star] = 0;
    st.newFrames[star] = 0;
    st.novaFrames[star] = 0;
    st.pulsarFrames[star] = 0;
    st.level[star] = 0;
    const TypeRuntime& rt = state.rt[type];
    ColourParams cp;
    switch (state.types[type].galStyle) {
        case kStyleIfsPointAttractor:
        case kStyleIfsWireframe:
        case kStyleIfsFractal:
        case kStyleUserIfs:
            cp = IfsStar(state, star, type, galaxy);
            break;
        case kStyleNebula:
            cp = NebulaStar(state, star, type, galaxy);
            break;
        case kStyleQuasar:
            // Flung outwards at a speed in proportion to the distance from
            // the core: the shape expands uniformly.
            cp = StandardStar(state, star, type, rt.spinPhase);
            st.velX[star] = st.posX[star] * rt.force;
            st.velY[star] = st.posY[star] * rt.force;
            st.velZ[star] = st.posZ[star] * rt.force;
            break;
        case kStyleGraviton:
            cp = StandardStar(state, star, type, rt.spinPhase);
            st.velX[star] = 0;
            st.velY[star] = 0;
            st.velZ[star] = 0;
            break;
        case kStyleStarwave:
            cp = StarwaveStar(state, star, type);
            break;
        case kStyleMolecule:
            cp = MoleculeStar(state, star, type);
            break;
        default:
            cp = StandardStar(state, star, type, rt.armPhase);
            break;
    }
    StarColor(state, type, cp.c1, cp.c2, star);
}

}  // namespace orrelume
