// Ambient stars.
//
// For now the stars are placed and brought to rest with the expansion, but
// they are neither moved nor drawn; that comes with the ambient-stars work.
#include "universe/ambient.h"

#include "universe/creation.h"
#include "universe/universe_state.h"

namespace orrelume {

void AllocateAmbientStars(UniverseState& universe, int32_t count) {
    AmbientStars& a = universe.ambient;
    a.count = count > 0 ? count : 0;
    if (a.count == 0) return;
    const size_t n = static_cast<size_t>(a.count);
    for (auto* v : {&a.posX, &a.posY, &a.posZ, &a.velX, &a.velY, &a.velZ, &a.depth, &a.age}) {
        v->assign(n, 0.0f);
    }
    a.screenX.assign(n, 0);
    a.screenY.assign(n, 0);
    a.countdown.assign(n, int16_t{0});
}

void StartAmbientStars(UniverseState& universe, int profileType) {
    AmbientStars& a = universe.ambient;
    for (int32_t i = 0; i < a.count; ++i) {
        a.age[i] = 0;
        a.countdown[i] = 0;
        ShapePoint pos, vel;
        GenerateShapeParticle(universe.engine, pos, vel, profileType, universe.expansionSpeed, 0,
                              0);
        a.posX[i] = pos.x;
        a.posY[i] = pos.y;
        a.posZ[i] = pos.z;
        a.velX[i] = vel.x;
        a.velY[i] = vel.y;
        a.velZ[i] = vel.z;
    }
}

void UpdateAmbientStars(UniverseState& universe, float camX, float camY, float camZ, float s1,
                        float s2, int mode, int profileType) {}

void DampAmbientStars(UniverseState& universe, float damp) {
    AmbientStars& a = universe.ambient;
    for (int32_t i = 0; i < a.count; ++i) {
        a.velX[i] *= damp;
        a.velY[i] *= damp;
        a.velZ[i] *= damp;
    }
}

void StopAmbientStars(UniverseState& universe) {
    AmbientStars& a = universe.ambient;
    for (int32_t i = 0; i < a.count; ++i) {
        a.velX[i] = 0;
        a.velY[i] = 0;
        a.velZ[i] = 0;
    }
}

}  // namespace orrelume
