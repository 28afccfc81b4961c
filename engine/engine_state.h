// Everything the engine keeps for one run: the records it runs on, every
// type's run-time values, the star table and galaxy instances, the colour
// tables, the special-star and comet state, the per-instance style data, the
// one random generator and the canvas it draws on.
//
// A run owns one EngineState; nothing of it is global, so several runs can
// exist side by side (tests do).
#pragma once

#include <array>
#include <cstdint>

#include "engine/canvas.h"
#include "engine/colour.h"
#include "engine/comets.h"
#include "engine/ifs.h"
#include "engine/nebula.h"
#include "engine/random.h"
#include "engine/run_values.h"
#include "engine/special_stars.h"
#include "engine/star_table.h"
#include "engine/user_styles.h"
#include "settings/records.h"

namespace orrelume {

struct EngineState {
    GalaxyTypeTable types;
    CompositeTable composites;
    std::array<TypeRuntime, kGalaxyTypeCount> rt{};
    GalaxySlots galaxySlots;
    RunValues values;

    StarTable stars;
    GalaxyInstances galaxies;
    int16_t trailSlot = 0;  // the trail ring position written this frame

    HueTable hues;
    std::array<ColourRamp, kColourColumns> flareRamp{};  // per type: bursts, comets
    ColourRamp universeRamp{};                           // expansion cloud, ambient stars

    SpecialStarTables special;
    CometState comets;
    IfsState ifs;
    NebulaState nebula;
    UserStyleState userStyles;

    Random rng;
    Canvas canvas;

    EngineState();
};

// Builds the hue tables of all types and the flare ramps: the universe's from
// (hueFrom, hueTo) and every type's from its comet hue range.
void BuildColourTables(EngineState& state, int universeHueFrom, int universeHueTo);

}  // namespace orrelume
