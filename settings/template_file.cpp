// Template files: writing a whole configuration, reading it back into the
// records, and the command-line import.
#include "settings/template_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <system_error>
#include <type_traits>
#include <vector>

#include "settings/numeric.h"

namespace orrelume {

namespace {

constexpr std::string_view kUniverseSection = "Universe";

struct AdvancedValue {
    std::string_view key;
    std::string_view factory;
};
// The advanced values a template carries, in the order written, with their
// factory texts. "Adv_DispBackG" stays with the machine it was set on.
constexpr std::array<AdvancedValue, 11> kAdvancedValues = {{
    {"Adv_TimeDelay", "40"},
    {"FocalLength", "1.0"},
    {"LockMessage", ""},
    {"Adv_FontName", "Arial"},
    {"Adv_FontSize", "20"},
    {"Adv_FontHueV", "180"},
    {"Adv_WinResize", "0"},
    {"Adv_MouseMove", "0"},
    {"Adv_Randomize", "0"},
    {"Adv_RandomMag", "5"},
    {"Adv_RandomExp", "2"},
}};

// The universe values in the order a template holds them.
constexpr std::array<std::string_view, 29> kUniverseOrder = {
    "Universe_Stars",    "Universe_Galaxy",   "Universe_STrail",    "Universe_Expand",
    "Universe_ESteps",   "Universe_Persist",  "Universe_Damping",   "Universe_HW_Start",
    "Universe_HW_End",   "Universe_Recycle",  "Universe_NewFreq",   "Universe_NewPctStEx",
    "Universe_GSteps",   "Universe_GPCtrl",   "Universe_GCCtrl",    "Universe_DstCen",
    "Universe_C_Ramp",   "Universe_GS_Idx",   "Universe_Tour",      "Universe_GVisit",
    "Universe_RotCam",   "Universe_AmStar",   "Universe_AmPers",    "Universe_AmCAge",
    "Universe_AmFrames", "Universe_AmMaxExt", "Universe_GravForce", "Universe_GravFrame",
    "Universe_Profile",
};
// Values the dialog shows as check boxes: written as the box's state.
bool IsCheckBox(std::string_view key) {
    return key == "Universe_Tour" || key == "Universe_GVisit" || key == "Universe_RotCam";
}

const UniverseField* FindUniverseField(std::string_view key) {
    for (const UniverseField& field : UniverseFields()) {
        if (field.key == key) return &field;
    }
    return nullptr;
}

std::string UniverseValueText(const UniverseSettings& universe, const UniverseField& field) {
    return std::visit(
        [&](auto member) -> std::string {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, int16_t UniverseSettings::*>) {
                if (IsCheckBox(field.key)) return universe.*member != 0 ? "1" : "0";
                return Int16ToText(universe.*member);
            } else if constexpr (std::is_same_v<M, int32_t UniverseSettings::*>) {
                return Int32ToText(universe.*member);
            } else if constexpr (std::is_same_v<M, float UniverseSettings::*>) {
                return SingleToText(universe.*member);
            } else {
                return universe.*member;
            }
        },
        field.member);
}

std::string GalaxyValueText(const GalaxyType& type, const GalaxyField& field) {
    return std::visit(
        [&](auto member) -> std::string {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, int16_t GalaxyType::*>) {
                return Int16ToText(type.*member);
            } else if constexpr (std::is_same_v<M, int32_t GalaxyType::*>) {
                return Int32ToText(type.*member);
            } else if constexpr (std::is_same_v<M, float GalaxyType::*>) {
                return SingleToText(type.*member);
            } else {
                return type.*member;
            }
        },
        field.member);
}

std::string DefaultText(const GalaxyField& field) {
    switch (field.kind) {
        case FieldKind::Single:
            return SingleToText(static_cast<float>(field.defaultValue));
        case FieldKind::Text:
            return {};
        default:
            return Int32ToText(static_cast<int32_t>(field.defaultValue));
    }
}

std::string TypeSection(int slot) {
    return "UniGal" + std::to_string(slot);
}
std::string CompSection(int slot) {
    return "CompGal" + std::to_string(slot);
}
std::string PointKey(int index) {
    return "IFS_P" + std::to_string(index);
}
std::string AtomKey(int index) {
    return "Atom_P" + FormatZeroPadded(index, 2);
}
std::string MemberKey(int index) {
    return "GalaxyIndex_" + std::to_string(index);
}

