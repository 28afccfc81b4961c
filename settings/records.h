// The settings records: galaxy types, composite galaxies, the universe values
// and the advanced values, with their stored keys, defaults and bounds, and
// how each is loaded from and saved to the settings store.
//
// These records hold only what is stored. The values the animation derives
// from them for a run live in the engine's TypeRuntime.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "settings/store.h"

namespace orrelume {

inline constexpr int kGalaxyTypeCount = 50;
inline constexpr int kCompositeGalaxyCount = 16;
inline constexpr int kMaxIfsPoints = 5;
inline constexpr int kMaxAtoms = 32;
// A composite holds at most one member fewer than there are galaxy types; the
// member array has room for 100 as the stored record does.
inline constexpr int kMaxCompositeMembers = 49;
inline constexpr int kCompositeMemberCapacity = 100;

// Galaxy styles, the values of "Galaxy_GalStyle".
enum GalaxyStyle : int16_t {
    kStyleStandard = 0,
    kStyleIfsPointAttractor = 1,
    kStyleIfsWireframe = 2,
    kStyleIfsFractal = 3,
    kStyleNebula = 4,
    kStyleQuasar = 5,
    kStyleGraviton = 6,
    kStyleStarwave = 7,
    kStyleUserIfs = 8,
    kStyleMolecule = 9,
};
// The names the dialogs show for the ten styles.
extern const std::array<std::string_view, 10> kGalaxyStyleNames;

// One map of a user-defined iterated function system, in storage order.
struct IfsPoint {
    int16_t locX = 0;     // 0..9999
    int16_t locY = 0;     // 0..9999
    int16_t locZ = 0;     // 0..9999
    int16_t scale = 0;    // 0..100, percent
    int16_t axis = 0;     // 0..2: x, y, z
    int16_t angle = 0;    // 0..360 degrees
    int16_t percent = 0;  // 0..9999, relative weight
    bool operator==(const IfsPoint&) const = default;
};

// One atom of a user-defined molecular structure, in the order of the stored
// atom text. The meaning of the opaque fields belongs to the molecule
// generator and its editor.
struct AtomEntry {
    int16_t element = 0;        // 1..17
    int16_t edgeCount = 0;      // 0..9999; 1..99 for the lattice structures 6..11
    int16_t third = 0;          // 0..9999
    int16_t fourth = 0;         // 0..9999
    int16_t structureType = 0;  // 0..11
    int16_t sixth = 0;          // 0..9999
    int16_t seventh = 0;        // 0..9999
    // Derived from the structure type, not stored (1..100).
    int16_t pointCount = 0;
    bool operator==(const AtomEntry&) const = default;
};

// The point count of a structure type: 0..5 give 1, 6, 8, 18, 26, 38; the
// lattices 6..11 give 1. Other values give 1.
int16_t StructurePointCount(int16_t structureType);

// One galaxy type: every stored field, in the order it is written.
struct GalaxyType {
    int16_t uniGalPct = 0;   // "_UniGalPct"
    std::string name;        // "_UniGalName"
    int16_t hueRed = 100;    // "Galaxy_HueRed"
    int16_t hueGrn = 100;    // "Galaxy_HueGrn"
    int16_t hueBlu = 100;    // "Galaxy_HueBlu"
    int16_t hueBase = 0;     // "Galaxy_HueBase"
    int16_t hueBlend = 60;   // "Galaxy_HueBlend"
    int32_t radius = 300;    // "Galaxy_Radius"
    int32_t rotation = 500;  // "Galaxy_Rotation"
    int32_t distance = 400;  // "Galaxy_Distance"
    int16_t radSegs = 1;     // "Galaxy_RadSegs"   style parameter A
    float radFill = 100;     // "Galaxy_RadFill"   style parameter B
    int16_t radBands = 1;    // "Galaxy_RadBands"  style parameter C
    float radBFill = 100;    // "Galaxy_RadBFill"  style parameter D
    int32_t colorMult = 1800;
    int16_t newFreq = 400;
    int16_t newFrames = 8;
    int16_t newExtMult = 100;
    int16_t novaFreq = 320;
    int16_t novaFrames = 30;
    int16_t novaExtMult = 600;
    int16_t pulsarFreq = 0;
    int16_t pulsarDepth = 100;
    int16_t pulsarShape = 0;
    int16_t pulsarCycles = 1;
    int16_t pulsarFrames = 40;
    int16_t pulsarMinExt = 50;
    int16_t pulsarMaxExt = 1000;
    int16_t cometFreq = 400;
    int16_t cometStars = 60;
    int16_t cometOrbit = 100;
    int16_t cometSpeed = 50;
    int16_t cometSWind = 200;
    float cometSPersist = 0.95f;
    float cometCPersist = 0.9975f;
    int16_t hwcStart = 140;  // "Galaxy_HWC_Start"
    int16_t hwcEnd = 220;    // "Galaxy_HWC_End"
    float hwcInc = 0;        // "Galaxy_HWC_Inc"
    float ghwRatio = 0.3f;   // "Galaxy_GHW_Ratio"
    float radiusExp = 1.15f;
    float heightExp = 2;
    float angleTilt = 170;
    float angleTInc = 0;
    float hWheelInc = 0.005f;
    int16_t galStyle = kStyleStandard;
    int16_t axisPlane = 0;
    int16_t colorComp = 3;
    int16_t hueStart = 240;
    int16_t profile = 0;
    int16_t cpPoints = 8;  // "Galaxy_CP_Points"
    int16_t cpSteps = 500;
    int16_t cpBPts = 1;
    int16_t cpBExp = 100;
    int16_t cpBSpd = 0;
    int16_t cpClose = 1;
    int16_t cpAdvHW = 0;
    float qgForce = 5;      // "Galaxy_QG_Force"
    int16_t stdLevels = 1;  // "Galaxy_StdLevels"
    int32_t stdLevDRad = 300;
    float stdLevHSca = 1;
    int16_t stdLevBHS = 0;  // "Galaxy_StdLevB_HS"
    int16_t stdLevBA0 = 0;  // "Galaxy_StdLevB_A0"
    int16_t stdLevBA1 = 0;  // "Galaxy_StdLevB_A1"

