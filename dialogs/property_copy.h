// Copying one galaxy-type property to all fifty types at once, without any
// window: the properties offered, in list order, with the control that takes
// each value, its typing, bounds and range text, and the styles whose types
// each may change; and the copy itself.
//
// Several styles reuse the same stored field for a parameter of their own
// (the radial-arm fields serve the IFS styles, the starwave and the nebula),
// so every property names the styles it belongs to and types of the other
// styles keep their value.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "settings/records.h"
#include "ui/field_text.h"

namespace orrelume {

// The control that takes a property's value.
enum class CopyControl { kNumber, kList, kCheck };

// A set of galaxy styles: bit s stands for style s.
using StyleSet = uint16_t;
constexpr StyleSet StyleBit(int style) {
    return static_cast<StyleSet>(1u << style);
}
inline constexpr StyleSet kAllStyles = 0x3FF;

struct CopyEntry {
    std::string_view caption;  // the text of the property list
    std::string_view key;      // the GalaxyType field it sets
    CopyControl control;
    // Number entries: how the field is typed, and the bounds it applies
    // when it is left (the integer kinds round half to even).
    Typing typing;
    BoundKind kind;
    double lower, upper;
    // The bounds the label shows, "0 - 100" for "Range (0 - 100):". They
    // are the enforced bounds except where a property accepts more.
    std::string_view range;
    StyleSet styles;
};

inline constexpr int kPropertyCopyEntryCount = 68;
// Every property, in the order of the property list.
std::span<const CopyEntry> PropertyCopyEntries();
// The entry at a list index, or null.
const CopyEntry* FindCopyEntry(int index);
// The list index of the property with this caption, or -1.
int CopyEntryIndex(std::string_view caption);

// The label over the number field: "Range (a - b):".
std::string RangeText(const CopyEntry& entry);
// Whether the copy changes a type of this style.
bool CopiesToStyle(const CopyEntry& entry, int style);
// The items of a list entry's value list (the list of the property grid
// that shows the same field); empty for the other entries.
std::span<const std::string_view> CopyListItems(const CopyEntry& entry);

// What the panel shows before a property is chosen, and the check box's
// caption once the one boolean property is.
inline constexpr std::string_view kCopyPanelCaption = "Copy Galaxy Props to All Types";
inline constexpr std::string_view kCopyPickCaption = "Props:";
inline constexpr std::string_view kCopyValueCaption = "Value:";
inline constexpr std::string_view kCopyCheckFormCaption = "Property Check Box";
inline constexpr std::string_view kCopyCheckCaption = "Control Point Loop is Closed?";
inline constexpr std::string_view kCopyButtonCaption = "Copy";

inline constexpr std::string_view kSelectPropertyMessage = "Please select a Property to copy.";
inline constexpr std::string_view kSelectValueMessage = "Please select a Property value.";
inline constexpr std::string_view kEnterValueMessage = "Please enter a Property value.";

// What the value controls hold when "Copy" is pressed.
struct CopyValue {
    std::string text;    // the number field
    int listIndex = -1;  // the value list; -1 when nothing is chosen
    bool checked = false;
};

enum class CopyOutcome {
    kCopied,
    kNoProperty,  // nothing copied: no property is chosen
    kNoValue,     // nothing copied: the value is missing
};
struct CopyResult {
    CopyOutcome outcome = CopyOutcome::kNoProperty;
    int typesChanged = 0;  // the types of the entry's styles, all written
};

// Copies the value into every type whose style the entry names. A number is
// bounded as leaving its field would (so a value typed and never left is
// bounded too), then stored rounded half to even into an integer field, or
// as the single itself. A copied style or colour computation keeps the rule
// of the property grid: a nebula colours its stars by computation 5 and a
// molecular structure by 6, and the other styles by one of the five the
// list offers.
CopyResult CopyProperty(GalaxyTypeTable& types, int entry, const CopyValue& value);

// The message for a copy that did not happen.
std::string_view CopyMessage(CopyOutcome outcome, const CopyEntry* entry);

}  // namespace orrelume
