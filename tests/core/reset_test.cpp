#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/settings_flow.h"
#include "settings/memory_backend.h"
#include "settings/safety_copy.h"
#include "support/store_sets.h"
#include "support/template_port.h"
#include "support/template_sets.h"

namespace orrelume {
namespace {

using testing::RecordingDialog;

class ResetTest : public ::testing::Test {
  protected:
    testing::ScratchDir dir;
    MemoryBackend user;
    testing::CapturingSink sink;
    SettingsStore store{&user, nullptr, &sink};
    GalaxyTemplate templates;
    RecordingDialog dialog;
    SettingsSet set = testing::GenerationSet(17);
    // The advanced values the dialog holds until Accept.
    AdvancedTexts held;

    std::string SafetyCopy() { return dir.File("propsave.glx"); }
    // Where no copy can be written: a folder in the copy's place.
    std::string BlockedCopy() {
        std::filesystem::create_directories(dir.File("blocked/propsave.glx"));
        return dir.File("blocked/propsave.glx");
    }
    std::string Held(const std::string& key) const {
        for (const auto& [k, text] : held) {
            if (k == key) return text;
        }
        return "(not held)";
    }
    // An earlier version's settings in the store.
    void StoreOldSettings() {
        SettingsSet old = testing::GenerationSet(5);
        ASSERT_TRUE(SaveAllSettings(store, old));
        user.Write("Advanced", "FocalLength", "0.5");
    }
    bool HasFactoryTypes() const {
        SettingsSet factory = FactorySettingsSet(kPresetSet4x);
        factory.universe = set.universe;
        return testing::SameStoredSet(set, factory);
    }
};

TEST(SafetyCopy, GoesToTheProgramFolderOnlyWhenItCanBeWritten) {
    testing::ScratchDir program, store;
    EXPECT_TRUE(FolderIsWritable(program.Path()));
    EXPECT_EQ(SafetyCopyTemplatePath(program.Path(), store.Path()),
              program.Path() + "/propsave.glx");
    EXPECT_EQ(SafetyCopyTemplatePath(program.Path() + "/", store.Path()),
              program.Path() + "/propsave.glx");
    // A folder that cannot hold a new file (a system-wide installation; a
    // regular file stands in for it, since root may write anywhere).
    const std::string notAFolder = program.File("orrelume");
    testing::WriteFileBytes(notAFolder, "program");
    EXPECT_FALSE(FolderIsWritable(notAFolder));
    EXPECT_FALSE(FolderIsWritable(program.File("missing")));
    EXPECT_EQ(SafetyCopyTemplatePath(notAFolder, store.Path()), store.Path() + "/propsave.glx");
    // The probe leaves nothing behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ResetTest, AResetFillsTheDialogWithAFactorySet) {
    user.Write("Advanced", "Adv_TimeDelay", "5");
    user.Write("Advanced", "Adv_DispBackG", "1");
    const auto stored = user.Sections();
    ResetToFactory(set, dialog, kPresetSet4x, held);
    EXPECT_TRUE(HasFactoryTypes());
    EXPECT_EQ(set.universe, UniverseSettings{});
    EXPECT_EQ(dialog.shownUniverse, UniverseSettings{});
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"lists", "first type", "theme 0", "universe",
                                                      "clear composite", "theme 1", "extras"}));
    // The advanced values are held with the rest; nothing is stored.
    EXPECT_EQ(Held("Adv_TimeDelay"), "40");
    EXPECT_EQ(Held("Adv_DispBackG"), "0");
    EXPECT_EQ(held.size(), 12u);
    EXPECT_EQ(user.Sections(), stored);
    EXPECT_EQ(user.FlushCount(), 0);

    // The 2.0 set brings the first theme's old row; choosing the theme by
    // hand afterwards gives the current one.
    ResetToFactory(set, dialog, kPresetSet20, held);
    EXPECT_EQ(set.types[40].name, "Undefined");
    EXPECT_EQ(set.composites[14].name, "Sphere Rings / Bottle Axis");
    EXPECT_EQ(set.universe.stars, 2500);
    EXPECT_EQ(set.universe.profile, 0);
    EXPECT_TRUE(ChooseUniverseTheme(1, false, set, dialog));
    EXPECT_EQ(set.universe.stars, 5000);
    EXPECT_EQ(set.universe.profile, 51);
    EXPECT_FALSE(ChooseUniverseTheme(0, false, set, dialog));
}

