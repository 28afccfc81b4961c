// The template load into the dialog, the factory reset, the reset menu and
// the first-run flow.
#include "dialogs/settings_flow.h"

namespace orrelume {

std::string ResetQuestionText(int menuItem) {
    std::string text = "Do you really want to reset the Properties to the ";
    text += menuItem == kResetMenuItem20 ? "Orrelume 2.0 factory settings?"
                                         : "Orrelume 4.x factory settings?";
    text += "\r\n\r\n";
    text += "Yes      - Save current settings to 'propsave.glx' then Reset the Properties.";
    text += "\r\n";
    text += "No       - Reset Properties without saving current settings.";
    text += "\r\n";
    text += "Cancel - Don't Reset or Save Properties.";
    return text;
}

std::string SafetyCopyFailedText(std::string_view path, std::string_view why) {
    std::string text = "The current settings could not be saved to 'propsave.glx':";
    text += "\r\n\r\n";
    text += path;
    text += "\r\n";
    text += why.empty() ? std::string_view("The file could not be written.") : why;
    text += "\r\n\r\n";
    text += "Yes  - Reset the Properties anyway, without a copy of the current settings.";
    text += "\r\n";
    text += "No   - Don't Reset; the Properties stay as they are.";
    return text;
}

namespace {

// Saves the settings as the dialog holds them to the safety copy. When that
// fails the user decides: true to go on with the reset. The current template
// path is the copy only while the copy exists.
bool SaveSafetyCopy(const SettingsStore& store, SettingsSet& set, GalaxyTemplate& templates,
                    SettingsDialogPort& dialog, const std::string& safetyCopyPath,
                    const AdvancedTexts& heldAdvanced, TemplateProgress* progress) {
    const std::string keptPath = templates.CurrentTemplatePath();
    templates.SetCurrentTemplatePath(safetyCopyPath);
    std::string why;
    if (SaveTemplate(templates, store, set, progress, &heldAdvanced, &why)) return true;
    templates.SetCurrentTemplatePath(keptPath);
    return dialog.AskResetWithoutSafetyCopy(SafetyCopyFailedText(safetyCopyPath, why));
}

}  // namespace

bool LoadTemplate(GalaxyTemplate& templates, SettingsStore& store, SettingsSet& set,
                  SettingsDialogPort* dialog, TemplateProgress* progress,
                  AdvancedTexts* keepAdvanced) {
    if (progress == nullptr) progress = dialog;
    if (!LoadTemplateValues(templates, store, set, keepAdvanced)) return false;
    if (dialog != nullptr) dialog->ShowUniverseValues(set.universe);
    LoadTemplateTypes(templates, set, progress);
    if (dialog != nullptr) dialog->RefreshLists();
    return true;
}

bool ChooseUniverseTheme(int theme, bool use20Variant, SettingsSet& set,
                         SettingsDialogPort& dialog) {
    const std::optional<UniverseSettings> universe =
        UniverseThemeValues(theme, use20Variant, set.universe);
    if (!universe) return false;
    set.universe = *universe;
    dialog.ShowUniverseValues(set.universe);
    dialog.ClearCompositeSelection();
    return true;
}

void ResetToFactory(SettingsSet& set, SettingsDialogPort& dialog, int presetSet,
                    AdvancedTexts& heldAdvanced) {
    HoldAdvancedTexts(heldAdvanced, FactoryAdvancedTexts());
    ApplyCompositePresets(presetSet, set.composites);
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot)
        ApplyGalaxyPreset(presetSet, slot, set.types[slot]);
    dialog.RefreshLists();
    dialog.SelectFirstGalaxyType();
    dialog.ShowUniverseThemePosition(0);
    // Theme 1 has its own row in the 2.0 set.
    ChooseUniverseTheme(1, presetSet == kPresetSet20, set, dialog);
    dialog.ShowUniverseThemePosition(1);
    dialog.ShowFirstExtrasPage();
}

void LoadSettingsIntoDialog(const SettingsStore& store, SettingsSet& set,
                            SettingsDialogPort& dialog) {
    set = LoadAllSettings(store);
    dialog.ShowUniverseValues(set.universe);
    dialog.RefreshLists();
}

FirstRunOutcome RunFirstRunFlow(SettingsStore& store, SettingsSet& set, GalaxyTemplate& templates,
                                SettingsDialogPort& dialog, const std::string& safetyCopyPath,
                                AdvancedTexts& heldAdvanced) {
    const bool welcomed = store.ReadSettingInt16("General", "ResetSettings", -1) != -1;
    if (!welcomed) {
        store.WriteSetting("General", "ResetSettings", int16_t{1});
        store.Flush();
        const bool settingsExist = StoredSettingsExist(store);
        // The safety copy holds the settings as stored, whatever the dialog
        // held before.
        if (settingsExist) set = LoadAllSettings(store);
        const bool resetChosen = dialog.ShowWelcome(settingsExist, [&](TemplateProgress* progress) {
            return SaveSafetyCopy(store, set, templates, dialog, safetyCopyPath, heldAdvanced,
                                  progress);
        });
        if (resetChosen) {
            ResetToFactory(set, dialog, kPresetSet4x, heldAdvanced);
            return FirstRunOutcome::kWelcomeReset;
        }
        if (!StoredSettingsExist(store)) {
            ResetToFactory(set, dialog, kPresetSet4x, heldAdvanced);
            return FirstRunOutcome::kWelcomeFactory;
        }
        LoadSettingsIntoDialog(store, set, dialog);
        return FirstRunOutcome::kWelcomeLoaded;
    }

    if (!StoredSettingsExist(store)) {
        ResetToFactory(set, dialog, kPresetSet4x, heldAdvanced);
        // A store that cannot be written says so (the write test's message)
        // and the factory values stay in the dialog, to be accepted later.
        if (!SaveAllSettings(store, set, &heldAdvanced)) return FirstRunOutcome::kResetNotSaved;
        heldAdvanced.clear();
        // The save validated the set in place; the lists show it as stored.
        dialog.RefreshLists();
        return FirstRunOutcome::kResetAndSaved;
    }
    LoadSettingsIntoDialog(store, set, dialog);
    return FirstRunOutcome::kLoaded;
}

bool OfferReset(const SettingsStore& store, SettingsSet& set, GalaxyTemplate& templates,
                SettingsDialogPort& dialog, int menuItem, const std::string& safetyCopyPath,
                AdvancedTexts& heldAdvanced) {
    if (menuItem != kResetMenuItem20 && menuItem != kResetMenuItem4x) return false;
    const int presetSet = menuItem == kResetMenuItem20 ? kPresetSet20 : kPresetSet4x;

    const std::string keptPath = templates.CurrentTemplatePath();
    dialog.SetResetMenuItemChecked(menuItem, true);

    bool reset = false;
    switch (dialog.AskResetQuestion(ResetQuestionText(menuItem))) {
        case ResetAnswer::kYes:
            reset = SaveSafetyCopy(store, set, templates, dialog, safetyCopyPath, heldAdvanced,
                                   &dialog);
            break;
        case ResetAnswer::kNo:
            reset = true;
            break;
        case ResetAnswer::kCancel:
            break;
    }
    if (reset) ResetToFactory(set, dialog, presetSet, heldAdvanced);

    templates.SetCurrentTemplatePath(keptPath);
    dialog.SetResetMenuItemChecked(menuItem, false);
    return reset;
}

}  // namespace orrelume
