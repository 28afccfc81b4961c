#include "dialogs/type_lists.h"

#include <algorithm>

#include "settings/numeric.h"
#include "ui/field_text.h"

namespace orrelume {

namespace {

constexpr int kMinimumPadding = 3;
// However the font measures (a blank may be zero pixels wide in a broken
// font), padding stops here.
constexpr int kMaximumPadding = 400;
constexpr double kPercentUpper = 9999;
constexpr size_t kPercentCharacters = 4;
constexpr size_t kProfileCharacters = 30;

// The byte offset where the last `count` UTF-8 characters of `text` begin.
size_t StartOfLastCharacters(std::string_view text, size_t count) {
    size_t pos = text.size();
    while (count > 0 && pos > 0) {
        --pos;
        while (pos > 0 && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            --pos;
        --count;
    }
    return pos;
}

std::string BoundedPercentText(std::string_view text) {
    return BoundTextField(text, BoundKind::Int16, 0, kPercentUpper);
}

int16_t PercentOf(const std::string& boundedText) {
    return CInt(Val(boundedText)).value_or(static_cast<int16_t>(0));
}

}  // namespace

int ListEntryNameWidth(double logicalDpi) {
    const auto pixels = CLng(kListEntryNameTwips * logicalDpi / kTwipsPerInch);
    return std::max(0, pixels.value_or(0));
}

std::string ListEntryText(std::string_view name, int16_t percent, int nameWidth,
                          const TextWidth& widthOf) {
    std::string text(name);
    text.append(kMinimumPadding, ' ');
    for (int padding = kMinimumPadding; padding < kMaximumPadding && widthOf(text) < nameWidth;
         ++padding)
        text += ' ';
    text += Int16ToText(percent);
    return text;
}

std::string GalaxyEntryText(const GalaxyType& type, int nameWidth, const TextWidth& widthOf) {
    return ListEntryText(type.name, type.uniGalPct, nameWidth, widthOf);
}

std::string CompositeDisplayName(const CompositeGalaxy& composite, int slot) {
    if (!composite.name.empty()) return composite.name;
    return "< Galaxy Composite " + std::to_string(slot + 1) + " >";
}

std::string CompositeEntryText(const CompositeGalaxy& composite, int slot, int nameWidth,
                               const TextWidth& widthOf) {
    return ListEntryText(CompositeDisplayName(composite, slot), composite.weight, nameWidth,
                         widthOf);
}

ListEntryParts ReadListEntry(std::string_view entry) {
    const size_t split = StartOfLastCharacters(entry, kPercentCharacters);
    return ListEntryParts{Trim(entry.substr(0, split)), Trim(entry.substr(split))};
}

std::string ProfileEntryText(std::string_view galaxyEntry) {
    // The name alone: an entry's padding is measured in pixels, so within
    // its first 30 characters a short name may already be followed by the
    // percentage.
    return Trim(LeftCharacters(ReadListEntry(galaxyEntry).name, kProfileCharacters));
}

std::string CommittedName(std::string_view text, std::string_view refused) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text)
        if (refused.find(c) == std::string_view::npos) kept += c;
    return Trim(kept);
}

std::string CommitGalaxyEntry(GalaxyType& type, std::string_view nameText,
                              std::string_view percentText) {
    std::string bounded = BoundedPercentText(percentText);
    type.uniGalPct = PercentOf(bounded);
    type.name = CommittedName(nameText, kGalaxyNameRefused);
    return bounded;
}

std::optional<int16_t> ResetPercentValue(std::string_view text) {
    if (Trim(text).empty()) return std::nullopt;
    // Bounded before it is made a 16-bit number: a long row of digits is the
    // top of the range, not a failed conversion.
    return PercentOf(BoundedPercentText(text));
}

void ResetGalaxyPercents(GalaxyTypeTable& types, int16_t percent) {
    for (GalaxyType& type : types)
        type.uniGalPct = percent;
}

void ResetCompositePercents(CompositeTable& composites, int16_t percent) {
    for (CompositeGalaxy& composite : composites)
        composite.weight = percent;
}

CompositeChoice ChoiceOfComposite(const CompositeGalaxy& composite) {
    CompositeChoice choice;
    const int count = std::clamp<int>(composite.count, 0, kCompositeMemberCapacity);
    for (int i = 0; i < count; ++i) {
        const int member = composite.members[static_cast<size_t>(i)];
        if (member < 0 || member >= kGalaxyTypeCount) continue;
        if (i == 0)
            choice.major = member;
        else
            choice.minors[static_cast<size_t>(member)] = true;
    }
    return choice;
}

bool IsIfsStyle(int16_t style) {
    return style == kStyleIfsPointAttractor || style == kStyleIfsWireframe ||
           style == kStyleIfsFractal || style == kStyleUserIfs;
}

int IfsTypeCount(const GalaxyTypeTable& types, const CompositeChoice& choice) {
    int count = 0;
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        const bool chosen = slot == choice.major || choice.minors[static_cast<size_t>(slot)];
        if (chosen && IsIfsStyle(types[static_cast<size_t>(slot)].galStyle)) ++count;
    }
    return count;
}

CompositeCommit CommitComposite(CompositeGalaxy& composite, const GalaxyTypeTable& types,
                                std::string_view nameText, std::string& percentText,
                                const CompositeChoice& choice) {
    if (choice.major < 0 || choice.major >= kGalaxyTypeCount) return CompositeCommit::kNoMajor;
    percentText = BoundedPercentText(percentText);
    const bool note = IfsTypeCount(types, choice) >= 2;
    composite.weight = PercentOf(percentText);
    composite.name = CommittedName(nameText, kCompositeNameRefused);
    int16_t count = 0;
    composite.members[static_cast<size_t>(count++)] = static_cast<int16_t>(choice.major);
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        if (slot == choice.major || !choice.minors[static_cast<size_t>(slot)]) continue;
        composite.members[static_cast<size_t>(count++)] = static_cast<int16_t>(slot);
    }
    composite.count = count;
    return note ? CompositeCommit::kStoredIfsNote : CompositeCommit::kStored;
}

std::string IfsNoteMessage() {
    return "Note:\n\nTwo or more of the selected Galaxy Types have a Style of IFS.\n"
           "This may result in strange looking Galaxies.";
}

}  // namespace orrelume
