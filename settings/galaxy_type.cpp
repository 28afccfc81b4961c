// Galaxy types: validation, the point and atom texts, and how a type is read
// from and written to the settings store.
#include <algorithm>
#include <type_traits>

#include "settings/numeric.h"
#include "settings/records.h"

namespace orrelume {

namespace {

constexpr std::string_view kIfsCountKey = "Galaxy_IFS_Points";
constexpr std::string_view kAtomCountKey = "Galaxy_Atoms";
constexpr std::string_view kIfsSubkey = "IFS";
constexpr std::string_view kAtomSubkey = "ATOMIC";

// The counts are written after the other scalars, each with its subkey.
bool IsCountField(const GalaxyField& field) {
    return field.key == kIfsCountKey || field.key == kAtomCountKey;
}

// One five-character field of a point or atom text at 1-based `position`:
// "0" put in front, blanks ignored, read as a decimal number and rounded half
// to even. Missing characters read as blanks, so a short text gives zeros; a
// number that does not fit is skipped and leaves 0.
int16_t TextField(std::string_view text, size_t position) {
    std::string digits = "0";
    const size_t start = position - 1;
    if (start < text.size()) {
        for (char c : text.substr(start, 5)) {
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n') digits.push_back(c);
        }
    }
    return CInt(Val(digits)).value_or(0);
}

std::string SevenFieldText(const std::array<int16_t, 7>& fields) {
    std::string text = "*";
    for (int16_t value : fields)
        text += FormatRightAligned(Int16ToText(value), 5);
    return text;
}

std::array<int16_t, 7> ParseSevenFields(std::string_view text) {
    std::array<int16_t, 7> fields{};
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i] = TextField(text, 2 + 5 * i);
    return fields;
}

std::string PointKey(int index) {
    return "IFS_P" + std::to_string(index);
}
std::string AtomKey(int index) {
    return "Atom_P" + FormatZeroPadded(index, 2);
}

void ReadScalarField(const SettingsStore& store, std::string_view section, int16_t root,
                     const GalaxyField& field, GalaxyType& type) {
    std::visit(
        [&](auto member) {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, int16_t GalaxyType::*>) {
                type.*member = store.ReadSettingInt16(
                    section, field.key, static_cast<int16_t>(field.defaultValue), root);
            } else if constexpr (std::is_same_v<M, int32_t GalaxyType::*>) {
                type.*member = store.ReadSettingInt32(
                    section, field.key, static_cast<int32_t>(field.defaultValue), root);
            } else if constexpr (std::is_same_v<M, float GalaxyType::*>) {
                type.*member = store.ReadSettingSingle(
                    section, field.key, static_cast<float>(field.defaultValue), root);
            } else {
                // The name's default is the slot's own name, already in place.
                type.*member = store.ReadSettingText(section, field.key, type.*member, root);
            }
        },
        field.member);
}

void WriteScalarField(SettingsStore& store, std::string_view section, const GalaxyField& field,
                      const GalaxyType& type) {
    std::visit([&](auto member) { store.WriteSetting(section, field.key, type.*member); },
               field.member);
}

void ClampScalarField(const GalaxyField& field, GalaxyType& type) {
    std::visit(
        [&](auto member) {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, int16_t GalaxyType::*>) {
                type.*member = ClampInt16(type.*member, static_cast<int16_t>(field.min),
                                          static_cast<int16_t>(field.max));
            } else if constexpr (std::is_same_v<M, int32_t GalaxyType::*>) {
                type.*member = ClampInt32(type.*member, static_cast<int32_t>(field.min),
                                          static_cast<int32_t>(field.max));
            } else if constexpr (std::is_same_v<M, float GalaxyType::*>) {
                type.*member = ClampSingle(type.*member, static_cast<float>(field.min),
                                           static_cast<float>(field.max));
            }
        },
        field.member);
}

// The two float style parameters hold whole numbers.
float WholeNumber(float value) {
    return static_cast<float>(RoundHalfEven(value));
}

void ClampPoint(IfsPoint& point) {
    point.locX = ClampInt16(point.locX, 0, 9999);
    point.locY = ClampInt16(point.locY, 0, 9999);
    point.locZ = ClampInt16(point.locZ, 0, 9999);
    point.scale = ClampInt16(point.scale, 0, 100);
    point.axis = ClampInt16(point.axis, 0, 2);
    point.angle = ClampInt16(point.angle, 0, 360);
    point.percent = ClampInt16(point.percent, 0, 9999);
}