TEST_F(ResetTest, FirstOpeningOnAFreshStoreWelcomesAndInstallsTheFactorySet) {
    EXPECT_EQ(RunFirstRunFlow(store, set, templates, dialog, SafetyCopy(), held),
              FirstRunOutcome::kWelcomeFactory);
    EXPECT_EQ(dialog.calls.front(), "welcome");  // no reset offered
    EXPECT_EQ(store.ReadSettingInt16("General", "ResetSettings", -1), 1);
    EXPECT_TRUE(HasFactoryTypes());
    // The factory settings are stored when the user accepts them.
    EXPECT_FALSE(user.Contains("General", "AnimationType"));
    EXPECT_FALSE(std::filesystem::exists(SafetyCopy()));

    // The next opening: the welcome ran, settings still absent: reset and
    // store at once, without asking.
    RecordingDialog second;
    set = testing::GenerationSet(2);
    EXPECT_EQ(RunFirstRunFlow(store, set, templates, second, SafetyCopy(), held),
              FirstRunOutcome::kResetAndSaved);
    EXPECT_FALSE(second.Called("welcome"));
    EXPECT_FALSE(second.Called("ask"));
    EXPECT_TRUE(HasFactoryTypes());
    EXPECT_EQ(store.ReadSettingInt16("General", "AnimationType", -1), 0);
    EXPECT_TRUE(testing::SameStoredSet(LoadAllSettings(store), set));
    // The factory advanced values went in the same save.
    EXPECT_EQ(user.Read("Advanced", "Adv_FontName"), "Arial");
    EXPECT_TRUE(held.empty());

    // From then on the stored settings are loaded.
    RecordingDialog third;
    SettingsSet other = testing::GenerationSet(9);
    EXPECT_EQ(RunFirstRunFlow(store, other, templates, third, SafetyCopy(), held),
              FirstRunOutcome::kLoaded);
    EXPECT_TRUE(testing::SameStoredSet(other, set));
    EXPECT_EQ(third.calls, (std::vector<std::string>{"universe", "lists"}));
}

TEST_F(ResetTest, AnEarlierVersionsSettingsAreOfferedAResetWithASafetyCopy) {
    StoreOldSettings();
    dialog.pressWelcomeReset = true;
    templates.SetCurrentTemplatePath(dir.File("mine.glx"));
    EXPECT_EQ(RunFirstRunFlow(store, set, templates, dialog, SafetyCopy(), held),
              FirstRunOutcome::kWelcomeReset);
    EXPECT_EQ(dialog.calls.front(), "welcome offer");
    EXPECT_EQ(dialog.progress.size(), 66u);
    EXPECT_TRUE(HasFactoryTypes());
    EXPECT_EQ(Held("FocalLength"), "1.0");
    EXPECT_EQ(user.Read("Advanced", "FocalLength"), "0.5");
    // The template path stays on the safety copy, which holds the old settings.
    EXPECT_EQ(templates.CurrentTemplatePath(), SafetyCopy());
    MemoryBackend restored;
    SettingsStore restoredStore(&restored);
    SettingsSet back = DefaultSettingsSet();
    ASSERT_TRUE(LoadTemplate(templates, restoredStore, back, nullptr));
    EXPECT_TRUE(testing::SameSet(back, testing::GenerationSet(5)));
    EXPECT_EQ(restored.Read("Advanced", "FocalLength"), "0.5");
}

