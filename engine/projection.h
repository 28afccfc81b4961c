// Rotation by a level's tilt and the perspective projection of a star.
//
// A star lives in its galaxy's axes; it is turned about the galaxy's x axis
// by the tilt of its level, offset by the galaxy's centre in camera space
// (the camera never rotates) and divided by depth.
#pragma once

#include <cstdint>

#include "engine/canvas.h"
#include "engine/fast_round.h"
#include "engine/star_table.h"

namespace orrelume {

// A point in camera space before the division by depth: sx and sy are the
// sources of the screen x and y.
struct CameraPoint {
    float sx, sy, depth;
};

// Turns a galaxy-axes point by a tilt (cosine c, sine s) and offsets it by
// the galaxy centre; axis plane 1 swaps the two screen axes.
inline CameraPoint ToCamera(float x, float y, float z, float c, float s, int16_t axisPlane,
                            float camX, float camY, float camZ) {
    const float depth = z * c + y * s + camZ;
    if (axisPlane == 0) {
        return {x + camX, z * s - y * c + camY, depth};
    }
    // With the second plane the galaxy's own x axis runs down the screen.
    return {z * s - y * c + camX, x + camY, depth};
}

// Projects a camera-space point. False when it is at or behind the eye, or
// when the result cannot be a pixel (the point is then not drawn).
inline bool ProjectPoint(const Canvas& canvas, const CameraPoint& p, int32_t& x, int32_t& y) {
    if (!(p.depth > kDepthCut)) return false;
    const float k = canvas.projScale / p.depth;
    const float fx = k * p.sx + static_cast<float>(canvas.centerX);
    const float fy = k * p.sy + static_cast<float>(canvas.centerY);
    return FastNearest(fx, x) && FastNearest(fy, y);
}

}  // namespace orrelume
