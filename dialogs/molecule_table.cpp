#include "dialogs/molecule_table.h"

#include <algorithm>

#include "dialogs/editor_themes.h"
#include "engine/user_styles.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

constexpr std::string_view kRange = "(0-9999):";

int16_t Bounded(const std::string& text, const EditorBox& box) {
    return static_cast<int16_t>(BoxNumber(text, box));
}

std::string Padded(std::string_view text, size_t width) {
    std::string out(text);
    if (out.size() < width) out.append(width - out.size(), ' ');
    return out;
}

}  // namespace

bool IsShellStructure(int structure) {
    return structure >= kStructure6Point && structure <= kStructure38Shell;
}

bool IsLatticeStructure(int structure) {
    return structure >= kStructureRectgrid && structure <= kStructureHexamatrix;
}

AtomCaptions CaptionsForStructure(int structure) {
    AtomCaptions c{{"X Loc:", "Y Loc:", "Z Loc:", "Atom", "Symmetry"},
                   {kRange, kRange, kRange, "Radius:", "Radius:"},
                   IsShellStructure(structure)};
    if (IsLatticeStructure(structure)) {
        c.first[kAtomX] = "Points per";
        c.second[kAtomX] = "Edge (1-99)";
        c.first[kAtomValue] = "Atom";
        c.second[kAtomValue] = "Offset";
        c.valueEnabled = true;
    }
    return c;
}

EditorBox AtomBoxBounds(int structure, int box) {
    if (box == kAtomX && IsLatticeStructure(structure))
        return {"", BoundKind::Int16, 1, kMaxLatticeEdge};
    return {"", BoundKind::Int16, 0, 9999};
}

AtomFormValues FormOfAtom(const AtomEntry& atom) {
    AtomFormValues f;
    f.element = atom.element >= 1 && atom.element <= kElementCount ? atom.element : 0;
    f.structure = atom.structureType >= 0 && atom.structureType < kStructureTypeCount
                      ? atom.structureType
                      : -1;
    f.texts = {Int16ToText(atom.edgeCount), Int16ToText(atom.third), Int16ToText(atom.fourth),
               Int16ToText(atom.sixth), Int16ToText(atom.seventh)};
    return f;
}

AtomEntry AtomOfForm(const AtomFormValues& form) {
    AtomEntry a;
    const int s = std::clamp(form.structure, 0, kStructureTypeCount - 1);
    auto box = [&](int b) {
        return Bounded(form.texts[static_cast<size_t>(b)], AtomBoxBounds(s, b));
    };
    a.element = static_cast<int16_t>(std::clamp(form.element, 1, kElementCount));
    a.structureType = static_cast<int16_t>(s);
    a.edgeCount = box(kAtomX);
    a.third = box(kAtomY);
    a.fourth = box(kAtomZ);
    a.sixth = box(kAtomRadius);
    a.seventh = box(kAtomValue);
    a.pointCount = StructurePointCount(a.structureType);
    return a;
}

std::string AtomActionRefusal(AtomAction action, const AtomFormValues& form, int atomCount,
                              int selectedCount) {
    if (action == AtomAction::kRemove) {
        return selectedCount > 0 ? std::string() : "Please select one or more Elements to remove.";
    }
    if (action == AtomAction::kUpdate && selectedCount <= 0)
        return "Please select an Element to update.";
    if (action == AtomAction::kAdd && atomCount >= kMaxAtoms) {
        return "You have reached the limit with respect to the number \n"
               "elements that can be associated with a given molecule.";
    }
    if (form.element < 1 || form.element > kElementCount) return "Please select an Element.";
    if (form.structure < 0 || form.structure >= kStructureTypeCount)
        return "Please select an Atomic Structure Type.";
    if (IsShellStructure(form.structure) && Trim(form.texts[kAtomValue]).empty())
        return "Please enter a Symmetry Radius.";
    return {};
}

std::string NoAtomsMessage() {
    return std::string(kNoteHeading) +
           "You must specify at least one Atomic Structure in order to Preview the Molecule.   "
           "Consider selecting one of the Themes in order to see a sample Molecule "
           "or press Cancel to return to the Galaxy Settings.";
}

std::string AtomListHeading() {
    return Padded("Element", 14) + Padded("Structure", 11) + "    X    Y    Z  Rad  Sym";
}

