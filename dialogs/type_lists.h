// The galaxy-type and composite lists of the properties dialog without their
// widgets: the text of a list entry (a name, blanks up to a fixed width, the
// universe percentage) and how an entry is read back, the commits of a type's
// name and percentage and of a composite, "Reset %", and the composite
// editor's choice of major and minor types with its count of IFS types.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "settings/records.h"

namespace orrelume {

// The width, in twips of the list's font, that a list entry's name is padded
// to before its percentage.
inline constexpr int kListEntryNameTwips = 2400;
inline constexpr int kTwipsPerInch = 1440;
// That width in pixels of a screen with this many logical pixels per inch.
int ListEntryNameWidth(double logicalDpi);

// The width of a text in the list's font, in pixels.
using TextWidth = std::function<int(std::string_view)>;

// An entry: the name, then blanks until the text is at least `nameWidth`
// wide (never fewer than three, so that the last four characters hold the
// percentage alone), then the percentage.
std::string ListEntryText(std::string_view name, int16_t percent, int nameWidth,
                          const TextWidth& widthOf);
std::string GalaxyEntryText(const GalaxyType& type, int nameWidth, const TextWidth& widthOf);
// A composite without a name is listed under "< Galaxy Composite n >".
std::string CompositeDisplayName(const CompositeGalaxy& composite, int slot);
std::string CompositeEntryText(const CompositeGalaxy& composite, int slot, int nameWidth,
                               const TextWidth& widthOf);

// An entry read back: the name is the entry without its last four
// characters, the percentage those four; both trimmed.
struct ListEntryParts {
    std::string name;
    std::string percent;
};
ListEntryParts ReadListEntry(std::string_view entry);
// The universe profile list shows each type by the name of its entry, at
// most 30 characters of it, trimmed, without the percentage.
std::string ProfileEntryText(std::string_view galaxyEntry);

// The characters a galaxy type's name never holds (they would break the
// template files' sections, keys and rows), and those of a composite's name.
inline constexpr std::string_view kGalaxyNameRefused = "[,]=";
inline constexpr std::string_view kCompositeNameRefused = ",";
// The name as committed: trimmed, without the refused characters (a paste
// can bring in what typing swallows).
std::string CommittedName(std::string_view text, std::string_view refused);

// "Commit" for a galaxy type: the percentage bounded to 0..9999 and the
// trimmed name are stored. Returns the bounded percentage's text, which the
// percentage field then shows.
std::string CommitGalaxyEntry(GalaxyType& type, std::string_view nameText,
                              std::string_view percentText);

// The value "Reset %" sets from its field: nothing when the field is empty
// after trimming; otherwise the number the field holds, bounded to 0..9999.
std::optional<int16_t> ResetPercentValue(std::string_view text);
void ResetGalaxyPercents(GalaxyTypeTable& types, int16_t percent);
void ResetCompositePercents(CompositeTable& composites, int16_t percent);

// The composite editor's choice: the major type (-1 none) and the minor
// types selected, by type slot.
struct CompositeChoice {
    int major = -1;
    std::array<bool, kGalaxyTypeCount> minors{};
};
// The choice a composite's record shows: member 0 as the major type, the
// other members as minor types (members outside the type slots are left out).
CompositeChoice ChoiceOfComposite(const CompositeGalaxy& composite);

// The styles that build a galaxy from an iterated function system.
bool IsIfsStyle(int16_t style);
// How many IFS types the choice puts into the composite: the major type and
// every minor type apart from it, as a commit would store them.
int IfsTypeCount(const GalaxyTypeTable& types, const CompositeChoice& choice);
// The name field is marked cyan when more than one IFS type is chosen (a
// colour with red in the low byte).
inline constexpr uint32_t kIfsMarkColour = 0xFFFF00;

enum class CompositeCommit {
    kNoMajor,  // nothing stored: a major type is needed
    kStored,
    kStoredIfsNote  // stored; two or more of the types are IFS
};
// "Commit" for a composite: the percentage bounded to 0..9999, the trimmed
// name, the major type as member 0, then the selected minor types in type
// order without the major type. With all 50 types chosen the record holds 50
// members until it is next validated. `percentText` receives the bounded
// percentage's text.
CompositeCommit CommitComposite(CompositeGalaxy& composite, const GalaxyTypeTable& types,
                                std::string_view nameText, std::string& percentText,
                                const CompositeChoice& choice);

// The messages of the galaxy and composite lists.
inline constexpr std::string_view kSelectProfileMessage = "Please select a Galaxy Profile.";
inline constexpr std::string_view kResetValueMessage =
    "Please enter a value for the Reset percent.";
inline constexpr std::string_view kSelectMajorMessage = "Please select a Major Galaxy Type.";
std::string IfsNoteMessage();

}  // namespace orrelume
