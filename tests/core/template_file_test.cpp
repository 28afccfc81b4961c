#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "dialogs/settings_flow.h"
#include "settings/factory_themes.h"
#include "settings/memory_backend.h"
#include "settings/template_file.h"
#include "support/store_sets.h"
#include "support/template_port.h"

namespace orrelume {
namespace {

using testing::ReadFileBytes;
using testing::RecordingDialog;
using testing::WriteFileBytes;

class TemplateFileTest : public ::testing::Test {
  protected:
    testing::ScratchDir dir;
    MemoryBackend user;
    SettingsStore store{&user};
    GalaxyTemplate templates;
    RecordingDialog dialog;

    std::string Path(const std::string& name = "t.glx") { return dir.File(name); }

    // Saves `set` with the advanced values of `store` as a template file.
    std::string Save(SettingsSet set, const std::string& name = "t.glx") {
        templates.SetCurrentTemplatePath(Path(name));
        EXPECT_TRUE(SaveTemplate(templates, store, set));
        return ReadFileBytes(Path(name));
    }
};

TEST_F(TemplateFileTest, ASavedTemplateLoadsBackWhole) {
    // Types with both points and atoms, names with brackets, and a lock
    // message that looks like a header and a key.
    const SettingsSet saved = testing::GenerationSet(7);
    user.Write("Advanced", "FocalLength", "0.50");
    user.Write("Advanced", "LockMessage", "[UniGal0] Adv_FontName=x");
    user.Write("Advanced", "Adv_FontName", "DejaVu Sans");
    RecordingDialog saving;
    SettingsSet toSave = saved;
    templates.SetCurrentTemplatePath(Path());
    ASSERT_TRUE(SaveTemplate(templates, store, toSave, &saving));
    std::vector<int> steps(66);
    for (int k = 0; k < 66; ++k)
        steps[k] = k + 1;
    EXPECT_EQ(saving.progress, steps);

    MemoryBackend other;
    SettingsStore otherStore(&other);
    SettingsSet loaded = DefaultSettingsSet();
    ASSERT_TRUE(LoadTemplate(templates, otherStore, loaded, &dialog));
    EXPECT_TRUE(testing::SameSet(loaded, saved));
    EXPECT_EQ(dialog.progress, steps);
    EXPECT_EQ(dialog.shownUniverse, saved.universe);
    EXPECT_EQ(dialog.calls.back(), "lists");
    // The advanced values travel as their text.
    EXPECT_EQ(other.Read("Advanced", "FocalLength"), "0.50");
    EXPECT_EQ(other.Read("Advanced", "LockMessage"), "[UniGal0] Adv_FontName=x");
    EXPECT_EQ(other.Read("Advanced", "Adv_FontName"), "DejaVu Sans");
    EXPECT_EQ(other.Read("Advanced", "Adv_TimeDelay"), "40");
    EXPECT_FALSE(other.Contains("Advanced", "Adv_DispBackG"));
    EXPECT_EQ(other.FlushCount(), 1);

    // The factory sets, whose user-defined types hold points or atoms.
    for (int set = 0; set < kPresetSetCount; ++set) {
        const SettingsSet factory = FactorySettingsSet(set);
        Save(factory);
        SettingsSet back = DefaultSettingsSet();
        ASSERT_TRUE(LoadTemplate(templates, store, back, nullptr));
        EXPECT_TRUE(testing::SameSet(back, factory)) << "set " << set;
    }
}

TEST_F(TemplateFileTest, TheFileHasTheLayoutOtherReadersExpect) {
    SettingsSet set = testing::GenerationSet(40);
    set.types[0].galStyle = 2;
    set.types[0].radSegs = 1;  // validated on save
    set.types[1].name = "Two\r\n[Universe]\r\nUniverse_Stars=1";
    templates.SetCurrentTemplatePath(Path());
    ASSERT_TRUE(SaveTemplate(templates, store, set));
    EXPECT_EQ(set.types[0].radSegs, 4);
    const std::string text = ReadFileBytes(Path());

    EXPECT_EQ(text.rfind("\r\n[Admin]\r\nProduct=Orrelume\r\nVersion=4.1\r\n", 0), 0u);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_EQ(text[i - 1], '\r') << i;
        }
        if (text[i] == '\r') {
            ASSERT_EQ(text[i + 1], '\n') << i;
        }
    }
    auto at = [&](const std::string& part) { return text.find(part); };
    std::vector<size_t> order;
    for (const char* part :
         {"\r\n\r\n[General]\r\nAnimationType=0\r\n",
          "\r\n\r\n[Advanced]\r\nAdv_TimeDelay=40\r\nFocalLength=1.0\r\nLockMessage=\r\n",
          "\r\n\r\n[Universe]\r\nUniverse_Stars=40\r\n",
          "Universe_GravFrame=1\r\nUniverse_Profile=51\r\n\r\n[UniGal0]\r\n_UniGalName=Type 0",
          "[UniGal49]", "[CompGal0]\r\n_CompGalName=Mix 0 [40]\r\n_CompGalPct=40\r\n",
          "[CompGal15]"}) {
        order.push_back(at(part));
        EXPECT_NE(order.back(), std::string::npos) << part;
    }
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_EQ(at("Adv_DispBackG"), std::string::npos);
    EXPECT_NE(at("Galaxy_PulsarMaxExt=1000\r\nGalaxy_PulsarShape=0\r\nGalaxy_CometFreq="),
              std::string::npos);
    // A name's line ends do not start lines of their own.
    EXPECT_NE(at("_UniGalName=Two  [Universe]  Universe_Stars=1\r\n"), std::string::npos);

