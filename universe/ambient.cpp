// Ambient stars.
//
// Each star erases only what it showed: a star that was re-born, spent, or
// behind the eye last frame showed nothing, and its stored screen point is
// not touched, so it never punches a hole into a galaxy drawn there since.
#include "universe/ambient.h"

#include <algorithm>

#include "engine/colour.h"
#include "engine/fast_round.h"
#include "engine/special_stars.h"
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
    a.shown.assign(n, AmbientShown::Nothing);
}

void StartAmbientStars(UniverseState& universe, int profileType) {
    AmbientStars& a = universe.ambient;
    for (int32_t i = 0; i < a.count; ++i) {
        a.age[i] = 0;
        a.countdown[i] = 0;
        // The surface was cleared for the new universe.
        a.shown[i] = AmbientShown::Nothing;
        PlaceShapeParticle(universe.engine, a, i, profileType, universe.expansionSpeed, 0, 0);
    }
}

void UpdateAmbientStars(UniverseState& universe, float camX, float camY, float camZ, float s1,
                        float s2, int mode, int profileType) {
    AmbientStars& a = universe.ambient;
    if (a.count <= 0) return;
    EngineState& e = universe.engine;
    const Canvas& canvas = e.canvas;
    const RunValues& v = e.values;
    const int frames = std::clamp(v.amFrames, 0, 999);  // F_a
    const std::vector<uint32_t>& flareRamp = universe.ambientFlareRamp;
    const ColourRamp& ageRamp = e.universeRamp;
    const int type = std::clamp(profileType, 0, kGalaxyTypeCount - 1);
    // Re-born stars: riding the shell while the universe expands (velocity
    // V_x x point); at rest during the tour. With no expansion at all (R_x
    // is then 0) they are re-born at rest rather than with 0 / 0.
    const int placement = mode == 0 ? 1 : 2;
    const float rebirthS2 = mode == 0 && s1 > 0 ? s2 / s1 : 0.0f;
    const float centreX = canvas.centerX, centreY = canvas.centerY;

    for (int32_t i = 0; i < a.count; ++i) {
        // Take down last frame's image.
        if (a.countdown[i] != 0) {
            if (a.shown[i] == AmbientShown::Flare) {
                DrawFlare(canvas, a.screenX[i], a.screenY[i], a.depth[i], a.countdown[i], frames,
                          v.amMaxExt, 0);
            }
            --a.countdown[i];
        } else {
            if (a.shown[i] == AmbientShown::Pixel) canvas.Plot(a.screenX[i], a.screenY[i], 0);
            a.age[i] += v.amCAge;
        }
        a.shown[i] = AmbientShown::Nothing;

        // Re-birth, with a short flare from the next frame on.
        if (e.rng.Next() >= v.amPers && a.countdown[i] < 1) {
            PlaceShapeParticle(e, a, i, type, s1, rebirthS2, placement);
            a.countdown[i] = static_cast<int16_t>(frames);
            a.age[i] = 0;
            continue;
        }

        if (mode == 0) {
            a.posX[i] += a.velX[i];
            a.posY[i] += a.velY[i];
            a.posZ[i] += a.velZ[i];
        }
        const float depth = a.posZ[i] - camZ;
        a.depth[i] = depth;
        if (!(depth > kDepthCut)) continue;
        const float k = canvas.projScale / depth;
        int32_t x, y;
        if (!FastNearest((a.posX[i] - camX) * k + centreX, x) ||
            !FastNearest((a.posY[i] - camY) * k + centreY, y)) {
            continue;
        }
        a.screenX[i] = x;
        a.screenY[i] = y;
        if (a.countdown[i] != 0) {
            const size_t step = static_cast<size_t>(frames - a.countdown[i]);
            const uint32_t colour = step < flareRamp.size() ? flareRamp[step] : 0;
            DrawFlare(canvas, x, y, depth, a.countdown[i], frames, v.amMaxExt, colour);
            a.shown[i] = AmbientShown::Flare;
        } else if (a.age[i] < 80.0f) {
            int32_t index;
            if (!FastNearest(a.age[i], index)) continue;
            canvas.Plot(x, y, ageRamp[static_cast<size_t>(std::clamp(index, 0, 80))]);
            a.shown[i] = AmbientShown::Pixel;
        }
        // A spent star shows nothing until it is re-born.
    }
}

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