    // User-defined IFS ("Galaxy_IFS_Points" and the "IFS" subkey).
    int16_t ifsCount = 0;
    int16_t ifsCenterX = 0, ifsCenterY = 0, ifsCenterZ = 0;
    std::array<IfsPoint, kMaxIfsPoints> ifsPoints{};

    // User-defined molecule ("Galaxy_Atoms" and the "ATOMIC" subkey).
    int16_t atomCount = 0;
    int16_t atomCenterX = 0, atomCenterY = 0, atomCenterZ = 0;
    std::array<AtomEntry, kMaxAtoms> atoms{};

    bool operator==(const GalaxyType&) const = default;
};

// The default name of a type slot: "< Galaxy Profile " + (slot + 1) + " >".
std::string DefaultGalaxyName(int slot);
// A type with every field at its default and the slot's default name.
GalaxyType DefaultGalaxyType(int slot);

// Description of one scalar field of GalaxyType: its key, type, default and
// stored range. The table drives loading, saving, validation, templates,
// factory rows and the property copy, so a field is described once.
enum class FieldKind : uint8_t { Int16, Int32, Single, Text };
struct GalaxyField {
    std::string_view key;
    std::variant<int16_t GalaxyType::*, int32_t GalaxyType::*, float GalaxyType::*,
                 std::string GalaxyType::*>
        member;
    FieldKind kind;
    double defaultValue;  // unused for the name
    double min, max;
    // The four style parameters take their bounds from the style.
    bool styleBounded;
    // Level values are bounded only in the levels dialog, never on load.
    bool clampedOnLoad;
};
// Every scalar field in storage order (from "_UniGalPct" to "Galaxy_Atoms").
std::span<const GalaxyField> GalaxyFields();
// The field with the key, or null.
const GalaxyField* FindGalaxyField(std::string_view key);
// Reading and writing a numeric field as a double (names read as 0).
double GetGalaxyField(const GalaxyType& type, const GalaxyField& field);
// Stores `value` converted to the field's type (integers rounded half to
// even); false, changing nothing, when the conversion fails.
bool SetGalaxyField(GalaxyType& type, const GalaxyField& field, double value);

// Bounds of the four style parameters by style (after the style itself is
// clamped to 0..9).
struct StyleBounds {
    int16_t radSegsMin, radSegsMax;
    float radFillMin, radFillMax;
    int16_t radBandsMin, radBandsMax;
    float radBFillMin, radBFillMax;
};
StyleBounds StyleParameterBounds(int16_t style);

// The 36-character text of a point or an atom: "*" and seven fields, each
// right-aligned in five characters.
std::string PointText(const IfsPoint& point);
std::string AtomText(const AtomEntry& atom);
IfsPoint ParsePointText(std::string_view text);
AtomEntry ParseAtomText(std::string_view text);

// Clamps every field to its range, the style parameters by the clamped style,
// and the first `count` points and atoms.
void ValidateGalaxyType(GalaxyType& type);
// Section "Universe\Galaxy" + slot.
std::string GalaxySection(int slot);
// Reads one type (its points and atoms included) and validates it.
GalaxyType LoadGalaxyType(const SettingsStore& store, int slot, int16_t root = kUserRoot);
// Writes one type to the user's root as it is; the "IFS" and "ATOMIC" subkeys
// are deleted and written again, so entries beyond the counts disappear.
void SaveGalaxyType(SettingsStore& store, int slot, const GalaxyType& type);
using GalaxyTypeTable = std::array<GalaxyType, kGalaxyTypeCount>;
void LoadGalaxyTypes(const SettingsStore& store, GalaxyTypeTable& types, int16_t root = kUserRoot);
// Validates each type in the table, then writes it.
void SaveGalaxyTypes(SettingsStore& store, GalaxyTypeTable& types);

struct CompositeGalaxy {
    std::string name;                                         // "_CompGalName"
    int16_t weight = 0;                                       // "_CompGalPct", 0..9999
    int16_t count = 0;                                        // "CompGal_Count", 0..49
    std::array<int16_t, kCompositeMemberCapacity> members{};  // "CompGal_Type" + i, 0..49
    bool operator==(const CompositeGalaxy&) const = default;
};
std::string DefaultCompositeName(int slot);  // "< Composite Galaxy " + (slot + 1) + " >"
CompositeGalaxy DefaultCompositeGalaxy(int slot);
void ValidateCompositeGalaxy(CompositeGalaxy& composite);
std::string CompositeSection(int slot);  // "Universe\CompGal" + slot
using CompositeTable = std::array<CompositeGalaxy, kCompositeGalaxyCount>;
void LoadCompositeGalaxies(const SettingsStore& store, CompositeTable& composites,
                           int16_t root = kUserRoot);
void SaveCompositeGalaxies(SettingsStore& store, const CompositeTable& composites);

// The values of section "Universe", as stored. Flags are read as true when
// not 0. Ranges apply where the values are edited and when a run normalises
// them, not on load.
struct UniverseSettings {
    int32_t stars = 5000;     // "Universe_Stars"
    int16_t galaxy = 100;     // "Universe_Galaxy"
    int16_t sTrail = 1;       // "Universe_STrail"
    float expand = 2500;      // "Universe_Expand"
    int16_t eSteps = 300;     // "Universe_ESteps"
    float persist = 0.99f;    // "Universe_Persist"
    float damping = 0.01f;    // "Universe_Damping"
    int16_t recycle = 20;     // "Universe_Recycle"
    int16_t profile = 51;     // "Universe_Profile"
    int16_t newFreq = 1250;   // "Universe_NewFreq"
    int16_t newPctStEx = 85;  // "Universe_NewPctStEx"
    int16_t tour = 1;         // "Universe_Tour" (flag)
    int16_t gSteps = 160;     // "Universe_GSteps"
    int16_t gPCtrl = 2;       // "Universe_GPCtrl"
    int16_t gCCtrl = 3;       // "Universe_GCCtrl"
    int32_t dstCen = 4000;    // "Universe_DstCen"
    int16_t cRamp = 750;      // "Universe_C_Ramp" (stored, no effect)
    int16_t gVisit = 0;       // "Universe_GVisit" (flag)
    int16_t rotCam = 0;       // "Universe_RotCam" (flag, stored, no effect)
    int16_t amStar = 300;     // "Universe_AmStar"
    int16_t amFrames = 30;    // "Universe_AmFrames"
    float amMaxExt = 1000;    // "Universe_AmMaxExt"
    float amPers = 0.998f;    // "Universe_AmPers"
    float amCAge = 0.1f;      // "Universe_AmCAge"
    float gravForce = 0;      // "Universe_GravForce"
    int16_t gravFrame = 1;    // "Universe_GravFrame"
    std::string gsIdx;        // "Universe_GS_Idx"
    int16_t hwStart = 165;    // "Universe_HW_Start"
    int16_t hwEnd = 210;      // "Universe_HW_End"
    bool operator==(const UniverseSettings&) const = default;
};
// Description of one universe value: its key and the member that holds it
// (the default is the member's value in a default UniverseSettings).
struct UniverseField {
    std::string_view key;
    std::variant<int16_t UniverseSettings::*, int32_t UniverseSettings::*,
                 float UniverseSettings::*, std::string UniverseSettings::*>
        member;
};
// Every universe value, in the order a run reads them; the two colour-table
// hues ("Universe_HW_Start", "Universe_HW_End") come last.
std::span<const UniverseField> UniverseFields();
// Reads each value with its default; nothing is bounded on load.
UniverseSettings LoadUniverseSettings(const SettingsStore& store, int16_t root = kUserRoot);
// Writes each value with its type (the flags as 16-bit integers).
void SaveUniverseSettings(SettingsStore& store, const UniverseSettings& universe);

// The values of section "Advanced" as stored (switches and the randomization
// values are text).
struct AdvancedSettings {
    int32_t timeDelay = 40;          // "Adv_TimeDelay"
    float focalLength = 1.0f;        // "FocalLength"
    int16_t fontSize = 20;           // "Adv_FontSize"
    int16_t fontHueV = 180;          // "Adv_FontHueV"
    std::string fontName = "Arial";  // "Adv_FontName"
    std::string lockMessage;         // "LockMessage"
    std::string randomize = "0";     // "Adv_Randomize"
    std::string randomMag = "5";     // "Adv_RandomMag"
    std::string randomExp = "2";     // "Adv_RandomExp"
    std::string winResize = "0";     // "Adv_WinResize"
    std::string mouseMove = "0";     // "Adv_MouseMove"
    std::string dispBackG = "0";     // "Adv_DispBackG"
    int16_t pixelScale = 0;          // "Adv_PixelScale"
    bool operator==(const AdvancedSettings&) const = default;
};
inline constexpr std::string_view kAdvancedSection = "Advanced";
// Reads each value with its factory default; nothing is bounded here.
AdvancedSettings LoadAdvancedSettings(const SettingsStore& store, int16_t root = kUserRoot);
// Writes every value of the record, the numbers with their types.
void SaveAdvancedSettings(SettingsStore& store, const AdvancedSettings& advanced);
// The factory values as key and text, as a reset puts them in place.
std::vector<std::pair<std::string, std::string>> FactoryAdvancedTexts();

// The advanced values as a run uses them, each bounded.
struct AdvancedRunValues {
    int32_t frameDelay = 40;         // not bounded
    float focalLength = 1.0f;        // 0.01..10
    int16_t fontSize = 20;           // 10..80
    int16_t fontHue = 180;           // 0..359
    std::string fontName = "Arial";  // empty becomes "MS Sans Serif"
    std::string lockMessage;         // trimmed, then its first 100 characters
    bool randomize = false;          // each switch on only when its text is "1"
    double randomMag = 5;            // Val of the text
    double randomExp = 2;
    bool winResize = false;
    bool mouseMove = false;
    bool dispBackG = false;
    int16_t pixelScale = 0;  // 1..4; 0 (and anything out of range) automatic
};
// The run's view of a record: each value bounded, the switches compared
// with "1". The randomization values are read as the numbers their texts
// begin with; the per-type preparation bounds them where it uses them.
AdvancedRunValues BoundAdvancedValues(const AdvancedSettings& advanced);
AdvancedRunValues ReadAdvancedRunValues(const SettingsStore& store);

// The largest pixel size: how many screen pixels across one star covers.
inline constexpr int16_t kMaxPixelScale = 4;
// A stored pixel size within 1..4, or 0 (automatic) for anything else.
int16_t BoundPixelScale(int32_t stored);
// The pixel size a window uses: the setting, or when automatic the
// screen's device pixel ratio rounded, within 1..4.
int32_t EffectivePixelScale(int16_t setting, double devicePixelRatio);

// Everything the properties dialog edits, as one set.
struct SettingsSet {
    UniverseSettings universe;
    GalaxyTypeTable types;
    CompositeTable composites;
};
// A set with every record at its defaults.
SettingsSet DefaultSettingsSet();
// The universe values, the 50 types and the 16 composites of a root, each
// type and composite validated.
SettingsSet LoadAllSettings(const SettingsStore& store, int16_t root = kUserRoot);

// The accept action's save: the write test (which commits its own value),
// then "AnimationType" = 0, the universe values, the 50 types (each validated
// in place) and the 16 composites, committed with one flush at the end. False,
// having written nothing else, when the store cannot be written.
//
// `advanced` (key and text) are advanced values a dialog holds until it is
// accepted (those of a template it opened); they go into the same commit, so
// that another process never reads them with the settings they replace.
bool SaveAllSettings(SettingsStore& store, SettingsSet& set,
                     const std::vector<std::pair<std::string, std::string>>* advanced = nullptr);

// Copies settings that an earlier version kept for the whole machine into the
// current user's root, once: only when the machine-wide root holds
// "AnimationType" in "General" and the user's root does not. The machine-wide
// root is only read. The copy is committed with one flush at its end.
void MigrateMachineSettings(SettingsStore& store);

}  // namespace orrelume
