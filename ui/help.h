// The program's manual: HTML pages installed with the program, shown in a
// help window (or the desktop's browser) at the page of the asking window,
// and the project's home page opened through the desktop.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace orrelume {

// The pages of the manual: its front page, its search, and one page per
// window that has a Help button or menu.
enum class HelpTopic {
    Contents,
    Search,
    Properties,
    AdvancedSettings,
    GalaxyLevels,
    UserDefinedIfs,
    Molecules,
    Templates,
    SystemDiagnostics,
    About,
    Welcome,
};

inline constexpr std::array<HelpTopic, 11> kHelpTopics = {
    HelpTopic::Contents,          HelpTopic::Search,
    HelpTopic::Properties,        HelpTopic::AdvancedSettings,
    HelpTopic::GalaxyLevels,      HelpTopic::UserDefinedIfs,
    HelpTopic::Molecules,         HelpTopic::Templates,
    HelpTopic::SystemDiagnostics, HelpTopic::About,
    HelpTopic::Welcome,
};

// The project's home page, which the about box's link and the Help menu
// open. The one place that names it.
inline constexpr std::string_view kHomePageAddress = "https://orrelume.org/";

// The file name of a topic's page within the manual ("index.html", ...).
std::string_view HelpPageOf(HelpTopic topic);

// The folder that holds the manual: the one installed with the program
// (share/doc/... beside the program's folder, then the folder it was
// installed to), else the source tree's docs/manual for a program run from
// its build folder. Empty when none holds the front page.
std::string ManualDirectory();

// Shows the manual at a topic's page, over `parent`. The search topic opens
// the search page with the cursor in the help window's search field. When
// the manual cannot be found, an information box says where it was looked
// for.
void ShowHelp(QWidget* parent, HelpTopic topic);

// Closes the help window, if one is open (the properties dialog does when
// it closes).
void CloseHelp();

// Opens the project's home page through the desktop; when that fails, an
// information box shows the address and "The Web Page could not be
// reached.".
void OpenHomePage(QWidget* parent);

// Opens a web address through the desktop; true when the desktop took it.
// Both the home page and the manual's outside links go through it.
bool OpenWebAddress(std::string_view address);

// Replaces how web addresses reach the desktop (tests stand in for the
// browser); an empty function puts the desktop back.
void SetWebOpener(std::function<bool(std::string_view address)> opener);

}  // namespace orrelume