bool IsCountKey(std::string_view key) {
    return key == "Galaxy_IFS_Points" || key == "Galaxy_Atoms";
}

// The scalar keys of a type in the order a template holds them: the name and
// weight first, then the stored order with the pulsar shape moved after the
// pulsar's end radius; the counts come with their points and atoms.
std::vector<const GalaxyField*> TemplateTypeFields() {
    std::vector<const GalaxyField*> fields = {FindGalaxyField("_UniGalName"),
                                              FindGalaxyField("_UniGalPct")};
    for (const GalaxyField& field : GalaxyFields()) {
        if (field.key == "_UniGalName" || field.key == "_UniGalPct" ||
            field.key == "Galaxy_PulsarShape" || IsCountKey(field.key)) {
            continue;
        }
        fields.push_back(&field);
        if (field.key == "Galaxy_PulsarMaxExt")
            fields.push_back(FindGalaxyField("Galaxy_PulsarShape"));
    }
    return fields;
}

// A number of a type read from a template: the text converted straight to
// the type (halves to even). A text that is not a number, or one that does
// not fit, leaves the value as it was.
template <typename T>
void ConvertInto(std::string_view text, T& value) {
    const std::optional<double> number = ParseNumeric(text);
    if (!number) return;
    if constexpr (std::is_same_v<T, int16_t>) {
        if (const auto v = CInt(*number)) value = *v;
    } else if constexpr (std::is_same_v<T, int32_t>) {
        if (const auto v = CLng(*number)) value = *v;
    } else {
        if (const auto v = ToSingle(*number)) value = *v;
    }
}

// Weights, counts and members are read with "0" put in front, so an empty
// value reads 0.
void ConvertZeroPrefixed(std::string_view text, int16_t& value) {
    ConvertInto("0" + std::string(text), value);
}

void ReadGalaxyField(GalaxyTemplate& templates, const std::string& section,
                     const GalaxyField& field, GalaxyType& type) {
    std::visit(
        [&](auto member) {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, std::string GalaxyType::*>) {
                return;  // the name has its own default
            } else {
                const std::string text =
                    templates.ReadTemplateValue(section, field.key, DefaultText(field));
                if (field.key == "_UniGalPct") {
                    if constexpr (std::is_same_v<M, int16_t GalaxyType::*>)
                        ConvertZeroPrefixed(text, type.*member);
                } else {
                    ConvertInto(text, type.*member);
                }
            }
        },
        field.member);
}

// Every key name a template reader asks for, so that the lookup can search
// for all of them in one pass over a block that lacks some of them.
std::span<const std::string_view> TemplateKeyNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const GalaxyField& field : GalaxyFields())
            n.emplace_back(field.key);
        for (const UniverseField& field : UniverseFields())
            n.emplace_back(field.key);
        for (const AdvancedValue& value : kAdvancedValues)
            n.emplace_back(value.key);
        for (const char* key :
             {"AnimationType", "IFS_CenterX", "IFS_CenterY", "IFS_CenterZ", "Atom_CenterX",
              "Atom_CenterY", "Atom_CenterZ", "_CompGalName", "_CompGalPct", "_CompGalCount"})
            n.emplace_back(key);
        for (int i = 0; i < kMaxIfsPoints; ++i)
            n.push_back(PointKey(i));
        for (int i = 0; i < kMaxAtoms; ++i)
            n.push_back(AtomKey(i));
        for (int i = 0; i < kMaxCompositeMembers; ++i)
            n.push_back(MemberKey(i));
        return n;
    }();
    static const std::vector<std::string_view> views(names.begin(), names.end());
    return views;
}

}  // namespace

void TemplateWriter::WriteTemplateValue(std::string_view section, std::string_view key,
                                        std::string_view value) {
    if (!anySection_ || section != section_) {
        text_ += "\r\n[";
        text_ += section;
        text_ += "]\r\n";
        section_ = std::string(section);
        anySection_ = true;
    }
    text_ += key;
    text_ += '=';
    for (char c : value)
        text_ += (c == '\r' || c == '\n') ? ' ' : c;
    text_ += "\r\n";
}

