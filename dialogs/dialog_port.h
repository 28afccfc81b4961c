// What the template load, the factory reset and the first-run flow
// (dialogs/settings_flow.h) ask of the properties dialog. The dialog
// implements it; tests record the calls.
//
// The dialog edits a SettingsSet in memory: the 50 galaxy types, the 16
// composites, and the universe values that its universe controls show. The
// functions that take a dialog port change that set and then tell the dialog
// what to show; nothing here reaches into the dialog's widgets.
#pragma once

#include <functional>
#include <string_view>

#include "settings/records.h"
#include "settings/template_file.h"

namespace orrelume {

enum class ResetAnswer { kYes, kNo, kCancel };

class SettingsDialogPort : public TemplateProgress {
  public:
    // Fills the universe controls with these values.
    virtual void ShowUniverseValues(const UniverseSettings& universe) = 0;
    // Rebuilds the galaxy type and composite lists from the set's records.
    virtual void RefreshLists() = 0;
    // Selects the first galaxy type of the list.
    virtual void SelectFirstGalaxyType() = 0;
    // Shows the universe theme list at a position (0 "< NONE >", 1..8 the
    // themes) without applying a theme.
    virtual void ShowUniverseThemePosition(int position) = 0;
    // Sets the dialog's extras list to its first position.
    virtual void ShowFirstExtrasPage() = 0;
    // Clears the composite editor: no composite, major or minor type chosen.
    virtual void ClearCompositeSelection() = 0;

    // Shows the welcome window modally. With `offerReset` it offers its
    // button "Reset Properties to the Current Factory Settings"; when that is
    // pressed, the window calls `saveCurrentSettings` with its status box as
    // progress display (the current settings go to "propsave.glx") and then
    // closes, unless that gives false (the user chose not to reset after all:
    // the window stays open). True when the reset was chosen.
    virtual bool ShowWelcome(bool offerReset,
                             const std::function<bool(TemplateProgress*)>& saveCurrentSettings) = 0;
    // Asks the Yes/No/Cancel question of a reset (title "Orrelume", question
    // icon).
    virtual ResetAnswer AskResetQuestion(std::string_view text) = 0;
    // The copy of the settings before a reset could not be written: asks,
    // with Yes and No (title "Orrelume", warning icon), whether to reset
    // without it. True for Yes.
    virtual bool AskResetWithoutSafetyCopy(std::string_view text) = 0;
    // Checks or unchecks item `item` of the reset menu (0 the 2.0 set, 2 the
    // 4.x set).
    virtual void SetResetMenuItemChecked(int item, bool checked) = 0;
};

}  // namespace orrelume
