// Star colour: the per-type hue tables, the colour of a new star, the hue
// wheel step of every frame, the fixed colour wheel and the flare ramps.
#pragma once

#include <array>
#include <cstdint>

#include "engine/star_table.h"

namespace orrelume {

struct EngineState;

inline constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}
inline constexpr uint32_t RedOf(uint32_t c) {
    return c & 0xFF;
}
inline constexpr uint32_t GreenOf(uint32_t c) {
    return (c >> 8) & 0xFF;
}
inline constexpr uint32_t BlueOf(uint32_t c) {
    return (c >> 16) & 0xFF;
}

// 360 hues in whole degrees for each of the 51 colour columns.
struct HueTable {
    std::array<uint32_t, kColourColumns * 360> entries{};
    uint32_t At(int hue, int type) const { return entries[type * 360 + hue]; }
    uint32_t& At(int hue, int type) { return entries[type * 360 + hue]; }
};

// Fills column `column` from a type's five hue properties.
void BuildHueTable(HueTable& table, int column, const GalaxyType& type);
// Fills the columns of all 50 types.
void BuildHueTables(HueTable& table, const GalaxyTypeTable& types);
// HueTable[hue mod 360][type] (a negative hue counts from the other end).
uint32_t HueColor(const HueTable& table, int type, int hue);

// A fixed colour wheel: (hue, floor, r, g, b), hue in whole degrees; hues
// above 359 (and below 0) are black.
uint32_t WheelColor(int hue, int floor, int r, int g, int b);
// Each channel multiplied by k and rounded half to even (kept within 0..255).
uint32_t ScaleColor(uint32_t color, double k);

// An 80-step burst ramp (white, through the hue range, to black), with an
// 81st entry: equal to the 80th for a type's ramp, black for the universe's.
using ColourRamp = std::array<uint32_t, 81>;
void BuildFlareRamp(ColourRamp& ramp, int hueFrom, int hueTo);
// The universe's ramp: the same steps, entry 80 black.
void BuildUniverseRamp(ColourRamp& ramp, int hueFrom, int hueTo);

// Sets a new star's hue and colour by its type's colour computation from
// the colour parameters its generator returned.
void StarColor(EngineState& state, int type, float c1, float c2, int32_t star);
// The per-frame hue wheel step of every star whose type takes part in it.
void HueStepAll(EngineState& state);
// Whether stars of a type take part in the hue wheel step.
int16_t HueStepFlag(const GalaxyType& type);

}  // namespace orrelume
