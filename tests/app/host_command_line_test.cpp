#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "host/command_line.h"
#include "host/hack.h"

namespace orrelume {
namespace {

TEST(HostCommandLine, TheFirstTwoCharactersDecideInAnyCase) {
    EXPECT_EQ(ParseCommandLine("/S").action, StartAction::Saver);
    EXPECT_EQ(ParseCommandLine("/s").action, StartAction::Saver);
    EXPECT_EQ(ParseCommandLine("/Sanything else").action, StartAction::Saver);
    EXPECT_EQ(ParseCommandLine("/c").action, StartAction::Configure);
    EXPECT_EQ(ParseCommandLine("/c:1234").action, StartAction::Configure);
    EXPECT_EQ(ParseCommandLine("").action, StartAction::Configure);
    EXPECT_EQ(ParseCommandLine("   ").action, StartAction::Configure);
    // A leading blank hides the switch: the saver runs, but through the
    // branch that makes no single-instance check.
    EXPECT_EQ(ParseCommandLine(" /S").action, StartAction::SaverOther);
    EXPECT_EQ(ParseCommandLine("-s").action, StartAction::SaverOther);
    EXPECT_EQ(ParseCommandLine("/").action, StartAction::SaverOther);
}

TEST(HostCommandLine, WindowHandlesAreReadLikeNumbers) {
    const StartCommand blank = ParseCommandLine("/p 2097");
    EXPECT_EQ(blank.action, StartAction::Preview);
    EXPECT_EQ(blank.window, 2097u);
    EXPECT_EQ(ParseCommandLine("/P:2097").window, 0u);
    EXPECT_EQ(ParseCommandLine("/p").window, 0u);
    EXPECT_EQ(ParseCommandLine("/p 12.5").window, 12u);  // halves to even
    EXPECT_EQ(ParseCommandLine("/p 4194305xyz").window, 4194305u);
    const StartCommand password = ParseCommandLine("/a 77");
    EXPECT_EQ(password.action, StartAction::PasswordChange);
    EXPECT_EQ(password.window, 77u);
    // Nothing that is not a window number of 32 bits becomes one.
    EXPECT_EQ(ReadWindowHandle(" -5"), 0u);
    EXPECT_EQ(ReadWindowHandle("99999999999"), 0u);
    EXPECT_EQ(ReadWindowHandle("1e999"), 0u);
    EXPECT_EQ(ReadWindowHandle("2147483647"), 2147483647u);
}

TEST(HostCommandLine, HackFormsComeFirst) {
    using V = std::vector<std::string>;
    EXPECT_EQ(ParseHackCommand({"-root"}, nullptr).target, HackTarget::Root);
    EXPECT_EQ(ParseHackCommand({"--root", "-fps"}, nullptr).target, HackTarget::Root);
    // The daemon's own window stands for the root.
    HackCommand daemon = ParseHackCommand({"-root"}, "0x1a00007");
    EXPECT_EQ(daemon.target, HackTarget::Window);
    EXPECT_EQ(daemon.window, 0x1a00007u);
    daemon = ParseHackCommand({}, " 2097 ");
    EXPECT_EQ(daemon.target, HackTarget::Window);
    EXPECT_EQ(daemon.window, 2097u);
    // Without it a bare start is no hack (the properties dialog).
    EXPECT_EQ(ParseHackCommand({}, nullptr).target, HackTarget::None);
    EXPECT_EQ(ParseHackCommand({}, "").target, HackTarget::None);
    EXPECT_EQ(ParseHackCommand({"/C"}, "77").target, HackTarget::None);
    HackCommand id = ParseHackCommand({"-install", "-window-id", "0XFF"}, nullptr);
    EXPECT_EQ(id.target, HackTarget::Window);
    EXPECT_EQ(id.window, 255u);
    EXPECT_EQ(ParseHackCommand({"--window-id=123"}, nullptr).window, 123u);
    // A bad id is no window: the run draws nothing rather than guessing.
    for (const V& bad : {V{"-window-id"}, V{"-window-id", "abc"}, V{"-window-id", "0"},
                         V{"-window-id", "4294967296"}, V{"-window-id", "0x1ffffffff"},
                         V{"-window-id", "-5"}, V{"-window-id", "12abc"}, V{"-window-id", "0x"}}) {
        const HackCommand c = ParseHackCommand(bad, nullptr);
        EXPECT_EQ(c.target, HackTarget::Window) << bad.back();
        EXPECT_EQ(c.window, 0u) << bad.back();
    }
    EXPECT_EQ(ParseHackCommand({"-window-id", "4294967295"}, nullptr).window, 4294967295u);
    EXPECT_EQ(ParseHackCommand({"-root", "--help"}, nullptr).target, HackTarget::Help);
    EXPECT_EQ(ParseHackCommand({"-h"}, "5").target, HackTarget::Help);
    // The saver's own switches are no hack forms.
    EXPECT_EQ(ParseHackCommand({"/S"}, nullptr).target, HackTarget::None);
    EXPECT_EQ(ParseHackCommand({"/p", "2097"}, nullptr).target, HackTarget::None);
}

TEST(HostCommandLine, TemplateFilesByTheirLastFourCharacters) {
    const StartCommand glx = ParseCommandLine("/home/me/Spiral Arms.GlX");
    EXPECT_EQ(glx.action, StartAction::Template);
    EXPECT_EQ(glx.templatePath, "/home/me/Spiral Arms.GlX");
    EXPECT_EQ(ParseCommandLine("themes/a.glx ").action, StartAction::SaverOther);
    EXPECT_EQ(ParseCommandLine("themes/a.glx.bak").action, StartAction::SaverOther);
    // The switches come first: "/s" ending in ".glx" is still the saver.
    EXPECT_EQ(ParseCommandLine("/s.glx").action, StartAction::Saver);
}

TEST(HostCommandLine, ArgumentsJoinWithSingleBlanks) {
    char a0[] = "orrelume", a1[] = " /S", a2[] = "x";
    char* argv[] = {a0, a1, a2, nullptr};
    EXPECT_EQ(CommandLineText(3, argv), " /S x");
    EXPECT_EQ(CommandLineText(1, argv), "");
}

TEST(HostProgramFamily, TheSaverTwinDecides) {
    std::set<std::string> files;
    auto exists = [&files](const std::string& p) { return files.count(p) > 0; };

    // The build's program alone is the application.
    files = {"/opt/o/orrelume"};
    EXPECT_EQ(ProgramRunMode("/opt/o/orrelume", exists), 0);
    // With its twin beside it, it is the saver.
    files = {"/opt/o/orrelume", "/opt/o/orrelume.scr"};
    EXPECT_EQ(ProgramRunMode("/opt/o/orrelume", exists), 1);
    EXPECT_EQ(ProgramRunMode("/opt/o/orrelume.scr", exists), 1);
    // The twin alone (a symlink in a folder of its own) is the saver.
    files = {"/savers/orrelume.scr"};
    EXPECT_EQ(ProgramRunMode("/savers/orrelume.scr", exists), 1);
    EXPECT_EQ(ProgramRunMode("/savers/orrelume.SCR", exists), 1);
    // An application file named with ".exe" counts as well.
    files = {"bin/orrelume.exe"};
    EXPECT_EQ(ProgramRunMode("bin/orrelume.exe", exists), 0);
    // Only ".exe" and ".scr" are extensions: a dotted name is a name.
    files = {"/usr/bin/orrelume-4.1"};
    EXPECT_EQ(ProgramRunMode("/usr/bin/orrelume-4.1", exists), 0);
    // A relative name without a folder.
    files = {"orrelume"};
    EXPECT_EQ(ProgramRunMode("orrelume", exists), 0);
}

TEST(HostXScreenSaverPrograms, TheLineGoesFirstIntoTheListAndNothingElseChanges) {
    const std::string before = "timeout:\t0:10:00\r\n";
    const std::string list =
        "programs:\t\t\t\t\t\t\t\t      \\\n"
        "\t\t\t\t  lines -root\t\t\t\t    \\n\\\n"
        "  -\t\t\t\t  dots -root\t\t\t\t    \\n\n";
    const std::string after = "\npointerHysteresis: 10\n";
    const ProgramsEditResult added = AddToXScreenSaverPrograms(before + list + after);
    ASSERT_EQ(added.outcome, ProgramsEdit::Added);
    const size_t at = before.size() + list.find('\n') + 1;
    EXPECT_EQ(added.text, (before + list + after).insert(at, kXScreenSaverProgramLine));
    // A second run finds it.
    EXPECT_EQ(AddToXScreenSaverPrograms(added.text).outcome, ProgramsEdit::AlreadyListed);
    // "lines" on the line below "programs:" stays in the list, as entries go.
    EXPECT_NE(added.text.find(std::string(kXScreenSaverProgramLine) + "\t\t\t\t  lines"),
              std::string::npos);

    // A list the daemon did not write, or none at all: nothing changes.
    EXPECT_EQ(AddToXScreenSaverPrograms("programs: lines -root\n").outcome, ProgramsEdit::NoList);
    EXPECT_EQ(AddToXScreenSaverPrograms("timeout: 0:10:00\n").outcome, ProgramsEdit::NoList);
    EXPECT_EQ(AddToXScreenSaverPrograms("programs: \\").outcome, ProgramsEdit::NoList);
    // A later key that merely mentions the name is not the list.
    EXPECT_EQ(
        AddToXScreenSaverPrograms("programs:  \\\n  lines -root \\n\n\nx: orrelume\n").outcome,
        ProgramsEdit::Added);
}

}  // namespace
}  // namespace orrelume
