// The companion windows of the properties dialog on the offscreen platform
// (advanced settings, galaxy levels, the IFS and molecule editors). Their
// themes and tables without a window are tested in
// tests/core/editor_tables_test.cpp.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/host_test_app.h"
#include "dialogs/advanced_dialog.h"
#include "dialogs/ifs_editor.h"
#include "dialogs/levels_dialog.h"
#include "dialogs/molecule_editor.h"
#include "settings/factory_themes.h"
#include "settings/memory_backend.h"
#include "support/app/dialog_rig.h"
#include "support/store_sets.h"
#include "ui/field_rules.h"

namespace orrelume {
namespace {

struct Rig {
    MemoryBackend user;
    testing::CapturingSink sink;
    SettingsStore store{&user, nullptr, &sink};
    SettingsSet set = FactorySettingsSet(kPresetSet4x);
    DialogPreviewValues preview;

    Rig() { test::HostTestApp(); }
    // Every stored value but the windows' placements.
    std::map<std::string, std::map<std::string, std::string>> Settings() const {
        auto sections = user.Sections();
        for (const char* s :
             {"General\\Advanced", "General\\Levels", "General\\IFS", "General\\Atomics"})
            sections.erase(s);
        return sections;
    }
};

using test::AnswerNextMessage;
using test::Child;

// Bounds the field as leaving it does.
QString Left(QLineEdit& field, const QString& typed) {
    field.setText(typed);
    FieldRules::Of(field)->BoundNow();
    return field.text();
}

TEST(AdvancedDialog, FieldsAreBoundedAndStepped) {
    Rig rig;
    rig.store.WriteSetting("Advanced", "Adv_TimeDelay", "1200");
    frmAdvanced dialog(rig.store);
    QLineEdit& delay = Child<QLineEdit>(dialog, "txtAdv_0");
    EXPECT_EQ(delay.text(), "999");
    EXPECT_EQ(Left(Child<QLineEdit>(dialog, "txtAdv_1"), "0"), "0.01");
    QLineEdit& size = Child<QLineEdit>(dialog, "txtAdv_2");
    EXPECT_EQ(Left(size, ""), "10");
    QTest::keyClick(&size, Qt::Key_Down);
    EXPECT_EQ(size.text(), "10");
    delay.setText("995");
    QTest::keyClick(&delay, Qt::Key_Up);
    EXPECT_EQ(delay.text(), "999");
    QTest::keyClick(&delay, Qt::Key_Down);
    EXPECT_EQ(delay.text(), "989");
}

TEST(AdvancedDialog, RefusalDefaultsAndCancelWriteNothing) {
    Rig rig;
    // A font this system does not have, and a grayed switch.
    rig.store.WriteSetting("Advanced", "Adv_FontName", "No Such Font Anywhere");
    rig.store.WriteSetting("Advanced", "Adv_MouseMove", "2");
    rig.store.WriteSetting("Advanced", "Adv_PixelScale", "9");
    const auto before = rig.Settings();
    {
        frmAdvanced dialog(rig.store);
        dialog.show();
        Child<QCheckBox>(dialog, "chkCycle").setChecked(true);
        QString message;
        AnswerNextMessage(message);
        EXPECT_FALSE(dialog.Confirm());
        EXPECT_EQ(message, "Please select one or more Effects.");
        EXPECT_TRUE(dialog.isVisible());
        dialog.DefaultsButton().click();
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtAdv_1").text(), "1.0");
        dialog.CancelButton().click();
    }
    EXPECT_EQ(rig.Settings(), before);

    // OK keeps the stored font name while none was picked, and writes a
    // grayed box as off.
    frmAdvanced dialog(rig.store);
    dialog.show();
    EXPECT_EQ(Child<QCheckBox>(dialog, "chkMouseM").checkState(), Qt::PartiallyChecked);
    // A pixel size out of range shows as automatic; the choice is written.
    QComboBox& pixel = Child<QComboBox>(dialog, "cboPixelScale");
    EXPECT_EQ(pixel.currentText(), "Automatic");
    pixel.setCurrentIndex(3);
    Child<QLineEdit>(dialog, "txtAdv_3").setText(" 90 ");
    EXPECT_TRUE(dialog.Confirm());
    EXPECT_EQ(rig.store.ReadSettingText("Advanced", "Adv_FontName", ""), "No Such Font Anywhere");
    EXPECT_EQ(rig.store.ReadSettingText("Advanced", "Adv_MouseMove", ""), "0");
    EXPECT_EQ(rig.store.ReadSettingText("Advanced", "Adv_FontHueV", ""), "90");
    EXPECT_EQ(rig.store.ReadSettingText("Advanced", "Adv_TimeDelay", ""), "40");
    EXPECT_EQ(rig.store.ReadSettingText("Advanced", "Adv_PixelScale", ""), "3");
}

// A preview takes the typed values, but only OK puts them into the type.
TEST(LevelsDialog, PreviewThenCancelLeavesTheTypeOkTakesItBounded) {
    Rig rig;
    const GalaxyType before = rig.set.types[7];
    {
        frmLevels dialog(rig.store, rig.set, 7, rig.preview);
        dialog.show();
        Child<QLineEdit>(dialog, "txtLevel_0").setText("12");
        Child<QLineEdit>(dialog, "txtLevel_2").setText("150");
        Child<QLineEdit>(dialog, "txtGalaxy_1").setText("0");
        for (int i = 0; i < 3; ++i)
            Child<QCheckBox>(dialog, QStringLiteral("chkToggle_%1").arg(i)).toggle();
        bool stopShown = false;
        QTimer::singleShot(150, [&] {
            stopShown = dialog.PreviewButton().text() == "Stop" &&
                        !dialog.CancelButton().isEnabled() && !dialog.OkButton().isEnabled();
            dialog.reject();  // Escape stops the preview only
        });
        dialog.TogglePreview();
        EXPECT_TRUE(stopShown);
        EXPECT_GT(dialog.Preview().FramesPresented(), 0);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(dialog.CancelButton().isEnabled());
        dialog.CancelButton().click();
    }
    EXPECT_EQ(rig.set.types[7], before);

    frmLevels dialog(rig.store, rig.set, 7, rig.preview);
    Child<QLineEdit>(dialog, "txtLevel_0").setText("12");
    Child<QLineEdit>(dialog, "txtLevel_2").setText("150");
    Child<QLineEdit>(dialog, "txtGalaxy_1").setText("0");
    Child<QCheckBox>(dialog, "chkToggle_1").toggle();
    dialog.OkButton().click();
    const GalaxyType& after = rig.set.types[7];
    EXPECT_EQ(after.stdLevels, 10);
    EXPECT_FLOAT_EQ(after.stdLevHSca, 99.9f);
    EXPECT_EQ(after.distance, 1);
    EXPECT_EQ(after.stdLevBA0, before.stdLevBA0 ? 0 : 1);
}

// With one point neither OK nor the preview goes on, and the type stays.
TEST(IfsEditor, OnePointIsRefusedAndChangesNothing) {
    Rig rig;
    const GalaxyType before = rig.set.types[39];
    frmUserDefIFS dialog(rig.store, rig.set, 39, rig.preview);
    dialog.show();
    IfsFormValues v = dialog.Values();
    ClearIfsRows(v);
    v.rows[3].texts = {"1", "2", "3", "50", "", "0", "5"};
    dialog.ShowValues(v);
    QString message;
    AnswerNextMessage(message);
    EXPECT_FALSE(dialog.Confirm());
    EXPECT_TRUE(message.startsWith("Note:\n\nYou must specify two or more Attractor Points"));
    message.clear();
    AnswerNextMessage(message);
    dialog.TogglePreview();
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(dialog.Preview().FramesPresented(), 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(rig.set.types[39], before);
}

TEST(MoleculeEditor, TheThirtyThirdAtomIsRefused) {
    Rig rig;
    frmMolecule dialog(rig.store, rig.set, 42, rig.preview);
    dialog.show();
    dialog.ChooseTheme(1);  // 32 atoms
    ASSERT_EQ(dialog.AtomList().count(), kMaxAtoms);
    AtomFormValues form;
    form.element = 6;
    form.structure = 0;
    dialog.ShowAtomForm(form);
    QString message;
    AnswerNextMessage(message);
    EXPECT_FALSE(dialog.Act(AtomAction::kAdd));
    EXPECT_TRUE(message.startsWith("You have reached the limit"));
    EXPECT_EQ(dialog.AtomList().count(), kMaxAtoms);

    // A lattice turns the X box into the edge count, bounded to 1..99.
    form.structure = 8;
    form.texts = {"1000", "1", "2", "3", "4"};
    dialog.ShowAtomForm(form);
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtProps_0").text(), "99");
    EXPECT_TRUE(Child<QLineEdit>(dialog, "txtProps_4").isEnabled());
    form.structure = 0;
    dialog.ShowAtomForm(form);
    EXPECT_FALSE(Child<QLineEdit>(dialog, "txtProps_4").isEnabled());
}

// A preview whose box grows while it runs fills the box, centred.
TEST(CompanionWindows, PreviewFollowsItsBox) {
    Rig rig;
    frmLevels dialog(rig.store, rig.set, 7, rig.preview);
    dialog.show();
    const QSize before = dialog.Preview().DeviceSize();
    QSize surface, box;
    QTimer::singleShot(100, [&] { dialog.resize(dialog.width() + 160, dialog.height() + 90); });
    QTimer::singleShot(300, [&] {
        const DrawingSurface& s = dialog.Preview().Driver().Surface();
        surface = QSize(s.width(), s.height());
        box = dialog.Preview().DeviceSize();
        EXPECT_EQ(s.centerX(), s.width() / 2);
        dialog.reject();
    });
    dialog.TogglePreview();
    EXPECT_NE(box, before);
    EXPECT_EQ(surface, box);
}

// Return in a field presses OK in every companion window.
TEST(CompanionWindows, ReturnPressesOk) {
    Rig rig;
    frmAdvanced advanced(rig.store);
    frmLevels levels(rig.store, rig.set, 7, rig.preview);
    frmUserDefIFS ifs(rig.store, rig.set, 39, rig.preview);
    ifs.ChooseTheme(0);
    frmMolecule molecule(rig.store, rig.set, 42, rig.preview);
    molecule.ChooseTheme(0);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&advanced, &levels, &ifs, &molecule}) {
        dialog->show();
        QLineEdit* field = dialog->findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << dialog->objectName().toStdString();
        EXPECT_FALSE(dialog->isVisible());
    }
}

}  // namespace
}  // namespace orrelume
