#include "universe/gravity.h"

namespace orrelume {

namespace {

constexpr int kLanes = 8;

// The pull on galaxy k from all galaxies. The pair with itself adds nothing
// (its distance is 0 and the small constant keeps the divisor finite), which
// lets the loop run without a branch and in several lanes at once.
void AddPull(GalaxyInstances& gi, int32_t k, float g) {
    const float x = gi.posX[k], y = gi.posY[k], z = gi.posZ[k];
    const float* px = gi.posX.data();
    const float* py = gi.posY.data();
    const float* pz = gi.posZ.data();
    const int32_t n = gi.count;
    float ax[kLanes] = {}, ay[kLanes] = {}, az[kLanes] = {};
    int32_t j = 0;
    for (; j + kLanes <= n; j += kLanes) {
        for (int l = 0; l < kLanes; ++l) {
            const float dx = px[j + l] - x, dy = py[j + l] - y, dz = pz[j + l] - z;
            const float f = g / (dx * dx + dy * dy + dz * dz + 1e-9f);
            ax[l] += dx * f;
            ay[l] += dy * f;
            az[l] += dz * f;
        }
    }
    for (; j < n; ++j) {
        const float dx = px[j] - x, dy = py[j] - y, dz = pz[j] - z;
        const float f = g / (dx * dx + dy * dy + dz * dz + 1e-9f);
        ax[0] += dx * f;
        ay[0] += dy * f;
        az[0] += dz * f;
    }
    float sx = 0, sy = 0, sz = 0;
    for (int l = 0; l < kLanes; ++l) {
        sx += ax[l];
        sy += ay[l];
        sz += az[l];
    }
    gi.velX[k] += sx;
    gi.velY[k] += sy;
    gi.velZ[k] += sz;
}

}  // namespace

void GravityStep(GalaxyInstances& galaxies, float g, int32_t gravFrame, int16_t& counter) {
    if (!(g > 0)) return;
    const int32_t every = gravFrame < 1 ? 1 : gravFrame;
    counter = static_cast<int16_t>((counter + 1) % every);
    const bool forces = counter == 0;
    for (int32_t k = 0; k < galaxies.count; ++k) {
        if (forces) AddPull(galaxies, k, g);
        galaxies.posX[k] += galaxies.velX[k];
        galaxies.posY[k] += galaxies.velY[k];
        galaxies.posZ[k] += galaxies.velZ[k];
    }
}

}  // namespace orrelume
