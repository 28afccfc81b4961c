#include "universe/tour.h"

#include "engine/engine_state.h"

namespace orrelume {

void ResetWindow(ControlWindow& window, const ShapePoint& at) {
    window.points.fill(at);
}

void ShiftAndAppend(ControlWindow& window, const ShapePoint& point) {
    window.points[0] = window.points[1];
    window.points[1] = window.points[2];
    window.points[2] = window.points[3];
    window.points[3] = point;
}

namespace {

float Spline(float p0, float p1, float p2, float p3, float t) {
    const float t2 = t * t;
    const float t3 = t2 * t;
    return (t3 * (-p0 + 3.0f * p1 - 3.0f * p2 + p3) + t2 * (3.0f * p0 - 6.0f * p1 + 3.0f * p2) +
            t * (-3.0f * p0 + 3.0f * p2) + (p0 + 4.0f * p1 + p2)) *
           0.16666667f;
}

}  // namespace

ShapePoint SplinePoint(const ControlWindow& window, float t) {
    const auto& p = window.points;
    return {Spline(p[0].x, p[1].x, p[2].x, p[3].x, t), Spline(p[0].y, p[1].y, p[2].y, p[3].y, t),
            Spline(p[0].z, p[1].z, p[2].z, p[3].z, t)};
}

ShapePoint ApproachPoint(const EngineState& state, int galaxy, int type, int segment) {
    const GalaxyInstances& gi = state.galaxies;
    const float d = state.rt[type].viewDistance;
    ShapePoint p{gi.posX[galaxy], gi.posY[galaxy], gi.posZ[galaxy] - d};
    const int approach = state.values.gPCtrl;
    if (segment > approach && state.values.gCCtrl > 0) {
        p.z += d * 1.5f * static_cast<float>(segment - approach) /
               static_cast<float>(state.values.gCCtrl);
    }
    return p;
}

ShapePoint DeparturePoint(int segment, int gPCtrl, float radius) {
    return {0.0f, 0.0f, segment < gPCtrl ? -5.0f * radius : -10000.0f * radius};
}

}  // namespace orrelume
