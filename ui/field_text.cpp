#include "ui/field_text.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "settings/numeric.h"

namespace orrelume {

namespace {

bool IsDigit(char32_t key) {
    return key >= U'0' && key <= U'9';
}

}  // namespace

bool DigitFilter(char32_t key) {
    return IsDigit(key) || key == kBackspaceKey;
}

bool DecimalFilter(std::string_view text, std::string_view selection, char32_t key) {
    if (IsDigit(key) || key == kBackspaceKey) return true;
    if (key != U'.') return false;
    const bool textHasPoint = text.find('.') != std::string_view::npos;
    const bool selectionHasPoint = selection.find('.') != std::string_view::npos;
    return !textHasPoint || selectionHasPoint;
}

std::string BoundTextField(std::string_view text, BoundKind kind, double lower, double upper) {
    std::string zeroFirst = "0";
    zeroFirst.append(text);
    double value = Val(zeroFirst);
    // The lower bound wins if the bounds cross; a NaN cannot come from Val,
    // and an infinity is bounded like any large number.
    if (value > upper) value = upper;
    if (!(value >= lower)) value = lower;
    switch (kind) {
        case BoundKind::Int16: {
            const auto v = CInt(value);
            return Int16ToText(v ? *v : static_cast<int16_t>(0));
        }
        case BoundKind::Int32: {
            const auto v = CLng(value);
            return Int32ToText(v ? *v : 0);
        }
        case BoundKind::Single: {
            const auto v = ToSingle(value);
            return SingleToText(v ? *v : 0.0f);
        }
    }
    return std::string(text);
}

int32_t FieldInteger(std::string_view text) {
    const auto v = CLng(Val(text));
    return v ? *v : 0;
}

int32_t SteppedValue(int32_t value, int32_t step, int32_t lower, int32_t upper) {
    upper = std::max(lower, upper);
    if (value > upper || (value < lower && step < 0)) return value;
    const int64_t v = static_cast<int64_t>(value) + step;
    return static_cast<int32_t>(std::clamp<int64_t>(v, lower, upper));
}

int32_t ArrowKeyValue(std::string_view text, int32_t step, int32_t lower, int32_t upper) {
    return SteppedValue(FieldInteger(text), step, lower, upper);
}

int32_t SpinStep(int32_t maximum) {
    if (maximum <= 100) return 1;
    if (maximum <= 998) return 5;
    if (maximum <= 29999) return 10;
    return 50;
}

std::string CaptionWithoutAccessKey(std::string_view caption) {
    std::string out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

}  // namespace orrelume