TemplateText* GalaxyTemplate::Cached(std::string_view path) {
    const std::string_view file = path.empty() ? std::string_view(currentPath_) : path;
    if (cacheFilled_ && cachedPath_ == file) return cache_ ? &*cache_ : nullptr;
    cache_.reset();
    cachedPath_ = std::string(file);
    cacheFilled_ = true;
    if (std::optional<std::string> text = ReadTemplateFile(cachedPath_))
        cache_.emplace(*std::move(text), TemplateKeyNames());
    return cache_ ? &*cache_ : nullptr;
}

std::string GalaxyTemplate::ReadTemplateValue(std::string_view section, std::string_view key,
                                              std::string_view defaultValue,
                                              std::string_view path) {
    TemplateText* text = Cached(path);
    if (text == nullptr) return std::string(defaultValue);
    const std::optional<std::string_view> value = text->Find(section, key);
    return std::string(value ? *value : defaultValue);
}

bool GalaxyTemplate::Readable(std::string_view path) {
    return Cached(path) != nullptr;
}

void GalaxyTemplate::ClearCache() {
    cache_.reset();
    cachedPath_.clear();
    cacheFilled_ = false;
}

void GalaxyTemplate::CacheText(std::string path, std::string text) {
    cache_.reset();
    cache_.emplace(std::move(text), TemplateKeyNames());
    cachedPath_ = std::move(path);
    cacheFilled_ = true;
}

std::optional<std::string> ReadTemplateFile(const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::error_code error;
    // Only a regular file: a folder, a device or a pipe is no template.
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    const auto size = std::filesystem::file_size(path, error);
    if (!error) text.reserve(std::min<uintmax_t>(size, kMaxTemplateBytes));
    std::array<char, 1 << 16> buffer;
    while (text.size() < kMaxTemplateBytes && in) {
        const size_t want = std::min(buffer.size(), kMaxTemplateBytes - text.size());
        in.read(buffer.data(), static_cast<std::streamsize>(want));
        text.append(buffer.data(), static_cast<size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    return text;
}

bool WriteTemplateFile(const std::string& path, std::string_view text, std::string* why) {
    const auto failed = [why](std::string reason) {
        if (why != nullptr) *why = std::move(reason);
        return false;
    };
    if (path.empty()) return failed("No file name was given.");
    // Written beside the target and renamed over it: a failed or interrupted
    // save leaves the old file whole.
    const std::string temporary = path + ".orrelume-save";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr) return failed(std::generic_category().message(errno));
    int error = 0;
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size()) error = errno ? errno : EIO;
    if (std::fclose(out) != 0 && error == 0) error = errno ? errno : EIO;
    if (error != 0) {
        std::remove(temporary.c_str());
        return failed(std::generic_category().message(error));
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, path, renameError);
    if (renameError) {
        std::remove(temporary.c_str());
        return failed(renameError.message());
    }
    return true;
}

void HoldAdvancedTexts(AdvancedTexts& held, const AdvancedTexts& newer) {
    for (const auto& value : newer) {
        const auto same = std::find_if(held.begin(), held.end(), [&](const auto& entry) {
            return entry.first == value.first;
        });
        if (same != held.end()) {
            same->second = value.second;
        } else {
            held.push_back(value);
        }
    }
}

namespace {

const std::string* HeldText(const AdvancedTexts* held, std::string_view key) {
    if (held == nullptr) return nullptr;
    for (const auto& [k, text] : *held) {
        if (k == key) return &text;
    }
    return nullptr;
}

std::string CanonicalPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

}  // namespace

std::optional<std::string> HeldAdvancedRoot::Read(std::string_view section, std::string_view name) {
    if (section == kAdvancedSection) {
        if (const std::string* text = HeldText(&held_, name)) return *text;
    }
    return stored_ != nullptr ? stored_->Read(section, name) : std::nullopt;
}

bool HeldAdvancedRoot::Write(std::string_view section, std::string_view name,
                             std::string_view value) {
    if (section != kAdvancedSection) return false;
    HoldAdvancedTexts(held_, {{std::string(name), std::string(value)}});
    return true;
}

