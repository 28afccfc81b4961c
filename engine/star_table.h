// The engine's chief header: the star table of a running universe, its galaxy
// instances, and the run-time values every galaxy type derives for a run.
//
// All arrays are sized once when a run starts and live for the whole run;
// nothing here is allocated per frame. The star table is a structure of
// arrays because the per-frame pass reads a few fields of every star.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "settings/records.h"

namespace orrelume {

inline constexpr int kMaxLevels = 10;
// Galaxy slots: 0..49 the galaxy types, 50..65 the composite galaxies.
inline constexpr int kSlotCount = kGalaxyTypeCount + kCompositeGalaxyCount;
inline constexpr int kFirstCompositeSlot = kGalaxyTypeCount;
// Colour tables have one column per type and one spare column.
inline constexpr int kColourColumns = 51;
inline constexpr int kCometSlots = 2500;
inline constexpr int kMaxStars = 30000;
inline constexpr int kMaxGalaxies = 999;

// Angles are single precision with this value of pi throughout the animation.
inline constexpr float kPi = 3.1415927f;
inline constexpr float kTwoPi = 2.0f * kPi;
inline constexpr float kHalfPi = 1.5707964f;
inline constexpr float kDegreesToRadians = kTwoPi / 360.0f;
// A point at or behind this camera-space depth is not drawn.
inline constexpr float kDepthCut = 0.0001f;

// How the stars of a type move each frame.
enum class Motion : int16_t {
    Rotation = 0,  // turn about the galaxy axis by the star's own step
    Linear = 1,    // position += velocity
    Gravity = 2,   // pulled towards the galaxy core
    Wave = 3,      // travel outwards while bobbing in a dying wave
};

// The stars of a running universe, one array per field, indexed by star.
struct StarTable {
    int32_t count = 0;  // N
    int32_t trail = 1;  // T: pixels remembered per star

    // Position relative to the galaxy centre in galaxy axes (the disc is the
    // x-z plane, y is height) and the per-frame displacement (the wave motion
    // keeps its phase in velY).
    std::vector<float> posX, posY, posZ;
    std::vector<float> velX, velY, velZ;
    // Cosine and sine of the star's own rotation step per frame.
    std::vector<float> spinCos, spinSin;
    std::vector<int16_t> level;        // selects the tilt of the star
    std::vector<int16_t> typeIndex;    // galaxy type 0..49 the star follows
    std::vector<int16_t> galaxyIndex;  // the instance it belongs to
    std::vector<uint32_t> color;       // RGB, red in the low byte
    std::vector<float> hue;            // degrees, 0 <= hue < 360
    std::vector<int32_t> age;          // frames since birth
    std::vector<int16_t> trailFade;    // frames left while a retired trail is wiped
    // Special phases: at most one counter is non-zero.
    std::vector<int16_t> newFrames, novaFrames, pulsarFrames;
    std::vector<int16_t> phaseFrames;  // length of the current phase
    std::vector<float> flareScale, flareDepth;
    std::vector<int32_t> flareScreenX, flareScreenY;
    std::vector<float> spriteX, spriteY, spriteDepth;
    // Last plotted pixels: star s owns entries s * trail .. s * trail + trail - 1.
    std::vector<int32_t> screenX, screenY;

    void Allocate(int32_t stars, int32_t trailLength);
    bool IsOrdinary(int32_t s) const {
        return newFrames[s] == 0 && novaFrames[s] == 0 && pulsarFrames[s] == 0;
    }
};

// The galaxies of a universe, one array per field, indexed by instance.
struct GalaxyInstances {
    int32_t count = 0;
    std::vector<int16_t> typeSlot;        // 0..49 a type, 50..65 a composite
    std::vector<float> camX, camY, camZ;  // centre in camera space, every frame
    std::vector<float> posX, posY, posZ;  // world position
    std::vector<float> velX, velY, velZ;  // world velocity (expansion, gravity)

    void Allocate(int32_t galaxies);
};

// Values a galaxy type derives for a run, and the phases it advances every
// frame. Angles are radians.
struct TypeRuntime {
    float radiusScale = 3;  // R
    float radiusSq = 9;
    float radiusCent = 0.03f;
    float viewDistance = 4;
    float spinRate = 0, spinRate8 = 0;
    float spinCos = 1, spinSin = 0;
    float spinCos8 = 1, spinSin8 = 0;
    float edgeOmega = 0;
    float armFill = 1, bandFill = 1, armAngle = kTwoPi;
    float attractorCos = 1, attractorSin = 0;
    int16_t levels = 1;
    int16_t vertexCount = 1;
    int16_t cpPoints = 8;  // the run's bounded copy of "Galaxy_CP_Points"
    float levelStep = 3;
    float outerRadius = 3;
    std::array<float, kMaxLevels> levelTilt0{};
    std::array<float, kMaxLevels> levelTiltRate{};
    std::array<float, kMaxLevels> levelTilt{};
    std::array<float, kMaxLevels> levelTiltCos{};
    std::array<float, kMaxLevels> levelTiltSin{};
    float colorMult10 = 0, colorMult1000 = 0;
    float hueBase = 0;
    int16_t hueStep = 1;
    float armPhase = 0;
    float spinPhase = 0, spinPhaseCos = 1, spinPhaseSin = 0;
    float cometHueFrom = 0, cometHueTo = 0, cometHueAcc = 0;
    float newFlareSize = 0, novaChance = 0, novaFlareSize = 0;
    float pulsarChance = 0, pulsarDepth = 0;
    float cometChance = 0, cometOrbit = 0, cometSpeed = 0, cometWind = 0;
    float force = 0;
    float waveAmplitude = 0, wavePhaseStep = 0;
    int32_t waveHalfLife = 0;
    float nebulaBiasExp = 0, nebulaBiasSpeed = 0;
    float biasPos = 0;
    Motion motion = Motion::Rotation;
};

// What the universe draws its galaxies from: the 66 slots with their
// universe percentages, and the composites' cumulative member weights.
struct GalaxySlots {
    std::array<int16_t, kSlotCount> percent{};
    std::array<bool, kSlotCount> composite{};
    // Weight i of composite c: the level counts of members 0..i added up.
    std::array<std::array<int32_t, kCompositeMemberCapacity>, kCompositeGalaxyCount> memberWeight{};
};

}  // namespace orrelume
