// The galaxy property grid's view: a type shown in the grid's controls and
// taken back. The grid's rows, bounds and captions are tested in
// tests/core/galaxy_grid_test.cpp.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "app/host_test_app.h"
#include "dialogs/galaxy_grid.h"
#include "dialogs/galaxy_view.h"
#include "settings/factory_themes.h"

namespace orrelume {
namespace {

TEST(GalaxyView, RelabelsByStyleAndTakesBackWhatItShows) {
    test::HostTestApp();
    GalaxyView view;
    GalaxyType type;
    ASSERT_TRUE(ApplyGalaxyPreset(kPresetSet4x, 22, type));  // a nebula
    ValidateGalaxyType(type);
    type.name = "Mine";
    view.ShowGalaxyType(type);
    auto* shapeLabel = view.findChild<QLabel*>("lblGalaxy_2");
    auto* style = view.findChild<QComboBox*>("cboGalStyle");
    auto* row3 = view.findChild<QLineEdit*>("txtGalaxy_3");
    auto* row6 = view.findChild<QLineEdit*>("txtGalaxy_6");
    ASSERT_TRUE(shapeLabel && style && row3 && row6);
    EXPECT_EQ(shapeLabel->text(), "C-Points (1 - 20), Steps (0 - 9999):");
    EXPECT_EQ(row3->text().toInt(), type.cpPoints);
    EXPECT_EQ(row3->accessibleName(), "C-Points (1 - 20), Steps (0 - 9999): C-Points");
    EXPECT_FALSE(view.findChild<QCheckBox*>("chkCP_Closed")->isHidden());
    EXPECT_TRUE(view.findChild<QComboBox*>("cboGalColor")->isHidden());

    style->setCurrentIndex(kStyleIfsWireframe);
    EXPECT_EQ(shapeLabel->text(), "Vertices (4 - 10), Scale % (0 - 100):");
    EXPECT_TRUE(row6->parentWidget()->isHidden());
    EXPECT_TRUE(view.findChild<QCheckBox*>("chkCP_Closed")->isHidden());
    // Leaving a row bounds it by the style; its arrow keys keep the fixed range.
    view.show();
    row3->setFocus();
    QApplication::processEvents();
    row3->setText("12");
    view.findChild<QLineEdit*>("txtGalaxy_0")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(row3->text(), "10");
    QTest::keyClick(row3, Qt::Key_Up);
    EXPECT_EQ(row3->text(), "11");

    // A theme brings its points when the grid is taken; name and weight stay.
    auto* theme = view.findChild<QComboBox*>("cboGalTheme");
    theme->setCurrentIndex(41);
    emit theme->activated(41);  // "UD-IFS:  Twisted Branches"
    EXPECT_EQ(style->currentIndex(), kStyleUserIfs);
    GalaxyType taken = type;
    view.TakeGalaxyType(taken);
    EXPECT_EQ(taken.name, "Mine");
    EXPECT_EQ(taken.uniGalPct, type.uniGalPct);
    EXPECT_EQ(taken.galStyle, kStyleUserIfs);
    EXPECT_EQ(taken.ifsCount, 5);
    EXPECT_EQ(taken.ifsPoints[0].locX, 1000);
}

}  // namespace
}  // namespace orrelume
