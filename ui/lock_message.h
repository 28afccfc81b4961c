// The lock message: an optional line of text centred at the top of the saver
// and application windows, above the starfield, in the font, size and hue
// the advanced settings give.
#pragma once

#include <cstdint>

#include "settings/records.h"

class QLabel;

namespace orrelume {

// The text colour of a hue of the font hue setting, as a 0xRRGGBB value.
uint32_t LockMessageColour(int16_t hue);

// Shows the message in `panel` (a child of the window whose drawn area is
// `areaWidth` wide, in the units the panel is placed in: the window's
// logical pixels, not the surface's device pixels): the panel is sized to
// the text and centred at the top. An empty message hides the panel.
void LockMessageBanner(QLabel& panel, const AdvancedRunValues& advanced, double areaWidth);

}  // namespace orrelume
