#include "settings/numeric.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace orrelume {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Scans a decimal number at the start of `text` (no leading blanks). Returns
// the number of characters it takes, 0 when there is no digit in the mantissa.
size_t ScanNumber(std::string_view text) {
    size_t i = 0;
    const size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && IsDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < n && IsDigit(text[j]))
            ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    return i;
}

// Converts a text that ScanNumber accepted in full. Out-of-range magnitudes
// become an infinity (too large) or zero (too small), with their sign.
double ConvertScanned(std::string_view number) {
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Decide by the exponent whether the number overflowed or underflowed.
        const size_t e = number.find_first_of("eE");
        const bool tiny =
            e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    (void)ptr;
    return negative ? -value : value;
}

}  // namespace

double Val(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    text.remove_prefix(start);
    const size_t length = ScanNumber(text);
    if (length == 0) return 0.0;
    return ConvertScanned(text.substr(0, length));
}

std::optional<double> ParseNumeric(std::string_view text) {
    size_t start = 0;
    size_t end = text.size();
    while (start < end && IsBlank(text[start]))
        ++start;
    while (end > start && IsBlank(text[end - 1]))
        --end;
    const std::string_view body = text.substr(start, end - start);
    if (body.empty()) return std::nullopt;
    if (ScanNumber(body) != body.size()) return std::nullopt;
    return ConvertScanned(body);
}

double RoundHalfEven(double value) {
    // nearbyint rounds in the current rounding mode, which the program never
    // changes from round-to-nearest-even.
    return std::nearbyint(value);
}

std::optional<int16_t> CInt(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = RoundHalfEven(value);
    if (r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<int16_t>(r);
}

std::optional<int32_t> CLng(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = RoundHalfEven(value);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<int32_t>(r);
}

std::optional<int32_t> IntFloor(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = std::floor(value);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<int32_t>(r);
}

std::optional<float> ToSingle(double value) {
    if (std::isnan(value)) return std::nullopt;
    const float f = static_cast<float>(value);
    if (std::isinf(f)) return std::nullopt;
    // A negative zero would be stored as "-0"; it is the same number as 0.
    return f + 0.0f;
}

std::string SingleToText(float value) {
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) return "0";
    return std::string(buffer, ptr);
}

std::string Int16ToText(int16_t value) {
    return std::to_string(value);
}
std::string Int32ToText(int32_t value) {
    return std::to_string(value);
}

std::string FormatZeroPadded(int64_t value, int width) {
    const bool negative = value < 0;
    // Work with the magnitude as unsigned so the most negative value is safe.
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    if (static_cast<int>(digits.size()) < width) {
        digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    }
    return negative ? "-" + digits : digits;
}

std::string FormatRightAligned(std::string_view text, int width) {
    std::string out(text);
    if (static_cast<int>(out.size()) < width) {
        out.insert(0, static_cast<size_t>(width) - out.size(), ' ');
    }
    return out;
}

std::string FormatThousands(int64_t value) {
    if (value == 0) return std::string();
    const bool negative = value < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    const std::string digits = std::to_string(magnitude);
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        out.push_back(digits[i]);
        const size_t remaining = n - 1 - i;
        if (remaining > 0 && remaining % 3 == 0) out.push_back(',');
    }
    return negative ? "-" + out : out;
}

std::string Trim(std::string_view text) {
    return TrimRight(TrimLeft(text));
}

std::string TrimLeft(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    return std::string(text.substr(start));
}

std::string TrimRight(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ')
        --end;
    return std::string(text.substr(0, end));
}

std::string LeftCharacters(std::string_view text, size_t count) {
    size_t i = 0;
    size_t characters = 0;
    while (i < text.size()) {
        // Continuation bytes (10xxxxxx) belong to the character before them.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (characters == count) break;
            ++characters;
        }
        ++i;
    }
    return std::string(text.substr(0, i));
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ToUpperAscii(a) == ToUpperAscii(b);
}

}  // namespace orrelume
