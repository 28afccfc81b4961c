#include "host/command_line.h"

#include <cstdlib>
#include <filesystem>

#include "settings/numeric.h"

namespace orrelume {

namespace {

// The file name's extension when it is one the family decision knows.
std::string_view KnownExtension(std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return {};
    const std::string_view ext = name.substr(dot);
    if (EqualsIgnoreCase(ext, ".exe") || EqualsIgnoreCase(ext, ".scr")) return ext;
    return {};
}

}  // namespace

int16_t ProgramRunMode(const std::string& programPath, const FileExistsFn& exists) {
    const std::filesystem::path path(programPath);
    const std::string name = path.filename().string();
    const std::string_view ext = KnownExtension(name);
    const std::string stem = name.substr(0, name.size() - ext.size());
    const std::filesystem::path dir = path.parent_path();
    const std::string base = (dir.empty() ? std::filesystem::path(stem) : dir / stem).string();
    // The application file is the name without an extension (or, as it was
    // given, with ".exe").
    const bool application = exists(base) || exists(base + ".exe");
    const bool twin = exists(base + ".scr");
    return (!application || twin) ? 1 : 0;
}

std::string ProgramPathFromArgv0(const std::string& argv0) {
    if (argv0.find('/') != std::string::npos) return argv0;
    if (!argv0.empty()) {
        const char* pathVar = std::getenv("PATH");
        std::string_view rest = pathVar ? pathVar : "";
        while (true) {
            const size_t colon = rest.find(':');
            const std::string_view dir = rest.substr(0, colon);
            const std::filesystem::path candidate =
                std::filesystem::path(dir.empty() ? "." : std::string(dir)) / argv0;
            std::error_code ec;
            if (std::filesystem::is_regular_file(candidate, ec)) return candidate.string();
            if (colon == std::string_view::npos) break;
            rest.remove_prefix(colon + 1);
        }
    }
    // Not found: the file the process runs.
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? argv0 : self.string();
}

std::string CommandLineText(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) text += ' ';
        text += argv[i];
    }
    return text;
}

uint32_t ReadWindowHandle(std::string_view text) {
    const auto handle = CLng(Val(text));
    if (!handle || *handle < 0) return 0;
    return static_cast<uint32_t>(*handle);
}

StartCommand ParseCommandLine(std::string_view arguments) {
    StartCommand command;
    if (Trim(arguments).empty()) {
        command.action = StartAction::Configure;
        return command;
    }
    const std::string head = ToUpperAscii(arguments.substr(0, 2));
    if (head == "/C") {
        command.action = StartAction::Configure;
    } else if (head == "/S") {
        command.action = StartAction::Saver;
    } else if (head == "/P") {
        command.action = StartAction::Preview;
        command.window = ReadWindowHandle(arguments.substr(2));
    } else if (head == "/A") {
        command.action = StartAction::PasswordChange;
        command.window = ReadWindowHandle(arguments.substr(2));
    } else if (arguments.size() >= 4 &&
               EqualsIgnoreCase(arguments.substr(arguments.size() - 4), ".GLX")) {
        command.action = StartAction::Template;
        command.templatePath = std::string(arguments);
    } else {
        command.action = StartAction::SaverOther;
    }
    return command;
}

uint32_t ReadWindowId(std::string_view text) {
    const std::string t = Trim(text);
    size_t at = 0;
    int base = 10;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        at = 2;
    }
    if (at >= t.size()) return 0;
    uint64_t value = 0;
    for (; at < t.size(); ++at) {
        const char ch = t[at];
        int digit = -1;
        if (ch >= '0' && ch <= '9') {
            digit = ch - '0';
        } else if (base == 16 && ch >= 'a' && ch <= 'f') {
            digit = ch - 'a' + 10;
        } else if (base == 16 && ch >= 'A' && ch <= 'F') {
            digit = ch - 'A' + 10;
        }
        if (digit < 0) return 0;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull) return 0;
    }
    return static_cast<uint32_t>(value);
}

namespace {

// An option name without its one or two leading dashes; empty when the
// argument is no option.
std::string_view OptionName(std::string_view argument) {
    if (argument.size() < 2 || argument[0] != '-') return {};
    argument.remove_prefix(argument[1] == '-' ? 2 : 1);
    return argument;
}

}  // namespace

HackCommand ParseHackCommand(const std::vector<std::string>& arguments,
                             const char* environmentWindow) {
    HackCommand command;
    const bool daemonWindow = environmentWindow != nullptr && *environmentWindow != '\0';
    if (arguments.empty()) {
        if (daemonWindow) {
            command.target = HackTarget::Window;
            command.window = ReadWindowId(environmentWindow);
        }
        return command;
    }
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view name = OptionName(arguments[i]);
        if (name == "help" || name == "h") {
            command.target = HackTarget::Help;
            return command;
        }
        if (name == "add-to-xscreensaver") {
            command.target = HackTarget::AddToXScreenSaver;
            return command;
        }
        if (command.target != HackTarget::None) continue;
        if (name == "root") {
            // The daemon names the window that stands for the root.
            command.target = daemonWindow ? HackTarget::Window : HackTarget::Root;
            if (daemonWindow) command.window = ReadWindowId(environmentWindow);
        } else if (name == "window-id") {
            command.target = HackTarget::Window;
            command.window = i + 1 < arguments.size() ? ReadWindowId(arguments[i + 1]) : 0;
        } else if (name.substr(0, 10) == "window-id=") {
            command.target = HackTarget::Window;
            command.window = ReadWindowId(name.substr(10));
        }
    }
    return command;
}

std::string UsageText() {
    return "Usage: orrelume [ARGUMENT]\n"
           "\n"
           "Started as the saver (a name ending in .scr, or with orrelume.scr beside it):\n"
           "  /S               run the saver full screen until a key, a click or mouse moves\n"
           "  /C, or nothing   open the properties dialog\n"
           "  /P <window id>   a preview with fewer stars inside that X window\n"
           "  /A <window id>   ends at once (there is no system password dialog here)\n"
           "  FILE.glx         import that template into your settings, then run the saver\n"
           "Only the first two characters of a switch count, in any case. Started as the\n"
           "application, the program shows the animation in a window of its own and reads\n"
           "only /C.\n"
           "\n"
           "As a hack of an X11 saver daemon, under any name:\n"
           "  -root            draw into the window XSCREENSAVER_WINDOW names, or else the\n"
           "                   root window (every monitor)\n"
           "  -window-id ID    draw into that window (decimal, or hexadecimal after 0x)\n"
           "  (no argument)    with XSCREENSAVER_WINDOW set: draw into that window\n"
           "A hack run handles no input; it ends on SIGTERM or SIGINT, or when its window\n"
           "goes. -install, -fps, -visual V and -window are accepted and ignored.\n"
           "\n"
           "\n"
           "  --add-to-xscreensaver\n"
           "                   add Orrelume to the programs: list of ~/.xscreensaver (the\n"
           "                   file as it was is kept as ~/.xscreensaver.before-orrelume)\n"
           "  -h, --help       print this and exit\n";
}

}  // namespace orrelume