TEST_F(ResetTest, AWelcomeResetWhoseCopyFailsAsksFirst) {
    StoreOldSettings();
    const auto stored = user.Sections();
    dialog.pressWelcomeReset = true;
    // Declined: the settings are loaded as stored, and no template is current.
    EXPECT_EQ(RunFirstRunFlow(store, set, templates, dialog, BlockedCopy(), held),
              FirstRunOutcome::kWelcomeLoaded);
    EXPECT_TRUE(dialog.Called("no copy"));
    EXPECT_NE(dialog.noCopyQuestion.find(BlockedCopy() + "\r\nIs a directory"), std::string::npos);
    EXPECT_TRUE(testing::SameSet(set, testing::GenerationSet(5)));
    EXPECT_TRUE(held.empty());
    EXPECT_TRUE(templates.CurrentTemplatePath().empty());

    // Accepted: the reset goes on without a copy.
    user.CopyFrom(MemoryBackend{});
    StoreOldSettings();
    RecordingDialog goOn;
    goOn.pressWelcomeReset = true;
    goOn.resetWithoutCopy = true;
    EXPECT_EQ(RunFirstRunFlow(store, set, templates, goOn, BlockedCopy(), held),
              FirstRunOutcome::kWelcomeReset);
    EXPECT_TRUE(HasFactoryTypes());
    EXPECT_TRUE(templates.CurrentTemplatePath().empty());
    EXPECT_EQ(user.Sections().at("Advanced"), stored.at("Advanced"));
}

TEST_F(ResetTest, DecliningTheWelcomeResetKeepsTheSettings) {
    StoreOldSettings();
    EXPECT_EQ(RunFirstRunFlow(store, set, templates, dialog, SafetyCopy(), held),
              FirstRunOutcome::kWelcomeLoaded);
    EXPECT_TRUE(testing::SameSet(set, testing::GenerationSet(5)));
    EXPECT_EQ(dialog.shownUniverse, testing::GenerationSet(5).universe);
    EXPECT_FALSE(std::filesystem::exists(SafetyCopy()));
    EXPECT_EQ(user.Read("Advanced", "FocalLength"), "0.5");
}

TEST_F(ResetTest, AStoreThatCannotBeWrittenKeepsTheResetInTheDialog) {
    user.Write("General", "ResetSettings", "1");
    user.SetFailFlush(true);
    EXPECT_EQ(RunFirstRunFlow(store, set, templates, dialog, SafetyCopy(), held),
              FirstRunOutcome::kResetNotSaved);
    EXPECT_TRUE(HasFactoryTypes());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("The settings file is read-only."), std::string::npos);
}

TEST_F(ResetTest, TheResetMenuAsksFirst) {
    StoreOldSettings();
    templates.SetCurrentTemplatePath(dir.File("mine.glx"));
    const SettingsSet before = set;
    const size_t values = user.ValueCount();

    // Cancel: nothing changes, the menu and the template path are as before.
    dialog.answer = ResetAnswer::kCancel;
    EXPECT_FALSE(OfferReset(store, set, templates, dialog, kResetMenuItem4x, SafetyCopy(), held));
    EXPECT_TRUE(testing::SameSet(set, before));
    EXPECT_EQ(user.ValueCount(), values);
    EXPECT_EQ(user.Read("Advanced", "FocalLength"), "0.5");
    EXPECT_EQ(templates.CurrentTemplatePath(), dir.File("mine.glx"));
    EXPECT_EQ(dialog.checkedWhenAsked, std::vector<int>{kResetMenuItem4x});
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"check 2", "ask", "uncheck 2"}));
    EXPECT_EQ(dialog.question,
              "Do you really want to reset the Properties to the Orrelume 4.x factory "
              "settings?\r\n\r\n"
              "Yes      - Save current settings to 'propsave.glx' then Reset the Properties.\r\n"
              "No       - Reset Properties without saving current settings.\r\n"
              "Cancel - Don't Reset or Save Properties.");
    EXPECT_FALSE(std::filesystem::exists(SafetyCopy()));

    // No: reset without a safety copy.
    RecordingDialog no;
    no.answer = ResetAnswer::kNo;
    EXPECT_TRUE(OfferReset(store, set, templates, no, kResetMenuItem20, SafetyCopy(), held));
    EXPECT_NE(no.question.find("Orrelume 2.0 factory settings?"), std::string::npos);
    EXPECT_EQ(set.universe.stars, 2500);
    EXPECT_EQ(set.types[0].uniGalPct, 20);
    EXPECT_FALSE(std::filesystem::exists(SafetyCopy()));
    EXPECT_EQ(no.calls.back(), "uncheck 0");

    // Yes: the current settings go to the safety copy first.
    set = before;
    RecordingDialog yes;
    yes.answer = ResetAnswer::kYes;
    EXPECT_TRUE(OfferReset(store, set, templates, yes, kResetMenuItem4x, SafetyCopy(), held));
    EXPECT_TRUE(HasFactoryTypes());
    EXPECT_EQ(templates.CurrentTemplatePath(), dir.File("mine.glx"));
    EXPECT_EQ(yes.progress.size(), 66u);
    templates.SetCurrentTemplatePath(SafetyCopy());
    SettingsSet back = DefaultSettingsSet();
    ASSERT_TRUE(LoadTemplate(templates, store, back, nullptr));
    EXPECT_TRUE(testing::SameSet(back, before));

    // A safety copy that cannot be written: the user is told where and why,
    // and No leaves everything as it was.
    set = before;
    templates.SetCurrentTemplatePath(dir.File("mine.glx"));
    RecordingDialog stop;
    stop.answer = ResetAnswer::kYes;
    EXPECT_FALSE(OfferReset(store, set, templates, stop, kResetMenuItem4x,
                            dir.File("no/such/folder/propsave.glx"), held));
    EXPECT_NE(stop.noCopyQuestion.find(dir.File("no/such/folder/propsave.glx") +
                                       "\r\nNo such file or directory"),
              std::string::npos);
    EXPECT_TRUE(testing::SameSet(set, before));
    EXPECT_EQ(stop.calls.back(), "uncheck 2");
    // Yes resets without the copy.
    stop.resetWithoutCopy = true;
    EXPECT_TRUE(OfferReset(store, set, templates, stop, kResetMenuItem4x, BlockedCopy(), held));
    EXPECT_TRUE(HasFactoryTypes());
    EXPECT_EQ(templates.CurrentTemplatePath(), dir.File("mine.glx"));
    // The separator is no reset.
    EXPECT_FALSE(OfferReset(store, set, templates, yes, 1, SafetyCopy(), held));
}