    // A type with points and atoms has its atom count in a second block.
    int slot = 0;
    while (set.types[slot].ifsCount == 0 || set.types[slot].atomCount == 0)
        ++slot;
    const std::string section = "UniGal" + std::to_string(slot);
    const size_t ifs = at("\r\n\r\n[" + section + "\\IFS]\r\nIFS_CenterX=");
    ASSERT_NE(ifs, std::string::npos);
    EXPECT_NE(text.find("\r\n\r\n[" + section +
                            "]\r\nGalaxy_Atoms=" + std::to_string(set.types[slot].atomCount) +
                            "\r\n\r\n[" + section + "\\ATOMIC]\r\nAtom_CenterX=",
                        ifs),
              std::string::npos);
}

TEST_F(TemplateFileTest, LoadingKeepsWhatATemplateCannotGive) {
    WriteFileBytes(Path(),
                   "[UniGal4]\nGalaxy_Radius=12abc\nGalaxy_Rotation=1e3\n_UniGalPct=\n"
                   "Galaxy_HueRed=70000\nGalaxy_GHW_Ratio= 2.5 \n"
                   "[CompGal1]\n_CompGalName=Pair\n_CompGalCount=2\nGalaxyIndex_0=7\n"
                   "GalaxyIndex_1=\n");
    SettingsSet set = testing::GenerationSet(2);
    set.types[4].uniGalPct = 55;
    const int32_t radius = set.types[4].radius;
    templates.SetCurrentTemplatePath(Path());
    ASSERT_TRUE(LoadTemplate(templates, store, set, &dialog));

    const GalaxyType& t = set.types[4];
    EXPECT_EQ(t.radius, radius);  // not a number: as it was
    EXPECT_EQ(t.rotation, 1000);  // converted straight to its type
    EXPECT_EQ(t.uniGalPct, 0);    // an empty weight reads 0
    EXPECT_EQ(t.hueRed, 100);     // out of range for 16 bits: as it was, then bounded
    EXPECT_EQ(t.ghwRatio, 2.5f);
    EXPECT_EQ(t.distance, 400);  // missing: the default
    EXPECT_EQ(t.name, "< Galaxy Profile 5 >");
    EXPECT_EQ(set.types[9], DefaultGalaxyType(9));
    EXPECT_EQ(set.composites[1].name, "Pair");
    EXPECT_EQ(set.composites[1].count, 2);
    EXPECT_EQ(set.composites[1].members[0], 7);
    EXPECT_EQ(set.composites[1].members[1], 0);
    EXPECT_EQ(set.composites[0].name, "< Composite Galaxy 1 >");
    EXPECT_EQ(set.composites[0].count, 0);
    // No universe section: every universe value at its default.
    EXPECT_EQ(set.universe, UniverseSettings{});
    EXPECT_EQ(user.Read("Advanced", "FocalLength"), "1.0");
}

TEST_F(TemplateFileTest, LineEndsOfAnyKindLoadTheSame) {
    const SettingsSet saved = testing::GenerationSet(11);
    std::string text = Save(saved);
    std::string lf;
    for (char c : text) {
        if (c != '\r') lf += c;
    }
    WriteFileBytes(Path("lf.glx"), lf);
    templates.SetCurrentTemplatePath(Path("lf.glx"));
    SettingsSet loaded = DefaultSettingsSet();
    ASSERT_TRUE(LoadTemplate(templates, store, loaded, nullptr));
    EXPECT_TRUE(testing::SameSet(loaded, saved));
}

TEST_F(TemplateFileTest, AFileThatCannotBeReadChangesNothing) {
    SettingsSet set = testing::GenerationSet(9);
    templates.SetCurrentTemplatePath(Path("missing.glx"));
    EXPECT_FALSE(LoadTemplate(templates, store, set, &dialog));
    templates.SetCurrentTemplatePath(dir.Path());  // a folder
    EXPECT_FALSE(LoadTemplate(templates, store, set, &dialog));
    EXPECT_TRUE(testing::SameSet(set, testing::GenerationSet(9)));
    EXPECT_EQ(user.WriteCount(), 0);
    EXPECT_TRUE(dialog.calls.empty());

    EXPECT_FALSE(ImportTemplate(Path("missing.glx"), store, templates));
    EXPECT_EQ(templates.CurrentTemplatePath(), Path("missing.glx"));
    EXPECT_EQ(user.WriteCount(), 0);

    // Nor can a template be written where there is no folder, or over a
    // folder; the reason is given.
    templates.SetCurrentTemplatePath(dir.File("no/such/folder.glx"));
    std::string why;
    EXPECT_FALSE(SaveTemplate(templates, store, set, nullptr, nullptr, &why));
    EXPECT_EQ(why, "No such file or directory");
    templates.SetCurrentTemplatePath(dir.Path());
    EXPECT_FALSE(SaveTemplate(templates, store, set, nullptr, nullptr, &why));
    EXPECT_EQ(why, "Is a directory");
}

