#include "dialogs/diagnostics_values.h"

#include <algorithm>
#include <cmath>

#include "settings/numeric.h"

namespace orrelume {

DiagnosticText DisplayValue(std::string text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty() || trimmed == "0") return {"???", true};
    return {std::move(text), false};
}

int64_t ColourCount(int bitsPerPixel) {
    if (bitsPerPixel <= 0) return 0;
    return int64_t{1} << std::min(31, bitsPerPixel);
}

std::string ColourCountText(int bitsPerPixel) {
    return FormatThousands(ColourCount(bitsPerPixel));
}

std::string SystemVersionText(std::string_view kernelType, std::string_view kernelVersion,
                              std::string_view distribution) {
    std::string text = Trim(kernelType);
    // The toolkit names the kernel in lower case ("linux").
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 32);
    const std::string version = Trim(kernelVersion);
    if (!version.empty()) text += (text.empty() ? "" : " ") + version;
    const std::string name = Trim(distribution);
    // Where nothing is known of the distribution, the toolkit names the
    // kernel again; that adds nothing.
    if (!name.empty() && !EqualsIgnoreCase(name, text) &&
        !EqualsIgnoreCase(name, Trim(kernelType))) {
        text += text.empty() ? name : " (" + name + ")";
    }
    return text;
}

std::string StoreAccessTest(SettingsStore& store) {
    constexpr std::string_view kSection = "General";
    constexpr std::string_view kName = "RegistryReadWriteTest";
    if (!store.WriteSetting(kSection, kName, kStoreTestOk) || !store.Flush())
        return std::string(kStoreTestNoAccess);
    return store.ReadSettingText(kSection, kName, kStoreTestNoAccess);
}

std::vector<PixelPoint> GraphicsTestPoints(int32_t width, int32_t height) {
    std::vector<PixelPoint> points;
    const double w = width;
    const double h = height;
    const float twoPi = 2.0f * 3.1415927f;
    const float step = twoPi / 360.0f;
    // The angle advances by repeated addition in single precision, as the
    // loop of the test has always done; the guard only bounds the count.
    float a = 0.0f;
    for (int guard = 0; guard <= 400 && a <= twoPi; ++guard, a += step) {
        const auto x = CLng(w * 0.5 + w * 0.4 * std::cos(static_cast<double>(a)));
        const auto y = CLng(h * 0.5 + h * 0.4 * std::sin(static_cast<double>(a)));
        if (x && y) points.push_back({*x, *y});
    }
    return points;
}

}  // namespace orrelume
