#include "engine/type_runtime.h"

#include <algorithm>
#include <cmath>

#include "engine/engine_state.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

float RandomFactor(Random& rng, const Randomisation& random) {
    const double mag = std::clamp(random.magnitude, 1.0, 100.0);
    const double exp = std::clamp(random.exponent, 1.0, 100.0);
    const double m = 1.0 + (mag - 1.0) * std::pow(static_cast<double>(rng.Next()), exp);
    return static_cast<float>(rng.Next() < 0.5f ? m : 1.0 / m);
}

}  // namespace

void DeriveTypeRuntime(TypeRuntime& rt, const GalaxyType& type, float sizeFactor,
                       float spinFactor) {
    const double twoPi = kTwoPi;
    rt.radiusScale = static_cast<float>(type.radius * 0.01 * sizeFactor);
    // A radius of 0 cannot come from a validated type; keep the divisions
    // below finite all the same.
    if (!(rt.radiusScale > 0)) rt.radiusScale = 0.01f;
    rt.radiusSq = rt.radiusScale * rt.radiusScale;
    rt.radiusCent = rt.radiusScale * 0.01f;
    rt.viewDistance = static_cast<float>(type.distance * 0.01 * sizeFactor);
    rt.spinRate = static_cast<float>(type.rotation * 1e-6 * spinFactor);
    rt.spinRate8 = 8.0f * rt.spinRate;
    rt.spinCos = std::cos(rt.spinRate);
    rt.spinSin = std::sin(rt.spinRate);
    rt.spinCos8 = std::cos(rt.spinRate8);
    rt.spinSin8 = std::sin(rt.spinRate8);
    rt.edgeOmega = static_cast<float>(std::sqrt(1.0 / rt.radiusScale) * twoPi * rt.spinRate);
    rt.armFill = static_cast<float>(type.radFill * 0.01);
    rt.bandFill = static_cast<float>(type.radBFill * 0.01);
    rt.armAngle = static_cast<float>(twoPi / std::max<int>(1, type.radSegs));
    const double attractor = type.radBands * twoPi / 360.0;
    rt.attractorCos = static_cast<float>(std::cos(attractor));
    rt.attractorSin = static_cast<float>(std::sin(attractor));
    rt.levels = type.galStyle == kStyleStandard
                    ? static_cast<int16_t>(std::clamp<int>(type.stdLevels, 1, kMaxLevels))
                    : int16_t{1};
    rt.vertexCount = static_cast<int16_t>(std::clamp<int>(type.radSegs, 1, 10));
    rt.cpPoints = static_cast<int16_t>(std::clamp<int>(type.cpPoints, 1, 20));
    rt.levelStep = static_cast<float>(type.stdLevDRad * 0.01);
    rt.outerRadius = rt.levelStep * static_cast<float>(rt.levels - 1) + rt.radiusScale;
    if (!(rt.outerRadius > 0)) rt.outerRadius = rt.radiusScale;

    // Level tilts: every level starts at the type's tilt; the per-frame
    // increment may shrink towards the outer levels and alternate in sign.
    const float tilt0 = -type.angleTilt * kDegreesToRadians;
    const float e = type.angleTInc * kDegreesToRadians;
    const int levels = rt.levels;
    for (int i = 0; i < kMaxLevels; ++i) {
        rt.levelTilt0[i] = tilt0;
        float rate = e;
        if (type.stdLevBA1 != 0) {
            const float share = static_cast<float>(levels - i) / static_cast<float>(levels);
            rate = e > kPi ? kTwoPi - share * (kTwoPi - e) : share * e;
        }
        if (type.stdLevBA0 != 0 && (i % 2) == 1) rate = -rate;
        rt.levelTiltRate[i] = rate;
        rt.levelTilt[i] = -tilt0;
        rt.levelTiltCos[i] = std::cos(rt.levelTilt[i]);
        rt.levelTiltSin[i] = std::sin(rt.levelTilt[i]);
    }

    rt.colorMult10 = static_cast<float>(type.colorMult * 0.1);
    rt.colorMult1000 = static_cast<float>(type.colorMult * 0.001);
    rt.hueBase = type.hueStart;
    rt.hueStep = HueStepFlag(type);
    rt.armPhase = 0;
    rt.spinPhase = 0;
    rt.spinPhaseCos = 1;
    rt.spinPhaseSin = 0;
    rt.cometHueFrom = type.hwcStart;
    rt.cometHueTo = type.hwcEnd;
    rt.cometHueAcc = 0;
    rt.newFlareSize = static_cast<float>(type.newExtMult * 0.001);
    rt.novaChance = static_cast<float>(type.novaFreq * 0.0001);
    rt.novaFlareSize = static_cast<float>(type.novaExtMult * 0.0001);
    rt.pulsarChance = static_cast<float>(type.pulsarFreq * 0.0001);
    rt.pulsarDepth = static_cast<float>(type.pulsarDepth * 0.001);
    rt.cometChance = static_cast<float>(type.cometFreq * 0.0001);
    rt.cometOrbit = static_cast<float>(type.cometOrbit * 0.00001 * spinFactor);
    rt.cometSpeed = static_cast<float>(type.cometSpeed * 0.00001);
    rt.cometWind = static_cast<float>(type.cometSWind * 0.00001);
    rt.force = static_cast<float>(type.qgForce * (type.galStyle == kStyleQuasar ? 0.01 : 0.0001));
    rt.waveAmplitude = static_cast<float>(type.ghwRatio * type.radius * 0.01);
    rt.wavePhaseStep = type.radiusExp * kDegreesToRadians;
    const auto halfLife = CLng(type.radBFill);
    rt.waveHalfLife = halfLife ? std::clamp(*halfLife, 0, 999) : 0;
    rt.nebulaBiasExp = static_cast<float>(type.cpBExp * 0.01);
    rt.nebulaBiasSpeed = static_cast<float>(type.cpBSpd * 0.0001);
    rt.biasPos = 0;
    switch (type.galStyle) {
        case kStyleNebula:
        case kStyleQuasar:
            rt.motion = Motion::Linear;
            break;
        case kStyleGraviton:
            rt.motion = Motion::Gravity;
            break;
        case kStyleStarwave:
            rt.motion = Motion::Wave;
            break;
        default:
            rt.motion = Motion::Rotation;
            break;
    }
}

