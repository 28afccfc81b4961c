// The program's manual: HTML pages installed with the program, shown in a
// help window (or the desktop's browser) at the page of the asking window,
// and the project's home page opened through the desktop.
#pragma once

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

// The file name of a topic's page within the manual ("index.html", ...).
std::string_view HelpPageOf(HelpTopic topic);

// Shows the manual at a topic's page, over `parent`.
void ShowHelp(QWidget* parent, HelpTopic topic);

// Opens the project's home page through the desktop; when that fails, an
// information box shows the address and "The Web Page could not be
// reached.".
void OpenHomePage(QWidget* parent);

}  // namespace orrelume
