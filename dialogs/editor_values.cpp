#include "dialogs/editor_values.h"

#include <algorithm>
#include <cmath>

#include "driver/run_driver.h"
#include "engine/engine_state.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

constexpr int32_t kMaxPreviewStars = 30000;

}  // namespace

int32_t BoundedNumber(std::string_view text, double lower, double upper) {
    return FieldInteger(BoundTextField(text, BoundKind::Int32, lower, upper));
}

int32_t BoxNumber(std::string_view text, const EditorBox& box) {
    return BoundedNumber(text, box.lower, box.upper);
}

TripleTexts ShowGalaxyValues(const GalaxyType& type) {
    return {Int32ToText(type.radius), Int32ToText(type.rotation), Int32ToText(type.distance)};
}

void TakeGalaxyValues(const TripleTexts& texts, GalaxyType& type) {
    type.radius = BoxNumber(texts[0], kGalaxyBoxes[0]);
    type.rotation = BoxNumber(texts[1], kGalaxyBoxes[1]);
    type.distance = BoxNumber(texts[2], kGalaxyBoxes[2]);
}

int32_t ThemeNumber(double value, double lower, double upper) {
    // Within the bounds the rounding always fits 32 bits.
    const double v = std::clamp(std::isfinite(value) ? value : lower, lower, upper);
    return CLng(v).value_or(0);
}

std::string ThemeNumberText(double value, double lower, double upper) {
    return Int32ToText(ThemeNumber(value, lower, upper));
}

void ApplyThemeGalaxyValues(const std::vector<double>& numbers, TripleTexts& boxes) {
    constexpr size_t kDistance = 2;
    for (size_t i = 0; i < boxes.size() && i < numbers.size(); ++i) {
        if (i == kDistance && !(numbers[i] > 0)) continue;
        boxes[i] = ThemeNumberText(numbers[i], kGalaxyBoxes[i].lower, kGalaxyBoxes[i].upper);
    }
}

void ApplyThemeCentre(const std::vector<double>& numbers, size_t first, TripleTexts& boxes) {
    for (size_t i = 0; i < boxes.size(); ++i) {
        const double v = first + i < numbers.size() ? numbers[first + i] : 0;
        boxes[i] = ThemeNumberText(v, kCentreBoxes[i].lower, kCentreBoxes[i].upper);
    }
}

std::vector<std::string_view> ThemeRecords(std::string_view text) {
    std::vector<std::string_view> records;
    for (size_t at = 0; at < text.size(); at += kThemeRecordWidth)
        records.push_back(text.substr(at, kThemeRecordWidth));
    return records;
}

std::vector<double> RecordNumbers(std::string_view record) {
    std::vector<double> numbers;
    size_t start = 0;
    for (size_t comma = record.find(','); comma != std::string_view::npos;
         comma = record.find(',', start)) {
        numbers.push_back(Val(record.substr(start, comma - start)));
        start = comma + 1;
    }
    return numbers;
}

std::vector<std::vector<double>> ThemeNumbers(std::string_view text, size_t atLeast) {
    std::vector<std::vector<double>> numbers;
    for (std::string_view record : ThemeRecords(text))
        numbers.push_back(RecordNumbers(record));
    if (numbers.size() < atLeast) numbers.resize(atLeast);
    return numbers;
}

void RunEditorPreview(RunDriver& driver, int32_t width, int32_t height, int slot,
                      const UniverseSettings& universe, int32_t stars, int32_t trail,
                      int32_t hueStart, int32_t hueEnd) {
    driver.SetUniverseSettings(universe);
    driver.SetUpDialogSurface(width, height, true, 1.0f);
    BuildColourTables(driver.Engine(), std::clamp(hueStart, 0, 999), std::clamp(hueEnd, 0, 999));
    driver.DialogPreviewRunner(static_cast<int16_t>(std::clamp(slot, 0, kGalaxyTypeCount - 1)),
                               false, 0,
                               static_cast<int16_t>(std::clamp(stars, 10, kMaxPreviewStars)),
                               static_cast<int16_t>(std::clamp(trail, 1, 999)), false, 1.0f);
}

}  // namespace orrelume
