// The nebula style: particle ribbons on B-splines whose control points wander
// along paths of their own. Every instance keeps its ribbon; the universe
// keeps one more for shaping the expansion cloud.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/generate.h"

namespace orrelume {

struct EngineState;

struct NebulaInstance {
    float ribbonClock = 0;
};

struct NebulaState {
    std::vector<NebulaInstance> instances;
    NebulaInstance universe;
};

void SizeNebula(EngineState& state, int32_t instances);
// Makes an instance's guide and ribbon points when a universe is created.
void PrepareNebula(EngineState& state, int type, int instance);
// Makes the universe's own ribbon for the profile type.
void PrepareUniverseNebula(EngineState& state, int type);
// One frame of an instance's ribbon (its type, for a composite its first
// member, is a nebula).
void AdvanceNebula(EngineState& state, int instance);
// The generator of a nebula star: position, velocity and colour parameters.
ColourParams NebulaStar(EngineState& state, int32_t star, int type, int instance);
// A point on the universe's own ribbon.
ShapePoint NebulaPoint(EngineState& state, int type);

// A comet nucleus on an instance's ribbon: its parameter along the ribbon is
// chosen as a star's is (written to `param`), and the point is the ribbon at
// that parameter.
StandardSample NebulaNucleus(EngineState& state, int type, int instance, float& param);
// The point of an instance's ribbon at parameter `param` (0 <= param <
// control points): where a nebula comet nucleus rides each frame.
ShapePoint NebulaRibbonPoint(EngineState& state, int type, int instance, float param);

}  // namespace orrelume