bool HeldAdvancedRoot::DeleteSubkey(std::string_view, std::string_view) {
    return false;
}

std::string HeldAdvancedRoot::Location() const {
    return stored_ != nullptr ? stored_->Location() : std::string();
}

void GalaxyTemplate::MarkOwnFile(const std::string& path) {
    ownFiles_.insert(CanonicalPath(path));
}

bool GalaxyTemplate::ReplacesForeignFile(const std::string& path) const {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return false;
    return !ownFiles_.contains(CanonicalPath(path));
}

std::string TemplateTextOf(const SettingsStore& store, SettingsSet& set, TemplateProgress* progress,
                           const AdvancedTexts* advanced) {
    TemplateWriter out;
    out.WriteTemplateValue("Admin", "Product", "Orrelume");
    out.WriteTemplateValue("Admin", "Version", "4.1");
    out.WriteTemplateValue("Admin", "Maker", "Lumenfold");
    out.WriteTemplateValue("General", "AnimationType", "0");
    for (const AdvancedValue& value : kAdvancedValues) {
        const std::string* held = HeldText(advanced, value.key);
        out.WriteTemplateValue(
            kAdvancedSection, value.key,
            held != nullptr ? *held
                            : store.ReadSettingText(kAdvancedSection, value.key, value.factory));
    }
    for (std::string_view key : kUniverseOrder) {
        if (const UniverseField* field = FindUniverseField(key))
            out.WriteTemplateValue(kUniverseSection, key, UniverseValueText(set.universe, *field));
    }

    const std::vector<const GalaxyField*> typeFields = TemplateTypeFields();
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        GalaxyType& type = set.types[slot];
        ValidateGalaxyType(type);
        const std::string section = TypeSection(slot);
        for (const GalaxyField* field : typeFields)
            out.WriteTemplateValue(section, field->key, GalaxyValueText(type, *field));

        out.WriteTemplateValue(section, "Galaxy_IFS_Points", Int16ToText(type.ifsCount));
        if (type.ifsCount > 0) {
            const std::string ifs = section + "\\IFS";
            out.WriteTemplateValue(ifs, "IFS_CenterX", Int16ToText(type.ifsCenterX));
            out.WriteTemplateValue(ifs, "IFS_CenterY", Int16ToText(type.ifsCenterY));
            out.WriteTemplateValue(ifs, "IFS_CenterZ", Int16ToText(type.ifsCenterZ));
            for (int i = 0; i < type.ifsCount; ++i)
                out.WriteTemplateValue(ifs, PointKey(i), PointText(type.ifsPoints[i]));
        }
        out.WriteTemplateValue(section, "Galaxy_Atoms", Int16ToText(type.atomCount));
        if (type.atomCount > 0) {
            const std::string atomic = section + "\\ATOMIC";
            out.WriteTemplateValue(atomic, "Atom_CenterX", Int16ToText(type.atomCenterX));
            out.WriteTemplateValue(atomic, "Atom_CenterY", Int16ToText(type.atomCenterY));
            out.WriteTemplateValue(atomic, "Atom_CenterZ", Int16ToText(type.atomCenterZ));
            for (int i = 0; i < type.atomCount; ++i)
                out.WriteTemplateValue(atomic, AtomKey(i), AtomText(type.atoms[i]));
        }
        if (progress != nullptr) progress->ReportProgress(slot + 1, kTemplateProgressSteps);
    }

    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot) {
        CompositeGalaxy& composite = set.composites[slot];
        ValidateCompositeGalaxy(composite);
        if (progress != nullptr)
            progress->ReportProgress(kGalaxyTypeCount + 1 + slot, kTemplateProgressSteps);
        const std::string section = CompSection(slot);
        out.WriteTemplateValue(section, "_CompGalName", composite.name);
        out.WriteTemplateValue(section, "_CompGalPct", Int16ToText(composite.weight));
        out.WriteTemplateValue(section, "_CompGalCount", Int16ToText(composite.count));
        for (int i = 0; i < composite.count; ++i)
            out.WriteTemplateValue(section, MemberKey(i), Int16ToText(composite.members[i]));
    }
    return out.Text();
}

