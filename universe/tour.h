// The camera tour: a uniform cubic B-spline through a sliding window of four
// control points, appended one per segment as the camera approaches, passes
// and leaves each visited galaxy.
#pragma once

#include <array>

#include "engine/generate.h"

namespace orrelume {

struct EngineState;

struct ControlWindow {
    std::array<ShapePoint, 4> points{};
};

// All four points at one place.
void ResetWindow(ControlWindow& window, const ShapePoint& at);
// Drops the oldest point and appends `point`.
void ShiftAndAppend(ControlWindow& window, const ShapePoint& point);
// The spline point at 0 <= t < 1, in single precision.
ShapePoint SplinePoint(const ControlWindow& window, float t);
// Segment `segment` of the visit of galaxy `galaxy` governed by `type`: in
// front of the galaxy at the type's viewing distance for the approach
// segments, then moving back through and beyond it.
ShapePoint ApproachPoint(const EngineState& state, int galaxy, int type, int segment);
// Segment `segment` (1..gPCtrl) of the departure from a universe of
// expansion radius `radius`.
ShapePoint DeparturePoint(int segment, int gPCtrl, float radius);

}  // namespace orrelume
