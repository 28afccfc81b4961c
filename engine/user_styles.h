// The user-defined styles: iterated function systems on the user's own maps,
// and molecular structures of atoms.
//
// Both take their shape from tables stored with the galaxy type, scaled once
// when a run starts: a difference of 1000 in the stored locations equals the
// galaxy's radius.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/generate.h"
#include "settings/records.h"

namespace orrelume {

struct EngineState;
struct IfsInstance;

// The largest lattice edge count.
inline constexpr int kMaxLatticeEdge = 99;

// Structure types of an atom, in the order the molecule editor lists them.
enum AtomStructure : int16_t {
    kStructureSingle = 0,
    kStructure6Point = 1,
    kStructure8Point = 2,
    kStructure18Shell = 3,
    kStructure26Shell = 4,
    kStructure38Shell = 5,
    kStructureRectgrid = 6,
    kStructureHexagrid = 7,
    kStructureCube = 8,
    kStructureTetramatrix = 9,
    kStructureOctamatrix = 10,
    kStructureHexamatrix = 11,
};
inline constexpr int kStructureTypeCount = 12;
// The names the molecule editor shows for the twelve structure types.
extern const std::array<std::string_view, kStructureTypeCount> kStructureNames;

// What an atom's stored fields mean. The seven numbers of an atom are kept in
// a fixed order (see AtomEntry); the molecule generator reads them so:
//
//   stored field    AtomEntry member   meaning
//   1               element            element 1..17
//   2               edgeCount          location X; for the lattices (6..11)
//                                      also the edge count n, 1..99
//   3               third              location Y
//   4               fourth             location Z
//   5               structureType      structure type 0..11
//   6               sixth              speed: the length of the random jitter
//                                      about each structure point
//   7               seventh            radius: of the shells, and the spacing
//                                      of the lattices
//
// Factory rows and molecule themes list the same numbers as element,
// structure type, X, Y, Z, speed, radius.
struct AtomFields {
    int16_t element, structureType;
    int16_t locX, locY, locZ;
    int16_t speed, radius;
    int16_t edgeCount;  // the lattices' n (the same stored field as locX)
};
AtomFields ReadAtomFields(const AtomEntry& atom);

// One user map scaled for the run.
struct UserMap {
    float px = 0, py = 0, pz = 0;  // fixed point
    float scale = 0;               // contraction 0..1
    float cosA = 1, sinA = 0;      // the map's turn
    int16_t axis = 0;              // 0 about x, 1 about y, 2 about z
    bool turns = false;            // the angle is at least 1 degree
    int32_t weight = 0;            // cumulative weight up to this map
};

// One atom scaled for the run.
struct UserAtom {
    float x = 0, y = 0, z = 0;  // location relative to the structure centre
    float speed = 0;            // jitter length
    float r = 0;                // radius or lattice spacing
    int16_t structure = 0;
    int16_t edges = 1;    // lattice edge count n
    int32_t hue = 0;      // the element's colour hue
    int32_t weight = 0;   // cumulative point count up to this atom
    int16_t hexBase = 1;  // hexamatrix: size of its first (and last) layer
    int32_t layers = 0;   // hexamatrix: the points of all its layers
};

// A type's user tables for the run.
struct UserTables {
    int16_t mapCount = 0;
    std::array<UserMap, kMaxIfsPoints> maps{};
    int16_t atomCount = 0;
    std::array<UserAtom, kMaxAtoms> atoms{};
};

struct UserStyleState {
    std::array<UserTables, kGalaxyTypeCount> types{};
    // Count tables of the lattices, for k = 0 .. kMaxLatticeEdge: triangle
    // numbers T(k) = k(k + 1)/2, hexagon counts H(k) = 1 + 3k(k - 1) (H(0) =
    // 0), and their running sums.
    std::array<int32_t, kMaxLatticeEdge + 1> triangle{}, hexagon{};
    std::array<int32_t, kMaxLatticeEdge + 1> triangleSum{}, hexagonSum{};
};

// Scales every type's user maps and atoms for the run and builds the count
// tables (after the types' run values are derived).
void PrepareUserStyles(EngineState& state);
// Whether the type has user maps (style 8 then plays on them).
bool HasUserMaps(const EngineState& state, int type);
// One step of the user maps on an instance's current point: towards the
// fixed point of a map chosen by weight, then turned about it.
void UserIfsStep(EngineState& state, int type, IfsInstance& point);
// The generator of the molecular style: a point of one of the atoms' structures,
// turned by the type's spin phase; the star's colour field holds the element's
// hue for the colour computation.
ColourParams MoleculeStar(EngineState& state, int32_t star, int type);
// One point of a molecular structure, unturned (for shaping the expansion
// cloud).
ShapePoint MoleculePoint(EngineState& state, int type);

// A comet nucleus on one of the type's atoms (chosen as a star's atom is, with
// no jitter), turning with the structure.
StandardSample MoleculeNucleus(EngineState& state, int type);

// The element table.
struct ElementInfo {
    std::string_view name, symbol, shells;
    int32_t hue;  // colour hue in degrees
    float radius;
};
inline constexpr int kElementCount = 17;
// Elements 1..17 (index 0 is element 1).
std::span<const ElementInfo, kElementCount> ElementTable();
// The element's colour hue; 0 for a number outside 1..17.
int32_t ElementHue(int element);
// The element table lookup by property name, compared without regard to case:
// "name", "symbol", "shells", "color", "radius". A number outside 1..17 gives
// empty texts, colour "0" and radius "0"; an unknown property gives "".
std::string ElementProperty(int element, std::string_view name);
// The point count of a structure type: its weight in the choice of atom.
int StructurePoints(int structureType);

}  // namespace orrelume
