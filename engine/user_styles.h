// The user-defined styles: iterated function systems on the user's own maps,
// and molecular structures of atoms.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/generate.h"

namespace orrelume {

struct EngineState;
struct IfsInstance;

struct UserStyleState {};

// Scales every type's user maps and atoms for the run.
void PrepareUserStyles(EngineState& state);
// Whether the type has user maps (style 8 then plays on them).
bool HasUserMaps(const EngineState& state, int type);
// One step of the user maps on an instance's current point.
void UserIfsStep(EngineState& state, int type, IfsInstance& point);
// The generator of the molecular style.
ColourParams MoleculeStar(EngineState& state, int32_t star, int type);
// One point of a molecular structure (for shaping the expansion cloud).
ShapePoint MoleculePoint(EngineState& state, int type);

// A comet nucleus on one of the type's atoms (chosen as a star's atom is, with
// no jitter), turning with the structure.
StandardSample MoleculeNucleus(EngineState& state, int type);
// The element table: "name", "symbol", "shells", "color", "radius".
std::string ElementProperty(int element, std::string_view name);
// The point count of a structure type.
int StructurePoints(int structureType);

}  // namespace orrelume
