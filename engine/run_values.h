// The universe values as a run uses them: read from the store, then bounded
// and scaled once per run by the run driver.
#pragma once

#include <cstdint>

namespace orrelume {

struct RunValues {
    int32_t stars = 5000;          // N, 10..30000
    int32_t galaxies = 100;        // G, 1..999
    int32_t trail = 1;             // T, 1..99 and at most 30000 / N
    float expandSpeed = 2.5f;      // initial expansion speed (stored value x 0.001)
    int32_t eSteps = 300;          // expansion steps E
    float persist = 0.99f;         // chance per step that a free particle stays free
    float dampingFactor = 0.995f;  // velocity factor per expansion step, 0.5..1
    int32_t profile = 51;          // 0..49 a type, 50 random, 51 in turn
    int32_t recycle = 20;          // galaxies visited per universe at most
    int32_t newFreq = 1250;        // universe re-birth rate x 100
    float newPct = 0.85f;          // share of re-born stars that go to the visited galaxy
    bool tour = true;
    int32_t gSteps = 160;   // frames per tour segment
    int32_t gPCtrl = 2;     // approach segments per visit
    int32_t gCCtrl = 3;     // pull-back segments per visit
    float dstCen = 40;      // distance of the camera from the universe centre
    bool gVisit = false;    // galaxies take the weighted slots in turn
    int32_t amStar = 300;   // ambient stars
    int32_t amFrames = 30;  // ambient flare frames
    float amMaxExt = 10;    // ambient flare extent
    float amPers = 0.998f;
    float amCAge = 0.1f;
    float gravForce = 0;    // G of the gravity between galaxies
    int32_t gravFrame = 1;  // forces act every this many frames
};

}  // namespace orrelume
