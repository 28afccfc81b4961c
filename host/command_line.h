// How the program was started: which family the program file belongs to (the
// saver, or the application), and what the command line asks for.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orrelume {

// The program file's family. A name without an extension stands for the
// application file; "orrelume.scr" beside "orrelume" is its saver twin.
// Started under any name for which no application file exists, or that has a
// saver twin, the program is a saver (run mode 1); otherwise it is the
// application (run mode 0) and the command line is not read.
using FileExistsFn = std::function<bool(const std::string& path)>;
int16_t ProgramRunMode(const std::string& programPath, const FileExistsFn& exists);

// The path of the program file as it was started: argv[0] as given (so a
// symlink counts), found along PATH when it holds no slash.
std::string ProgramPathFromArgv0(const std::string& argv0);

// The command line as one text: the arguments joined by single blanks, so a
// blank the caller quoted in front of the first argument stays in front.
std::string CommandLineText(int argc, char** argv);

enum class StartAction {
    Configure,       // empty argument, or "/C": the properties dialog
    Saver,           // "/S": the saver, unless one runs already
    Preview,         // "/P" and a window: a preview inside it
    PasswordChange,  // "/A" and a window
    Template,        // a ".glx" file: import it, then run the saver
    SaverOther,      // anything else: run the saver (no single-instance check)
};

struct StartCommand {
    StartAction action = StartAction::Configure;
    // The window number after "/P" or "/A" (0 when there is none).
    uint32_t window = 0;
    // The template path (the whole argument) for StartAction::Template.
    std::string templatePath;
};

// The dispatch on the untrimmed argument text: blanks only configure; else
// the first two characters, in upper case, decide.
StartCommand ParseCommandLine(std::string_view arguments);

// A window handle read like a number at the start of a text (leading blanks
// skipped, reading stops at what cannot continue a number, no digits give 0),
// rounded to a 32-bit value. Out of range or negative gives 0: no window.
uint32_t ReadWindowHandle(std::string_view text);

// The conventions of the X11 saver daemons, which run a saver as a "hack"
// drawing into a window they own: "-root" (the window named by
// XSCREENSAVER_WINDOW when the daemon sets it, else the root window),
// "-window-id ID", or no argument at all with XSCREENSAVER_WINDOW set. Each
// option may have one dash or two; "-window-id=ID" works too. The daemons'
// other common options ("-install", "-fps", "-visual V", "-window") are
// accepted and ignored once one of these is there. Asked for before anything
// else of the command line, whatever the program file is called.
enum class HackTarget {
    None,    // not a hack start
    Root,    // the root window, or the daemon's window
    Window,  // a window by its id (0: the id was not a window number)
    Help,    // "--help", "-h": the usage, printed
    // "--add-to-xscreensaver": the program's line added to the programs:
    // list of the user's XScreenSaver settings.
    AddToXScreenSaver,
};
struct HackCommand {
    HackTarget target = HackTarget::None;
    uint32_t window = 0;
};
// `arguments` are argv[1..]; `environmentWindow` is XSCREENSAVER_WINDOW's
// value, or null when it is not set.
HackCommand ParseHackCommand(const std::vector<std::string>& arguments,
                             const char* environmentWindow);

// An X window id as the daemons write it: decimal, or hexadecimal after
// "0x"; blanks around it allowed. 0 for anything else: no digits, trailing
// text, negative, or beyond 32 bits.
uint32_t ReadWindowId(std::string_view text);

// The arguments the program takes, in both forms, for "--help".
std::string UsageText();

}  // namespace orrelume
