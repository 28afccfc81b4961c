// The universe view of the properties dialog through its real controls: its
// fields and their values, the galaxy-type and composite lists, the commits,
// and the tour controls. The forms behind it are tested in
// tests/core/universe_form_test.cpp and tests/core/type_lists_test.cpp.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/host_test_app.h"
#include "dialogs/type_lists.h"
#include "dialogs/universe_view.h"
#include "support/app/dialog_rig.h"

namespace orrelume {
namespace {

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
