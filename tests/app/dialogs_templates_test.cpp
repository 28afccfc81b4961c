// Templates, resets and the welcome from the properties dialog: the checks
// of the chooser, a template held in the dialog until Accept, a file that is
// no template, the reset menu and the two greetings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <filesystem>

#include "app/host_test_app.h"
#include "dialogs/properties_dialog.h"
#include "dialogs/template_paths.h"
#include "host/welcome_window.h"
#include "settings/factory_themes.h"
#include "settings/memory_backend.h"
#include "support/store_sets.h"

namespace orrelume {
namespace {

namespace fs = std::filesystem;

TEST(TemplateChooser, ExtensionAndProbe) {
    // A dot in a folder's name is no extension of the file.
    EXPECT_EQ(WithTemplateExtension("/home/j.smith/mine", "glx"), "/home/j.smith/mine.glx");
    EXPECT_EQ(WithTemplateExtension("/home/j.smith/mine.old", "glx"), "/home/j.smith/mine.old");
    EXPECT_EQ(WithTemplateExtension("plain", "glx"), "plain.glx");

    testing::ScratchDir dir;
    EXPECT_TRUE(ProbeWritable(dir.File("t")));
    EXPECT_FALSE(fs::exists(dir.File("t0")));
    EXPECT_FALSE(ProbeWritable("/dev/null/x/t"));
    // A file of the user's that happens to have the probe's name stays.
    testing::WriteFileBytes(dir.File("u0"), "keep");
    EXPECT_TRUE(ProbeWritable(dir.File("u")));
    EXPECT_EQ(testing::ReadFileBytes(dir.File("u0")), "keep");

    const auto types = ParseFileTypes(kTemplateFileTypes);
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].description, "Galaxy Templates (*.glx)");
    EXPECT_EQ(types[1].pattern, "*.*");
}

struct TemplateRig {
    MemoryBackend user;
    testing::CapturingSink sink;
    SettingsStore store{&user, nullptr, &sink};
    HostState process;
    testing::ScratchDir dir;

    TemplateRig() {
        test::HostTestApp();
        SettingsSet set = FactorySettingsSet(kPresetSet4x);
        store.WriteSetting("General", "ResetSettings", int16_t{1});
        SaveAllSettings(store, set);
    }
    std::map<std::string, std::map<std::string, std::string>> Settings() const {
        auto sections = user.Sections();
        sections.erase("General\\Main");
        return sections;
    }
};

// Closes the next message box or question with the given button, once it
// shows (a load or save may serve events before the box opens).
void AnswerNextBox(QMessageBox::StandardButton answer) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        if (QAbstractButton* b = box->button(answer)) b->click();
        poll->deleteLater();
        poll->stop();
    });
    poll->start();
}

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