// A file with the universe's values but no galaxy type (the settings file,
// say) would read as fifty empty types: it is no template, and the
// command-line import stores nothing of it.
TEST_F(TemplateFileTest, OnlyAFileWithGalaxyTypesIsATemplate) {
    WriteFileBytes(Path("settings.glx"),
                   "[General]\nAnimationType=0\n\n[Universe]\nUniverse_Stars=3000\n\n"
                   "[Universe%5CGalaxy0]\n_UniGalName=Mine\n");
    templates.SetCurrentTemplatePath(Path("settings.glx"));
    EXPECT_FALSE(IsTemplateFile(templates));
    EXPECT_FALSE(ImportTemplate(Path("settings.glx"), store, templates));
    EXPECT_EQ(user.WriteCount(), 0);

    // One type, even with an empty name, makes a template.
    WriteFileBytes(Path("one.glx"), "[UniGal49]\r\n_UniGalName=\r\n");
    templates.SetCurrentTemplatePath(Path("one.glx"));
    EXPECT_TRUE(IsTemplateFile(templates));
    Save(testing::GenerationSet(3));
    EXPECT_TRUE(IsTemplateFile(templates));
}

TEST_F(TemplateFileTest, ASaveReplacesTheFileWhole) {
    WriteFileBytes(Path(), std::string(200000, 'x'));
    Save(testing::GenerationSet(1));
    const std::string text = ReadFileBytes(Path());
    EXPECT_EQ(text.find('x' + std::string(10, 'x')), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Path() + ".orrelume-save"));
}

TEST_F(TemplateFileTest, ImportStoresEverythingWithOneCommit) {
    const SettingsSet saved = testing::GenerationSet(21);
    store.WriteSetting("Advanced", "Adv_FontHueV", "300");
    Save(saved, "import.glx");

    MemoryBackend target;
    SettingsStore targetStore(&target);
    // Stored values a template cannot replace stay as they were.
    SettingsSet before = FactorySettingsSet();
    SaveAllSettings(targetStore, before);
    const int flushes = target.FlushCount();
    std::string text = ReadFileBytes(Path("import.glx"));
    const std::string radius = "Galaxy_Radius=" + std::to_string(saved.types[6].radius) + "\r\n";
    text.replace(text.find(radius, text.find("[UniGal6]")), radius.size(),
                 "Galaxy_Radius=wide\r\n");
    WriteFileBytes(Path("import.glx"), text);

    GalaxyTemplate fresh;
    ASSERT_TRUE(ImportTemplate(Path("import.glx"), targetStore, fresh));
    EXPECT_EQ(fresh.CurrentTemplatePath(), Path("import.glx"));
    EXPECT_EQ(target.FlushCount(), flushes + 1);
    EXPECT_EQ(targetStore.ReadSettingInt16("General", "AnimationType", -1), 0);
    EXPECT_EQ(target.Read("Advanced", "Adv_FontHueV"), "300");

    SettingsSet expected = saved;
    expected.types[6].radius = before.types[6].radius;
    EXPECT_TRUE(testing::SameSet(LoadAllSettings(targetStore), expected));
    // The saver that follows shows the template, not the factory types.
    EXPECT_FALSE(InstallFactoryTypesIfNeeded(targetStore));
}

TEST_F(TemplateFileTest, LookupsReadTheFileOncePerLoad) {
    WriteFileBytes(Path("a.glx"), "[S]\r\nk=1\r\n");
    WriteFileBytes(Path("b.glx"), "[S]\r\nk=2\r\n");
    EXPECT_EQ(templates.ReadTemplateValue("S", "k", "d", Path("a.glx")), "1");
    WriteFileBytes(Path("a.glx"), "[S]\r\nk=3\r\n");
    EXPECT_EQ(templates.ReadTemplateValue("S", "k", "d", Path("a.glx")), "1");
    EXPECT_EQ(templates.ReadTemplateValue("S", "k", "d", Path("b.glx")), "2");
    EXPECT_EQ(templates.ReadTemplateValue("S", "k", "d", Path("a.glx")), "3");
    templates.SetCurrentTemplatePath(Path("b.glx"));
    EXPECT_EQ(templates.ReadTemplateValue("S", "missing", "d"), "d");
    EXPECT_EQ(templates.ReadTemplateValue("S", "k", "d", Path("none.glx")), "d");
}

}  // namespace
}  // namespace orrelume
