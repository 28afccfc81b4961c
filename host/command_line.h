// How the program was started: which family the program file belongs to (the
// saver, or the application), and what the command line asks for.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

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

}  // namespace orrelume
