// The universe view of the properties dialog: its fields and their values,
// the galaxy-type and composite lists, the commits, and the tour controls.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/host_test_app.h"
#include "dialogs/type_lists.h"
#include "dialogs/universe_form.h"
#include "dialogs/universe_view.h"
#include "settings/memory_backend.h"
#include "support/app/dialog_rig.h"

namespace orrelume {
namespace {

// Each character one pixel wide: the padding is then a count of characters.
int OnePixelEach(std::string_view text) {
    return static_cast<int>(text.size());
}

TEST(DialogUniverseForm, FieldsShowTheirValuesAndTakeThemBackBounded) {
    const UniverseSettings defaults;
    UniverseControlValues controls = ShowUniverseControls(defaults);
    // Spot checks that each index shows its own value.
    EXPECT_EQ(controls.texts[0], "5000");
    EXPECT_EQ(controls.texts[16], "165");
    EXPECT_EQ(controls.texts[17], "210");
    EXPECT_EQ(controls.texts[33], "4000");
    EXPECT_EQ(controls.texts[34], "750");
    EXPECT_EQ(controls.texts[41], "0.998");
    EXPECT_EQ(controls.texts[44], "1000");
    EXPECT_EQ(controls.texts[51], "1");
    EXPECT_EQ(controls.profile, 51);
    EXPECT_EQ(TakeUniverseControls(controls, defaults), defaults);

    // A value beyond a spin field's length is shown bounded, not cut short.
    UniverseSettings big;
    big.stars = 123456;
    EXPECT_EQ(ShowUniverseControls(big).texts[0], "30000");

    controls.texts[0] = "";        // empty reads 0, then the lower bound
    controls.texts[2] = "150";     // the field stops at 99, a preview at 999
    controls.texts[34] = "12.5";   // typed as a decimal, kept whole (half to even)
    controls.texts[44] = "50000";  // the field takes 99999, a preview 9999
    controls.texts[12] = "7";
    controls.profile = -1;
    controls.tour = false;
    controls.tourList = "1 2 x";
    UniverseSettings base;
    base.profile = 7;
    base.cRamp = 3;
    const UniverseSettings taken = TakeUniverseControls(controls, base);
    EXPECT_EQ(taken.stars, 10);
    EXPECT_EQ(taken.sTrail, 99);
    EXPECT_EQ(taken.cRamp, 12);
    EXPECT_EQ(taken.amMaxExt, 50000.0f);
    EXPECT_EQ(taken.persist, 1.0f);
    EXPECT_EQ(taken.profile, 7);
    EXPECT_EQ(taken.tour, 0);
    EXPECT_EQ(taken.gsIdx, "1 2 x");

    const UniverseSettings preview = PreviewUniverseControls(controls, base);
    EXPECT_EQ(preview.sTrail, 150);
    EXPECT_EQ(preview.amMaxExt, 9999.0f);
    EXPECT_EQ(preview.cRamp, 3);  // not the preview's to take
    EXPECT_EQ(preview.profile, 7);
}

TEST(DialogUniverseForm, TourControlsFollowTheThreeBoxes) {
    const TourEnabling off = TourControlsEnabled(false, false, true);
    EXPECT_FALSE(off.tourFields);
    EXPECT_FALSE(off.rampField);  // rotation needs the tour as well
    EXPECT_FALSE(off.tourList);
    EXPECT_TRUE(off.tripScript);
    const TourEnabling visiting = TourControlsEnabled(true, true, false);
    EXPECT_TRUE(visiting.tourFields);
    EXPECT_FALSE(visiting.rampField);
    EXPECT_FALSE(visiting.tripScript);  // the preset list does not apply
    EXPECT_FALSE(visiting.tourList);
    const TourEnabling all = TourControlsEnabled(true, false, true);
    EXPECT_TRUE(all.rampField);
    EXPECT_TRUE(all.tourList);
}

TEST(DialogTypeLists, EntriesPadToTheirWidthAndReadBack) {
    // Short names are padded to the width, long ones by three blanks.
    EXPECT_EQ(ListEntryText("Ring", 15, 10, OnePixelEach), "Ring      15");
    const std::string entry = ListEntryText("A Very Long Galaxy Name", 5, 10, OnePixelEach);
    EXPECT_EQ(entry, "A Very Long Galaxy Name   5");
    const ListEntryParts parts = ReadListEntry(entry);
    EXPECT_EQ(parts.name, "A Very Long Galaxy Name");
    EXPECT_EQ(parts.percent, "5");
    const ListEntryParts full = ReadListEntry(ListEntryText("Spiral 9", 9999, 0, OnePixelEach));
    EXPECT_EQ(full.name, "Spiral 9");
    EXPECT_EQ(full.percent, "9999");
    // A font that measures nothing still ends the padding.
    EXPECT_LT(ListEntryText("x", 1, 1000, [](std::string_view) { return 0; }).size(), 500u);
    EXPECT_EQ(ListEntryNameWidth(96), 160);

    CompositeGalaxy unnamed;
    EXPECT_EQ(ReadListEntry(CompositeEntryText(unnamed, 2, 0, OnePixelEach)).name,
              "< Galaxy Composite 3 >");
    EXPECT_EQ(ProfileEntryText(ListEntryText("Ring", 15, 40, OnePixelEach)), "Ring");
    // Padded in a wide font to fewer than 30 characters: still the name alone.
    EXPECT_EQ(ProfileEntryText(ListEntryText("Segmented Starfish", 15, 0, OnePixelEach)),
              "Segmented Starfish");
}

TEST(DialogTypeLists, GalaxyCommitAndResetPercent) {
    GalaxyType type;
    // A paste can bring in what typing swallows.
    EXPECT_EQ(CommitGalaxyEntry(type, "  [Bright], =Ring  ", "12345"), "9999");
    EXPECT_EQ(type.name, "Bright Ring");
    EXPECT_EQ(type.uniGalPct, 9999);

    EXPECT_FALSE(ResetPercentValue(""));
    EXPECT_FALSE(ResetPercentValue("   "));
    EXPECT_EQ(ResetPercentValue("42"), 42);
    EXPECT_EQ(ResetPercentValue("123456789"), 9999);  // bounded, not overflowed
}

TEST(DialogTypeLists, CompositeCommitStoresMajorThenMinorsOnce) {
    GalaxyTypeTable types;
    types[3].galStyle = kStyleIfsFractal;
    types[8].galStyle = kStyleUserIfs;
    CompositeGalaxy composite;
    CompositeChoice choice;
    std::string percent = "20";
    EXPECT_EQ(CommitComposite(composite, types, "X", percent, choice), CompositeCommit::kNoMajor);
    EXPECT_EQ(composite, CompositeGalaxy{});

    // The major type also chosen as a minor type is stored once, and counts
    // once as an IFS type.
    choice.major = 3;
    choice.minors[3] = true;
    choice.minors[1] = true;
    choice.minors[7] = true;
    EXPECT_EQ(IfsTypeCount(types, choice), 1);
    EXPECT_EQ(CommitComposite(composite, types, " Mix, One ", percent, choice),
              CompositeCommit::kStored);
    EXPECT_EQ(composite.name, "Mix One");
    EXPECT_EQ(composite.weight, 20);
    ASSERT_EQ(composite.count, 3);
    EXPECT_EQ(composite.members[0], 3);
    EXPECT_EQ(composite.members[1], 1);
    EXPECT_EQ(composite.members[2], 7);
    const CompositeChoice shown = ChoiceOfComposite(composite);
    EXPECT_EQ(shown.major, 3);
    EXPECT_TRUE(shown.minors[1] && shown.minors[7] && !shown.minors[3]);

    choice.minors[8] = true;
    EXPECT_EQ(CommitComposite(composite, types, "Mix", percent, choice),
              CompositeCommit::kStoredIfsNote);

    // Every type chosen: 50 members, cut to 49 when the record is next loaded.
    choice.major = 0;
    choice.minors.fill(true);
    EXPECT_EQ(CommitComposite(composite, types, "All", percent, choice),
              CompositeCommit::kStoredIfsNote);
    EXPECT_EQ(composite.count, 50);
    EXPECT_EQ(composite.members[49], 49);
    MemoryBackend backend;
    SettingsStore store(&backend);
    CompositeTable table{};
    table[0] = composite;
    SaveCompositeGalaxies(store, table);
    CompositeTable loaded{};
    LoadCompositeGalaxies(store, loaded);
    EXPECT_EQ(loaded[0].count, 49);
}

using test::AnswerNextMessage;

TEST(DialogUniverseView, TourEnablingCommitsAndValues) {
    test::HostTestApp();
    SettingsSet set = DefaultSettingsSet();
    set.types[4].galStyle = kStyleIfsPointAttractor;
    set.types[9].galStyle = kStyleIfsWireframe;
    UniverseView view(set);
    view.show();
    auto find = [&view](const char* name) { return view.findChild<QWidget*>(name); };

    // The values shown come back as they were.
    UniverseSettings universe;
    universe.profile = 12;
    universe.gsIdx = "1 24 11";
    universe.rotCam = 1;
    universe.hwEnd = 900;
    view.ShowUniverseValues(universe);
    EXPECT_EQ(view.TakeUniverseValues(UniverseSettings{}), universe);
    EXPECT_EQ(view.UniverseFieldValue(17), 900);

    auto* extras = view.findChild<QComboBox*>("cboUniExtras");
    extras->setCurrentIndex(2);
    auto* tour = view.findChild<QCheckBox*>("chkUniTour");
    auto* visit = view.findChild<QCheckBox*>("chkVisitSeq");
    EXPECT_TRUE(find("txtUni_34")->isEnabled());
    tour->click();
    EXPECT_FALSE(find("txtUni_30")->isEnabled());
    EXPECT_FALSE(find("lblUni_34")->isEnabled());
    EXPECT_FALSE(find("cboTourGalaxies")->isEnabled());
    EXPECT_TRUE(find("txtUni_33")->isEnabled());
    tour->click();
    visit->click();
    EXPECT_TRUE(find("txtUni_30")->isEnabled());
    EXPECT_FALSE(find("fraTripScript")->isEnabled());

    // A composite through the real controls: a comma typed into the name
    // never arrives; two IFS types mark the name and bring the note.
    extras->setCurrentIndex(3);
    view.CompositeList().setCurrentRow(1);
    auto* name = view.findChild<QLineEdit*>("txtCompGalName");
    name->clear();
    QTest::keyClicks(name, "Pair, Two");
    view.findChild<QComboBox*>("cboCompMajor")->setCurrentIndex(4);
    view.findChild<QListWidget*>("lstCompMinor")->item(9)->setSelected(true);
    EXPECT_EQ(name->palette().color(QPalette::Base), QColor(0, 255, 255));
    QString note;
    AnswerNextMessage(note);
    view.findChild<QPushButton*>("cmdCompCommit")->click();
    EXPECT_TRUE(note.contains("Style of IFS"));
    EXPECT_EQ(set.composites[1].name, "Pair Two");
    ASSERT_EQ(set.composites[1].count, 2);
    EXPECT_EQ(set.composites[1].members[0], 4);
    EXPECT_EQ(set.composites[1].members[1], 9);
    EXPECT_TRUE(view.CompositeList().item(1)->text().startsWith("Pair Two"));

    // "Reset %" with its field empty says so and changes nothing.
    set.types[2].uniGalPct = 77;
    QString message;
    AnswerNextMessage(message);
    view.findChild<QPushButton*>("cmdResetGalPct")->click();
    EXPECT_EQ(message, "Please enter a value for the Reset percent.");
    EXPECT_EQ(set.types[2].uniGalPct, 77);

    // A galaxy type's commit rebuilds its entry, which reads back.
    view.GalaxyList().setCurrentRow(2);
    view.findChild<QLineEdit*>("txtUniGalPct")->setText("345");
    view.findChild<QPushButton*>("cmdGalCommit")->click();
    EXPECT_EQ(set.types[2].uniGalPct, 345);
    EXPECT_EQ(ReadListEntry(view.GalaxyList().item(2)->text().toStdString()).percent, "345");
}

}  // namespace
}  // namespace orrelume
