#include "host/help.h"

namespace orrelume {

// Placeholder until the manual exists: every topic is the front page and
// nothing is shown.
std::string_view HelpPageOf(HelpTopic) {
    return "index.html";
}

void ShowHelp(QWidget*, HelpTopic) {}

void OpenHomePage(QWidget*) {}

}  // namespace orrelume