std::string AtomListText(const AtomEntry& atom) {
    const std::string symbol = ElementProperty(atom.element, "symbol");
    const std::string name = ElementProperty(atom.element, "name");
    const int s = atom.structureType;
    const std::string_view structure =
        s >= 0 && s < kStructureTypeCount ? kStructureListNames[static_cast<size_t>(s)] : "";
    std::string line = Padded(Padded(symbol, 3) + name, 14) + Padded(structure, 11);
    for (int16_t v : {atom.edgeCount, atom.third, atom.fourth, atom.sixth, atom.seventh})
        line += FormatRightAligned(Int16ToText(v), 5);
    return line;
}

MoleculeFormValues ShowMolecule(const GalaxyType& type) {
    MoleculeFormValues v;
    const int count = std::clamp<int>(type.atomCount, 0, kMaxAtoms);
    v.atoms.assign(type.atoms.begin(), type.atoms.begin() + count);
    v.centre = {Int16ToText(type.atomCenterX), Int16ToText(type.atomCenterY),
                Int16ToText(type.atomCenterZ)};
    v.galaxy = ShowGalaxyValues(type);
    return v;
}

void AddAtom(MoleculeFormValues& values, const AtomEntry& atom) {
    if (static_cast<int>(values.atoms.size()) < kMaxAtoms) values.atoms.push_back(atom);
}

void UpdateAtom(MoleculeFormValues& values, int row, const AtomEntry& atom) {
    if (row >= 0 && row < static_cast<int>(values.atoms.size()))
        values.atoms[static_cast<size_t>(row)] = atom;
}

void RemoveAtoms(MoleculeFormValues& values, const std::set<int>& rows) {
    std::vector<AtomEntry> kept;
    for (size_t i = 0; i < values.atoms.size(); ++i) {
        if (rows.count(static_cast<int>(i)) == 0) kept.push_back(values.atoms[i]);
    }
    values.atoms = std::move(kept);
}

void ClearAtoms(MoleculeFormValues& values) {
    values.atoms.clear();
}

bool PutMolecule(const MoleculeFormValues& values, GalaxyType& type) {
    if (values.atoms.empty()) return false;
    const size_t count = std::min<size_t>(values.atoms.size(), kMaxAtoms);
    type.atomCount = static_cast<int16_t>(count);
    type.atoms = {};
    std::copy_n(values.atoms.begin(), count, type.atoms.begin());
    type.atomCenterX = static_cast<int16_t>(BoxNumber(values.centre[0], kCentreBoxes[0]));
    type.atomCenterY = static_cast<int16_t>(BoxNumber(values.centre[1], kCentreBoxes[1]));
    type.atomCenterZ = static_cast<int16_t>(BoxNumber(values.centre[2], kCentreBoxes[2]));
    TakeGalaxyValues(values.galaxy, type);
    return true;
}

void ApplyMoleculeTheme(int theme, MoleculeFormValues& values) {
    ApplyMoleculeThemeText(MoleculeThemeText(theme), values);
}

void ApplyMoleculeThemeText(std::string_view text, MoleculeFormValues& values) {
    if (text.empty()) return;
    // The description, a header (count and centre), the galaxy values, then
    // one record per atom.
    const auto numbers = ThemeNumbers(text, 3);
    const std::vector<double>& header = numbers[1];
    ApplyThemeCentre(header, 1, values.centre);
    ApplyThemeGalaxyValues(numbers[2], values.galaxy);
    const int32_t listed = ThemeNumber(header.empty() ? 0 : header[0], 0, kMaxAtoms);
    values.atoms.clear();
    for (int i = 0; i < listed && 3 + static_cast<size_t>(i) < numbers.size(); ++i) {
        const std::vector<double>& n = numbers[3 + static_cast<size_t>(i)];
        auto at = [&](size_t k) { return k < n.size() ? n[k] : 0.0; };
        AtomFormValues form;
        form.element = ThemeNumber(at(0), 1, kElementCount);
        form.structure = ThemeNumber(at(1), 0, kStructureTypeCount - 1);
        for (size_t b = 0; b < kAtomBoxes; ++b)
            form.texts[b] = ThemeNumberText(at(2 + b), 0, 9999);
        values.atoms.push_back(AtomOfForm(form));
    }
}

}  // namespace orrelume