void PrepareCompositeWeights(EngineState& state) {
    for (int c = 0; c < kCompositeGalaxyCount; ++c) {
        const CompositeGalaxy& comp = state.composites[c];
        const int count = std::clamp<int>(comp.count, 0, kMaxCompositeMembers);
        int32_t total = 0;
        for (int i = 0; i < kCompositeMemberCapacity; ++i) {
            if (i < count) {
                const int member = std::clamp<int>(comp.members[i], 0, kGalaxyTypeCount - 1);
                total += state.rt[member].levels;
            }
            state.galaxySlots.memberWeight[c][i] = total;
        }
    }
}

void PrepareTypeRuntimes(EngineState& state, const Randomisation& random) {
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        float size = 1, spin = 1;
        if (random.on) {
            size = RandomFactor(state.rng, random);
            spin = RandomFactor(state.rng, random);
        }
        DeriveTypeRuntime(state.rt[t], state.types[t], size, spin);
    }
    PrepareCompositeWeights(state);
    // The user maps and atoms are scaled by the radius just derived.
    PrepareUserStyles(state);
}

void ResetTypesForUniverse(EngineState& state) {
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        TypeRuntime& rt = state.rt[t];
        const GalaxyType& type = state.types[t];
        for (int k = 0; k < rt.levels; ++k) {
            rt.levelTilt[k] = -rt.levelTilt0[k];
            rt.levelTiltCos[k] = std::cos(rt.levelTilt[k]);
            rt.levelTiltSin[k] = std::sin(rt.levelTilt[k]);
        }
        rt.hueBase = type.hueStart;
        rt.armPhase = 0;
        rt.spinPhase = 0;
        rt.spinPhaseCos = 1;
        rt.spinPhaseSin = 0;
        rt.cpPoints = static_cast<int16_t>(std::clamp<int>(type.cpPoints, 1, 20));
        rt.vertexCount = static_cast<int16_t>(std::clamp<int>(type.radSegs, 1, 10));
    }
}

void ResetHueBases(EngineState& state) {
    for (int t = 0; t < kGalaxyTypeCount; ++t)
        state.rt[t].hueBase = state.types[t].hueStart;
}

void AdvanceTypeAngles(EngineState& state) {
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        TypeRuntime& rt = state.rt[t];
        for (int i = 0; i < rt.levels; ++i) {
            float tilt = rt.levelTilt[i] + rt.levelTiltRate[i];
            // Only the upper wrap: a negative rate lets the angle fall freely.
            if (tilt > kTwoPi) tilt -= kTwoPi;
            rt.levelTilt[i] = tilt;
            rt.levelTiltCos[i] = std::cos(tilt);
            rt.levelTiltSin[i] = std::sin(tilt);
        }
        float hue = rt.hueBase + state.types[t].hWheelInc;
        if (hue > 360.0f) hue -= 360.0f;
        rt.hueBase = hue;
        float arm = rt.armPhase + rt.edgeOmega;
        if (arm > kTwoPi) arm -= kTwoPi;
        rt.armPhase = arm;
        float spin = rt.spinPhase + rt.spinRate8;
        if (spin > kTwoPi) spin -= kTwoPi;
        rt.spinPhase = spin;
        rt.spinPhaseCos = std::cos(spin);
        rt.spinPhaseSin = std::sin(spin);
    }
}

}  // namespace orrelume
