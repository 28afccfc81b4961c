// The iterated-function-system styles: point attractor, nested wireframe,
// space-filling fractal (and the user-defined maps through user_styles).
//
// Each style builds its stars by iterating simple maps, one step per star
// born. Every galaxy instance keeps its own maps and current point, so every
// galaxy of such a type has its own seed or orientation; the universe keeps
// one more set for shaping the expansion cloud. The finished structure turns
// rigidly with the type's spin phase.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/generate.h"

namespace orrelume {

struct EngineState;

inline constexpr int kMaxIfsVertices = 10;

struct IfsInstance {
    // Vertex k of the instance's maps: the fixed point map k contracts to.
    std::array<float, kMaxIfsVertices> mapX{}, mapY{}, mapZ{};
    // The current point.
    float ifsX = 0, ifsY = 0, ifsZ = 0;
    // Steps taken since the point attractor's last seed.
    int16_t ifsCount = 0;
};

struct IfsState {
    std::vector<IfsInstance> instances;
    IfsInstance universe;
};

// Sizes the per-instance data (once per run; no allocation when unchanged).
void SizeIfs(EngineState& state, int32_t instances);
// Makes an instance's maps when a universe is created; its current point
// starts at vertex 0.
void PrepareIfs(EngineState& state, int type, int instance);
// Makes the universe's own maps for the profile type.
void PrepareUniverseIfs(EngineState& state, int type);
// Makes a set of maps of the type (the vertex table of its vertex count, or a
// seed for the point attractor) and puts the current point on vertex 0.
void MakeIfsMaps(EngineState& state, int type, IfsInstance& maps);

// The instance's maps and current point; an instance outside the run's
// instances gets the universe's set.
IfsInstance& IfsInstanceOf(EngineState& state, int instance);
// Advances a current point by one step of the type's style.
void IfsStep(EngineState& state, int type, IfsInstance& point);
// The generator of these styles for star `star` of instance `instance`:
// one step, turned by the type's spin phase, spinning rigidly with the type.
ColourParams IfsStar(EngineState& state, int32_t star, int type, int instance);
// One point of the type's structure iterated on the universe's own maps.
ShapePoint UniverseIfsPoint(EngineState& state, int type);

// A comet nucleus placed by the instance's structure: one step of its current
// point, turned by the type's spin phase; the nucleus then turns rigidly with
// the structure (the type's eightfold spin step), at level 0.
StandardSample IfsNucleus(EngineState& state, int type, int instance);

}  // namespace orrelume