void ClampAtom(AtomEntry& atom) {
    atom.element = ClampInt16(atom.element, 1, 17);
    // The lattice structures take their size from the edge count, so it may
    // not be 0 for them; the bound follows the structure type as it will be
    // after its own clamp.
    const int16_t structure = ClampInt16(atom.structureType, 0, 11);
    if (structure >= 6) {
        atom.edgeCount = ClampInt16(atom.edgeCount, 1, 99);
    } else {
        atom.edgeCount = ClampInt16(atom.edgeCount, 0, 9999);
    }
    atom.third = ClampInt16(atom.third, 0, 9999);
    atom.fourth = ClampInt16(atom.fourth, 0, 9999);
    atom.structureType = structure;
    atom.sixth = ClampInt16(atom.sixth, 0, 9999);
    atom.seventh = ClampInt16(atom.seventh, 0, 9999);
    atom.pointCount = ClampInt16(atom.pointCount, 1, 100);
}

// A count as a safe loop bound over an array of `capacity` entries.
int BoundedCount(int16_t count, int capacity) {
    return std::clamp<int>(count, 0, capacity);
}

}  // namespace

std::string PointText(const IfsPoint& point) {
    return SevenFieldText(
        {point.locX, point.locY, point.locZ, point.scale, point.axis, point.angle, point.percent});
}

std::string AtomText(const AtomEntry& atom) {
    return SevenFieldText({atom.element, atom.edgeCount, atom.third, atom.fourth,
                           atom.structureType, atom.sixth, atom.seventh});
}