bool SaveTemplate(GalaxyTemplate& templates, const SettingsStore& store, SettingsSet& set,
                  TemplateProgress* progress, const AdvancedTexts* advanced, std::string* why) {
    const std::string text = TemplateTextOf(store, set, progress, advanced);
    const std::string path = templates.CurrentTemplatePath();
    // A file just written must not be answered from an older cached text.
    templates.ClearCache();
    return WriteTemplateFile(path, text, why);
}

UniverseSettings ReadTemplateUniverse(GalaxyTemplate& templates) {
    const UniverseSettings defaults;
    UniverseSettings universe;
    for (const UniverseField& field : UniverseFields()) {
        const std::string text = templates.ReadTemplateValue(kUniverseSection, field.key,
                                                             UniverseValueText(defaults, field));
        std::visit(
            [&](auto member) {
                using M = decltype(member);
                if constexpr (std::is_same_v<M, std::string UniverseSettings::*>) {
                    universe.*member = text;
                } else {
                    ConvertInto(text, universe.*member);
                }
            },
            field.member);
    }
    return universe;
}

void ReadTemplateGalaxyType(GalaxyTemplate& templates, int slot, GalaxyType& type) {
    const std::string section = TypeSection(slot);
    type.name = templates.ReadTemplateValue(section, "_UniGalName", DefaultGalaxyName(slot));
    for (const GalaxyField& field : GalaxyFields()) {
        if (!IsCountKey(field.key)) ReadGalaxyField(templates, section, field, type);
    }

    // Counts beyond the arrays are bounded before any entry is read.
    int16_t count = 0;
    ConvertInto(templates.ReadTemplateValue(section, "Galaxy_IFS_Points", "0"), count);
    type.ifsCount = ClampInt16(count, 0, kMaxIfsPoints);
    const std::string ifs = section + "\\IFS";
    if (type.ifsCount != 0) {
        ConvertInto(templates.ReadTemplateValue(ifs, "IFS_CenterX", "0"), type.ifsCenterX);
        ConvertInto(templates.ReadTemplateValue(ifs, "IFS_CenterY", "0"), type.ifsCenterY);
        ConvertInto(templates.ReadTemplateValue(ifs, "IFS_CenterZ", "0"), type.ifsCenterZ);
        for (int i = 0; i < type.ifsCount; ++i)
            type.ifsPoints[i] = ParsePointText(templates.ReadTemplateValue(ifs, PointKey(i), ""));
    } else {
        type.ifsCenterX = type.ifsCenterY = type.ifsCenterZ = 0;
        type.ifsPoints.fill(IfsPoint{});
    }

    count = 0;
    ConvertInto(templates.ReadTemplateValue(section, "Galaxy_Atoms", "0"), count);
    type.atomCount = ClampInt16(count, 0, kMaxAtoms);
    const std::string atomic = section + "\\ATOMIC";
    if (type.atomCount != 0) {
        ConvertInto(templates.ReadTemplateValue(atomic, "Atom_CenterX", "0"), type.atomCenterX);
        ConvertInto(templates.ReadTemplateValue(atomic, "Atom_CenterY", "0"), type.atomCenterY);
        ConvertInto(templates.ReadTemplateValue(atomic, "Atom_CenterZ", "0"), type.atomCenterZ);
        for (int i = 0; i < type.atomCount; ++i)
            type.atoms[i] = ParseAtomText(templates.ReadTemplateValue(atomic, AtomKey(i), ""));
    } else {
        type.atomCenterX = type.atomCenterY = type.atomCenterZ = 0;
        type.atoms.fill(AtomEntry{});
    }
    ValidateGalaxyType(type);
}

void ReadTemplateComposite(GalaxyTemplate& templates, int slot, CompositeGalaxy& composite) {
    const std::string section = CompSection(slot);
    composite.name =
        templates.ReadTemplateValue(section, "_CompGalName", DefaultCompositeName(slot));
    ConvertZeroPrefixed(templates.ReadTemplateValue(section, "_CompGalPct", ""), composite.weight);
    int16_t count = 0;
    ConvertZeroPrefixed(templates.ReadTemplateValue(section, "_CompGalCount", ""), count);
    composite.count = ClampInt16(count, 0, kMaxCompositeMembers);
    for (int i = 0; i < composite.count; ++i)
        ConvertZeroPrefixed(templates.ReadTemplateValue(section, MemberKey(i), ""),
                            composite.members[i]);
    ValidateCompositeGalaxy(composite);
}

