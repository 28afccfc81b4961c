// The nebula style: particle ribbons on B-splines whose control points wander
// along paths of their own.
//
// A ribbon is a uniform cubic B-spline through K control points (closed or
// open). Each control point follows a slow B-spline path through four guide
// points, which are replaced one at a time as the point's clock runs over,
// and the whole set of guides turns with the galaxy's spin. Stars are born on
// the ribbon near bias points that creep along it, then drift away in
// straight lines. Every instance keeps its ribbon; the universe keeps one
// more, standing still, for shaping the expansion cloud.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/generate.h"

namespace orrelume {

struct EngineState;

// Control points of a ribbon: at most 20, and three more that close it (or,
// open, let its last segments wander on their own).
inline constexpr int kMaxRibbonControlPoints = 20;
inline constexpr int kRibbonPoints = kMaxRibbonControlPoints + 3;

struct NebulaInstance {
    using Row = std::array<float, kRibbonPoints>;
    // Guide j = 0..3 of every control point's path.
    std::array<Row, 4> guideX{}, guideY{}, guideZ{};
    // The ribbon's control points.
    Row ribbonX{}, ribbonY{}, ribbonZ{};
    // Position 0 <= t < 1 along the current guide segment.
    float ribbonClock = 0;
};

struct NebulaState {
    std::vector<NebulaInstance> instances;
    NebulaInstance universe;
};

// The uniform cubic B-spline of four values at 0 <= t < 1, in single
// precision.
float BSpline(float p0, float p1, float p2, float p3, float t);

void SizeNebula(EngineState& state, int32_t instances);
// Makes an instance's guide and ribbon points when a universe is created.
void PrepareNebula(EngineState& state, int type, int instance);
// Makes the universe's own ribbon for the profile type: random control
// points within the type's radius, closed when the type's ribbon closes.
void PrepareUniverseNebula(EngineState& state, int type);
// One frame of an instance's ribbon; nothing unless the instance's type (for
// a composite its first member) is a nebula.
void AdvanceNebula(EngineState& state, int instance);
// The generator of a nebula star: position, velocity and colour parameters
// (c2 = the place along the ribbon, 0 .. about 1).
ColourParams NebulaStar(EngineState& state, int32_t star, int type, int instance);
// A point on the universe's own ribbon.
ShapePoint NebulaPoint(EngineState& state, int type);

// A comet nucleus on an instance's ribbon: its parameter along the ribbon is
// chosen as a star's is (written to `param`, 0 <= param < control points),
// and the point is the ribbon at that parameter.
StandardSample NebulaNucleus(EngineState& state, int type, int instance, float& param);
// The point of an instance's ribbon at parameter `param` (0 <= param <
// control points; other values are brought into that range): where a nebula
// comet nucleus rides each frame.
ShapePoint NebulaRibbonPoint(EngineState& state, int type, int instance, float param);

}  // namespace orrelume
