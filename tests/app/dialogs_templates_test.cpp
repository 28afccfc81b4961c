// Templates, resets and the welcome from the properties dialog: the
// chooser's file types, a template held in the dialog until Accept, a file
// that is no template, the reset menu and the two greetings. The chooser's
// paths without its window are tested in tests/core/template_paths_test.cpp.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "app/host_test_app.h"
#include "dialogs/advanced_dialog.h"
#include "dialogs/properties_dialog.h"
#include "dialogs/template_dialog.h"
#include "dialogs/template_paths.h"
#include "dialogs/welcome_window.h"
#include "platform/qsettings_backend.h"
#include "settings/factory_themes.h"
#include "settings/memory_backend.h"
#include "support/app/dialog_rig.h"
#include "support/store_sets.h"

namespace orrelume {
namespace {

using test::AnswerNextBox;

// "All Files (*.*)" reads as it is and lists files without a dot too.
TEST(TemplateChooser, AllFilesListsFilesWithoutADot) {
    test::HostTestApp();
    MemoryBackend user;
    SettingsStore store(&user);
    HostState host;
    frmFileIO chooser(store, host, true, "Open", kTemplateFileTypes, kTemplateExtension);
    auto* combo = chooser.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* model = chooser.findChild<QFileSystemModel*>();
    ASSERT_NE(combo, nullptr);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(combo->itemText(0), "Galaxy Templates (*.glx)");
    ASSERT_EQ(combo->itemText(1), "All Files (*.*)");
    EXPECT_EQ(model->nameFilters(), QStringList{"*.glx"});
    chooser.selectNameFilter(chooser.nameFilters().at(1));
    EXPECT_EQ(model->nameFilters(), QStringList{"*"});
}

// The dialog's store, and a folder for the templates.
struct TemplateRig : test::DialogRig {
    testing::ScratchDir dir;
};

TEST(PropertiesTemplates, HeldUntilAcceptAndRefusedWhenNotATemplate) {
    TemplateRig rig;
    // A template with other values, written by another dialog.
    const std::string path = rig.dir.File("other.glx");
    {
        frmProps writer(rig.store, rig.process);
        writer.WorkingSet().universe.stars = 1234;
        writer.ShowUniverseValues(writer.WorkingSet().universe);
        writer.WorkingSet().types[0].name = "From the template";
        ASSERT_TRUE(writer.SaveTemplateFile(path));
    }
    const std::string text = testing::ReadFileBytes(path);
    std::string withMessage = text;
    const size_t at = withMessage.find("LockMessage=");
    ASSERT_NE(at, std::string::npos);
    withMessage.insert(at + 12, "Hello");
    testing::WriteFileBytes(path, withMessage);
    const auto before = rig.Settings();

    // Opened, then cancelled: the store, advanced values included, is as it was.
    {
        frmProps dialog(rig.store, rig.process);
        dialog.show();
        ASSERT_TRUE(dialog.OpenTemplateFile(path));
        EXPECT_EQ(dialog.WorkingSet().types[0].name, "From the template");
        dialog.CancelButton().click();
    }
    EXPECT_EQ(rig.Settings(), before);

    // A picture is no template: one message, nothing changes.
    testing::WriteFileBytes(rig.dir.File("picture.glx"), "\x89PNG\r\n\x1a\n....");
    frmProps dialog(rig.store, rig.process);
    dialog.show();
    const SettingsSet held = dialog.WorkingSet();
    AnswerNextBox(QMessageBox::Ok);
    EXPECT_FALSE(dialog.OpenTemplateFile(rig.dir.File("picture.glx")));
    EXPECT_EQ(dialog.WorkingSet().types, held.types);
    EXPECT_TRUE(dialog.Templates().CurrentTemplatePath().empty());

    // Opened and accepted: everything the template holds is stored.
    ASSERT_TRUE(dialog.OpenTemplateFile(path));
    EXPECT_TRUE(dialog.AcceptSettings());
    EXPECT_EQ(rig.store.ReadSettingText("Advanced", "LockMessage", ""), "Hello");
    EXPECT_EQ(rig.store.ReadSettingText("Universe", "Universe_Stars", ""), "1234");
    EXPECT_EQ(rig.store.ReadSettingText("Universe\\Galaxy0", "_UniGalName", ""),
              "From the template");

    // A save where nothing can be written says so and reports failure.
    frmProps again(rig.store, rig.process);
    AnswerNextBox(QMessageBox::Ok);
    EXPECT_FALSE(again.SaveTemplateFile("/dev/null/x/t.glx"));
}

TEST(PropertiesTemplates, ResetMenuAsksAndCancelKeepsEverything) {
    TemplateRig rig;
    frmProps dialog(rig.store, rig.process);
    dialog.show();
    dialog.WorkingSet().types[3].name = "Mine";
    AnswerNextBox(QMessageBox::Cancel);
    EXPECT_FALSE(dialog.ResetProperties(2));
    EXPECT_EQ(dialog.WorkingSet().types[3].name, "Mine");

    // No: reset to the 2.0 set without a safety copy; its slots 32..49 are
    // "Undefined".
    AnswerNextBox(QMessageBox::No);
    EXPECT_TRUE(dialog.ResetProperties(0));
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot)
        EXPECT_EQ(dialog.WorkingSet().types[slot].name, GalaxyPresetName(kPresetSet20, slot));
    EXPECT_EQ(dialog.WorkingSet().types[40].name, "Undefined");
}

// Save Template asks before it replaces a file this dialog neither opened
// nor saved; the settings file itself is no template.
TEST(PropertiesTemplates, ForeignFilesAreAskedAboutAndTheSettingsFileRefused) {
    TemplateRig rig;
    const std::string copy = rig.dir.File("propsave.glx");
    testing::WriteFileBytes(copy, "the only copy");
    frmProps dialog(rig.store, rig.process);
    dialog.show();
    AnswerNextBox(QMessageBox::No);
    EXPECT_FALSE(dialog.SaveTemplateFile(copy));
    EXPECT_EQ(testing::ReadFileBytes(copy), "the only copy");
    EXPECT_TRUE(dialog.Templates().CurrentTemplatePath().empty());
    AnswerNextBox(QMessageBox::Yes);
    EXPECT_TRUE(dialog.SaveTemplateFile(copy));
    // Saved by this dialog: saved again without a question (a question
    // would be answered No and fail the save).
    AnswerNextBox(QMessageBox::No);
    EXPECT_TRUE(dialog.SaveTemplateFile(copy));

    // The settings file as the program writes it.
    const std::string settingsFile = rig.dir.File("QUIV_Galaxy.ini");
    {
        QSettingsBackend backend(settingsFile);
        SettingsStore store(&backend);
        SettingsSet set = FactorySettingsSet(kPresetSet4x);
        ASSERT_TRUE(SaveAllSettings(store, set));
    }
    const SettingsSet held = dialog.WorkingSet();
    AnswerNextBox(QMessageBox::Ok);
    EXPECT_FALSE(dialog.OpenTemplateFile(settingsFile));
    EXPECT_EQ(dialog.WorkingSet().types, held.types);
}

// Menu actions that change the settings stop a running preview first and
// then go on, so the settings never change under it.
TEST(PropertiesTemplates, ResetAndOpenDuringAPreviewStopItFirst) {
    TemplateRig rig;
    const std::string path = rig.dir.File("toured.glx");
    {
        frmProps writer(rig.store, rig.process);
        writer.WorkingSet().universe.tour = 0;
        writer.WorkingSet().types[0].name = "Toured";
        writer.ShowUniverseValues(writer.WorkingSet().universe);
        ASSERT_TRUE(writer.SaveTemplateFile(path));
    }
    frmProps dialog(rig.store, rig.process);
    dialog.show();
    auto& tour = *dialog.findChild<QCheckBox*>(QStringLiteral("chkUniTour"));
    auto& steps = *dialog.findChild<QLineEdit*>(QStringLiteral("txtUni_30"));
    if (tour.isChecked()) tour.click();
    ASSERT_FALSE(steps.isEnabled());
    dialog.WorkingSet().types[3].name = "Mine";

    bool deferred = false;
    QTimer::singleShot(100, [&] {
        AnswerNextBox(QMessageBox::No);
        deferred = !dialog.ResetProperties(2) && dialog.WorkingSet().types[3].name == "Mine";
    });
    dialog.TogglePreview(PreviewKind::Universe);
    EXPECT_TRUE(deferred);
    EXPECT_FALSE(dialog.PreviewRunning());
    EXPECT_EQ(dialog.WorkingSet().types[3].name, GalaxyPresetName(kPresetSet4x, 3));

    if (tour.isChecked()) tour.click();
    bool stepsEnabledWhileRunning = true;
    QTimer::singleShot(100, [&] {
        EXPECT_FALSE(dialog.OpenTemplateFile(path));
        stepsEnabledWhileRunning = steps.isEnabled();
    });
    dialog.TogglePreview(PreviewKind::Universe);
    EXPECT_FALSE(stepsEnabledWhileRunning);
    EXPECT_EQ(dialog.WorkingSet().types[0].name, "Toured");
    EXPECT_FALSE(steps.isEnabled());
}

// The settings file without the sections that record where windows were.
std::string WithoutPlacements(const std::string& text) {
    std::string out;
    bool placement = false;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = text.substr(start, end - start + 1);
        if (line.starts_with('[')) placement = line.starts_with("[General\\");
        if (!placement) out += line;
    }
    return out;
}

