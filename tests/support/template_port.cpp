#include "support/template_port.h"

#include <algorithm>

namespace orrelume::testing {

void RecordingDialog::ShowUniverseValues(const UniverseSettings& universe) {
    calls.push_back("universe");
    shownUniverse = universe;
}

void RecordingDialog::RefreshLists() {
    calls.push_back("lists");
}

void RecordingDialog::SelectFirstGalaxyType() {
    calls.push_back("first type");
}

void RecordingDialog::ShowUniverseThemePosition(int position) {
    calls.push_back("theme " + std::to_string(position));
}

void RecordingDialog::ShowFirstExtrasPage() {
    calls.push_back("extras");
}

void RecordingDialog::ClearCompositeSelection() {
    calls.push_back("clear composite");
}

bool RecordingDialog::ShowWelcome(
    bool offerReset, const std::function<bool(TemplateProgress*)>& saveCurrentSettings) {
    calls.push_back(offerReset ? "welcome offer" : "welcome");
    // The reset button exists only when it is offered; a window whose save
    // gives false stays open, and is then closed.
    if (!offerReset || !pressWelcomeReset) return false;
    return saveCurrentSettings(this);
}

ResetAnswer RecordingDialog::AskResetQuestion(std::string_view text) {
    calls.push_back("ask");
    question = std::string(text);
    checkedWhenAsked = checked_;
    return answer;
}

bool RecordingDialog::AskResetWithoutSafetyCopy(std::string_view text) {
    calls.push_back("no copy");
    noCopyQuestion = std::string(text);
    return resetWithoutCopy;
}

void RecordingDialog::SetResetMenuItemChecked(int item, bool checked) {
    calls.push_back((checked ? "check " : "uncheck ") + std::to_string(item));
    checked_.erase(std::remove(checked_.begin(), checked_.end(), item), checked_.end());
    if (checked) checked_.push_back(item);
}

void RecordingDialog::ReportProgress(int step, int total) {
    if (total == kTemplateProgressSteps) progress.push_back(step);
}

bool RecordingDialog::Called(const std::string& call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

}  // namespace orrelume::testing
