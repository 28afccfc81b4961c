// The iterated-function-system styles: point attractor, nested wireframe,
// space-filling fractal (and the user-defined maps through user_styles).
// Every galaxy instance keeps its own maps and current point; the universe
// keeps one more set for shaping the expansion cloud.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/generate.h"

namespace orrelume {

struct EngineState;

struct IfsInstance {
    std::array<float, 10> mapX{}, mapY{}, mapZ{};
    float ifsX = 0, ifsY = 0, ifsZ = 0;
    int16_t ifsCount = 0;
};

struct IfsState {
    std::vector<IfsInstance> instances;
    IfsInstance universe;
};

// Sizes the per-instance data (once per run; no allocation when unchanged).
void SizeIfs(EngineState& state, int32_t instances);
// Makes an instance's maps when a universe is created.
void PrepareIfs(EngineState& state, int type, int instance);
// Makes the universe's own maps for the profile type.
void PrepareUniverseIfs(EngineState& state, int type);
// The generator of these styles for star `star` of instance `instance`.
ColourParams IfsStar(EngineState& state, int32_t star, int type, int instance);
// One point of the type's structure iterated on the universe's own maps.
ShapePoint UniverseIfsPoint(EngineState& state, int type);

// A comet nucleus placed by the instance's structure: one step of its current
// point, turned by the type's spin phase; the nucleus then turns rigidly with
// the structure (the type's eightfold spin step), at level 0.
StandardSample IfsNucleus(EngineState& state, int type, int instance);

}  // namespace orrelume
