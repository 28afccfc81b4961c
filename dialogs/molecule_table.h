// The molecule editor without its widgets: an atom as the editor's controls
// show it, the captions that follow the structure type, the list entries,
// what Add, Update and Remove refuse, how a galaxy type's atoms are shown
// and kept, and how a theme fills the editor.
//
// The boxes of an atom and the stored atom fields (see engine/user_styles.h
// for how the galaxy code reads them):
//
//   box                              stored field (AtomEntry)
//   X Loc                            edgeCount
//   Y Loc                            third
//   Z Loc                            fourth
//   Atom Radius                      sixth: the jitter about each point of
//                                    the structure, which gives an atom its
//                                    size
//   Symmetry Radius / Atom Offset    seventh: a shell's radius, or the
//                                    spacing of a lattice's points
//
// A lattice has no field of its own for its edge count: the galaxy code
// reads it from the X location's field. So for the lattices the X box turns
// into "Points per" "Edge (1-99)" and holds the edge count (bounded to
// 1..99); a lattice's X location is that number, and its offset from the
// centre follows from the centre's X. "Atom Offset" is the distance between
// neighbouring points of the lattice. For "Single" the structure box has no
// use and is disabled.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/editor_values.h"
#include "settings/records.h"

namespace orrelume {

// The structure types as the list shows them, padded to one width.
inline constexpr std::array<std::string_view, 12> kStructureListNames = {
    "Single    ", " 6 Point  ", " 8 Point  ", "18 Shell  ", "26 Shell  ", "38 Shell  ",
    "Rectgrid  ", "Hexagrid  ", "Cube      ", "Tetramatrx", "Octamatrix", "Hexamatrix",
};
bool IsShellStructure(int structure);    // 1..5
bool IsLatticeStructure(int structure);  // 6..11

// The five boxes `txtProps` of an atom.
enum AtomBox : int { kAtomX = 0, kAtomY, kAtomZ, kAtomRadius, kAtomValue, kAtomBoxes };

// The captions of the boxes for a structure type: each box's two caption
// lines, and whether the structure box is usable.
struct AtomCaptions {
    std::array<std::string_view, kAtomBoxes> first;
    std::array<std::string_view, kAtomBoxes> second;
    bool valueEnabled;
};
// -1 (no type chosen) gives the captions of "Single".
AtomCaptions CaptionsForStructure(int structure);
// The bounds of a box for a structure type.
EditorBox AtomBoxBounds(int structure, int box);

// An atom as the controls hold it.
struct AtomFormValues {
    int element = 0;     // 1..17; 0 none chosen
    int structure = -1;  // 0..11; -1 none chosen
    std::array<std::string, kAtomBoxes> texts;
};
AtomFormValues FormOfAtom(const AtomEntry& atom);
// The atom the controls make, each box bounded for its structure type.
AtomEntry AtomOfForm(const AtomFormValues& form);

enum class AtomAction { kAdd, kUpdate, kRemove };
inline constexpr std::array<std::string_view, 3> kAtomActionCaptions = {"Add", "Update", "Remove"};
// The message that refuses an action, or empty when it can be done.
std::string AtomActionRefusal(AtomAction action, const AtomFormValues& form, int atomCount,
                              int selectedCount);
// The refusal of a preview or OK without atoms.
std::string NoAtomsMessage();

// A line of the atom list: symbol, element, structure, then the five
// numbers in columns (meant for a fixed-pitch font), and its heading.
std::string AtomListText(const AtomEntry& atom);
std::string AtomListHeading();

// The editor's table: the atoms in list order, the centre and the galaxy
// values.
struct MoleculeFormValues {
    std::vector<AtomEntry> atoms;
    TripleTexts centre;
    TripleTexts galaxy;
};
MoleculeFormValues ShowMolecule(const GalaxyType& type);

// Add, Update (row `row`) and Remove (the rows in `rows`), once allowed.
void AddAtom(MoleculeFormValues& values, const AtomEntry& atom);
void UpdateAtom(MoleculeFormValues& values, int row, const AtomEntry& atom);
void RemoveAtoms(MoleculeFormValues& values, const std::set<int>& rows);
// "Clear": no atoms; the centre and the galaxy values stay.
void ClearAtoms(MoleculeFormValues& values);

// The atoms (at most 32), the centre bounded and the galaxy values into a
// type. False, changing nothing, when there is no atom.
bool PutMolecule(const MoleculeFormValues& values, GalaxyType& type);

// Theme `theme` (0..9): its atoms (each bounded as the editor bounds it,
// at most 32), centre and galaxy values (a 0 keeps the box).
void ApplyMoleculeTheme(int theme, MoleculeFormValues& values);
// The same for the text of a theme.
void ApplyMoleculeThemeText(std::string_view text, MoleculeFormValues& values);

}  // namespace orrelume
