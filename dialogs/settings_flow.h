// What the properties dialog does with its working set through its port:
// opening a template, loading the stored settings, choosing a universe theme,
// the factory reset, the reset menu with its safety copy "propsave.glx", and
// the first-run flow that greets the user when the dialog opens for the
// first time.
//
// These run on the dialog's working set (types, composites and universe
// values in memory) and tell the dialog what to show through its port. The
// advanced values a reset puts in place are held with the rest, so that
// cancelling the dialog undoes a reset whole; they reach the store with
// everything else when the dialog's settings are accepted.
#pragma once

#include <string>
#include <string_view>

#include "dialogs/dialog_port.h"
#include "settings/factory_themes.h"
#include "settings/records.h"
#include "settings/template_file.h"

namespace orrelume {

// The items of the reset menu: 0 the 2.0 set, 1 a separator, 2 the 4.x set.
inline constexpr int kResetMenuItem20 = 0;
inline constexpr int kResetMenuItem4x = 2;

// The reset question for a menu item (0 or 2).
std::string ResetQuestionText(int menuItem);
// The question when the copy before a reset could not be written to `path`
// for the reason `why`.
std::string SafetyCopyFailedText(std::string_view path, std::string_view why);

// Choosing universe theme `theme` (1..8) in the dialog: the universe values
// take the theme's row and the composite editor is cleared. Other positions
// do nothing and give false.
bool ChooseUniverseTheme(int theme, bool use20Variant, SettingsSet& set,
                         SettingsDialogPort& dialog);

// The factory reset to `presetSet`: the advanced factory values are held in
// `heldAdvanced`; the composites and the 50 types take the set's presets; the
// first type is selected and universe theme 1 fills the universe values (its
// 2.0 row for the 2.0 set).
void ResetToFactory(SettingsSet& set, SettingsDialogPort& dialog, int presetSet,
                    AdvancedTexts& heldAdvanced);

// The template dialog's open action: the advanced values go to the store at
// once, or are held over `keepAdvanced` when given (a dialog that stores
// them only when accepted); the universe values, types and composites into
// `set` and the dialog (when given), whose universe controls show their
// values while the rest loads. Progress goes to `progress`, or to the dialog
// when none is given. The current template path is read; a file that cannot
// be read changes nothing and gives false.
bool LoadTemplate(GalaxyTemplate& templates, SettingsStore& store, SettingsSet& set,
                  SettingsDialogPort* dialog, TemplateProgress* progress = nullptr,
                  AdvancedTexts* keepAdvanced = nullptr);

// Loads the stored universe values, types and composites into the dialog.
void LoadSettingsIntoDialog(const SettingsStore& store, SettingsSet& set,
                            SettingsDialogPort& dialog);

enum class FirstRunOutcome {
    kWelcomeReset,    // welcome shown; the user chose the reset (after a safety copy)
    kWelcomeFactory,  // welcome shown; no settings existed, so the factory set is in place
    kWelcomeLoaded,   // welcome shown; the user kept the existing settings
    kResetAndSaved,   // no welcome; settings were missing: factory set, saved
    kResetNotSaved,   // as above, but the store could not be written
    kLoaded,          // the stored settings were loaded
};

// Run by the properties dialog as it opens. The first time ("ResetSettings"
// absent) the welcome window is shown; its reset saves the current settings
// to `safetyCopyPath`, which then is the current template path. When settings
// were never stored ("AnimationType" absent) the 4.x factory set is put in
// place (and, when the welcome has run before, saved at once). The advanced
// values of a reset that is not saved here are held in `heldAdvanced`.
FirstRunOutcome RunFirstRunFlow(SettingsStore& store, SettingsSet& set, GalaxyTemplate& templates,
                                SettingsDialogPort& dialog, const std::string& safetyCopyPath,
                                AdvancedTexts& heldAdvanced);

// The reset menu: asks whether to save the current settings (with the
// advanced values held in `heldAdvanced` over the stored ones) to
// `safetyCopyPath` first (Yes), reset without saving (No) or do nothing
// (Cancel). The menu item is checked while the action runs, and the current
// template path is the same afterwards as before. True when the settings were
// reset. When the safety copy cannot be written the user is told where and
// why, and chooses between resetting without it and not resetting at all.
bool OfferReset(const SettingsStore& store, SettingsSet& set, GalaxyTemplate& templates,
                SettingsDialogPort& dialog, int menuItem, const std::string& safetyCopyPath,
                AdvancedTexts& heldAdvanced);

}  // namespace orrelume
