// New-star flares, novas and pulsars.
//
// For now each phase starts with its counters and sprite position, and every
// sprite is drawn as its centre pixel only, so phase stars stay visible; the
// full tables and sprite patterns come with the special-stars work.
#include "engine/special_stars.h"

#include "engine/engine_state.h"

namespace orrelume {

namespace {

void PlotProjected(const Canvas& canvas, float x, float y, float depth, uint32_t color) {
    int32_t px, py;
    if (ProjectPoint(canvas, {x, y, depth}, px, py)) canvas.Plot(px, py, color);
}

}  // namespace

void BuildSpecialStarTables(EngineState& state) {}

void StartPulsar(EngineState& state, int32_t star, const CameraPoint& at) {
    StarTable& st = state.stars;
    const GalaxyType& g = state.types[st.typeIndex[star]];
    st.pulsarFrames[star] = static_cast<int16_t>(g.pulsarCycles * g.pulsarFrames);
    st.phaseFrames[star] = g.pulsarFrames;
    st.spriteX[star] = at.sx;
    st.spriteY[star] = at.sy;
    st.spriteDepth[star] = at.depth;
}

void StartNova(EngineState& state, int32_t star, const CameraPoint& at) {
    StarTable& st = state.stars;
    const int type = st.typeIndex[star];
    const GalaxyType& g = state.types[type];
    st.novaFrames[star] = g.novaFrames;
    st.phaseFrames[star] = g.novaFrames;
    st.flareScale[star] = state.rt[type].novaFlareSize;
    st.spriteX[star] = at.sx;
    st.spriteY[star] = at.sy;
    st.spriteDepth[star] = at.depth;
    if (at.depth > kDepthCut) {
        DrawNova(state.canvas, at.sx, at.sy, at.depth, st.novaFrames[star], st.phaseFrames[star],
                 st.flareScale[star], 0xFFFFFF);
    }
}

void StartNewStarFlare(EngineState& state, int32_t star, const CameraPoint& at) {
    StarTable& st = state.stars;
    const int type = st.typeIndex[star];
    const GalaxyType& g = state.types[type];
    st.newFrames[star] = g.newFrames;
    st.phaseFrames[star] = g.newFrames;
    st.flareScale[star] = state.rt[type].newFlareSize;
    st.flareDepth[star] = at.depth;
    if (at.depth > kDepthCut) {
        int32_t x, y;
        if (ProjectPoint(state.canvas, at, x, y)) {
            st.flareScreenX[star] = x;
            st.flareScreenY[star] = y;
        }
        if (g.newFrames >= 1) {
            DrawFlare(state.canvas, st.flareScreenX[star], st.flareScreenY[star], at.depth,
                      st.newFrames[star], st.phaseFrames[star], st.flareScale[star],
                      FlareColour(state, star));
        }
    }
}

uint32_t FlareColour(const EngineState& state, int32_t star) {
    return state.stars.color[star];
}

uint32_t NovaColour(const EngineState& state, int32_t star) {
    const StarTable& st = state.stars;
    const int phase = st.phaseFrames[star] > 0 ? st.phaseFrames[star] : 1;
    int index = (phase - st.novaFrames[star]) * 80 / phase;
    if (index < 0) index = 0;
    if (index > 80) index = 80;
    return state.flareRamp[st.typeIndex[star]][index];
}

void PulsarLook(const EngineState& state, int32_t star, float& size, uint32_t& colour) {
    size = 0;
    colour = state.stars.color[star];
}

void DrawFlare(const Canvas& canvas, int32_t screenX, int32_t screenY, float depth, int framesLeft,
               int phaseFrames, float scale, uint32_t color) {
    canvas.Plot(screenX, screenY, color);
}

void DrawNova(const Canvas& canvas, float x, float y, float depth, int framesLeft, int phaseFrames,
              float scale, uint32_t color) {
    PlotProjected(canvas, x, y, depth, color);
}

void DrawPulsar(const Canvas& canvas, float x, float y, float depth, float size, int16_t shape,
                float pulsarDepth, uint32_t color) {
    PlotProjected(canvas, x, y, depth, color);
}

}  // namespace orrelume
