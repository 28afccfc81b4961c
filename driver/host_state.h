// The values the host windows and the animation share: how the program runs
// and the flags through which window events ask the running animation to
// stop or restart. Window events only set these flags; the frame loop reads
// them at fixed points.
#pragma once

#include <cstdint>
#include <string>

namespace orrelume {

enum RunModeValue : int16_t {
    kRunModeApplication = 0,
    kRunModeSaver = 1,
    kRunModePreview = 2,  // inside the display-settings dialog
};

struct HostState {
    int16_t RunMode = kRunModeApplication;
    bool StopRequested = false;
    bool RestartRequested = false;
    bool ExitRequested = false;
    // The host window of the display-settings preview.
    uint64_t PreviewParentWindow = 0;
    // The screen's twips per pixel (1440 twips to the logical inch), rounded
    // at start-up; window placements are stored in twips.
    int16_t TwipsPerPixelX = 15;
    int16_t TwipsPerPixelY = 15;
    std::string HelpFileName;
};

// The one HostState of the program.
HostState& ProcessHostState();

}  // namespace orrelume
