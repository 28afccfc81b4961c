// Star generation: the dispatch by style, the standard generator (a disc of
// radial arms and bands shaped by a height profile, in nested levels) and the
// quasar and graviton births that reuse it.
#pragma once

#include <cstdint>

#include "engine/star_table.h"

namespace orrelume {

struct EngineState;
class Random;

// The two colour parameters a generator hands to the colour computation.
struct ColourParams {
    float c1 = 0;
    float c2 = 0;
};

struct ShapePoint {
    float x = 0, y = 0, z = 0;
};

// Half-height of shape profile `profile` at radius r in a disc of radius P
// (P2 = P squared), with a random sign (one number drawn).
float ShapeProfile(Random& rng, int profile, float r, float P, float P2);

// One point of a type's standard shape: no spin, no arm phase.
ShapePoint StandardPoint(EngineState& state, int type);

// One point of the standard generator with its own rotation step: the arm
// phase and the spin rate are given (a comet nucleus orbits at its own
// rate). Draws the same numbers in the same order as StandardStar.
struct StandardSample {
    float x = 0, y = 0, z = 0;
    int16_t level = 0;
    float spinCos = 1, spinSin = 0;
    float omega = 0;  // the rotation step, the colour parameter c1
};
StandardSample StandardGenerate(EngineState& state, int type, float phase, float spinRate);

// The standard generator for star `star` with the given arm phase: fills the
// star's position, level and rotation step; returns its colour parameters
// (c1 = the star's spin).
ColourParams StandardStar(EngineState& state, int32_t star, int type, float phase);

// Gives star `star` a new life of type `type` in galaxy instance `galaxy`:
// clears its age, trail and phase state, generates it by the type's style and
// colours it. (The galaxy and type indexes are set by the caller.)
void GenerateStar(EngineState& state, int32_t star, int type, int galaxy);

}  // namespace orrelume
