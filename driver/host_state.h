// The values the host windows and the animation share: the facts of how the
// program runs, and the flags through which window events ask a running
// animation to stop or restart. Window events only set the flags; the frame
// loop reads them at fixed points.
#pragma once

#include <cstdint>
#include <string>

namespace orrelume {

enum RunModeValue : int16_t {
    kRunModeApplication = 0,
    kRunModeSaver = 1,
    kRunModePreview = 2,  // inside the display-settings dialog
};

// The flags through which window events ask a running animation to stop or
// restart, and the program to end. Every animation (the run window's, each
// dialog preview's) has flags of its own.
struct RunFlags {
    bool StopRequested = false;
    bool RestartRequested = false;
    bool ExitRequested = false;
};

// The facts of this run of the program, settled at start-up.
struct ProcessFacts {
    int16_t RunMode = kRunModeApplication;
    // The host window of the display-settings preview.
    uint64_t PreviewParentWindow = 0;
    // The screen's twips per pixel (1440 twips to the logical inch), rounded
    // at start-up; window placements are stored in twips.
    int16_t TwipsPerPixelX = 15;
    int16_t TwipsPerPixelY = 15;
    std::string HelpFileName;
};

// The program's facts with the flags of its run window's animation.
struct HostState : ProcessFacts, RunFlags {};

// The one HostState of the program.
HostState& ProcessHostState();

}  // namespace orrelume