void WriteAdvancedTexts(SettingsStore& store, const AdvancedTexts& advanced) {
    for (const auto& [key, text] : advanced)
        store.WriteSetting(kAdvancedSection, key, text);
}

bool HoldsGalaxyTypes(GalaxyTemplate& templates) {
    // A line end cannot be a value: it tells a missing name from an empty one.
    constexpr std::string_view kMissing = "\r\n";
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        if (templates.ReadTemplateValue(TypeSection(slot), "_UniGalName", kMissing) != kMissing)
            return true;
    }
    return false;
}

bool IsTemplateFile(GalaxyTemplate& templates) {
    std::error_code error;
    const auto size = std::filesystem::file_size(templates.CurrentTemplatePath(), error);
    if (error || size > kMaxDialogTemplateBytes) return false;
    if (!templates.Readable()) return false;
    // The settings file has a universe section with the same keys, and any
    // text may; only the galaxy types make a template.
    return HoldsGalaxyTypes(templates);
}

bool LoadTemplateValues(GalaxyTemplate& templates, SettingsStore& store, SettingsSet& set,
                        AdvancedTexts* keepAdvanced) {
    if (!templates.Readable()) {
        templates.ClearCache();
        return false;
    }
    AdvancedTexts advanced;
    for (const AdvancedValue& value : kAdvancedValues) {
        advanced.emplace_back(
            std::string(value.key),
            templates.ReadTemplateValue(kAdvancedSection, value.key, value.factory));
    }
    if (keepAdvanced != nullptr) {
        HoldAdvancedTexts(*keepAdvanced, advanced);
    } else {
        WriteAdvancedTexts(store, advanced);
        store.Flush();
    }
    set.universe = ReadTemplateUniverse(templates);
    return true;
}

void LoadTemplateTypes(GalaxyTemplate& templates, SettingsSet& set, TemplateProgress* progress) {
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        ReadTemplateGalaxyType(templates, slot, set.types[slot]);
        if (progress != nullptr) progress->ReportProgress(slot + 1, kTemplateProgressSteps);
    }
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot) {
        if (progress != nullptr)
            progress->ReportProgress(kGalaxyTypeCount + 1 + slot, kTemplateProgressSteps);
        ReadTemplateComposite(templates, slot, set.composites[slot]);
    }
    templates.ClearCache();
}

bool ImportTemplate(const std::string& path, SettingsStore& store, GalaxyTemplate& templates) {
    templates.SetCurrentTemplatePath(path);
    // A file without galaxy types would replace the stored ones with fifty
    // empty slots.
    if (!templates.Readable() || !HoldsGalaxyTypes(templates)) {
        templates.ClearCache();
        return false;
    }
    // Fields a template cannot give keep what the store holds.
    SettingsSet set = LoadAllSettings(store);

    // Settings now exist: a saver start must not replace them with the
    // factory types.
    store.WriteSetting("General", "AnimationType", int16_t{0});
    for (const AdvancedValue& value : kAdvancedValues) {
        store.WriteSetting(kAdvancedSection, value.key,
                           templates.ReadTemplateValue(kAdvancedSection, value.key, value.factory));
    }
    const UniverseSettings defaults;
    for (const UniverseField& field : UniverseFields()) {
        store.WriteSetting(kUniverseSection, field.key,
                           templates.ReadTemplateValue(kUniverseSection, field.key,
                                                       UniverseValueText(defaults, field)));
    }
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot)
        ReadTemplateGalaxyType(templates, slot, set.types[slot]);
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot)
        ReadTemplateComposite(templates, slot, set.composites[slot]);
    SaveGalaxyTypes(store, set.types);
    SaveCompositeGalaxies(store, set.composites);
    templates.ClearCache();
    return store.Flush();
}

}  // namespace orrelume
