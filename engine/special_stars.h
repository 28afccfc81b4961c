// New-star flares, novas and pulsars: starting a phase, the per-type tables
// and the three sprite drawers.
//
// A re-born star may begin its life in a special phase: a new-star flare that
// sparkles and fades, a nova that swells through its type's hue range and
// vanishes, or a pulsar that throbs in size and colour for some cycles and
// vanishes. The per-frame countdown and the erasing of sprites belong to the
// per-frame update; this module starts phases, picks their colours and sizes
// and draws them. A drawer called with colour 0 erases exactly the pixels
// the same call drew with a colour.
#pragma once

#include <array>
#include <cstdint>

#include "engine/canvas.h"
#include "engine/projection.h"
#include "engine/star_table.h"

namespace orrelume {

struct EngineState;

// Entries of the new-star ramp (frames left 0..99) and of the pulsar tables
// (phases 0..98).
inline constexpr int kSpecialTableSize = 100;

// Pulsar shapes as the properties dialog names them.
enum PulsarShape : int16_t {
    kPulsarNova = 0,
    kPulsarAxes = 1,
    kPulsarStar = 2,
    kPulsarSphere = 3,
    kPulsarSphere2 = 4,
};

// A sprite whose projected size is at most this shows its centre only.
inline constexpr float kSpriteDotSize = 0.0078125f;

struct SpecialStarTables {
    struct PerType {
        std::array<uint32_t, kSpecialTableSize> newStarRamp{};  // grey by frames left
        std::array<float, kSpecialTableSize> pulsarSize{};      // by phase
        std::array<uint32_t, kSpecialTableSize> pulsarColor{};  // by phase
    };
    std::array<PerType, kGalaxyTypeCount> types{};
};

// The new-star ramp of a type: index k = frames left, 0..newFrames.
void BuildNewStarRamp(std::array<uint32_t, kSpecialTableSize>& ramp, int newFrames);
// The pulsar size and colour of every phase of a type.
void BuildPulsarTables(SpecialStarTables::PerType& tables, const GalaxyType& type);
// Builds the new-star ramp and the pulsar tables of every type (run start).
void BuildSpecialStarTables(EngineState& state);

// Step 3 of a re-birth, after the star was generated: draws one number and
// starts a pulsar, a nova or a new-star flare (the last of no length when
// the type's flare has none). A nova and a flare are drawn at once.
void StartPhase(EngineState& state, int32_t star);

// The colours (and the pulsar size) of a running phase, after the frame's
// countdown.
uint32_t FlareColour(const EngineState& state, int32_t star);
uint32_t NovaColour(const EngineState& state, int32_t star);
void PulsarLook(const EngineState& state, int32_t star, float& size, uint32_t& colour);
// The ramp step a nova shows with `framesLeft` of `phaseFrames` to go.
int NovaRampIndex(int framesLeft, int phaseFrames);

// The new-star flare around a projected centre; it shrinks as it ends.
void DrawFlare(const Canvas& canvas, int32_t screenX, int32_t screenY, float depth, int framesLeft,
               int phaseFrames, float scale, uint32_t color);
// The nova around a camera-space point (x, y not yet divided by depth); it
// swells as it ages.
void DrawNova(const Canvas& canvas, float x, float y, float depth, int framesLeft, int phaseFrames,
              float scale, uint32_t color);
// The pulsar of a shape around a camera-space point, in layers spread along
// the line of sight by pulsarDepth x size.
void DrawPulsar(const Canvas& canvas, float x, float y, float depth, float size, int16_t shape,
                float pulsarDepth, uint32_t color);

}  // namespace orrelume