// What the dialog does before Accept never reaches the store: resets,
// templates and advanced values set through the held store. Accept stores
// them all in one commit; the safety copy holds what the dialog held.
TEST_F(ResetTest, NothingHeldReachesTheStoreBeforeAccept) {
    StoreOldSettings();
    store.Flush();
    const auto stored = user.Sections();
    const int flushes = user.FlushCount();

    // A template with a message of its own.
    templates.SetCurrentTemplatePath(dir.File("theirs.glx"));
    SettingsSet theirs = testing::GenerationSet(8);
    const AdvancedTexts message = {{"LockMessage", "Theirs"}};
    ASSERT_TRUE(SaveTemplate(templates, store, theirs, nullptr, &message));
    ASSERT_TRUE(LoadTemplate(templates, store, set, &dialog, nullptr, &held));
    EXPECT_EQ(Held("LockMessage"), "Theirs");

    // The advanced settings edit the held store.
    HeldAdvancedRoot root(&user);
    root.Held() = held;
    SettingsStore heldStore(&root);
    EXPECT_EQ(heldStore.ReadSettingText("Advanced", "LockMessage", ""), "Theirs");
    EXPECT_EQ(heldStore.ReadSettingText("Universe", "Universe_Stars", ""),
              std::to_string(testing::GenerationSet(5).universe.stars));
    heldStore.WriteSetting("Advanced", "Adv_PixelScale", "2");
    EXPECT_FALSE(heldStore.WriteSetting("Universe", "Universe_Stars", "1"));
    EXPECT_TRUE(heldStore.Flush());
    held = root.Held();

    // A reset with a copy: the copy has what the dialog held.
    dialog.answer = ResetAnswer::kYes;
    ASSERT_TRUE(OfferReset(store, set, templates, dialog, kResetMenuItem20, SafetyCopy(), held));
    EXPECT_NE(testing::ReadFileBytes(SafetyCopy()).find("LockMessage=Theirs\r\n"),
              std::string::npos);
    EXPECT_EQ(Held("LockMessage"), "");
    EXPECT_EQ(Held("Adv_PixelScale"), "2");

    EXPECT_EQ(user.Sections(), stored);
    EXPECT_EQ(user.FlushCount(), flushes);

    ASSERT_TRUE(SaveAllSettings(store, set, &held));
    EXPECT_EQ(user.Read("Advanced", "FocalLength"), "1.0");
    EXPECT_EQ(user.Read("Advanced", "Adv_PixelScale"), "2");
    EXPECT_EQ(user.Read(GalaxySection(40), "_UniGalName"), "Undefined");
}

}  // namespace
}  // namespace orrelume
