// The per-frame update of every star: erase and redraw, move by the type's
// motion, play the special phases, draw the comets of the visited galaxy,
// re-birth a number of stars into the galaxy being visited, and step the
// colours.
#pragma once

#include <cstdint>

#include "engine/projection.h"
#include "engine/star_table.h"

namespace orrelume {

struct EngineState;

// What the frame loop tells the update about the frame.
struct FrameInputs {
    int32_t visitIndex = 0;      // the instance the camera is visiting
    int32_t approachedType = 0;  // the type whose comets are shown
    int32_t tourStep = 1;        // control point within the visit; 32000 in previews
    float tourProgress = 0;      // 0..1 through the control point
    bool touring = true;         // false while a universe is created or left
    int16_t singleType = 0;      // 0 universe, 1 a type preview, 2 a composite preview
};

// The preview's tour step: far beyond any control point.
inline constexpr int32_t kPreviewTourStep = 32000;

// F: re-births per frame times 100.
int32_t RebirthRate(const EngineState& state, const FrameInputs& in);
// How many stars to re-birth this frame for rate F (draws one number).
int32_t RebirthCount(EngineState& state, int32_t rate);
// The instance a re-born star goes to.
int32_t ChooseGalaxy(EngineState& state, const FrameInputs& in);
// Re-births star s into instance `galaxy`: type, generation, special phase.
void RebirthStar(EngineState& state, int32_t s, int32_t galaxy, int16_t singleType);

// Moves star s one frame by its type's motion.
void MoveStar(EngineState& state, int32_t s);
// Star s in camera space (its level's tilt, its galaxy's centre).
CameraPoint StarCameraPoint(const EngineState& state, int32_t s);

// One frame of the whole universe of stars.
void UpdateGalaxies(EngineState& state, const FrameInputs& in);

}  // namespace orrelume
