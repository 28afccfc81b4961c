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

}  // namespace orrelume