IfsPoint ParsePointText(std::string_view text) {
    const auto f = ParseSevenFields(text);
    return IfsPoint{f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
}

AtomEntry ParseAtomText(std::string_view text) {
    const auto f = ParseSevenFields(text);
    AtomEntry atom{f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
    // Not stored: derived here so that a loaded atom equals the one saved.
    atom.pointCount = StructurePointCount(atom.structureType);
    return atom;
}

void ValidateGalaxyType(GalaxyType& type) {
    const int16_t style = ClampInt16(type.galStyle, 0, 9);
    const StyleBounds bounds = StyleParameterBounds(style);
    for (const GalaxyField& field : GalaxyFields()) {
        if (!field.clampedOnLoad || field.kind == FieldKind::Text) continue;
        if (!field.styleBounded) {
            ClampScalarField(field, type);
        } else if (field.key == "Galaxy_RadSegs") {
            type.radSegs = ClampInt16(type.radSegs, bounds.radSegsMin, bounds.radSegsMax);
        } else if (field.key == "Galaxy_RadFill") {
            type.radFill =
                ClampSingle(WholeNumber(type.radFill), bounds.radFillMin, bounds.radFillMax);
        } else if (field.key == "Galaxy_RadBands") {
            type.radBands = ClampInt16(type.radBands, bounds.radBandsMin, bounds.radBandsMax);
        } else if (field.key == "Galaxy_RadBFill") {
            type.radBFill =
                ClampSingle(WholeNumber(type.radBFill), bounds.radBFillMin, bounds.radBFillMax);
        }
    }

    type.ifsCenterX = ClampInt16(type.ifsCenterX, 0, 9999);
    type.ifsCenterY = ClampInt16(type.ifsCenterY, 0, 9999);
    type.ifsCenterZ = ClampInt16(type.ifsCenterZ, 0, 9999);
    for (int i = 0; i < BoundedCount(type.ifsCount, kMaxIfsPoints); ++i)
        ClampPoint(type.ifsPoints[i]);

    type.atomCenterX = ClampInt16(type.atomCenterX, 0, 9999);
    type.atomCenterY = ClampInt16(type.atomCenterY, 0, 9999);
    type.atomCenterZ = ClampInt16(type.atomCenterZ, 0, 9999);
    for (int i = 0; i < BoundedCount(type.atomCount, kMaxAtoms); ++i)
        ClampAtom(type.atoms[i]);
}

GalaxyType LoadGalaxyType(const SettingsStore& store, int slot, int16_t root) {
    GalaxyType type = DefaultGalaxyType(slot);
    const std::string section = GalaxySection(slot);
    for (const GalaxyField& field : GalaxyFields()) {
        if (!IsCountField(field)) ReadScalarField(store, section, root, field, type);
    }

    // A count beyond the arrays is taken as their size before any entry is
    // read, so a load never reaches past them.
    type.ifsCount =
        ClampInt16(store.ReadSettingInt16(section, kIfsCountKey, 0, root), 0, kMaxIfsPoints);
    if (type.ifsCount != 0) {
        const std::string ifs = section + "\\" + std::string(kIfsSubkey);
        type.ifsCenterX = store.ReadSettingInt16(ifs, "IFS_CenterX", 0, root);
        type.ifsCenterY = store.ReadSettingInt16(ifs, "IFS_CenterY", 0, root);
        type.ifsCenterZ = store.ReadSettingInt16(ifs, "IFS_CenterZ", 0, root);
        for (int i = 0; i < type.ifsCount; ++i)
            type.ifsPoints[i] = ParsePointText(store.ReadSettingText(ifs, PointKey(i), "", root));
    }

    type.atomCount =
        ClampInt16(store.ReadSettingInt16(section, kAtomCountKey, 0, root), 0, kMaxAtoms);
    if (type.atomCount != 0) {
        const std::string atomic = section + "\\" + std::string(kAtomSubkey);
        type.atomCenterX = store.ReadSettingInt16(atomic, "Atom_CenterX", 0, root);
        type.atomCenterY = store.ReadSettingInt16(atomic, "Atom_CenterY", 0, root);
        type.atomCenterZ = store.ReadSettingInt16(atomic, "Atom_CenterZ", 0, root);
        for (int i = 0; i < type.atomCount; ++i)
            type.atoms[i] = ParseAtomText(store.ReadSettingText(atomic, AtomKey(i), "", root));
    }

    ValidateGalaxyType(type);
    return type;
}

void SaveGalaxyType(SettingsStore& store, int slot, const GalaxyType& type) {
    const std::string section = GalaxySection(slot);
    for (const GalaxyField& field : GalaxyFields()) {
        if (!IsCountField(field)) WriteScalarField(store, section, field, type);
    }

    // Each subkey is removed before it is written again, which drops the
    // entries beyond a count that went down.
    store.WriteSetting(section, kIfsCountKey, type.ifsCount);
    store.DeleteSettingSubkey(section, kIfsSubkey);
    if (type.ifsCount > 0) {
        const std::string ifs = section + "\\" + std::string(kIfsSubkey);
        store.WriteSetting(ifs, "IFS_CenterX", type.ifsCenterX);
        store.WriteSetting(ifs, "IFS_CenterY", type.ifsCenterY);
        store.WriteSetting(ifs, "IFS_CenterZ", type.ifsCenterZ);
        for (int i = 0; i < BoundedCount(type.ifsCount, kMaxIfsPoints); ++i)
            store.WriteSetting(ifs, PointKey(i), PointText(type.ifsPoints[i]));
    }

    store.WriteSetting(section, kAtomCountKey, type.atomCount);
    store.DeleteSettingSubkey(section, kAtomSubkey);
    if (type.atomCount > 0) {
        const std::string atomic = section + "\\" + std::string(kAtomSubkey);
        store.WriteSetting(atomic, "Atom_CenterX", type.atomCenterX);
        store.WriteSetting(atomic, "Atom_CenterY", type.atomCenterY);
        store.WriteSetting(atomic, "Atom_CenterZ", type.atomCenterZ);
        for (int i = 0; i < BoundedCount(type.atomCount, kMaxAtoms); ++i)
            store.WriteSetting(atomic, AtomKey(i), AtomText(type.atoms[i]));
    }
}

void LoadGalaxyTypes(const SettingsStore& store, GalaxyTypeTable& types, int16_t root) {
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot)
        types[slot] = LoadGalaxyType(store, slot, root);
}

void SaveGalaxyTypes(SettingsStore& store, GalaxyTypeTable& types) {
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        ValidateGalaxyType(types[slot]);
        SaveGalaxyType(store, slot, types[slot]);
    }
}

}  // namespace orrelume
