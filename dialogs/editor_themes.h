// The built-in themes of the user-defined IFS and molecule editors: ten of
// each, every one a text of fixed-width records of 45 characters (see
// dialogs/editor_values.h), in the order the editors list them.
//
// An IFS theme: its description, the three galaxy values, the centre, then
// five points of seven numbers (X, Y, Z, scale, axis, angle, percent; a
// point not in use is all zeros). A molecule theme: its description, a
// header of four numbers (atom count, centre X, Y, Z), the three galaxy
// values, then one record per atom (element, structure type, X, Y, Z, atom
// radius, structure value; see dialogs/molecule_table.h for what these
// mean for each structure type).
#pragma once

#include <array>
#include <string_view>

namespace orrelume {

inline constexpr int kEditorThemeCount = 10;
// The first entry of both theme lists, which applies nothing.
inline constexpr std::string_view kSelectThemeEntry = "Select a Theme";

extern const std::array<std::string_view, kEditorThemeCount> kIfsThemeNames;
extern const std::array<std::string_view, kEditorThemeCount> kMoleculeThemeNames;

// A theme's text; empty outside 0..9.
std::string_view IfsThemeText(int theme);
std::string_view MoleculeThemeText(int theme);
// A theme's description as the editor shows it. The first record of the
// text holds as much of it as fits.
std::string_view IfsThemeDescription(int theme);
std::string_view MoleculeThemeDescription(int theme);

}  // namespace orrelume
