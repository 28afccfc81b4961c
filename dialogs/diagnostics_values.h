// What the system diagnostics window shows, worked out without a window: the
// colour count of a display depth, the text of a value that may be unknown,
// the system's name and version, the settings file's read and write test,
// and the pixels of the graphics test circle.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/store.h"

namespace orrelume {

// A value as the window shows it; a problematic one is drawn in red.
struct DiagnosticText {
    std::string text;
    bool problem = false;
};

// A display value: an empty text or "0" means the value could not be
// learnt, and shows as "???".
DiagnosticText DisplayValue(std::string text);

// The number of colours a display of `bitsPerPixel` shows: 2 to the power
// of the smaller of 31 and the depth; 0 when the depth is unknown (0 or
// less).
int64_t ColourCount(int bitsPerPixel);
// The same, grouped by thousands ("16,777,216"); empty when unknown.
std::string ColourCountText(int bitsPerPixel);

// The operating system as the user knows it: the kernel's name and version,
// then the distribution's name in brackets where it is known and says more
// than the kernel ("Linux 6.1.0-18-amd64 (Debian GNU/Linux 12 (bookworm))").
std::string SystemVersionText(std::string_view kernelType, std::string_view kernelVersion,
                              std::string_view distribution);

// The answers of the store test.
inline constexpr std::string_view kStoreTestOk = "OK";
inline constexpr std::string_view kStoreTestNoAccess = "No Access";

// Writes "OK" as "RegistryReadWriteTest" in "General", commits it, and
// reads it back with the default "No Access". A store whose commit fails
// answers "No Access" even though it still holds the unwritten value in
// memory: what counts is whether the settings file took it.
std::string StoreAccessTest(SettingsStore& store);

// A pixel of the graphics test.
struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// The graphics test circle in a box of `width` x `height` pixels: for
// angles from 0 to 2 pi in steps of 2 pi / 360 (single precision), the
// point at width x 0.5 + width x 0.4 x cos a, height x 0.5 + height x 0.4 x
// sin a, each rounded to the nearest integer.
std::vector<PixelPoint> GraphicsTestPoints(int32_t width, int32_t height);

}  // namespace orrelume