// Cancel after any mix of edits, resets, templates and advanced settings
// leaves the settings file byte for byte as it was, but for the windows'
// placements.
TEST(PropertiesTemplates, CancelLeavesTheSettingsFileAsItWas) {
    test::HostTestApp();
    testing::ScratchDir dir;
    const std::string file = dir.File("QUIV_Galaxy.ini");
    QSettingsBackend backend(file);
    testing::CapturingSink sink;
    SettingsStore store(&backend, nullptr, &sink);
    HostState process;
    {
        SettingsSet set = testing::GenerationSet(4);
        store.WriteSetting("General", "ResetSettings", int16_t{1});
        store.WriteSetting("Advanced", "LockMessage", "Mine");
        ASSERT_TRUE(SaveAllSettings(store, set));
    }
    // Edit, Advanced Settings with `edit` done to it once it shows.
    const auto advancedSettings = [](frmProps& dialog, std::function<void(frmAdvanced&)> edit) {
        QTimer::singleShot(0, [edit] {
            auto* advanced = qobject_cast<frmAdvanced*>(QApplication::activeModalWidget());
            ASSERT_NE(advanced, nullptr);
            edit(*advanced);
        });
        dialog.findChild<QAction*>(QStringLiteral("mnuEditArray_1"))->trigger();
    };
    const std::string path = dir.File("theirs.glx");
    {
        frmProps writer(store, process);
        writer.WorkingSet().types[0].name = "Theirs";
        ASSERT_TRUE(writer.SaveTemplateFile(path));
        writer.reject();
        std::string text = testing::ReadFileBytes(path);
        text.replace(text.find("LockMessage=Mine"), 16, "LockMessage=Theirs");
        testing::WriteFileBytes(path, text);
    }
    const std::string before = testing::ReadFileBytes(file);

    frmProps dialog(store, process);
    dialog.show();
    dialog.findChild<QLineEdit*>(QStringLiteral("txtUni_0"))->setText("777");
    AnswerNextBox(QMessageBox::No);
    ASSERT_TRUE(dialog.ResetProperties(0));
    ASSERT_TRUE(dialog.OpenTemplateFile(path));
    // Advanced Settings shows the held values and holds what OK gives.
    QString shownMessage;
    advancedSettings(dialog, [&](frmAdvanced& advanced) {
        auto* message = advanced.findChild<QLineEdit*>(QStringLiteral("txtMessage"));
        shownMessage = message->text();
        message->setText("Changed");
        advanced.OkButton().click();
    });
    EXPECT_EQ(shownMessage, "Theirs");
    EXPECT_EQ(dialog.HeldStore().ReadSettingText("Advanced", "LockMessage", ""), "Changed");
    AnswerNextBox(QMessageBox::No);
    ASSERT_TRUE(dialog.ResetProperties(2));
    EXPECT_EQ(dialog.HeldStore().ReadSettingText("Advanced", "LockMessage", "?"), "");
    dialog.CancelButton().click();
    EXPECT_EQ(WithoutPlacements(testing::ReadFileBytes(file)), WithoutPlacements(before));
}

