// Windows remember their state and size per user: "WindowState" (2
// maximised, 0 normal) and "WindowSize" (left, top, width and height in
// twips, five digits each) in the window's own settings section.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/store.h"

class QPoint;
class QRect;
class QSize;
class QWidget;

namespace orrelume {

struct HostState;

inline constexpr int16_t kPlacementNormal = 0;
inline constexpr int16_t kPlacementMinimised = 1;
inline constexpr int16_t kPlacementMaximised = 2;

// A window's rectangle in twips.
struct TwipsRect {
    int32_t left = 0, top = 0, width = 0, height = 0;
};

// "WindowSize" of a rectangle: each value with at least five digits and
// leading zeros, a negative left or top as "00000". Values beyond five
// digits are stored as 99999, so the text keeps its fixed columns.
std::string FormatWindowSize(const TwipsRect& rect);
// The rectangle of a "WindowSize" text: characters 1-5, 6-10, 11-15 and
// 16-20, each read as the number it begins with (missing ones read 0).
TwipsRect ParseWindowSize(std::string_view text);

// Pixels to twips and back with the screen's twips per pixel.
int32_t PixelsToTwips(int32_t pixels, int16_t twipsPerPixel);
int32_t TwipsToPixels(int32_t twips, int16_t twipsPerPixel);

// Where a window's frame of `size` goes to be centred in `area` (the
// screen's space that panels leave free).
QPoint CentredIn(const QSize& size, const QRect& area);
// Where a frame at `frame` goes to lie within `area`: moved in as far as
// needed; a frame larger than the area keeps its top left corner (its
// caption and menus) inside.
QPoint KeptWithin(const QRect& frame, const QRect& area);

// Stores the window's state and, unless it is minimised, its rectangle, and
// commits them.
void SaveWindowPlacement(const QWidget& window, SettingsStore& store, std::string_view section,
                         const HostState& host);
// Puts the window where it was: a window never saved is centred; a stored
// state is applied; a normal window takes its stored rectangle (only its
// position when it has a fixed size). Either way the window is made to fit
// the screen's free space and kept inside it, once now and again as it is
// first shown (when its layout may have grown it). Call before the window
// is shown.
void RestoreWindowPlacement(QWidget& window, const SettingsStore& store, std::string_view section,
                            const HostState& host, bool sizable);
// Centres a window in the normal state on its screen at the size it will
// show with (and again when it is first shown), no larger than the screen's
// free space.
void CentreWindow(QWidget& window);

}  // namespace orrelume
