// The input rules of the dialogs' number fields, on text alone: which typed
// keys a field takes, how a field's text is bounded when it is left, and the
// steps of its arrow keys and spin buttons. The widgets apply these rules
// (ui/field_rules.h); they are kept free of any window so that they can
// be tested without one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orrelume {

// What a field's text is converted to when it is bounded: a 16-bit integer,
// a single, or a 32-bit integer. The integer kinds round half to even.
enum class BoundKind : int { Int16 = 0, Single = 1, Int32 = 2 };

// What typing a field allows.
enum class Typing { Digits, Decimal, Free };

// One-letter names for the long tables of fields, where the full names
// would hide the bounds; a table's file brings them in with a using.
namespace field_table_names {
inline constexpr Typing D = Typing::Digits;
inline constexpr Typing F = Typing::Decimal;
inline constexpr BoundKind I16 = BoundKind::Int16;
inline constexpr BoundKind I32 = BoundKind::Int32;
inline constexpr BoundKind S = BoundKind::Single;
}  // namespace field_table_names

// The field of a table whose `index` is `index`; null when none is.
template <class Field>
const Field* FindFieldByIndex(std::span<const Field> table, int index) {
    const auto found = std::ranges::find(table, index, &Field::index);
    return found == table.end() ? nullptr : &*found;
}

inline constexpr char32_t kBackspaceKey = 8;

// Digits and backspace pass; every other key is refused.
bool DigitFilter(char32_t key);
// Digits, backspace and the decimal point pass, except a decimal point when
// the text already holds one and the selection it would replace does not.
bool DecimalFilter(std::string_view text, std::string_view selection, char32_t key);

// The text a field shows after it is left: the number read from "0" followed
// by its text (an empty field reads 0), converted to the kind and bounded
// (the lower bound wins if the bounds cross). A number beyond the kind's
// range is bounded like any other.
std::string BoundTextField(std::string_view text, BoundKind kind, double lower, double upper);

// The whole number a field's text begins with, rounded half to even; 0 when
// it has none or it does not fit 32 bits.
int32_t FieldInteger(std::string_view text);

// The value one press of an arrow key or spin button gives: `value` plus
// `step` (negative for down) kept within the arrows' range [lower, upper].
// The arrows' range may be narrower than what the field takes: a value above
// it is left as it is, and so is one below it pressed down, so that a press
// never pulls a value the field holds rightly across the range.
int32_t SteppedValue(int32_t value, int32_t step, int32_t lower, int32_t upper);
// SteppedValue of the number a field's text begins with.
int32_t ArrowKeyValue(std::string_view text, int32_t step, int32_t lower, int32_t upper);

// The step of a spin button bound to a range with this maximum: 1 up to 100,
// 5 up to 998, 10 up to 29999, 50 above.
int32_t SpinStep(int32_t maximum);

// A label's caption as a screen reader names its field: without the "&" that
// marks the access key ("&&" stays one "&").
std::string CaptionWithoutAccessKey(std::string_view caption);

}  // namespace orrelume
