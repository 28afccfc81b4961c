#include "dialogs/editor_themes.h"

namespace orrelume {

const std::array<std::string_view, kEditorThemeCount> kIfsThemeNames = {
    "Hexagonal Tree",       "Space Station",      "Vortex Vectors",   "Bulky Starship",
    "Fractional Fragments", "Fractal Fern",       "Twisted Branches", "Warped Tetrahedron",
    "Root-Like Structures", "Symmetric Starbird",
};

const std::array<std::string_view, kEditorThemeCount> kMoleculeThemeNames = {
    "Methane",
    "Octanitrocubane",
    "Hexagonal Plane",
    "Tetrahedral Lattice",
    "Cubic Hydrocarbon Lattice",
    "Hexagonal Nested Lattice",
    "Active Gas Configuration",
    "Shells and Points Configuration",
    "Nested Shell Configuration",
    "Star Point System",
};

namespace {

const std::array<std::string_view, kEditorThemeCount> kIfsDescriptions = {
    "Tree structure with a hexagonal shape.",
    "Attenuated space station scaffolding structure.",
    "Swirls of color pulled to the galaxy core",
    "Bulky shaped starship.",
    "Fractional Segments",
    "Fractal Fern",
    "Twisted tree-like branches",
    "Warped Tetrahedron.",
    "Root-Like Structures",
    "Elegant Starship",
};

const std::array<std::string_view, kEditorThemeCount> kMoleculeDescriptions = {
    "Carbon bonded to four hydrogen atoms",     "A carbon cube with eight nitro groups",
    "A hexagonal plane of carbon atoms",        "Carbon stacked in a tetrahedral lattice",
    "Carbon and hydrogen in interleaved cubes", "A hexagonal lattice nested in another",
    "Pairs of gas atoms drifting in a cloud",   "Symmetric shells ringed by point atoms",
    "Shells of atoms nested about one centre",  "A sun with planets and moons",
};

// clang-format off
const std::array<std::string_view, kEditorThemeCount> kIfsThemeTexts = {
    // Hexagonal Tree: A trunk towards (1000, 0, 0); turns of 60 degrees about x and y make its
    // six-sided branching.
    "Tree structure with a hexagonal shape.       "
    "400, 0, 0,                                   "
    "250, 1000, 200,                              "
    "1000, 0, 0, 40, 0, 0, 2,                     "
    "0, 0, 0, 0, 0, 60, 1,                        "
    "0, 0, 0, 0, 0, 300, 1,                       "
    "0, 0, 0, 50, 1, 60, 1,                       "
    "0, 0, 0, 50, 1, 300, 1,                      ",
    // Space Station: Four corners of a box drawn towards at 33 to 60 percent, and a quarter turn
    // about the middle: open girders.
    "Attenuated space station scaffolding structur"
    "420, 300, 650,                               "
    "300, 600, 400,                               "
    "0, 1500, 0, 33, 0, 0, 4,                     "
    "600, 1500, 800, 60, 0, 0, 3,                 "
    "600, 0, 0, 60, 0, 0, 3,                      "
    "0, 0, 800, 60, 0, 0, 3,                      "
    "300, 600, 400, 60, 1, 90, 3,                 ",
    // Vortex Vectors: A slight pull to the core with a turn of 10 degrees about y, fed by two far
    // points: arms that spiral in.
    "Swirls of color pulled to the galaxy core    "
    "400, 300, 600,                               "
    "1000, 1000, 1000,                            "
    "1000, 1000, 1000, 4, 1, 10, 25,              "
    "1000, 1000, 1000, 50, 0, 0, 2,               "
    "1800, 1100, 1000, 80, 0, 0, 1,               "
    "200, 900, 1000, 80, 0, 0, 1,                 "
    "0, 0, 0, 0, 0, 0, 0,                         ",
    // Bulky Starship: Nose, tail, two wing tips and a tower, drawn towards by half: a solid hull
    // with a wide wing.
    "Bulky shaped starship.                       "
    "380, 250, 700,                               "
    "1000, 1000, 1000,                            "
    "2000, 1000, 1000, 50, 0, 0, 3,               "
    "300, 1000, 1000, 35, 0, 0, 3,                "
    "600, 1150, 200, 50, 0, 0, 2,                 "
    "600, 1150, 1800, 50, 0, 0, 2,                "
    "700, 400, 1000, 50, 0, 0, 2,                 ",
    // Fractional Fragments: Five corners drawn towards by two thirds (two of them turned):
    // separate clusters, like dust.
    "Fractional Segments                          "
    "350, 300, 700,                               "
    "1000, 1000, 1000,                            "
    "0, 1000, 0, 67, 0, 0, 1,                     "
    "2000, 1000, 0, 67, 0, 0, 1,                  "
    "1000, 1000, 2000, 67, 0, 0, 1,               "
    "1000, 0, 1000, 67, 1, 45, 1,                 "
    "1000, 2000, 1000, 67, 1, 45, 1,              ",
    // Fractal Fern: The frond (85 percent towards its curled tip), two leaflets turned by +-50
    // degrees, and the stem.
    "Fractal Fern                                 "
    "400, 200, 650,                               "
    "1000, 1000, 1000,                            "
    "1443, 99, 1000, 15, 2, 3, 85,                "
    "911, 1608, 1000, 68, 2, 311, 7,              "
    "1035, 1776, 1000, 70, 2, 50, 7,              "
    "1000, 1900, 1000, 84, 0, 0, 2,               "
    "0, 0, 0, 0, 0, 0, 0,                         ",
    // Twisted Branches: A trunk that turns 137 degrees about y at every step, and branches turned
    // about z and x.
    "Twisted tree-like branches                   "
    "420, 300, 650,                               "
    "1000, 1000, 1000,                            "
    "1000, 0, 1000, 25, 1, 137, 6,                "
    "1000, 1900, 1000, 86, 0, 0, 1,               "
    "1000, 700, 1000, 45, 2, 55, 2,               "
    "1000, 700, 1000, 45, 2, 305, 2,              "
    "1000, 700, 1000, 45, 0, 55, 2,               ",
    // Warped Tetrahedron: The four corners of a tetrahedron at half way, each turned a little
    // about another axis.
    "Warped Tetrahedron.                          "
    "400, 300, 600,                               "
    "1000, 1000, 1000,                            "
    "1000, 200, 1000, 50, 1, 20, 1,               "
    "200, 1500, 600, 50, 0, 15, 1,                "
    "1800, 1500, 600, 50, 2, 15, 1,               "
    "1000, 1500, 1800, 50, 0, 345, 1,             "
    "0, 0, 0, 0, 0, 0, 0,                         ",
    // Root-Like Structures: Two maps turned by +-40 degrees about the crown spread the fibres; a
    // tap root hangs below.
    "Root-Like Structures                         "
    "400, 250, 650,                               "
    "1000, 1000, 1000,                            "
    "1000, 300, 1000, 32, 2, 40, 3,               "
    "1000, 300, 1000, 32, 2, 320, 3,              "
    "1000, 1900, 1000, 45, 1, 90, 2,              "
    "1000, 300, 1000, 80, 0, 0, 1,                "
    "0, 0, 0, 0, 0, 0, 0,                         ",
    // Symmetric Starbird: A half turn about y with no pull mirrors everything; a wing, a head, a
    // tail and the body.
    "Elegant Starship                             "
    "420, 150, 650,                               "
    "1000, 1000, 1000,                            "
    "1000, 1000, 1000, 0, 1, 180, 3,              "
    "2000, 1300, 1000, 55, 2, 20, 2,              "
    "1000, 1900, 1000, 65, 0, 0, 1,               "
    "1000, 200, 1000, 60, 0, 0, 1,                "
    "1000, 1000, 1000, 55, 0, 0, 1,               ",
};

const std::array<std::string_view, kEditorThemeCount> kMoleculeThemeTexts = {
    // Methane: A carbon atom with four hydrogen atoms about it.
    "Carbon bonded to four hydrogen atoms         "
    "5, 1000, 1000, 1000,                         "
    "500, 300, 600,                               "
    "6, 0, 1000, 1000, 1000, 200, 0,              "
    "1, 0, 1250, 775, 1200, 75, 0,                "
    "1, 0, 750, 775, 1200, 75, 0,                 "
    "1, 0, 1000, 775, 700, 75, 0,                 "
    "1, 0, 1000, 1400, 1000, 75, 0,               ",
    // Octanitrocubane: Carbon at the corners of a cube, nitrogen beyond each corner, two oxygen
    // atoms beside each nitrogen.
    "A carbon cube with eight nitro groups        "
    "32, 1000, 1000, 1000,                        "
    "700, 300, 600,                               "
    "6, 0, 900, 900, 900, 40, 0,                  "
    "6, 0, 900, 900, 1100, 40, 0,                 "
    "6, 0, 900, 1100, 900, 40, 0,                 "
    "6, 0, 900, 1100, 1100, 40, 0,                "
    "6, 0, 1100, 900, 900, 40, 0,                 "
    "6, 0, 1100, 900, 1100, 40, 0,                "
    "6, 0, 1100, 1100, 900, 40, 0,                "
    "6, 0, 1100, 1100, 1100, 40, 0,               "
    "7, 0, 800, 800, 800, 50, 0,                  "
    "7, 0, 800, 800, 1200, 50, 0,                 "
    "7, 0, 800, 1200, 800, 50, 0,                 "
    "7, 0, 800, 1200, 1200, 50, 0,                "
    "7, 0, 1200, 800, 800, 50, 0,                 "
    "7, 0, 1200, 800, 1200, 50, 0,                "
    "7, 0, 1200, 1200, 800, 50, 0,                "
    "7, 0, 1200, 1200, 1200, 50, 0,               "
    "8, 0, 690, 740, 800, 20, 0,                  "
    "8, 0, 800, 740, 690, 20, 0,                  "
    "8, 0, 690, 740, 1200, 20, 0,                 "
    "8, 0, 800, 740, 1310, 20, 0,                 "
    "8, 0, 690, 1260, 800, 20, 0,                 "
    "8, 0, 800, 1260, 690, 20, 0,                 "
    "8, 0, 690, 1260, 1200, 20, 0,                "
    "8, 0, 800, 1260, 1310, 20, 0,                "
    "8, 0, 1310, 740, 800, 20, 0,                 "
    "8, 0, 1200, 740, 690, 20, 0,                 "
    "8, 0, 1310, 740, 1200, 20, 0,                "
    "8, 0, 1200, 740, 1310, 20, 0,                "
    "8, 0, 1310, 1260, 800, 20, 0,                "
    "8, 0, 1200, 1260, 690, 20, 0,                "
    "8, 0, 1310, 1260, 1200, 20, 0,               "
    "8, 0, 1200, 1260, 1310, 20, 0,               ",
    // Hexagonal Plane: A hexagonal grid of carbon (its X is its edge count, 6), oxygen above and
    // below.
    "A hexagonal plane of carbon atoms            "
    "3, 6, 1000, 1000,                            "
    "500, 200, 600,                               "
    "6, 7, 6, 1000, 1000, 20, 120,                "
    "8, 0, 6, 700, 1000, 60, 0,                   "
    "8, 0, 6, 1300, 1000, 60, 0,                  ",
    // Tetrahedral Lattice: A tetrahedral stack of carbon with a small one of sulphur inside.
    "Carbon stacked in a tetrahedral lattice      "
    "2, 6, 1000, 1000,                            "
    "500, 300, 600,                               "
    "6, 9, 6, 1000, 1000, 15, 160,                "
    "16, 9, 3, 1000, 1000, 25, 160,               ",
    // Cubic Hydrocarbon Lattice: Cubes of carbon (4 per edge) and hydrogen (3 per edge) with the
    // same spacing interleave.
    "Carbon and hydrogen in interleaved cubes     "
    "2, 4, 1000, 1000,                            "
    "500, 300, 600,                               "
    "6, 8, 4, 1000, 1000, 25, 200,                "
    "1, 8, 3, 1000, 1000, 15, 200,                ",
    // Hexagonal Nested Lattice: Hexagonal columns of carbon (5 per edge) around ones of nitrogen
    // (3 per edge).
    "A hexagonal lattice nested in another        "
    "2, 5, 1000, 1000,                            "
    "500, 300, 600,                               "
    "6, 11, 5, 1000, 1000, 10, 110,               "
    "7, 11, 3, 1000, 1000, 20, 110,               ",
    // Active Gas Configuration: Sixteen pairs of atoms strewn through a cube.
    "Pairs of gas atoms drifting in a cloud       "
    "32, 1000, 1000, 1000,                        "
    "600, 200, 600,                               "
    "17, 0, 743, 1106, 1057, 35, 0,               "
    "17, 0, 823, 1136, 1057, 35, 0,               "
    "8, 0, 633, 878, 1437, 35, 0,                 "
    "8, 0, 713, 908, 1437, 35, 0,                 "
    "7, 0, 1118, 985, 1140, 35, 0,                "
    "7, 0, 1198, 1015, 1140, 35, 0,               "
    "1, 0, 1094, 567, 1120, 35, 0,                "
    "1, 0, 1174, 597, 1120, 35, 0,                "
    "17, 0, 513, 1430, 1357, 35, 0,               "
    "17, 0, 593, 1460, 1357, 35, 0,               "
    "8, 0, 980, 765, 1064, 35, 0,                 "
    "8, 0, 1060, 795, 1064, 35, 0,                "
    "1, 0, 739, 696, 1234, 35, 0,                 "
    "1, 0, 819, 726, 1234, 35, 0,                 "
    "10, 0, 981, 1053, 1356, 35, 0,               "
    "10, 0, 1061, 1083, 1356, 35, 0,              "
    "2, 0, 1062, 987, 906, 35, 0,                 "
    "2, 0, 1142, 1017, 906, 35, 0,                "
    "17, 0, 1154, 1381, 654, 35, 0,               "
    "17, 0, 1234, 1411, 654, 35, 0,               "
    "7, 0, 737, 1150, 655, 35, 0,                 "
    "7, 0, 817, 1180, 655, 35, 0,                 "
    "8, 0, 1388, 1448, 1035, 35, 0,               "
    "8, 0, 1468, 1478, 1035, 35, 0,               "
    "1, 0, 899, 1259, 515, 35, 0,                 "
    "1, 0, 979, 1289, 515, 35, 0,                 "
    "17, 0, 1187, 1295, 565, 35, 0,               "
    "17, 0, 1267, 1325, 565, 35, 0,               "
    "9, 0, 663, 1276, 1480, 35, 0,                "
    "9, 0, 743, 1306, 1480, 35, 0,                "
    "11, 0, 1105, 543, 808, 35, 0,                "
    "17, 0, 1185, 573, 808, 35, 0,                ",
    // Shells and Points Configuration: A 38-point carbon shell with six-point and eight-point
    // atoms on its axes.
    "Symmetric shells ringed by point atoms       "
    "7, 1000, 1000, 1000,                         "
    "500, 300, 600,                               "
    "6, 5, 1000, 1000, 1000, 20, 300,             "
    "1, 1, 1600, 1000, 1000, 15, 80,              "
    "1, 1, 400, 1000, 1000, 15, 80,               "
    "1, 1, 1000, 1000, 1600, 15, 80,              "
    "1, 1, 1000, 1000, 400, 15, 80,               "
    "16, 2, 1000, 400, 1000, 15, 80,              "
    "16, 2, 1000, 1600, 1000, 15, 80,             ",
    // Nested Shell Configuration: Shells of 38, 26, 18 and 8 points nested about a carbon core.
    "Shells of atoms nested about one centre      "
    "5, 1000, 1000, 1000,                         "
    "500, 300, 600,                               "
    "17, 5, 1000, 1000, 1000, 30, 650,            "
    "7, 4, 1000, 1000, 1000, 25, 480,             "
    "1, 3, 1000, 1000, 1000, 20, 320,             "
    "16, 2, 1000, 1000, 1000, 15, 170,            "
    "6, 0, 1000, 1000, 1000, 60, 0,               ",
    // Star Point System: A sulphur sun with planets, two of them with moons of six and eight
    // points.
    "A sun with planets and moons                 "
    "9, 5000, 5000, 5000,                         "
    "450, 300, 650,                               "
    "16, 0, 5000, 5000, 5000, 200, 0,             "
    "11, 0, 5350, 5000, 5000, 30, 0,              "
    "2, 0, 4450, 5000, 5100, 45, 0,               "
    "1, 1, 4450, 5000, 5100, 10, 90,              "
    "7, 0, 5000, 5000, 5700, 60, 0,               "
    "8, 2, 5000, 5000, 5700, 10, 120,             "
    "17, 0, 4300, 5000, 4400, 50, 0,              "
    "10, 0, 5750, 5000, 4500, 40, 0,              "
    "9, 1, 5750, 5000, 4500, 10, 80,              ",
};
// clang-format on

template <typename Table>
std::string_view Entry(const Table& table, int theme) {
    if (theme < 0 || theme >= kEditorThemeCount) return {};
    return table[static_cast<size_t>(theme)];
}

}  // namespace

std::string_view IfsThemeText(int theme) {
    return Entry(kIfsThemeTexts, theme);
}

std::string_view MoleculeThemeText(int theme) {
    return Entry(kMoleculeThemeTexts, theme);
}

std::string_view IfsThemeDescription(int theme) {
    return Entry(kIfsDescriptions, theme);
}

std::string_view MoleculeThemeDescription(int theme) {
    return Entry(kMoleculeDescriptions, theme);
}

}  // namespace orrelume
