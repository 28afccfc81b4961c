// The panel that copies one property to all galaxy types, in the properties
// dialog through its real controls. What a copy changes is tested in
// tests/core/property_copy_test.cpp.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <string_view>

#include "dialogs/properties_dialog.h"
#include "dialogs/property_copy.h"
#include "dialogs/property_copy_panel.h"
#include "dialogs/universe_view.h"
#include "support/app/dialog_rig.h"

namespace orrelume {
namespace {

using test::AnswerNextMessage;
using test::Child;
using test::DialogRig;

TEST(PropertyCopyPanel, CopiesThroughItsControlsIntoTheGrid) {
    DialogRig rig;
    frmProps dialog(rig.store, rig.process);
    auto* panel = &dialog.CopyPanel();
    dialog.show();
    QSignalSpy copied(panel, &PropertyCopyPanel::copied);
    auto& list = Child<QComboBox>(*panel, "cboPropCopyList");
    auto& field = Child<QLineEdit>(*panel, "txtPropCopy");
    auto& values = Child<QComboBox>(*panel, "cboPropCopy");
    auto& check = Child<QCheckBox>(*panel, "chkPropCopy");
    auto& label = Child<QLabel>(*panel, "lblPropCopy");
    auto& copy = Child<QPushButton>(*panel, "cmdPropCopy");
    auto& props = Child<QPushButton>(dialog, "cmdGalProps");
    // The dialog puts the panel after "Show Props" in the keyboard order.
    EXPECT_EQ(props.nextInFocusChain(), &list);

    QString message;
    AnswerNextMessage(message);
    copy.click();
    EXPECT_EQ(message, "Please select a Property to copy.");

    list.setCurrentIndex(CopyEntryIndex("Galaxy Shape Profile"));
    EXPECT_TRUE(values.isVisible());
    EXPECT_FALSE(field.isVisible());
    EXPECT_EQ(values.count(), 7);
    AnswerNextMessage(message);
    copy.click();
    EXPECT_EQ(message, "Please select a Property value.");
    QApplication::processEvents();
    EXPECT_EQ(dialog.focusWidget(), &values);

    list.setCurrentIndex(CopyEntryIndex("Nebula Control Points Closed"));
    EXPECT_TRUE(check.isVisible());
    EXPECT_FALSE(values.isVisible() || field.isVisible() || label.isVisible());
    EXPECT_EQ(check.text(), "Control Point Loop is Closed?");

    // A number entry: digits only, and the grid of a type opened afterwards
    // shows the copied value.
    list.setCurrentIndex(CopyEntryIndex("Galaxy Radius"));
    EXPECT_TRUE(field.isVisible());
    EXPECT_EQ(label.text(), "Range (1 - 30000):");
    field.setFocus();
    QTest::keyClicks(&field, "12.a34");
    EXPECT_EQ(field.text(), "1234");
    copy.click();
    EXPECT_EQ(copied.count(), 1);

    const GalaxyTypeTable& types = dialog.WorkingSet().types;
    int standard = -1;
    for (int i = 0; i < kGalaxyTypeCount && standard < 0; ++i)
        if (types[i].galStyle == kStyleStandard) standard = i;
    ASSERT_GE(standard, 0);
    dialog.Universe().GalaxyList().setCurrentRow(standard);
    dialog.OpenGalaxyView();
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtGalaxy_0").text(), "1234");
    dialog.LeaveGalaxyView();
    EXPECT_EQ(types[standard].radius, 1234);
}

}  // namespace
}  // namespace orrelume
