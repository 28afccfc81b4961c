// Deriving every galaxy type's run-time values at the start of a run, and
// advancing their angles and hue base once per frame.
#pragma once

#include "engine/star_table.h"

namespace orrelume {

struct EngineState;

// The optional random size and spin factors of the advanced settings.
struct Randomisation {
    bool on = false;
    double magnitude = 5;  // bounded to 1..100
    double exponent = 2;   // bounded to 1..100
};

// Derives the run values of one type (random factors already drawn).
void DeriveTypeRuntime(TypeRuntime& rt, const GalaxyType& type, float sizeFactor, float spinFactor);
// Derives all 50 types, drawing their random factors in type order, the
// composites' cumulative member weights and the scaled user maps and atoms.
void PrepareTypeRuntimes(EngineState& state, const Randomisation& random);
// The cumulative member weights of the composites from the types' levels.
void PrepareCompositeWeights(EngineState& state);
// Puts every type's level tilts, phases and hue base where a universe starts
// them, and bounds the run copies of the control-point and vertex counts.
void ResetTypesForUniverse(EngineState& state);
// Sets every type's hue base to its hue start.
void ResetHueBases(EngineState& state);
// One frame of every type's level tilts, hue base, arm and spin phases.
void AdvanceTypeAngles(EngineState& state);

}  // namespace orrelume
