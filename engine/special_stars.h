// New-star flares, novas and pulsars: starting a phase, the per-type tables
// and the three sprite drawers.
//
// The phase countdown and the erasing of sprites belong to the per-frame
// update; this module starts phases, picks their colours and sizes and draws
// them. A drawer called with colour 0 erases what the same call drew.
#pragma once

#include <array>
#include <cstdint>

#include "engine/canvas.h"
#include "engine/projection.h"
#include "engine/star_table.h"

namespace orrelume {

struct EngineState;

inline constexpr int kSpecialTableSize = 100;

struct SpecialStarTables {
    struct PerType {
        std::array<uint32_t, kSpecialTableSize> newStarRamp{};  // by frames left
        std::array<float, kSpecialTableSize> pulsarSize{};      // by phase
        std::array<uint32_t, kSpecialTableSize> pulsarColor{};  // by phase
    };
    std::array<PerType, kGalaxyTypeCount> types{};
};

// Builds the new-star ramp and the pulsar tables of every type (run start).
void BuildSpecialStarTables(EngineState& state);

// Starting a phase of a re-born star; `at` is the star's camera-space point.
void StartPulsar(EngineState& state, int32_t star, const CameraPoint& at);
void StartNova(EngineState& state, int32_t star, const CameraPoint& at);
void StartNewStarFlare(EngineState& state, int32_t star, const CameraPoint& at);

// The colours (and the pulsar size) of a running phase, after the frame's
// countdown.
uint32_t FlareColour(const EngineState& state, int32_t star);
uint32_t NovaColour(const EngineState& state, int32_t star);
void PulsarLook(const EngineState& state, int32_t star, float& size, uint32_t& colour);

void DrawFlare(const Canvas& canvas, int32_t screenX, int32_t screenY, float depth, int framesLeft,
               int phaseFrames, float scale, uint32_t color);
void DrawNova(const Canvas& canvas, float x, float y, float depth, int framesLeft, int phaseFrames,
              float scale, uint32_t color);
void DrawPulsar(const Canvas& canvas, float x, float y, float depth, float size, int16_t shape,
                float pulsarDepth, uint32_t color);

}  // namespace orrelume
