// Numbers and text as Orrelume stores and converts them.
//
// Settings are decimal text, in the store and in template files alike, and
// every conversion follows the same small set of rules: rounding is half to
// even, a conversion that does not fit its integer type fails (the statement
// that needed it is skipped) instead of wrapping, and reading a number from
// text never throws. Everything in the program converts through this module.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orrelume {

// The number a text begins with: leading blanks are skipped, reading stops at
// the first character that cannot continue a decimal number (optional sign,
// digits, one decimal point, an exponent), and no digits give 0. A number too
// large for a double gives an infinity, which every integer conversion below
// refuses.
double Val(std::string_view text);

// The numeric test of store reads: the whole text, blanks around it allowed,
// is one decimal number with optional sign, fraction and exponent. Returns the
// value (possibly an infinity when the exponent is huge) or nothing.
std::optional<double> ParseNumeric(std::string_view text);

// Round half to even into an integer type. Nothing when the value is NaN,
// infinite or outside the type's range: the caller skips the statement.
std::optional<int16_t> CInt(double value);
std::optional<int32_t> CLng(double value);
// The same rounding into a 32-bit integer; the name the animation uses.
inline std::optional<int32_t> Nearest(double value) {
    return CLng(value);
}
// Round half to even, keeping a double (no range check needed).
double RoundHalfEven(double value);

// Int(x): the largest integer not above x, into 32 bits; nothing when NaN,
// infinite or out of range.
std::optional<int32_t> IntFloor(double value);

// Single precision limits used by conversions of stored text.
std::optional<float> ToSingle(double value);

// Text forms.
// The shortest decimal text that reads back as the same single ("0.9975",
// "1.15", "2").
std::string SingleToText(float value);
std::string Int16ToText(int16_t value);
std::string Int32ToText(int32_t value);

// Format "00000", "000", "00": at least `width` digits with leading zeros
// (a negative number keeps its sign in front of the digits).
std::string FormatZeroPadded(int64_t value, int width);
// Format "@@@@@": the text right-aligned in `width` characters, padded with
// blanks on the left; a longer text is returned whole.
std::string FormatRightAligned(std::string_view text, int width);
// Format "###,###,###": digits grouped by thousands with commas; 0 gives an
// empty text, as that format does.
std::string FormatThousands(int64_t value);

// Blanks (spaces only) removed from both ends, from the left, from the right.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// The first `count` characters of a UTF-8 text (a character is never cut in
// half); the whole text when it is shorter.
std::string LeftCharacters(std::string_view text, size_t count);

// Upper case of the ASCII letters, for the case-blind comparisons of command
// lines and names.
std::string ToUpperAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace orrelume