TEST(Welcome, TheTwoGreetings) {
    test::HostTestApp();
    frmWelcome earlier(true, nullptr, QStringLiteral("/somewhere"));
    EXPECT_FALSE(earlier.ResetButton().isHidden());
    EXPECT_EQ(earlier.DismissButton().text(), "Close");
    const QString offer = WelcomeText(true, QStringLiteral("/somewhere"));
    EXPECT_TRUE(offer.startsWith("It appears that you already have an earlier version"));
    EXPECT_TRUE(offer.contains("propsave.glx (in /somewhere)"));
    EXPECT_TRUE(offer.contains("Restore your settings from the menu:  File-> Open Template."));

    int saves = 0;
    frmWelcome fresh(
        false,
        [&](TemplateProgress*) {
            ++saves;
            return true;
        },
        QString());
    EXPECT_TRUE(fresh.ResetButton().isHidden());
    EXPECT_EQ(fresh.DismissButton().text(), "OK");
    EXPECT_TRUE(WelcomeText(false, {}).startsWith("Thank you for installing Orrelume 4.1.  "));
    EXPECT_FALSE(WelcomeText(false, {}).contains("Windows"));

    // The reset saves first, then reports the choice; a save after which the
    // user would rather not reset keeps the window open, its buttons usable.
    earlier.ResetButton().click();
    bool goOn = false;
    frmWelcome withSave(
        true,
        [&](TemplateProgress* p) {
            ++saves;
            p->ReportProgress(66, 66);
            return goOn;
        },
        QString());
    withSave.show();
    withSave.ResetButton().click();
    EXPECT_FALSE(withSave.F_bResetSettings());
    EXPECT_TRUE(withSave.isVisible());
    EXPECT_TRUE(withSave.ResetButton().isEnabled());
    goOn = true;
    withSave.ResetButton().click();
    EXPECT_EQ(saves, 2);
    EXPECT_TRUE(withSave.F_bResetSettings());
}

}  // namespace
}  // namespace orrelume
