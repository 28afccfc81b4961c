// A properties dialog stand-in for the template and reset tests: it records
// what it is told to show and answers the questions as set up.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialogs/dialog_port.h"

namespace orrelume::testing {

class RecordingDialog : public SettingsDialogPort {
  public:
    // How the welcome window and the reset question are answered.
    bool pressWelcomeReset = false;
    ResetAnswer answer = ResetAnswer::kCancel;
    // The answer when the safety copy could not be written (true: reset
    // without it).
    bool resetWithoutCopy = false;

    // What happened, in order ("universe", "lists", "first type", "theme 1",
    // "extras", "clear composite", "welcome offer"/"welcome", "ask",
    // "check 2"/"uncheck 2", "no copy").
    std::vector<std::string> calls;
    std::optional<UniverseSettings> shownUniverse;
    std::vector<int> progress;
    std::string question;
    std::string noCopyQuestion;
    // The menu items checked when the question was asked.
    std::vector<int> checkedWhenAsked;

    void ShowUniverseValues(const UniverseSettings& universe) override;
    void RefreshLists() override;
    void SelectFirstGalaxyType() override;
    void ShowUniverseThemePosition(int position) override;
    void ShowFirstExtrasPage() override;
    void ClearCompositeSelection() override;
    bool ShowWelcome(bool offerReset,
                     const std::function<bool(TemplateProgress*)>& saveCurrentSettings) override;
    ResetAnswer AskResetQuestion(std::string_view text) override;
    bool AskResetWithoutSafetyCopy(std::string_view text) override;
    void SetResetMenuItemChecked(int item, bool checked) override;
    void ReportProgress(int step, int total) override;

    bool Called(const std::string& call) const;

  private:
    std::vector<int> checked_;
};

}  // namespace orrelume::testing
